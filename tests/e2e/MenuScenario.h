// What the menu scenarios share: the sub-form's button ids, the title's script with its registry names, the key an
// install leaves, and the fixture that gives the probe program its folder. Included by each menu scenario source.
#pragma once

#include <windows.h>

#include <tlhelp32.h>

#include <string>
#include <vector>

#include "tests/e2e/E2eInspect.h"
#include "tests/e2e/E2eScenario.h"

namespace {

const int kLaunchId = 1000;
const int kInstallId = 1001;
const int kDirectXId = 1002;
const int kQuitId = 1003;
const int kUninstallId = 1004;
const int kFirstExtraId = 2000;
const char kProbeName[] = "zv_e2e_probe.exe";
// A library that leaves a file in ZV_E2E_MARKER_DIR when it is loaded: planted under the names of others.
const char kMarkerLibrary[] = "zv_e2e_marker.dll";
const char kRegistryRoot[] = "ZVSetupTestE2E";

// The title's script with the registry names the menu reads; more lines follow in extraLines.
inline std::string MenuScript(const std::string& title, const std::string& extraLines)
{
    return "$installtypecount = 1\r\n$gametitle = " + title + "\r\n$registryroot = " + kRegistryRoot
        + "\r\n$registrykey = " + title + "\r\n$registryinstalldirvalue = InstallDir\r\n" + extraLines;
}

// The title's key as an install leaves it: HKCU\Software\<root>\<title>, InstallDir = the folder with a trailing
// backslash. Removed again, with the root key when nothing else is in it.
class CInstalledTitleKey {
public:
    CInstalledTitleKey(const std::string& title, const std::string& installFolder)
        : m_path(std::string("Software\\") + kRegistryRoot + "\\" + title)
    {
        HKEY key = nullptr;
        if (RegCreateKeyExA(HKEY_CURRENT_USER, m_path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr)
            != ERROR_SUCCESS)
            return;
        std::string value = installFolder + "\\";
        m_written = RegSetValueExA(key, "InstallDir", 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                        static_cast<DWORD>(value.size() + 1))
            == ERROR_SUCCESS;
        RegCloseKey(key);
    }
    ~CInstalledTitleKey()
    {
        RegDeleteKeyA(HKEY_CURRENT_USER, m_path.c_str());
        RegDeleteKeyA(HKEY_CURRENT_USER, (std::string("Software\\") + kRegistryRoot).c_str());
    }
    CInstalledTitleKey(const CInstalledTitleKey&) = delete;
    CInstalledTitleKey& operator=(const CInstalledTitleKey&) = delete;
    bool Written() const { return m_written; }

private:
    std::string m_path;
    bool m_written = false;
};

// An environment variable of the driver, which the installer inherits, set for a scenario and taken back.
class CEnvironmentSetting {
public:
    CEnvironmentSetting(const char* name, const std::string& value)
        : m_name(name)
    {
        SetEnvironmentVariableA(name, value.c_str());
    }
    ~CEnvironmentSetting() { SetEnvironmentVariableA(m_name, nullptr); }
    CEnvironmentSetting(const CEnvironmentSetting&) = delete;
    CEnvironmentSetting& operator=(const CEnvironmentSetting&) = delete;

private:
    const char* m_name;
};

// The modules of a running process that were loaded from folder (its program aside). Wine takes its own DLL for a
// system DLL's name that it finds there unless told otherwise, but keeps the path where it found it.
inline std::vector<std::string> ModulesFrom(DWORD processId, const std::string& folder)
{
    std::vector<std::string> found;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, processId);
    EXPECT_NE(INVALID_HANDLE_VALUE, snapshot);
    if (snapshot == INVALID_HANDLE_VALUE)
        return found;
    MODULEENTRY32 entry = {};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Module32First(snapshot, &entry); more; more = Module32Next(snapshot, &entry)) {
        std::string path = Lower(entry.szExePath);
        if (path.compare(0, folder.size() + 1, Lower(folder) + "\\") == 0 && path != Lower(folder) + "\\zvsetup.exe")
            found.push_back(path);
    }
    CloseHandle(snapshot);
    return found;
}

// The menu scenarios: beside the drives, a folder where the probe program reports (ZV_E2E_PROBE_DIR, inherited by
// the installer and what it starts) and is released.
class MenuScenario : public StartupScenario {
protected:
    void SetUp() override
    {
        StartupScenario::SetUp();
        probeFolder = rootFolder + "\\probe";
        CreateDirectoryA(probeFolder.c_str(), nullptr);
        SetEnvironmentVariableA("ZV_E2E_PROBE_DIR", probeFolder.c_str());
        probeProgram = BesideDriver(kProbeName);
        ASSERT_TRUE(PathExists(probeProgram)) << probeProgram;
    }

    void TearDown() override
    {
        ReleaseProbe();
        StartupScenario::TearDown();
    }

    // A file the build put beside the driver program (the probe, the test fixtures).
    static std::string BesideDriver(const char* fileName)
    {
        char driver[MAX_PATH] = "";
        GetModuleFileNameA(nullptr, driver, sizeof(driver));
        std::string folder = driver;
        return folder.substr(0, folder.rfind('\\') + 1) + fileName;
    }

    // The installer's process once the first process has ended and left its copy running (no other installer runs
    // beside a scenario); 0 when there is not exactly one. Its boxes are told from those of tests running beside.
    static DWORD RunningInstaller()
    {
        std::vector<DWORD> running = ProcessesNamed(kProgramName);
        EXPECT_EQ(1u, running.size()) << "installers running";
        return running.size() == 1 ? running[0] : 0;
    }

    void ReleaseProbe()
    {
        WriteFileBytes(probeFolder + "\\release", "");
        Sleep(200);
    }

    // Starts the disc's program and waits for its relaunched copy's menu (in the work folder workName, WaitForCopy).
    HWND StartMenu(char disc, const std::string& title, CStartedProcess* copy, const std::string& workName = "")
    {
        CStartedProcess first;
        EXPECT_TRUE(first.Start(Root(disc) + kProgramName, "", Root(disc)));
        EXPECT_EQ(kExitFailed, first.WaitExit(kWaitMs));
        return WaitForCopy(title, Root(disc), copy, workName);
    }

    static HWND SubForm(HWND menu) { return FindWindowExA(menu, nullptr, "#32770", nullptr); }

    static void Press(HWND subForm, int id)
    {
        PostMessageA(
            subForm, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(subForm, id)));
    }

    static bool Visible(HWND subForm, int id) { return IsWindowVisible(GetDlgItem(subForm, id)) != FALSE; }
    static bool Enabled(HWND subForm, int id) { return IsWindowEnabled(GetDlgItem(subForm, id)) != FALSE; }

    // A button's rectangle in the sub-form's client coordinates.
    static RECT ButtonRect(HWND subForm, int id)
    {
        RECT rect = {};
        HWND button = GetDlgItem(subForm, id);
        if (button != nullptr) {
            GetWindowRect(button, &rect);
            MapWindowPoints(nullptr, subForm, reinterpret_cast<POINT*>(&rect), 2);
        }
        return rect;
    }

    void CloseMenu(HWND menu, CStartedProcess* copy)
    {
        PostMessageA(menu, WM_CLOSE, 0, 0);
        EXPECT_EQ(0u, copy->WaitExit(kWaitMs));
    }

    std::string probeFolder; // where the probe reports
    std::string probeProgram; // the build's probe program
};

} // namespace
