// The start-up operations that act on the system: the folder removal, the disc folder, and the scheduled
// deletion of the relaunched copy on both families.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "foundation/LinkEntry.h"
#include "foundation/RemoveTree.h"
#include "foundation/SelfDeletion.h"
#include "tests/FolderLinks.h"
#include "tests/PendingDeletions.h"
#include "tests/TestFiles.h"
#include "ui/MainWnd.h"

namespace {

std::string TempFolder(const char* name)
{
    char temp[MAX_PATH];
    GetTempPathA(sizeof(temp), temp);
    std::string folder = std::string(temp) + name;
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

bool Exists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

class RemoveTreeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char buffer[MAX_PATH];
        GetCurrentDirectoryA(sizeof(buffer), buffer);
        savedCurrent = buffer;
        window.reset(new CMainWnd());
        char name[64];
        wsprintfA(name, "zvtree%lu", GetCurrentProcessId());
        root = TempFolder(name);
    }
    void TearDown() override
    {
        SetCurrentDirectoryA(savedCurrent.c_str());
        RemoveTree(root.c_str());
        RemoveDirectoryA((root + "\\.keep").c_str());
        RemoveDirectoryA(root.c_str());
    }

    std::unique_ptr<CMainWnd> window;
    std::string root;
    std::string savedCurrent;
};

TEST_F(RemoveTreeTest, RemovesFilesAndFoldersAtAnyDepth)
{
    CreateDirectoryA((root + "\\a").c_str(), nullptr);
    CreateDirectoryA((root + "\\a\\b").c_str(), nullptr);
    WriteBytes(root + "\\top.txt", "1");
    WriteBytes(root + "\\a\\mid.txt", "2");
    WriteBytes(root + "\\a\\b\\表.txt", "3");
    EXPECT_TRUE(RemoveTree((root + "\\").c_str())) << "a trailing backslash is allowed";
    EXPECT_FALSE(Exists(root));
}

TEST_F(RemoveTreeTest, LeavesTheCurrentFolderBeforeRemovingIt)
{
    WriteBytes(root + "\\file", "x");
    ASSERT_TRUE(SetCurrentDirectoryA(root.c_str()));
    EXPECT_TRUE(RemoveTree(root.c_str()));
    EXPECT_FALSE(Exists(root));
}

TEST_F(RemoveTreeTest, AFolderBeginningWithADotStaysAndTheResultIsFalse)
{
    CreateDirectoryA((root + "\\.keep").c_str(), nullptr);
    WriteBytes(root + "\\gone.txt", "x");
    EXPECT_FALSE(RemoveTree(root.c_str()));
    EXPECT_TRUE(Exists(root + "\\.keep"));
    EXPECT_FALSE(Exists(root + "\\gone.txt"));
}

// A link that an ordinary user planted in the tree, named like a folder of it: neither entered nor removed, so the
// folder outside keeps its file, and the link keeps the folders above it.
TEST_F(RemoveTreeTest, ALinkInsideIsLeftWithWhatItLeadsTo)
{
    const std::string outside = root + "-outside";
    CreateDirectoryA(outside.c_str(), nullptr);
    WriteBytes(outside + "\\victim.txt", "v");
    CreateDirectoryA((root + "\\a").c_str(), nullptr);
    WriteBytes(root + "\\a\\gone.txt", "x");
    WriteBytes(root + "\\gone.txt", "x");
    ASSERT_TRUE(MakeFolderLink(root + "\\a\\save", outside));
    EXPECT_TRUE(IsLinkPath((root + "\\a\\save").c_str()));
    EXPECT_FALSE(IsLinkPath((root + "\\a").c_str()));

    EXPECT_FALSE(RemoveTree(root.c_str()));
    EXPECT_TRUE(Exists(outside + "\\victim.txt"));
    EXPECT_TRUE(IsLinkPath((root + "\\a\\save").c_str())) << "the link stays";
    EXPECT_FALSE(Exists(root + "\\a\\gone.txt")) << "what lies beside the link goes";
    RemoveFolderLink(root + "\\a\\save");
    RemoveTree(outside.c_str());
}

TEST_F(RemoveTreeTest, RefusesWhatWouldListADriveRoot)
{
    // A missing folder has nothing to remove; an empty path, a bare drive and a drive root are never listed.
    EXPECT_TRUE(RemoveTree((root + "\\missing").c_str()));
    EXPECT_FALSE(RemoveTree(nullptr));
    EXPECT_FALSE(RemoveTree(""));
    EXPECT_FALSE(RemoveTree("\\"));
    EXPECT_FALSE(RemoveTree("Q:"));
    EXPECT_FALSE(RemoveTree("Q:\\"));
    EXPECT_FALSE(RemoveTree(std::string(300, 'x').c_str()));
}

TEST(SetSourceDir, TakesOnlyPathsThatFit)
{
    std::unique_ptr<CMainWnd> window(new CMainWnd());
    window->SetSourceDir("D:\\");
    EXPECT_STREQ("D:\\", window->sourceDir);
    window->SetSourceDir(nullptr);
    window->SetSourceDir("");
    window->SetSourceDir(std::string(260, 'x').c_str());
    EXPECT_STREQ("D:\\", window->sourceDir);
    std::string longest(259, 'y');
    window->SetSourceDir(longest.c_str());
    EXPECT_EQ(longest, window->sourceDir);
}

bool IsPendingDeletion(const std::string& path)
{
    for (const std::string& name : PendingDeletions()) {
        if (name.size() >= path.size() && lstrcmpiA(name.c_str() + name.size() - path.size(), path.c_str()) == 0)
            return true;
    }
    return false;
}

TEST(ScheduleSelfDeletion, NtFamilyUsesTheDelayedDeletion)
{
    TestFolder folder;
    std::string program = folder.Path("ZVSetup.exe");
    WriteBytes(program, "MZ");
    EXPECT_TRUE(ScheduleSelfDeletion(program.c_str(), false));
    EXPECT_TRUE(IsPendingDeletion(program)) << program;
    EXPECT_TRUE(Exists(program)) << "nothing is deleted before the next start";
}

class WininitTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char windows[MAX_PATH];
        GetWindowsDirectoryA(windows, sizeof(windows));
        ini = std::string(windows) + "\\wininit.ini";
        backup = std::string(windows) + "\\wininit.zv";
        ASSERT_FALSE(Exists(ini)) << "the prefix has a wininit.ini of its own";
        ASSERT_FALSE(Exists(backup));
        program = folder.Path("Long program name.exe");
        WriteBytes(program, "MZ");
        char shortName[MAX_PATH];
        ASSERT_NE(0u, GetShortPathNameA(program.c_str(), shortName, sizeof(shortName)));
        shortPath = shortName;
    }
    void TearDown() override
    {
        DeleteFileA(ini.c_str());
        DeleteFileA(backup.c_str());
    }

    TestFolder folder;
    std::string ini, backup, program, shortPath;
};

TEST_F(WininitTest, FirstEntryMakesTheFileAndLaterOnesKeepABackup)
{
    ASSERT_TRUE(ScheduleSelfDeletion(program.c_str(), true));
    std::string first = "[rename]\r\nNUL=" + shortPath + "\r\n";
    EXPECT_EQ(first, ReadBytes(ini));
    EXPECT_FALSE(Exists(backup));

    WriteBytes(ini, "[rename]\nNUL=C:\\OLD.EXE\n[boot]\n");
    ASSERT_TRUE(ScheduleSelfDeletion(program.c_str(), true));
    EXPECT_EQ("[rename]\r\nNUL=C:\\OLD.EXE\r\nNUL=" + shortPath + "\r\n[boot]\r\n", ReadBytes(ini));
    EXPECT_EQ("[rename]\nNUL=C:\\OLD.EXE\n[boot]\n", ReadBytes(backup)) << "the file as it was";

    // An existing backup stays as it was; the file is written anyway.
    ASSERT_TRUE(ScheduleSelfDeletion(program.c_str(), true));
    EXPECT_EQ("[rename]\nNUL=C:\\OLD.EXE\n[boot]\n", ReadBytes(backup));
    EXPECT_EQ(
        "[rename]\r\nNUL=C:\\OLD.EXE\r\nNUL=" + shortPath + "\r\nNUL=" + shortPath + "\r\n[boot]\r\n", ReadBytes(ini));
}

TEST_F(WininitTest, NoShortPathWritesNothing)
{
    EXPECT_FALSE(ScheduleSelfDeletion(folder.Path("missing.exe").c_str(), true));
    EXPECT_FALSE(Exists(ini));
}

} // namespace
