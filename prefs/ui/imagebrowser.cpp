// The image browser's thumbnails, their worker-thread decoding and the context menu commands.
#include "prefs/ui/imagebrowser.h"

#include "assistants/core/tagassistantcode.h"
#include "editor/core/codeedit.h"
#include "editor/ui/codeeditview.h"
#include "platform/qt/commandhost.h"
#include "prefs/ui/imageviewer.h"
#include "prefs/ui/pictureloader.h"
#include "prefs/ui/thumbnailloader.h"

#include <QDateTime>
#include <QDialog>
#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QDir>
#include <QEvent>
#include <QFormLayout>
#include <QFrame>
#include <QImageReader>
#include <QLabel>
#include <QLocale>
#include <QMainWindow>
#include <QMenu>
#include <QMessageBox>
#include <QMimeDatabase>
#include <QPainter>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>
#include <QScrollArea>
#include <QScrollBar>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <QUrl>

using namespace ImageBrowser;

namespace {

// While a folder is listed, at most this many thumbnails are added at a time, for no longer
// than kSliceMs, with a pause between so that keys and repaints get through.
constexpr int kBatch = 50;
constexpr int kSliceMs = 15;
constexpr int kPauseMs = 5;

QPixmap Placeholder()
{
    QPixmap pixmap(kThumbWidth, kThumbHeight);
    pixmap.fill(QColor(0xE0, 0xE0, 0xE0));
    QPainter p(&pixmap);
    p.setPen(QColor(0xA0, 0xA0, 0xA0));
    p.drawRect(0, 0, kThumbWidth - 1, kThumbHeight - 1);
    p.drawLine(0, 0, kThumbWidth - 1, kThumbHeight - 1);
    p.drawLine(0, kThumbHeight - 1, kThumbWidth - 1, 0);
    return pixmap;
}

} // namespace

TfrmImgBrowser::TfrmImgBrowser(TCommandHost &host, QWidget *parent) : QDockWidget(parent), m_host(host)
{
    setObjectName(QStringLiteral("frmImgBrowser"));
    setWindowTitle(QStringLiteral("Image Browser"));
    setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);
    // At most two decoders, leaving a core to the interface, at low priority: the queue holds only
    // file names, so a folder of thousands of pictures never holds more than a couple of pictures
    // in memory.
    m_pool.setMaxThreadCount(std::clamp(QThread::idealThreadCount() - 1, 1, 2));
    m_pool.setThreadPriority(QThread::LowPriority);

    m_scbImages = new QScrollArea(this);
    m_scbImages->setObjectName(QStringLiteral("scbImages"));
    m_scbImages->setBackgroundRole(QPalette::Button);
    m_box = new QWidget;
    m_box->setBackgroundRole(QPalette::Button);
    m_scbImages->setWidget(m_box);
    const int width = kOrigin.x() * 2 + kPerRow * kThumbWidth + (kPerRow - 1) * kGap;
    m_scbImages->setMinimumWidth(width + m_scbImages->verticalScrollBar()->sizeHint().width() + 4);
    setWidget(m_scbImages);
    Clear();

    m_pmImg = new QMenu(this);
    m_pmImg->setObjectName(QStringLiteral("pmImg"));
    auto add = [this](const char *name, const QString &caption, void (TfrmImgBrowser::*command)()) {
        QAction *a =
            m_pmImg->addAction(caption, this, [this, command] { m_host.RunGuarded([&] { (this->*command)(); }); });
        a->setObjectName(QLatin1String(name));
    };
    add("EditDirectly1", QStringLiteral("&Edit directly"), &TfrmImgBrowser::EditDirectlyClick);
    add("InsertasLink1", QStringLiteral("Insert as &Link"), &TfrmImgBrowser::InsertAsLinkClick);
    m_pmImg->addSeparator();
    add("Open1", QStringLiteral("&Open"), &TfrmImgBrowser::OpenClick);
    add("Print1", QStringLiteral("&Print"), &TfrmImgBrowser::PrintClick);
    m_pmImg->addSeparator();
    add("Delete1", QStringLiteral("&Delete"), &TfrmImgBrowser::DeleteClick);
    m_pmImg->addSeparator();
    add("Properties1", QStringLiteral("&Properties"), &TfrmImgBrowser::PropertiesClick);

    ChoosePrinter = [this](QPrinter &printer) {
        QPrintDialog dialog(&printer, this);
        return m_host.ExecDialog(dialog) == QDialog::Accepted;
    };
    ShowProperties = [this](QDialog &dialog) { m_host.ExecDialog(dialog); };
}

TfrmImgBrowser::~TfrmImgBrowser()
{
    // Workers deliver to this object: let the running ones end before it goes.
    m_pool.clear();
    m_pool.waitForDone();
}

void TfrmImgBrowser::AddImage(const QFileInfo &entry)
{
    const QString path = entry.absoluteFilePath();
    if (!entry.exists())
        return;
    const QPoint at = kOrigin + m_layout.Next();
    auto *frame = new QFrame(m_box);
    frame->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    frame->setGeometry(at.x() - kFrameMargin, at.y() - kFrameMargin, kThumbWidth + 2 * kFrameMargin,
                       kThumbHeight + 2 * kFrameMargin);
    auto *label = new QLabel(m_box);
    label->setGeometry(at.x(), at.y(), kThumbWidth, kThumbHeight);
    label->setScaledContents(true);
    label->setPixmap(Placeholder());
    label->setToolTip(QDir::toNativeSeparators(path));
    label->setProperty("path", path);
    label->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(label, &QLabel::customContextMenuRequested, this, [this, label](QPoint pos) { PopupMenu(label, pos); });
    label->installEventFilter(this);
    frame->show();
    label->show();
    frame->lower();
    m_thumbs.append({label, frame});
    m_layout.Advance();
    const int rows = (m_thumbs.size() + kPerRow - 1) / kPerRow;
    m_box->resize(kOrigin.x() * 2 + kPerRow * kThumbWidth + (kPerRow - 1) * kGap,
                  kOrigin.y() * 2 + rows * (kThumbHeight + kGap));

    if (LoaderFor(path) == TLoader::None)
        return;
    ++m_pending;
    const int generation = m_generation;
    QPointer<QLabel> target(label);
    m_pool.start([this, generation, target, path] {
        const QImage image = LoadThumbnail(path);
        QMetaObject::invokeMethod(
            this, [this, generation, target, image] { Deliver(generation, target.data(), image); },
            Qt::QueuedConnection);
    });
}

void TfrmImgBrowser::Deliver(int generation, QLabel *label, const QImage &image)
{
    // A result for a browser cleared or refilled since is dropped; so is one whose thumbnail was
    // deleted meanwhile.
    if (generation != m_generation)
        return;
    --m_pending;
    if (label && !image.isNull())
        label->setPixmap(QPixmap::fromImage(image));
}

void TfrmImgBrowser::Clear()
{
    ++m_generation;
    m_pool.clear();
    m_pending = 0;
    m_toAdd.clear();
    for (const TThumb &t : std::as_const(m_thumbs)) {
        delete t.Label;
        delete t.Frame;
    }
    m_thumbs.clear();
    m_layout.Clear();
    m_box->resize(0, 0);
    m_scbImages->ensureVisible(0, 0);
}

void TfrmImgBrowser::Fill(const QString &folder)
{
    Clear();
    QDir dir(folder);
    dir.setNameFilters(PictureNameFilters());
    dir.setFilter(QDir::Files | QDir::Readable | QDir::NoDotAndDotDot);
    dir.setSorting(QDir::Name | QDir::IgnoreCase);
    m_toAdd = dir.entryInfoList();
    AddBatch(m_generation);
}

void TfrmImgBrowser::AddBatch(int generation)
{
    if (generation != m_generation)
        return;
    QElapsedTimer slice;
    slice.start();
    for (int i = 0; i < kBatch && !m_toAdd.isEmpty() && slice.elapsed() < kSliceMs; ++i)
        AddImage(m_toAdd.takeFirst());
    if (!m_toAdd.isEmpty())
        QTimer::singleShot(kPauseMs, this, [this, generation] { AddBatch(generation); });
}

QList<QLabel *> TfrmImgBrowser::Thumbnails() const
{
    QList<QLabel *> labels;
    for (const TThumb &t : m_thumbs)
        labels.append(t.Label);
    return labels;
}

QFrame *TfrmImgBrowser::FrameOf(const QLabel *thumbnail) const
{
    for (const TThumb &t : m_thumbs)
        if (t.Label == thumbnail)
            return t.Frame;
    return nullptr;
}

void TfrmImgBrowser::PopupMenu(QLabel *thumbnail, QPoint pos)
{
    m_menuFile = thumbnail->property("path").toString();
    m_pmImg->popup(thumbnail->mapToGlobal(pos));
}

bool TfrmImgBrowser::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonDblClick) {
        if (auto *label = qobject_cast<QLabel *>(watched)) {
            m_menuFile = label->property("path").toString();
            m_host.RunGuarded([this] { EditDirectlyClick(); });
            return true;
        }
    }
    return QDockWidget::eventFilter(watched, event);
}

void TfrmImgBrowser::EditDirectlyClick()
{
    if (!m_menuFile.isEmpty())
        ShowImageViewer(m_host.HostWindow(), m_menuFile, m_host);
}

void TfrmImgBrowser::InsertAsLinkClick()
{
    if (m_menuFile.isEmpty())
        return;
    auto *view = qobject_cast<TCodeEditView *>(m_host.RequiredEditorView());
    if (!view)
        return;
    // A document never saved links from the current folder.
    const QFileInfo document(m_host.ActiveDocumentPath());
    const QString dir = document.isAbsolute() ? document.absolutePath() : QDir::currentPath();
    view->Engine()->SetSelText(TagAssistant::RelativePath(m_menuFile, dir));
}

void TfrmImgBrowser::OpenClick()
{
    if (!m_menuFile.isEmpty() && !m_host.OpenUrl(QUrl::fromLocalFile(m_menuFile)))
        m_host.ShowMessage(QMessageBox::Warning, QStringLiteral("Open"),
                           QStringLiteral("No program opens \"%1\".").arg(QDir::toNativeSeparators(m_menuFile)));
}

void TfrmImgBrowser::PrintClick()
{
    if (m_menuFile.isEmpty())
        return;
    const TLoadedPicture picture = LoadPicture(m_menuFile);
    if (picture.Image.isNull()) {
        m_host.ShowMessage(QMessageBox::Warning, QStringLiteral("Print"), picture.Error);
        return;
    }
    QPrinter printer;
    printer.setDocName(QFileInfo(m_menuFile).fileName());
    if (!ChoosePrinter(printer))
        return;
    QPainter painter;
    if (!painter.begin(&printer)) {
        m_host.ShowMessage(QMessageBox::Warning, QStringLiteral("Print"),
                           QStringLiteral("The printer cannot be used."));
        return;
    }
    // The whole picture on the page, as large as fits, keeping its proportions.
    const QRect page = painter.viewport();
    QSize size = picture.Image.size();
    size.scale(page.size(), Qt::KeepAspectRatio);
    painter.drawImage(QRect(page.topLeft(), size), picture.Image);
    painter.end();
}

void TfrmImgBrowser::DeleteClick()
{
    if (m_menuFile.isEmpty())
        return;
    const QString path = m_menuFile;
    if (!m_host.AskYesNo(QStringLiteral("Delete"),
                         QStringLiteral("Move \"%1\" to the trash?").arg(QDir::toNativeSeparators(path))))
        return;
    QFile file(path);
    if (!file.moveToTrash()) {
        m_host.ShowMessage(QMessageBox::Warning, QStringLiteral("Delete"),
                           QStringLiteral("Cannot move \"%1\" to the trash: %2")
                               .arg(QDir::toNativeSeparators(path), file.errorString()));
        return;
    }
    RemoveThumbnail(path);
    m_menuFile.clear();
}

void TfrmImgBrowser::RemoveThumbnail(const QString &path)
{
    for (int i = 0; i < m_thumbs.size(); ++i) {
        if (m_thumbs.at(i).Label->property("path").toString() == path) {
            // The others keep their places; a refill closes the gap.
            delete m_thumbs.at(i).Label;
            delete m_thumbs.at(i).Frame;
            m_thumbs.removeAt(i);
            return;
        }
    }
}

void TfrmImgBrowser::PropertiesClick()
{
    if (m_menuFile.isEmpty())
        return;
    std::unique_ptr<QDialog> dialog = CreatePropertiesDialog(m_menuFile, this);
    ShowProperties(*dialog);
}

std::unique_ptr<QDialog> CreatePropertiesDialog(const QString &path, QWidget *parent)
{
    const QFileInfo info(path);
    auto dialog = std::make_unique<QDialog>(parent);
    dialog->setWindowTitle(QStringLiteral("Properties of %1").arg(info.fileName()));
    auto *form = new QFormLayout(dialog.get());
    auto row = [&](const char *name, const QString &caption, const QString &value) {
        auto *label = new QLabel(value, dialog.get());
        label->setObjectName(QLatin1String(name));
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
        form->addRow(caption, label);
    };
    row("lblName", QStringLiteral("Name:"), info.fileName());
    row("lblFolder", QStringLiteral("Folder:"), QDir::toNativeSeparators(info.absolutePath()));
    row("lblSize", QStringLiteral("Size:"), QStringLiteral("%1 bytes").arg(QLocale().toString(info.size())));
    row("lblType", QStringLiteral("Type:"), QMimeDatabase().mimeTypeForFile(info).comment());
    // The header tells the size; the picture itself is not decoded.
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    const QSize pixels = reader.size();
    row("lblPixels", QStringLiteral("Pixels:"),
        pixels.isValid() ? QStringLiteral("%1 x %2").arg(pixels.width()).arg(pixels.height())
                         : QStringLiteral("not a picture"));
    row("lblModified", QStringLiteral("Modified:"), QLocale().toString(info.lastModified(), QLocale::LongFormat));
    row("lblPermissions", QStringLiteral("Permissions:"), PermissionText(info.permissions()));
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, dialog.get());
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog.get(), &QDialog::reject);
    form->addRow(buttons);
    return dialog;
}
