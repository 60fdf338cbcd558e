// Uninstalling, end to end: a title installed through the real dialogs is uninstalled from the menu and from the
// Windows list of installed programs; the script's erase patterns, the fixed clean-up when "uninst.dat" is
// missing, and a tampered "uninst.dat" that must not reach beyond what the install made.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/FolderLinks.h"
#include "tests/e2e/InstallScenario.h"

namespace {

const char kTitle[] = "ZVE2E削除";
const char kGroup[] = "ZVE2E削除メニュー";
const char kSubdir[] = "削除ソフト";

// The title of these scenarios: installs itself, its script and its picture (the uninstaller runs from the install
// folder),
// a game, a data file and a save folder; erases saved games and settings on request.
std::string UninstallScript(const std::string& subdir, const std::string& finishMessage)
{
    return std::string("$gametitle = ") + kTitle + "\r\n$installsubdir = " + subdir + "\r\n$startmenudir = " + kGroup
        + "\r\n$executefile = game.exe\r\n$installtypecount = 1\r\n$installtypename = 標準\r\n$installrequire = 1\r\n"
        + RegistryLines("削除") + "$startmenushortcut = yes\r\n$desktopshortcut = yes\r\n"
        + "$uninstallmessage = アンインストールを始めます\r\n$eraseonuninstall = save\\*.dat;*.cfg\r\n"
        + "$eraseonuninstallmessage = セーブデータも削除しますか？\r\n$uninstallfinishmessage = " + finishMessage
        + "\r\n&mkdir "
          "save\r\n&start\r\nZVSetup.exe\r\nInstall.ifo\r\nsplash.bmp\r\ngame.exe\r\ndata\\a.dat\r\nreadme.txt\r\n";
}

class UninstallScenario : public InstallScenario {
protected:
    void SetUp() override
    {
        InstallScenario::SetUp();
        WillInstall(kTitle, kGroup);
    }

    void PutDisc(const std::string& disc, const std::string& subdir, const std::string& finishMessage)
    {
        PutTitle(disc, kTitle);
        WriteFileBytes(disc + "\\Install.ifo", UninstallScript(subdir, finishMessage));
        CreateDirectoryA((disc + "\\data").c_str(), nullptr);
        WriteFileBytes(disc + "\\game.exe", "game");
        WriteFileBytes(disc + "\\data\\a.dat", "data");
        WriteFileBytes(disc + "\\readme.txt", "お読みください");
    }

    // Nothing of the install is left but what is named in kept (relative to the install folder).
    void ExpectUninstalled(const std::string& installFolder, const std::vector<std::string>& kept)
    {
        if (kept.empty())
            EXPECT_FALSE(PathExists(installFolder)) << "the install folder stays";
        else
            EXPECT_EQ(kept, ListTree(installFolder));
        EXPECT_FALSE(PathExists(ShellFolder(CSIDL_PROGRAMS) + "\\" + kGroup)) << "the Start menu group stays";
        EXPECT_FALSE(PathExists(ShellFolder(CSIDL_DESKTOPDIRECTORY) + "\\" + kTitle + ".lnk"));
        EXPECT_FALSE(RegistryKeyExists(HKEY_CURRENT_USER, std::string("Software\\") + kInstallRoot + "\\削除"));
        EXPECT_FALSE(RegistryKeyExists(HKEY_LOCAL_MACHINE, std::string(kUninstallKey) + "\\" + kTitle));
    }

    // Starts the disc's installer and installs the title from its menu; null when the menu did not appear.
    HWND StartAndInstall(char drive, CStartedProcess* copy, bool tickDesktop)
    {
        HWND menu = StartMenu(drive, kTitle, copy);
        if (menu != nullptr)
            InstallFromMenu(SubForm(menu), kTitle, 0, tickDesktop);
        return menu;
    }

    // Presses uninstall and answers the script's message and the confirmation.
    void StartUninstall(HWND subForm)
    {
        Press(subForm, kUninstallId);
        ExpectBox("情報", "アンインストールを始めます", IDOK);
        ExpectBox("確認", std::string(kTitle) + "をアンインストールします\nよろしいですか？", IDYES);
    }
};

TEST_F(UninstallScenario, InstallThenUninstallFromTheMenuWithAndWithoutTheSavedGames)
{
    const char drive = 'Y';
    const std::string installFolder = baseFolder + "\\" + kSubdir + "\\";
    PutDisc(DiscFolder(drive), kSubdir, "");
    {
        CStartedProcess copy;
        HWND menu = StartAndInstall(drive, &copy, true);
        ASSERT_NE(nullptr, menu);
        HWND subForm = SubForm(menu);
        // What the game made while it was played: saved games, its settings, and a file the patterns do not name.
        WriteFileBytes(installFolder + "save\\one.dat", "1");
        WriteFileBytes(installFolder + "save\\two.dat", "2");
        WriteFileBytes(installFolder + "save\\slot.sav", "kept");
        WriteFileBytes(installFolder + "options.cfg", "x");

        // No: the uninstall leaves the saved games.
        StartUninstall(subForm);
        ExpectBox("確認", "セーブデータも削除しますか？", IDNO);
        ExpectBox("完了", std::string(kTitle) + "のアンインストールが完了しました", IDOK);
        EXPECT_EQ(0u, copy.WaitExit(kWaitMs)) << "the installer closes after a complete uninstall";
        ExpectUninstalled(installFolder, {"options.cfg", "save\\", "save\\one.dat", "save\\slot.sav", "save\\two.dat"});
    }

    // Again, and Yes: the patterns' files go; a saved game they do not name keeps its folder. The finish message
    // names a text file, which opens in Notepad instead of a box.
    PutDisc(DiscFolder(drive), kSubdir, "%readme.txt");
    CStartedProcess copy;
    HWND menu = StartMenu(drive, kTitle, &copy);
    ASSERT_NE(nullptr, menu);
    HWND subForm = SubForm(menu);
    EXPECT_TRUE(WaitForMenuState(subForm, false));
    InstallFromMenu(subForm, kTitle, 0, true);
    StartUninstall(subForm);
    ExpectBox("確認", "セーブデータも削除しますか？", IDYES);
    HWND notepad = WaitForWindow("Notepad", nullptr, kWaitMs);
    EXPECT_NE(nullptr, notepad) << "the finish message's file is not shown";
    DWORD start = GetTickCount(); // Notepad names the file once it has read it
    while (notepad != nullptr && WindowText(notepad).find("readme.txt") == std::string::npos
        && GetTickCount() - start < kWaitMs)
        Sleep(50);
    EXPECT_NE(std::string::npos, WindowText(notepad).find("readme.txt")) << WindowText(notepad);
    EXPECT_EQ(nullptr, WaitForBox("完了", 500).window) << "no box besides Notepad";
    EXPECT_EQ(0u, copy.WaitExit(kWaitMs));
    ExpectUninstalled(installFolder, {"save\\", "save\\slot.sav"});
    if (notepad != nullptr)
        PostMessageA(notepad, WM_CLOSE, 0, 0);

    // The title is gone: the menu offers to install it again.
    CStartedProcess again;
    menu = StartMenu(drive, kTitle, &again);
    ASSERT_NE(nullptr, menu);
    EXPECT_TRUE(WaitForMenuState(SubForm(menu), false));
    CloseMenu(menu, &again);
}

TEST_F(UninstallScenario, WithoutTheLogTheFixedCleanUpRemovesOnlyTheTitlesOwn)
{
    const char drive = 'E';
    const std::string installFolder = baseFolder + "\\" + kSubdir + "\\";
    PutDisc(DiscFolder(drive), kSubdir, "");
    {
        CStartedProcess copy;
        HWND menu = StartAndInstall(drive, &copy, true);
        ASSERT_NE(nullptr, menu);
        HWND subForm = SubForm(menu);
        ASSERT_TRUE(DeleteFileA((installFolder + "uninst.dat").c_str()));
        ASSERT_TRUE(DeleteFileA((KeptFolder(kTitle) + "uninst.dat").c_str()));
        StartUninstall(subForm);
        ExpectBox("確認", "セーブデータも削除しますか？", IDNO);
        ExpectBox("警告", "アンインストール情報が見つかりません\nアンインストールしますか？", IDOK);
        ExpectBox("完了", std::string(kTitle) + "のアンインストールが完了しました", IDOK);
        EXPECT_EQ(0u, copy.WaitExit(kWaitMs));
        ExpectUninstalled(installFolder, {}); // the title's own folder goes whole
    }

    // An empty sub-folder: the base folder, which holds another program, is not the title's own. Only the title's
    // files go, and the summary says that something stayed.
    const std::string shared = rootFolder + "\\共有先";
    CreateDirectoryA(shared.c_str(), nullptr);
    CreateDirectoryA((shared + "\\other").c_str(), nullptr);
    WriteFileBytes(shared + "\\other\\keep.txt", "another program");
    WriteFileBytes(shared + "\\keep.dat", "another program's data");
    ProposeFolder(shared);
    PutDisc(DiscFolder(drive), "", "");
    CStartedProcess copy;
    HWND menu = StartAndInstall(drive, &copy, false);
    ASSERT_NE(nullptr, menu);
    HWND subForm = SubForm(menu);
    ASSERT_TRUE(DeleteFileA((shared + "\\uninst.dat").c_str()));
    ASSERT_TRUE(DeleteFileA((KeptFolder(kTitle) + "uninst.dat").c_str()));
    StartUninstall(subForm);
    ExpectBox("確認", "セーブデータも削除しますか？", IDNO);
    ExpectBox("警告", "アンインストール情報が見つかりません\nアンインストールしますか？", IDOK);
    ExpectBox("完了", std::string(kTitle) + "のアンインストールが完了しましたが一部失敗した項目があります", IDOK);
    EXPECT_TRUE(WaitForMenuState(subForm, false)) << "after a partial failure the menu stays and offers to install";
    EXPECT_EQ((std::vector<std::string>{"keep.dat", "other\\", "other\\keep.txt"}), ListTree(shared));
    CloseMenu(menu, &copy);
}

TEST_F(UninstallScenario, FromTheWindowsListOfInstalledPrograms)
{
    const char drive = 'F';
    const std::string installFolder = baseFolder + "\\" + kSubdir + "\\";
    PutDisc(DiscFolder(drive), kSubdir, "");
    {
        CStartedProcess copy;
        HWND menu = StartAndInstall(drive, &copy, false);
        ASSERT_NE(nullptr, menu);
        CloseMenu(menu, &copy);
    }
    // Whoever can write the install folder plants a program, a script, a log and libraries there, and libraries in
    // the work folder; the victims lie outside. Wine is asked to prefer a library of these names that it finds.
    const std::string markers = rootFolder + "\\markers";
    const std::string workCopyFolder = TempPath() + kTitle;
    ASSERT_TRUE(CreateDirectoryA(markers.c_str(), nullptr));
    CreateDirectoryA(workCopyFolder.c_str(), nullptr);
    for (const std::string& folder : {installFolder, workCopyFolder + "\\"}) {
        for (const char* name : {"winmm.dll", "DSetup.dll"})
            ASSERT_TRUE(CopyFileA(BesideDriver(kMarkerLibrary).c_str(), (folder + name).c_str(), FALSE)) << name;
    }
    CEnvironmentSetting markerFolder("ZV_E2E_MARKER_DIR", markers);
    CEnvironmentSetting overrides("WINEDLLOVERRIDES", "winmm,dsetup=n,b");
    const std::string victim = rootFolder + "\\victim.txt";
    WriteFileBytes(victim, "v");
    ASSERT_TRUE(SetRegistryString(HKEY_CURRENT_USER, "Software\\ZVE2EVictim\\x", "v", "v"));
    ASSERT_TRUE(CopyFileA(probeProgram.c_str(), (installFolder + "ZVSetup.exe").c_str(), FALSE));
    WriteFileBytes(installFolder + "Install.ifo",
        std::string("$gametitle = ") + kTitle + "\r\n$installsubdir = " + kSubdir
            + "\r\n$registryroot = ZVE2EVictim\r\n$registrykey = x\r\n$eraseonuninstall = ..\\..\\victim.txt\r\n"
              "$installtypecount = 1\r\n&start\r\ngame.exe\r\n");
    std::string log = ReadFileBytes(installFolder + "uninst.dat");
    log.insert(log.find("#FileCopy\n"), "copy ..\\..\\victim.txt\nregcreateu Software,ZVE2EVictim\n");
    SetFileAttributesA((installFolder + "uninst.dat").c_str(), FILE_ATTRIBUTE_NORMAL);
    WriteFileBytes(installFolder + "uninst.dat", log);

    // Windows runs the entry's whole string as a command line, from a folder of its own.
    std::string uninstallString;
    ASSERT_TRUE(RegistryString(
        HKEY_LOCAL_MACHINE, std::string(kUninstallKey) + "\\" + kTitle, "UninstallString", &uninstallString));
    std::string commandLine = uninstallString;
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    ASSERT_TRUE(CreateProcessA(
        nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, workFolder.c_str(), &startup, &process));
    CloseHandle(process.hThread);
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(process.hProcess, kWaitMs));
    CloseHandle(process.hProcess);

    // The kept copy relaunches from the temporary folder and reads the kept script.
    CStartedProcess copy;
    const std::string kept = KeptFolder(kTitle);
    HWND menu = WaitForCopy(kTitle, kept.substr(0, kept.size() - 1), &copy);
    ASSERT_NE(nullptr, menu) << "DEBUG " << WaitForBox(nullptr, 100).caption << ":" << WaitForBox(nullptr, 100).text
                             << " cmd " << uninstallString;
    HWND subForm = SubForm(menu);
    EXPECT_TRUE(WaitForMenuState(subForm, true));
    EXPECT_EQ(std::vector<std::string>(), ModulesFrom(copy.Id(), installFolder.substr(0, installFolder.size() - 1)));
    EXPECT_EQ(std::vector<std::string>(), ModulesFrom(copy.Id(), workCopyFolder));
    StartUninstall(subForm);
    ExpectBox("確認", "セーブデータも削除しますか？", IDYES);
    ExpectBox("完了", std::string(kTitle) + "のアンインストールが完了しました", IDOK);
    EXPECT_EQ(0u, copy.WaitExit(kWaitMs));
    ExpectUninstalled(installFolder, {"DSetup.dll", "winmm.dll"}); // the planted libraries are no file of the title
    // None of the planted files steered the uninstall, and the kept copy went with it.
    EXPECT_EQ(std::vector<std::string>(), ListTree(markers)) << "a planted library was loaded";
    EXPECT_FALSE(PathExists(probeFolder + "\\probe.txt")) << "the install folder's program ran";
    EXPECT_TRUE(PathExists(victim));
    EXPECT_TRUE(RegistryKeyExists(HKEY_CURRENT_USER, "Software\\ZVE2EVictim\\x"));
    DeleteRegistryTree(HKEY_CURRENT_USER, "Software\\ZVE2EVictim");
    EXPECT_FALSE(PathExists(kept));
}

TEST_F(UninstallScenario, ATamperedLogReachesNothingBeyondTheInstall)
{
    const char drive = 'P';
    const std::string installFolder = baseFolder + "\\" + kSubdir + "\\";
    PutDisc(DiscFolder(drive), kSubdir, "");
    CStartedProcess copy;
    HWND menu = StartAndInstall(drive, &copy, false);
    ASSERT_NE(nullptr, menu);
    HWND subForm = SubForm(menu);

    // Victims outside the install: files, links, a folder, keys of another program, another title's key under the
    // same root, and another title's entry in the list of installed programs.
    const std::string victim = rootFolder + "\\victim.txt"; // two folders above the install folder
    const std::string victimFile = rootFolder + "\\victim2.txt";
    const std::string victimLink = rootFolder + "\\victim.lnk"; // outside the shell folders
    const std::string victimDeviceLink = rootFolder + "\\victim3.lnk";
    const std::string victimFolder = rootFolder + "\\victimFolder";
    const std::string otherTitleKey = std::string("Software\\") + kInstallRoot + "\\他の題";
    const std::string otherEntry = std::string(kUninstallKey) + "\\ZVE2E他の題";
    for (const std::string& file : {victim, victimFile, victimLink, victimDeviceLink})
        WriteFileBytes(file, "v");
    CreateDirectoryA(victimFolder.c_str(), nullptr);
    ASSERT_TRUE(SetRegistryString(HKEY_CURRENT_USER, "Software\\ZVE2EVictim\\x", "v", "v"));
    ASSERT_TRUE(SetRegistryString(HKEY_LOCAL_MACHINE, "Software\\ZVE2EVictim\\x", "v", "v"));
    ASSERT_TRUE(SetRegistryString(HKEY_CURRENT_USER, otherTitleKey, "v", "v"));
    ASSERT_TRUE(SetRegistryString(HKEY_LOCAL_MACHINE, otherEntry, "DisplayName", "v"));
    // The drive of the victims as a share of this machine: a network path that, if followed, reaches the same file.
    const std::string networkLink = "\\\\localhost\\" + rootFolder.substr(0, 1) + "$" + victimLink.substr(2);
    const std::string tampered = "copy ..\\..\\victim.txt\ncopy " + victim + "\nmkshortcut " + victimFile + "\nmkdir "
        + victimFolder + "\nregcreateu Software,ZVE2EVictim\nregcreatel Software\\ZVE2EVictim,x\n"
        + "regcreateu Software\\ZVE2EVictim,x\nregcreateu Software\\" + kInstallRoot + ",他の題\n" + "regcreatel "
        + kUninstallKey + ",ZVE2E他の題\n" + "mkshortcut " + victimLink + "\nmkshortcut " + networkLink
        + "\nmkshortcut \\\\?\\" + victimDeviceLink + "\n";
    // Both logs: the kept one, which the uninstall reads, as if the rights to it had been had, and the install
    // folder's, which anyone may write.
    for (const std::string& logFile : {installFolder + "uninst.dat", KeptFolder(kTitle) + "uninst.dat"}) {
        std::string log = ReadFileBytes(logFile);
        size_t afterHeader = log.find("#FileCopy\n");
        ASSERT_NE(std::string::npos, afterHeader) << logFile;
        log.insert(afterHeader, tampered);
        SetFileAttributesA(logFile.c_str(), FILE_ATTRIBUTE_NORMAL);
        WriteFileBytes(logFile, log);
    }

    StartUninstall(subForm);
    ExpectBox("確認", "セーブデータも削除しますか？", IDNO);
    ExpectBox("完了", std::string(kTitle) + "のアンインストールが完了しました", IDOK);
    EXPECT_EQ(0u, copy.WaitExit(kWaitMs));
    // The rest of the log replayed: the install is gone; the victims are all there.
    ExpectUninstalled(installFolder, {});
    for (const std::string& file : {victim, victimFile, victimLink, victimDeviceLink})
        EXPECT_TRUE(PathExists(file)) << file;
    EXPECT_TRUE(IsFolder(victimFolder));
    EXPECT_TRUE(RegistryKeyExists(HKEY_CURRENT_USER, "Software\\ZVE2EVictim\\x"));
    EXPECT_TRUE(RegistryKeyExists(HKEY_LOCAL_MACHINE, "Software\\ZVE2EVictim\\x"));
    EXPECT_TRUE(RegistryKeyExists(HKEY_CURRENT_USER, otherTitleKey));
    EXPECT_TRUE(RegistryKeyExists(HKEY_LOCAL_MACHINE, otherEntry));
    DeleteRegistryTree(HKEY_CURRENT_USER, "Software\\ZVE2EVictim");
    DeleteRegistryTree(HKEY_LOCAL_MACHINE, "Software\\ZVE2EVictim");
    DeleteRegistryTree(HKEY_LOCAL_MACHINE, otherEntry);
}

// A title with a slash and a colon, which a file name may not hold: its links (the game, its uninstaller, an extra
// link whose name has them too, the desktop) and its work folder take their full-width forms; the uninstall finds
// and removes every link again.
TEST_F(UninstallScenario, ATitleWithASlashAndAColonGetsEveryLinkAndLosesThemAgain)
{
    const char drive = 'R';
    const std::string title = "Fate/Quest: 2";
    const std::string name = "Fate／Quest： 2"; // of the links and the work folder
    const std::string group = "ZVE2E運命";
    WillInstall(title, group);
    titles.push_back(name); // the work folder goes afterwards
    const std::string disc = DiscFolder(drive);
    PutTitle(disc, title);
    WriteFileBytes(disc + "\\Install.ifo",
        "$gametitle = " + title + "\r\n$installsubdir = Fate\r\n$startmenudir = " + group
            + "\r\n$executefile = game.exe\r\n$installtypecount = 1\r\n$installtypename = 標準\r\n"
            + "$installrequire = 1\r\n" + RegistryLines("運命")
            + "$startmenushortcut = yes\r\n$desktopshortcut = yes\r\n"
            + "&mksc 説明書 1/2,readme.txt\r\n&start\r\nZVSetup.exe\r\nInstall.ifo\r\nsplash.bmp\r\ngame.exe\r\n"
            + "readme.txt\r\n");
    WriteFileBytes(disc + "\\game.exe", "game");
    WriteFileBytes(disc + "\\readme.txt", "お読みください");

    CStartedProcess copy;
    HWND menu = StartMenu(drive, title, &copy, name); // the copy runs from %TEMP%\Fate／Quest： 2
    ASSERT_NE(nullptr, menu);
    HWND subForm = SubForm(menu);
    InstallFromMenu(subForm, title, 0, true);
    const std::string programs = ShellFolder(CSIDL_PROGRAMS) + "\\" + group;
    const std::string links[] = {programs + "\\" + name + ".lnk", programs + "\\" + name + "のアンインストール.lnk",
        programs + "\\説明書 1／2.lnk", ShellFolder(CSIDL_DESKTOPDIRECTORY) + "\\" + name + ".lnk"};
    for (const std::string& link : links)
        EXPECT_TRUE(PathExists(link)) << link;
    EXPECT_EQ(baseFolder + "\\Fate\\game.exe", ReadLink(links[0]).path);

    Press(subForm, kUninstallId);
    ExpectBox("確認", title + "をアンインストールします\nよろしいですか？", IDYES);
    ExpectBox("完了", title + "のアンインストールが完了しました", IDOK);
    EXPECT_EQ(0u, copy.WaitExit(kWaitMs));
    for (const std::string& link : links)
        EXPECT_FALSE(PathExists(link)) << link;
    EXPECT_FALSE(PathExists(programs)) << "the Start menu group stays";
    EXPECT_FALSE(PathExists(baseFolder + "\\Fate"));
    EXPECT_FALSE(RegistryKeyExists(HKEY_LOCAL_MACHINE, std::string(kUninstallKey) + "\\" + title));
}

TEST_F(UninstallScenario, AReinstallTakesTheEarlierInstallAwayFirstAndKeepsThePlayersFiles)
{
    const char drive = 'Y';
    const std::string installFolder = baseFolder + "\\" + kSubdir + "\\";
    const std::string disc = DiscFolder(drive);
    PutDisc(disc, kSubdir, "");
    // One installed file is also the player's: the script's erase list names it.
    WriteFileBytes(disc + "\\Install.ifo", UninstallScript(kSubdir, "") + "settings.cfg\r\n");
    WriteFileBytes(disc + "\\settings.cfg", "既定の設定");
    CStartedProcess copy;
    HWND menu = StartAndInstall(drive, &copy, false);
    ASSERT_NE(nullptr, menu);
    HWND subForm = SubForm(menu);
    WriteFileBytes(installFolder + "save\\slot1.dat", "セーブ");
    WriteFileBytes(installFolder + "settings.cfg", "プレイヤーの設定");
    WriteFileBytes(installFolder + "data\\a.dat", "壊れたデータ");
    WriteFileBytes(disc + "\\game.exe", "game 2");

    // Yes and "次へ": the earlier install goes without a question, a sound or a message, and the new one asks
    // nothing about the files the player kept.
    auto reinstall = [&]() {
        Press(subForm, kInstallId);
        ExpectBox("確認", std::string(kTitle) + "は既にインストールされています\n再びインストールしますか？", IDYES);
        HWND settings = WaitForWindow("#32770", kSettingsTitle, kWaitMs);
        ASSERT_NE(nullptr, settings);
        ClickButton(settings, kSettingsNextId);
    };
    reinstall();
    ExpectBox("成功", std::string(kTitle) + "のインストールは完了しました", IDOK);
    EXPECT_TRUE(WaitForMenuState(subForm, true));
    EXPECT_EQ("プレイヤーの設定", ReadFileBytes(installFolder + "settings.cfg"));
    EXPECT_EQ("セーブ", ReadFileBytes(installFolder + "save\\slot1.dat"));
    EXPECT_EQ("game 2", ReadFileBytes(installFolder + "game.exe"));
    EXPECT_EQ("data", ReadFileBytes(installFolder + "data\\a.dat")) << "a file of the install is copied anew";
    std::string log = ReadFileBytes(installFolder + "uninst.dat");
    EXPECT_NE(std::string::npos, log.find("\ncopy settings.cfg\n")) << "the kept file belongs to the new install";
    EXPECT_EQ(log, ReadFileBytes(KeptFolder(kTitle) + "uninst.dat"));

    // A reinstall that fails leaves the title uninstalled, with the player's files where they were.
    ASSERT_TRUE(DeleteFileA((disc + "\\data\\a.dat").c_str()));
    reinstall();
    ExpectBox("失敗", "ファイルが見つかりません -- data\\a.dat\n続行しますか？", IDCANCEL);
    ExpectBox("失敗", kUndoText, IDOK);
    EXPECT_TRUE(WaitForMenuState(subForm, false)) << "the menu offers to install";
    EXPECT_EQ((std::vector<std::string>{"save\\", "save\\slot1.dat", "settings.cfg"}), ListTree(installFolder));
    EXPECT_FALSE(PathExists(KeptFolder(kTitle)));
    EXPECT_FALSE(RegistryKeyExists(HKEY_LOCAL_MACHINE, std::string(kUninstallKey) + "\\" + kTitle));

    // Installed anew over the player's files (a first install asks before it overwrites one), then a reinstall whose
    // removal of the earlier install leaves a file behind: it says so and installs nothing.
    WriteFileBytes(disc + "\\data\\a.dat", "data");
    HWND settings = OpenSettings(subForm);
    ASSERT_NE(nullptr, settings);
    ClickButton(settings, kSettingsNextId);
    ExpectBox("確認", "転送先ファイル\n" + installFolder + "settings.cfg\nは既に存在します\n上書きしますか？", IDOK);
    ExpectBox("成功", std::string(kTitle) + "のインストールは完了しました", IDOK);
    EXPECT_TRUE(WaitForMenuState(subForm, true));
    ASSERT_TRUE(SetFileAttributesA((installFolder + "game.exe").c_str(), FILE_ATTRIBUTE_READONLY));
    reinstall();
    ExpectBox(
        "失敗", std::string(kTitle) + "の以前のインストールを削除できませんでした\nインストールを中止します", IDOK);
    EXPECT_TRUE(WaitForMenuState(subForm, false));
    EXPECT_EQ(
        (std::vector<std::string>{"game.exe", "save\\", "save\\slot1.dat", "settings.cfg"}), ListTree(installFolder));
    SetFileAttributesA((installFolder + "game.exe").c_str(), FILE_ATTRIBUTE_NORMAL);
    CloseMenu(menu, &copy);
}

// The player keeps the saved games, and an ordinary user has planted links to a folder outside: one inside a folder
// the install made, one in place of a made folder, and "uninst.dat" names files through both. Uninstalled from the
// menu with the log, without it, and unattended without -erase: the saved games stay (one of them installed by the
// script), the links stay, the folder outside keeps its file, and everything else of the title goes.
TEST_F(UninstallScenario, KeptSavesStayAndNothingIsDeletedThroughALink)
{
    const char drive = 'A';
    const std::string installFolder = baseFolder + "\\" + kSubdir + "\\", outside = rootFolder + "\\外のフォルダ";
    std::string script = UninstallScript(kSubdir, "");
    script.replace(script.find("&mkdir save\r\n"), 13, "&mkdir save\r\n&mkdir movie\r\n");
    PutDisc(DiscFolder(drive), kSubdir, "");
    WriteFileBytes(DiscFolder(drive) + "\\Install.ifo", script + "save\\start.dat\r\n");
    CreateDirectoryA((DiscFolder(drive) + "\\save").c_str(), nullptr);
    WriteFileBytes(DiscFolder(drive) + "\\save\\start.dat", "the first save");
    CreateDirectoryA(outside.c_str(), nullptr);
    WriteFileBytes(outside + "\\victim.txt", "another program's");
    const std::string rootKey = std::string("Software\\") + kInstallRoot;
    const std::vector<std::string> left = {"data\\", "data\\linked\\", "data\\linked\\victim.txt", "movie\\",
        "movie\\victim.txt", "options.cfg", "save\\", "save\\one.dat", "save\\start.dat"};

    enum { kMenuWithLog, kMenuWithoutLog, kQuiet };
    for (int run : {kMenuWithLog, kMenuWithoutLog, kQuiet}) {
        CStartedProcess copy;
        HWND menu = StartAndInstall(drive, &copy, false);
        ASSERT_NE(nullptr, menu);
        HWND subForm = SubForm(menu);
        ASSERT_TRUE(PathExists(installFolder + "save\\start.dat"));
        WriteFileBytes(installFolder + "save\\one.dat", "1");
        WriteFileBytes(installFolder + "options.cfg", "x");
        ASSERT_TRUE(MakeFolderLink(installFolder + "data\\linked", outside));
        ASSERT_TRUE(RemoveDirectoryA((installFolder + "movie").c_str()));
        ASSERT_TRUE(MakeFolderLink(installFolder + "movie", outside));
        // The install folder's log and the kept one alike: the kept log is what the uninstall reads.
        for (const std::string& logFile : {installFolder + "uninst.dat", KeptFolder(kTitle) + "uninst.dat"}) {
            SetFileAttributesA(logFile.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (run == kMenuWithoutLog) {
                ASSERT_TRUE(DeleteFileA(logFile.c_str()));
            } else {
                std::string log = ReadFileBytes(logFile);
                size_t copyLines = log.find("#FileCopy\n");
                ASSERT_NE(std::string::npos, copyLines);
                log.insert(copyLines + 10,
                    "copy data\\linked\\victim.txt\ncopy movie/victim.txt\nmkdir " + installFolder + "data\\linked\n");
                WriteFileBytes(logFile, log);
            }
        }
        // A value of another title's under the shared registry root keeps the root.
        if (run == kMenuWithoutLog) {
            ASSERT_TRUE(SetRegistryString(HKEY_CURRENT_USER, rootKey, "Other", "x"));
        }

        if (run == kQuiet) {
            CloseMenu(menu, &copy);
            CStartedProcess quiet;
            ASSERT_TRUE(quiet.Start(Root(drive) + kProgramName, "-quiet -uninstall", rootFolder));
            EXPECT_EQ(0u, quiet.WaitExit(kWaitMs));
        } else {
            StartUninstall(subForm);
            ExpectBox("確認", "セーブデータも削除しますか？", IDNO);
        }
        if (run == kMenuWithLog) {
            ExpectBox("完了", std::string(kTitle) + "のアンインストールが完了しました", IDOK);
            EXPECT_EQ(0u, copy.WaitExit(kWaitMs));
        } else if (run == kMenuWithoutLog) {
            // The links keep the install folder: the summary says that something stayed.
            ExpectBox("警告", "アンインストール情報が見つかりません\nアンインストールしますか？", IDOK);
            ExpectBox(
                "完了", std::string(kTitle) + "のアンインストールが完了しましたが一部失敗した項目があります", IDOK);
            CloseMenu(menu, &copy);
            EXPECT_TRUE(RegistryKeyExists(HKEY_CURRENT_USER, rootKey));
            DeleteRegistryTree(HKEY_CURRENT_USER, rootKey);
        }
        ExpectUninstalled(installFolder, left);
        EXPECT_EQ("another program's", ReadFileBytes(outside + "\\victim.txt")) << run;
        for (const char* link : {"data\\linked", "movie"})
            EXPECT_NE(0u, Attributes(installFolder + link) & FILE_ATTRIBUTE_REPARSE_POINT) << run << " " << link;
        EXPECT_TRUE(RemoveFolderLink(installFolder + "data\\linked") && RemoveFolderLink(installFolder + "movie"));
        RemoveFolder(installFolder);
    }
}

} // namespace
