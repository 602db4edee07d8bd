// Tag insight decisions: when hints show, which names the list offers, what choosing inserts,
// and how the tooltip lays out its lines.
#include "aids/core/taghintlayout.h"
#include "aids/core/taginsight.h"
#include "../../currenthtml.h"

#include <QRegularExpression>
#include <QTest>

using namespace TagInsight;

// "<ta|" stands for the text "<ta" with the caret after "a"; Caret() answers its selection start.
static int Caret(QString &marked)
{
    const int bar = int(marked.indexOf(QLatin1Char('|')));
    marked.remove(bar, 1);
    return bar + 1;
}

class TestTagInsight : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void checkTagHint_data()
    {
        QTest::addColumn<QString>("marked");
        QTest::addColumn<bool>("selection");
        QTest::addColumn<int>("decision");
        QTest::addColumn<QString>("name");
        const int hide = int(THintDecision::Hide), hints = int(THintDecision::Hints);
        QTest::newRow("known tag name") << "<a|" << false << hints << "a";
        QTest::newRow("blank after the name") << "<a |" << false << hints << "a";
        QTest::newRow("name read past the caret") << "<ta|ble" << false << hints << "table";
        QTest::newRow("tag over two lines") << "<a\r\nhref=|" << false << hints << "a";
        QTest::newRow("unknown name") << "<ta|" << false << int(THintDecision::NameList) << "";
        QTest::newRow("end tag") << "</a|" << false << hide << "";
        QTest::newRow("between double quotes") << "<a href=\"|\">" << false << hide << "";
        QTest::newRow("one quote at the end of the text") << "<a href=\"|" << false << hints << "a";
        QTest::newRow("after closing bracket") << "<p>|" << false << hide << "";
        QTest::newRow("no bracket at all") << "text|" << false << hide << "";
        QTest::newRow("caret at the start") << "|<a" << false << hide << "";
        QTest::newRow("bracket alone") << "<|" << false << hide << "";
        QTest::newRow("with a selection") << "<a|" << true << hide << "";
    }

    void checkTagHint()
    {
        QFETCH(QString, marked);
        QFETCH(bool, selection);
        QFETCH(int, decision);
        QFETCH(QString, name);
        TTagNames names;
        names.Assign({QStringLiteral("A"), QStringLiteral("/P"), QStringLiteral("TABLE")});
        const int selStart = Caret(marked);
        const TTagHintCheck check = CheckTagHint(marked, selStart, selection, names);
        QCOMPARE(int(check.Decision), decision);
        QCOMPARE(check.SelTagName, name);
        QCOMPARE(check.AfterBlank, marked.at(qMax(0, selStart - 2)) == QLatin1Char(' '));
    }

    void nameList_data()
    {
        QTest::addColumn<QString>("marked");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<int>("insightStart");
        QTest::addColumn<int>("insightLen");
        QTest::newRow("prefix match first, contains after")
            << "<Ta|>" << QStringList{"TABLE", "DATA", "META"} << 1 << 2;
        QTest::newRow("each prefix match goes to the top")
            << "<t|" << QStringList{"TT", "TBODY", "TABLE", "DATA", "META", "STYLE"} << 1 << 1;
        QTest::newRow("the typed name itself is not offered") << "<tt|" << QStringList{} << 0 << 0;
        QTest::newRow("prefix runs past the caret") << "<ta|b>" << QStringList{"TABLE"} << 1 << 3;
        QTest::newRow("after a blank") << "<x ta|" << QStringList{"TABLE", "DATA", "META"} << 3 << 2;
        QTest::newRow("at the start of the text") << "ta|" << QStringList{"TABLE", "DATA", "META"} << 0 << 2;
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
        TTagNames names;
        names.Assign({QStringLiteral("TABLE")});
        QList<TMyHTMLTag> tags;
        for (const char *n : {"A", "TABLE", "DATA", "TBODY", "META", "TT", "STYLE"})
            tags << TMyHTMLTag(QLatin1String(n));
        const int selStart = Caret(marked);
        const TNameList list = FillInsightList(marked, selStart, names, tags);
        QCOMPARE(list.Names, expected);
        QCOMPARE(list.InsightStart, insightStart);
        QCOMPARE(list.InsightLen, insightLen);
    }

    void tagHints()
    {
        QList<TMyHTMLTag> tags{TMyHTMLTag("A"), TMyHTMLTag("BR"), TMyHTMLTag("B"), TMyHTMLTag("B")};
        tags[0].Strings = QStringList{"HREF=target address", "NAME=anchor"};
        tags[2].Strings = QStringList{"OLD=first"};
        tags[3].Strings = QStringList{"NEW=second", "FLAG"};
        const TTagHints a = TagHints(QStringLiteral("a"), tags);
        QCOMPARE(a.MemoText, QStringLiteral(" HREF=target address NAME=anchor"));
        QCOMPARE(a.ParameterItems, QStringList({"HREF=\"\"", "NAME=\"\""}));
        QVERIFY(!TagHints(QStringLiteral("br"), tags).Found);    // an entry without parameters
        QVERIFY(!TagHints(QStringLiteral("table"), tags).Found); // no entry
        QCOMPARE(TagHints(QStringLiteral("B"), tags).ParameterItems, QStringList({"NEW=\"\"", "\"\""}));
    }

    void insertion_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QChar>("before");
        QTest::addColumn<bool>("insightShown");
        QTest::addColumn<QString>("text"); // empty: nothing inserted
        QTest::addColumn<int>("selStart");
        QTest::addColumn<int>("selEnd");
        // The prefix starts after position 1 and is 2 long ("<ta"); the text is 3 long.
        QTest::newRow("name replaces the prefix") << "TABLE" << QChar('a') << true << "table" << 2 << 4;
        QTest::newRow("parameter after a blank") << "HREF=\"\"" << QChar(' ') << false << "href=\"\"" << 0 << 0;
        QTest::newRow("parameter gets its blank") << "HREF=\"\"" << QChar('a') << false << " href=\"\"" << 0 << 0;
        QTest::newRow("single blank inserts nothing") << "" << QChar('a') << false << "" << 0 << 0;
    }

    void insertion()
    {
        QFETCH(QString, entry);
        QFETCH(QChar, before);
        QFETCH(bool, insightShown);
        QFETCH(QString, text);
        QFETCH(int, selStart);
        QFETCH(int, selEnd);
        const TInsertion ins = InsightInsertion(entry, before, insightShown, 1, 2, 3);
        QCOMPARE(ins.Skip, text.isEmpty());
        QCOMPARE(ins.Text, text);
        QCOMPARE(ins.ReplacePrefix && ins.SelStart == selStart && ins.SelEnd == selEnd, insightShown);
        QCOMPARE(ins.CaretBetweenQuotes, text.contains(QLatin1Char('"')));
        // A prefix reaching past the text is cut at its end.
        const TInsertion cut = InsightInsertion(entry, before, true, 2, 9, 3);
        QCOMPARE(cut.SelEnd, 4);
    }

    void hintWords()
    {
        QStringList texts;
        QList<bool> bold;
        for (const auto &w : TagHintLayout::HintWords({"HREF=the target", "ACCEPT CHARSET=sets", "FLAG"})) {
            texts << w.Text;
            bold << w.Name;
        }
        QCOMPARE(texts, QStringList({"HREF", "=the", " target", " ACCEPT", " CHARSET", "=sets", " FLAG"}));
        QCOMPARE(bold, QList<bool>({true, false, false, true, true, false, true}));
    }

    void hintLayout_data()
    {
        QTest::addColumn<int>("parameters");
        QTest::newRow("short text on one line") << 2;
        QTest::newRow("long text wrapped") << 30;
    }

    void hintLayout()
    {
        QFETCH(int, parameters);
        QStringList lines;
        for (int i = 0; i < parameters; ++i)
            lines << QStringLiteral("P%1=some words of text").arg(i);
        auto measure = [](const QString &text, bool bold) { return int(text.size()) * (bold ? 8 : 7); };
        const TagHintLayout::TLayout layout = TagHintLayout::Layout(lines, measure, 14);
        QString joined;
        for (const auto &line : layout.Lines) {
            QString text;
            int width = 0;
            for (const auto &w : line) {
                text += w.Text;
                width += measure(w.Text, w.Name);
            }
            QVERIFY2(!text.startsWith(QLatin1Char(' ')), qPrintable(text));
            QVERIFY(width <= 450 - 2 * TagHintLayout::kPadding);
            joined += (joined.isEmpty() ? QString() : QStringLiteral(" ")) + text;
        }
        QCOMPARE(joined, lines.join(QLatin1Char(' '))); // breaks lose and add nothing
        const bool wrapped = layout.Lines.size() > 1;
        QCOMPARE(wrapped, parameters > 2);
        QCOMPARE(layout.Width, wrapped ? 450 : measure(joined, false) + 50);
        QCOMPARE(layout.Height, int(layout.Lines.size()) * 14 + 2 * TagHintLayout::kPadding);
    }

    // The shipped data: each current element completes from its first letters, is known after
    // "<", and its hints show its own attributes and the global ones.
    void currentElementsInShippedData_data()
    {
        QTest::addColumn<QString>("name");
        for (const char *name : kCurrentHtmlElements)
            QTest::newRow(name) << QString::fromLatin1(name);
    }
    void currentElementsInShippedData()
    {
        QFETCH(QString, name);
        static TTagNames names;
        static QList<TMyHTMLTag> tags;
        if (tags.isEmpty()) {
            QVERIFY(TagData::LoadTagNames(QStringLiteral(TAGFORGE_SOURCE_DIR "/Data/tags.dat"), names));
            QVERIFY(TagData::LoadInsightData(QStringLiteral(TAGFORGE_SOURCE_DIR "/Data/insight.dat"), tags));
        }
        QVERIFY(names.IsKnownTag(name));
        if (name.size() > 1) {
            QString typed = QLatin1Char('<') + name.left(name.size() - 1) + QLatin1Char('|');
            const int selStart = Caret(typed);
            if (!names.IsKnownTag(name.left(name.size() - 1))) {
                const TNameList list = FillInsightList(typed, selStart, names, tags);
                QVERIFY2(list.Names.contains(name, Qt::CaseInsensitive), qPrintable(list.Names.join(',')));
            }
        }
        QString inTag = QLatin1Char('<') + name + QStringLiteral(" |");
        const TTagHintCheck check = CheckTagHint(inTag, Caret(inTag), false, names);
        QCOMPARE(int(check.Decision), int(THintDecision::Hints));
        const TTagHints hints = TagHints(name, tags);
        QVERIFY(hints.Found);
        QVERIFY2(hints.Lines.filter(QRegularExpression("^LANG=")).size() == 1, qPrintable(hints.Lines.join('|')));
        QVERIFY(hints.Lines.filter(QRegularExpression("^ID=")).size() <= 1);
        const bool head = QStringList{"html",   "head",     "title",    "meta", "base",   "link", "style",
                                      "script", "noscript", "template", "slot", "source", "track"}
                              .contains(name);
        QCOMPARE(hints.Lines.filter(QRegularExpression("^(ROLE|ARIA-LABEL|DATA-NAME|HIDDEN|TABINDEX)=")).size(),
                 head ? 0 : 5);
    }
};

QTEST_GUILESS_MAIN(TestTagInsight)
#include "tst_taginsight.moc"
