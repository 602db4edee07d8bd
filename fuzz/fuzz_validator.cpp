// The validator on arbitrary pages: each tag it finds is a "<" .. ">" stretch of the page at its
// offset and on its line, each finding and each link points at one of those tags, and local
// links name clean absolute paths.
#include "fuzz/fuzzcheck.h"

#include "analysis/core/htmlvalidator.h"

#include <QDir>
#include <QSet>

#include <algorithm>
#include <vector>

namespace {

// Where the page's line breaks are, counted as the checks count them: CR LF, CR or LF.
class TLineBreaks
{
public:
    explicit TLineBreaks(const QString &text)
    {
        for (qsizetype i = 0; i < text.size(); ++i) {
            if (text.at(i) == u'\r' || (text.at(i) == u'\n' && (i == 0 || text.at(i - 1) != u'\r')))
                m_Breaks.push_back(i);
        }
    }
    // The line of offset: the breaks before it.
    int LineOf(qsizetype offset) const
    {
        return int(std::lower_bound(m_Breaks.begin(), m_Breaks.end(), offset) - m_Breaks.begin());
    }

private:
    std::vector<qsizetype> m_Breaks;
};

const QString &TagDataPath()
{
    static const QString path = QStringLiteral(TAGFORGE_SOURCE_DIR "/Data/tags.dat");
    return path;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString page = FuzzInput::AsText(data, size);

    // The tag data is read once; each input gets a fresh copy of the loaded validator.
    static const THTMLValidator loaded = [] {
        THTMLValidator v;
        v.LoadTagData(TagDataPath());
        return v;
    }();
    THTMLValidator validator = loaded;
    validator.Validate(page);

    const TLineBreaks breaks(page);
    QSet<qsizetype> tagOffsets;
    qsizetype lastEnd = 0;
    for (const THTMLTag &tag : validator.Tags()) {
        const QStringView text = tag.Text();
        const qsizetype offset = tag.Offset();
        FUZZ_CHECK(offset >= lastEnd && offset + text.size() <= page.size(), QStringLiteral("tag at %1 out of order or place").arg(offset));
        FUZZ_CHECK(QStringView(page).mid(offset, text.size()) == text, QStringLiteral("tag at %1 is not the page's text").arg(offset));
        FUZZ_CHECK(text.startsWith(u'<') && text.endsWith(u'>'), QStringLiteral("tag at %1 is not bracketed").arg(offset));
        FUZZ_CHECK(tag.Line() == breaks.LineOf(offset + text.size() - 1), QStringLiteral("tag at %1 on line %2").arg(offset).arg(tag.Line()));
        FUZZ_CHECK(text.contains(tag.Name()), QStringLiteral("tag name not in its tag"));
        qsizetype pos = 0;
        QStringView param;
        int params = 0;
        while (tag.NextParam(pos, param)) {
            FUZZ_CHECK(text.contains(param) && pos <= text.size(), QStringLiteral("parameter not in its tag"));
            FUZZ_CHECK(tag.GetParam(params) == param, QStringLiteral("parameter %1 read two ways").arg(params));
            ++params;
        }
        FUZZ_CHECK(params == tag.ParamCount() && params == tag.Params().size(), QStringLiteral("parameter counts differ"));
        tagOffsets.insert(offset);
        lastEnd = offset + text.size();
    }
    for (int i = 0; i < validator.ErrorCount(); ++i) {
        const TError &error = validator.GetError(i);
        FUZZ_CHECK(tagOffsets.contains(error.Offset), QStringLiteral("finding at %1 is at no tag").arg(error.Offset));
        FUZZ_CHECK(error.Msg.startsWith(QString::number(error.Line) + u':'), QStringLiteral("finding text without its line"));
    }

    // Links: only offsets and paths are checked, against a folder that holds nothing.
    static const QString dir = QDir::tempPath() + QStringLiteral("/tagforge-fuzz-links-none");
    THTMLValidator links;
    links.CheckLinks(page, dir);
    for (int i = 0; i < links.LinkCount(); ++i) {
        const TLink &link = links.GetLink(i);
        FUZZ_CHECK(tagOffsets.contains(link.Offset), QStringLiteral("link at %1 is at no tag").arg(link.Offset));
        FUZZ_CHECK(link.Line >= breaks.LineOf(link.Offset), QStringLiteral("link before its tag's line"));
        if (link.IsLocal)
            FUZZ_CHECK(QDir::isAbsolutePath(link.FileName) && QDir::cleanPath(link.FileName) == link.FileName,
                       QStringLiteral("local link to an unclean path: %1").arg(link.FileName));
    }
    return 0;
}
