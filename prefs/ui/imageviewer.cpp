// The image viewer and colour picker.
#include "prefs/ui/imageviewer.h"

#include "assistants/core/tagassistantcode.h"
#include "editor/core/codeedit.h"
#include "editor/ui/codeeditview.h"
#include "platform/qt/commandhost.h"
#include "prefs/core/imagepicking.h"
#include "prefs/ui/pictureloader.h"
#include "prefs/ui/pictureview.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>

namespace {

QIcon ThemeIcon(const char *name, QStyle::StandardPixmap fallback)
{
    return QIcon::fromTheme(QLatin1String(name), QApplication::style()->standardIcon(fallback));
}

} // namespace

TfrmImgEdit::TfrmImgEdit(QWidget *parent, TCommandHost &host) : QMainWindow(parent), m_host(host)
{
    setObjectName(QStringLiteral("frmImgEdit"));
    setWindowTitle(QStringLiteral("Image"));
    setWindowFlags(Qt::Tool | Qt::WindowStaysOnTopHint);
    setAttribute(Qt::WA_DeleteOnClose);
    ShowError = [this](const QString &text) { QMessageBox::warning(this, QStringLiteral("Image"), text); };

    m_image = new TPictureView(this);
    setCentralWidget(m_image);
    connect(m_image, &TPictureView::leftPressed, this, [this](QPoint point) {
        m_picking = true;
        PickColor(point);
    });
    connect(m_image, &TPictureView::moved, this, [this](QPoint point) {
        if (m_picking)
            PickColor(point);
    });
    connect(m_image, &TPictureView::released, this, [this] { m_picking = false; });
    connect(m_image, &TPictureView::rightPressed, this, [this](QPoint point) {
        if (const auto pixel = m_image->PixelAt(point))
            InsertIntoEditor(ImagePicking::CoordinateText(*pixel));
    });

    auto *open = new QAction(ThemeIcon("document-open", QStyle::SP_DialogOpenButton), QStringLiteral("&Open..."), this);
    open->setObjectName(QStringLiteral("Open1"));
    connect(open, &QAction::triggered, this, &TfrmImgEdit::OpenImageClick);
    auto *copy = new QAction(ThemeIcon("edit-copy", QStyle::SP_FileIcon), QStringLiteral("&Copy"), this);
    copy->setObjectName(QStringLiteral("Copy1"));
    connect(copy, &QAction::triggered, this, &TfrmImgEdit::CopyToClipboardClick);
    auto *exit = new QAction(ThemeIcon("window-close", QStyle::SP_DialogCloseButton), QStringLiteral("&Exit"), this);
    exit->setObjectName(QStringLiteral("Exit1"));
    connect(exit, &QAction::triggered, this, &QWidget::close);
    auto *insertColor =
        new QAction(ThemeIcon("go-next", QStyle::SP_ArrowRight), QStringLiteral("Paste Color into Editor"), this);
    insertColor->setObjectName(QStringLiteral("PasteColor1"));
    connect(insertColor, &QAction::triggered, this, &TfrmImgEdit::InsertColorClick);
    auto *copyColor =
        new QAction(ThemeIcon("edit-copy", QStyle::SP_FileIcon), QStringLiteral("Copy Color to ClipBoard"), this);
    copyColor->setObjectName(QStringLiteral("CopyColor1"));
    connect(copyColor, &QAction::triggered, this, &TfrmImgEdit::CopyColorClick);
    auto *pasteName = new QAction(QStringLiteral("Paste File Name into Editor"), this);
    pasteName->setObjectName(QStringLiteral("PasteFileName1"));
    connect(pasteName, &QAction::triggered, this, &TfrmImgEdit::PasteFileNameClick);

    QMenu *file = menuBar()->addMenu(QStringLiteral("&File"));
    file->addAction(open);
    file->addAction(exit);
    QMenu *edit = menuBar()->addMenu(QStringLiteral("&Edit"));
    edit->addAction(copy);
    edit->addAction(insertColor);
    edit->addAction(pasteName);
    QMenu *help = menuBar()->addMenu(QStringLiteral("&?"));
    help->addAction(QStringLiteral("&Info..."))->setEnabled(false);

    // The toolbar buttons say what they do in their tooltips.
    auto button = [this](QToolBar *bar, QAction *action, const QString &tip, const char *name) {
        QAction *b = bar->addAction(action->icon(), QString(), action, &QAction::trigger);
        b->setToolTip(tip);
        b->setObjectName(QLatin1String(name));
    };
    QToolBar *row1 = addToolBar(QStringLiteral("Picture"));
    row1->setMovable(false);
    button(row1, open, QStringLiteral("Open Image..."), "btnOpen");
    button(row1, copy, QStringLiteral("Copy to Clipboard"), "btnCopy");
    button(row1, exit, QStringLiteral("Close Window"), "btnClose");
    m_checkBox1 = new QCheckBox(QStringLiteral("Stretch"), row1);
    m_checkBox1->setObjectName(QStringLiteral("CheckBox1"));
    connect(m_checkBox1, &QCheckBox::toggled, m_image, &TPictureView::SetStretch);
    row1->addWidget(m_checkBox1);
    addToolBarBreak();
    QToolBar *row2 = addToolBar(QStringLiteral("Color"));
    row2->setMovable(false);
    row2->addWidget(new QLabel(QStringLiteral("   Color:  "), row2));
    button(row2, insertColor, QStringLiteral("Insert into Editor"), "btnInsertColor");
    button(row2, copyColor, QStringLiteral("Copy Color to ClipBoard"), "btnCopyColor");
    m_edtColor = new QLineEdit(row2);
    m_edtColor->setObjectName(QStringLiteral("edtColor"));
    m_edtColor->setMaximumWidth(90);
    row2->addWidget(m_edtColor);

    statusBar();
    resize(300, 260);
}

bool TfrmImgEdit::LoadFromFile(const QString &path)
{
    const TLoadedPicture picture = LoadPicture(path);
    if (!picture.Error.isEmpty()) {
        statusBar()->showMessage(picture.Error);
        ShowError(picture.Error);
        return false;
    }
    m_fileName = QFileInfo(path).absoluteFilePath();
    m_image->SetPicture(picture.Image, picture.OriginalSize);
    m_image->setToolTip(m_fileName);
    statusBar()->showMessage(
        picture.Note.isEmpty()
            ? QStringLiteral("%1 x %2 pixels").arg(picture.OriginalSize.width()).arg(picture.OriginalSize.height())
            : picture.Note);
    return true;
}

void TfrmImgEdit::PickColor(QPoint point)
{
    if (const auto color = m_image->ColorAt(point))
        m_edtColor->setText(ImagePicking::PixelColorText(*color & 0xFFFFFFu));
}

void TfrmImgEdit::InsertIntoEditor(const QString &text)
{
    m_host.RunGuarded([&] {
        auto *view = qobject_cast<TCodeEditView *>(m_host.RequiredEditorView());
        if (view)
            view->Engine()->SetSelText(text);
    });
}

void TfrmImgEdit::OpenImageClick()
{
    const QString path =
        m_host.ChooseOpenFile(QStringLiteral("Open Image"), QStringLiteral("Grafiken (*.jpg *.jpeg *.gif *.bmp)"));
    if (!path.isEmpty())
        LoadFromFile(path);
}

void TfrmImgEdit::CopyToClipboardClick()
{
    if (!m_image->Picture().isNull())
        QApplication::clipboard()->setImage(m_image->Picture());
}

void TfrmImgEdit::InsertColorClick()
{
    if (!m_edtColor->text().isEmpty())
        InsertIntoEditor(m_edtColor->text());
}

void TfrmImgEdit::CopyColorClick()
{
    if (m_edtColor->text().isEmpty())
        return;
    m_edtColor->selectAll();
    m_edtColor->copy();
    m_edtColor->deselect();
}

void TfrmImgEdit::PasteFileNameClick()
{
    if (m_fileName.isEmpty())
        return;
    const QFileInfo document(m_host.ActiveDocumentPath());
    const QString dir = document.isAbsolute() ? document.absolutePath() : QDir::currentPath();
    InsertIntoEditor(TagAssistant::RelativePath(m_fileName, dir));
}

TfrmImgEdit *ShowImageViewer(QWidget *parent, const QString &path, TCommandHost &host)
{
    auto *viewer = new TfrmImgEdit(parent, host);
    viewer->setWindowTitle(QStringLiteral("[Viewer] - ") + path);
    if (viewer->LoadFromFile(path)) {
        QSize size = viewer->Image()->Picture().size() + QSize(8, 107);
        if (const QScreen *screen = parent ? parent->screen() : QApplication::primaryScreen())
            size = size.boundedTo(screen->availableGeometry().size());
        viewer->resize(size.expandedTo(viewer->minimumSizeHint()));
    }
    viewer->show();
    return viewer;
}
