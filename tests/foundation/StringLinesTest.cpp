// The two readers of CZVString: lines (cursor, count, table of spans) and tokens.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "foundation/ZVString.h"

namespace {

std::vector<std::string> ReadLines(const CZVString& text)
{
    CZVString reader(text);
    std::vector<std::string> lines;
    CZVString line = reader.GetFirstLine();
    while (!reader.IsEndOfLines()) {
        lines.push_back(line.GetString());
        line = reader.GetNextLine();
    }
    return lines;
}

std::vector<std::string> ReadTokens(const CZVString& text, const CZVString& delims)
{
    CZVString reader(text);
    std::vector<std::string> tokens;
    for (CZVString token = reader.GetFirstToken(delims); !token.IsEmpty(); token = reader.GetNextToken(delims))
        tokens.push_back(token.GetString());
    return tokens;
}

typedef std::vector<std::string> Strings;

struct Span {
    int offset, length;
    bool operator==(const Span& other) const { return offset == other.offset && length == other.length; }
};

std::vector<Span> Table(const CZVString& text, int maxCount)
{
    std::vector<LINE_SPAN> spans(maxCount + 1, LINE_SPAN{-7, -7});
    int filled = text.GetLineTable(maxCount, spans.data());
    EXPECT_EQ(-7, spans[maxCount].offset) << "wrote past maxCount";
    std::vector<Span> result;
    for (int i = 0; i < filled; i++)
        result.push_back(Span{spans[i].offset, spans[i].length});
    return result;
}

} // namespace

TEST(StringLines, ReaderLoop)
{
    struct {
        const char* proves;
        const char* text;
        Strings lines;
    } cases[] = {
        {"two lines", "a\nb", {"a", "b"}},
        {"CR before LF is not part of the line; no extra line at the end", "a\r\nb\r\n", {"a", "b"}},
        {"an empty line in the middle", "a\n\nb", {"a", "", "b"}},
        {"an empty text is one empty line", "", {""}},
        {"one line without a line feed", "abc", {"abc"}},
        {"a line feed alone", "\n", {""}},
        {"two line feeds", "\n\n", {"", ""}},
        {"a CR without LF stays in the line", "a\rb\nc", {"a\rb", "c"}},
        {"lines of double-byte characters ending in 0x5C", "ソ\n表", {"ソ", "表"}},
        {"a line ending in メ (83 81), whose trail byte is a lead-byte value", "メ\nx", {"メ", "x"}},
        {"a line of only CR LF", "\r\nx", {"", "x"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.lines, ReadLines(c.text)) << c.proves;
}

TEST(StringLines, GetFirstLineStartsOver)
{
    CZVString text("one\ntwo");
    text.GetFirstLine();
    text.GetNextLine();
    text.GetNextLine();
    EXPECT_TRUE(text.IsEndOfLines());
    EXPECT_EQ("", std::string(text.GetNextLine().GetString()));
    EXPECT_EQ("one", std::string(text.GetFirstLine().GetString()));
    EXPECT_FALSE(text.IsEndOfLines());
    EXPECT_EQ("two", std::string(text.GetNextLine().GetString()));
}

TEST(StringLines, TextWrittenThroughTheBufferIsReadAsWritten)
{
    CZVString text("first line\nsecond line");
    EXPECT_EQ("first line", std::string(text.GetFirstLine().GetString()));
    strcpy(text.GetBuffer(), "a\nb");
    EXPECT_EQ(Strings({"a", "b"}), ReadLines(text));
    CZVString copy;
    copy.CopyFrom(text);
    strcpy(text.GetBuffer(), "x\ny\nzzzzzzzzz"); // longer than the text last counted
    EXPECT_EQ(Strings({"x", "y", "zzzzzzzzz"}), ReadLines(text));
    EXPECT_EQ(Strings({"a", "b"}), ReadLines(copy));
}

TEST(StringLines, LineCount)
{
    EXPECT_EQ(1, CZVString("").GetLineCount());
    EXPECT_EQ(1, CZVString("abc").GetLineCount());
    EXPECT_EQ(2, CZVString("a\n").GetLineCount());
    EXPECT_EQ(3, CZVString("a\r\nb\r\n").GetLineCount());
    EXPECT_EQ(2, CZVString("\x83\n\n").GetLineCount()); // the byte after a lead byte is its trail byte
    EXPECT_EQ(1, CZVString("a\x83").GetLineCount()); // a lead byte before the terminator ends the count
}

TEST(StringLines, LineTable)
{
    struct {
        const char* proves;
        const char* text;
        int maxCount;
        std::vector<Span> spans;
    } cases[] = {
        {"a final line break leaves a last empty line", "a\n", 10, {{0, 1}, {2, 0}}},
        {"CR LF is not counted", "ab\r\ncd", 10, {{0, 2}, {4, 2}}},
        {"an empty text has no lines", "", 10, {}},
        {"a text without line break is one line", "xyz", 10, {{0, 3}}},
        {"double-byte characters count two bytes", "ソ表\nア", 10, {{0, 4}, {5, 2}}},
        {"a lone CR is neither counted nor a line end", "a\rb\nc", 10, {{0, 2}, {4, 1}}},
        {"the scan stops at maxCount", "a\nb\nc\nd", 2, {{0, 1}, {2, 1}}},
        {"the last line needs room too", "a\nb", 1, {{0, 1}}},
        {"empty lines", "\n\n", 10, {{0, 0}, {1, 0}, {2, 0}}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.spans, Table(c.text, c.maxCount)) << c.proves;
    EXPECT_EQ(0, CZVString("abc").GetLineTable(0, nullptr));
}

TEST(StringTokens, SplitsAtRunsOfDelimiters)
{
    struct {
        const char* proves;
        const char* text;
        const char* delims;
        Strings tokens;
    } cases[] = {
        {"an empty field ends nothing: runs count as one", "a,b,,c", ",", {"a", "b", "c"}},
        {"leading delimiters are skipped", ",,a,b", ",", {"a", "b"}},
        {"several delimiter characters", "a b\tc", " \t", {"a", "b", "c"}},
        {"no delimiter: one token", "abc", ",", {"abc"}},
        {"only delimiters: no token", ",,,", ",", {}},
        {"a trail byte 0x5C is no backslash", "表\\ソ\\x", "\\", {"表", "ソ", "x"}},
        {"a double-byte delimiter", "a表b表表c", "表", {"a", "b", "c"}},
        {"a trail byte 'A' is no 'A'", "アAア", "A", {"ア", "ア"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.tokens, ReadTokens(c.text, c.delims)) << c.proves;
}

TEST(StringTokens, EndOfTokens)
{
    CZVString s("a,b,,c");
    EXPECT_EQ("a", std::string(s.GetFirstToken(",").GetString()));
    EXPECT_EQ("b", std::string(s.GetNextToken(",").GetString()));
    EXPECT_EQ("c", std::string(s.GetNextToken(",").GetString()));
    EXPECT_TRUE(s.GetNextToken(",").IsEmpty());
    EXPECT_TRUE(s.GetNextToken(",").IsEmpty()); // and it stays at the end

    CZVString trailing("a,");
    EXPECT_EQ("a", std::string(trailing.GetFirstToken(",").GetString()));
    EXPECT_TRUE(trailing.GetNextToken(",").IsEmpty());

    CZVString noDelims("a b");
    EXPECT_TRUE(noDelims.GetFirstToken("").IsEmpty());
    EXPECT_TRUE(CZVString().GetFirstToken(",").IsEmpty());

    CZVString restart("x y");
    restart.GetFirstToken(" ");
    restart.GetNextToken(" ");
    EXPECT_EQ("x", std::string(restart.GetFirstToken(" ").GetString()));
}
