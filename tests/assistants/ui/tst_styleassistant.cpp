// The style assistant dialog: the live preview and the rule it hands back.
#include "assistants/ui/styleassistant.h"

#include <QComboBox>
#include <QFontComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <QToolButton>

namespace {

template <typename T>
T *Field(TfrmStyleAssistant &d, const char *name)
{
    T *w = d.findChild<T *>(QLatin1String(name));
    if (!w)
        qFatal("no field %s", name);
    return w;
}

QLabel *Preview(TfrmStyleAssistant &d)
{
    return Field<QLabel>(d, "lblPreview");
}

} // namespace

class TestStyleAssistant : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void startsWithNothingChosen()
    {
        TfrmStyleAssistant d(nullptr);
        QCOMPARE(d.windowTitle(), QStringLiteral("Create New Style"));
        QCOMPARE(Preview(d)->text(), QStringLiteral("Preview Text\nABCD abcd\n1234567890"));
        QCOMPARE(d.Rule(), QStringLiteral(" {\r\n  font-family: \"\";\r\n  font-size: ;\r\n  text-align: ;\r\n}\r\n"));
    }

    void thePreviewFollowsEveryChoice()
    {
        TfrmStyleAssistant d(nullptr);
        QLabel *preview = Preview(d);
        const int startSize = preview->font().pointSize();
        auto *size = Field<QComboBox>(d, "cbxSize");

        size->setEditText(QStringLiteral("Large"));
        QCOMPARE(preview->font().pointSize(), 18);
        // Typed sizes are the user's own; the preview keeps the last keyword's size.
        size->setEditText(QStringLiteral("12pt"));
        QCOMPARE(preview->font().pointSize(), 18);
        size->setCurrentIndex(size->findText(QStringLiteral("xx-small")));
        QCOMPARE(preview->font().pointSize(), 8);
        QVERIFY(startSize > 0);

        auto *align = Field<QComboBox>(d, "cbxAlign");
        align->setEditText(QStringLiteral("RIGHT"));
        QVERIFY(preview->alignment() & Qt::AlignRight);
        align->setEditText(QStringLiteral("left"));
        QVERIFY(preview->alignment() & Qt::AlignLeft);
        align->setEditText(QStringLiteral("justify"));
        QVERIFY(preview->alignment() & Qt::AlignHCenter);

        auto *bold = Field<QToolButton>(d, "btnBold");
        auto *underline = Field<QToolButton>(d, "btnUnderl");
        bold->click();
        underline->click();
        QVERIFY(preview->font().bold());
        QVERIFY(preview->font().underline());
        QVERIFY(!preview->font().italic());
        bold->click();
        QVERIFY(!preview->font().bold());
        // A size change keeps the styles that are down.
        size->setEditText(QStringLiteral("medium"));
        QVERIFY(preview->font().underline());
        QCOMPARE(preview->font().pointSize(), 14);

        auto *font = Field<QFontComboBox>(d, "cbxFont");
        const QString family = font->itemText(0);
        font->setCurrentIndex(0);
        QCOMPARE(preview->font().family(), family);
        QVERIFY(preview->font().underline());
    }

    void coloursGoToSampleAndPreviewCancelKeepsThem()
    {
        TfrmStyleAssistant d(nullptr);
        QList<std::optional<std::uint32_t>> answers = {0xFF0000u, 0x000080u, std::nullopt};
        QStringList asked;
        d.PickColor = [&](std::uint32_t initial, const QString &title) {
            asked << title + QStringLiteral(" from #") + QString::number(initial, 16);
            return answers.takeFirst();
        };
        Field<QToolButton>(d, "SpeedButton1")->click();
        Field<QToolButton>(d, "SpeedButton2")->click();
        QCOMPARE(Preview(d)->palette().color(QPalette::WindowText), QColor(0xFF, 0, 0));
        QCOMPARE(Preview(d)->palette().color(QPalette::Window), QColor(0, 0, 0x80));
        QCOMPARE(Field<QFrame>(d, "pnlColor")->palette().color(QPalette::Window), QColor(0xFF, 0, 0));
        QCOMPARE(Field<QFrame>(d, "pnlBGColor")->palette().color(QPalette::Window), QColor(0, 0, 0x80));
        // Cancelling the colour dialog keeps the colour chosen before.
        Field<QToolButton>(d, "SpeedButton1")->click();
        QCOMPARE(asked,
                 (QStringList{"Text Color from #0", "Background Color from #ffffff", "Text Color from #ff0000"}));
        QVERIFY(d.Rule().contains(QLatin1String("  color: #FF0000;\r\n  background: #000080;\r\n}")));
    }

    void okHandsBackTheRuleCancelNothing()
    {
        {
            TfrmStyleAssistant d(nullptr);
            QTimer::singleShot(0, &d, [&d] {
                Field<QComboBox>(d, "cbxStyleName")->setEditText(QStringLiteral("h1"));
                Field<QFontComboBox>(d, "cbxFont")->setEditText(QStringLiteral("Arial"));
                Field<QComboBox>(d, "cbxSize")->setEditText(QStringLiteral("large"));
                Field<QComboBox>(d, "cbxAlign")->setEditText(QStringLiteral("center"));
                Field<QToolButton>(d, "btnBold")->click();
                d.PickColor = [](std::uint32_t, const QString &) { return 0xFF0000u; };
                Field<QToolButton>(d, "SpeedButton1")->click();
                d.accept();
            });
            QCOMPARE(d.Execute(), QStringLiteral("h1 {\r\n  font-family: \"Arial\";\r\n  font-size: large;\r\n"
                                                 "  font-weight: bold;\r\n  text-align: center;\r\n"
                                                 "  color: #FF0000;\r\n}\r\n"));
        }
        TfrmStyleAssistant d(nullptr);
        QTimer::singleShot(0, &d, [&d] {
            Field<QComboBox>(d, "cbxStyleName")->setEditText(QStringLiteral("p"));
            d.reject();
        });
        QVERIFY(d.Execute().isEmpty());
    }
};

QTEST_MAIN(TestStyleAssistant)
#include "tst_styleassistant.moc"
