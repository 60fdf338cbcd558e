// The DLL search under Wine: a program beside DLLs planted under the names of the system DLLs that load late never
// takes one, whether protected as the program protects itself at its start or by the fallback alone, which systems
// without SetDefaultDllDirectories get (Wine has it, so only a test reaches the fallback).
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "foundation/SystemLibraries.h"
#include "tests/TestFiles.h"

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

std::string SystemFolder()
{
    char folder[MAX_PATH] = "";
    GetSystemDirectoryA(folder, sizeof(folder));
    return Lower(folder);
}

// Runs the DLL search probe copied into folder, protected as mode says; the lines of its report.
std::vector<std::string> RunProbe(const TestFolder& folder, const std::string& mode)
{
    std::string program = folder.Path("probe.exe"), report = folder.Path(mode + ".txt");
    std::string commandLine = "\"" + program + "\" " + mode + " \"" + report + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    std::vector<std::string> lines;
    EXPECT_TRUE(CreateProcessA(
        program.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process));
    if (process.hProcess == nullptr)
        return lines;
    DWORD exitCode = 1;
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(process.hProcess, 30000));
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    EXPECT_EQ(0u, exitCode) << mode;
    std::istringstream text(ReadBytes(report));
    for (std::string line; std::getline(text, line);)
        lines.push_back(line);
    return lines;
}

TEST(SystemLibrariesWin, LaterLoadsByNameNeverTakeADllPlantedBesideTheProgram)
{
    // The system's own files planted under their names beside the probe: Wine loads its own DLL for a name it finds,
    // but the module keeps the path where it found it.
    TestFolder folder;
    std::string probe = "Z:" ZV_DLL_SEARCH_PROBE_PATH;
    std::replace(probe.begin(), probe.end(), '/', '\\');
    ASSERT_TRUE(CopyFileA(probe.c_str(), folder.Path("probe.exe").c_str(), FALSE)) << probe;
    for (int i = 0; kLateLoadedDlls[i] != nullptr; i++)
        CopyFileA((SystemFolder() + "\\" + kLateLoadedDlls[i]).c_str(), folder.Path(kLateLoadedDlls[i]).c_str(), FALSE);
    const std::string planted = FolderOf(folder.Path("probe.exe"));

    int takenFromBeside = 0;
    for (const std::string& line : RunProbe(folder, "none")) {
        if (line.compare(0, 6, "after ") == 0 && FolderOf(line.substr(6)) == planted)
            takenFromBeside++;
    }
    EXPECT_GT(takenFromBeside, 0) << "unprotected, a load by name takes a planted DLL: the test can see one";

    for (const char* mode : {"harden", "fallback"}) {
        std::vector<std::string> lines = RunProbe(folder, mode);
        ASSERT_FALSE(lines.empty()) << mode;
        for (const std::string& line : lines) {
            // A DLL that Wine's own DLLs loaded before the probe's first instruction is beyond any program; one that
            // this system does not have is found nowhere.
            if (line.compare(0, 6, "after ") == 0 && line.size() > 6) {
                EXPECT_EQ(SystemFolder(), FolderOf(line.substr(6))) << mode << ": " << line;
            }
        }
    }
}

} // namespace
