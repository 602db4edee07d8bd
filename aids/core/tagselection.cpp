// Finding the element around the caret.
#include "aids/core/tagselection.h"

#include "aids/core/myrichedit.h"
#include "aids/core/snippetplacement.h"

namespace TagSelection {

namespace {

// The document as the editor's positions see it (every line followed by CR LF), read line by line
// so that nothing copies the whole text.
class TPositions
{
public:
    explicit TPositions(const TEditLines &lines) : m_lines(lines), m_total(lines.TotalChars()) {}

    qint64 Total() const { return m_total; }

    // The character at 1-based position pos; a NUL outside the text.
    QChar At(qint64 pos)
    {
        if (pos < 1 || pos > m_total)
            return QChar();
        const qint64 offset = Locate(pos);
        const QString &line = m_lines[m_line];
        if (offset < line.size())
            return line[offset];
        return offset == line.size() ? QChar(u'\r') : QChar(u'\n');
    }

    // The last position at or before pos holding c, 0 when none. c is no line-break character.
    qint64 FindBackward(qint64 pos, QChar c)
    {
        pos = std::min(pos, m_total);
        while (pos >= 1) {
            const qint64 offset = Locate(pos);
            const QString &line = m_lines[m_line];
            if (offset < line.size()) {
                const qsizetype at = line.lastIndexOf(c, offset);
                if (at >= 0)
                    return m_start + at + 1;
            } else if (line.isEmpty() == false) {
                const qsizetype at = line.lastIndexOf(c);
                if (at >= 0)
                    return m_start + at + 1;
            }
            pos = m_start; // the last position of the line before
        }
        return 0;
    }

    // The first position at or after pos where needle starts (within one line), 0 when none.
    qint64 FindForward(qint64 pos, QStringView needle, Qt::CaseSensitivity cs)
    {
        while (pos >= 1 && pos <= m_total) {
            const qint64 offset = Locate(pos);
            const QString &line = m_lines[m_line];
            if (offset < line.size()) {
                const qsizetype at = line.indexOf(needle, offset, cs);
                if (at >= 0)
                    return m_start + at + 1;
            }
            pos = m_start + line.size() + 3; // the first position of the next line
        }
        return 0;
    }

private:
    // Makes m_line the line holding pos and returns pos's 0-based offset in it.
    qint64 Locate(qint64 pos)
    {
        const qint64 p = pos - 1;
        if (m_line < 0 || p < m_start || p >= m_start + m_lines[m_line].size() + 2) {
            m_line = m_lines.LineAtPosition(p);
            m_start = m_lines.LineStart(m_line);
        }
        return p - m_start;
    }

    const TEditLines &m_lines;
    qint64 m_total;
    int m_line = -1;
    qint64 m_start = 0;
};

bool EndsName(QChar c)
{
    return c.isNull() || c == u'\n' || c == u'\r' || c == u' ' || c == u'>';
}

} // namespace

TTagAtCursor FindTagAtCursor(const TEditLines &lines, int selStart)
{
    TTagAtCursor result;
    TPositions text(lines);
    if (text.Total() == 0)
        return result;
    const qint64 p = text.FindBackward(selStart, u'<');
    if (p < 1)
        return result;

    qint64 q = p + 1;
    while (q <= text.Total() && !EndsName(text.At(q)))
        ++q;
    QString name;
    for (qint64 i = p + 1; i < q; ++i)
        name += text.At(i);
    result.Name = name;
    result.Caret = int(q);
    if (name.isEmpty() || name.startsWith(u'/'))
        return result;

    const qint64 close = text.FindForward(p + 1, u">", Qt::CaseSensitive);
    if (close < 1)
        return result;

    qint64 end = 0;
    qint64 from = q;
    for (int depth = 1; depth > 0;) {
        const qint64 match = text.FindForward(from, name, Qt::CaseInsensitive);
        const qint64 m = match > 0 ? match - 1 : -2;
        if (m < 1)
            break;
        from = match + name.size();
        if (text.At(m) == u'/' && text.At(m - 1) == u'<')
            --depth;
        else if (text.At(m) == u'<')
            ++depth;
        if (depth == 0)
            end = m + name.size() + 1;
    }
    result.Found = true;
    result.Start = int(p);
    result.End = int(end > 0 ? end + 1 : close + 1);
    return result;
}

TSelectOutcome SelectTagAtCursor(TMyRichEdit &edit)
{
    if (edit.TotalCharCount() == 0 || (edit.LineCount() == 1 && edit.Lines()[0].isEmpty()))
        return TSelectOutcome::EmptyText;
    const TTagAtCursor tag = FindTagAtCursor(edit.Lines(), edit.SelStart());
    const TDetachedEvents detached(edit);
    if (!tag.Found) {
        if (tag.Caret > 0)
            edit.SetSelStart(tag.Caret);
        edit.SetSelTagName(QString());
        return TSelectOutcome::NoTag;
    }
    edit.SetSelTagName(tag.Name);
    edit.SetSelStart(tag.Start);
    edit.SetSelEnd(tag.End);
    edit.SetHasSelectedTag(true);
    return TSelectOutcome::Selected;
}

void ReplaceSelectedTag(TMyRichEdit &edit, const QString &markup)
{
    if (markup.isEmpty())
        return;
    const QString text = Snippets::WithCrLf(markup);
    const int back = int(edit.SelTagName().size()) + 3;
    edit.LockEditor();
    const int start = edit.SelStart();
    edit.SetSelText(text);
    edit.SetSelStart(start + std::max(0, int(text.size()) - back));
    edit.UnlockEditor();
}

} // namespace TagSelection
