// ifocheck's file matching, which must find what the installer's file search finds on a disc.
#include <gtest/gtest.h>

#include "tools/HostText.h"
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

// The tools read Shift-JIS with the installer's own table on any host, and give the installer only names it can take.
TEST(IfocheckText, ShiftJisAndUtf8BothWays)
{
    struct TEXT_CASE {
        const char* proves;
        const char* utf8;
        const char* shiftJis; // null: the UTF-8 text has no Shift-JIS form
    } const cases[] = {
        {"ASCII stays", "setup.exe", "setup.exe"},
        {"a trail byte 0x5C is part of its character", u8"表ソ.txt", "\x95\x5C\x83\x5C.txt"},
        {"half-width katakana and basic Cyrillic", u8"ｱД", "\xB1\x84\x44"},
        {"the IBM extensions as Windows writes them", u8"纊", "\xFA\x5C"},
        {"an accented letter has no code", u8"José", nullptr},
        {"nor a Ukrainian letter", u8"Її", nullptr},
        {"nor a character outside the basic plane", u8"\U0001F600", nullptr},
        {"bytes that are not UTF-8", "\xC3\x28", nullptr},
        {"an overlong form", "\xC0\xAF", nullptr},
        {"an encoded surrogate", "\xED\xA0\x80", nullptr},
        {"a cut character", "\xE8\xA1", nullptr},
    };
    for (const TEXT_CASE& c : cases) {
        SCOPED_TRACE(c.proves);
        std::string shiftJis = "left over";
        EXPECT_EQ(c.shiftJis != nullptr, Utf8ToCp932(c.utf8, &shiftJis));
        EXPECT_EQ(c.shiftJis != nullptr ? c.shiftJis : "", shiftJis);
        if (c.shiftJis != nullptr) {
            EXPECT_EQ(c.utf8, Cp932ToUtf8(c.shiftJis));
        }
    }
    // Bytes that mean no character, as the installer shows them.
    EXPECT_EQ(u8"a・@・", Cp932ToUtf8("a\x85\x40@\x81"));
}
