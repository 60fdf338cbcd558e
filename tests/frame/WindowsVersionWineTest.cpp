// The Windows class of the running system under each version Wine can pretend to be. Each mode is set for the
// probe program alone (HKEY_CURRENT_USER\Software\Wine\AppDefaults\zv_version_probe.exe, value "Version", the
// per-program form of "winecfg -v"), so the prefix's own version and the tests running beside this one are
// left alone; the key is removed afterwards.
#include <gtest/gtest.h>

#include <string>

#include <windows.h>

#include "foundation/WindowsVersion.h"

namespace {

const char kAppDefaultsKey[] = "Software\\Wine\\AppDefaults\\zv_version_probe.exe";

std::string ProbePath()
{
    std::string path = "Z:" ZV_VERSION_PROBE_PATH;
    for (char& ch : path) {
        if (ch == '/')
            ch = '\\';
    }
    return path;
}

// Runs the probe under the mode (null: no setting of its own); returns its class code and its report line.
int RunProbe(const char* mode, std::string* report)
{
    RegDeleteTreeA(HKEY_CURRENT_USER, kAppDefaultsKey);
    if (mode != nullptr) {
        HKEY key;
        if (RegCreateKeyExA(HKEY_CURRENT_USER, kAppDefaultsKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr)
            != ERROR_SUCCESS)
            return -100;
        RegSetValueExA(key, "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(mode), lstrlenA(mode) + 1);
        RegCloseKey(key);
    }

    SECURITY_ATTRIBUTES inherit = {sizeof(inherit), nullptr, TRUE};
    HANDLE readEnd, writeEnd;
    CreatePipe(&readEnd, &writeEnd, &inherit, 0);
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writeEnd;
    startup.hStdError = writeEnd;
    PROCESS_INFORMATION process = {};
    std::string commandLine = "\"" + ProbePath() + "\"";
    int code = -100;
    if (CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process)) {
        CloseHandle(writeEnd);
        writeEnd = nullptr;
        char buffer[512];
        DWORD got;
        while (ReadFile(readEnd, buffer, sizeof(buffer), &got, nullptr) && got > 0)
            report->append(buffer, got);
        WaitForSingleObject(process.hProcess, 30000);
        DWORD exitCode = 0;
        GetExitCodeProcess(process.hProcess, &exitCode);
        code = static_cast<int>(exitCode);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    if (writeEnd)
        CloseHandle(writeEnd);
    CloseHandle(readEnd);
    RegDeleteTreeA(HKEY_CURRENT_USER, kAppDefaultsKey);
    while (!report->empty() && (report->back() == '\n' || report->back() == '\r'))
        report->pop_back();
    return code;
}

struct WineMode {
    const char* mode;
    int expectedCode;
    const char* wineReports; // what Wine 8 (64-bit prefix) reported for the mode
};

// What Wine 8 reports in a 64-bit prefix. "winecfg -v" itself refuses win98, win2k and winxp there (it offers a
// 64-bit prefix only the 64-bit versions), but the version layer honours every mode set per program, the 95
// family included. Wine has no mode for Windows 95 OSR2, plain 98, XP Home or .NET Server (its win98 is 98 SE
// and its win2k is SP4), nor for Windows 11 in this release: an unknown name leaves the default, Windows 7.
// Windows 8.1 and 10 are reported because the probe carries the program's manifest.
const WineMode kModes[] = {
    {"win95", kWindows95, "platform 1, version 4.0, build 67109814, service pack \"\" (major 0), suite 0x0000"},
    {"win98", kWindows98Se, "platform 1, version 4.10, build 67766446, service pack \" A \" (major 0), suite 0x0000"},
    {"winme", kWindowsMe, "platform 1, version 4.90, build 73010104, service pack \" \" (major 0), suite 0x0000"},
    {"nt351", kWindowsNt351,
        "platform 2, version 3.51, build 1057, service pack \"Service Pack 5\" (major 0), suite 0x0000"},
    {"nt40", kWindowsNt4,
        "platform 2, version 4.0, build 1381, service pack \"Service Pack 6a\" (major 0), suite 0x0000"},
    {"win2k", kWindows2000Sp2,
        "platform 2, version 5.0, build 2195, service pack \"Service Pack 4\" (major 4), suite 0x0000"},
    {"winxp", kWindowsXpProfessional,
        "platform 2, version 5.1, build 2600, service pack \"Service Pack 3\" (major 3), suite 0x0100"},
    {"winxp64", kWindowsNtNewer,
        "platform 2, version 5.2, build 3790, service pack \"Service Pack 2\" (major 2), suite 0x0100"},
    {"win2003", kWindowsNtNewer,
        "platform 2, version 5.2, build 3790, service pack \"Service Pack 2\" (major 2), suite 0x0100"},
    {"vista", kWindowsNtNewer,
        "platform 2, version 6.0, build 6002, service pack \"Service Pack 2\" (major 0), suite 0x0000"},
    {"win2008", kWindowsNtNewer,
        "platform 2, version 6.0, build 6002, service pack \"Service Pack 2\" (major 0), suite 0x0000"},
    {"win7", kWindowsNtNewer,
        "platform 2, version 6.1, build 7601, service pack \"Service Pack 1\" (major 0), suite 0x0000"},
    {"win2008r2", kWindowsNtNewer,
        "platform 2, version 6.1, build 7601, service pack \"Service Pack 1\" (major 0), suite 0x0000"},
    {"win8", kWindowsNtNewer, "platform 2, version 6.2, build 9200, service pack \"\" (major 0), suite 0x0000"},
    {"win81", kWindowsNtNewer, "platform 2, version 6.3, build 9600, service pack \"\" (major 0), suite 0x0000"},
    {"win10", kWindowsNtNewer, "platform 2, version 10.0, build 18362, service pack \"\" (major 0), suite 0x0000"},
    {"win11", kWindowsNtNewer,
        "platform 2, version 6.1, build 7601, service pack \"Service Pack 1\" (major 0), suite 0x0000"},
};

} // namespace

TEST(WindowsVersionUnderWine, EachModeGivesItsClassCode)
{
    for (const WineMode& mode : kModes) {
        std::string report;
        int code = RunProbe(mode.mode, &report);
        EXPECT_EQ(mode.expectedCode, code) << mode.mode << ": " << report;
        // The build numbers change between Wine releases; the platform and the version are the mode's.
        std::string expected = mode.wineReports;
        EXPECT_EQ(expected.substr(0, expected.find(", build")), report.substr(0, report.find(", build"))) << mode.mode;
    }
}

TEST(WindowsVersionUnderWine, ThePrefixsOwnVersionPassesTheStartUpMinimum)
{
    std::string report;
    int code = RunProbe(nullptr, &report);
    EXPECT_TRUE(IsWindowsAtLeast(code, 0, kWindows2000)) << code << ": " << report;
}
