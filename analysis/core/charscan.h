// Finding the next of a few marker characters in UTF-16 text, eight characters at a time.
#pragma once

#include <QtGlobal>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

// Calls f(i) for every index i of s[from, n) whose character equals a, b, c or d, in order.
// Sixteen characters are compared at once and every marker among them is visited before the
// next sixteen are loaded, so that a page with a marker every few characters does not start a
// new search for each one.
template <typename F>
inline void ForEachOf4(const char16_t *s, qsizetype from, qsizetype n, char16_t a, char16_t b, char16_t c, char16_t d,
                       F &&f)
{
    qsizetype i = from;
#if defined(__SSE2__)
    const __m128i va = _mm_set1_epi16(short(a));
    const __m128i vb = _mm_set1_epi16(short(b));
    const __m128i vc = _mm_set1_epi16(short(c));
    const __m128i vd = _mm_set1_epi16(short(d));
    const auto hits = [&](qsizetype at) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i *>(s + at));
        return _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi16(v, va), _mm_cmpeq_epi16(v, vb)),
                            _mm_or_si128(_mm_cmpeq_epi16(v, vc), _mm_cmpeq_epi16(v, vd)));
    };
    for (; i + 16 <= n; i += 16) {
        // Each 16-bit lane is all ones or all zeros: packing keeps one byte, so one bit, per character.
        unsigned bits = unsigned(_mm_movemask_epi8(_mm_packs_epi16(hits(i), hits(i + 8))));
        while (bits != 0) {
            f(i + __builtin_ctz(bits));
            bits &= bits - 1;
        }
    }
#endif
    for (; i < n; ++i) {
        const char16_t x = s[i];
        if (x == a || x == b || x == c || x == d)
            f(i);
    }
}
