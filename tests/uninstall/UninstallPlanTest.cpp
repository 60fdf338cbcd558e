// The fixed clean-up's decisions: which install folder may go as a whole, which erase patterns stay inside it.
#include <gtest/gtest.h>

#include <vector>

#include "uninstall/UninstallPlan.h"

namespace {

TEST(UninstallPlan, OnlyTheTitlesOwnFolderGoesWhole)
{
    const std::vector<CZVString> systemFolders
        = {"C:\\Windows", "C:\\Windows\\System32", "C:\\Program Files\\", "C:\\Users\\u\\Documents\\ソ"};
    // folder, installsubdir
    const char* const own[][2] = {{"C:\\Program Files\\Title\\", "Title"}, {"c:\\program files\\TITLE", "title"},
        {"D:\\Games\\Maker\\Title\\", "Maker\\Title"}, {"D:\\Games\\ソ\\", "ソ"},
        {"C:\\Users\\u\\Documents\\ソ\\Title\\", "Title"}, {"\\\\server\\share\\Games\\Title\\", "Title"}};
    const char* const notOwn[][2]
        = {{"D:\\Games\\", ""}, // an empty installsubdir: the base folder, which other programs may share
            {"D:\\Games\\Other\\", "Title"}, {"D:\\Games\\MyTitle\\", "Title"}, {"D:\\Games\\表Title\\", "Title"},
            {"D:\\Title\\", "Title"}, {"\\\\server\\Title\\", "Title"}, // in the root of a drive or share
            {"C:\\Program Files\\", "Program Files"}, {"C:\\Windows\\System32\\", "System32"},
            {"C:\\Users\\u\\Documents\\", "Documents"}, // above a system folder
            {"C:\\Games\\Title\\..\\..\\Title\\", "Title"}, {"Games\\Title\\", "Title"}, {"C:\\Games\\..\\", ".."}};
    for (const auto& row : own)
        EXPECT_TRUE(IsTitleOwnFolder(row[0], row[1], systemFolders)) << row[0];
    for (const auto& row : notOwn)
        EXPECT_FALSE(IsTitleOwnFolder(row[0], row[1], systemFolders)) << row[0];
}

TEST(UninstallPlan, ErasePatternsStayInsideTheInstallFolder)
{
    for (const char* pattern : {"save\\*.dat", "*.cfg", "表\\*.*"})
        EXPECT_TRUE(IsErasePatternInside(pattern)) << pattern;
    for (const char* pattern : {"..\\*.*", "save\\..\\..\\*.*", "C:\\Windows\\*.ini", "C:*.ini", "\\*.*", "/*.*", ""})
        EXPECT_FALSE(IsErasePatternInside(pattern)) << pattern;
}

} // namespace
