#include "tests/FolderLinks.h"

#include <windows.h>

#include <vector>

namespace {

// The Unix path of a Windows (ANSI) path, as UTF-16 for a Unix program's command line; "" outside Wine.
std::wstring UnixPath(const std::string& path)
{
    typedef char*(CDECL * UnixFileName)(const WCHAR*);
    UnixFileName unixFileName = reinterpret_cast<UnixFileName>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    WCHAR wide[MAX_PATH];
    if (unixFileName == nullptr || MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH) == 0)
        return L"";
    char* unix = unixFileName(wide);
    if (unix == nullptr)
        return L"";
    std::vector<WCHAR> converted(strlen(unix) + 1);
    MultiByteToWideChar(CP_UTF8, 0, unix, -1, converted.data(), static_cast<int>(converted.size()));
    HeapFree(GetProcessHeap(), 0, unix);
    return converted.data();
}

// Runs a Unix program of the host (Wine starts one from its path on drive Z:). Its handle does not tell when it
// ends: the caller waits for what it does.
bool RunUnixProgram(std::wstring commandLine)
{
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    if (!CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return false;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

// Waits up to ten seconds for path to be a reparse point (present), or to be gone (!present).
bool WaitForReparsePoint(const std::string& path, bool present)
{
    for (int wait = 0; wait < 1000; wait++) {
        DWORD attributes = GetFileAttributesA(path.c_str());
        bool reparsePoint = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
        if (present ? reparsePoint : attributes == INVALID_FILE_ATTRIBUTES)
            return true;
        Sleep(10);
    }
    return false;
}

} // namespace

bool MakeFolderLink(const std::string& link, const std::string& target)
{
    std::wstring unixLink = UnixPath(link), unixTarget = UnixPath(target);
    return !unixLink.empty() && !unixTarget.empty()
        && RunUnixProgram(L"Z:\\bin\\ln -s \"" + unixTarget + L"\" \"" + unixLink + L"\"")
        && WaitForReparsePoint(link, true);
}

bool RemoveFolderLink(const std::string& link)
{
    std::wstring unixLink = UnixPath(link);
    return !unixLink.empty() && RunUnixProgram(L"Z:\\bin\\rm -f \"" + unixLink + L"\"")
        && WaitForReparsePoint(link, false);
}
