// The splash window shown while the main window is being created.
#include "app/ui/splash.h"

#include <QApplication>
#include <QFrame>
#include <QIcon>
#include <QLabel>
#include <QProgressBar>
#include <QScreen>
#include <QVBoxLayout>

TfrmSplash::TfrmSplash(QWidget *parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("frmSplash"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(0xfd, 0xfd, 0xfb));
    setPalette(pal);

    m_image1 = new QLabel(this);
    m_image1->setObjectName(QStringLiteral("Image1"));
    m_image1->setPixmap(QIcon(QStringLiteral(":/tagforge.svg")).pixmap(96, 96));
    m_image2 = new QLabel(this);
    m_image2->setObjectName(QStringLiteral("Image2"));
    m_image2->setText(QStringLiteral("<span style='font-size:22pt; font-weight:600; color:#1f4e79'>"
                                     "TagForge!</span><br><span style='color:#5d6d7e'>"
                                     "the editor for hand-written HTML</span>"));
    m_lblVer = new QLabel(QStringLiteral("V. 0.960"), this);
    m_lblVer->setObjectName(QStringLiteral("lblVer"));
    auto *bevel = new QFrame(this);
    bevel->setObjectName(QStringLiteral("Bevel1"));
    bevel->setFrameShape(QFrame::HLine);
    bevel->setFrameShadow(QFrame::Sunken);
    m_lblStatus = new QLabel(this);
    m_lblStatus->setObjectName(QStringLiteral("lblStatus"));
    m_progress = new QProgressBar(this);
    m_progress->setObjectName(QStringLiteral("Progress"));
    m_progress->setRange(0, 100);
    m_progress->setTextVisible(false);
    m_progress->setFixedHeight(10);

    auto *top = new QHBoxLayout;
    top->addWidget(m_image1);
    top->addSpacing(12);
    top->addWidget(m_image2, 1);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 20, 20, 16);
    layout->addLayout(top);
    layout->addWidget(m_lblVer, 0, Qt::AlignRight);
    layout->addWidget(bevel);
    layout->addWidget(m_lblStatus);
    layout->addWidget(m_progress);
    setFixedSize(420, 230);
    if (QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void TfrmSplash::SetStatus(const QString &text, int progress)
{
    m_lblStatus->setText(text);
    m_progress->setValue(progress);
    Q_EMIT StatusChanged(text, progress);
    repaint();
}

QString TfrmSplash::StatusText() const
{
    return m_lblStatus->text();
}

int TfrmSplash::Progress() const
{
    return m_progress->value();
}
