// An install cut off, end to end: the installer ended from outside (TerminateProcess) at several moments of an
// install and of the undo that follows; each next start asks whether to undo it, and Yes leaves nothing of it. The
// moments between two steps take no time, so the scenario stops the installer there as a debugger does, at the
// system call that begins the next step.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/e2e/InstallScenario.h"
#include "tests/e2e/StopAtCall.h"
#include "log/InstallJournal.h"

namespace {

const char kTitle[] = "ZVE2E中断";
const char kGroup[] = "ZVE2E中断メニュー";
const char kQuestion[] = "ZVE2E中断のインストールが途中で中断されています\n中断されたインストールを元に戻しますか？";

class InterruptedInstallScenario : public InstallScenario {
protected:
    void SetUp() override
    {
        InstallScenario::SetUp();
        WillInstall(kTitle, kGroup);
        char windows[MAX_PATH];
        GetWindowsDirectoryA(windows, sizeof(windows));
        CreateDirectoryA((std::string(windows) + "\\ZVSetup").c_str(), nullptr);
        journal = std::string(windows) + "\\ZVSetup\\" + JournalFileName(kTitle).GetString();
        otherJournal = std::string(windows) + "\\ZVSetup\\" + JournalFileName("ZVE2E他").GetString();
    }

    void TearDown() override
    {
        InstallScenario::TearDown();
        DeleteFileA(journal.c_str());
        DeleteFileA(otherJournal.c_str());
        RemoveDirectoryA(otherJournal.substr(0, otherJournal.rfind('\\')).c_str());
    }

    // Starts the disc's installer, which asks at once; answers, and waits for the menu.
    HWND StartAsked(char drive, int answer, CStartedProcess* copy)
    {
        CStartedProcess first;
        EXPECT_TRUE(first.Start(Root(drive) + kProgramName, "", Root(drive)));
        EXPECT_EQ(kExitFailed, first.WaitExit(kWaitMs));
        ExpectBox("確認", kQuestion, answer);
        return WaitForCopy(kTitle, Root(drive), copy);
    }

    // Ticks the desktop link in the settings dialog (null: waits for it).
    static HWND Settings(HWND settings)
    {
        if (settings == nullptr)
            settings = WaitForWindow("#32770", kSettingsTitle, kWaitMs);
        EXPECT_NE(nullptr, settings) << "no settings dialog";
        if (settings != nullptr)
            ClickButton(settings, kSettingsDesktopId);
        return settings;
    }

    // Goes on from the settings dialog; nothing is sent that would wait for an installer held by a debugger.
    static void Next(HWND settings) { PostMessageA(GetDlgItem(settings, kSettingsNextId), BM_CLICK, 0, 0); }

    static void End(CStartedProcess* copy)
    {
        TerminateProcess(copy->Handle(), 1);
        EXPECT_NE(static_cast<DWORD>(STILL_ACTIVE), copy->WaitExit(kWaitMs));
    }

    std::string journal;
    std::string otherJournal;
};

TEST_F(InterruptedInstallScenario, AnInstallCutOffAtAnyMomentIsUndoneAtTheNextStart)
{
    const char drive = 'B';
    const std::string installFolder = baseFolder + "\\中断ソフト\\";
    const std::string desktopLink = ShellFolder(CSIDL_DESKTOPDIRECTORY) + "\\" + kTitle + ".lnk";
    const std::string titleKey = std::string("Software\\") + kInstallRoot + "\\中断";
    const std::string disc = DiscFolder(drive);
    PutTitle(disc, kTitle);
    WriteFileBytes(disc + "\\Install.ifo",
        std::string("$gametitle = ") + kTitle + "\r\n$installsubdir = 中断ソフト\r\n$startmenudir = " + kGroup
            + "\r\n$executefile = game.exe\r\n$installtypecount = 1\r\n$installrequire = 0\r\n" + RegistryLines("中断")
            + "$startmenushortcut = yes\r\n$desktopshortcut = yes\r\n&mkdir save\r\n"
              "&start\r\ngame.exe\r\ndata\\a.dat\r\nbig.bin\r\n");
    WriteFileBytes(disc + "\\game.exe", "game");
    CreateDirectoryA((disc + "\\data").c_str(), nullptr);
    WriteFileBytes(disc + "\\data\\a.dat", "data");
    WriteFileBytes(disc + "\\big.bin", std::string(48 * 1048576, 'b'));
    // Another title's install, cut off on this machine too: never this title's business.
    const std::string otherFolder = rootFolder + "\\他";
    const std::string otherText = "## ZVE2E他インストールログ 2026-12- 7  9: 5: 3\n$InstallDir = " + rootFolder
        + "\nmkdir " + otherFolder + "\n";
    CreateDirectoryA(otherFolder.c_str(), nullptr);
    WriteFileBytes(otherJournal, otherText);
    // Nothing of the install is left, and the menu offers to install.
    auto expectUndone = [&](const char* moment, HWND subForm) {
        EXPECT_FALSE(PathExists(installFolder)) << moment;
        EXPECT_FALSE(PathExists(ShellFolder(CSIDL_PROGRAMS) + "\\" + kGroup)) << moment;
        EXPECT_FALSE(PathExists(desktopLink)) << moment;
        EXPECT_FALSE(RegistryKeyExists(HKEY_CURRENT_USER, titleKey)) << moment;
        EXPECT_FALSE(RegistryKeyExists(HKEY_LOCAL_MACHINE, std::string(kUninstallKey) + "\\" + kTitle)) << moment;
        EXPECT_FALSE(PathExists(KeptFolder(kTitle))) << moment;
        EXPECT_TRUE(WaitForMenuState(subForm, false)) << moment;
    };

    // Ended while it asks to overwrite a file of the user's: the undo leaves that file.
    CreateDirectoryA(installFolder.c_str(), nullptr);
    WriteFileBytes(installFolder + "game.exe", "mine");
    {
        CStartedProcess copy;
        HWND menu = StartMenu(drive, kTitle, &copy);
        ASSERT_NE(nullptr, menu);
        Next(OpenSettings(SubForm(menu)));
        FOUND_BOX overwrite = WaitForBox("確認", kWaitMs);
        EXPECT_EQ("転送先ファイル\n" + installFolder + "game.exe\nは既に存在します\n上書きしますか？", overwrite.text);
        End(&copy);
    }
    {
        CStartedProcess copy;
        HWND menu = StartAsked(drive, IDYES, &copy);
        ASSERT_NE(nullptr, menu);
        EXPECT_EQ(std::vector<std::string>{"game.exe"}, ListTree(installFolder));
        EXPECT_EQ("mine", ReadFileBytes(installFolder + "game.exe"));
        DeleteFileA((installFolder + "game.exe").c_str());
        RemoveDirectoryA(installFolder.c_str());

        // Ended in the copy of disc 1, as it makes its large file: the journal names the file ahead of it.
        HWND settings = OpenSettings(SubForm(menu));
        ASSERT_NE(nullptr, settings);
        CStopAtCall stop(copy, "kernel32.dll", "CreateFile");
        Next(settings);
        EXPECT_TRUE(stop.EndAtCall(0, "ソフト\\big.bin", kWaitMs)) << "big.bin was not made";
    }
    EXPECT_TRUE(PathExists(installFolder + "data\\a.dat"));
    EXPECT_FALSE(PathExists(installFolder + "big.bin"));
    // No keeps it: the title is not installed, and the next start asks again, and so does the install button.
    for (int start = 0; start < 2; start++) {
        CStartedProcess copy;
        HWND menu = StartAsked(drive, IDNO, &copy);
        ASSERT_NE(nullptr, menu);
        EXPECT_TRUE(WaitForMenuState(SubForm(menu), false));
        EXPECT_TRUE(PathExists(installFolder + "data\\a.dat"));
        if (start == 0) {
            CloseMenu(menu, &copy);
            continue;
        }
        // Yes to the install button's question: the old install goes, then the new one starts; it is ended right
        // after its links, as it begins to write the title's key.
        Press(SubForm(menu), kInstallId);
        ExpectBox("確認", kQuestion, IDYES);
        HWND settings = Settings(nullptr);
        ASSERT_NE(nullptr, settings);
        expectUndone("undone before the new install", SubForm(menu));
        CStopAtCall stop(copy, "advapi32.dll", "RegCreateKeyEx");
        Next(settings);
        EXPECT_TRUE(stop.EndAtCall(1, "\\中断", kWaitMs)) << "the title's key was not written";
        EXPECT_TRUE(PathExists(desktopLink));
        EXPECT_FALSE(RegistryKeyExists(HKEY_CURRENT_USER, titleKey));
    }
    {
        // Ended right after the title's key, as the uninstall entry begins.
        CStartedProcess copy;
        HWND menu = StartAsked(drive, IDYES, &copy);
        ASSERT_NE(nullptr, menu);
        expectUndone("ended after the links", SubForm(menu));
        HWND settings = Settings(OpenSettings(SubForm(menu)));
        ASSERT_NE(nullptr, settings);
        CStopAtCall stop(copy, "advapi32.dll", "RegCreateKeyEx");
        Next(settings);
        EXPECT_TRUE(stop.EndAtCall(1, std::string("Uninstall\\") + kTitle, kWaitMs)) << "no uninstall entry";
        EXPECT_TRUE(RegistryKeyExists(HKEY_CURRENT_USER, titleKey));
    }
    {
        // The title counts as installed now; the undo is ended as it deletes the first link, after the keys.
        CStartedProcess first;
        EXPECT_TRUE(first.Start(Root(drive) + kProgramName, "", Root(drive)));
        EXPECT_EQ(kExitFailed, first.WaitExit(kWaitMs));
        FOUND_BOX question = WaitForBox("確認", kWaitMs);
        ASSERT_NE(nullptr, question.window);
        EXPECT_EQ(kQuestion, question.text);
        CStartedProcess copy;
        ASSERT_TRUE(copy.Open(question.processId));
        CStopAtCall stop(copy, "kernel32.dll", "DeleteFile");
        PostMessageA(question.window, WM_COMMAND, MAKEWPARAM(IDYES, BN_CLICKED), 0);
        EXPECT_TRUE(stop.EndAtCall(0, ".lnk", kWaitMs)) << "no link was deleted";
        EXPECT_FALSE(RegistryKeyExists(HKEY_CURRENT_USER, titleKey));
        EXPECT_TRUE(PathExists(installFolder + "big.bin"));
    }
    CStartedProcess copy;
    HWND menu = StartAsked(drive, IDYES, &copy);
    ASSERT_NE(nullptr, menu);
    expectUndone("undo ended", SubForm(menu));
    EXPECT_FALSE(PathExists(journal));
    EXPECT_EQ(otherText, ReadFileBytes(otherJournal));
    EXPECT_TRUE(IsFolder(otherFolder));
    CloseMenu(menu, &copy);
}

} // namespace
