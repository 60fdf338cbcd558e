// Installing, end to end: the real ZVSetup.exe started from a CD-ROM drive or a folder of the test prefix, the
// settings dialog, the copy with its disc prompt, and then the files, links, registry values and "uninst.dat" it
// leaves; failures that end in the undo with nothing of the install left.
#include <gtest/gtest.h>

#include <algorithm>
#include <iostream>
#include <string>
#include <vector>

#include "Version.h"
#include "tests/e2e/InstallScenario.h"
#include "tests/e2e/StopAtCall.h"

namespace {

TEST_F(InstallScenario, TwoDiscTitleWithTheSecondTypeFromTheCdromDrive)
{
    const char drive = 'G';
    const std::string title = "ZVE2E二枚組";
    const std::string subdir = "二枚組ソ"; // "ソ" ends in the byte of a backslash
    const std::string group = "ZVE2E二枚組メニュー";
    WillInstall(title, group);
    std::string disc1 = DiscFolder(drive);
    PutTitle(disc1, title);
    WriteFileBytes(disc1 + "\\Install.ifo",
        "$gametitle = " + title + "\r\n$installsubdir = " + subdir + "\r\n$startmenudir = " + group
            + "\r\n$executefile = game.exe\r\n$executecommand = -full\r\n$installtypecount = 2\r\n"
              "$installtypename = 標準,フル\r\n$installrequire = 1,2\r\n"
            + RegistryLines("二枚組")
            + "$desktopshortcut = yes\r\n$startmenushortcut = yes\r\n$numberofdisc = 2\r\n"
              "$changedisccaption = %sの交換\r\n"
              "!二枚組 一枚目\r\n!二枚組 二枚目\r\n"
              "&mkdir save\r\n&mksc 説明書,manual\\readme.txt\r\n"
              "&start\r\nZVSetup.exe\r\nInstall.ifo\r\ngame.exe\r\nmanual\\readme.txt\r\n&end\r\n"
              "&start\r\ndata\\full.dat\r\nmovie\\opening.dat, 2\r\n&end\r\n");
    PutDiscFile(disc1, "game.exe", Content("game", 3000));
    PutDiscFile(disc1, "manual\\readme.txt", "説明書");
    PutDiscFile(disc1, "data\\full.dat", Content("full", 1500000));
    SetFileAttributesA((disc1 + "\\Install.ifo").c_str(), FILE_ATTRIBUTE_READONLY);

    CStartedProcess copy;
    HWND menu = StartMenu(drive, title, &copy);
    ASSERT_NE(nullptr, menu);
    HWND subForm = SubForm(menu);
    HWND settings = OpenSettings(subForm);
    ASSERT_NE(nullptr, settings);
    const std::string installFolder = baseFolder + "\\" + subdir + "\\";
    EXPECT_EQ(baseFolder + "\\" + subdir, ControlText(settings, kSettingsFolderId));
    EXPECT_EQ("標準 --約1MB", ControlText(settings, kFirstTypeId));
    EXPECT_EQ("フル --約2MB", ControlText(settings, kFirstTypeId + 1));
    EXPECT_TRUE(ButtonChecked(settings, kFirstTypeId));
    EXPECT_FALSE(ControlVisible(settings, kFirstTypeId + 2));
    EXPECT_FALSE(ButtonChecked(settings, kSettingsDesktopId)) << "offered, not ticked";
    EXPECT_TRUE(ControlEnabled(settings, kSettingsDesktopId));
    EXPECT_TRUE(ButtonChecked(settings, kSettingsStartMenuId));
    EXPECT_FALSE(ControlVisible(settings, kSettingsAllUsersId)) << "the script allows no install for all users";
    ClickButton(settings, kFirstTypeId + 1);
    ClickButton(settings, kSettingsDesktopId);
    ClickButton(settings, kSettingsNextId);

    // Disc 2 is asked for by its label; the scenario changes the disc and answers.
    FOUND_BOX prompt = WaitForBox("二枚組 二枚目の交換", kWaitMs);
    ASSERT_NE(nullptr, prompt.window) << "no prompt for disc 2; a box: " << WaitForBox(nullptr, 100).caption << ": "
                                      << WaitForBox(nullptr, 100).text;
    EXPECT_EQ("ディスク二枚組 二枚目に入れ替えてください", prompt.text);
    std::string disc2 = SwapDisc(drive, "second");
    PutDiscFile(disc2, "DISCID.002", "");
    PutDiscFile(disc2, "movie\\opening.dat", Content("movie", 2 * 1048576 + 3));
    EXPECT_TRUE(AnswerBox(prompt, IDOK));
    ExpectBox("成功", title + "のインストールは完了しました", IDOK);

    // Every file of the type, below the install folder with its folder, with the disc's time and writable.
    const std::vector<std::string> files = {"Install.ifo", "ZVSetup.exe", "data\\", "data\\full.dat", "game.exe",
        "manual\\", "manual\\readme.txt", "movie\\", "movie\\opening.dat", "save\\", "uninst.dat"};
    EXPECT_EQ(files, ListTree(installFolder));
    for (const std::string& file : files) {
        if (file.back() == '\\' || file == "uninst.dat")
            continue;
        std::string source = (file == "movie\\opening.dat" ? disc2 : disc1) + "\\" + file;
        std::string installed = installFolder + file;
        EXPECT_EQ(ReadFileBytes(source), ReadFileBytes(installed)) << file;
        FILETIME created, accessed, sourceWritten, installedWritten;
        ASSERT_TRUE(FileTimes(source, &created, &accessed, &sourceWritten));
        ASSERT_TRUE(FileTimes(installed, &created, &accessed, &installedWritten));
        EXPECT_TRUE(SameTime(sourceWritten, installedWritten)) << file << " keeps the time it has on the disc";
        EXPECT_EQ(0u, Attributes(installed) & FILE_ATTRIBUTE_READONLY) << file << " is writable";
    }

    const std::string programs = ShellFolder(CSIDL_PROGRAMS) + "\\" + group;
    const std::string desktopLink = ShellFolder(CSIDL_DESKTOPDIRECTORY) + "\\" + title + ".lnk";
    const std::string topFolder = baseFolder + "\\" + subdir;
    EXPECT_EQ(
        Lines({"## " + title + "インストールログ <time>", "$InstallType = 1", "$InstallDir = " + baseFolder,
            "mkdir " + topFolder, "mkdir " + topFolder + "\\save", "#FileCopy", "copy ZVSetup.exe", "copy Install.ifo",
            "copy game.exe", "mkdir " + installFolder + "manual", "copy manual\\readme.txt",
            "mkdir " + installFolder + "data", "copy data\\full.dat", "mkdir " + installFolder + "movie",
            "copy movie\\opening.dat", "#Copy Finished", "#Make Shortcut",
            "mkshortcut " + programs + "\\" + title + ".lnk",
            "mkshortcut " + programs + "\\" + title + "のアンインストール.lnk",
            "mkshortcut " + programs + "\\説明書.lnk", "mkshortcut " + desktopLink, "#Registry Set",
            "regcreateu Software\\" + std::string(kInstallRoot) + ",二枚組", "!regset InstallDir",
            "!regset InstallType", "#set Uninstall Info", "regcreatel " + std::string(kUninstallKey) + "," + title,
            "!regset UninstallString", "copy uninst.dat"}),
        MaskLogTime(ReadFileBytes(installFolder + "uninst.dat")));

    // The uninstaller is the kept copy, which only administrators can change; it is told where its script is.
    const std::string kept = KeptFolder(title);
    struct {
        std::string link;
        std::string target;
        std::string arguments;
        int iconIndex;
        std::string workingDir;
    } const links[] = {
        {programs + "\\" + title + ".lnk", installFolder + "game.exe", "-full", 0, installFolder},
        {programs + "\\" + title + "のアンインストール.lnk", kept + "ZVSetup.exe", "-dir \"" + kept + "\"", 1, kept},
        {programs + "\\説明書.lnk", installFolder + "manual\\readme.txt", "", 0, installFolder},
        {desktopLink, installFolder + "game.exe", "-full", 0, installFolder},
    };
    for (const auto& expected : links) {
        LINK_INFO link = ReadLink(expected.link);
        ASSERT_TRUE(link.loaded) << expected.link;
        EXPECT_EQ(Lower(expected.target), Lower(link.path)) << expected.link;
        EXPECT_EQ(expected.arguments, link.arguments) << expected.link;
        EXPECT_EQ(Lower(expected.workingDir), Lower(link.workingDir + (link.workingDir.back() == '\\' ? "" : "\\")))
            << expected.link;
        EXPECT_EQ(Lower(expected.target), Lower(link.iconPath)) << expected.link;
        EXPECT_EQ(expected.iconIndex, link.iconIndex) << expected.link;
        EXPECT_EQ(SW_SHOWNORMAL, link.showCommand) << expected.link;
    }

    std::string titleKey = std::string("Software\\") + kInstallRoot + "\\二枚組";
    std::string text;
    DWORD number = 0;
    EXPECT_TRUE(RegistryString(HKEY_CURRENT_USER, titleKey, "InstallDir", &text));
    EXPECT_EQ(installFolder, text);
    EXPECT_TRUE(RegistryDword(HKEY_CURRENT_USER, titleKey, "InstallType", &number));
    EXPECT_EQ(1u, number);
    std::string entry = std::string(kUninstallKey) + "\\" + title;
    const std::pair<const char*, std::string> values[] = {
        {"DisplayName", title},
        {"UninstallString", KeptUninstaller(title)},
        {"DisplayIcon", "\"" + installFolder + "game.exe\""},
        {"DisplayVersion", ZV_DISPLAY_VERSION},
        {"Publisher", "ZENVORA"},
    };
    for (const auto& value : values) {
        EXPECT_TRUE(RegistryString(HKEY_LOCAL_MACHINE, entry, value.first, &text)) << value.first;
        EXPECT_EQ(value.second, text) << value.first;
    }
    EXPECT_TRUE(RegistryDword(HKEY_LOCAL_MACHINE, entry, "EstimatedSize", &number));
    EXPECT_EQ(2u * 1024, number);
    ExpectListValuesForUnattendedUse(entry, title, installFolder);
    // The kept copy: the disc's program and script, and the log as the install folder has it.
    EXPECT_EQ((std::vector<std::string>{"Install.ifo", "ZVSetup.exe", "uninst.dat"}), ListTree(kept));
    EXPECT_EQ(ReadFileBytes(disc1 + "\\Install.ifo"), ReadFileBytes(kept + "Install.ifo"));
    EXPECT_EQ(ReadFileBytes(program), ReadFileBytes(kept + "ZVSetup.exe"));
    EXPECT_EQ(ReadFileBytes(installFolder + "uninst.dat"), ReadFileBytes(kept + "uninst.dat"));

    // The menu now shows the installed title.
    EXPECT_TRUE(WaitForMenuState(subForm, true));
    EXPECT_TRUE(Enabled(subForm, kLaunchId));
    EXPECT_FALSE(Visible(subForm, kInstallId));
    EXPECT_TRUE(Visible(subForm, kUninstallId));
    EXPECT_TRUE(SaveWindowPicture(menu, rootFolder + "\\menu-installed.bmp"));
    CloseMenu(menu, &copy);
}

TEST_F(InstallScenario, OneDiscTitleFromAHardDiskFolderForAllUsers)
{
    const std::string title = "ZVE2E一枚";
    const std::string group = "ZVE2E一枚メニュー";
    WillInstall(title, group);
    // No CD-ROM drive: the installer is started from a folder, and the base folder is the install folder itself.
    PutTitle(workFolder, title);
    WriteFileBytes(workFolder + "\\Install.ifo",
        "$gametitle = " + title + "\r\n$installsubdir = \r\n$startmenudir = " + group
            + "\r\n$executefile = game.exe\r\n$installtypecount = 1\r\n$installtypename = 標準\r\n$installrequire = "
              "1\r\n"
            + RegistryLines("一枚")
            + "$forceinstalltype = 3\r\n$allowalluser = yes\r\n$desktopshortcut = yes\r\n$startmenushortcut = yes\r\n"
              "&start\r\nZVSetup.exe\r\nInstall.ifo\r\ngame.exe\r\ndata\\*.dat\r\nempty.bin\r\nexact.bin\r\nover."
              "bin\r\n");
    const std::vector<std::pair<std::string, size_t>> sources = {{"game.exe", 4000}, {"data\\a.dat", 10},
        {"data\\b.dat", 20}, {"data\\c.dat", 30}, {"empty.bin", 0}, {"exact.bin", 1048576}, {"over.bin", 1048577}};
    for (const auto& source : sources)
        PutDiscFile(workFolder, source.first, Content(source.first, source.second));
    const std::string base = rootFolder + "\\共有";
    CreateDirectoryA(base.c_str(), nullptr);
    ProposeFolder(base);

    // As on Windows 2000, the first system that offers the install for all users.
    CProgramVersionSetting win2k(kProgramName, "win2k");
    CStartedProcess first;
    ASSERT_TRUE(first.Start(workFolder + "\\" + kProgramName, "", workFolder));
    EXPECT_EQ(kExitFailed, first.WaitExit(kWaitMs));
    CStartedProcess copy;
    HWND menu = WaitForCopy(title, workFolder, &copy);
    ASSERT_NE(nullptr, menu);
    HWND subForm = SubForm(menu);
    HWND settings = OpenSettings(subForm);
    ASSERT_NE(nullptr, settings);
    EXPECT_EQ(base + "\\", ControlText(settings, kSettingsFolderId)) << "an empty sub-folder";
    ASSERT_TRUE(ControlVisible(settings, kSettingsAllUsersId)) << "offered to an administrator";
    EXPECT_FALSE(ButtonChecked(settings, kSettingsAllUsersId));
    ClickButton(settings, kSettingsAllUsersId);
    ClickButton(settings, kSettingsDesktopId);
    ClickButton(settings, kSettingsNextId);
    ExpectBox("成功", title + "のインストールは完了しました", IDOK);

    const std::string installFolder = base + "\\";
    std::vector<std::string> expectedFiles = {"Install.ifo", "ZVSetup.exe", "data\\", "uninst.dat"};
    for (const auto& source : sources) {
        expectedFiles.push_back(source.first);
        EXPECT_EQ(ReadFileBytes(workFolder + "\\" + source.first), ReadFileBytes(installFolder + source.first))
            << source.first;
    }
    std::sort(expectedFiles.begin(), expectedFiles.end());
    EXPECT_EQ(expectedFiles, ListTree(installFolder));

    // The wildcard's files are copied in the order the search gives them.
    std::string wildcardLines;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((workFolder + "\\data\\*.dat").c_str(), &found);
    ASSERT_NE(INVALID_HANDLE_VALUE, search);
    do
        wildcardLines += std::string("copy data\\") + found.cFileName + "\n";
    while (FindNextFileA(search, &found));
    FindClose(search);
    const std::string programs = ShellFolder(CSIDL_COMMON_PROGRAMS) + "\\" + group;
    const std::string desktopLink = ShellFolder(CSIDL_COMMON_DESKTOPDIRECTORY) + "\\" + title + ".lnk";
    EXPECT_EQ(Lines({"## " + title + "インストールログ <time>", "$InstallType = 0", "$InstallDir = " + base,
                  "mkdir " + base + "\\", "#FileCopy", "copy ZVSetup.exe", "copy Install.ifo", "copy game.exe",
                  "mkdir " + installFolder + "data"})
            + wildcardLines
            + Lines({"copy empty.bin", "copy exact.bin", "copy over.bin", "#Copy Finished", "#Make Shortcut",
                "mkshortcut " + programs + "\\" + title + ".lnk",
                "mkshortcut " + programs + "\\" + title + "のアンインストール.lnk", "mkshortcut " + desktopLink,
                "#Registry Set", "regcreateau .DEFAULT\\Software\\" + std::string(kInstallRoot) + ",一枚",
                "!regset InstallDir", "!regset InstallType", "#set Uninstall Info",
                "regcreatel " + std::string(kUninstallKey) + "," + title, "!regset UninstallString",
                "copy uninst.dat"}),
        MaskLogTime(ReadFileBytes(installFolder + "uninst.dat")));
    for (const std::string& link : {programs + "\\" + title + ".lnk", desktopLink}) {
        LINK_INFO info = ReadLink(link);
        EXPECT_TRUE(info.loaded) << link;
        EXPECT_EQ(Lower(installFolder + "game.exe"), Lower(info.path)) << link;
    }

    // The title's key is the default user's; the current user's hive is not touched.
    std::string titleKey = std::string(".DEFAULT\\Software\\") + kInstallRoot + "\\一枚";
    std::string folder;
    DWORD type = 0;
    EXPECT_TRUE(RegistryString(HKEY_USERS, titleKey, "InstallDir", &folder));
    EXPECT_EQ(installFolder, folder);
    EXPECT_TRUE(RegistryDword(HKEY_USERS, titleKey, "InstallType", &type));
    EXPECT_EQ(3u, type) << "the script's forced type, not the chosen one";
    EXPECT_FALSE(RegistryKeyExists(HKEY_CURRENT_USER, std::string("Software\\") + kInstallRoot + "\\一枚"));
    EXPECT_TRUE(WaitForMenuState(subForm, true));
    CloseMenu(menu, &copy);
}

// Each failure ends in the undo: the copied files, the folders the install made and the log are gone, and the menu
// still offers to install.
TEST_F(InstallScenario, FailuresAreUndoneWithNothingOfTheInstallLeft)
{
    const char drive = 'I';
    const std::string title = "ZVE2E失敗";
    const std::string subdir = "失敗ソフト";
    WillInstall(title, "");
    std::string disc = DiscFolder(drive);
    PutTitle(disc, title);
    WriteFileBytes(disc + "\\Install.ifo",
        "$gametitle = " + title + "\r\n$installsubdir = " + subdir
            + "\r\n$executefile = game.exe\r\n$installtypecount = 4\r\n$installtypename = 基本,大,欠落,二枚目\r\n"
              "$installrequire = 0,0,0,0\r\n"
            + RegistryLines("失敗") + "$numberofdisc = 2\r\n&mkdir save\r\n"
            + "&start\r\ngame.exe\r\n&end\r\n&start\r\nbig.bin\r\n&end\r\n&start\r\nmissing.dat\r\n&end\r\n"
              "&start\r\nmovie.dat, 2\r\n&end\r\n");
    PutDiscFile(disc, "game.exe", Content("game", 100));
    PutDiscFile(disc, "big.bin", Content("big", 64 * 1048576));
    const std::string installFolder = baseFolder + "\\" + subdir + "\\";

    CStartedProcess copy;
    HWND menu = StartMenu(drive, title, &copy);
    ASSERT_NE(nullptr, menu);
    HWND subForm = SubForm(menu);
    auto install = [&](int type) {
        HWND settings = OpenSettings(subForm);
        if (settings == nullptr)
            return;
        ClickButton(settings, kFirstTypeId + type);
        ClickButton(settings, kSettingsNextId);
    };
    // After the undo's box the folder holds only what was there before (left), nothing of the install is in the
    // registry, and the menu still offers to install.
    auto expectUndone = [&](const char* what, const std::string& folder, const std::vector<std::string>& left) {
        ExpectBox("失敗", kUndoText, IDOK);
        // The undo follows the box, and its journal goes once it is over. The folder is not listed meanwhile: a
        // listing open in one of its folders would keep the undo from removing that folder.
        DWORD undoStart = GetTickCount();
        while (PathExists(JournalPath(title)) && GetTickCount() - undoStart < kWaitMs)
            Sleep(50);
        EXPECT_FALSE(PathExists(JournalPath(title))) << what;
        EXPECT_EQ(left, ListTree(folder)) << what;
        if (left.empty()) {
            EXPECT_FALSE(PathExists(folder)) << what << ": the install folder stays";
        }
        EXPECT_FALSE(RegistryKeyExists(HKEY_CURRENT_USER, std::string("Software\\") + kInstallRoot + "\\失敗")) << what;
        EXPECT_FALSE(RegistryKeyExists(HKEY_LOCAL_MACHINE, std::string(kUninstallKey) + "\\" + title)) << what;
        EXPECT_TRUE(WaitForMenuState(subForm, false)) << what;
    };

    // A file missing from the disc, and the user stops at the question.
    install(2);
    ExpectBox("失敗", "ファイルが見つかりません -- missing.dat\n続行しますか？", IDCANCEL);
    expectUndone("missing file", installFolder, {});

    // The cancel button in the middle of a large file: the read after the next chunk fails, the partial file goes.
    // The copy takes no time a person could press in: the installer is held as it makes the file, the click waits
    // for it, and the copy meets the click at its first look after the first chunk.
    {
        HWND settings = OpenSettings(subForm);
        ASSERT_NE(nullptr, settings);
        ClickButton(settings, kFirstTypeId + 1);
        CStopAtCall stop(copy, "kernel32.dll", "CreateFile");
        PostMessageA(GetDlgItem(settings, kSettingsNextId), BM_CLICK, 0, 0);
        ASSERT_TRUE(stop.HoldAtCall(0, subdir + "\\big.bin", kWaitMs)) << "big.bin was not made";
        HWND copyDialog = WaitForWindow("#32770", kCopyTitle, kWaitMs);
        ASSERT_NE(nullptr, copyDialog);
        PostMessageA(GetDlgItem(copyDialog, kCopyCancelId), BM_CLICK, 0, 0);
        Sleep(50);
        stop.Release();
        FOUND_BOX failure = WaitForBox("失敗", kWaitMs);
        ASSERT_NE(nullptr, failure.window);
        EXPECT_EQ(installFolder + "big.binのコピー中に失敗しました", failure.text);
        EXPECT_EQ("コピー中 big.bin in ディスク1", ControlText(copyDialog, kCopyFileTextId));
        EXPECT_EQ("全体(2 of 2)", ControlText(copyDialog, kCopyCountTextId));
        EXPECT_TRUE(AnswerBox(failure, IDOK));
    }
    expectUndone("cancelled copy", installFolder, {});

    // Going on past the missing file; the copy pass warns and skips it; then disc 2 is not given.
    install(3);
    ExpectBox("失敗", "ファイルが見つかりません -- missing.dat\n続行しますか？", IDOK);
    ExpectBox("警告", "missing.datがみつかりませんでした", IDOK);
    ExpectBox("ディスクの交換", "ディスクディスク2に入れ替えてください", IDCANCEL);
    expectUndone("disc prompt cancelled", installFolder, {});

    // The cancel button pressed while a box of the copy is up: no further file is started once it is answered.
    install(3);
    ExpectBox("失敗", "ファイルが見つかりません -- missing.dat\n続行しますか？", IDOK);
    FOUND_BOX warning = WaitForBox("警告", kWaitMs);
    ASSERT_NE(nullptr, warning.window);
    ClickButton(WaitForWindow("#32770", kCopyTitle, kWaitMs), kCopyCancelId);
    EXPECT_TRUE(AnswerBox(warning, IDOK));
    EXPECT_EQ(nullptr, WaitForBox("ディスクの交換", 500).window) << "disc 2 is asked for after the cancel";
    expectUndone("cancelled during a box", installFolder, {});

    // A file of someone else's in the way: neither refusing nor a read-only file costs it anything.
    ASSERT_TRUE(CreateDirectoryA(installFolder.c_str(), nullptr));
    WriteFileBytes(installFolder + "game.exe", "mine");
    install(0);
    const std::string overwrite = "転送先ファイル\n" + installFolder + "game.exe\nは既に存在します\n上書きしますか？";
    ExpectBox("確認", overwrite, IDCANCEL);
    expectUndone("overwrite refused", installFolder, {"game.exe"});
    // Windows refuses to replace a read-only file; Wine run as root does not, so the file is also held open
    // without write sharing, which every Windows refuses to replace.
    ASSERT_TRUE(SetFileAttributesA((installFolder + "game.exe").c_str(), FILE_ATTRIBUTE_READONLY));
    HANDLE held = CreateFileA(
        (installFolder + "game.exe").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    install(0);
    ExpectBox("確認", overwrite, IDOK);
    ExpectBox("失敗", installFolder + "game.exeが書き込めませんでした", IDOK);
    expectUndone("read-only destination", installFolder, {"game.exe"});
    CloseHandle(held);
    EXPECT_EQ("mine", ReadFileBytes(installFolder + "game.exe"));
    SetFileAttributesA((installFolder + "game.exe").c_str(), FILE_ATTRIBUTE_NORMAL);
    RemoveFolder(installFolder.substr(0, installFolder.size() - 1));

    // A full disk.
    std::string small = Environment("ZV_E2E_SMALL_FOLDER");
    if (small.empty()) {
        std::cout << "[ NOTE     ] no small file system could be mounted here: the full disk is not tried\n";
    } else {
        std::string smallFolder = UnixToWindows(small);
        ProposeFolder(smallFolder);
        const std::string smallInstall = smallFolder + "\\" + subdir + "\\";
        install(1);
        ExpectBox("失敗", smallInstall + "big.binのコピー中に失敗しました", IDOK);
        expectUndone("full disk", smallInstall, {});
    }
    CloseMenu(menu, &copy);
}

// A disc that cannot be read in the middle of a file (the copy's third read of a chunk fails once with a CRC
// error, as a scratched disc's read does): the person is asked, Cancel stops and undoes the install as any failure
// does, and Retry copies the file again from its beginning, whole, with one line for it in the log.
TEST_F(InstallScenario, AnUnreadableDiscIsAskedAboutAndReadAgain)
{
    const char drive = 'I';
    const std::string title = "ZVE2E再読";
    const std::string subdir = "再読ソフト";
    WillInstall(title, "");
    std::string disc = DiscFolder(drive);
    PutTitle(disc, title);
    WriteFileBytes(disc + "\\Install.ifo",
        "$gametitle = " + title + "\r\n$installsubdir = " + subdir
            + "\r\n$installtypecount = 1\r\n$installtypename = 基本\r\n$installrequire = 0\r\n" + RegistryLines("再読")
            + "&start\r\nZVSetup.exe\r\nInstall.ifo\r\ndata\\big.bin\r\n&end\r\n");
    PutDiscFile(disc, "data\\big.bin", Content("big", 5 * 1048576 + 17));
    const std::string installFolder = baseFolder + "\\" + subdir + "\\";
    const std::string question
        = "data\\big.binの読み込みに失敗しました\nディスクの汚れや傷を確かめて再試行してください";

    CStartedProcess copy;
    HWND menu = StartMenu(drive, title, &copy);
    ASSERT_NE(nullptr, menu);
    HWND subForm = SubForm(menu);
    for (int answer : {IDCANCEL, IDRETRY}) {
        HWND settings = OpenSettings(subForm);
        ASSERT_NE(nullptr, settings);
        CStopAtCall stop(copy, "kernel32.dll", "ReadFile", false);
        PostMessageA(GetDlgItem(settings, kSettingsNextId), BM_CLICK, 0, 0);
        // ReadFile(file, buffer, bytes, read, overlapped): the third read of a whole chunk.
        ASSERT_TRUE(stop.FailCall(2, 1048576, 2, 5, ERROR_CRC, kWaitMs)) << "the copy read no chunk";
        FOUND_BOX box = WaitForBox("読み込みエラー", kWaitMs);
        ASSERT_NE(nullptr, box.window);
        EXPECT_EQ(question, box.text);
        EXPECT_FALSE(PathExists(installFolder + "data\\big.bin")) << "the partial file stays while asking";
        EXPECT_TRUE(AnswerBox(box, answer));
        if (answer == IDCANCEL) {
            ExpectBox("失敗", kUndoText, IDOK);
            DWORD undoStart = GetTickCount();
            while (PathExists(JournalPath(title)) && GetTickCount() - undoStart < kWaitMs)
                Sleep(50);
            EXPECT_FALSE(PathExists(installFolder)) << "the cancelled install left its folder";
            EXPECT_FALSE(RegistryKeyExists(HKEY_LOCAL_MACHINE, std::string(kUninstallKey) + "\\" + title));
            EXPECT_TRUE(WaitForMenuState(subForm, false));
        }
    }
    ExpectBox("成功", title + "のインストールは完了しました", IDOK);
    EXPECT_EQ(ReadFileBytes(disc + "\\data\\big.bin"), ReadFileBytes(installFolder + "data\\big.bin"));
    std::string log = ReadFileBytes(installFolder + "uninst.dat");
    size_t first = log.find("copy data\\big.bin");
    EXPECT_NE(std::string::npos, first) << log;
    EXPECT_EQ(std::string::npos, log.find("copy data\\big.bin", first + 1)) << "the file is logged twice";
    CloseMenu(menu, &copy);
}

TEST_F(InstallScenario, TheSettingsDialogHidesTypesAsksForSpaceAndBrowses)
{
    const char drive = 'Q';
    const std::string title = "ZVE2E設定";
    WillInstall(title, "");
    PutTitle(DiscFolder(drive), title);
    WriteFileBytes(DiscFolder(drive) + "\\Install.ifo",
        "$gametitle = " + title + "\r\n$installsubdir = 設定\r\n$executefile = game.exe\r\n$installtypecount = 3\r\n"
            + "$installtypename = 小,巨大,中\r\n$installrequire = 1,2147483647,3\r\n$installtype = 5\r\n"
            + RegistryLines("設定") + "&start\r\ngame.exe\r\n");
    PutDiscFile(DiscFolder(drive), "game.exe", "x");

    CStartedProcess copy;
    HWND menu = StartMenu(drive, title, &copy);
    ASSERT_NE(nullptr, menu);
    // Without the registry's program folder the shell's is proposed.
    ASSERT_TRUE(SetRegistryString(HKEY_LOCAL_MACHINE, kWindowsKey, "ProgramFilesDir", nullptr));
    HWND settings = OpenSettings(SubForm(menu));
    ASSERT_NE(nullptr, settings);
    EXPECT_EQ(ShellFolder(CSIDL_PROGRAM_FILES) + "\\設定", ControlText(settings, kSettingsFolderId));
    ClickButton(settings, kSettingsCancelId);
    EXPECT_TRUE(WaitGone(settings, kWaitMs));
    ProposeFolder(baseFolder);

    settings = OpenSettings(SubForm(menu));
    ASSERT_NE(nullptr, settings);
    const char* const texts[] = {"小 --約1MB", "巨大 --約2147483647MB", "中 --約3MB"};
    for (int type = 0; type < 10; type++) {
        EXPECT_EQ(type < 3, ControlVisible(settings, kFirstTypeId + type)) << "type " << type;
        EXPECT_FALSE(ButtonChecked(settings, kFirstTypeId + type)) << "the script's type 5 does not exist";
        if (type < 3) {
            EXPECT_EQ(texts[type], ControlText(settings, kFirstTypeId + type));
        }
    }
    EXPECT_FALSE(ControlEnabled(settings, kSettingsDesktopId)) << "the script offers no desktop shortcut";
    EXPECT_FALSE(ControlEnabled(settings, kSettingsStartMenuId));
    ClickButton(settings, kSettingsNextId);
    Sleep(300);
    EXPECT_TRUE(IsWindowVisible(settings)) << "no type is chosen: next does nothing";
    EXPECT_EQ(nullptr, WaitForBox("警告", 200).window) << "no question either";

    // A need larger than any disk: the question, and the dialog stays after Cancel.
    ClickButton(settings, kFirstTypeId + 1);
    ClickButton(settings, kSettingsNextId);
    ExpectBox("警告", "必要な容量に足りませんがインストールしますか？", IDCANCEL);
    Sleep(300);
    EXPECT_TRUE(IsWindowVisible(settings));

    // The folder changes only through the browser.
    const std::string before = ControlText(settings, kSettingsFolderId);
    EXPECT_EQ(baseFolder + "\\設定", before);
    EXPECT_NE(0, GetWindowLongA(GetDlgItem(settings, kSettingsFolderId), GWL_STYLE) & ES_READONLY);
    ClickButton(settings, kSettingsBrowseId);
    HWND browser = WaitForOwnedDialog(settings, kWaitMs);
    ASSERT_NE(nullptr, browser) << "no folder browser";
    EXPECT_TRUE(SaveWindowPicture(browser, rootFolder + "\\browser.bmp"));
    HWND tree = FindWindowExA(browser, nullptr, "SysTreeView32", nullptr);
    ASSERT_NE(nullptr, tree);
    // The keyboard as a person uses it: the first folder of the tree, then OK.
    PostMessageA(tree, WM_KEYDOWN, VK_HOME, 0);
    Sleep(300);
    ClickButton(browser, IDOK);
    EXPECT_TRUE(WaitGone(browser, kWaitMs));
    std::string after = ControlText(settings, kSettingsFolderId);
    EXPECT_NE(before, after);
    ASSERT_GT(after.size(), std::string("\\設定").size());
    EXPECT_EQ("\\設定", after.substr(after.size() - std::string("\\設定").size())) << after;
    EXPECT_TRUE(IsFolder(after.substr(0, after.size() - std::string("\\設定").size()))) << after;

    // Cancel: nothing is installed.
    ClickButton(settings, kSettingsCancelId);
    EXPECT_TRUE(WaitGone(settings, kWaitMs));
    EXPECT_TRUE(NoBoxAppears(copy.Id(), 500));
    EXPECT_EQ(nullptr, WaitForWindow("#32770", kCopyTitle, 200));
    EXPECT_FALSE(PathExists(baseFolder + "\\設定"));
    EXPECT_FALSE(PathExists(after));
    CloseMenu(menu, &copy);
}

} // namespace
