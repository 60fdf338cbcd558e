// The program's texts at the system's edges, under Wine: names with Japanese (whose trail bytes include 0x5C, the
// backslash) and with characters that code page 932 lacks, held as the program holds them, must reach the system
// as the real characters, come back byte for byte, and never be cut. The W functions check what the system holds.
#include <gtest/gtest.h>
#include <windows.h>

#include <shlobj.h>

#include <cstring>
#include <string>
#include <vector>

#include "foundation/FileCalls.h"
#include "foundation/ProcessCalls_win.h"
#include "foundation/RegProfile.h"
#include "foundation/RegistryCalls_win.h"
#include "foundation/RemoveTree.h"
#include "foundation/ShellCalls_win.h"
#include "foundation/ShiftJis.h"
#include "foundation/SystemLibraries.h"
#include "tests/TestFiles.h"

namespace {

// "ソ表" is 83 5C 95 5C; "é" and "Її" have no code in code page 932 and are escaped.
const char kJapanese[] = "ソ表";
const char kAccent[] = "\x81\x7F"
                       "00E9";
const char kCyrillic[] = "\x81\x7F"
                         "0407"
                         "\x81\x7F"
                         "0457";
const wchar_t kWideFolder[] = L"\u30BD\u8868\u0407\u0457";
const wchar_t kWideFile[] = L"\u00E9\u8868.txt";
const char kChildOutputVariable[] = "ZV_TEXT_CHILD_OUTPUT";

std::string FolderName()
{
    return std::string(kJapanese) + kCyrillic;
}

std::string FileName()
{
    return std::string(kAccent) + "表.txt";
}

std::wstring Wide(const std::string& asciiPath)
{
    return std::wstring(asciiPath.begin(), asciiPath.end());
}

DWORD WideAttributes(const std::wstring& path)
{
    return GetFileAttributesW(path.c_str());
}

// The names a listing of folder gives, in the program's text.
std::vector<std::string> ListNames(const std::string& folder)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE listing = ZVFindFirstFile((folder + "\\*").c_str(), &found);
    if (listing == INVALID_HANDLE_VALUE)
        return names;
    do {
        if (strcmp(found.cFileName, ".") != 0 && strcmp(found.cFileName, "..") != 0)
            names.push_back(found.cFileName);
    } while (ZVFindNextFile(listing, &found));
    FindClose(listing);
    return names;
}

TEST(SystemTextCalls, FilesAndFoldersKeepTheirNames)
{
    TestFolder base;
    const std::string root = base.Path("");
    const std::string folder = root + FolderName();
    const std::wstring wideFolder = Wide(root) + kWideFolder;
    ASSERT_TRUE(ZVCreateDirectory(folder.c_str(), nullptr));
    EXPECT_NE(0u, WideAttributes(wideFolder) & FILE_ATTRIBUTE_DIRECTORY) << "the folder holds the real characters";

    const std::string file = folder + "\\" + FileName();
    HANDLE handle = ZVCreateFile(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, handle);
    DWORD written = 0;
    WriteFile(handle, "abc", 3, &written, nullptr);
    FILETIME stamp = {0x12345600u, 0x01C00000u};
    EXPECT_TRUE(SetFileTime(handle, nullptr, nullptr, &stamp));
    CloseHandle(handle);
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, WideAttributes(wideFolder + L"\\" + kWideFile));

    WIN32_FIND_DATAA found;
    HANDLE listing = ZVFindFirstFile(file.c_str(), &found);
    ASSERT_NE(INVALID_HANDLE_VALUE, listing);
    FindClose(listing);
    EXPECT_EQ(FileName(), found.cFileName) << "the found name is the program's text byte for byte";
    EXPECT_EQ(3u, found.nFileSizeLow);
    EXPECT_EQ(0, CompareFileTime(&stamp, &found.ftLastWriteTime));

    EXPECT_TRUE(ZVSetFileAttributes(file.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_NE(0u, ZVGetFileAttributes(file.c_str()) & FILE_ATTRIBUTE_READONLY);
    EXPECT_TRUE(ZVSetFileAttributes(file.c_str(), FILE_ATTRIBUTE_NORMAL));

    // The current folder and a full path come back as the program's text; the file part points into the result.
    char previous[MAX_PATH];
    ASSERT_NE(0u, ZVGetCurrentDirectory(sizeof(previous), previous));
    ASSERT_TRUE(ZVSetCurrentDirectory(folder.c_str()));
    char current[MAX_PATH], full[MAX_PATH];
    EXPECT_EQ(folder.size(), ZVGetCurrentDirectory(sizeof(current), current));
    EXPECT_EQ(folder, current);
    char* filePart = nullptr;
    EXPECT_EQ(file.size(), ZVGetFullPathName(FileName().c_str(), sizeof(full), full, &filePart));
    EXPECT_EQ(file, full);
    EXPECT_EQ(FileName(), filePart != nullptr ? filePart : "");
    char small[8];
    EXPECT_EQ(0u, ZVGetCurrentDirectory(sizeof(small), small)) << "a result that does not fit fails, never cut";
    EXPECT_EQ(static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER), GetLastError());
    EXPECT_EQ('\0', small[0]);
    ZVSetCurrentDirectory(previous);

    const std::string copy = folder + "\\" + kJapanese + " copy.txt";
    const std::string moved = folder + "\\" + kCyrillic + ".txt";
    EXPECT_TRUE(ZVCopyFile(file.c_str(), copy.c_str(), TRUE));
    EXPECT_FALSE(ZVCopyFile(file.c_str(), copy.c_str(), TRUE));
    EXPECT_TRUE(ZVMoveFile(copy.c_str(), moved.c_str()));
    EXPECT_TRUE(ZVMoveFileEx(file.c_str(), moved.c_str(), MOVEFILE_REPLACE_EXISTING));
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, WideAttributes(wideFolder + L"\\\u0407\u0457.txt"));
    EXPECT_EQ((std::vector<std::string>{std::string(kCyrillic) + ".txt"}), ListNames(folder));

    // The version resource of a file of such a name, as the install reads its own program's.
    char system[MAX_PATH];
    ASSERT_NE(0u, ZVGetSystemDirectory(system, sizeof(system)));
    const std::string original = std::string(system) + "\\kernel32.dll";
    const std::string library = folder + "\\" + FolderName() + ".dll";
    ASSERT_TRUE(ZVCopyFile(original.c_str(), library.c_str(), TRUE));
    int major = 0, minor = 0, copyMajor = -1, copyMinor = -1;
    EXPECT_TRUE(ReadFileVersion(original.c_str(), &major, &minor));
    EXPECT_TRUE(ReadFileVersion(library.c_str(), &copyMajor, &copyMinor));
    EXPECT_EQ(major, copyMajor);
    EXPECT_EQ(minor, copyMinor);
    EXPECT_TRUE(ZVDeleteFile(library.c_str()));

    // An entry whose name does not fit cFileName (60 letters, 360 bytes escaped) is passed over, never cut.
    const std::wstring longName = wideFolder + L"\\" + std::wstring(60, L'\u0457');
    HANDLE longFile = CreateFileW(longName.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, longFile);
    CloseHandle(longFile);
    EXPECT_EQ((std::vector<std::string>{std::string(kCyrillic) + ".txt"}), ListNames(folder));
    EXPECT_TRUE(ZVDeleteFile(moved.c_str()));
    const std::string longPattern = folder
        + "\\\x81\x7F"
          "0457*";
    EXPECT_EQ(INVALID_HANDLE_VALUE, ZVFindFirstFile(longPattern.c_str(), &found));
    EXPECT_EQ(static_cast<DWORD>(ERROR_FILENAME_EXCED_RANGE), GetLastError());
    EXPECT_TRUE(DeleteFileW(longName.c_str()));

    // Bytes that mean no character never reach another name.
    SetLastError(0);
    EXPECT_EQ(INVALID_HANDLE_VALUE,
        ZVCreateFile(
            (folder + "\\\x81").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_NAME), GetLastError());

    EXPECT_TRUE(ZVRemoveDirectory(folder.c_str()));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, WideAttributes(wideFolder));
}

TEST(SystemTextCalls, RegistryHoldsTheRealCharacters)
{
    const char kBase[] = "Software\\ZVSetupTestTextCalls";
    RegDeleteTreeA(HKEY_CURRENT_USER, kBase);
    const std::string keyName = FolderName();
    const std::string valueName = std::string(kAccent) + "名";
    const std::string text = std::string(kJapanese) + kCyrillic;
    HKEY base = nullptr, key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS,
        ZVRegCreateKeyEx(HKEY_CURRENT_USER, kBase, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &base, nullptr));
    ASSERT_EQ(
        ERROR_SUCCESS, ZVRegCreateKeyEx(base, keyName.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr));
    EXPECT_EQ(ERROR_SUCCESS,
        ZVRegSetValueEx(key, valueName.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
            static_cast<DWORD>(text.size() + 1)));

    // Written as UTF-16 by the W function: the W side reads the real characters.
    wchar_t wide[64];
    DWORD wideBytes = sizeof(wide), type = 0;
    EXPECT_EQ(ERROR_SUCCESS,
        RegQueryValueExW(key, L"\u00E9\u540D", nullptr, &type, reinterpret_cast<BYTE*>(wide), &wideBytes));
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), type);
    EXPECT_EQ(std::wstring(kWideFolder), std::wstring(wide));

    DWORD bytes = 0;
    EXPECT_EQ(ERROR_SUCCESS, ZVRegQueryValueEx(key, valueName.c_str(), nullptr, &type, nullptr, &bytes));
    EXPECT_EQ(text.size() + 1, bytes);
    char small[4];
    bytes = sizeof(small);
    EXPECT_EQ(ERROR_MORE_DATA,
        ZVRegQueryValueEx(key, valueName.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(small), &bytes));
    EXPECT_EQ(text.size() + 1, bytes);
    char read[64];
    bytes = sizeof(read);
    EXPECT_EQ(ERROR_SUCCESS,
        ZVRegQueryValueEx(key, valueName.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(read), &bytes));
    EXPECT_EQ(text, read);
    RegCloseKey(key);

    DWORD subKeys = 0, longestSubKey = 0;
    EXPECT_EQ(ERROR_SUCCESS,
        ZVRegQueryInfoKey(base, nullptr, nullptr, nullptr, &subKeys, &longestSubKey, nullptr, nullptr, nullptr, nullptr,
            nullptr, nullptr));
    EXPECT_EQ(1u, subKeys);
    EXPECT_GE(longestSubKey, keyName.size()) << "a buffer of that size holds the name";
    char name[64];
    DWORD nameBytes = sizeof(name);
    EXPECT_EQ(ERROR_SUCCESS, ZVRegEnumKeyEx(base, 0, name, &nameBytes, nullptr, nullptr, nullptr, nullptr));
    EXPECT_EQ(keyName, name);
    EXPECT_EQ(keyName.size(), nameBytes);
    nameBytes = 5;
    EXPECT_EQ(ERROR_MORE_DATA, ZVRegEnumKeyEx(base, 0, name, &nameBytes, nullptr, nullptr, nullptr, nullptr));

    EXPECT_EQ(ERROR_SUCCESS, ZVRegOpenKeyEx(base, keyName.c_str(), 0, KEY_READ, &key));
    RegCloseKey(key);
    // A key below it whose name takes more bytes of program text than a path buffer still goes with the tree.
    HKEY longKey = nullptr;
    const std::wstring longPath = std::wstring(kWideFolder) + L"\\" + std::wstring(60, L'\u0457');
    ASSERT_EQ(ERROR_SUCCESS,
        RegCreateKeyExW(base, longPath.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &longKey, nullptr));
    RegCloseKey(longKey);
    CRegProfile profile;
    profile.SetRoot(HKEY_CURRENT_USER, kBase);
    ASSERT_TRUE(profile.Create(nullptr));
    EXPECT_TRUE(profile.DeleteTree(keyName.c_str()));
    profile.Close();
    EXPECT_NE(ERROR_SUCCESS, ZVRegOpenKeyEx(base, keyName.c_str(), 0, KEY_READ, &key));
    EXPECT_EQ(ERROR_INVALID_NAME, ZVRegOpenKeyEx(base, "\x81", 0, KEY_READ, &key));
    RegCloseKey(base);
    RegDeleteTreeA(HKEY_CURRENT_USER, kBase);
}

// Run as a child by the next test: writes the arguments it was started with and its folder.
TEST(SystemTextCallsChild, WritesItsArgumentsAndFolder)
{
    char output[MAX_PATH];
    if (GetEnvironmentVariableA(kChildOutputVariable, output, sizeof(output)) == 0)
        GTEST_SKIP() << "only as the child of ProcessStartsWithTheRealTexts";
    char folder[MAX_PATH];
    ZVGetCurrentDirectory(sizeof(folder), folder);
    WriteBytes(output, std::string(ProgramArguments(GetCommandLineA()).GetString()) + "\n" + folder);
}

TEST(SystemTextCalls, ProcessStartsWithTheRealTextsAndLinksKeepThem)
{
    TestFolder base;
    const std::string folder = base.Path(FolderName());
    ASSERT_TRUE(ZVCreateDirectory(folder.c_str(), nullptr));
    const std::string output = base.Path("child.txt");
    SetEnvironmentVariableA(kChildOutputVariable, output.c_str());
    char program[MAX_PATH];
    ASSERT_NE(0u, ZVGetModuleFileName(nullptr, program, sizeof(program)));
    const std::string argument = std::string("\"") + kJapanese + " " + kAccent + "\"";
    std::string commandLine = std::string("\"") + program + "\" --gtest_filter=SystemTextCallsChild.* " + argument;
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    ASSERT_TRUE(ZVCreateProcess(
        program, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup, &process));
    WaitForSingleObject(process.hProcess, 60000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    SetEnvironmentVariableA(kChildOutputVariable, nullptr);
    EXPECT_EQ("--gtest_filter=SystemTextCallsChild.* " + argument + "\n" + folder, ReadBytes(output));
    ZVDeleteFile(output.c_str());

    // A link of that name, to a target of that name, read back through the W interface.
    CoInitialize(nullptr);
    {
        const std::string target = folder + "\\" + FileName();
        const std::string linkPath = folder + "\\" + kJapanese + ".lnk";
        CShellLink link;
        ASSERT_TRUE(link.IsValid());
        EXPECT_TRUE(link.Describe(target.c_str(), kCyrillic, folder.c_str(), 1));
        EXPECT_TRUE(link.CanSave());
        EXPECT_TRUE(link.Save(linkPath.c_str()));
        IShellLinkW* saved = nullptr;
        ASSERT_TRUE(SUCCEEDED(CoCreateInstance(
            CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, reinterpret_cast<void**>(&saved))));
        IPersistFile* file = nullptr;
        ASSERT_TRUE(SUCCEEDED(saved->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))));
        const std::wstring wideFolder = Wide(base.Path("")) + kWideFolder;
        EXPECT_TRUE(SUCCEEDED(file->Load((wideFolder + L"\\\u30BD\u8868.lnk").c_str(), STGM_READ)));
        wchar_t text[MAX_PATH] = L"";
        saved->GetArguments(text, MAX_PATH);
        EXPECT_EQ(std::wstring(L"\u0407\u0457"), text);
        saved->GetWorkingDirectory(text, MAX_PATH);
        EXPECT_EQ(wideFolder, text);
        file->Release();
        saved->Release();
    }
    CoUninitialize();
    EXPECT_TRUE(RemoveTree(folder.c_str()));
}

} // namespace
