// ifocheck's file matching, which must find what the installer's file search finds on a disc.
#include <gtest/gtest.h>

#include "tools/ifocheck/DiscCheck.h"

namespace {

struct WILDCARD_CASE {
    const char* proves;
    const char* pattern;
    const char* name;
    bool matches;
};

// UTF-8 literals: the matcher works on UTF-8 names, while plain literals become Shift-JIS.
const WILDCARD_CASE kWildcardCases[] = {
    {"plain names ignore ASCII case", "Game.EXE", "game.exe", true},
    {"star takes any run", "*.pak", "base.PAK", true},
    {"star takes nothing", "base*.pak", "base.pak", true},
    {"star and a fixed end", "*.pak", "base.pa", false},
    {"question mark is one character", "disc?.dat", "disc1.dat", true},
    {"question mark is not zero characters", "disc?.dat", "disc.dat", false},
    {"question mark is one whole Japanese character", u8"?.txt", u8"表.txt", true},
    {"Japanese letters match only themselves", u8"表*.txt", u8"ア.txt", false},
    {"a final .* matches a name without a dot", "*.*", "README", true},
    {"a final .* matches an extension", "movie.*", "movie.dat", true},
    {"several stars", "*a*b*", "xaybz", true},
    {"several stars that cannot fit", "*a*b*", "xbya", false},
};

TEST(IfocheckWildcards, MatchLikeTheFileSearch)
{
    for (const WILDCARD_CASE& row : kWildcardCases)
        EXPECT_EQ(row.matches, MatchesWildcard(row.pattern, row.name)) << row.proves;
}

} // namespace
