// The decisions of the fallbacks for calls that not every Windows exports.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "foundation/SystemFallbacks.h"

namespace {

TEST(SystemFallbacks, FolderPrefixesFromTheTopDown)
{
    struct {
        const char* proves;
        const char* path;
        std::vector<std::string> prefixes;
    } const rows[] = {
        {"each folder below the drive", "C:\\Games\\Title\\data",
            {"C:\\Games", "C:\\Games\\Title", "C:\\Games\\Title\\data"}},
        {"a trailing backslash adds nothing", "C:\\Games\\Title\\", {"C:\\Games", "C:\\Games\\Title"}},
        {"the root itself is never made", "C:\\", {}},
        {"a drive without its backslash", "C:Games", {"C:Games"}},
        {"a share is never made", "\\\\server\\share\\Games\\x",
            {"\\\\server\\share\\Games", "\\\\server\\share\\Games\\x"}},
        {"a bare share", "\\\\server\\share", {}},
        {"a server named with ソ at its end is never made", "\\\\serverソ\\share\\Games",
            {"\\\\serverソ\\share\\Games"}},
        {"from the current drive's root", "\\Games\\x", {"\\Games", "\\Games\\x"}},
        {"relative", "data\\bgm", {"data", "data\\bgm"}},
        {"double backslashes make no empty folder", "C:\\a\\\\b", {"C:\\a", "C:\\a\\\\b"}},
        {"the trail byte of ソ and 表 is no separator", "C:\\ソ\\表\\x", {"C:\\ソ", "C:\\ソ\\表", "C:\\ソ\\表\\x"}},
    };
    for (const auto& row : rows) {
        int lengths[16];
        int count = FolderPrefixLengths(row.path, lengths, 16);
        std::vector<std::string> prefixes;
        for (int i = 0; i < count; i++)
            prefixes.push_back(std::string(row.path, lengths[i]));
        EXPECT_EQ(row.prefixes, prefixes) << row.proves;
    }
    int one[1];
    EXPECT_EQ(1, FolderPrefixLengths("C:\\a\\b\\c", one, 1)) << "never more than the room given";
}

TEST(SystemFallbacks, SizesBeyondThirtyTwoBits)
{
    // 64 sectors of 512 bytes, 200,000 free clusters: 6.5 GB, more than 32 bits hold.
    EXPECT_EQ(6553600000ull, FreeBytesFromClusters(64, 512, 200000));
    EXPECT_EQ(0ull, FreeBytesFromClusters(8, 512, 0));
    EXPECT_EQ(0x100000005ll, FileSizeFromWords(5, 1));
    EXPECT_EQ(0xFFFFFFFFll, FileSizeFromWords(0xFFFFFFFF, 0)) << "a low word that looks like INVALID_FILE_SIZE";
}

} // namespace
