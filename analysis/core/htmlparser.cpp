// Splits the lines of a page into a flat list of tag and text records with their positions.
#include "analysis/core/htmlparser.h"

#include "analysis/core/htmlentities.h"

namespace {

constexpr quint64 Brackets = (1ull << '<') | (1ull << '>');

} // namespace

void THPHTMLParam::Parse(const QString &source, qsizetype start, qsizetype length)
{
    SetRaw(source, start, length);
    m_Equals = Raw().indexOf(u'=');
}

QString THPHTMLParam::Name() const
{
    const QStringView raw = Raw();
    return (m_Equals < 0 ? raw : raw.left(m_Equals)).toString().toUpper();
}

QStringView THPHTMLParam::Value() const
{
    if (m_Equals < 0)
        return {};
    QStringView value = Raw().mid(m_Equals + 1);
    if (value.size() > 1 && value.startsWith(u'"') && value.endsWith(u'"'))
        value = value.mid(1, value.size() - 2);
    return value;
}

void THPHTMLTag::Parse(const QString &source, qsizetype start, qsizetype length)
{
    SetRaw(source, start, length);
    m_Params.clear();
    const QStringView s = Raw();
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
            THPHTMLParam &param = m_Params.emplace_back();
            param.Parse(source, start + paramStart, paramEnd - paramStart);
            // Raw character k sits at the tag's StartPos + 1 + k; Place adds the tag's start.
            param.SetStartPos(int(1 + paramStart + StartPos()));
            param.SetEndPos(int(1 + paramEnd + StartPos()));
        }
    }
}

QString THPHTMLTag::Name() const
{
    const QStringView raw = Raw();
    const qsizetype blank = raw.indexOf(u' ');
    return (blank < 0 ? raw : raw.left(blank)).toString().toUpper();
}

void THPHTMLTag::Place(int startPos, int endPos)
{
    const int delta = startPos - StartPos();
    for (THPHTMLParam &param : m_Params) {
        param.SetStartPos(param.StartPos() + delta);
        param.SetEndPos(param.EndPos() + delta);
    }
    SetStartPos(startPos);
    SetEndPos(endPos);
}

QString THPHTMLText::Text() const
{
    const QStringView raw = Raw();
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

void THTMLParser::Execute()
{
    m_TextBuffer.clear();
    m_TagBuffer.clear();
    m_InTag = false;
    m_TextStart = 1;

    for (const QString &line : std::as_const(m_Lines)) {
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
                    FlushText(line, k);
                m_InTag = true;
            } else if (m_InTag) {
                FlushTag(line, k);
            } else {
                // A ">" in running text gives an empty tag record and is left out of the text.
                KeepRun(line, k);
                FlushTag(line, k);
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
    if (m_InTag && !m_TagBuffer.isEmpty())
        FlushTag(QString(), 0);
    FlushText(QString(), 0);
}

void THTMLParser::KeepRun(const QString &line, qsizetype end)
{
    if (end > m_RunStart) {
        QString &buffer = m_InTag ? m_TagBuffer : m_TextBuffer;
        buffer.append(QStringView(line).mid(m_RunStart, end - m_RunStart));
    }
    m_RunStart = end;
}

void THTMLParser::FlushText(const QString &line, qsizetype end)
{
    if (m_InTag || (m_TextBuffer.isEmpty() && end <= m_RunStart))
        return;
    auto text = std::make_unique<THPHTMLText>();
    if (m_TextBuffer.isEmpty()) {
        text->Parse(line, m_RunStart, end - m_RunStart);
    } else {
        KeepRun(line, end);
        text->Parse(m_TextBuffer);
        m_TextBuffer.clear();
    }
    // Positions are the editor's (1-based, a line break counts two), so that choosing the text
    // selects exactly the text, wherever it began.
    text->SetStartPos(m_TextStart);
    text->SetEndPos(m_ParsePos + 1);
    m_Items.push_back(std::move(text));
}

void THTMLParser::FlushTag(const QString &line, qsizetype end)
{
    // Text resumes after a real tag's ">"; a stray ">" in running text leaves it going on.
    if (m_InTag)
        m_TextStart = m_ParsePos + 2;
    m_InTag = false;
    auto tag = std::make_unique<THPHTMLTag>();
    if (m_TagBuffer.isEmpty()) {
        tag->Parse(line, m_RunStart, end - m_RunStart);
    } else {
        // A tag over several lines: its pieces were joined with blanks for the line breaks.
        m_TagBuffer.append(QStringView(line).mid(m_RunStart, end - m_RunStart));
        tag->Parse(m_TagBuffer);
        m_TagBuffer.clear();
    }
    tag->Place(m_ParsePos - int(tag->Raw().size()), m_ParsePos + 2);
    m_Items.push_back(std::move(tag));
}
