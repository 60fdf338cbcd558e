// Which entries below the install folder are links that the uninstaller must neither enter nor delete through, and
// which parts of a relative path it asks about.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "foundation/LinkEntry.h"

namespace {

TEST(LinkEntry, JunctionsSymbolicLinksAndUnreadableTagsAreLinks)
{
    const DWORD folder = 0x10, reparseFolder = 0x10 | kReparsePointAttribute;
    struct {
        const char* proves;
        DWORD attributes;
        bool tagKnown;
        DWORD tag;
        bool link;
    } const rows[] = {
        {"a junction", reparseFolder, true, kMountPointTag, true},
        {"a symbolic link to a folder", reparseFolder, true, kSymbolicLinkTag, true},
        {"a symbolic link to a file", 0x20 | kReparsePointAttribute, true, kSymbolicLinkTag, true},
        {"a tag that could not be read", reparseFolder, false, 0x9000001A, true},
        {"a tag of 0 (a Unix symbolic link under Wine)", reparseFolder, true, 0, true},
        {"a cloud-storage placeholder", reparseFolder, true, 0x9000001A, false},
        {"a deduplicated file", 0x20 | kReparsePointAttribute, true, 0x80000013, false},
        {"a plain folder, whatever its tag field holds", folder, true, kMountPointTag, false},
        {"nothing there (INVALID_FILE_ATTRIBUTES)", 0xFFFFFFFF, false, 0, false},
    };
    for (const auto& row : rows)
        EXPECT_EQ(row.link, IsLinkEntry(row.attributes, row.tagKnown, row.tag)) << row.proves;
}

TEST(LinkEntry, EveryComponentOfARelativePathFromTheTopDown)
{
    struct {
        const char* proves;
        const char* path;
        std::vector<std::string> parts;
    } const rows[] = {
        {"each folder, then the file", "save\\slot\\a.dat", {"save", "save\\slot", "save\\slot\\a.dat"}},
        {"a file in the folder itself", "game.exe", {"game.exe"}},
        {"a slash divides as the system divides", "link/victim.txt", {"link", "link/victim.txt"}},
        {"runs and a leading separator make no empty part", "\\a\\\\b/", {"\\a", "\\a\\\\b"}},
        {"the trail byte of ソ and 表 is no separator", "ソ\\表\\x", {"ソ", "ソ\\表", "ソ\\表\\x"}},
        {"a dot is a component like any other", "save\\.\\a", {"save", "save\\.", "save\\.\\a"}},
        {"nothing", "", {}},
    };
    for (const auto& row : rows) {
        std::vector<std::string> parts;
        for (int length : ComponentEndLengths(row.path))
            parts.push_back(std::string(row.path, length));
        EXPECT_EQ(row.parts, parts) << row.proves;
    }
    EXPECT_TRUE(ComponentEndLengths(nullptr).empty());
}

} // namespace
