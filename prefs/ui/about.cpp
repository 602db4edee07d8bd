// The about window.
#include "prefs/ui/about.h"

#include <QApplication>
#include <QDesktopServices>
#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QUrl>
#include <QVBoxLayout>

#ifdef TAGFORGE_HAVE_WEBENGINE
#include <QtWebEngineCore/qtwebenginecoreglobal.h>
#endif

namespace {

// The program's logo from its resources, or its window icon where the resources are not linked in.
QPixmap Logo(int size)
{
    QIcon icon(QStringLiteral(":/tagforge.svg"));
    if (icon.isNull() || icon.availableSizes().isEmpty())
        icon = QApplication::windowIcon();
    QPixmap pixmap = icon.pixmap(size, size);
    if (pixmap.isNull()) {
        pixmap = QPixmap(size, size);
        pixmap.fill(QColor(0x2B, 0x57, 0x9A));
        QPainter p(&pixmap);
        p.setPen(Qt::white);
        QFont f = p.font();
        f.setBold(true);
        f.setPixelSize(size / 3);
        p.setFont(f);
        p.drawText(pixmap.rect(), Qt::AlignCenter, QStringLiteral("TF"));
    }
    return pixmap;
}

// A small badge for the toolkit's site.
QPixmap ToolkitBadge()
{
    QPixmap pixmap(56, 32);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor(0x41, 0xCD, 0x52));
    p.setPen(Qt::NoPen);
    p.drawRoundedRect(pixmap.rect().adjusted(1, 1, -1, -1), 6, 6);
    p.setPen(Qt::white);
    QFont f = p.font();
    f.setBold(true);
    f.setPixelSize(18);
    p.setFont(f);
    p.drawText(pixmap.rect(), Qt::AlignCenter, QStringLiteral("Qt"));
    return pixmap;
}

} // namespace

TfrmAbout::TfrmAbout(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("About TagForge"));
    setWindowFlags(Qt::Tool | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    OpenUrl = [](const QUrl &url) { QDesktopServices::openUrl(url); };
    ShowInformation = [this](const QString &caption, const QString &text) {
        QMessageBox::information(this, caption, text);
    };

    m_image3 = new QLabel(this);
    m_image3->setObjectName(QStringLiteral("Image3"));
    m_image3->setPixmap(Logo(96));
    m_image3->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

    const QString home = QString::fromUtf16(AboutText::kHomePage);
    const QString toolkit = QString::fromUtf16(AboutText::kToolkitSite);

    m_groupBox1 = new QGroupBox(this);
    m_groupBox1->setObjectName(QStringLiteral("GroupBox1"));
    m_groupBox1->setMouseTracking(true);
    m_groupBox1->installEventFilter(this);

    m_label1 = new QLabel(home, m_groupBox1);
    m_label1->setObjectName(QStringLiteral("Label1"));
    m_label1->setToolTip(QStringLiteral("Visit the TagForge home page for updates and news"));
    m_label1->setCursor(Qt::PointingHandCursor);
    m_label1->installEventFilter(this);

    m_image1 = new QLabel(m_groupBox1);
    m_image1->setObjectName(QStringLiteral("Image1"));
    m_image1->setPixmap(Logo(32));
    m_image1->setToolTip(m_label1->toolTip());
    m_image1->setCursor(Qt::PointingHandCursor);
    m_image1->installEventFilter(this);

    m_image2 = new QLabel(m_groupBox1);
    m_image2->setObjectName(QStringLiteral("Image2"));
    m_image2->setPixmap(ToolkitBadge());
    m_image2->setToolTip(toolkit);
    m_image2->setCursor(Qt::PointingHandCursor);
    m_image2->installEventFilter(this);

    m_memo1 = new QPlainTextEdit(m_groupBox1);
    m_memo1->setObjectName(QStringLiteral("Memo1"));
    m_memo1->setReadOnly(true);
    m_memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_memo1->setPlainText(AboutText::ProductText(QStringLiteral(TAGFORGE_VERSION)));
    QPalette memoPalette = m_memo1->palette();
    memoPalette.setColor(QPalette::Base, memoPalette.color(QPalette::Button));
    m_memo1->setPalette(memoPalette);
    m_memo1->setMinimumSize(360, 200);

    auto *links = new QHBoxLayout;
    links->addWidget(m_image1);
    links->addWidget(m_label1, 1);
    links->addWidget(m_image2);
    auto *group = new QVBoxLayout(m_groupBox1);
    group->addLayout(links);
    group->addWidget(m_memo1, 1);

    m_button1 = new QPushButton(QStringLiteral("&OK"), this);
    m_button1->setObjectName(QStringLiteral("Button1"));
    m_button1->setDefault(true);
    m_button2 = new QPushButton(QStringLiteral("&Components"), this);
    m_button2->setObjectName(QStringLiteral("Button2"));
    connect(m_button1, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_button2, &QPushButton::clicked, this, &TfrmAbout::Button2Click);

    auto *buttons = new QVBoxLayout;
    buttons->addWidget(m_button1);
    buttons->addWidget(m_button2);
    buttons->addStretch(1);
    auto *left = new QVBoxLayout;
    left->addWidget(m_image3);
    left->addStretch(1);
    auto *top = new QHBoxLayout(this);
    top->addLayout(left);
    top->addWidget(m_groupBox1, 1);
    top->addLayout(buttons);

    SetLabelHot(false);
    resize(sizeHint().expandedTo(QSize(620, 320)));
    if (const QScreen *screen = parent ? parent->screen() : QApplication::primaryScreen()) {
        QRect frame(QPoint(0, 0), size());
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

AboutText::TComponentVersions TfrmAbout::RunningVersions()
{
    AboutText::TComponentVersions versions;
    versions.Qt = QString::fromLatin1(qVersion());
#ifdef TAGFORGE_HAVE_WEBENGINE
    versions.WebEngine = QString::fromLatin1(qWebEngineVersion());
    versions.Chromium = QString::fromLatin1(qWebEngineChromiumVersion());
#endif
    return versions;
}

void TfrmAbout::Button2Click()
{
    ShowInformation(QStringLiteral("Component Authors..."), AboutText::ComponentsText(RunningVersions()));
}

void TfrmAbout::Label1Click()
{
    OpenUrl(QUrl(QString::fromUtf16(AboutText::kHomePage)));
}

void TfrmAbout::Image2Click()
{
    OpenUrl(QUrl(QString::fromUtf16(AboutText::kToolkitSite)));
}

void TfrmAbout::SetLabelHot(bool hot)
{
    QFont f = m_label1->font();
    f.setBold(true);
    f.setUnderline(hot);
    m_label1->setFont(f);
    QPalette p = m_label1->palette();
    // At rest the link takes the desktop's link colour (blue on a light desktop, readable on a dark one).
    p.setColor(QPalette::WindowText, hot ? QColor(Qt::red) : QApplication::palette().color(QPalette::Link));
    m_label1->setPalette(p);
}

bool TfrmAbout::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (watched == m_label1 && type == QEvent::Enter)
        SetLabelHot(true);
    else if ((watched == m_label1 && type == QEvent::Leave) || (watched == m_groupBox1 && type == QEvent::MouseMove))
        SetLabelHot(false);
    else if (type == QEvent::MouseButtonRelease) {
        if (watched == m_label1 || watched == m_image1) {
            Label1Click();
            return true;
        }
        if (watched == m_image2) {
            Image2Click();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
