// The install engine's decisions from data alone: folders, relative paths, percentages, free space, disc markers.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "engine/InstallPlan.h"

namespace {

TEST(InstallPlan, DestinationFolders)
{
    // installdir, installsubdir, MakeInstallFolder, MakeTopFolder ("" for both: too long)
    const std::string longBase = "C:\\" + std::string(249, 'a');
    const std::string rows[][4] = {
        {"D:\\Games\\", "Title", "D:\\Games\\Title\\", "D:\\Games\\Title"},
        {"D:\\Games", "Title", "D:\\Games\\Title\\", "D:\\Games\\Title"},
        {"D:\\Games", "", "D:\\Games\\", "D:\\Games\\"}, // an empty installsubdir
        {"C:\\ソ", "Title", "C:\\ソ\\Title\\", "C:\\ソ\\Title"}, // a trail byte 5C is no backslash
        {"C:\\", "表", "C:\\表\\", "C:\\表"},
        {longBase, "Title", longBase + "\\Title\\", longBase + "\\Title"}, // 259 bytes just fit
        {longBase + "a", "Title", "", longBase + "a\\Title"},
        {longBase + "aa", "Title", "", ""}, // 260 bytes and the terminator: one byte too many
        {longBase + "aaaa", "Title", "", ""},
    };
    for (const auto& row : rows) {
        // Marker bytes on both sides of the buffer catch a write past it.
        const int kMarkerBytes = 16;
        char guarded[kMarkerBytes + kPathBytes + kMarkerBytes];
        char* out = guarded + kMarkerBytes;
        memset(guarded, 0xBD, sizeof(guarded));
        EXPECT_EQ(!row[2].empty(), MakeInstallFolder(row[0].c_str(), row[1].c_str(), out)) << row[0];
        EXPECT_EQ(row[2], out);
        EXPECT_EQ(!row[3].empty(), MakeTopFolder(row[0].c_str(), row[1].c_str(), out)) << row[0];
        EXPECT_EQ(row[3], out);
        for (int i = 0; i < kMarkerBytes; i++) {
            EXPECT_EQ('\xBD', guarded[i]) << row[0] << ": written before the buffer";
            EXPECT_EQ('\xBD', out[kPathBytes + i]) << row[0] << ": written past the buffer";
        }
    }
}

TEST(InstallPlan, PercentagesFreeSpaceAndDiscMarkers)
{
    const int64_t twoGigabytes = 2147483648LL;
    // done, total, percent: a small total multiplies first, from 200 on the total is divided first (its truncated
    // hundredth lets the result pass 100), past 2 and 4 GB, and nothing of a zero-byte total.
    const int64_t rows[][3] = {{1, 3, 33}, {199, 199, 100}, {199, 200, 99}, {200, 200, 100}, {1099, 1099, 109},
        {twoGigabytes + 1, 2 * twoGigabytes, 50}, {5 * twoGigabytes, 5 * twoGigabytes, 100}, {0, 0, 0}};
    for (const auto& row : rows)
        EXPECT_EQ(row[2], Percent(row[0], row[1])) << row[0] << " of " << row[1];

    const char* const roots[][2] = {{"d:\\Games\\Title", "d:\\"}, {"D:", "D:\\"}, {"\\\\server\\share", ""}, {"x", ""}};
    for (const auto& row : roots) {
        char root[4];
        FreeSpaceRoot(row[0], root);
        EXPECT_STREQ(row[1], root) << row[0];
    }
    EXPECT_FALSE(IsShortOfSpace(1500000, 1)) << "1,500,000 bytes are one megabyte";
    EXPECT_TRUE(IsShortOfSpace(1500000, 2));
    EXPECT_TRUE(IsShortOfSpace(999999, 1));
    EXPECT_FALSE(IsShortOfSpace(5000000000000ULL, 5000000));
    EXPECT_STREQ("DISCID.002", DiscMarkerName(2).GetString());
}

} // namespace
