// The about window: its caption and text, the components box, the links and the hover effect.
#include "prefs/ui/about.h"

#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QUrl>

class TestAbout : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void captionTextAndFlags()
    {
        TfrmAbout about;
        QCOMPARE(about.windowTitle(), QStringLiteral("About TagForge"));
        QVERIFY(about.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QCOMPARE(about.windowFlags() & Qt::WindowType_Mask, Qt::Tool);
        auto *memo = about.findChild<QPlainTextEdit *>(QStringLiteral("Memo1"));
        QVERIFY(memo && memo->isReadOnly());
        QVERIFY(memo->toPlainText().startsWith(QStringLiteral("TagForge " TAGFORGE_VERSION "\n")));
        QVERIFY(!about.findChild<QLabel *>(QStringLiteral("Image3"))->pixmap().isNull());
    }

    void componentsNameTheRunningVersions()
    {
        TfrmAbout about;
        QString caption, text;
        about.ShowInformation = [&](const QString &c, const QString &t) {
            caption = c;
            text = t;
        };
        about.findChild<QPushButton *>(QStringLiteral("Button2"))->click();
        QCOMPARE(caption, QStringLiteral("Component Authors..."));
        const AboutText::TComponentVersions running = TfrmAbout::RunningVersions();
        QCOMPARE(running.Qt, QString::fromLatin1(qVersion()));
        QVERIFY(text.contains(QStringLiteral("- Qt ") + running.Qt));
        if (!running.WebEngine.isEmpty())
            QVERIFY(text.contains(QStringLiteral("Qt WebEngine ") + running.WebEngine + QStringLiteral(", on Chromium ")
                                  + running.Chromium));
    }

    void linksOpenTheirSites()
    {
        TfrmAbout about;
        QList<QUrl> opened;
        about.OpenUrl = [&](const QUrl &url) { opened << url; };
        about.show();
        QTest::mouseClick(about.findChild<QLabel *>(QStringLiteral("Label1")), Qt::LeftButton);
        QTest::mouseClick(about.findChild<QLabel *>(QStringLiteral("Image1")), Qt::LeftButton);
        QTest::mouseClick(about.findChild<QLabel *>(QStringLiteral("Image2")), Qt::LeftButton);
        const QUrl home(QString::fromUtf16(AboutText::kHomePage));
        QCOMPARE(opened, (QList<QUrl>{home, home, QUrl(QString::fromUtf16(AboutText::kToolkitSite))}));
    }

    void hoverDrawsTheLinkRedThenInTheLinkColour()
    {
        TfrmAbout about;
        about.show();
        auto *label = about.findChild<QLabel *>(QStringLiteral("Label1"));
        QEvent enter(QEvent::Enter);
        QApplication::sendEvent(label, &enter);
        QCOMPARE(label->palette().color(QPalette::WindowText), QColor(Qt::red));
        QVERIFY(label->font().bold() && label->font().underline());
        QTest::mouseMove(about.findChild<QGroupBox *>(QStringLiteral("GroupBox1")), QPoint(2, 2));
        QMouseEvent move(QEvent::MouseMove, QPointF(3, 3), QPointF(3, 3), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(about.findChild<QGroupBox *>(QStringLiteral("GroupBox1")), &move);
        QCOMPARE(label->palette().color(QPalette::WindowText), QApplication::palette().color(QPalette::Link));
        // A dark desktop's link colour is taken as it is.
        QPalette dark = QApplication::palette();
        dark.setColor(QPalette::Link, QColor(0x8a, 0xb4, 0xf8));
        QApplication::setPalette(dark);
        QApplication::sendEvent(label, &enter);
        QApplication::sendEvent(about.findChild<QGroupBox *>(QStringLiteral("GroupBox1")), &move);
        QCOMPARE(label->palette().color(QPalette::WindowText), QColor(0x8a, 0xb4, 0xf8));
        QVERIFY(label->font().bold() && !label->font().underline());
    }
};

QTEST_MAIN(TestAbout)
#include "tst_about.moc"
