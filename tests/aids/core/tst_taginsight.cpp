// Tag insight decisions: when hints show, which names the list offers, what choosing inserts,
// and how the tooltip lays out its lines.
#include "aids/core/taghintlayout.h"
#include "aids/core/taginsight.h"

#include <QTest>

using namespace TagInsight;

Q_DECLARE_METATYPE(TagInsight::THintDecision)

namespace {

// "<ta|" stands for the text "<ta" with the caret after "a": the text and its selection start.
struct TCaretText
{
    QString Text;
    int SelStart;
};

TCaretText Caret(const QString &marked)
{
    const qsizetype bar = marked.indexOf(QLatin1Char('|'));
    QString text = marked;
    text.remove(bar, 1);
    return {text, int(bar) + 1};
}

TTagNames Names(const QStringList &lines)
{
    TTagNames names;
    names.Assign(lines);
    return names;
}

QList<TMyHTMLTag> Tags(const QStringList &names)
{
    QList<TMyHTMLTag> tags;
    for (const QString &n : names)
        tags << TMyHTMLTag(n);
    return tags;
}

}

class TestTagInsight : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void checkTagHint_data()
    {
        QTest::addColumn<QString>("marked");
        QTest::addColumn<bool>("selection");
        QTest::addColumn<THintDecision>("decision");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("afterBlank");
        const auto hide = THintDecision::Hide;
        const auto hints = THintDecision::Hints;
        const auto list = THintDecision::NameList;
        QTest::newRow("known tag name") << "<a|" << false << hints << "a" << false;
        QTest::newRow("blank after the name") << "<a |" << false << hints << "a" << true;
        QTest::newRow("inside a parameter") << "<A HREF=x|" << false << hints << "A" << false;
        QTest::newRow("name read past the caret") << "<ta|ble" << false << hints << "table" << false;
        QTest::newRow("tag over two lines") << "<a\r\nhref=|" << false << hints << "a" << false;
        QTest::newRow("unknown name") << "<ta|" << false << list << "" << false;
        QTest::newRow("unknown name before bracket") << "<ta|>" << false << list << "" << false;
        QTest::newRow("end tag") << "</a|" << false << hide << "" << false;
        QTest::newRow("between double quotes") << "<a href=\"|\">" << false << hide << "" << false;
        QTest::newRow("one quote at the end of the text") << "<a href=\"|" << false << hints << "a" << false;
        QTest::newRow("after closing bracket") << "<p>|" << false << hide << "" << false;
        QTest::newRow("text after a tag") << "<p>some text|" << false << hide << "" << false;
        QTest::newRow("no bracket at all") << "text|" << false << hide << "" << false;
        QTest::newRow("caret at the start") << "|<a" << false << hide << "" << false;
        QTest::newRow("bracket alone") << "<|" << false << hide << "" << false;
        QTest::newRow("blank right after bracket") << "< |a" << false << hide << "" << false;
        QTest::newRow("with a selection") << "<a|" << true << hide << "" << false;
    }

    void checkTagHint()
    {
        QFETCH(QString, marked);
        QFETCH(bool, selection);
        QFETCH(THintDecision, decision);
        QFETCH(QString, name);
        QFETCH(bool, afterBlank);
        const TTagNames names = Names({QStringLiteral("A"), QStringLiteral("/P"), QStringLiteral("TABLE")});
        const TCaretText t = Caret(marked);
        const TTagHintCheck check = CheckTagHint(t.Text, t.SelStart, selection, names);
        QCOMPARE(check.Decision, decision);
        QCOMPARE(check.SelTagName, name);
        if (decision == THintDecision::Hints)
            QCOMPARE(check.AfterBlank, afterBlank);
    }

    void nameList_data()
    {
        QTest::addColumn<QString>("marked");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<int>("insightStart");
        QTest::addColumn<int>("insightLen");
        QTest::newRow("prefix match first, contains after")
            << "<ta|>" << QStringList{"TABLE", "DATA", "META"} << 1 << 2;
        QTest::newRow("ignores case") << "<Ta|" << QStringList{"TABLE", "DATA", "META"} << 1 << 2;
        QTest::newRow("each prefix match goes to the top")
            << "<t|" << QStringList{"TT", "TBODY", "TABLE", "DATA", "META", "STYLE"} << 1 << 1;
        QTest::newRow("the typed name itself is not offered") << "<tt|" << QStringList{} << 0 << 0;
        QTest::newRow("prefix runs past the caret") << "<ta|b>" << QStringList{"TABLE"} << 1 << 3;
        QTest::newRow("after a blank") << "<x ta|" << QStringList{"TABLE", "DATA", "META"} << 3 << 2;
        QTest::newRow("at the start of the text") << "ta|" << QStringList{"TABLE", "DATA", "META"} << 0 << 2;
        QTest::newRow("on the second line") << "x\r\nta|" << QStringList{"TABLE", "DATA", "META"} << 3 << 2;
        QTest::newRow("known tag after bracket") << "<table|" << QStringList{} << 0 << 0;
        QTest::newRow("empty prefix") << "<|>" << QStringList{} << 0 << 0;
        QTest::newRow("nothing matches") << "<qq|" << QStringList{} << 0 << 0;
    }

    void nameList()
    {
        QFETCH(QString, marked);
        QFETCH(QStringList, expected);
        QFETCH(int, insightStart);
        QFETCH(int, insightLen);
        const TTagNames names = Names({QStringLiteral("TABLE")});
        const QList<TMyHTMLTag> tags =
            Tags({"A", "TABLE", "DATA", "TBODY", "META", "TT", "STYLE"});
        const TCaretText t = Caret(marked);
        const TNameList list = FillInsightList(t.Text, t.SelStart, names, tags);
        QCOMPARE(list.Names, expected);
        QCOMPARE(list.InsightStart, insightStart);
        QCOMPARE(list.InsightLen, insightLen);
    }

    void tagHints()
    {
        QList<TMyHTMLTag> tags = Tags({"A", "BR", "B", "B"});
        tags[0].Strings = QStringList{"HREF=target address", "NAME=anchor"};
        tags[2].Strings = QStringList{"OLD=first"};
        tags[3].Strings = QStringList{"NEW=second", "FLAG"};

        const TTagHints a = TagHints(QStringLiteral("a"), tags);
        QVERIFY(a.Found);
        QCOMPARE(a.MemoText, QStringLiteral(" HREF=target address NAME=anchor"));
        QCOMPARE(a.ParameterItems, QStringList({"HREF=\"\"", "NAME=\"\""}));

        QVERIFY(!TagHints(QStringLiteral("br"), tags).Found);    // an entry without parameters
        QVERIFY(!TagHints(QStringLiteral("table"), tags).Found); // no entry
        const TTagHints b = TagHints(QStringLiteral("B"), tags);
        QCOMPARE(b.Lines, QStringList({"NEW=second", "FLAG"}));
        QCOMPARE(b.ParameterItems, QStringList({"NEW=\"\"", "\"\""}));
    }

    void insertion_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QChar>("before");
        QTest::addColumn<bool>("insightShown");
        QTest::addColumn<bool>("skip");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("selStart");
        QTest::addColumn<int>("selEnd");
        QTest::addColumn<bool>("betweenQuotes");
        // "<ta": the delimiter is at 1, the prefix "ta" is 2 characters long.
        QTest::newRow("name replaces the prefix")
            << "TABLE" << QChar('a') << true << false << "table" << 2 << 4 << false;
        QTest::newRow("parameter after a blank")
            << "HREF=\"\"" << QChar(' ') << false << false << "href=\"\"" << 0 << 0 << true;
        QTest::newRow("parameter gets its blank")
            << "HREF=\"\"" << QChar('a') << false << false << " href=\"\"" << 0 << 0 << true;
        QTest::newRow("parameter at the start of the text")
            << "ID=\"\"" << QChar() << false << false << " id=\"\"" << 0 << 0 << true;
        QTest::newRow("single blank inserts nothing")
            << "" << QChar('a') << false << true << "" << 0 << 0 << false;
    }

    void insertion()
    {
        QFETCH(QString, entry);
        QFETCH(QChar, before);
        QFETCH(bool, insightShown);
        QFETCH(bool, skip);
        QFETCH(QString, text);
        QFETCH(int, selStart);
        QFETCH(int, selEnd);
        QFETCH(bool, betweenQuotes);
        const TInsertion ins = InsightInsertion(entry, before, insightShown, 1, 2, 10);
        QCOMPARE(ins.Skip, skip);
        if (skip)
            return;
        QCOMPARE(ins.Text, text);
        QCOMPARE(ins.ReplacePrefix, insightShown);
        if (insightShown) {
            QCOMPARE(ins.SelStart, selStart);
            QCOMPARE(ins.SelEnd, selEnd);
        }
        QCOMPARE(ins.CaretBetweenQuotes, betweenQuotes);
    }

    void insertionStaysInsideTheText()
    {
        const TInsertion ins = InsightInsertion(QStringLiteral("TABLE"), QChar('a'), true, 5, 9, 7);
        QCOMPARE(ins.SelStart, 6);
        QCOMPARE(ins.SelEnd, 8);
    }

    void hintWords()
    {
        const QList<TagHintLayout::THintWord> words =
            TagHintLayout::HintWords({"HREF=the target", "ACCEPT CHARSET=sets", "FLAG"});
        QStringList texts;
        QList<bool> bold;
        for (const auto &w : words) {
            texts << w.Text;
            bold << w.Name;
        }
        QCOMPARE(texts, QStringList({"HREF", "=the", " target", " ACCEPT", " CHARSET", "=sets", " FLAG"}));
        QCOMPARE(bold, QList<bool>({true, false, false, true, true, false, true}));
    }

    void hintLayout_data()
    {
        QTest::addColumn<int>("parameters");
        QTest::addColumn<bool>("wrapped");
        QTest::newRow("short text on one line") << 2 << false;
        QTest::newRow("long text wrapped") << 30 << true;
    }

    void hintLayout()
    {
        QFETCH(int, parameters);
        QFETCH(bool, wrapped);
        QStringList lines;
        for (int i = 0; i < parameters; ++i)
            lines << QStringLiteral("P%1=some words of text").arg(i);
        // Names are drawn bold, a little wider than the plain font.
        auto measure = [](const QString &text, bool bold) { return int(text.size()) * (bold ? 8 : 7); };
        const int lineHeight = 14;
        const TagHintLayout::TLayout layout = TagHintLayout::Layout(lines, measure, lineHeight);

        QString joined;
        for (const auto &line : layout.Lines) {
            QString text;
            int width = 0;
            for (const auto &w : line) {
                text += w.Text;
                width += measure(w.Text, w.Name);
            }
            QVERIFY2(!text.startsWith(QLatin1Char(' ')), qPrintable(text));
            QVERIFY(width <= TagHintLayout::kWrappedWidth - 2 * TagHintLayout::kPadding);
            joined += (joined.isEmpty() ? QString() : QStringLiteral(" ")) + text;
        }
        // Wrapping loses and adds nothing but the breaks.
        QCOMPARE(joined, lines.join(QLatin1Char(' ')));
        if (wrapped) {
            QCOMPARE(layout.Width, 450);
            QVERIFY(layout.Lines.size() > 1);
        } else {
            QCOMPARE(layout.Lines.size(), 1);
            QCOMPARE(layout.Width, measure(joined, false) + 50);
        }
        QCOMPARE(layout.Height, int(layout.Lines.size()) * lineHeight + 2 * TagHintLayout::kPadding);
    }
};

QTEST_GUILESS_MAIN(TestTagInsight)
#include "tst_taginsight.moc"
