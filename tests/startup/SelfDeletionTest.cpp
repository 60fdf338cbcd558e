// The wininit.ini rewrite that deletes the relaunched copy at the next start of a 95-family system.
#include <gtest/gtest.h>

#include <string>

#include "foundation/SelfDeletion.h"

namespace {

const char kEntry[] = "NUL=C:\\WINDOWS\\TEMP\\GAME\\ZVSETUP.EXE\r\n";

struct RenameCase {
    const char* proves;
    const char* before;
    const char* after;
};

const RenameCase kCases[] = {
    {"an empty file becomes one empty line, the header and the entry", "",
        "\r\n[rename]\r\nNUL=C:\\WINDOWS\\TEMP\\GAME\\ZVSETUP.EXE\r\n"},
    {"the entry goes right before the next section's header",
        "[a]\r\nx=1\r\n[rename]\r\nNUL=C:\\OLD.EXE\r\n[b]\r\ny=2\r\n",
        "[a]\r\nx=1\r\n[rename]\r\nNUL=C:\\OLD.EXE\r\nNUL=C:\\WINDOWS\\TEMP\\GAME\\ZVSETUP.EXE\r\n[b]\r\ny=2\r\n"},
    {"a last section in any case gets the entry at the end", "[a]\r\n[ReNaMe]\r\nNUL=C:\\OLD.EXE\r\n",
        "[a]\r\n[ReNaMe]\r\nNUL=C:\\OLD.EXE\r\nNUL=C:\\WINDOWS\\TEMP\\GAME\\ZVSETUP.EXE\r\n"},
    {"without a section the header and the entry are appended", "[a]\r\nx=1",
        "[a]\r\nx=1\r\n[rename]\r\nNUL=C:\\WINDOWS\\TEMP\\GAME\\ZVSETUP.EXE\r\n"},
    {"a header with a trailing space is another section", "[rename] \r\nNUL=C:\\OLD.EXE\r\n",
        "[rename] \r\nNUL=C:\\OLD.EXE\r\n[rename]\r\nNUL=C:\\WINDOWS\\TEMP\\GAME\\ZVSETUP.EXE\r\n"},
    {"line feeds alone become carriage return and line feed", "[rename]\nNUL=C:\\OLD.EXE\n[b]\n",
        "[rename]\r\nNUL=C:\\OLD.EXE\r\nNUL=C:\\WINDOWS\\TEMP\\GAME\\ZVSETUP.EXE\r\n[b]\r\n"},
    {"an empty section directly followed by another", "[rename]\r\n[b]\r\n",
        "[rename]\r\nNUL=C:\\WINDOWS\\TEMP\\GAME\\ZVSETUP.EXE\r\n[b]\r\n"},
    {"only the first section gets the entry", "[rename]\r\n[b]\r\n[rename]\r\n",
        "[rename]\r\nNUL=C:\\WINDOWS\\TEMP\\GAME\\ZVSETUP.EXE\r\n[b]\r\n[rename]\r\n"},
    {"blank lines inside the section stay before the entry", "[rename]\r\n\r\nNUL=C:\\OLD.EXE\r\n\r\n[b]",
        "[rename]\r\n\r\nNUL=C:\\OLD.EXE\r\n\r\nNUL=C:\\WINDOWS\\TEMP\\GAME\\ZVSETUP.EXE\r\n[b]\r\n"},
    {"a line that only starts with the header is not the section", "[rename]x\r\n",
        "[rename]x\r\n[rename]\r\nNUL=C:\\WINDOWS\\TEMP\\GAME\\ZVSETUP.EXE\r\n"},
    {"Shift-JIS lines keep their bytes", "[a]\r\nタイトル=表示\r\n",
        "[a]\r\nタイトル=表示\r\n[rename]\r\nNUL=C:\\WINDOWS\\TEMP\\GAME\\ZVSETUP.EXE\r\n"},
};

TEST(AddRenameEntry, Table)
{
    for (const RenameCase& row : kCases) {
        CZVString result = AddRenameEntry(CZVString(row.before), CZVString(kEntry));
        EXPECT_EQ(std::string(row.after), result.GetString()) << row.proves;
    }
}

TEST(AddRenameEntry, TheCallersTextKeepsItsLineCursor)
{
    CZVString text("[a]\r\n[rename]\r\n");
    CZVString first = text.GetFirstLine();
    AddRenameEntry(text, CZVString(kEntry));
    EXPECT_EQ(std::string("[rename]"), text.GetNextLine().GetString());
}

TEST(MakeRenameDeleteEntry, DeletesThroughNul)
{
    EXPECT_EQ(std::string(kEntry), MakeRenameDeleteEntry("C:\\WINDOWS\\TEMP\\GAME\\ZVSETUP.EXE").GetString());
    std::string longest(kPathBytes - 1, 'P');
    EXPECT_EQ("NUL=" + longest + "\r\n", MakeRenameDeleteEntry(longest.c_str()).GetString());
    // Longer than any path the system gives: no entry, rather than one cut to name another file.
    EXPECT_TRUE(MakeRenameDeleteEntry(std::string(kPathBytes, 'P').c_str()).IsEmpty());
    EXPECT_TRUE(MakeRenameDeleteEntry("").IsEmpty());
}

} // namespace
