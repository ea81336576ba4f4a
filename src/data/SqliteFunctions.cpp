#include "SqliteFunctions.h"

#include <QChar>
#include <sqlite3.h>

#include <cstring>
#ifdef __SSE2__
#include <emmintrin.h>
#endif
#include <vector>

namespace SqliteFunctions {
namespace {

// Reads one code point of UTF-8 at p (< end) and advances p. Malformed bytes read as themselves.
inline char32_t readUtf8(const unsigned char *&p, const unsigned char *end)
{
    const unsigned char c = *p++;
    if (c < 0x80)
        return c;
    int extra = 0;
    char32_t cp = 0;
    if ((c & 0xE0) == 0xC0) {
        extra = 1;
        cp = c & 0x1F;
    } else if ((c & 0xF0) == 0xE0) {
        extra = 2;
        cp = c & 0x0F;
    } else if ((c & 0xF8) == 0xF0) {
        extra = 3;
        cp = c & 0x07;
    } else {
        return c;
    }
    for (int k = 0; k < extra; ++k) {
        if (p >= end || (*p & 0xC0) != 0x80)
            return 0xFFFD;
        cp = (cp << 6) | (*p++ & 0x3F);
    }
    return cp;
}

inline char32_t fold(char32_t cp)
{
    if (cp < 0x80)
        return (cp >= 'A' && cp <= 'Z') ? cp + 32 : cp;
    return QChar::toCaseFolded(cp);
}

constexpr int32_t kAny = -1;   // %
constexpr int32_t kOne = -2;   // _

std::vector<int32_t> compilePattern(const char *pattern, int len, char32_t escape)
{
    std::vector<int32_t> out;
    auto p = reinterpret_cast<const unsigned char *>(pattern);
    const auto end = p + len;
    while (p < end) {
        char32_t cp = readUtf8(p, end);
        if (escape && cp == escape && p < end) {
            out.push_back(int32_t(fold(readUtf8(p, end))));
        } else if (cp == '%') {
            if (out.empty() || out.back() != kAny)   // %% is one %
                out.push_back(kAny);
        } else if (cp == '_') {
            out.push_back(kOne);
        } else {
            out.push_back(int32_t(fold(cp)));
        }
    }
    return out;
}

// The next byte at or after s that is one of a, b or c (c == 0: none), or end.
inline const unsigned char *findByte(const unsigned char *s, const unsigned char *end,
                                     unsigned char a, unsigned char b, unsigned char c)
{
#ifdef __SSE2__
    const __m128i va = _mm_set1_epi8(char(a));
    const __m128i vb = _mm_set1_epi8(char(b));
    const __m128i vc = _mm_set1_epi8(char(c ? c : a));
    while (end - s >= 16) {
        const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i *>(s));
        const __m128i hit = _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(x, va), _mm_cmpeq_epi8(x, vb)),
                                          _mm_cmpeq_epi8(x, vc));
        if (const int mask = _mm_movemask_epi8(hit))
            return s + __builtin_ctz(unsigned(mask));
        s += 16;
    }
#endif
    for (; s < end; ++s)
        if (*s == a || *s == b || (c && *s == c))
            return s;
    return end;
}

// Does the text hold the folded literal lit[0..n)?
bool containsFolded(const int32_t *lit, size_t n, const unsigned char *begin, const unsigned char *end)
{
    if (n == 0)
        return true;
    auto restMatches = [&](const unsigned char *q) {
        for (size_t k = 1; k < n; ++k)
            if (q >= end || int32_t(fold(readUtf8(q, end))) != lit[k])
                return false;
        return true;
    };
    const int32_t first = lit[0];
    if (first < 0x80) {
        // Only these bytes can start a character that folds to an ASCII first letter: the letter
        // in either case, and the lead byte of KELVIN SIGN (k) or LONG S (s). Continuation
        // bytes never match, so stepping one byte past a miss stays on character boundaries.
        const auto lower = static_cast<unsigned char>(first);
        const auto upper = static_cast<unsigned char>(
            (first >= 'a' && first <= 'z') ? first - 32 : first);
        const unsigned char special = first == 'k' ? 0xE2 : first == 's' ? 0xC5 : 0;
        for (const unsigned char *s = begin;;) {
            s = findByte(s, end, lower, upper, special);
            if (s == end)
                return false;
            const unsigned char *next = s;
            if (int32_t(fold(readUtf8(next, end))) == first && restMatches(next))
                return true;
            ++s;
        }
    }
    for (const unsigned char *s = begin; s < end;) {
        if (int32_t(fold(readUtf8(s, end))) == first && restMatches(s))
            return true;
    }
    return false;
}

bool matchCompiled(const std::vector<int32_t> &pat, const char *text, int textLen)
{
    const auto begin = reinterpret_cast<const unsigned char *>(text);
    const auto end = begin + textLen;
    const size_t plen = pat.size();

    // The common search: %literal% as a folded substring search.
    if (plen >= 2 && pat.front() == kAny && pat.back() == kAny) {
        bool plain = true;
        for (size_t k = 1; k + 1 < plen; ++k)
            plain = plain && pat[k] >= 0;
        if (plain)
            return containsFolded(pat.data() + 1, plen - 2, begin, end);
    }

    // General case: the classic wildcard walk, backtracking to the last %.
    size_t p = 0;
    const unsigned char *t = begin;
    size_t starP = SIZE_MAX;
    const unsigned char *starT = nullptr;
    while (t < end) {
        if (p < plen && pat[p] == kAny) {
            starP = p++;
            starT = t;
            continue;
        }
        if (p < plen) {
            const unsigned char *next = t;
            const char32_t c = fold(readUtf8(next, end));
            if (pat[p] == kOne || pat[p] == int32_t(c)) {
                ++p;
                t = next;
                continue;
            }
        }
        if (starP == SIZE_MAX)
            return false;
        p = starP + 1;
        readUtf8(starT, end);
        t = starT;
    }
    while (p < plen && pat[p] == kAny)
        ++p;
    return p == plen;
}

int collate(void *, int lenA, const void *a, int lenB, const void *b)
{
    return compareNoCase(static_cast<const char *>(a), lenA, static_cast<const char *>(b), lenB);
}

void deletePattern(void *p) { delete static_cast<std::vector<int32_t> *>(p); }

void likeFunction(sqlite3_context *ctx, int argc, sqlite3_value **argv)
{
    // like(pattern, text [, escape]), as SQLite calls it for "text LIKE pattern [ESCAPE e]".
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL || sqlite3_value_type(argv[1]) == SQLITE_NULL)
        return;   // NULL
    char32_t escape = 0;
    if (argc == 3) {
        const auto e = reinterpret_cast<const unsigned char *>(sqlite3_value_text(argv[2]));
        const int elen = sqlite3_value_bytes(argv[2]);
        const unsigned char *p = e;
        if (!e || elen == 0 || (readUtf8(p, e + elen), p != e + elen)) {
            sqlite3_result_error(ctx, "ESCAPE expression must be a single character", -1);
            return;
        }
        p = e;
        escape = readUtf8(p, e + elen);
    }
    auto *compiled = static_cast<std::vector<int32_t> *>(sqlite3_get_auxdata(ctx, 0));
    if (!compiled) {
        const char *pat = reinterpret_cast<const char *>(sqlite3_value_text(argv[0]));
        const int plen = sqlite3_value_bytes(argv[0]);
        compiled = new std::vector<int32_t>(compilePattern(pat, plen, escape));
        sqlite3_set_auxdata(ctx, 0, compiled, deletePattern);
        // SQLite may drop it at once; read it back so we never use a freed pattern.
        compiled = static_cast<std::vector<int32_t> *>(sqlite3_get_auxdata(ctx, 0));
        if (!compiled) {
            const auto local = compilePattern(pat, plen, escape);
            const char *text = reinterpret_cast<const char *>(sqlite3_value_text(argv[1]));
            sqlite3_result_int(ctx, matchCompiled(local, text, sqlite3_value_bytes(argv[1])));
            return;
        }
    }
    const char *text = reinterpret_cast<const char *>(sqlite3_value_text(argv[1]));
    sqlite3_result_int(ctx, matchCompiled(*compiled, text, sqlite3_value_bytes(argv[1])));
}

} // namespace

int compareNoCase(const char *a, int lenA, const char *b, int lenB)
{
    auto pa = reinterpret_cast<const unsigned char *>(a);
    auto pb = reinterpret_cast<const unsigned char *>(b);
    const auto ea = pa + lenA;
    const auto eb = pb + lenB;
    while (pa < ea && pb < eb) {
        const char32_t ca = fold(readUtf8(pa, ea));
        const char32_t cb = fold(readUtf8(pb, eb));
        if (ca != cb)
            return ca < cb ? -1 : 1;
    }
    if (pa < ea)
        return 1;
    if (pb < eb)
        return -1;
    return 0;
}

bool likeMatch(const char *pattern, int patternLen, const char *text, int textLen, char32_t escape)
{
    return matchCompiled(compilePattern(pattern, patternLen, escape), text, textLen);
}

void registerOn(sqlite3 *db)
{
    sqlite3_create_collation(db, kCollation, SQLITE_UTF8, nullptr, collate);
    const int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC | SQLITE_INNOCUOUS;
    sqlite3_create_function(db, "like", 2, flags, nullptr, likeFunction, nullptr, nullptr);
    sqlite3_create_function(db, "like", 3, flags, nullptr, likeFunction, nullptr, nullptr);
}

} // namespace SqliteFunctions
