// Splits the lines of a page into a flat list of tag and text records with their positions.
#include "analysis/core/htmlparser.h"

#include "analysis/core/htmlentities.h"

void THPHTMLParam::Parse(const QString &raw)
{
    m_Raw = raw;
    m_Value.clear();
    const qsizetype eq = raw.indexOf(u'=');
    if (eq < 0) {
        m_Name = raw.toUpper();
        return;
    }
    QStringView value = QStringView(raw).mid(eq + 1);
    if (value.size() > 1 && value.startsWith(u'"') && value.endsWith(u'"'))
        value = value.mid(1, value.size() - 2);
    m_Value = value.toString();
    m_Name = QStringView(raw).left(eq).toString().toUpper();
}

void THPHTMLTag::Parse(const QString &raw)
{
    m_Raw = raw;
    m_Params.clear();
    const QStringView s(raw);
    const qsizetype n = s.size();
    qsizetype pos = s.indexOf(u' ');
    if (pos < 0)
        pos = n;
    m_Name = s.left(pos).toString().toUpper();

    while (pos < n) {
        const qsizetype start = pos;
        bool quoted = false;
        for (; pos < n; ++pos) {
            const QChar c = s[pos];
            if (c == u' ' && !quoted)
                break;
            if (c == u'"')
                quoted = !quoted;
        }
        const qsizetype end = pos;
        if (pos < n)
            ++pos;  // the separating blank
        if (end > start) {
            THPHTMLParam param;
            param.Parse(s.mid(start, end - start).toString());
            // Raw character k sits at the tag's StartPos + 1 + k; SetStartPos adds the tag's start.
            param.SetStartPos(int(1 + start + m_StartPos));
            param.SetEndPos(int(1 + end + m_StartPos));
            m_Params.push_back(std::move(param));
        }
    }
}

void THPHTMLTag::SetStartPos(int pos)
{
    const int delta = pos - m_StartPos;
    for (THPHTMLParam &param : m_Params) {
        param.SetStartPos(param.StartPos() + delta);
        param.SetEndPos(param.EndPos() + delta);
    }
    THPHTMLItem::SetStartPos(pos);
}

void THPHTMLText::Parse(const QString &raw)
{
    m_Raw = raw;
    if (!raw.contains(u'\n') && !raw.contains(QStringView(u"  "))) {
        m_Text = DecodeCharacterReferences(raw);
        return;
    }
    // Line feeds become blanks and every run of blanks becomes one.
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
    m_Text = DecodeCharacterReferences(collapsed);
}

void THTMLParser::Execute()
{
    m_TextBuffer.clear();
    m_TagBuffer.clear();
    m_InTag = false;

    for (const QString &line : std::as_const(m_Lines)) {
        m_ParsePos = m_LineStart;
        const char16_t *chars = reinterpret_cast<const char16_t *>(line.constData());
        const qsizetype n = line.size();
        qsizetype i = 0;
        while (i < n) {
            // Copy the run up to the next bracket in one piece rather than per character.
            qsizetype k = i;
            while (k < n && chars[k] != u'<' && chars[k] != u'>')
                ++k;
            if (k > i) {
                (m_InTag ? m_TagBuffer : m_TextBuffer).append(QStringView(chars + i, k - i));
                m_ParsePos += int(k - i);
            }
            if (k == n)
                break;
            if (chars[k] == u'<') {
                FlushText();
                m_InTag = true;
            } else {
                // Also outside a tag: a ">" in running text gives an empty tag record.
                FlushTag();
            }
            ++m_ParsePos;
            i = k + 1;
        }
        if (!m_InTag && !m_TextBuffer.isEmpty())
            m_TextBuffer.append(u'\n');
        m_LineStart += int(n) + 2;
    }

    if (m_InTag && !m_TagBuffer.isEmpty())
        FlushTag();
    FlushText();
}

void THTMLParser::FlushText()
{
    if (m_InTag || m_TextBuffer.isEmpty())
        return;
    auto text = std::make_unique<THPHTMLText>();
    text->Parse(m_TextBuffer);
    text->SetStartPos(m_ParsePos - int(m_TextBuffer.size()));
    text->SetEndPos(m_ParsePos);
    m_TextBuffer.clear();
    m_Items.push_back(std::move(text));
}

void THTMLParser::FlushTag()
{
    m_InTag = false;
    auto tag = std::make_unique<THPHTMLTag>();
    tag->Parse(m_TagBuffer);
    tag->SetStartPos(m_ParsePos - int(tag->Raw().size()));
    tag->SetEndPos(m_ParsePos + 2);
    m_TagBuffer.clear();
    m_Items.push_back(std::move(tag));
}
