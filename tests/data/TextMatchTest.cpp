#include "SqliteFunctions.h"

#include <QByteArray>
#include <gtest/gtest.h>

namespace {

bool like(const char *pattern, const char *text, char32_t escape = 0)
{
    return SqliteFunctions::likeMatch(pattern, int(strlen(pattern)), text, int(strlen(text)), escape);
}

int cmp(const char *a, const char *b)
{
    return SqliteFunctions::compareNoCase(a, int(strlen(a)), b, int(strlen(b)));
}

TEST(TextMatch, LikeIgnoresCaseInEveryAlphabet)
{
    const struct { const char *pattern; const char *text; bool match; } cases[] = {
        {"%boiler%", "The BOILER is leaking", true},
        {"%boiler%", "boile", false},
        {"%%", "", true},
        {"%", "", true},
        {"", "", true},
        {"", "x", false},
        {"b_iler", "Boiler", true},
        {"b_iler", "Boiiler", false},
        {"%ÅSA%", "kontakt: åsa lund", true},
        {"straße", "STRASSE", false},         // one letter is not two
        {"%ÖL%", "Ölund", true},
        {"a%b%c", "aXXbYYc", true},
        {"a%b%c", "aXXcYYb", false},
        {"%aab", "aaab", true},               // backtracking after a false start
        {"%abc%", "ababc", true},
        {"O'Brien%", "o'brien and sons", true},
        {"_", "é", true},                     // one character, two bytes
        {"__", "é", false},
        {"%kelvin%", "5 \u212Aelvin", true},  // KELVIN SIGN folds to k
        {"%ss%", "Pa\u017Fs", true},           // LONG S folds to s
        {"%boiler%", "a boile\xC3\xA9 and a BoIlEr", true},
        {"%boiler%", "boilerboile", true},
        {"%boiler%", "bboile", false},
        {"%é%", "CAFÉ", true},
        {"%boiler%", "................................................Boiler", true},
        {"%boiler%", "...............b...............B...............Boile", false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.pattern) + " ~ " + c.text);
        EXPECT_EQ(like(c.pattern, c.text), c.match);
    }
}

TEST(TextMatch, EscapeMakesWildcardsPlain)
{
    EXPECT_TRUE(like("100!%", "100%", U'!'));
    EXPECT_FALSE(like("100!%", "1000", U'!'));
    EXPECT_TRUE(like("a!_b", "a_b", U'!'));
    EXPECT_FALSE(like("a!_b", "axb", U'!'));
}

TEST(TextMatch, CollationOrdersWithoutCase)
{
    EXPECT_EQ(cmp("ÅSA", "åsa"), 0);
    EXPECT_EQ(cmp("Closed", "closed"), 0);
    EXPECT_LT(cmp("apple", "Banana"), 0);
    EXPECT_GT(cmp("b", "A"), 0);
    EXPECT_LT(cmp("abc", "ABCD"), 0);
}

} // namespace
