// What the end-to-end scenarios read back after the installer ran: files and their times and attributes, the
// registry, shell links, shell folders; and the controls of the installer's dialogs in another process.
#pragma once

#include <string>
#include <vector>

#include <windows.h>

// Files.
std::string ReadFileBytes(const std::string& path); // "" when it cannot be read
bool WaitForFile(const std::string& path, DWORD timeoutMs);
bool IsFolder(const std::string& path);
DWORD Attributes(const std::string& path); // INVALID_FILE_ATTRIBUTES when missing
// The three times of a file; false when it cannot be opened.
bool FileTimes(const std::string& path, FILETIME* created, FILETIME* accessed, FILETIME* written);
// Sets a file's creation and last-write times to the same moment (the access time follows the system's rules).
bool SetFileTimes(const std::string& path, const SYSTEMTIME& when);
// Every file below folder, as paths relative to it, sorted; folders end with a backslash.
std::vector<std::string> ListTree(const std::string& folder);

// The registry.
bool RegistryString(HKEY root, const std::string& key, const std::string& name, std::string* value);
bool RegistryDword(HKEY root, const std::string& key, const std::string& name, DWORD* value);
bool RegistryKeyExists(HKEY root, const std::string& key);
void DeleteRegistryTree(HKEY root, const std::string& key); // the key with everything below it; missing is fine
// Sets (or, for a null value, deletes) a string value, creating the key.
bool SetRegistryString(HKEY root, const std::string& key, const std::string& name, const char* value);

// Shell links and folders.
struct LINK_INFO {
    bool loaded = false;
    std::string path;
    std::string arguments;
    std::string workingDir;
    std::string description;
    std::string iconPath;
    int iconIndex = -1;
    int showCommand = 0;
};
LINK_INFO ReadLink(const std::string& linkPath);
std::string ShellFolder(int csidl); // "" when the shell has none

// Dialog controls of another process.
bool ControlVisible(HWND dialog, int id);
bool ControlEnabled(HWND dialog, int id);
bool ButtonChecked(HWND dialog, int id);
std::string ControlText(HWND dialog, int id);
// Clicks a button as the user would (BM_CLICK); for radio buttons and check boxes too.
void ClickButton(HWND dialog, int id);
// Waits for a shown dialog ("#32770") owned by owner; null when none appeared within timeoutMs.
HWND WaitForOwnedDialog(HWND owner, DWORD timeoutMs);
// Waits until the window is gone (destroyed or hidden); false when it stayed for timeoutMs.
bool WaitGone(HWND window, DWORD timeoutMs);
