// The menu window, end to end: the install state read from the registry, launching the game, the script's extra
// buttons and pictures of the menu, on the real ZVSetup.exe relaunched from a CD-ROM drive of the test prefix.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "tests/e2e/MenuScenario.h"

namespace {

TEST_F(MenuScenario, InstalledTitleLaunchesItsGameInTheInstallFolderAndCloses)
{
    const char disc = 'M';
    const std::string title = "ZVE2E起動";
    const std::string installFolder = rootFolder + "\\ゲームソフト"; // "ソ" ends in the byte of a backslash
    const std::string command = "-e2e=1 引数ソ";
    PutTitle(DiscFolder(disc), title);
    WriteFileBytes(DiscFolder(disc) + "\\Install.ifo",
        MenuScript(title, "$executefile = game.exe\r\n$executecommand = " + command + "\r\n"));
    ASSERT_TRUE(CreateDirectoryA(installFolder.c_str(), nullptr));

    struct STATE_CASE {
        const char* what;
        bool writeKey;
        bool gameInFolder;
    };
    const STATE_CASE notInstalled[] = {
        {"no registry key", false, false},
        {"the key names a folder without the game's program", true, false},
    };
    for (const STATE_CASE& row : notInstalled) {
        SCOPED_TRACE(row.what);
        std::unique_ptr<CInstalledTitleKey> key;
        if (row.writeKey) {
            key.reset(new CInstalledTitleKey(title, installFolder));
            ASSERT_TRUE(key->Written());
        }
        CStartedProcess copy;
        HWND menu = StartMenu(disc, title, &copy);
        ASSERT_NE(nullptr, menu);
        HWND subForm = SubForm(menu);
        ASSERT_NE(nullptr, subForm);
        EXPECT_TRUE(Visible(subForm, kLaunchId));
        EXPECT_FALSE(Enabled(subForm, kLaunchId)) << "launch is disabled";
        EXPECT_TRUE(Visible(subForm, kInstallId));
        EXPECT_FALSE(Visible(subForm, kUninstallId));
        CloseMenu(menu, &copy);
    }

    ASSERT_TRUE(CopyFileA(probeProgram.c_str(), (installFolder + "\\game.exe").c_str(), FALSE));
    CInstalledTitleKey key(title, installFolder);
    ASSERT_TRUE(key.Written());
    CStartedProcess copy;
    HWND menu = StartMenu(disc, title, &copy);
    ASSERT_NE(nullptr, menu);
    HWND subForm = SubForm(menu);
    ASSERT_NE(nullptr, subForm);
    EXPECT_TRUE(Enabled(subForm, kLaunchId));
    EXPECT_FALSE(Visible(subForm, kInstallId));
    EXPECT_TRUE(Visible(subForm, kUninstallId));
    EXPECT_EQ(ButtonRect(subForm, kInstallId).top, ButtonRect(subForm, kUninstallId).top)
        << "uninstall takes the place of install";

    Press(subForm, kLaunchId);
    ASSERT_TRUE(WaitForFile(probeFolder + "\\probe.txt", kWaitMs)) << "the game did not start";
    EXPECT_EQ(installFolder + "\n" + command, ReadFileBytes(probeFolder + "\\probe.txt"))
        << "the game runs in the install folder with the script's command line";
    EXPECT_EQ(0u, copy.WaitExit(kWaitMs)) << "the installer closes once the game runs";
    EXPECT_FALSE(ProcessesNamed("game.exe").empty()) << "the game is not waited for";
    ReleaseProbe();
}

TEST_F(MenuScenario, ExtraButtonsSkipMissingProgramsGrowWithTheirCaptionAndWaitForTheirProgram)
{
    const char disc = 'N';
    const std::string title = "ZVE2E追加ボタン";
    PutTitle(DiscFolder(disc), title);
    // A picture high enough for the whole column of buttons, for the picture of this menu.
    WriteFileBytes(DiscFolder(disc) + "\\splash.bmp", MakeBitmap(240, 256, 0x30, 0x80, 0x40));
    WriteFileBytes(DiscFolder(disc) + "\\readme.txt", "x");
    ASSERT_TRUE(CopyFileA(probeProgram.c_str(), (DiscFolder(disc) + "\\wait.exe").c_str(), FALSE));
    WriteFileBytes(DiscFolder(disc) + "\\Install.ifo",
        MenuScript(title,
            "$cmd = readme.txt,説明書\\nを読む,no\r\n"
            "$cmd = missing.exe,無いボタン,no\r\n"
            "$cmd = wait.exe,待つボタン,yes\r\n"));

    CStartedProcess copy;
    HWND menu = StartMenu(disc, title, &copy);
    ASSERT_NE(nullptr, menu);
    HWND subForm = SubForm(menu);
    ASSERT_NE(nullptr, subForm);
    EXPECT_TRUE(SaveWindowPicture(menu, rootFolder + "\\menu.bmp"));

    // The missing program gets no button and no id: the ids stay consecutive.
    HWND twoLines = GetDlgItem(subForm, kFirstExtraId);
    HWND waited = GetDlgItem(subForm, kFirstExtraId + 1);
    ASSERT_NE(nullptr, twoLines);
    ASSERT_NE(nullptr, waited);
    EXPECT_EQ(nullptr, GetDlgItem(subForm, kFirstExtraId + 2));
    EXPECT_EQ("説明書\r\nを読む", WindowText(twoLines));
    EXPECT_EQ("待つボタン", WindowText(waited));
    EXPECT_EQ(BS_OWNERDRAW, GetWindowLongA(twoLines, GWL_STYLE) & BS_TYPEMASK);
    EXPECT_NE(BS_OWNERDRAW, GetWindowLongA(waited, GWL_STYLE) & BS_TYPEMASK);
    EXPECT_TRUE(IsWindowVisible(twoLines) && IsWindowVisible(waited));

    // Without a DirectX requirement the first extra button takes the DirectX row; the two-line one is twice as high
    // and pushes the next button and the quit button down by one height.
    RECT launch = ButtonRect(subForm, kLaunchId);
    int height = launch.bottom - launch.top;
    int pitch = ButtonRect(subForm, kInstallId).top - launch.top;
    EXPECT_FALSE(Visible(subForm, kDirectXId));
    RECT first = ButtonRect(subForm, kFirstExtraId);
    RECT second = ButtonRect(subForm, kFirstExtraId + 1);
    RECT quit = ButtonRect(subForm, kQuitId);
    EXPECT_EQ(launch.top + 2 * pitch, first.top);
    EXPECT_EQ(2 * height, first.bottom - first.top);
    EXPECT_EQ(first.top + height + pitch, second.top);
    EXPECT_EQ(height, second.bottom - second.top);
    EXPECT_EQ(second.top + pitch, quit.top);
    EXPECT_EQ(launch.left, first.left);
    EXPECT_EQ(launch.right, second.right);

    // The waited-for program keeps the menu disabled until it ends.
    Press(subForm, kFirstExtraId + 1);
    ASSERT_TRUE(WaitForFile(probeFolder + "\\probe.txt", kWaitMs)) << "the waited-for program did not start";
    EXPECT_EQ(Root(disc) + "\nwait.exe", ReadFileBytes(probeFolder + "\\probe.txt"))
        << "it runs in the disc's folder with the script's command";
    EXPECT_FALSE(IsWindowEnabled(menu)) << "the menu is disabled while the program runs";
    Sleep(300);
    EXPECT_FALSE(IsWindowEnabled(menu)) << "the menu is disabled while the program runs";
    ReleaseProbe();
    DWORD start = GetTickCount();
    while (!IsWindowEnabled(menu) && GetTickCount() - start < kWaitMs)
        Sleep(25);
    EXPECT_TRUE(IsWindowEnabled(menu)) << "the menu is enabled again when the program has ended";
    EXPECT_TRUE(ProcessesNamed("wait.exe").empty());
    CloseMenu(menu, &copy);
}

TEST_F(MenuScenario, PicturesOfTheMenuWithAndWithoutSplashPicture)
{
    const char disc = 'O';
    const std::string title = "ZVE2E絵";
    PutTitle(DiscFolder(disc), title);
    WriteFileBytes(DiscFolder(disc) + "\\splash.bmp", MakeBitmap(320, 240, 0x20, 0x60, 0xA0));
    WriteFileBytes(DiscFolder(disc) + "\\Install.ifo", MenuScript(title, "$splashmessage = ようこそ\r\n"));
    {
        // The script's greeting comes once the menu shows, in a box the menu owns.
        CStartedProcess copy;
        HWND menu = StartMenu(disc, title, &copy);
        ASSERT_NE(nullptr, menu);
        FOUND_BOX greeting = WaitForBox("情報", kWaitMs, copy.Id());
        ASSERT_NE(nullptr, greeting.window);
        EXPECT_EQ("ようこそ", greeting.text);
        EXPECT_EQ(menu, GetWindow(greeting.window, GW_OWNER));
        EXPECT_TRUE(IsWindowVisible(menu));
        EXPECT_TRUE(AnswerBox(greeting, IDOK));
        RECT client = {};
        GetClientRect(menu, &client);
        EXPECT_EQ(240, client.bottom) << "the window is as high as the picture";
        EXPECT_TRUE(SaveWindowPicture(menu, rootFolder + "\\menu-splash.bmp"));
        CloseMenu(menu, &copy);
    }

    // Without the picture the failure is reported first, then the generated 320 x 256 picture shows the title.
    ASSERT_TRUE(DeleteFileA((DiscFolder(disc) + "\\splash.bmp").c_str()));
    WriteFileBytes(DiscFolder(disc) + "\\Install.ifo", MenuScript(title, ""));
    CStartedProcess first;
    ASSERT_TRUE(first.Start(Root(disc) + kProgramName, "", Root(disc)));
    EXPECT_EQ(kExitFailed, first.WaitExit(kWaitMs));
    FOUND_BOX box = WaitForBox(nullptr, kWaitMs, RunningInstaller());
    ASSERT_NE(nullptr, box.window);
    EXPECT_EQ("失敗", box.caption);
    EXPECT_EQ("splash.bmpのロードに失敗しました", box.text);
    EXPECT_TRUE(AnswerBox(box, IDOK));
    CStartedProcess copy;
    HWND menu = WaitForCopy(title, Root(disc), &copy);
    ASSERT_NE(nullptr, menu);
    RECT client = {};
    GetClientRect(menu, &client);
    EXPECT_EQ(256, client.bottom);
    RECT subForm = {};
    GetWindowRect(SubForm(menu), &subForm);
    EXPECT_EQ(320 + subForm.right - subForm.left, client.right);
    EXPECT_TRUE(SaveWindowPicture(menu, rootFolder + "\\menu-generated.bmp"));
    CloseMenu(menu, &copy);
}

} // namespace
