// What the scenarios share: the installer's names, the title's script, and the fixture that gives a scenario its
// CD-ROM drives and leaves nothing running afterwards. Included by each scenario source.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "tests/e2e/E2eHarness.h"

namespace {

const char kMenuClass[] = "ZVWndClass";
const char kProgramName[] = "ZVSetup.exe";
const DWORD kWaitMs = 20000;
const DWORD kExitFailed = static_cast<DWORD>(-1);

inline std::string Environment(const char* name)
{
    const char* value = getenv(name);
    return value != nullptr ? value : "";
}

inline std::string Lower(std::string text)
{
    std::transform(
        text.begin(), text.end(), text.begin(), [](char ch) { return ch >= 'A' && ch <= 'Z' ? ch + 32 : ch; });
    return text;
}

inline std::string Script(const std::string& title)
{
    return "$installtypecount = 1\r\n$gametitle = " + title + "\r\n$registryroot = ZVE2E\r\n$registrykey = " + title
        + "\r\n";
}

inline std::string MenuTitle(const std::string& title)
{
    return title + "セットアップメニュー";
}

// Wine's version setting for one program name, taken back at the end.
class CProgramVersionSetting {
public:
    CProgramVersionSetting(const char* exeName, const char* version)
    {
        std::string path = std::string("Software\\Wine\\AppDefaults\\") + exeName;
        if (RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &m_key, nullptr)
            == ERROR_SUCCESS)
            RegSetValueExA(m_key, "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(version),
                static_cast<DWORD>(strlen(version) + 1));
    }
    ~CProgramVersionSetting()
    {
        if (m_key != nullptr) {
            RegDeleteValueA(m_key, "Version");
            RegCloseKey(m_key);
        }
    }
    CProgramVersionSetting(const CProgramVersionSetting&) = delete;
    CProgramVersionSetting& operator=(const CProgramVersionSetting&) = delete;

private:
    HKEY m_key = nullptr;
};

// One scenario: its CD-ROM drives, a work folder that is no disc, and nothing left running afterwards.
class StartupScenario : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string root = Environment("ZV_E2E_ROOT");
        letters = Environment("ZV_E2E_LETTERS");
        program = UnixToWindows(Environment("ZV_E2E_PROGRAM"));
        ASSERT_FALSE(root.empty()) << "run through run-scenario.sh";
        rootFolder = UnixToWindows(root);
        workFolder = rootFolder + "\\work";
        CreateDirectoryA(workFolder.c_str(), nullptr);
        for (char letter : letters) {
            std::string unixFolder = root + "/disc_" + static_cast<char>(letter - 'A' + 'a');
            ASSERT_TRUE(DefineCdromDrive(letter, unixFolder.c_str())) << "drive " << letter << ":";
            definedLetters += letter;
            ASSERT_EQ(static_cast<UINT>(DRIVE_CDROM), GetDriveTypeA(Root(letter).c_str()))
                << "drive " << letter << ": is no CD-ROM drive of the prefix";
        }
        ASSERT_TRUE(ProcessesNamed(kProgramName).empty()) << "an installer from an earlier run is still running";
    }

    void TearDown() override
    {
        for (DWORD id : ProcessesNamed(kProgramName)) {
            CStartedProcess leftover;
            if (leftover.Open(id))
                TerminateProcess(leftover.Handle(), 1);
        }
        for (char letter : definedLetters)
            DefineCdromDrive(letter, nullptr);
        for (const std::string& title : titles)
            RemoveFolder(TempPath() + title);
    }

    static std::string Root(char letter) { return std::string(1, letter) + ":\\"; }

    // Takes the disc out of the drive and puts another in: the letter then shows the folder disc_<name> of the
    // scenario (made empty when new). Returns where the test writes the new disc's files.
    std::string SwapDisc(char letter, const std::string& name)
    {
        std::string unixFolder = Environment("ZV_E2E_ROOT") + "/disc_" + name;
        std::string folder = UnixToWindows(unixFolder);
        CreateDirectoryA(folder.c_str(), nullptr);
        EXPECT_TRUE(DefineCdromDrive(letter, unixFolder.c_str())) << "drive " << letter << ":";
        return folder;
    }
    // Where the test writes a disc's files: the disc folder as the Unix side has it, not the read-only drive.
    std::string DiscFolder(char letter) const { return rootFolder + "\\disc_" + static_cast<char>(letter - 'A' + 'a'); }

    // The program, the script and the splash picture in folder, for a title whose work folder starts empty.
    void PutTitle(const std::string& folder, const std::string& title)
    {
        ASSERT_TRUE(CopyFileA(program.c_str(), (folder + "\\" + kProgramName).c_str(), FALSE)) << folder;
        WriteFileBytes(folder + "\\Install.ifo", Script(title));
        WriteFileBytes(folder + "\\splash.bmp", MakeBitmap(64, 48, 0x20, 0x60, 0xA0));
        titles.push_back(title);
        RemoveFolder(TempPath() + title);
    }

    // Waits for the menu of the title, takes its process over, and checks that it is the relaunched copy in the
    // work folder workName (the title, unless the title holds what a file name may not).
    HWND WaitForCopy(
        const std::string& title, const std::string& discFolder, CStartedProcess* copy, std::string workName = "")
    {
        if (workName.empty())
            workName = title;
        HWND menu = WaitForWindow(kMenuClass, MenuTitle(title).c_str(), kWaitMs);
        EXPECT_NE(nullptr, menu) << "no menu window titled " << MenuTitle(title);
        if (menu == nullptr)
            return nullptr;
        DWORD id = 0;
        GetWindowThreadProcessId(menu, &id);
        EXPECT_TRUE(copy->Open(id));
        std::string copyPath = TempPath() + workName + "\\" + kProgramName;
        EXPECT_EQ(Lower(copyPath), Lower(ProcessImagePath(copy->Handle())));
        EXPECT_EQ("\"" + copyPath + "\" -temp -dir:\"" + discFolder + "\"", ProcessCommandLine(copy->Handle()));
        return menu;
    }

    std::string letters;
    std::string program; // the build's ZVSetup.exe
    std::string rootFolder;
    std::string workFolder; // a folder on no CD-ROM drive
    std::vector<std::string> titles;
    std::string definedLetters;
};

} // namespace
