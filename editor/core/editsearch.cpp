// TEditSearch: Sunday's quick search over one line, with the last-character pre-check.
#include "editor/core/editsearch.h"

#include "editor/core/edittypes.h"

#include <memory>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

// The first index p in [from, end) whose unit is one of the needles, or end.
qsizetype ScanForNeedles(const char16_t *text, qsizetype from, qsizetype end, const std::array<char16_t, 3> &needles)
{
    qsizetype p = from;
#if defined(__SSE2__)
    const __m128i n0 = _mm_set1_epi16(short(needles[0]));
    const __m128i n1 = _mm_set1_epi16(short(needles[1]));
    const __m128i n2 = _mm_set1_epi16(short(needles[2]));
    auto hits = [&](const char16_t *at) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i *>(at));
        const __m128i eq =
            _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi16(v, n0), _mm_cmpeq_epi16(v, n1)), _mm_cmpeq_epi16(v, n2));
        return unsigned(_mm_movemask_epi8(eq));
    };
    for (; p + 16 <= end; p += 16) {
        const unsigned lo = hits(text + p);
        const unsigned hi = hits(text + p + 8);
        if (lo | hi) {
            const unsigned mask = lo | (hi << 16);
            return p + (__builtin_ctz(mask) >> 1);
        }
    }
    for (; p + 8 <= end; p += 8)
        if (const unsigned mask = hits(text + p))
            return p + (__builtin_ctz(mask) >> 1);
#endif
    for (; p < end; ++p)
        if (text[p] == needles[0] || text[p] == needles[1] || text[p] == needles[2])
            return p;
    return end;
}

} // namespace

const char16_t *TEditSearch::FoldTable()
{
    // One entry per UTF-16 unit, so the inner loop folds with a single load and no branch.
    static const std::unique_ptr<char16_t[]> table = [] {
        auto t = std::make_unique<char16_t[]>(65536);
        for (int c = 0; c < 65536; ++c)
            t[c] = QChar(char16_t(c)).toCaseFolded().unicode();
        return t;
    }();
    return table.get();
}

TEditSearch::TEditSearch()
{
    m_shift.fill(1);
}

void TEditSearch::SetPattern(const QString &value)
{
    if (value.isEmpty())
        throw EEditError("Pattern is empty");
    m_pattern = value;
    m_count = 0;
    BuildSkipTable();
}

void TEditSearch::SetSensitive(bool value)
{
    if (value == m_sensitive)
        return;
    m_sensitive = value;
    if (!m_pattern.isEmpty())
        BuildSkipTable();
}

void TEditSearch::BuildSkipTable()
{
    const int m = int(m_pattern.size());
    m_patLen = m;
    m_transPattern = m_pattern;
    if (!m_sensitive) {
        const char16_t *fold = FoldTable();
        char16_t *p = reinterpret_cast<char16_t *>(m_transPattern.data());
        for (int i = 0; i < m; ++i)
            p[i] = fold[p[i]];
    }
    const char16_t *p = reinterpret_cast<const char16_t *>(m_transPattern.constData());
    // Each character's distance from the pattern end plus one; later occurrences win. Characters
    // beyond 8 bits share a slot by their low byte, which keeps the smallest (safe) distance.
    m_shift.fill(m + 1);
    for (int i = 0; i < m; ++i)
        m_shift[p[i] & 0xFF] = m - i;
    // How far back the last character occurs again: the least move that can still match.
    m_lookAt = 1;
    while (m_lookAt < m && p[m - 1] != p[m - 1 - m_lookAt])
        ++m_lookAt;
    CollectNeedles();
}

void TEditSearch::CollectNeedles()
{
    const char16_t last = m_transPattern.at(m_patLen - 1).unicode();
    if (m_needleCount > 0 && m_needlesFor == last && m_needlesFolded == !m_sensitive)
        return;
    m_needlesFor = last;
    m_needlesFolded = !m_sensitive;
    m_needleCount = 0;
    if (m_sensitive) {
        m_needles.fill(last);
        m_needleCount = 1;
        return;
    }
    const char16_t *fold = FoldTable();
    for (int c = 0; c < 65536; ++c) {
        if (fold[c] != last)
            continue;
        if (m_needleCount == int(m_needles.size())) {
            m_needleCount = 0; // too many spellings: the skip table alone drives the scan
            return;
        }
        m_needles[size_t(m_needleCount++)] = char16_t(c);
    }
    for (int i = m_needleCount; i < int(m_needles.size()); ++i)
        m_needles[size_t(i)] = m_needles[0];
}

int TEditSearch::FindAll(QStringView text)
{
    m_results.clear();
    int column = FindFirst(text);
    while (column != 0) {
        m_results.push_back(column);
        column = FindNext();
    }
    return int(m_results.size());
}

int TEditSearch::FindFirst(QStringView text)
{
    m_text = text;
    m_textLen = text.size();
    if (m_patLen == 0 || m_textLen < m_patLen) {
        m_run = m_textLen;
        return 0;
    }
    m_run = -1;
    return FindNext();
}

int TEditSearch::FindNext()
{
    if (m_patLen == 0)
        return 0;
    return m_sensitive ? Scan<false>() : Scan<true>();
}

template <bool Fold>
int TEditSearch::Scan()
{
    const char16_t *fold = FoldTable();
    auto tr = [fold](char16_t c) -> char16_t {
        if constexpr (Fold)
            return fold[c];
        else
            return c;
    };
    const char16_t *text = reinterpret_cast<const char16_t *>(m_text.data());
    const char16_t *pat = reinterpret_cast<const char16_t *>(m_transPattern.constData());
    const qsizetype end = m_textLen;
    const int m = m_patLen;
    const char16_t last = pat[m - 1];
    const qsizetype lookAt = m_lookAt;
    qsizetype s = m_run + m;
    const bool vector = m_needleCount > 0;
    while (s < end) {
        if (vector) {
            // Alignments whose last text character cannot be the pattern's last are skipped in bulk.
            s = ScanForNeedles(text, s, end, m_needles);
            if (s >= end)
                break;
        } else if (tr(text[s]) != last) {
            // The next alignment would start past the end: nothing more can match.
            if (s + 1 >= end)
                break;
            s += m_shift[tr(text[s + 1]) & 0xFF];
            continue;
        }
        const qsizetype base = s - m + 1;
        int i = m - 2;
        while (i >= 0 && tr(text[base + i]) == pat[i])
            --i;
        if (i < 0) {
            m_run = s;
            if (!m_whole || TestWholeWord()) {
                ++m_count;
                return int(base + 1);
            }
        }
        if (s + lookAt >= end)
            break;
        s += m_shift[tr(text[s + lookAt]) & 0xFF] + lookAt - 1;
    }
    m_run = end;
    return 0;
}

bool TEditSearch::TestWholeWord()
{
    const qsizetype first = m_run - m_patLen + 1;
    const qsizetype after = m_run + 1;
    const bool beforeOk = first <= 0 || IsDelimiter(m_text[first - 1]);
    const bool afterOk = after >= m_textLen || IsDelimiter(m_text[after]);
    return beforeOk && afterOk;
}

int TEditSearch::Results(int index) const
{
    if (index < 0 || index >= int(m_results.size()))
        return 0;
    return m_results[size_t(index)];
}

void TEditSearch::FixResults(int first, int delta)
{
    if (delta == 0)
        return;
    for (int i = int(m_results.size()) - 1; i >= 0 && m_results[size_t(i)] > first; --i)
        m_results[size_t(i)] += delta;
}
