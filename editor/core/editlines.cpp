// TEditLines: the line store of one editor, with a gap buffer and a streaming splitter.
#include "editor/core/editlines.h"

#include <QFile>
#include <QIODevice>
#include <QStringDecoder>
#include <algorithm>
#include <stdexcept>

// ---- TEditLineBuffer --------------------------------------------------------------------------

void TEditLineBuffer::moveGapTo(qsizetype i)
{
    if (i == m_gapStart)
        return;
    auto base = m_store.begin();
    if (i < m_gapStart) {
        // Entries [i, gapStart) move to the end of the gap.
        std::move_backward(base + i, base + m_gapStart, base + m_gapStart + m_gapLength);
    } else {
        // Entries [gapEnd, i + gapLength) move to the start of the gap.
        std::move(base + m_gapStart + m_gapLength, base + i + m_gapLength, base + m_gapStart);
    }
    m_gapStart = i;
}

void TEditLineBuffer::grow(qsizetype minFree)
{
    const qsizetype used = size();
    const qsizetype newCapacity = std::max<qsizetype>(used + minFree, used + used / 2 + 16);
    std::vector<TEditLineEntry> fresh;
    fresh.resize(size_t(newCapacity));
    // Lay the entries out with the gap at the same logical place.
    auto src = m_store.begin();
    std::move(src, src + m_gapStart, fresh.begin());
    const qsizetype tail = used - m_gapStart;
    std::move(src + m_gapStart + m_gapLength, src + m_gapStart + m_gapLength + tail,
              fresh.begin() + (newCapacity - tail));
    m_gapLength = newCapacity - used;
    m_store.swap(fresh);
}

void TEditLineBuffer::insert(qsizetype i, TEditLineEntry &&entry)
{
    if (m_gapLength == 0)
        grow(1);
    moveGapTo(i);
    m_store[size_t(m_gapStart)] = std::move(entry);
    ++m_gapStart;
    --m_gapLength;
}

void TEditLineBuffer::erase(qsizetype i)
{
    moveGapTo(i + 1);
    // The erased entry sits just before the gap: release its text and widen the gap over it.
    m_store[size_t(i)] = TEditLineEntry{};
    --m_gapStart;
    ++m_gapLength;
}

void TEditLineBuffer::clear()
{
    std::vector<TEditLineEntry>().swap(m_store);
    m_gapStart = 0;
    m_gapLength = 0;
}

void TEditLineBuffer::reserve(qsizetype n)
{
    if (m_gapLength < n - size())
        grow(n - size());
}

// ---- line splitting ---------------------------------------------------------------------------

// Cuts text that may arrive in several pieces into lines by this rule: a line runs up to
// the next CR or LF; then one CR and after it one LF are skipped. A NUL is kept as a character.
class TEditLineSplitter
{
public:
    template <typename Sink>
    void Feed(QStringView chunk, Sink &&out)
    {
        const char16_t *p = chunk.utf16();
        const char16_t *end = p + chunk.size();
        if (m_skipLF && p < end) {
            if (*p == u'\n')
                ++p;
            m_skipLF = false;
        }
        while (p < end) {
            const char16_t *start = p;
            while (p < end && (*p > u'\r' || (*p != u'\r' && *p != u'\n')))
                ++p;
            if (p == end) {
                m_partial.append(QStringView(start, p - start));
                break;
            }
            if (m_partial.isEmpty()) {
                out(QString(reinterpret_cast<const QChar *>(start), p - start));
            } else {
                m_partial.append(QStringView(start, p - start));
                out(std::move(m_partial));
                m_partial = QString();
            }
            if (*p == u'\r') {
                ++p;
                if (p == end) {
                    m_skipLF = true;
                    break;
                }
            }
            if (*p == u'\n')
                ++p;
        }
    }

    template <typename Sink>
    void Finish(Sink &&out)
    {
        if (!m_partial.isEmpty())
            out(std::move(m_partial));
        m_partial = QString();
        m_skipLF = false;
    }

private:
    QString m_partial;
    bool m_skipLF = false;
};

// ---- TEditLines -------------------------------------------------------------------------------

static void CheckIndex(int index, int count)
{
    if (index < 0 || index >= count)
        throw std::out_of_range("List index out of bounds (" + std::to_string(index) + ")");
}

void TEditLines::Changing()
{
    if (m_updateCount == 0 && OnChanging)
        OnChanging(this);
}

void TEditLines::Changed()
{
    if (m_updateCount == 0 && OnChange)
        OnChange(this);
}

void TEditLines::BeginUpdate()
{
    if (m_updateCount == 0)
        Changing();
    ++m_updateCount;
}

void TEditLines::EndUpdate()
{
    if (m_updateCount <= 0)
        return;
    --m_updateCount;
    if (m_updateCount == 0)
        Changed();
}

int TEditLines::Add(const QString &s)
{
    BeginUpdate();
    AppendRaw(QString(s));
    const int index = Count() - 1;
    if (OnAdded)
        OnAdded(this);
    EndUpdate();
    return index;
}

void TEditLines::InsertRaw(int index, QString &&s)
{
    if (index < 0 || index > Count())
        throw std::out_of_range("List index out of bounds (" + std::to_string(index) + ")");
    LineChanged(index, s.size() + 2);
    m_lines.insert(index, TEditLineEntry{std::move(s), 0});
}

void TEditLines::Insert(int index, const QString &s)
{
    BeginUpdate();
    InsertRaw(index, QString(s));
    if (OnInserted)
        OnInserted(index);
    EndUpdate();
}

void TEditLines::Put(int index, const QString &s)
{
    Put(index, QString(s));
}

void TEditLines::Put(int index, QString &&s)
{
    CheckIndex(index, Count());
    BeginUpdate();
    LineChanged(index, s.size() - m_lines.at(index).text.size());
    m_lines.at(index).text = std::move(s); // the range slot is kept
    if (OnPutted)
        OnPutted(index);
    EndUpdate();
}

void TEditLines::Delete(int index)
{
    CheckIndex(index, Count());
    BeginUpdate();
    if (index == 0 && Count() == 1) {
        LineChanged(0, -m_lines.at(0).text.size());
        m_lines.at(0).text = QString(); // the store never stays empty: empty the only line
    } else {
        LineChanged(index, -(m_lines.at(index).text.size() + 2));
        m_lines.erase(index);
    }
    if (OnDeleted)
        OnDeleted(index);
    EndUpdate();
}

void TEditLines::Clear()
{
    if (OnCleared)
        OnCleared(this);
    if (Count() > 0) {
        Changing();
        m_lines.clear();
        m_totalChars = 0;
        m_knownStarts = 1;
        Changed();
    }
    if (m_loadDepth == 0 && Count() == 0)
        Add(QString());
}

void TEditLines::AddStrings(const QStringList &strings)
{
    BeginUpdate();
    m_lines.reserve(Count() + strings.size());
    for (const QString &s : strings)
        AppendRaw(QString(s));
    if (OnScanRanges)
        OnScanRanges(this);
    EndUpdate();
}

void TEditLines::AddStrings(const TEditLines &strings)
{
    BeginUpdate();
    const int n = strings.Count();
    m_lines.reserve(Count() + n);
    for (int i = 0; i < n; ++i)
        AppendRaw(QString(strings.Strings(i)));
    if (OnScanRanges)
        OnScanRanges(this);
    EndUpdate();
}

void TEditLines::Assign(const TEditLines &source)
{
    if (&source == this)
        return;
    BeginLoad();
    BeginUpdate();
    Clear();
    AddStrings(source);
    EndUpdate();
    EndLoad();
}

void TEditLines::Assign(const QStringList &source)
{
    BeginLoad();
    BeginUpdate();
    Clear();
    AddStrings(source);
    EndUpdate();
    EndLoad();
}

void TEditLines::EndLoad()
{
    if (m_loadDepth < 1)
        return;
    --m_loadDepth;
    if (m_loadDepth == 0 && Count() == 0)
        Add(QString());
}

qint64 TEditLines::LineStart(int index) const
{
    index = std::clamp(index, 0, Count());
    if (qsizetype(m_starts.size()) < qsizetype(index) + 1)
        m_starts.resize(size_t(index) + 1);
    for (qsizetype i = m_knownStarts; i <= index; ++i) {
        m_starts[size_t(i)] = m_starts[size_t(i - 1)] + m_lines.at(i - 1).text.size() + 2;
        ++m_linesSummed;
    }
    m_knownStarts = std::max<qsizetype>(m_knownStarts, qsizetype(index) + 1);
    return m_starts[size_t(index)];
}

int TEditLines::LineAtPosition(qint64 pos) const
{
    const int count = Count();
    if (count == 0 || pos <= 0)
        return 0;
    // Known starts are searched; beyond them the index counts forward until it passes pos.
    const qsizetype known = std::min<qsizetype>(m_knownStarts, count);
    if (m_starts[size_t(known - 1)] <= pos) {
        int line = int(known - 1);
        while (line + 1 < count && LineStart(line + 1) <= pos)
            ++line;
        return line;
    }
    const auto first = m_starts.begin();
    return int(std::upper_bound(first, first + known, pos) - first) - 1;
}

QString TEditLines::Text() const
{
    const int n = Count();
    QString result;
    result.reserve(qsizetype(m_totalChars));
    for (int i = 0; i < n; ++i) {
        result.append(m_lines.at(i).text);
        result.append(u"\r\n");
    }
    return result;
}

void TEditLines::AppendLoaded(QString &&line)
{
    if (!OnAdded) {
        AppendRaw(std::move(line));
        return;
    }
    BeginUpdate();
    AppendRaw(std::move(line));
    OnAdded(this);
    EndUpdate();
}

void TEditLines::SetTextStr(QStringView value)
{
    // The assignment runs at load depth > 0 so that its clearing step adds no spurious empty first
    // line even when called directly (the engine always wraps it in BeginLoad/EndLoad).
    BeginLoad();
    BeginUpdate();
    Clear();
    TEditLineSplitter splitter;
    auto sink = [this](QString &&line) { AppendLoaded(std::move(line)); };
    splitter.Feed(value, sink);
    splitter.Finish(sink);
    EndUpdate();
    if (OnSetText)
        OnSetText(this);
    EndLoad();
}

bool TEditLines::LoadFromStream(QIODevice &stream, QStringDecoder &decoder)
{
    if (!decoder.isValid())
        return false;
    BeginLoad();
    BeginUpdate();
    TNotifyHook savedAdded;
    const bool scanAfter = bool(OnScanRanges);
    if (scanAfter)
        savedAdded = std::exchange(OnAdded, TNotifyHook());
    Clear();
    // Reserve the entry array from a guess of 40 bytes a line so that growing it seldom copies.
    if (stream.size() > 0)
        m_lines.reserve(qsizetype(stream.size() / 40));
    TEditLineSplitter splitter;
    auto sink = [this](QString &&line) { AppendLoaded(std::move(line)); };
    bool ok = stream.isReadable();
    QByteArray block(1 << 20, Qt::Uninitialized);
    while (ok) {
        const qint64 got = stream.read(block.data(), block.size());
        if (got < 0) {
            ok = false;
            break;
        }
        if (got == 0 && stream.atEnd())
            break;
        if (got == 0 && !stream.waitForReadyRead(-1))
            break;
        const QString chunk = decoder.decode(QByteArrayView(block.constData(), got));
        splitter.Feed(chunk, sink);
    }
    const QString rest = decoder.decode(QByteArrayView());
    splitter.Feed(rest, sink);
    splitter.Finish(sink);
    if (OnSetText)
        OnSetText(this);
    if (scanAfter) {
        OnScanRanges(this);
        OnAdded = std::move(savedAdded);
    }
    EndLoad();
    EndUpdate();
    return ok;
}

void TEditLines::Adopt(TEditLines &source)
{
    if (&source == this)
        return;
    BeginLoad();
    BeginUpdate();
    Clear();
    std::swap(m_lines, source.m_lines);
    std::swap(m_totalChars, source.m_totalChars);
    m_knownStarts = 1;
    source.m_knownStarts = 1;
    if (OnSetText)
        OnSetText(this);
    if (OnScanRanges)
        OnScanRanges(this);
    EndLoad();
    EndUpdate();
}

bool TEditLines::LoadFromStream(QIODevice &stream)
{
    QStringDecoder decoder(QStringDecoder::Utf8);
    return LoadFromStream(stream, decoder);
}

bool TEditLines::LoadFromFile(const QString &fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    return LoadFromStream(file);
}
