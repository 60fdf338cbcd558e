// What the install and uninstall scenarios share: the fixture that points the system's program folder at a private
// folder (so the installer proposes it) and removes afterwards whatever an install of the scenario's titles left,
// and the steps of an install as a person takes them. Included by each such scenario source.
#pragma once

#include <shlobj.h>

#include <string>
#include <vector>

#include "tests/e2e/E2eInspect.h"
#include "tests/e2e/MenuScenario.h"
#include "log/InstallJournal.h"

namespace {

const int kSettingsNextId = IDOK;
const int kSettingsCancelId = IDCANCEL;
const int kSettingsFolderId = 1004;
const int kSettingsBrowseId = 1005;
const int kSettingsDesktopId = 1006;
const int kSettingsStartMenuId = 1007;
const int kSettingsAllUsersId = 1026;
const int kFirstTypeId = 5000;
const int kCopyFileTextId = 1024;
const int kCopyCountTextId = 1025;
const int kCopyCancelId = 1023;
const char kSettingsTitle[] = "セットアップの設定";
const char kCopyTitle[] = "コピー中...";
const char kInstallRoot[] = "ZVE2EInstall"; // the titles' registry root
const char kWindowsKey[] = "Software\\Microsoft\\Windows\\CurrentVersion";
const char kUninstallKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
const char kUndoText[] = "インストール中にエラーが発生しました\nアンドゥーします";

// The registry lines of a title's script: the root shared by the scenarios, the key of the title.
inline std::string RegistryLines(const std::string& key)
{
    return std::string("$registryroot = ") + kInstallRoot + "\r\n$registrykey = " + key
        + "\r\n$registryinstalldirvalue = InstallDir\r\n$registryinstalltypevalue = InstallType\r\n";
}

// The uninst.dat header with its time masked: everything up to "インストールログ " and after the line's time.
inline std::string MaskLogTime(const std::string& log)
{
    size_t mark = log.find("インストールログ ");
    size_t lineEnd = log.find('\n');
    if (mark == std::string::npos || lineEnd == std::string::npos || mark > lineEnd)
        return log;
    return log.substr(0, mark) + "インストールログ <time>" + log.substr(lineEnd);
}

const SYSTEMTIME kSourceTime = {2001, 7, 0, 14, 9, 30, 15, 0}; // the discs' files were made on 14 July 2001

// Log lines, each ended by a line feed.
inline std::string Lines(std::initializer_list<std::string> lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + "\n";
    return text;
}

inline bool SameTime(const FILETIME& first, const FILETIME& second)
{
    return first.dwLowDateTime == second.dwLowDateTime && first.dwHighDateTime == second.dwHighDateTime;
}

// A file of the disc as a CD has it: the given bytes, the disc's time, read-only.
inline void PutDiscFile(const std::string& disc, const std::string& relativePath, const std::string& bytes)
{
    std::string path = disc + "\\" + relativePath;
    size_t folderEnd = relativePath.rfind('\\');
    if (folderEnd != std::string::npos)
        CreateDirectoryA((disc + "\\" + relativePath.substr(0, folderEnd)).c_str(), nullptr);
    WriteFileBytes(path, bytes);
    EXPECT_TRUE(SetFileTimes(path, kSourceTime)) << path;
    EXPECT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY)) << path;
}

// Content that tells its files apart.
inline std::string Content(const std::string& name, size_t bytes)
{
    std::string content;
    content.reserve(bytes);
    for (size_t i = 0; content.size() < bytes; i++)
        content += static_cast<char>(name[i % name.size()] + i / name.size() % 7);
    return content;
}

// Where the install keeps the title's program, script and log for the uninstall, with a trailing backslash.
inline std::string KeptFolder(const std::string& title)
{
    char windows[MAX_PATH] = "";
    GetWindowsDirectoryA(windows, sizeof(windows));
    return std::string(windows) + "\\ZVSetup\\" + TitleHash(title.c_str()).GetString() + "\\";
}

// The journal of a running install of the title.
inline std::string JournalPath(const std::string& title)
{
    std::string kept = KeptFolder(title);
    return kept.substr(0, kept.size() - 1) + ".jnl";
}

// The start of the uninstall as the list of installed programs and the uninstall link give it: the kept program,
// told where its script and log are.
inline std::string KeptUninstaller(const std::string& title)
{
    return "\"" + KeptFolder(title) + "ZVSetup.exe\" -dir \"" + KeptFolder(title) + "\"";
}

// The values of the entry in the list of installed programs that an unattended uninstall and the list itself use.
inline void ExpectListValuesForUnattendedUse(
    const std::string& entry, const std::string& title, const std::string& installFolder)
{
    std::string text;
    EXPECT_TRUE(RegistryString(HKEY_LOCAL_MACHINE, entry, "QuietUninstallString", &text));
    EXPECT_EQ(KeptUninstaller(title) + " -quiet -uninstall", text);
    EXPECT_TRUE(RegistryString(HKEY_LOCAL_MACHINE, entry, "InstallLocation", &text));
    EXPECT_EQ(installFolder, text);
    SYSTEMTIME today;
    GetLocalTime(&today);
    char date[16];
    wsprintfA(date, "%04d%02d%02d", today.wYear, today.wMonth, today.wDay);
    EXPECT_TRUE(RegistryString(HKEY_LOCAL_MACHINE, entry, "InstallDate", &text));
    EXPECT_EQ(date, text);
    for (const char* name : {"NoModify", "NoRepair"}) {
        DWORD number = 0;
        EXPECT_TRUE(RegistryDword(HKEY_LOCAL_MACHINE, entry, name, &number)) << name;
        EXPECT_EQ(1u, number) << name;
    }
}

class InstallScenario : public MenuScenario {
protected:
    void SetUp() override
    {
        MenuScenario::SetUp();
        if (HasFatalFailure())
            return;
        hadProgramFiles = RegistryString(HKEY_LOCAL_MACHINE, kWindowsKey, "ProgramFilesDir", &savedProgramFiles);
        baseFolder = rootFolder + "\\ProgramFiles";
        CreateDirectoryA(baseFolder.c_str(), nullptr);
        ProposeFolder(baseFolder);
    }

    void TearDown() override
    {
        MenuScenario::TearDown(); // ends whatever installer is left first
        SetRegistryString(
            HKEY_LOCAL_MACHINE, kWindowsKey, "ProgramFilesDir", hadProgramFiles ? savedProgramFiles.c_str() : nullptr);
        DeleteRegistryTree(HKEY_CURRENT_USER, std::string("Software\\") + kInstallRoot);
        DeleteRegistryTree(HKEY_USERS, std::string(".DEFAULT\\Software\\") + kInstallRoot);
        for (const std::string& title : installedTitles) {
            RemoveFolder(KeptFolder(title));
            DeleteRegistryTree(HKEY_LOCAL_MACHINE, std::string(kUninstallKey) + "\\" + title);
            for (int desktop : {CSIDL_DESKTOPDIRECTORY, CSIDL_COMMON_DESKTOPDIRECTORY})
                DeleteFileA((ShellFolder(desktop) + "\\" + title + ".lnk").c_str());
        }
        for (const std::string& group : startMenuGroups) {
            for (int programs : {CSIDL_PROGRAMS, CSIDL_COMMON_PROGRAMS})
                RemoveFolder(ShellFolder(programs) + "\\" + group);
        }
    }

    // The folder the installer proposes: the system's program folder as the registry names it.
    void ProposeFolder(const std::string& folder)
    {
        ASSERT_TRUE(SetRegistryString(HKEY_LOCAL_MACHINE, kWindowsKey, "ProgramFilesDir", folder.c_str()));
    }

    // Remembers what the scenario's title leaves, for the clean-up.
    void WillInstall(const std::string& title, const std::string& startMenuGroup)
    {
        installedTitles.push_back(title);
        if (!startMenuGroup.empty())
            startMenuGroups.push_back(startMenuGroup);
    }

    // Presses install and waits for the settings dialog.
    HWND OpenSettings(HWND subForm)
    {
        Press(subForm, kInstallId);
        HWND settings = WaitForWindow("#32770", kSettingsTitle, kWaitMs);
        EXPECT_NE(nullptr, settings) << "no settings dialog";
        return settings;
    }

    // Waits for a box, checks its caption and text, and answers it.
    void ExpectBox(const char* caption, const std::string& text, int answer)
    {
        FOUND_BOX box = WaitForBox(caption, kWaitMs);
        ASSERT_NE(nullptr, box.window) << "no box captioned " << caption << ", expected: " << text;
        EXPECT_EQ(text, box.text);
        EXPECT_TRUE(AnswerBox(box, answer));
    }

    // Installs the title from the menu with the type given, as a person does, up to the finish message.
    void InstallFromMenu(HWND subForm, const std::string& title, int type, bool tickDesktop)
    {
        HWND settings = OpenSettings(subForm);
        ASSERT_NE(nullptr, settings);
        ClickButton(settings, kFirstTypeId + type);
        if (tickDesktop)
            ClickButton(settings, kSettingsDesktopId);
        ClickButton(settings, kSettingsNextId);
        ExpectBox("成功", title + "のインストールは完了しました", IDOK);
        EXPECT_TRUE(WaitForMenuState(subForm, true)) << "the menu does not show the installed title";
    }

    // Waits until the menu shows the install state (the uninstall button in place of install, or the reverse): the
    // menu refreshes it once the last box of an install or uninstall is answered.
    static bool WaitForMenuState(HWND subForm, bool installed)
    {
        DWORD start = GetTickCount();
        while (Visible(subForm, installed ? kUninstallId : kInstallId) == false && GetTickCount() - start < kWaitMs)
            Sleep(50);
        return Visible(subForm, installed ? kUninstallId : kInstallId)
            && !Visible(subForm, installed ? kInstallId : kUninstallId) && Enabled(subForm, kLaunchId) == installed;
    }

    std::string baseFolder; // the proposed base folder
    std::vector<std::string> installedTitles;
    std::vector<std::string> startMenuGroups;
    std::string savedProgramFiles;
    bool hadProgramFiles = false;
};

} // namespace
