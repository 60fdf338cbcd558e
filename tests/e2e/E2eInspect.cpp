#include "tests/e2e/E2eInspect.h"

#include "foundation/ShiftJis.h"

#include <algorithm>
#include <fstream>
#include <iterator>

#include <objidl.h>
#include <shlobj.h>

std::string ReadFileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool WaitForFile(const std::string& path, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    do {
        if (GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES)
            return true;
        Sleep(25);
    } while (GetTickCount() - start < timeoutMs);
    return false;
}

bool IsFolder(const std::string& path)
{
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

DWORD Attributes(const std::string& path)
{
    return GetFileAttributesA(path.c_str());
}

bool FileTimes(const std::string& path, FILETIME* created, FILETIME* accessed, FILETIME* written)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
        FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    bool read = GetFileTime(file, created, accessed, written) != FALSE;
    CloseHandle(file);
    return read;
}

bool SetFileTimes(const std::string& path, const SYSTEMTIME& when)
{
    FILETIME moment;
    if (!SystemTimeToFileTime(&when, &moment))
        return false;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    bool set = SetFileTime(file, &moment, &moment, &moment) != FALSE;
    CloseHandle(file);
    return set;
}

namespace {

void ListInto(const std::string& folder, const std::string& prefix, std::vector<std::string>* names)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        std::string name = found.cFileName;
        if (name == "." || name == "..")
            continue;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            names->push_back(prefix + name + "\\");
            ListInto(folder + "\\" + name, prefix + name + "\\", names);
        } else {
            names->push_back(prefix + name);
        }
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

} // namespace

std::vector<std::string> ListTree(const std::string& folder)
{
    std::vector<std::string> names;
    ListInto(folder, "", &names);
    std::sort(names.begin(), names.end());
    return names;
}

bool RegistryString(HKEY root, const std::string& key, const std::string& name, std::string* value)
{
    HKEY opened = nullptr;
    if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS)
        return false;
    char data[2048] = "";
    DWORD type = 0, size = sizeof(data) - 1;
    bool read
        = RegQueryValueExA(opened, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data), &size) == ERROR_SUCCESS
        && type == REG_SZ;
    RegCloseKey(opened);
    if (read)
        *value = data;
    return read;
}

bool RegistryDword(HKEY root, const std::string& key, const std::string& name, DWORD* value)
{
    HKEY opened = nullptr;
    if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS)
        return false;
    DWORD type = 0, size = sizeof(*value);
    bool read
        = RegQueryValueExA(opened, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(value), &size) == ERROR_SUCCESS
        && type == REG_DWORD;
    RegCloseKey(opened);
    return read;
}

bool RegistryKeyExists(HKEY root, const std::string& key)
{
    HKEY opened = nullptr;
    if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS)
        return false;
    RegCloseKey(opened);
    return true;
}

void DeleteRegistryTree(HKEY root, const std::string& key)
{
    HKEY opened = nullptr;
    if (RegOpenKeyExA(root, key.c_str(), 0, KEY_ALL_ACCESS, &opened) == ERROR_SUCCESS) {
        char child[256];
        DWORD size = sizeof(child);
        std::vector<std::string> children;
        for (DWORD i = 0; RegEnumKeyExA(opened, i, child, &size, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
             i++, size = sizeof(child))
            children.push_back(child);
        RegCloseKey(opened);
        for (const std::string& name : children)
            DeleteRegistryTree(root, key + "\\" + name);
    }
    RegDeleteKeyA(root, key.c_str());
}

bool SetRegistryString(HKEY root, const std::string& key, const std::string& name, const char* value)
{
    HKEY opened = nullptr;
    if (RegCreateKeyExA(root, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &opened, nullptr) != ERROR_SUCCESS)
        return false;
    LONG result = value != nullptr
        ? RegSetValueExA(opened, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value), lstrlenA(value) + 1)
        : RegDeleteValueA(opened, name.c_str());
    RegCloseKey(opened);
    return result == ERROR_SUCCESS;
}

LINK_INFO ReadLink(const std::string& linkPath)
{
    LINK_INFO info;
    HRESULT initialized = CoInitialize(nullptr);
    IShellLinkA* link = nullptr;
    if (SUCCEEDED(CoCreateInstance(
            CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, reinterpret_cast<void**>(&link)))) {
        IPersistFile* file = nullptr;
        if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
            wchar_t wide[MAX_PATH];
            MultiByteToWideChar(CP_ACP, 0, linkPath.c_str(), -1, wide, MAX_PATH);
            if (SUCCEEDED(file->Load(wide, STGM_READ))) {
                char text[MAX_PATH * 2] = "";
                info.loaded = true;
                if (SUCCEEDED(link->GetPath(text, sizeof(text), nullptr, SLGP_RAWPATH)))
                    info.path = text;
                text[0] = '\0';
                if (SUCCEEDED(link->GetArguments(text, sizeof(text))))
                    info.arguments = text;
                text[0] = '\0';
                if (SUCCEEDED(link->GetWorkingDirectory(text, sizeof(text))))
                    info.workingDir = text;
                text[0] = '\0';
                if (SUCCEEDED(link->GetDescription(text, sizeof(text))))
                    info.description = text;
                text[0] = '\0';
                if (SUCCEEDED(link->GetIconLocation(text, sizeof(text), &info.iconIndex)))
                    info.iconPath = text;
                link->GetShowCmd(&info.showCommand);
            }
            file->Release();
        }
        link->Release();
    }
    if (SUCCEEDED(initialized))
        CoUninitialize();
    return info;
}

std::string ShellFolder(int csidl)
{
    char path[MAX_PATH] = "";
    LPITEMIDLIST items = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(nullptr, csidl, &items)) || items == nullptr)
        return "";
    if (!SHGetPathFromIDListA(items, path))
        path[0] = '\0';
    CoTaskMemFree(items);
    return path;
}

bool ControlVisible(HWND dialog, int id)
{
    return IsWindowVisible(GetDlgItem(dialog, id)) != FALSE;
}

bool ControlEnabled(HWND dialog, int id)
{
    return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE;
}

bool ButtonChecked(HWND dialog, int id)
{
    return SendMessageA(GetDlgItem(dialog, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

std::string ControlText(HWND dialog, int id)
{
    // Asked of the control itself (WM_GETTEXT): an edit control keeps its text apart from the window's own. Read in
    // UTF-16 and turned into Shift-JIS by the program's own table, the same under every locale of the prefix.
    wchar_t text[2048] = L"";
    GetDlgItemTextW(dialog, id, text, 2048);
    std::u16string wide = reinterpret_cast<const char16_t*>(text);
    return EncodeShiftJis(wide.c_str(), wide.size());
}

void ClickButton(HWND dialog, int id)
{
    PostMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
    Sleep(100); // the click is handled before the next look
}

bool WaitGone(HWND window, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    do {
        if (!IsWindow(window) || !IsWindowVisible(window))
            return true;
        Sleep(25);
    } while (GetTickCount() - start < timeoutMs);
    return false;
}

namespace {

struct OWNED_QUERY {
    HWND owner;
    HWND found;
};

BOOL CALLBACK MatchOwned(HWND window, LPARAM param)
{
    OWNED_QUERY* query = reinterpret_cast<OWNED_QUERY*>(param);
    char className[64] = "";
    GetClassNameA(window, className, sizeof(className));
    if (GetWindow(window, GW_OWNER) != query->owner || !IsWindowVisible(window) || lstrcmpA(className, "#32770") != 0)
        return TRUE;
    query->found = window;
    return FALSE;
}

} // namespace

HWND WaitForOwnedDialog(HWND owner, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    do {
        OWNED_QUERY query = {owner, nullptr};
        EnumWindows(MatchOwned, reinterpret_cast<LPARAM>(&query));
        if (query.found != nullptr)
            return query.found;
        Sleep(50);
    } while (GetTickCount() - start < timeoutMs);
    return nullptr;
}
