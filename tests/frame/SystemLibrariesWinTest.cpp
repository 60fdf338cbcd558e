// The DLLs outside the import table, under Wine: the fallback for systems without SetDefaultDllDirectories (Wine
// has it, so only a test reaches the fallback) and the system DLLs loaded at their first use come from the system
// folder, and nothing from the program's own.
#include <gtest/gtest.h>
#include <windows.h>

#include <tlhelp32.h>

#include <algorithm>
#include <string>

#include "foundation/SystemLibraries.h"

namespace {

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return (char)tolower(c); });
    return text;
}

std::string FolderOf(const std::string& path)
{
    return Lower(path.substr(0, path.find_last_of('\\')));
}

std::string ModulePath(HMODULE module)
{
    char path[MAX_PATH] = "";
    DWORD length = GetModuleFileNameA(module, path, sizeof(path));
    return length > 0 && length < sizeof(path) ? path : "";
}

std::string SystemFolder()
{
    char folder[MAX_PATH] = "";
    GetSystemDirectoryA(folder, sizeof(folder));
    return Lower(folder);
}

TEST(SystemLibrariesWin, TheFallbackAndTheFirstUsesLoadFromTheSystemFolderOnly)
{
    int present = 0;
    for (int i = 0; kLateLoadedDlls[i] != nullptr; i++) {
        if (GetFileAttributesA((SystemFolder() + "\\" + kLateLoadedDlls[i]).c_str()) != INVALID_FILE_ATTRIBUTES)
            present++;
    }
    EXPECT_GT(present, 5) << "Wine has most of the list";
    EXPECT_EQ(present, PreloadLateLoadedDlls());
    EXPECT_EQ(nullptr, LoadSystemLibrary("zv-no-such-library.dll"));
    SystemMilliseconds();
    int major = 0, minor = 0;
    EXPECT_TRUE(ReadFileVersion((SystemFolder() + "\\kernel32.dll").c_str(), &major, &minor));

    for (int i = 0; kLateLoadedDlls[i] != nullptr; i++) {
        SCOPED_TRACE(kLateLoadedDlls[i]);
        if (GetFileAttributesA((SystemFolder() + "\\" + kLateLoadedDlls[i]).c_str()) == INVALID_FILE_ATTRIBUTES)
            continue;
        HMODULE module = GetModuleHandleA(kLateLoadedDlls[i]);
        ASSERT_NE(nullptr, module) << "not loaded";
        EXPECT_EQ(SystemFolder(), FolderOf(ModulePath(module)));
    }

    // No module but the program itself comes from the program's folder.
    std::string program = ModulePath(nullptr);
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, 0);
    ASSERT_NE(INVALID_HANDLE_VALUE, snapshot);
    MODULEENTRY32 entry = {};
    entry.dwSize = sizeof(entry);
    int modules = 0;
    for (BOOL more = Module32First(snapshot, &entry); more; more = Module32Next(snapshot, &entry)) {
        modules++;
        std::string path = entry.szExePath;
        if (Lower(path) != Lower(program)) {
            EXPECT_NE(FolderOf(program), FolderOf(path)) << path;
        }
    }
    CloseHandle(snapshot);
    EXPECT_GT(modules, present);
}

} // namespace
