#include "tests/e2e/E2eLocale.h"

#include <cstdlib>

#include <objidl.h>
#include <shlobj.h>

namespace {

std::wstring FromEnvironment(const char* name)
{
    const char* value = getenv(name);
    return value != nullptr ? Utf16(value) : std::wstring();
}

// One argument as the Unix side splits a Windows command line back into its arguments.
std::wstring Quoted(const std::wstring& argument)
{
    std::wstring quoted = L"\"";
    size_t backslashes = 0;
    for (wchar_t ch : argument) {
        if (ch == L'\\') {
            backslashes++;
            continue;
        }
        quoted.append(ch == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        backslashes = 0;
        quoted += ch;
    }
    quoted.append(backslashes * 2, L'\\');
    return quoted + L"\"";
}

} // namespace

bool StartUnderLocale(const std::string& locale, const std::wstring& folder, const std::vector<std::wstring>& settings,
    const std::wstring& commandLine)
{
    std::wstring script = L"cd /d " + folder;
    for (const std::wstring& setting : settings)
        script += L"&& set " + setting;
    script += L"&& " + commandLine;
    std::wstring line = L"env " + Quoted(L"ZV_WINE_LANG=" + Utf16(locale)) + L" bash "
        + Quoted(FromEnvironment("ZV_E2E_WINE_ENV")) + L" run " + Quoted(FromEnvironment("ZV_E2E_ARCH")) + L" "
        + Quoted(FromEnvironment("ZV_E2E_BUILD")) + L" cmd.exe /c " + Quoted(script);
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    // Wine hands a Unix program no process handle; the program outlives the call on its own.
    if (!CreateProcessW(
            L"Z:\\usr\\bin\\env", &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return false;
    if (process.hThread != nullptr)
        CloseHandle(process.hThread);
    if (process.hProcess != nullptr)
        CloseHandle(process.hProcess);
    return true;
}

std::wstring Utf16(const std::string& shiftJis)
{
    std::wstring wide(shiftJis.size(), L'\0');
    int length = MultiByteToWideChar(
        932, 0, shiftJis.data(), static_cast<int>(shiftJis.size()), &wide[0], static_cast<int>(wide.size()));
    wide.resize(length > 0 ? length : 0);
    return wide;
}

std::wstring WindowTextW(HWND window)
{
    wchar_t text[2048] = L"";
    GetWindowTextW(window, text, 2048);
    return text;
}

std::wstring BoxTextW(HWND box)
{
    const int messageTextId = 0xFFFF;
    return WindowTextW(GetDlgItem(box, messageTextId));
}

bool RegistryStringW(HKEY root, const std::wstring& key, const std::wstring& name, std::wstring* value)
{
    HKEY opened = nullptr;
    if (RegOpenKeyExW(root, key.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS)
        return false;
    wchar_t data[2048] = L"";
    DWORD size = sizeof(data) - sizeof(wchar_t), type = 0;
    bool read
        = RegQueryValueExW(opened, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data), &size) == ERROR_SUCCESS
        && type == REG_SZ;
    RegCloseKey(opened);
    if (read)
        *value = data;
    return read;
}

bool RegistryKeyExistsW(HKEY root, const std::wstring& key)
{
    HKEY opened = nullptr;
    if (RegOpenKeyExW(root, key.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS)
        return false;
    RegCloseKey(opened);
    return true;
}

bool PathExistsW(const std::wstring& path)
{
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool ReadLinkW(const std::wstring& linkPath, std::wstring* target, std::wstring* workingFolder)
{
    bool read = false;
    HRESULT initialized = CoInitialize(nullptr);
    IShellLinkW* link = nullptr;
    IPersistFile* file = nullptr;
    if (SUCCEEDED(CoCreateInstance(
            CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, reinterpret_cast<void**>(&link)))
        && SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))
        && SUCCEEDED(file->Load(linkPath.c_str(), STGM_READ))) {
        wchar_t text[MAX_PATH] = L"";
        LPITEMIDLIST items = nullptr;
        read = SUCCEEDED(link->GetIDList(&items)) && items != nullptr && SHGetPathFromIDListW(items, text);
        *target = text;
        CoTaskMemFree(items);
        text[0] = L'\0';
        read = read && SUCCEEDED(link->GetWorkingDirectory(text, MAX_PATH));
        *workingFolder = text;
    }
    if (file != nullptr)
        file->Release();
    if (link != nullptr)
        link->Release();
    if (SUCCEEDED(initialized))
        CoUninitialize();
    return read;
}

std::wstring ProcessImagePathW(HANDLE process)
{
    wchar_t path[MAX_PATH] = L"";
    DWORD size = MAX_PATH;
    if (!QueryFullProcessImageNameW(process, 0, path, &size))
        return L"";
    return path;
}

std::vector<std::wstring> PendingDeletionsW()
{
    std::vector<std::wstring> paths;
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"System\\CurrentControlSet\\Control\\Session Manager", 0, KEY_READ, &key)
        != ERROR_SUCCESS)
        return paths;
    std::wstring data(1 << 19, L'\0');
    DWORD size = static_cast<DWORD>((data.size() - 2) * sizeof(wchar_t));
    if (RegQueryValueExW(
            key, L"PendingFileRenameOperations", nullptr, nullptr, reinterpret_cast<BYTE*>(&data[0]), &size)
        == ERROR_SUCCESS) {
        // Pairs of source and target, each ended by its own zero; an empty target is the deletion.
        std::vector<std::wstring> names;
        for (size_t at = 0, end = size / sizeof(wchar_t); at < end;) {
            std::wstring name = data.c_str() + at;
            at += name.size() + 1;
            names.push_back(name);
        }
        for (size_t i = 0; i + 1 < names.size(); i += 2) {
            if (names[i + 1].empty())
                paths.push_back(names[i].compare(0, 4, L"\\??\\") == 0 ? names[i].substr(4) : names[i]);
        }
    }
    RegCloseKey(key);
    return paths;
}
