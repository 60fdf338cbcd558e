// CZVString: sharing, building, comparing, searching and trimming, with Shift-JIS trail bytes that look like
// ASCII ('A'-'Z', 0x5C) wherever a careless scan would take them for single-byte characters.
#include <gtest/gtest.h>

#include <string>

#include "foundation/ZVString.h"

namespace {

std::string Text(const CZVString& s)
{
    return s.GetString();
}

// Every character below ends in an ASCII-looking trail byte.
const char kSo[] = "ソ";     // 83 5C: trail byte is a backslash
const char kHyo[] = "表";    // 95 5C
const char kA[] = "ア";      // 83 41: trail byte is 'A'

}  // namespace

TEST(StringSharing, CopiesShareUntilOneChanges)
{
    CZVString original("abc");
    CZVString copy(original);
    CZVString assigned;
    assigned = original;
    EXPECT_EQ(original.GetString(), copy.GetString());
    EXPECT_EQ(original.GetString(), assigned.GetString());

    copy += CZVString("d");
    assigned.GetBuffer()[0] = 'X';
    CZVString lowered(original);
    lowered.MakeLower();
    CZVString replaced(original);
    replaced.Replace("b", "B");
    CZVString trimmed(original);
    trimmed.Trim("a");

    EXPECT_EQ("abc", Text(original));
    EXPECT_EQ("abcd", Text(copy));
    EXPECT_EQ("Xbc", Text(assigned));
    EXPECT_EQ("aBc", Text(replaced));
    EXPECT_EQ("bc", Text(trimmed));
}

TEST(StringSharing, DeepCopyAndUniqueBuffers)
{
    CZVString original("abc");
    CZVString deep;
    deep.CopyFrom(original);
    EXPECT_NE(original.GetString(), deep.GetString());
    EXPECT_EQ("abc", Text(deep));

    CZVString shared(original);
    shared.MakeUnique();
    EXPECT_NE(original.GetString(), shared.GetString());

    CZVString self("self");
    self.Assign(self);  // assigning a string to itself must not free its buffer first
    EXPECT_EQ("self", Text(self));
    self = self + self;
    EXPECT_EQ("selfself", Text(self));
}

TEST(StringSharing, BufferWrittenDirectlyIsMeasuredAgain)
{
    CZVString s;
    EXPECT_TRUE(s.Alloc(10));
    EXPECT_EQ(10, s.GetCapacity());
    EXPECT_TRUE(s.IsEmpty());
    char* buffer = s.GetBuffer();
    memcpy(buffer, "0123456789", 11);  // capacity + 1 bytes may be written
    EXPECT_EQ(10, s.GetLength());
    buffer[4] = '\0';
    EXPECT_EQ(4, s.GetLength());
    EXPECT_FALSE(s.IsNull());
}

TEST(StringSharing, CursorsStartAgainAfterTheBufferIsReplaced)
{
    CZVString lines("one\ntwo\nthree");
    EXPECT_EQ("one", Text(lines.GetFirstLine()));
    EXPECT_EQ("two", Text(lines.GetNextLine()));
    lines.MakeLower();  // a new buffer: the line cursor is back at 0
    EXPECT_EQ("one", Text(lines.GetNextLine()));

    CZVString tokens("a b c");
    EXPECT_EQ("a", Text(tokens.GetFirstToken(" ")));
    EXPECT_EQ("b", Text(tokens.GetNextToken(" ")));
    tokens.Assign(CZVString("x y"));
    EXPECT_EQ("x", Text(tokens.GetNextToken(" ")));

    lines.GetFirstLine();
    lines.GetNextLine();
    CZVString second(lines);  // a copy does not take over the cursor of its source
    EXPECT_EQ("one", Text(second.GetNextLine()));
}

TEST(StringCompare, EqualityOrderAndCase)
{
    const CZVString empty, a("a"), b("B"), alsoA("a");
    EXPECT_TRUE(empty == CZVString(""));
    EXPECT_FALSE(empty == a);
    EXPECT_FALSE(a == empty);
    EXPECT_TRUE(a == alsoA);
    EXPECT_TRUE(a != b);

    EXPECT_TRUE(empty < a);
    EXPECT_FALSE(a < empty);
    EXPECT_FALSE(empty < empty);
    EXPECT_TRUE(b < a);  // byte order: 'B' (0x42) before 'a' (0x61)
    EXPECT_TRUE(CZVString("z") < CZVString(kA));  // bytes compare unsigned: 0x83 is after 'z'
    EXPECT_FALSE(a < alsoA);

    EXPECT_TRUE(CZVString("Install.IFO").EqualsNoCase("install.ifo"));
    EXPECT_FALSE(CZVString("Install.ifo").EqualsNoCase("Install.ifx"));
    CZVString upper("ABC");
    upper.EqualsNoCase("abc");
    EXPECT_EQ("ABC", Text(upper));  // comparing does not change either string
}

TEST(StringCompare, MakeLowerLeavesTrailBytesAlone)
{
    CZVString s = CZVString("Setup") + kA + "ZIP" + kSo;
    s.MakeLower();
    EXPECT_EQ(std::string("setup") + kA + "zip" + kSo, Text(s));
    CZVString lone("\x83");  // a lead byte at the very end stays a single byte
    lone.MakeLower();
    EXPECT_EQ("\x83", Text(lone));
}

TEST(StringBuild, AppendConcatLeftMid)
{
    CZVString s;
    s += CZVString();
    EXPECT_TRUE(s.IsEmpty());
    s += "abc";
    s += "";
    s.Append("def");
    EXPECT_EQ("abcdef", Text(s));
    EXPECT_EQ(6, s.GetCapacity());
    EXPECT_EQ("xyabcdef", Text("xy" + s));
    EXPECT_EQ("abcdef", Text(CZVString() + s));

    EXPECT_EQ("", Text(s.Left(0)));
    EXPECT_EQ("abc", Text(s.Left(3)));
    EXPECT_EQ(s.GetString(), s.Left(6).GetString());  // the whole string is shared, not copied
    EXPECT_EQ("abcdef", Text(s.Left(99)));
    EXPECT_EQ("def", Text(s.Mid(3)));
    EXPECT_EQ("", Text(s.Mid(6)));
    EXPECT_EQ("cd", Text(s.Mid(2, 2)));
    EXPECT_EQ("", Text(s.Mid(2, 0)));
    EXPECT_EQ("", Text(s.Mid(2, -1)));
}

// The install log grows a line per file: tens of thousands of appends must neither copy the whole log each time
// nor let one string's append show through another that shares its text.
TEST(StringBuild, AppendGrowsInPlaceAndKeepsSharedCopies)
{
    CZVString log("#header\r\n"), halfway;
    std::string expected = "#header\r\n", expectedHalfway;
    int buffers = 0;
    for (int i = 0; i < 20000; i++) {
        const char* before = log.GetString();
        CZVString line = CZVString::Format("copy \"data\\file%d.dat\"\r\n", i);
        log.Append(line);
        expected += line.GetString();
        buffers += log.GetString() != before;
        if (i == 9999) {
            halfway = log;
            expectedHalfway = expected;
        }
    }
    EXPECT_EQ(expected, Text(log));
    EXPECT_EQ(static_cast<int>(expected.size()), log.GetLength());
    EXPECT_LE(buffers, 20);  // doubling: about log2 of the growth, not one buffer per line
    EXPECT_EQ(expectedHalfway, Text(halfway));  // the shared copy kept its text

    CZVString twice("ab");  // appended to itself, without room and then with it
    twice.Append(twice);
    twice.Append("c");
    twice.Append(twice);
    EXPECT_EQ("ababcababc", Text(twice));

    CZVString written("abcdef");  // shortened through GetBuffer: appended at its new end
    written.Append("g");
    written.GetBuffer()[2] = '\0';
    written.Append("Z");
    EXPECT_EQ("abZ", Text(written));
}

TEST(StringBuild, Replace)
{
    CZVString s("abab");
    EXPECT_EQ(2, s.Replace("ab", "x"));
    EXPECT_EQ("xx", Text(s));

    CZVString overlapping("aaa");
    EXPECT_EQ(1, overlapping.Replace("aa", "b"));  // matches do not overlap
    EXPECT_EQ("ba", Text(overlapping));

    CZVString growing("a.b.c");
    EXPECT_EQ(2, growing.Replace(".", "..."));
    EXPECT_EQ("a...b...c", Text(growing));

    CZVString removing("x-y-");
    EXPECT_EQ(2, removing.Replace("-", ""));
    EXPECT_EQ("xy", Text(removing));

    CZVString unchanged("abc");
    EXPECT_EQ(0, unchanged.Replace("", "x"));
    EXPECT_EQ(0, unchanged.Replace("z", "x"));
    EXPECT_EQ("abc", Text(unchanged));
    CZVString empty;
    EXPECT_EQ(0, empty.Replace("a", "b"));

    CZVString path = CZVString(kSo) + "\\" + kHyo;  // only the real backslash is replaced
    EXPECT_EQ(1, path.Replace("\\", "/"));
    EXPECT_EQ(std::string(kSo) + "/" + kHyo, Text(path));
}

TEST(StringSearch, FindSkipsTrailBytes)
{
    CZVString s("a,b,c");
    EXPECT_EQ(1, s.Find(','));
    EXPECT_EQ(3, s.Find(',', 2));
    EXPECT_EQ(-1, s.Find(',', 4));
    EXPECT_EQ(-1, CZVString().Find(','));
    EXPECT_EQ(2, s.Find("b,c"));
    EXPECT_EQ(-1, s.Find("c,"));
    EXPECT_EQ(-1, s.Find(""));
    EXPECT_EQ(-1, CZVString().Find("a"));

    CZVString japanese = CZVString(kSo) + kHyo + "\\" + kA + "A";
    EXPECT_EQ(4, japanese.Find('\\'));  // not 1 or 3, the trail bytes of "ソ" and "表"
    EXPECT_EQ(4, japanese.Find("\\"));
    EXPECT_EQ(7, japanese.Find('A'));  // not 6, the trail byte of "ア"
    EXPECT_EQ(-1, CZVString(kA).Find("A"));
    EXPECT_EQ(5, japanese.Find(kA));
    EXPECT_EQ(-1, CZVString("\x83\x41\x42").Find("AB"));  // a match never starts inside a character
}

TEST(StringTrim, TrimAndUnquote)
{
    CZVString spaces("   ");
    spaces.Trim(" ");
    EXPECT_TRUE(spaces.IsEmpty());

    CZVString s(" \t x y \t ");
    s.Trim(" \t");
    EXPECT_EQ("x y", Text(s));

    CZVString backslashes = CZVString("\\") + kSo + "\\\\";
    backslashes.Trim("\\");
    EXPECT_EQ(kSo, Text(backslashes));  // the trail byte 0x5C of "ソ" is not trimmed

    CZVString endsInSo = CZVString("x") + kSo;
    endsInSo.Trim("\\");
    EXPECT_EQ(std::string("x") + kSo, Text(endsInSo));

    CZVString doubleByteSet = CZVString(kHyo) + "x" + kHyo + kHyo;
    doubleByteSet.Trim(kHyo);
    EXPECT_EQ("x", Text(doubleByteSet));

    CZVString quoted("  \"x y\"\t");
    quoted.TrimAndUnquote();
    EXPECT_EQ("x y", Text(quoted));

    CZVString oneQuote("\"");
    oneQuote.TrimAndUnquote();
    EXPECT_EQ("\"", Text(oneQuote));

    CZVString twoPairs("\"\"a\"\"");
    twoPairs.TrimAndUnquote();
    EXPECT_EQ("\"a\"", Text(twoPairs));  // only one pair goes

    CZVString emptyQuotes("\"\"");
    emptyQuotes.TrimAndUnquote();
    EXPECT_TRUE(emptyQuotes.IsEmpty());

    CZVString carriageReturn("x\r");
    carriageReturn.TrimAndUnquote();
    EXPECT_EQ("x\r", Text(carriageReturn));  // the set is blank, tab and line feed only

    CZVString halfQuoted("\"abc");
    halfQuoted.TrimAndUnquote();
    EXPECT_EQ("\"abc", Text(halfQuoted));
}
