// The HTML parser on arbitrary pages: every record lies inside the page, records come in page
// order, tags end at their ">", parameters lie inside their tags, and the records hold every
// character of the page that is not markup punctuation, once and in order.
#include "fuzz/fuzzcheck.h"

#include "analysis/core/htmlparser.h"

namespace {

// What survives of a page once brackets, blanks and line breaks are dropped: the parser turns
// line breaks into blanks inside tags and drops stray brackets, and nothing else.
QString Letters(QStringView text)
{
    QString kept;
    kept.reserve(text.size());
    for (const QChar c : text) {
        if (c != u'<' && c != u'>' && c != u' ' && c != u'\r' && c != u'\n')
            kept.append(c);
    }
    return kept;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    THTMLParser parser;
    parser.SetLines(FuzzInput::Lines(FuzzInput::AsText(data, size)));
    // Positions count a line break as two characters, as the page's CR LF text does.
    const QString page = parser.Lines().join(QStringLiteral("\r\n"));
    parser.Execute();

    const int limit = int(page.size()) + 2; // an unclosed last tag ends past the page's end
    QString records;
    // Tags follow each other in page order, and so do texts; a stray ">" inside a text gives an
    // empty tag before the text that holds it.
    int lastTagStart = 0;
    int lastTextStart = 1;
    bool lastWasText = false;
    const int count = parser.Items().size();
    for (int i = 0; i < count; ++i) {
        const THPHTMLItem item = parser.Items()[i];
        const int start = item.StartPos();
        const int end = item.EndPos();
        // The empty tag of a stray ">" sits one before it, so one at the page's start begins at 0
        // (the outline skips such records).
        const bool strayBracket = item.IsTag() && item.Raw().isEmpty();
        FUZZ_CHECK(start >= (strayBracket ? 0 : 1) && start <= end && end <= limit,
                   QStringLiteral("record %1 at %2..%3 of %4").arg(i).arg(start).arg(end).arg(page.size()));
        int &lastStart = item.IsTag() ? lastTagStart : lastTextStart;
        FUZZ_CHECK(start >= lastStart, QStringLiteral("record %1 starts before the one of its kind before it").arg(i));
        lastStart = start;
        if (item.IsTag()) {
            const THPHTMLTag tag = item.Tag();
            FUZZ_CHECK(tag.Raw() == item.Raw() && end - start == tag.Raw().size() + 2,
                       QStringLiteral("tag %1 is not as long as its text").arg(i));
            const bool closed = i + 1 < count || end <= page.size() + 1;
            if (closed)
                FUZZ_CHECK(end - 2 < page.size() && page.at(end - 2) == u'>', QStringLiteral("tag %1 does not end at a \">\"").arg(i));
            for (const THPHTMLParam param : tag.Params()) {
                FUZZ_CHECK(param.StartPos() > start && param.EndPos() < end && param.StartPos() < param.EndPos(),
                           QStringLiteral("parameter outside tag %1").arg(i));
                FUZZ_CHECK(tag.Raw().mid(param.StartPos() - start - 1, param.Raw().size()) == param.Raw(),
                           QStringLiteral("parameter of tag %1 is not at its place").arg(i));
                FUZZ_CHECK(!param.Raw().isEmpty() && (param.Value().isEmpty() || param.Raw().contains(u'=')),
                           QStringLiteral("parameter value without \"=\""));
            }
            (void)tag.Name();
            records += u'<';
            records += tag.Raw();
            records += u'>';
            lastWasText = false;
        } else {
            FUZZ_CHECK(!lastWasText, QStringLiteral("two texts in a row at record %1").arg(i));
            FUZZ_CHECK(!item.Raw().isEmpty(), QStringLiteral("empty text record %1").arg(i));
            (void)item.Text().Text();
            records += item.Raw();
            lastWasText = true;
        }
    }
    FUZZ_CHECK(Letters(records) == Letters(page), QStringLiteral("the records do not hold the page's text"));
    return 0;
}
