// The installer under another locale: a start under a Unix locale of Wine's choosing (and with it the system's code
// page), and the readings that go through UTF-16 so that the driver's own code page decides nothing.
//
// Wine takes a process's code page from LANG and LC_ALL as it starts, and a Windows program started by another keeps
// its parent's whatever the environment it is given: the start goes out through the Unix side and back in through
// tools/wine-env.sh (run-scenario.sh names it, with the architecture and the build, in ZV_E2E_WINE_ENV, ZV_E2E_ARCH
// and ZV_E2E_BUILD).
#pragma once

#include <string>
#include <vector>

#include <windows.h>

// Starts commandLine with cmd.exe under the locale (as "en_US.UTF-8") in the folder, after the environment settings
// ("TEMP=C:\..."), which a program started from the Unix side could not be given otherwise: Wine sets TEMP and TMP
// from the registry as it starts. There is no handle: the installer is found by its windows. False when the Unix
// side did not start.
bool StartUnderLocale(const std::string& locale, const std::wstring& folder, const std::vector<std::wstring>& settings,
    const std::wstring& commandLine);

// The program's Shift-JIS text in UTF-16, through code page 932 whatever the driver's.
std::wstring Utf16(const std::string& shiftJis);

std::wstring WindowTextW(HWND window);
// A message box's text (its static control) read in UTF-16.
std::wstring BoxTextW(HWND box);
bool RegistryStringW(HKEY root, const std::wstring& key, const std::wstring& name, std::wstring* value);
bool RegistryKeyExistsW(HKEY root, const std::wstring& key);
bool PathExistsW(const std::wstring& path);
// A shell link's target as its ID list names it, and its working folder; false when it cannot be loaded. Wine keeps
// the target's path beside the ID list only in the code page of the process that made the link (a link made under
// 1252 shows "?" for Japanese there), where Windows keeps it in UTF-16 too: the ID list is exact on both.
bool ReadLinkW(const std::wstring& linkPath, std::wstring* target, std::wstring* workingFolder);
// The full path of another process's executable; empty when it cannot be read.
std::wstring ProcessImagePathW(HANDLE process);
// The files Windows is asked to delete at the next start, without the "\??\" prefix.
std::vector<std::wstring> PendingDeletionsW();
