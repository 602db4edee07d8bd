// Splits the lines of a page into a flat list of tag and text records with their positions.
#include "analysis/core/htmlparser.h"

#include "analysis/core/htmlentities.h"

namespace {

constexpr quint64 Brackets = (1ull << '<') | (1ull << '>');

// Characters per piece of the joined text (a record longer than that has a piece of its own).
constexpr qsizetype kJoinedPiece = qsizetype(1) << 20;

} // namespace

QString THPHTMLParam::Name() const
{
    const qsizetype equals = m_Raw.indexOf(u'=');
    return (equals < 0 ? m_Raw : m_Raw.left(equals)).toString().toUpper();
}

QStringView THPHTMLParam::Value() const
{
    const qsizetype equals = m_Raw.indexOf(u'=');
    if (equals < 0)
        return {};
    QStringView value = m_Raw.mid(equals + 1);
    if (value.size() > 1 && value.startsWith(u'"') && value.endsWith(u'"'))
        value = value.mid(1, value.size() - 2);
    return value;
}

THPHTMLParam THPHTMLParams::At(const THTMLParser *parser, QStringView tagRaw, int tagStartPos, int index)
{
    const THTMLParser::TParamSpan &span = parser->m_Params[index];
    // Raw character k of the tag sits at the tag's StartPos + 1 + k.
    const int start = tagStartPos + 1 + int(span.Start);
    return THPHTMLParam(tagRaw.mid(span.Start, span.Length), start, start + int(span.Length));
}

QStringView THPHTMLTag::Raw() const
{
    return m_Parser->RawOf(m_Parser->m_Records[m_Index]);
}

int THPHTMLTag::StartPos() const
{
    return m_Parser->m_Records[m_Index].StartPos;
}

int THPHTMLTag::EndPos() const
{
    const THTMLParser::TRecord &record = m_Parser->m_Records[m_Index];
    return record.StartPos + int(record.Length) + 2;
}

QString THPHTMLTag::Name() const
{
    const QStringView raw = Raw();
    const qsizetype blank = raw.indexOf(u' ');
    return (blank < 0 ? raw : raw.left(blank)).toString().toUpper();
}

THPHTMLParams THPHTMLTag::Params() const
{
    const THTMLParser::TRecord &record = m_Parser->m_Records[m_Index];
    const int first = record.Extra;
    return THPHTMLParams(m_Parser, Raw(), record.StartPos, first, m_Parser->ParamEnd(m_Index) - first);
}

bool THPHTMLItem::IsTag() const
{
    return m_Parser->m_Records[m_Index].IsTag;
}

THPHTMLText THPHTMLItem::Text() const
{
    const THTMLParser::TRecord &record = m_Parser->m_Records[m_Index];
    return THPHTMLText(m_Parser->RawOf(record), record.StartPos, record.Extra);
}

QStringView THPHTMLItem::Raw() const
{
    return m_Parser->RawOf(m_Parser->m_Records[m_Index]);
}

int THPHTMLItem::StartPos() const
{
    return m_Parser->m_Records[m_Index].StartPos;
}

int THPHTMLItem::EndPos() const
{
    return IsTag() ? Tag().EndPos() : m_Parser->m_Records[m_Index].Extra;
}

QString THPHTMLText::Text() const
{
    const QStringView raw = m_Raw;
    if (!raw.contains(u'\n') && !raw.contains(QStringView(u"  ")))
        return DecodeCharacterReferences(raw);
    QString collapsed;
    collapsed.reserve(raw.size());
    QChar last;
    for (QChar c : raw) {
        if (c == u'\n')
            c = u' ';
        if (c == u' ' && last == u' ')
            continue;
        collapsed.append(c);
        last = c;
    }
    return collapsed.contains(u'&') ? DecodeCharacterReferences(collapsed) : collapsed;
}

QStringView THTMLParser::RawOf(const TRecord &record) const
{
    const QString &source = record.Source >= 0 ? m_Lines.at(record.Source) : m_Joined[size_t(-1 - record.Source)];
    return QStringView(source).mid(record.Start, record.Length);
}

int THTMLParser::ParamEnd(int index) const
{
    // Texts never follow each other, so the next tag is one or two records on.
    for (int next = index + 1; next < m_Records.size(); ++next) {
        if (m_Records[next].IsTag)
            return m_Records[next].Extra;
    }
    return m_Params.size();
}

void THTMLParser::Execute()
{
    m_TextBuffer.clear();
    m_TagBuffer.clear();
    m_InTag = false;
    m_TextStart = 1;

    const int lineCount = int(m_Lines.size());
    for (int lineIndex = 0; lineIndex < lineCount; ++lineIndex) {
        const QString &line = m_Lines.at(lineIndex);
        m_ParsePos = m_LineStart;
        m_RunStart = 0;
        const char16_t *chars = reinterpret_cast<const char16_t *>(line.constData());
        const qsizetype n = line.size();
        qsizetype i = 0;
        while (i < n) {
            // A bit mask test keeps this loop's branch predictable on ordinary text.
            qsizetype k = i;
            while (k < n && !((chars[k] < 64) & ((Brackets >> (chars[k] & 63)) & 1)))
                ++k;
            m_ParsePos += int(k - i);
            if (k == n)
                break;
            if (chars[k] == u'<') {
                if (m_InTag)
                    KeepRun(line, k); // a second "<" inside a tag is dropped
                else
                    FlushText(lineIndex, line, k);
                m_InTag = true;
            } else if (m_InTag) {
                FlushTag(lineIndex, line, k);
            } else {
                // A ">" in running text gives an empty tag record and is left out of the text.
                KeepRun(line, k);
                FlushTag(lineIndex, line, k);
            }
            m_RunStart = k + 1;
            ++m_ParsePos;
            i = k + 1;
        }
        KeepRun(line, n);
        if (!m_InTag && !m_TextBuffer.isEmpty())
            m_TextBuffer.append(u'\n');
        // Inside a tag a line break separates like a blank; two of them stand for its two
        // characters, so that the tag's positions still match the document.
        if (m_InTag)
            m_TagBuffer.append(u"  ");
        m_LineStart += int(n) + 2;
    }

    m_RunStart = 0;
    // The last line has no line break after it.
    if (m_InTag && !m_Lines.isEmpty())
        m_TagBuffer.chop(2);
    const QString none;
    if (m_InTag && !m_TagBuffer.isEmpty())
        FlushTag(kNoLine, none, 0);
    FlushText(kNoLine, none, 0);
}

void THTMLParser::KeepRun(const QString &line, qsizetype end)
{
    if (end > m_RunStart) {
        QString &buffer = m_InTag ? m_TagBuffer : m_TextBuffer;
        buffer.append(QStringView(line).mid(m_RunStart, end - m_RunStart));
    }
    m_RunStart = end;
}

void THTMLParser::PlaceRaw(TRecord &record, int lineIndex, qsizetype start, qsizetype length, QString *buffer)
{
    if (buffer) {
        if (m_Joined.empty() || m_Joined.back().size() + buffer->size() > m_Joined.back().capacity()) {
            m_Joined.emplace_back();
            m_Joined.back().reserve(std::max(kJoinedPiece, buffer->size()));
        }
        QString &piece = m_Joined.back();
        record.Source = qint32(-qsizetype(m_Joined.size()));
        record.Start = quint32(piece.size());
        record.Length = quint32(buffer->size());
        piece.append(*buffer);
        buffer->resize(0); // keeps its room for the next record
    } else {
        record.Source = lineIndex;
        record.Start = quint32(start);
        record.Length = quint32(length);
    }
}

void THTMLParser::FlushText(int lineIndex, const QString &line, qsizetype end)
{
    if (m_InTag || (m_TextBuffer.isEmpty() && end <= m_RunStart))
        return;
    TRecord &text = m_Records.emplace_back();
    text.IsTag = false;
    if (m_TextBuffer.isEmpty()) {
        PlaceRaw(text, lineIndex, m_RunStart, end - m_RunStart, nullptr);
    } else {
        KeepRun(line, end);
        PlaceRaw(text, lineIndex, 0, 0, &m_TextBuffer);
    }
    // Positions are the editor's (1-based, a line break counts two), so that choosing the text
    // selects exactly the text, wherever it began.
    text.StartPos = m_TextStart;
    text.Extra = m_ParsePos + 1;
}

void THTMLParser::FlushTag(int lineIndex, const QString &line, qsizetype end)
{
    // Text resumes after a real tag's ">"; a stray ">" in running text leaves it going on.
    if (m_InTag)
        m_TextStart = m_ParsePos + 2;
    m_InTag = false;
    TRecord &tag = m_Records.emplace_back();
    tag.IsTag = true;
    if (m_TagBuffer.isEmpty()) {
        PlaceRaw(tag, lineIndex, m_RunStart, end - m_RunStart, nullptr);
    } else {
        // A tag over several lines: its pieces were joined with blanks for the line breaks.
        m_TagBuffer.append(QStringView(line).mid(m_RunStart, end - m_RunStart));
        PlaceRaw(tag, lineIndex, 0, 0, &m_TagBuffer);
    }
    tag.StartPos = m_ParsePos - int(tag.Length);
    tag.Extra = m_Params.size();
    SplitParams(RawOf(tag));
}

void THTMLParser::SplitParams(QStringView s)
{
    const qsizetype n = s.size();
    qsizetype pos = s.indexOf(u' ');
    if (pos < 0)
        pos = n;
    while (pos < n) {
        const qsizetype paramStart = pos;
        bool quoted = false;
        for (; pos < n; ++pos) {
            const QChar c = s[pos];
            if (c == u' ' && !quoted)
                break;
            if (c == u'"')
                quoted = !quoted;
        }
        const qsizetype paramEnd = pos;
        if (pos < n)
            ++pos; // the separating blank
        if (paramEnd > paramStart) {
            TParamSpan &param = m_Params.emplace_back();
            param.Start = quint32(paramStart);
            param.Length = quint32(paramEnd - paramStart);
        }
    }
}
