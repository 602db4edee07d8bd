// Token rules of the HTML highlighter: tags, values, comments, server script, entities, ranges.
#include "highlight/core/htmlsyn.h"
#include "highlight/core/htmltables.h"
#include "tokendump.h"

#include <QFile>
#include <QTest>
#include <set>

class TestHTMLSyn : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void tokens_data();
    void tokens();
    void rangesCarryAcrossLines_data();
    void rangesCarryAcrossLines();
    void knownTagNames_data();
    void knownTagNames();
    void entities_data();
    void entities();
    void tableShape();
    void shippedTagNamesColourAsKnown();
    void tokenizeLineMatchesOneByOne_data() { tokens_data(); }
    void tokenizeLineMatchesOneByOne();
    void tokenizingUpToAColumnGivesTheWholeLinesTokens_data() { tokens_data(); }
    void tokenizingUpToAColumnGivesTheWholeLinesTokens();
    void rangeTakesLowByteOnly();
    void leftoverEntityDoesNotReachNextLine();
    void attributesOfKinds_data();
    void attributesOfKinds();
    void attributeOrderAndDefaults();
    void identChars();
    void exportHandsOverEveryToken();
};

using S = THTMLSyn;

void TestHTMLSyn::tokens_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("start");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<int>("end");

    // Tags
    QTest::newRow("bold element") << "<b>bold</b>" << int(S::rsText)
                                  << R"(Symbol"<" TagName"b" Symbol">" Text"bold" Symbol"<" TagName"/b" Symbol">")"
                                  << int(S::rsText);
    QTest::newRow("upper-case tag with bare value")
        << "<FONT color=red>" << int(S::rsText)
        << R"(Symbol"<" TagName"FONT" Space" " AttrName"color" Symbol"=" Value"red" Symbol">")" << int(S::rsText);
    QTest::newRow("quoted value includes both quotes")
        << R"(<a href="x y.html">)" << int(S::rsText)
        << R"(Symbol"<" TagName"a" Space" " AttrName"href" Symbol"=" Value"\"x y.html\"" Symbol">")" << int(S::rsText);
    QTest::newRow("string not after equals leaves range")
        << R"(<a "x")" << int(S::rsText) << R"(Symbol"<" TagName"a" Space" " String"\"x\"")" << int(S::rsInTag);
    QTest::newRow("string before tag name keeps name expected")
        << R"(<"x"b>)" << int(S::rsText) << R"(Symbol"<" String"\"x\"" TagName"b" Symbol">")" << int(S::rsText);
    QTest::newRow("letters then digits, unknown")
        << "<blink2>" << int(S::rsText) << R"(Symbol"<" UnknownTag"blink2" Symbol">")" << int(S::rsText);
    QTest::newRow("h7 unknown") << "<h7>" << int(S::rsText) << R"(Symbol"<" UnknownTag"h7" Symbol">")"
                                << int(S::rsText);
    QTest::newRow("name ends after its digits")
        << "<h1a>" << int(S::rsText) << R"(Symbol"<" TagName"h1" AttrName"a" Symbol">")" << int(S::rsText);
    QTest::newRow("xml declaration")
        << R"(<?xml version="1.0"?>)" << int(S::rsText)
        << R"(Symbol"<" UnknownTag"" AttrName"?xml" Space" " AttrName"version" Symbol"=" Value"\"1.0\"" AttrName"?" Symbol">")"
        << int(S::rsText);
    QTest::newRow("doctype is a tag, not a comment")
        << "<!DOCTYPE html>" << int(S::rsText) << R"(Symbol"<" TagName"!DOCTYPE" Space" " AttrName"html" Symbol">")"
        << int(S::rsText);
    QTest::newRow("hash 244 or more is an attribute name")
        << "<zzzzzzzzzz>" << int(S::rsText) << R"(Symbol"<" AttrName"zzzzzzzzzz" Symbol">")" << int(S::rsText);
    QTest::newRow("blank between bracket and name")
        << "< b>" << int(S::rsText) << R"(Symbol"<" Space" " TagName"b" Symbol">")" << int(S::rsText);
    QTest::newRow("unquoted value stops at bracket")
        << "<td width=10>" << int(S::rsText)
        << R"(Symbol"<" TagName"td" Space" " AttrName"width" Symbol"=" Value"10" Symbol">")" << int(S::rsText);
    QTest::newRow("unquoted value runs through a quote")
        << R"(<a x=a"b c>)" << int(S::rsText)
        << R"(Symbol"<" TagName"a" Space" " AttrName"x" Symbol"=" Value"a\"b" Space" " AttrName"c" Symbol">")"
        << int(S::rsText);
    QTest::newRow("bracket inside a quoted value")
        << R"(<a title="a>b">)" << int(S::rsText)
        << R"(Symbol"<" TagName"a" Space" " AttrName"title" Symbol"=" Value"\"a>b\"" Symbol">")" << int(S::rsText);
    QTest::newRow("stray ampersand leaves the tag")
        << "<a &x>" << int(S::rsText) << R"(Symbol"<" TagName"a" Space" " Space"" Text"&x>")" << int(S::rsText);
    QTest::newRow("stray ampersand first on a line")
        << "&x> <b>" << int(S::rsInTag) << R"(Text"" Text"&x> " Symbol"<" TagName"b" Symbol">")" << int(S::rsText);
    QTest::newRow("bracket at line end") << "x <" << int(S::rsText) << R"(Text"x " Symbol"<")" << int(S::rsTagName);
    QTest::newRow("unclosed value string")
        << R"(<img alt="two)" << int(S::rsText)
        << R"(Symbol"<" TagName"img" Space" " AttrName"alt" Symbol"=" Value"\"two")" << int(S::rsInTag);
    QTest::newRow("unclosed plain string")
        << R"(<a "two)" << int(S::rsText) << R"(Symbol"<" TagName"a" Space" " String"\"two")" << int(S::rsInTag);
    QTest::newRow("value expected on the next line")
        << "<img src=" << int(S::rsText) << R"(Symbol"<" TagName"img" Space" " AttrName"src" Symbol"=")"
        << int(S::rsValue);
    QTest::newRow("non-ASCII in a tag")
        << QStringLiteral("<日本 x=é>") << int(S::rsText)
        << QStringLiteral(R"(Symbol"<" UnknownTag"" AttrName"日本" Space" " AttrName"x" Symbol"=" Value"é" Symbol">")")
        << int(S::rsText);

    // Text and entities
    QTest::newRow("entity inside text") << "Fish &amp; chips" << int(S::rsText)
                                        << R"(Text"Fish " Entity"&amp;" Text" chips")" << int(S::rsText);
    QTest::newRow("entity first on a line")
        << "&lt;p&gt;" << int(S::rsText) << R"(Text"" Entity"&lt;" Text"p" Entity"&gt;")" << int(S::rsText);
    QTest::newRow("unlisted entity is text") << "&foo; bar" << int(S::rsText) << R"(Text"&foo; bar")" << int(S::rsText);
    QTest::newRow("unlisted number is text") << "&#65;" << int(S::rsText) << R"(Text"&#65;")" << int(S::rsText);
    QTest::newRow("divide has no semicolon")
        << "a&divide;b" << int(S::rsText) << R"(Text"a" Entity"&divide" Text";b")" << int(S::rsText);
    QTest::newRow("entity cut by line end") << "&amp" << int(S::rsText) << R"(Text"&amp")" << int(S::rsText);
    QTest::newRow("entity after a tag")
        << "<b>&amp;</b>" << int(S::rsText)
        << R"(Symbol"<" TagName"b" Symbol">" Text"" Entity"&amp;" Symbol"<" TagName"/b" Symbol">")" << int(S::rsText);
    QTest::newRow("brackets and equals in text")
        << "a > b = c" << int(S::rsText) << R"(Text"a > b = c")" << int(S::rsText);
    QTest::newRow("non-ASCII text") << QStringLiteral("café 日本") << int(S::rsText)
                                    << QStringLiteral(R"(Text"café 日本")") << int(S::rsText);

    // Blanks and control characters
    QTest::newRow("tab then blanks is one token")
        << "\t   x" << int(S::rsText) << R"(Space"\t   " Text"x")" << int(S::rsText);
    QTest::newRow("blanks then tab are two tokens")
        << "  \tx" << int(S::rsInTag) << R"(Space"  " Space"\t" AttrName"x")" << int(S::rsInTag);
    QTest::newRow("CR LF is one token") << "a\r\nb" << int(S::rsInTag) << R"(AttrName"a" Space"\r\n" AttrName"b")"
                                        << int(S::rsInTag);
    QTest::newRow("lone CR in text") << "a\rb" << int(S::rsText) << R"(Text"a" Space"\r" Text"b")" << int(S::rsText);
    QTest::newRow("NUL does not end the line")
        << QString::fromUtf16(u"a\0b<i>", 6) << int(S::rsText)
        << R"(Text"a" Space"\x00" Text"b" Symbol"<" TagName"i" Symbol">")" << int(S::rsText);
    QTest::newRow("empty line keeps comment") << "" << int(S::rsComment) << "" << int(S::rsComment);
    QTest::newRow("empty line keeps value") << "" << int(S::rsValue) << "" << int(S::rsValue);

    // Comments and server script
    QTest::newRow("shortest comment") << "<!-->x" << int(S::rsText) << R"(Comment"<!--" Comment">" Text"x")"
                                      << int(S::rsText);
    QTest::newRow("empty comment") << "<!---->" << int(S::rsText) << R"(Comment"<!--" Comment"-->")" << int(S::rsText);
    QTest::newRow("comment closed by its own dashes")
        << "<!--->" << int(S::rsText) << R"(Comment"<!--" Comment"->")" << int(S::rsText);
    QTest::newRow("comment left open") << "a <!-- b" << int(S::rsText) << R"(Text"a " Comment"<!--" Comment" b")"
                                       << int(S::rsComment);
    QTest::newRow("comment closed on a later line")
        << "still -->after" << int(S::rsComment) << R"(Comment"still -->" Text"after")" << int(S::rsText);
    QTest::newRow("end mark split over lines") << ">x" << int(S::rsComment) << R"(Comment">x")" << int(S::rsComment);
    QTest::newRow("tags inside a comment")
        << "<b> -- > <i>" << int(S::rsComment) << R"(Comment"<b> -- > <i>")" << int(S::rsComment);
    QTest::newRow("incomplete comment opener")
        << "<!-" << int(S::rsText) << R"(Symbol"<" UnknownTag"!" AttrName"-")" << int(S::rsInTag);
    QTest::newRow("shortest server script") << "<%>" << int(S::rsText) << R"(Asp"<%" Asp">")" << int(S::rsText);
    QTest::newRow("server script on one line")
        << R"(<% if a > b %>done)" << int(S::rsText) << R"(Asp"<%" Asp" if a > b %>" Text"done")" << int(S::rsText);
    QTest::newRow("server script closed first on a line")
        << "%>x" << int(S::rsAsp) << R"(Asp"%>" Text"x")" << int(S::rsText);
    QTest::newRow("server script bracket at line start") << ">" << int(S::rsAsp) << R"(Asp">")" << int(S::rsAsp);
    QTest::newRow("line break inside a comment")
        << "a\nb-->" << int(S::rsComment) << R"(Comment"a" Space"\n" Comment"b-->")" << int(S::rsText);
}

void TestHTMLSyn::tokens()
{
    QFETCH(QString, line);
    QFETCH(int, start);
    QFETCH(QString, expected);
    QFETCH(int, end);

    THTMLSyn syn;
    TRangeState endState = 0;
    QCOMPARE(DumpLine(syn, line, TRangeState(start), &endState), expected);
    QCOMPARE(RangeName(endState), RangeName(TRangeState(end)));
    QCOMPARE(syn.ScanLine(line, 0, TRangeState(start)), TRangeState(end));
}

void TestHTMLSyn::rangesCarryAcrossLines_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("startStates");
    QTest::addColumn<QString>("middleLine");

    QTest::newRow("comment over three lines") << "text <!-- one\ntwo\nthree --> after"
                                              << "Text Comment Comment Text"
                                              << R"(Comment"two")";
    QTest::newRow("server script over three lines") << "<% if x\n  y = 1\n%> done"
                                                    << "Text Asp Asp Text"
                                                    << R"(Asp"  y = 1")";
    QTest::newRow("tag over three lines") << "<img\nsrc=a.gif\nalt=\"x\">text"
                                          << "Text InTag InTag Text"
                                          << R"(AttrName"src" Symbol"=" Value"a.gif")";
    QTest::newRow("tag name on the next line") << "<\nb\n>"
                                               << "Text TagName InTag Text"
                                               << R"(TagName"b")";
    QTest::newRow("value on the next line") << "<a href=\n\"x.html\"\n>"
                                            << "Text Value InTag Text"
                                            << R"(Value"\"x.html\"")";
    QTest::newRow("unclosed string does not carry") << "<img alt=\"two\nwords\" x\n>"
                                                    << "Text InTag InTag Text"
                                                    << R"(AttrName"words" String"\" x")";
    QTest::newRow("comment around a tag") << "<!--\n<b>\n-->"
                                          << "Text Comment Comment Text"
                                          << R"(Comment"<b>")";
}

void TestHTMLSyn::rangesCarryAcrossLines()
{
    QFETCH(QString, text);
    QFETCH(QString, startStates);
    QFETCH(QString, middleLine);

    THTMLSyn syn;
    const QStringList lines = text.split(QLatin1Char('\n'));
    QStringList states;
    TRangeState state = syn.ResetState();
    for (int i = 0; i < lines.size(); ++i) {
        states << RangeName(state);
        if (i == 1)
            QCOMPARE(DumpLine(syn, lines[i], state), middleLine);
        state = syn.ScanLine(lines[i], i, state);
    }
    states << RangeName(state);
    QCOMPARE(states.join(QLatin1Char(' ')), startStates);
}

void TestHTMLSyn::knownTagNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("kind");
    for (const std::string_view tag : HtmlTagNames()) {
        const QString name = QString::fromLatin1(tag.data(), qsizetype(tag.size()));
        QTest::newRow(qPrintable(name)) << name << int(S::tkTagName);
        QTest::newRow(qPrintable(name.toLower())) << name.toLower() << int(S::tkTagName);
    }
    QTest::newRow("mixed case") << "bLoCkQuOtE" << int(S::tkTagName);
    const char *const emptyElements[] = {"AREA",   "BASE",  "BASEFONT",  "BGSOUND", "BR",     "COL",  "FRAME",
                                         "HR",     "IMG",   "INPUT",     "ISINDEX", "KEYGEN", "LINK", "META",
                                         "NEXTID", "PARAM", "PLAINTEXT", "SPACER",  "WBR"};
    for (const char *name : emptyElements) {
        const QString closing = QLatin1Char('/') + QLatin1String(name);
        QTest::newRow(qPrintable(closing)) << closing << int(S::tkUnknownTag);
    }
    QTest::newRow("prefix of a name") << "BLOCKQUOT" << int(S::tkUnknownTag);
    QTest::newRow("name and a letter more") << "TABLES" << int(S::tkUnknownTag);
    QTest::newRow("same letters in another order") << "DOBY" << int(S::tkUnknownTag);
    QTest::newRow("digit instead of letter") << "H0" << int(S::tkUnknownTag);
    QTest::newRow("two digits adding up to a known one") << "H15" << int(S::tkUnknownTag);
}

void TestHTMLSyn::knownTagNames()
{
    QFETCH(QString, name);
    QFETCH(int, kind);
    THTMLSyn syn;
    const QString line = QLatin1Char('<') + name + QStringLiteral(" x>");
    syn.SetRange(S::rsText);
    syn.SetLine(line, 0);
    syn.Next();
    QCOMPARE(syn.GetToken(), name);
    QCOMPARE(KindName(syn.GetTokenKind()), KindName(kind));
    QCOMPARE(syn.GetTokenPos(), 1);
}

void TestHTMLSyn::entities_data()
{
    QTest::addColumn<QString>("entity");
    for (const std::string_view e : HtmlEntities()) {
        const QString text = QString::fromLatin1(e.data(), qsizetype(e.size()));
        QTest::newRow(qPrintable(text)) << text;
        if (text != text.toUpper())
            QTest::newRow(qPrintable(text.toUpper())) << text.toUpper();
    }
}

void TestHTMLSyn::entities()
{
    QFETCH(QString, entity);
    THTMLSyn syn;
    const QString line = QStringLiteral("x") + entity + QStringLiteral("y");
    QCOMPARE(DumpLine(syn, line, S::rsText), QStringLiteral("Text\"x\" Entity%1 Text\"y\"").arg(Quoted(entity)));
}

void TestHTMLSyn::tableShape()
{
    QCOMPARE(HtmlTagNames().size(), size_t(269));
    QCOMPARE(HtmlTagNames()[0], std::string_view("!DOCTYPE"));
    QCOMPARE(HtmlTagNames()[197], std::string_view("/XMP"));
    QCOMPARE(HtmlEntities().size(), size_t(151));
    QCOMPARE(HtmlEntities()[98], std::string_view("&divide"));
    QCOMPARE(HtmlEntities()[107], std::string_view("&ldots;"));

    std::set<std::string_view> distinct(HtmlTagNames().begin(), HtmlTagNames().end());
    QCOMPARE(distinct.size(), HtmlTagNames().size());

    std::set<int> used;
    std::set<int> usedByFirst198;
    int largest = 0;
    for (size_t i = 0; i < HtmlTagNames().size(); ++i) {
        const std::string_view tag = HtmlTagNames()[i];
        const QString name = QString::fromLatin1(tag.data(), qsizetype(tag.size()));
        int hash = -1;
        QCOMPARE(ScanHtmlTagName(QStringView(name).utf16(), name.size(), &hash), int(name.size()));
        used.insert(hash);
        if (i < 198)
            usedByFirst198.insert(hash);
        largest = std::max(largest, hash);
    }
    QCOMPARE(largest, 243);
    QCOMPARE(kHtmlTagHashSlots - int(usedByFirst198.size()), 109);
    QVERIFY(used.size() > usedByFirst198.size());
}

// Data/tags.dat is the one list of element names: every name in it, and the closing form of
// every name listed with "/", colours as a known tag wherever its hash fits the table; the
// closing forms of the void elements (listed without "/") stay unknown unless the first table
// had them.
void TestHTMLSyn::shippedTagNamesColourAsKnown()
{
    QFile file(QStringLiteral(TAGFORGE_SOURCE_DIR "/Data/tags.dat"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QVERIFY(lines.size() > 120);
    const auto kindOf = [](const QString &name) {
        THTMLSyn syn;
        syn.SetRange(S::rsText);
        syn.SetLine(QLatin1Char('<') + name + QLatin1Char('>'), 0);
        syn.Next();
        return syn.GetTokenKind();
    };
    const auto fits = [](const QString &name) {
        int hash = 0;
        ScanHtmlTagName(QStringView(name).utf16(), name.size(), &hash);
        return hash < kHtmlTagHashSlots;
    };
    int unreachable = 0;
    for (const QString &line : lines) {
        const bool paired = line.startsWith(QLatin1Char('/'));
        const QString name = paired ? line.mid(1) : line;
        QVERIFY2(kindOf(name) == S::tkTagName, qPrintable(name));
        QVERIFY2(kindOf(name.toLower()) == S::tkTagName, qPrintable(name));
        const QString closing = QLatin1Char('/') + name;
        if (name.startsWith(QLatin1Char('!'))) {
            continue; // a declaration has no closing form
        } else if (!fits(closing)) {
            ++unreachable;
            QCOMPARE(kindOf(closing), int(S::tkAttrName));
        } else if (paired) {
            QVERIFY2(kindOf(closing) == S::tkTagName, qPrintable(closing));
        }
    }
    QCOMPARE(unreachable, 1); // "/OPTGROUP"
    for (const char *name : {"/SOURCE", "/TRACK", "/BR", "/IMG"})
        QCOMPARE(kindOf(QString::fromLatin1(name)), int(S::tkUnknownTag));
}

// A view paints only its window of a long line: the tokens it gets must be those of the whole
// line, cut after the first one reaching past the column asked for.
void TestHTMLSyn::tokenizingUpToAColumnGivesTheWholeLinesTokens()
{
    QFETCH(QString, line);
    QFETCH(int, start);
    THTMLSyn syn;
    std::vector<THighlightToken> whole;
    syn.TokenizeLine(line, 0, TRangeState(start), whole);
    for (int stop = 0; stop <= line.size() + 1; ++stop) {
        std::vector<THighlightToken> part;
        syn.TokenizeLineUpTo(line, 0, TRangeState(start), part, stop);
        size_t expected = 0;
        while (expected < whole.size()
               && (expected == 0 || whole[expected - 1].Start + whole[expected - 1].Length <= stop))
            ++expected;
        QCOMPARE(part.size(), expected);
        for (size_t i = 0; i < part.size(); ++i) {
            QCOMPARE(part[i].Start, whole[i].Start);
            QCOMPARE(part[i].Length, whole[i].Length);
            QCOMPARE(part[i].Kind, whole[i].Kind);
        }
    }
}

void TestHTMLSyn::tokenizeLineMatchesOneByOne()
{
    QFETCH(QString, line);
    QFETCH(int, start);
    QFETCH(int, end);

    THTMLSyn syn;
    std::vector<THighlightToken> tokens(3, THighlightToken{9, 9, 9, nullptr}); // stale entries must go
    QCOMPARE(syn.TokenizeLine(line, 0, TRangeState(start), tokens), TRangeState(end));

    syn.SetRange(TRangeState(start));
    syn.SetLine(line, 0);
    int covered = 0;
    for (const THighlightToken &t : tokens) {
        QVERIFY(!syn.GetEol());
        QCOMPARE(t.Start, syn.GetTokenPos());
        QCOMPARE(t.Start, covered); // tokens are contiguous
        QCOMPARE(t.Length, int(syn.GetTokenView().size()));
        QCOMPARE(t.Kind, syn.GetTokenKind());
        QCOMPARE(t.Attribute, syn.GetTokenAttribute());
        covered += t.Length;
        syn.Next();
    }
    QVERIFY(syn.GetEol());
    QCOMPARE(covered, int(line.size()));
}

void TestHTMLSyn::rangeTakesLowByteOnly()
{
    THTMLSyn syn;
    syn.SetRange(TRangeState(0x100 + S::rsComment));
    QCOMPARE(syn.GetRange(), TRangeState(S::rsComment));
    QCOMPARE(syn.ScanLine(u"-->", 0, 0x200 + S::rsComment), TRangeState(S::rsText));
    syn.SetRange(TRangeState(S::rsAsp));
    syn.ResetRange();
    QCOMPARE(syn.GetRange(), TRangeState(S::rsText));
    QCOMPARE(syn.ResetState(), TRangeState(S::rsText));
}

void TestHTMLSyn::leftoverEntityDoesNotReachNextLine()
{
    // Painting may stop pulling tokens early; a line that starts in the pending-entity state
    // (the value a fresh line slot holds) must not take over the length of that entity.
    THTMLSyn syn;
    syn.SetRange(S::rsText);
    syn.SetLine(u"a&quot;", 0);
    QCOMPARE(syn.GetToken(), QStringLiteral("a"));
    QCOMPARE(syn.GetRange(), TRangeState(S::rsEntityPending));
    QCOMPARE(DumpLine(syn, u"&x", S::rsEntityPending), QStringLiteral(R"(Text"" Text"&x")"));
}

void TestHTMLSyn::attributesOfKinds_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("token");
    QTest::addColumn<QString>("attribute");
    QTest::newRow("entity") << "&amp;" << 1 << "Escape ampersand";
    QTest::newRow("server script") << "<%x%>" << 0 << "Asp";
    QTest::newRow("comment") << "<!--x-->" << 0 << "Comment";
    QTest::newRow("attribute name") << "<a href>" << 3 << "Identifier";
    QTest::newRow("tag name") << "<a>" << 1 << "Reserved word";
    QTest::newRow("space") << "<a >" << 2 << "Space";
    QTest::newRow("string") << "<a \"s\">" << 3 << "Value";
    QTest::newRow("symbol") << "<a>" << 0 << "Symbol";
    QTest::newRow("text") << "x" << 0 << "Text";
    QTest::newRow("unknown tag") << "<qq>" << 1 << "Unknown word";
    QTest::newRow("value") << "<a b=c>" << 5 << "Value";
}

void TestHTMLSyn::attributesOfKinds()
{
    QFETCH(QString, line);
    QFETCH(int, token);
    QFETCH(QString, attribute);
    THTMLSyn syn;
    syn.SetRange(S::rsText);
    syn.SetLine(line, 0);
    for (int i = 0; i < token; ++i)
        syn.Next();
    QVERIFY(syn.GetTokenAttribute());
    QCOMPARE(syn.GetTokenAttribute()->Name(), attribute);
    syn.NextToEol();
    QVERIFY(syn.GetEol());
    QCOMPARE(syn.GetTokenAttribute(), nullptr);
}

void TestHTMLSyn::attributeOrderAndDefaults()
{
    THTMLSyn syn;
    QStringList names;
    for (int i = 0; i < syn.GetAttribCount(); ++i)
        names << syn.GetAttribute(i)->Name();
    QCOMPARE(names.join(QLatin1Char(',')),
             QStringLiteral("Asp,Comment,Escape ampersand,Identifier,Reserved word,Space,Symbol,Text,"
                            "Unknown word,Value"));
    QCOMPARE(syn.GetDefaultAttribute(0), syn.SpaceAttri());
    QCOMPARE(syn.GetDefaultAttribute(1), syn.CommentAttri());
    QCOMPARE(syn.GetDefaultAttribute(2), syn.KeyAttri());
    QCOMPARE(syn.GetDefaultAttribute(3), nullptr);
    QCOMPARE(syn.GetDefaultAttribute(-1), nullptr);

    // As created, before the main window configures them.
    QCOMPARE(ColorToRgb(syn.KeyAttri()->Foreground()), 0x8000FFu);
    QCOMPARE(ColorToRgb(syn.ValueAttri()->Foreground()), 0x0080FFu);
    QCOMPARE(syn.AndAttri()->Style(), TFontStyles(fsBold));
    QCOMPARE(syn.ASPAttri()->Background(), clYellow);

    QCOMPARE(syn.GetLanguageName(), QStringLiteral("HTML Document"));
    QCOMPARE(syn.DefaultFilter(), QStringLiteral("HTML Document (*.htm,*.html)|*.htm;*.html"));
    QCOMPARE(syn.GetCapability(), THighlighterCapabilities(hcRegistry | hcExportable));
}

void TestHTMLSyn::identChars()
{
    THTMLSyn syn;
    for (QChar c : QStringView(u"aZ7"))
        QVERIFY(syn.IsIdentChar(c));
    for (QChar c : QStringView(u"_-\u00e9")) // ASCII letters and digits only
        QVERIFY2(!syn.IsIdentChar(c), qPrintable(QString(c)));
    QCOMPARE(syn.GetIdentChars().count(), size_t(62));
}

void TestHTMLSyn::exportHandsOverEveryToken()
{
    struct TCollector : THighlighterExportTarget
    {
        QStringList seen;
        void ExportToken(QStringView token, int kind, const THighlightAttributes *attribute) override
        {
            seen << KindName(kind) + Quoted(token) + (attribute ? QString() : QStringLiteral("(none)"));
        }
    } collector;
    THTMLSyn syn;
    syn.SetLineForExport(u"<b>x"); // no target yet: nothing is handed over
    syn.SetExportTarget(&collector);
    syn.SetRange(S::rsText);
    syn.SetLineForExport(u"<b>x");
    while (!syn.GetEol())
        syn.ExportNext();
    QCOMPARE(collector.seen.join(QLatin1Char(' ')),
             QStringLiteral(R"(Symbol"<" TagName"b" Symbol">" Text"x" Eol""(none))"));
}

QTEST_GUILESS_MAIN(TestHTMLSyn)
#include "tst_htmlsyn.moc"
