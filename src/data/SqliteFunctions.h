#pragma once

struct sqlite3;

// Text comparison the way the help desk expects it: without regard to letter case, for every
// alphabet ('ÅSA' = 'åsa'). Registers on one SQLite connection the collation UNICODE_NOCASE
// (declared on every text column) and a like() of the same rules, which replaces SQLite's
// ASCII-only one.
namespace SqliteFunctions {

inline constexpr const char *kCollation = "UNICODE_NOCASE";

void registerOn(sqlite3 *db);

// The two building blocks, open to tests.
int compareNoCase(const char *a, int lenA, const char *b, int lenB);
bool likeMatch(const char *pattern, int patternLen, const char *text, int textLen,
               char32_t escape = 0);

} // namespace SqliteFunctions
