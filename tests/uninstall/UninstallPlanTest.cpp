// The fallback clean-up's decisions: which install folder may go as a whole, which erase patterns stay inside it.
#include <gtest/gtest.h>

#include <vector>

#include "uninstall/UninstallPlan.h"

namespace {

TEST(UninstallPlan, OnlyTheTitlesOwnFolderGoesWhole)
{
    const std::vector<CZVString> systemFolders = {"C:\\Windows", "C:\\Windows\\System32", "C:\\Program Files\\",
        "C:\\Users\\u", "C:\\Users\\u\\Desktop", "C:\\Users\\u\\Documents\\ソ"};
    struct {
        const char* proves;
        const char* folder;
        const char* installsubdir;
        bool own;
    } const rows[] = {
        {"below Program Files", "C:\\Program Files\\Title\\", "Title", true},
        {"without its trailing backslash, in another case", "c:\\program files\\TITLE", "title", true},
        {"a sub-folder of two components", "D:\\Games\\Maker\\Title\\", "Maker\\Title", true},
        {"a double-byte title ending in ソ", "D:\\Games\\ソ\\", "ソ", true},
        {"below the documents folder", "C:\\Users\\u\\Documents\\ソ\\Title\\", "Title", true},
        {"a network folder", "\\\\server\\share\\Games\\Title\\", "Title", true},
        {"an empty installsubdir: the base folder is no title's own", "D:\\Games\\", "", false},
        {"the last component is another", "D:\\Games\\Other\\", "Title", false},
        {"only the end of a name matches", "D:\\Games\\MyTitle\\", "Title", false},
        {"a trail byte 5C is no separator", "D:\\Games\\表Title\\", "Title", false},
        {"in the root of a drive", "D:\\Title\\", "Title", false},
        {"a network share's root", "\\\\server\\Title\\", "Title", false},
        {"the Program Files folder itself", "C:\\Program Files\\", "Program Files", false},
        {"the system folder", "C:\\Windows\\System32\\", "System32", false},
        {"above the user's desktop", "C:\\Users\\", "Users", false},
        {"above the documents folder", "C:\\Users\\u\\Documents\\", "Documents", false},
        {"a parent component", "C:\\Games\\Title\\..\\..\\Title\\", "Title", false},
        {"a relative folder", "Games\\Title\\", "Title", false},
        {"an installsubdir that climbs", "C:\\Games\\..\\", "..", false},
    };
    for (const auto& row : rows)
        EXPECT_EQ(row.own, IsTitleOwnFolder(row.folder, row.installsubdir, systemFolders)) << row.proves;
}

TEST(UninstallPlan, ErasePatternsStayInsideTheInstallFolder)
{
    struct {
        const char* pattern;
        bool inside;
    } const rows[] = {
        {"save\\*.dat", true},
        {"*.cfg", true},
        {"表\\*.*", true},
        {"..\\*.*", false},
        {"save\\..\\..\\*.*", false},
        {"C:\\Windows\\*.ini", false},
        {"C:*.ini", false},
        {"\\*.*", false},
        {"/*.*", false},
        {"", false},
    };
    for (const auto& row : rows)
        EXPECT_EQ(row.inside, IsErasePatternInside(row.pattern)) << row.pattern;
}

} // namespace
