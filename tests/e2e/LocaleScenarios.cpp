// The installer on a system of another code page, end to end: the two-disc title installed and uninstalled with
// the installer started under English (1252), Chinese (936, where Shift-JIS bytes read as other characters) and
// Russian (1251) locales, beside the Japanese reference; a log written under one replayed under another; and a
// user whose profile and temporary folder hold letters Shift-JIS lacks. The driver stays Japanese and reads the
// windows, boxes and registry back in UTF-16, so that what it sees is what the installer made, not its own reading.
#include <gtest/gtest.h>

#include <cwchar>
#include <ostream>
#include <string>
#include <vector>

#include "tests/e2e/E2eLocale.h"
#include "tests/e2e/InstallScenario.h"

namespace {

struct LOCALE_CASE {
    const char* name; // of the case, and of its test
    const char* installLocale;
    const char* uninstallLocale;
    bool foreignProfile; // the user's profile and temporary folder hold "é" and "Її"
};

void PrintTo(const LOCALE_CASE& locale, std::ostream* out)
{
    *out << locale.name;
}

const LOCALE_CASE kLocaleCases[] = {
    {"ja_JP", "ja_JP.UTF-8", "ja_JP.UTF-8", false}, // code page 932: the reference the others must match
    {"en_US", "en_US.UTF-8", "en_US.UTF-8", false}, // 1252: the title's bytes read as Latin letters
    {"zh_CN", "zh_CN.UTF-8", "zh_CN.UTF-8", false}, // 936: the same bytes read as other, valid characters
    {"ru_RU", "ru_RU.UTF-8", "ru_RU.UTF-8", false}, // 1251: as Cyrillic letters
    {"ja_JP_then_en_US", "ja_JP.UTF-8", "en_US.UTF-8", false}, // a Japanese system's log undone on an English one
    {"en_US_then_ja_JP", "en_US.UTF-8", "ja_JP.UTF-8", false}, // and the other way round
    {"en_US_profile", "en_US.UTF-8", "en_US.UTF-8", true},
};

// Modelled on the sample in examples/, with Japanese wherever the script gives a name: "表" and "ソ" end in the
// byte of a backslash.
const char kTitle[] = "ZVE2E表示テスト";
const char kSubdir[] = "多言語ソフト";
const char kGroup[] = "ZVE2E多言語メニュー";
const char kTitleKey[] = "多言語";
const char kInstallDirValue[] = "インストール先";
const char kManual[] = "説明書\\読んでね.txt";
const char kBaseData[] = "データ\\基本.dat";
const char kMovie[] = "ムービー\\オープニング.dat";

std::string LocaleScript()
{
    return std::string("# 多言語: 2枚組\r\n$GameTitle = ") + kTitle + "\r\n$InstallTypeCount = 2\r\n"
        + "$InstallTypeName = 標準,フル\r\n$InstallRequire = 1,2\r\n$InstallSubDir = " + kSubdir
        + "\r\n$StartMenuDir = " + kGroup + "\r\n$ExecuteFile = game.exe\r\n$RegistryRoot = " + kInstallRoot
        + "\r\n$RegistryKey = " + kTitleKey + "\r\n$RegistryInstallDirValue = " + kInstallDirValue
        + "\r\n$RegistryInstallTypeValue = InstallType\r\n$DesktopShortcut = yes\r\n$StartMenuShortcut = yes\r\n"
        + "$NumberOfDisc = 2\r\n$InstallFinishMessage = インストールが完了しました。\r\n"
        + "$UninstallFinishMessage = アンインストールが完了しました。\r\n$cmd = " + kManual + ",説明書を読む,no\r\n"
        + "!多言語 ディスク1\r\n!多言語 ディスク2\r\n&mkdir セーブ\r\n&mksc 説明書," + kManual + "\r\n"
        + "&start\r\nZVSetup.exe\r\nInstall.ifo\r\nsplash.bmp\r\ngame.exe\r\n" + kBaseData
        + "\r\n説明書\\*.txt\r\n&end\r\n&start\r\nムービー\\*.dat, 2\r\n&end\r\n";
}

bool SameNoCase(const std::wstring& first, const std::wstring& second)
{
    return _wcsicmp(first.c_str(), second.c_str()) == 0;
}

class LocaleScenario : public InstallScenario, public ::testing::WithParamInterface<LOCALE_CASE> {
protected:
    void SetUp() override
    {
        InstallScenario::SetUp();
        WillInstall(kTitle, kGroup);
    }

    // Starts the disc's installer under the locale and waits for its copy's menu; checks the copy's place, in the
    // temporary folder the installer was given, and the menu's texts.
    HWND StartMenuUnder(const char* locale, CStartedProcess* copy)
    {
        if (!StartUnderLocale(locale, Utf16(Root(drive)), settings, Utf16(Root(drive) + kProgramName))) {
            ADD_FAILURE() << "the installer could not be started under " << locale;
            return nullptr;
        }
        HWND menu = WaitForWindow(kMenuClass, MenuTitle(kTitle).c_str(), kWaitMs);
        if (menu == nullptr) {
            HWND box = WaitForBox(nullptr, 100).window;
            ADD_FAILURE() << "no menu titled in Japanese under " << locale << "; a window of its class: "
                          << ::testing::PrintToString(WindowTextW(WaitForWindow(kMenuClass, nullptr, 100)))
                          << "; a box: " << ::testing::PrintToString(WindowTextW(box)) << " "
                          << ::testing::PrintToString(BoxTextW(box));
            return nullptr;
        }
        DWORD id = 0;
        GetWindowThreadProcessId(menu, &id);
        EXPECT_TRUE(copy->Open(id));
        std::wstring copyPath = temporaryFolder + Utf16(kTitle) + L"\\" + Utf16(kProgramName);
        EXPECT_TRUE(SameNoCase(copyPath, ProcessImagePathW(copy->Handle())))
            << "the copy runs from " << ::testing::PrintToString(ProcessImagePathW(copy->Handle()));
        EXPECT_EQ(Utf16(MenuTitle(kTitle)), WindowTextW(menu));
        HWND subForm = SubForm(menu);
        EXPECT_EQ(Utf16("インストール"), WindowTextW(GetDlgItem(subForm, kInstallId)));
        EXPECT_EQ(Utf16("説明書を読む"), WindowTextW(GetDlgItem(subForm, kFirstExtraId)));
        return menu;
    }

    // Waits for the box, checks its caption and text as UTF-16, and answers it.
    void ExpectBoxW(const char* caption, const std::string& text, int answer)
    {
        FOUND_BOX box = WaitForBox(caption, kWaitMs);
        ASSERT_NE(nullptr, box.window) << "no box captioned " << caption << ", expected: " << text;
        EXPECT_EQ(Utf16(caption), WindowTextW(box.window));
        EXPECT_EQ(Utf16(text), BoxTextW(box.window));
        EXPECT_TRUE(AnswerBox(box, answer));
    }

    char drive = 0;
    std::vector<std::wstring> settings; // the installer's environment beyond the driver's
    std::wstring temporaryFolder; // the installer's, with its trailing backslash
};

TEST_P(LocaleScenario, TwoDiscInstallAndUninstall)
{
    const LOCALE_CASE& locale = GetParam();
    drive = letters[0];
    temporaryFolder = Utf16(TempPath());
    if (locale.foreignProfile) {
        std::wstring profile = Utf16(rootFolder) + L"\\Jos\u00e9";
        std::wstring temporary = profile + L"\\\u0407\u0457";
        ASSERT_TRUE(CreateDirectoryW(profile.c_str(), nullptr));
        ASSERT_TRUE(CreateDirectoryW(temporary.c_str(), nullptr));
        // Wine takes the shell folders from the prefix's own profile whatever USERPROFILE says: the links land where
        // they do in the other cases, and the work folder and the relaunch are what this case is about.
        settings = {L"USERPROFILE=" + profile, L"TEMP=" + temporary, L"TMP=" + temporary};
        temporaryFolder = temporary + L"\\";
    }
    const std::string disc1 = DiscFolder(drive);
    PutTitle(disc1, kTitle);
    WriteFileBytes(disc1 + "\\Install.ifo", LocaleScript());
    PutDiscFile(disc1, "game.exe", Content("game", 3000));
    PutDiscFile(disc1, kBaseData, Content("base", 1500000));
    PutDiscFile(disc1, kManual, "説明書");
    const std::string disc2 = rootFolder + "\\disc_second";
    CreateDirectoryA(disc2.c_str(), nullptr);
    PutDiscFile(disc2, "DISCID.002", "");
    PutDiscFile(disc2, kMovie, Content("movie", 2 * 1048576 + 3));

    // The install, full type with the desktop link, under the install's locale.
    {
        CStartedProcess copy;
        HWND menu = StartMenuUnder(locale.installLocale, &copy);
        ASSERT_NE(nullptr, menu);
        HWND subForm = SubForm(menu);
        HWND settingsDialog = OpenSettings(subForm);
        ASSERT_NE(nullptr, settingsDialog);
        EXPECT_EQ(Utf16(kSettingsTitle), WindowTextW(settingsDialog));
        EXPECT_EQ(baseFolder + "\\" + kSubdir, ControlText(settingsDialog, kSettingsFolderId));
        EXPECT_EQ(Utf16("フル --約2MB"), WindowTextW(GetDlgItem(settingsDialog, kFirstTypeId + 1)));
        ClickButton(settingsDialog, kFirstTypeId + 1);
        ClickButton(settingsDialog, kSettingsDesktopId);
        ClickButton(settingsDialog, kSettingsNextId);
        FOUND_BOX prompt = WaitForBox("ディスクの交換", kWaitMs);
        ASSERT_NE(nullptr, prompt.window) << "no prompt for disc 2; a box: " << WaitForBox(nullptr, 100).caption << ": "
                                          << WaitForBox(nullptr, 100).text;
        EXPECT_EQ(Utf16("ディスクの交換"), WindowTextW(prompt.window));
        EXPECT_EQ(Utf16("ディスク多言語 ディスク2に入れ替えてください"), BoxTextW(prompt.window));
        SwapDisc(drive, "second");
        EXPECT_TRUE(AnswerBox(prompt, IDOK));
        ExpectBoxW("情報", "インストールが完了しました。", IDOK);
        EXPECT_TRUE(WaitForMenuState(subForm, true)) << "the menu does not show the installed title";
        EXPECT_TRUE(SaveWindowPicture(menu, rootFolder + "\\menu-installed.bmp"));
        CloseMenu(menu, &copy);
    }

    // Every name as the script gives it: the driver reads them in code page 932, where a name the installer
    // misread in another code page shows as other characters or "?".
    const std::string installFolder = baseFolder + "\\" + kSubdir + "\\";
    std::vector<std::string> files = {"Install.ifo", "ZVSetup.exe", "game.exe", "splash.bmp", "uninst.dat", "セーブ\\",
        "データ\\", kBaseData, "ムービー\\", kMovie, "説明書\\", kManual};
    std::sort(files.begin(), files.end());
    EXPECT_EQ(files, ListTree(installFolder));
    for (const std::string& file : {std::string("game.exe"), std::string(kBaseData), std::string(kManual)})
        EXPECT_EQ(ReadFileBytes(disc1 + "\\" + file), ReadFileBytes(installFolder + file)) << file;
    EXPECT_EQ(ReadFileBytes(disc2 + "\\" + kMovie), ReadFileBytes(installFolder + kMovie));

    // The log holds the script's bytes, whatever the system's code page: the same bytes as under Japanese.
    const std::string programs = ShellFolder(CSIDL_PROGRAMS) + "\\" + kGroup;
    const std::string desktopLink = ShellFolder(CSIDL_DESKTOPDIRECTORY) + "\\" + kTitle + ".lnk";
    const std::string topFolder = baseFolder + "\\" + kSubdir;
    EXPECT_EQ(
        Lines({"## " + std::string(kTitle) + "インストールログ <time>", "$InstallType = 1",
            "$InstallDir = " + baseFolder, "mkdir " + topFolder, "mkdir " + topFolder + "\\セーブ", "#FileCopy",
            "copy ZVSetup.exe", "copy Install.ifo", "copy splash.bmp", "copy game.exe",
            "mkdir " + installFolder + "データ", "copy " + std::string(kBaseData), "mkdir " + installFolder + "説明書",
            "copy " + std::string(kManual), "mkdir " + installFolder + "ムービー", "copy " + std::string(kMovie),
            "#Copy Finished", "#Make Shortcut", "mkshortcut " + programs + "\\" + kTitle + ".lnk",
            "mkshortcut " + programs + "\\" + kTitle + "のアンインストール.lnk",
            "mkshortcut " + programs + "\\説明書.lnk", "mkshortcut " + desktopLink, "#Registry Set",
            "regcreateu Software\\" + std::string(kInstallRoot) + "," + kTitleKey,
            "!regset " + std::string(kInstallDirValue), "!regset InstallType", "#set Uninstall Info",
            "regcreatel " + std::string(kUninstallKey) + "," + kTitle, "!regset UninstallString", "copy uninst.dat"}),
        MaskLogTime(ReadFileBytes(installFolder + "uninst.dat")));
    EXPECT_EQ(ReadFileBytes(installFolder + "uninst.dat"), ReadFileBytes(KeptFolder(kTitle) + "uninst.dat"));

    // Each link's target and working folder, as their UTF-16 names.
    const struct {
        std::string link;
        std::string target;
        std::string workingFolder;
    } links[] = {
        {programs + "\\" + kTitle + ".lnk", installFolder + "game.exe", installFolder},
        {desktopLink, installFolder + "game.exe", installFolder},
        {programs + "\\説明書.lnk", installFolder + kManual, installFolder},
        {programs + "\\" + kTitle + "のアンインストール.lnk", KeptFolder(kTitle) + kProgramName, KeptFolder(kTitle)},
    };
    for (const auto& expected : links) {
        std::wstring target, workingFolder;
        ASSERT_TRUE(ReadLinkW(Utf16(expected.link), &target, &workingFolder)) << expected.link;
        EXPECT_TRUE(SameNoCase(Utf16(expected.target), target))
            << expected.link << ": " << ::testing::PrintToString(target);
        if (!workingFolder.empty() && workingFolder.back() != L'\\')
            workingFolder += L'\\';
        EXPECT_TRUE(SameNoCase(Utf16(expected.workingFolder), workingFolder))
            << expected.link << ": " << ::testing::PrintToString(workingFolder);
    }

    // The registry in UTF-16: the title's key and value names, and the entry of the Windows list.
    std::wstring text;
    const std::wstring titleKey = Utf16(std::string("Software\\") + kInstallRoot + "\\" + kTitleKey);
    EXPECT_TRUE(RegistryStringW(HKEY_CURRENT_USER, titleKey, Utf16(kInstallDirValue), &text));
    EXPECT_EQ(Utf16(installFolder), text);
    const std::wstring entry = Utf16(std::string(kUninstallKey) + "\\" + kTitle);
    const std::pair<const char*, std::string> values[] = {
        {"DisplayName", kTitle},
        {"UninstallString", KeptUninstaller(kTitle)},
        {"QuietUninstallString", KeptUninstaller(kTitle) + " -quiet -uninstall"},
        {"DisplayIcon", "\"" + installFolder + "game.exe\""},
        {"InstallLocation", installFolder},
        {"Publisher", "ZENVORA"},
    };
    for (const auto& value : values) {
        EXPECT_TRUE(RegistryStringW(HKEY_LOCAL_MACHINE, entry, Utf16(value.first), &text)) << value.first;
        EXPECT_EQ(Utf16(value.second), text) << value.first;
    }

    // The uninstall, from the menu of the first disc under the uninstall's locale: the log and the registry that
    // the install wrote are read there.
    SwapDisc(drive, std::string(1, static_cast<char>(drive - 'A' + 'a')));
    CStartedProcess copy;
    HWND menu = StartMenuUnder(locale.uninstallLocale, &copy);
    ASSERT_NE(nullptr, menu);
    HWND subForm = SubForm(menu);
    EXPECT_TRUE(WaitForMenuState(subForm, true)) << "the install is not found under " << locale.uninstallLocale;
    Press(subForm, kUninstallId);
    ExpectBoxW("確認", std::string(kTitle) + "をアンインストールします\nよろしいですか？", IDYES);
    ExpectBoxW("情報", "アンインストールが完了しました。", IDOK);
    EXPECT_EQ(0u, copy.WaitExit(kWaitMs)) << "the installer closes after a complete uninstall";

    EXPECT_FALSE(PathExists(topFolder)) << "the install folder stays";
    EXPECT_FALSE(PathExists(programs)) << "the Start menu group stays";
    EXPECT_FALSE(PathExists(desktopLink));
    EXPECT_FALSE(RegistryKeyExistsW(HKEY_CURRENT_USER, titleKey));
    EXPECT_FALSE(RegistryKeyExistsW(HKEY_LOCAL_MACHINE, entry));
    EXPECT_FALSE(PathExists(KeptFolder(kTitle))) << "the kept program and log stay";
    // The copy in the temporary folder goes at the next start of the system.
    bool scheduled = false;
    for (const std::wstring& path : PendingDeletionsW())
        scheduled = scheduled || SameNoCase(path, temporaryFolder + Utf16(kTitle) + L"\\" + Utf16(kProgramName));
    EXPECT_TRUE(scheduled) << "the copy did not schedule its own deletion";
}

INSTANTIATE_TEST_SUITE_P(Locales, LocaleScenario, ::testing::ValuesIn(kLocaleCases),
    [](const ::testing::TestParamInfo<LOCALE_CASE>& info) { return std::string(info.param.name); });

} // namespace
