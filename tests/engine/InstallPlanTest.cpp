// The install engine's decisions from data alone: folders, relative paths, percentages, free space, disc markers.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "engine/InstallPlan.h"

namespace {

TEST(InstallPlan, DestinationFolders)
{
    const std::string tooLong(253, 'a');
    struct {
        const char* proves;
        std::string installdir;
        const char* installsubdir;
        bool fits;
        const char* installFolder; // MakeInstallFolder
        const char* topFolder; // MakeTopFolder
    } const rows[] = {
        {"a base folder with its backslash", "D:\\Games\\", "Title", true, "D:\\Games\\Title\\", "D:\\Games\\Title"},
        {"a base folder without", "D:\\Games", "Title", true, "D:\\Games\\Title\\", "D:\\Games\\Title"},
        {"an empty installsubdir", "D:\\Games", "", true, "D:\\Games\\", "D:\\Games\\"},
        {"a base folder ending in ソ gets its backslash", "C:\\ソ", "Title", true, "C:\\ソ\\Title\\", "C:\\ソ\\Title"},
        {"a title ending in 表", "C:\\", "表", true, "C:\\表\\", "C:\\表"},
        {"too long", "C:\\" + tooLong, "Title", false, "", ""},
    };
    for (const auto& row : rows) {
        char out[kPathBytes];
        memset(out, 0xBD, sizeof(out));
        EXPECT_EQ(row.fits, MakeInstallFolder(row.installdir.c_str(), row.installsubdir, out)) << row.proves;
        EXPECT_STREQ(row.installFolder, out) << row.proves;
        memset(out, 0xBD, sizeof(out));
        EXPECT_EQ(row.fits, MakeTopFolder(row.installdir.c_str(), row.installsubdir, out)) << row.proves;
        EXPECT_STREQ(row.topFolder, out) << row.proves;
    }
    // The folder just fits with its backslash: 258 bytes and the terminator.
    char out[kPathBytes];
    EXPECT_TRUE(MakeInstallFolder(("C:\\" + std::string(249, 'a')).c_str(), "Title", out));
    EXPECT_EQ(static_cast<size_t>(kPathBytes - 1), strlen(out));
    EXPECT_FALSE(MakeInstallFolder(("C:\\" + std::string(250, 'a')).c_str(), "Title", out));
}

TEST(InstallPlan, RelativePathsOfFoundFiles)
{
    struct {
        const char* proves;
        const char* fileName;
        const char* foundName;
        const char* relative;
    } const rows[] = {
        {"a folder and a pattern", "data\\*.dat", "a.dat", "data\\a.dat"},
        {"a drive letter is dropped", "D:data\\x", "x", "data\\x"},
        {"a drive-relative name alone", "D:x.dat", "x.dat", "x.dat"},
        {"no folder part", "readme.txt", "readme.txt", "readme.txt"},
        {"double-byte folders", "ソフト\\表\\*.*", "画像.bmp", "ソフト\\表\\画像.bmp"},
        {"a name ending in 表 has no folder", "表", "表", "表"},
    };
    for (const auto& row : rows) {
        char out[kPathBytes];
        EXPECT_TRUE(MakeRelativePath(row.fileName, row.foundName, out)) << row.proves;
        EXPECT_STREQ(row.relative, out) << row.proves;
    }
    char out[kPathBytes];
    EXPECT_FALSE(MakeRelativePath((std::string(200, 'd') + "\\*.*").c_str(), std::string(60, 'f').c_str(), out));
    EXPECT_STREQ("", out);
}

TEST(InstallPlan, Percentages)
{
    const int64_t twoGigabytes = 2147483648LL;
    struct {
        const char* proves;
        int64_t done;
        int64_t total;
        int64_t percent;
    } const rows[] = {
        {"a small total multiplies first", 1, 3, 33},
        {"a small total, done", 199, 199, 100},
        {"200 divides the total first", 199, 200, 99},
        {"200, done", 200, 200, 100},
        {"the truncated hundredth may pass 100", 1099, 1099, 109},
        {"past 2 GB", twoGigabytes + 1, 2 * twoGigabytes, 50},
        {"past 4 GB, done", 5 * twoGigabytes, 5 * twoGigabytes, 100},
        {"nothing of a zero-byte total", 0, 0, 0},
    };
    for (const auto& row : rows)
        EXPECT_EQ(row.percent, Percent(row.done, row.total)) << row.proves;
}

TEST(InstallPlan, FreeSpaceAndDiscMarkers)
{
    char root[4];
    FreeSpaceRoot("d:\\Games\\Title", root);
    EXPECT_STREQ("d:\\", root);
    FreeSpaceRoot("D:", root);
    EXPECT_STREQ("D:\\", root);
    FreeSpaceRoot("\\\\server\\share", root);
    EXPECT_STREQ("", root);
    FreeSpaceRoot("Games", root);
    EXPECT_STREQ("", root);

    EXPECT_FALSE(IsShortOfSpace(1500000, 1)) << "1,500,000 bytes are one megabyte";
    EXPECT_TRUE(IsShortOfSpace(1500000, 2));
    EXPECT_TRUE(IsShortOfSpace(999999, 1));
    EXPECT_FALSE(IsShortOfSpace(0, 0));
    EXPECT_FALSE(IsShortOfSpace(5000000000000ULL, 5000000));

    EXPECT_STREQ("DISCID.002", DiscMarkerName(2).GetString());
    EXPECT_STREQ("DISCID.012", DiscMarkerName(12).GetString());
}

} // namespace
