// The Windows class code: the running system reduced to one integer, and the question whether it is at least a
// given version, asked with one minimum per family. Window-free: the classification is a function of the
// version record the system reports, so it runs the same on both sides.
#pragma once

#include <cstdint>

// 0-5 the 95 family, 100-108 the NT family, -1 not classified.
enum WindowsClassCode : int32_t {
    kWindowsUnknown = -1,
    kWindows95 = 0,
    kWindows95Osr2 = 1,
    kWindows98 = 2,
    kWindows98Se = 3,
    kWindowsMe = 4,
    kWindows9xNewer = 5,
    kWindowsNt = 100, // never produced by the classification
    kWindowsNt351 = 101,
    kWindowsNt4 = 102,
    kWindows2000 = 103,
    kWindows2000Sp2 = 104,
    kWindowsXpHome = 105,
    kWindowsXpProfessional = 106,
    kWindowsNetServer = 107,
    kWindowsNtNewer = 108,
};

// A minimum that refuses its family entirely.
const int32_t kRefuseFamily = -2;

// What the system reports about itself (GetVersionExA with the extended record), in portable fields.
struct WINDOWS_VERSION_RECORD {
    uint32_t platformId; // kPlatformWin32Windows, kPlatformWin32Nt, or another value
    uint32_t majorVersion;
    uint32_t minorVersion;
    uint32_t buildNumber; // on the 95 family the version is in its high bytes: major 24-31, minor 16-23
    char servicePackText[128]; // zero-terminated
    uint16_t servicePackMajor; // NT 5.x only
    uint16_t suiteMask; // NT 5.x only
};

const uint32_t kPlatformWin32Windows = 1; // VER_PLATFORM_WIN32_WINDOWS
const uint32_t kPlatformWin32Nt = 2; // VER_PLATFORM_WIN32_NT
const uint16_t kSuiteEnterprise = 0x0002; // VER_SUITE_ENTERPRISE
const uint16_t kSuitePersonal = 0x0200; // VER_SUITE_PERSONAL

// The class code of a version record; kWindowsUnknown when the system is not classifiable (95 family below 4,
// NT below 3.51, an unknown platform).
int32_t ClassifyWindowsVersion(const WINDOWS_VERSION_RECORD& record);

// True when code belongs to a family and is at least that family's minimum; a minimum of kRefuseFamily, the
// code -1 and codes of no family are never enough.
bool IsWindowsAtLeast(int32_t code, int32_t min9x, int32_t minNT);

// The display name of a code ("Windows 98 SE", ...); null for a value that is no class code.
const char* GetWindowsClassName(int32_t code);
