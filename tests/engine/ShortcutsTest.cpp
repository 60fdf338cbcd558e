// The shortcut step in this process: the links of a private title and Start-menu folder, read back through the
// shell, for the current user and for all users, with the exact lines they log. Every link and folder made is
// removed again.
#include <gtest/gtest.h>
#include <windows.h>

#include <shlobj.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/TestFiles.h"
#include "tests/engine/ScriptedInstallPerson.h"

namespace {

const char kGroupTop[] = "ZVLinkTest";
const char kGroup[] = "ZVLinkTest\\ゲーム";

// The title, unique to the process: the user's desktop of the test prefix may be a folder that other prefixes
// share. "表" ends in the byte 0x5C; the colon and the slash may not stand in a file name.
std::string Title()
{
    return "ZVLinkTest" + std::to_string(GetCurrentProcessId()) + "献立表: 1/2";
}

// The name of the title's links: its colon and slash in their full-width forms.
std::string LinkName()
{
    return "ZVLinkTest" + std::to_string(GetCurrentProcessId()) + "献立表： 1／2";
}

std::string ShellFolder(int folder)
{
    char path[MAX_PATH] = "";
    SHGetSpecialFolderPathA(nullptr, path, folder, FALSE);
    return path;
}

bool IsFolder(const std::string& path)
{
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// A saved link as "target | arguments | working folder | icon file,index | show command", read through the shell;
// "" when it cannot be loaded.
std::string DescribeLink(const std::string& linkPath)
{
    std::string description;
    IShellLinkA* link = nullptr;
    IPersistFile* file = nullptr;
    WCHAR widePath[MAX_PATH];
    MultiByteToWideChar(CP_ACP, 0, linkPath.c_str(), -1, widePath, MAX_PATH);
    if (SUCCEEDED(CoCreateInstance(
            CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, reinterpret_cast<void**>(&link)))
        && SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))
        && SUCCEEDED(file->Load(widePath, STGM_READ))) {
        char target[MAX_PATH] = "", arguments[1024] = "", folder[MAX_PATH] = "", icon[MAX_PATH] = "";
        int iconIndex = -1, show = -1;
        link->GetPath(target, MAX_PATH, nullptr, SLGP_RAWPATH);
        link->GetArguments(arguments, sizeof(arguments));
        link->GetWorkingDirectory(folder, MAX_PATH);
        link->GetIconLocation(icon, MAX_PATH, &iconIndex);
        link->GetShowCmd(&show);
        description = std::string(target) + " | " + arguments + " | " + folder + " | " + icon + ","
            + std::to_string(iconIndex) + " | " + std::to_string(show);
    }
    if (file != nullptr)
        file->Release();
    if (link != nullptr)
        link->Release();
    return description;
}

class ShortcutsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        CoInitialize(nullptr);
        RemoveEverything();
        INSTALL_SETTINGS& settings = title.settings;
        lstrcpyA(settings.gametitle, Title().c_str());
        lstrcpyA(settings.startmenudir, kGroup);
        lstrcpyA(settings.executefile, "bin\\game.exe");
        lstrcpyA(settings.executecommand, "-full screen");
        lstrcpyA(settings.uninstallcommand, "-u");
        lstrcpyA(title.installedDir, folder.Path("").c_str());
    }
    void TearDown() override
    {
        RemoveEverything();
        CoUninitialize();
    }

    // The links a run logged, and the groups of both places.
    void RemoveEverything()
    {
        {
            std::string log = title.installLog.GetString();
            for (size_t start = 0, end; (end = log.find('\n', start)) != std::string::npos; start = end + 1) {
                std::string line = log.substr(start, end - start);
                if (line.compare(0, 11, "mkshortcut ") == 0)
                    DeleteFileA(line.substr(11).c_str());
            }
        }
        for (int programs : {CSIDL_PROGRAMS, CSIDL_COMMON_PROGRAMS}) {
            RemoveDirectoryA((ShellFolder(programs) + "\\" + kGroup).c_str());
            RemoveDirectoryA((ShellFolder(programs) + "\\" + kGroupTop).c_str());
        }
    }

    void Choose(bool startMenu, bool desktop, bool allUsers)
    {
        title.settings.startmenushortcut = startMenu;
        title.settings.desktopshortcut = desktop;
        title.settings.forAllUsers = allUsers;
    }

    TestFolder folder;
    INSTALL_TITLE title;
    ScriptedInstallPerson person;
    CInstall install{title, title, person};
};

// The current user's links: the game, its uninstaller and the script's links in the group, the game on the
// desktop, each read back with every property; a link whose target would not fit a path is not made.
TEST_F(ShortcutsTest, MakesEveryLinkOfTheCurrentUser)
{
    title.shortcuts.push_back({"説明書", "manual\\readme.txt", "", 0});
    title.shortcuts.push_back({"設定 <2>", "config.exe", "-c 表", 2});
    SHORTCUT_ENTRY tooLong = {"長すぎる", "", "", 0};
    std::string longTarget(250, 'x');
    lstrcpyA(tooLong.target, longTarget.c_str());
    title.shortcuts.push_back(tooLong);
    Choose(true, true, false);
    title.installLog = CZVString("## header\n");

    ASSERT_TRUE(install.CreateShortcuts());

    std::string dir = title.installedDir;
    std::string group = ShellFolder(CSIDL_PROGRAMS) + "\\" + kGroup;
    std::string desktop = ShellFolder(CSIDL_DESKTOPDIRECTORY);
    std::string module = title.moduleFileName;
    ASSERT_FALSE(module.empty());
    struct {
        std::string link;
        std::string target;
        std::string arguments;
        int iconIndex;
    } const links[] = {
        {group + "\\" + LinkName() + ".lnk", dir + "bin\\game.exe", "-full screen", 0},
        {group + "\\" + LinkName() + "のアンインストール.lnk", dir + module, "-u", 1},
        {group + "\\説明書.lnk", dir + "manual\\readme.txt", "", 0},
        {group + "\\設定 ＜2＞.lnk", dir + "config.exe", "-c 表", 2},
        {desktop + "\\" + LinkName() + ".lnk", dir + "bin\\game.exe", "-full screen", 0},
    };
    std::string expectedLog = "## header\n#Make Shortcut\n";
    for (const auto& expected : links) {
        expectedLog += "mkshortcut " + expected.link + "\n";
        EXPECT_EQ(expected.target + " | " + expected.arguments + " | " + dir + " | " + expected.target + ","
                + std::to_string(expected.iconIndex) + " | 1",
            DescribeLink(expected.link));
    }
    EXPECT_EQ(expectedLog, title.installLog.GetString());
    EXPECT_FALSE(FileExists(group + "\\長すぎる.lnk")) << "a cut target would point elsewhere";
}

// A link that cannot be saved (a folder of its name stands there) fails the step with a message naming it; its line
// is logged all the same, so that the undo removes whatever the save left, and no link is made after it.
TEST_F(ShortcutsTest, ALinkThatCannotBeSavedFailsTheStep)
{
    title.shortcuts.push_back({"説明書", "manual\\readme.txt", "", 0});
    Choose(true, true, false);
    std::string group = ShellFolder(CSIDL_PROGRAMS) + "\\" + kGroup;
    std::string blocked = group + "\\" + LinkName() + "のアンインストール.lnk";
    ASSERT_TRUE(MakeDirectoryPath(blocked.c_str()));

    EXPECT_FALSE(install.CreateShortcuts());
    EXPECT_EQ(
        std::vector<std::string>{"失敗|" + LinkName() + "のアンインストールのショートカットが作成できませんでした"},
        person.boxes);
    EXPECT_EQ("#Make Shortcut\nmkshortcut " + group + "\\" + LinkName() + ".lnk\nmkshortcut " + blocked + "\n",
        title.installLog.GetString());
    EXPECT_FALSE(FileExists(group + "\\説明書.lnk"));
    EXPECT_FALSE(FileExists(ShellFolder(CSIDL_DESKTOPDIRECTORY) + "\\" + LinkName() + ".lnk"));
    RemoveDirectoryA(blocked.c_str());
}

// Where the links go for each choice, and what is logged; no group folder without Start-menu links.
TEST_F(ShortcutsTest, PlacesFollowTheChoices)
{
    struct {
        const char* proves;
        bool startMenu, desktop, allUsers;
        const char* startmenudir;
    } const rows[] = {
        {"all users: the common folders", true, true, true, kGroup},
        {"only the desktop: no group folder", false, true, false, kGroup},
        {"no Start-menu folder named: the group is the programs folder and a backslash", true, false, false, ""},
        {"nothing chosen: nothing made, nothing logged", false, false, false, kGroup},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.proves);
        Choose(row.startMenu, row.desktop, row.allUsers);
        lstrcpyA(title.settings.startmenudir, row.startmenudir);
        title.installLog.Empty();
        ASSERT_TRUE(install.CreateShortcuts());

        std::string group
            = ShellFolder(row.allUsers ? CSIDL_COMMON_PROGRAMS : CSIDL_PROGRAMS) + "\\" + row.startmenudir;
        std::vector<std::string> made;
        if (row.startMenu) {
            made.push_back(group + "\\" + LinkName() + ".lnk");
            made.push_back(group + "\\" + LinkName() + "のアンインストール.lnk");
        }
        if (row.desktop)
            made.push_back(ShellFolder(row.allUsers ? CSIDL_COMMON_DESKTOPDIRECTORY : CSIDL_DESKTOPDIRECTORY) + "\\"
                + LinkName() + ".lnk");
        std::string expectedLog = made.empty() ? "" : "#Make Shortcut\n";
        for (const std::string& link : made) {
            expectedLog += "mkshortcut " + link + "\n";
            EXPECT_NE("", DescribeLink(link)) << link;
        }
        EXPECT_EQ(expectedLog, title.installLog.GetString());
        EXPECT_EQ(row.startMenu, IsFolder(group));
        RemoveEverything();
    }
}

} // namespace
