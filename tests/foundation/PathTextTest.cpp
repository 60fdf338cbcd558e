// The double-byte aware path walks: which byte is a backslash of its own, where a path's folder part ends, where
// a text may be cut. "ソ" is 83 5C and "表" 95 5C in Shift-JIS: their trail byte is the backslash's value.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "foundation/PathText.h"
#include "foundation/SafeFileName.h"

namespace {

TEST(PathText, PartsOfAPath)
{
    struct {
        const char* proves;
        const char* path;
        const char* folder; // SplitPath's folder part; FolderPartLength is its length
        const char* fileName;
        bool endsWithBackslash;
        bool hasSeparator;
    } const rows[] = {
        {"drive and folder", "D:\\tools\\setup.exe", "D:\\tools\\", "setup.exe", false, true},
        {"the root", "D:\\readme.txt", "D:\\", "readme.txt", false, true},
        {"the trail byte of 表 is no separator", "D:\\表\\x.exe", "D:\\表\\", "x.exe", false, true},
        {"a folder name ending in 表", "D:\\表", "D:\\", "表", false, true},
        {"a name ending in ソ has no trailing backslash", "C:\\ソ", "C:\\", "ソ", false, true},
        {"ソ and then a real backslash", "C:\\ソ\\", "C:\\ソ\\", "", true, true},
        {"a drive-relative path splits at the colon", "C:game.exe", "C:", "game.exe", false, true},
        {"slashes separate too", "data/bgm/a.wav", "data/bgm/", "a.wav", false, true},
        {"no folder", "x.exe", "", "x.exe", false, false},
        {"a title of double-byte characters only", "表示ソフト", "", "表示ソフト", false, false},
        {"empty", "", "", "", false, false},
        {"a lead byte at the end stands alone", "a\\\x81", "a\\", "\x81", false, true},
    };
    for (const auto& row : rows) {
        char folder[kPathBytes], fileName[kPathBytes];
        memset(folder, 0xBD, sizeof(folder));
        memset(fileName, 0xBD, sizeof(fileName));
        SplitPath(row.path, folder, fileName);
        EXPECT_STREQ(row.folder, folder) << row.proves;
        EXPECT_STREQ(row.fileName, fileName) << row.proves;
        EXPECT_EQ(static_cast<int>(strlen(row.folder)), FolderPartLength(row.path)) << row.proves;
        EXPECT_STREQ(row.fileName, FileNamePart(row.path)) << row.proves;
        EXPECT_EQ(row.endsWithBackslash, EndsWithBackslash(row.path)) << row.proves;
        EXPECT_EQ(row.hasSeparator, HasPathSeparator(row.path)) << row.proves;
    }
}

TEST(PathText, TrailingBackslashComesAndGoesOnlyAsAWholeCharacter)
{
    struct {
        const char* proves;
        const char* path;
        const char* removed; // after RemoveTrailingBackslash
        const char* appended; // after AppendBackslash
    } const rows[] = {
        {"a folder", "C:\\Games", "C:\\Games", "C:\\Games\\"},
        {"a folder with its backslash", "C:\\Games\\", "C:\\Games", "C:\\Games\\"},
        {"a root", "C:\\", "C:", "C:\\"},
        {"only one backslash goes", "C:\\Games\\\\", "C:\\Games\\", "C:\\Games\\\\"},
        {"ソ keeps its trail byte and gets a backslash", "C:\\ソ", "C:\\ソ", "C:\\ソ\\"},
        {"empty", "", "", "\\"},
    };
    for (const auto& row : rows) {
        char path[kPathBytes];
        strcpy(path, row.path);
        EXPECT_EQ(strcmp(row.path, row.removed) != 0, RemoveTrailingBackslash(path)) << row.proves;
        EXPECT_STREQ(row.removed, path) << row.proves;
        strcpy(path, row.path);
        EXPECT_TRUE(AppendBackslash(path, sizeof(path))) << row.proves;
        EXPECT_STREQ(row.appended, path) << row.proves;
    }
    char full[8] = "abcdefg"; // 7 bytes and the terminator: no room for another
    EXPECT_FALSE(AppendBackslash(full, sizeof(full)));
    EXPECT_STREQ("abcdefg", full);
}

TEST(PathText, CutsFallOnCharacterBoundaries)
{
    struct {
        const char* proves;
        const char* text;
        int outSize;
        const char* expected;
    } const rows[] = {
        {"fits", "abc", 4, "abc"},
        {"cut after single bytes", "abcdef", 4, "abc"},
        {"a double-byte character that would be split is left out", "abソ", 4, "ab"},
        {"a double-byte character that fits whole stays", "abソ", 5, "abソ"},
        {"a lone lead byte at the end counts as one byte", "ab\x81", 4, "ab\x81"},
        {"room for the terminator only", "abc", 1, ""},
    };
    for (const auto& row : rows) {
        char out[16];
        memset(out, 0xBD, sizeof(out));
        EXPECT_EQ(out, CopyCutAtChar(out, row.outSize, row.text)) << row.proves;
        EXPECT_STREQ(row.expected, out) << row.proves;
        EXPECT_EQ('\xBD', out[row.outSize]) << row.proves << ": wrote past the buffer";
        EXPECT_EQ(static_cast<int>(strlen(row.expected)), CharBoundaryLength(row.text, row.outSize - 1)) << row.proves;
    }
    EXPECT_EQ(nullptr, CopyCutAtChar(nullptr, 4, "abc"));
}

TEST(PathText, JoinPathOneBackslashBetween)
{
    struct {
        const char* proves;
        const char* dir;
        const char* name;
        const char* expected;
    } cases[] = {
        {"plain join", "C:\\Game", "a.txt", "C:\\Game\\a.txt"},
        {"a trailing backslash of the folder is dropped", "C:\\Game\\", "a.txt", "C:\\Game\\a.txt"},
        {"a leading backslash of the name is dropped", "C:\\Game", "\\a.txt", "C:\\Game\\a.txt"},
        {"both", "D:\\", "\\setup\\x.exe", "D:\\setup\\x.exe"},
        {"only one of each is dropped", "C:\\Game\\\\", "\\\\a", "C:\\Game\\\\\\a"},
        {"empty folder gives the name", "", "a.txt", "a.txt"},
        {"null folder gives the name", nullptr, "a.txt", "a.txt"},
        {"null name", "C:\\Game", nullptr, "C:\\Game\\"},
        {"a folder ending in ソ keeps its trail byte 0x5C", "C:\\ソ", "a", "C:\\ソ\\a"},
        {"a folder ending in 表 and a backslash", "C:\\表\\", "a", "C:\\表\\a"},
    };
    for (const auto& c : cases) {
        char out[kPathBytes];
        memset(out, 0xBD, sizeof(out));
        EXPECT_EQ(out, JoinPath(out, c.dir, c.name)) << c.proves;
        EXPECT_STREQ(c.expected, out) << c.proves;
    }
    EXPECT_EQ(nullptr, JoinPath(nullptr, "a", "b"));
}

TEST(PathText, JoinPathTooLongGivesEmptyRatherThanCut)
{
    std::string dir(200, 'd'), name(100, 'n');
    char out[kPathBytes + 16];
    memset(out, 0xBD, sizeof(out));
    JoinPath(out, dir.c_str(), name.c_str());
    EXPECT_STREQ("", out);
    for (size_t i = kPathBytes; i < sizeof(out); i++)
        EXPECT_EQ('\xBD', out[i]) << "wrote past the buffer at " << i;

    std::string fits(258, 'f'); // 258 + 1 terminator: exactly the limit
    JoinPath(out, "", fits.c_str());
    EXPECT_EQ(fits, std::string(out));
    JoinPath(out, "a", fits.c_str());
    EXPECT_STREQ("", out);
    std::string tooLongDir(kPathBytes, 'd');
    JoinPath(out, tooLongDir.c_str(), "x");
    EXPECT_STREQ("", out);
}

// Names made from a title: what a file name may not hold becomes full-width; the trail byte 5C or 7C of a
// double-byte character is part of it. Compared as bytes: ／ 81 5E, ： 81 46, ＂ FA 57, ＿ 81 51.
TEST(PathText, RelativePathsOfFoundFiles)
{
    // the script's file name, the name found, the relative path
    const char* const rows[][3] = {{"data\\*.dat", "a.dat", "data\\a.dat"}, {"D:data\\x", "x", "data\\x"},
        {"D:x.dat", "x.dat", "x.dat"}, {"readme.txt", "readme.txt", "readme.txt"},
        {"ソフト\\表\\*.*", "画像.bmp", "ソフト\\表\\画像.bmp"}, {"表", "表", "表"}};
    for (const auto& row : rows) {
        char out[kPathBytes];
        EXPECT_TRUE(MakeRelativePath(row[0], row[1], out)) << row[0];
        EXPECT_STREQ(row[2], out);
    }
    char out[kPathBytes];
    EXPECT_FALSE(MakeRelativePath((std::string(200, 'd') + "\\*.*").c_str(), std::string(60, 'f').c_str(), out));
    EXPECT_STREQ("", out);
}

TEST(SafeFileName, ForbiddenCharactersBecomeFullWidth)
{
    const char* const rows[][3] = {
        {"a title with a slash and a colon", "Fate/Quest: 2", "Fate\x81\x5EQuest\x81\x46 2"},
        {"each forbidden character", "\\/:*?\"<>|",
            "\x81\x5F\x81\x5E\x81\x46\x81\x96\x81\x48\xFA\x57\x81\x83\x81\x84\x81\x62"},
        {"control characters", "a\x01\tb\x1F",
            "a\x81\x51\x81\x51"
            "b\x81\x51"},
        {"trail bytes 5C and 7C stay", "ソ表\x83\x7C", "ソ表\x83\x7C"},
        {"a separator right after a double-byte character", "ソ\\表", "ソ\x81\x5F表"},
        {"a lead byte alone at the end", "ab\x83", "ab\x81\x51"},
        {"dots, blanks and the rest of ASCII stay", ". .. x~!#$%&'()+,;=@[]^_`{}\x7F",
            ". .. x~!#$%&'()+,;=@[]^_`{}\x7F"},
        {"empty", "", ""},
    };
    for (const auto& row : rows)
        EXPECT_EQ(std::string(row[2]), SafeFileName(row[1]).GetString()) << row[0];
    EXPECT_STREQ("", SafeFileName(nullptr).GetString());
    // Every byte replaced: the name doubles, and nothing beyond.
    std::string slashes(300, '/'), expected;
    for (int i = 0; i < 300; i++)
        expected += "\x81\x5E";
    EXPECT_EQ(expected, SafeFileName(slashes.c_str()).GetString());
}

} // namespace
