// ZVSetup.exe itself, started as the relaunched copy: it shows its window of the class "ZVWndClass" and ends when
// that window closes.
#include <gtest/gtest.h>

#include <string>

#include <windows.h>

#include "tests/TestFiles.h"

namespace {

struct WindowSearch {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK FindProgramWindow(HWND window, LPARAM param)
{
    WindowSearch* search = reinterpret_cast<WindowSearch*>(param);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    char className[64] = "";
    GetClassNameA(window, className, sizeof(className));
    if (process == search->processId && lstrcmpA(className, "ZVWndClass") == 0) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

// The program's path as the build names it, as Wine sees it (the Unix root is drive Z:).
std::string ProgramPath()
{
    std::string path = "Z:" ZVSETUP_PATH;
    for (char& ch : path) {
        if (ch == '/')
            ch = '\\';
    }
    return path;
}

// A 1 x 1 picture, so that the menu has its splash picture and shows no box about it.
std::string TinyBitmap()
{
    const unsigned char bytes[58] = {'B', 'M', 58, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0, 40, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0,
        0, 1, 0, 24, 0, 0, 0, 0, 0, 4, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x40, 0x80, 0xC0, 0};
    return std::string(reinterpret_cast<const char*>(bytes), sizeof(bytes));
}

} // namespace

TEST(ProgramStart, ShowsTheMenuWindowAndEndsWhenItCloses)
{
    // The copy schedules its own deletion at exit: it runs from a private folder, never from the build.
    TestFolder folder;
    std::string program = folder.Path("ZVSetup.exe");
    ASSERT_TRUE(CopyFileA(ProgramPath().c_str(), program.c_str(), FALSE));
    WriteBytes(folder.Path("splash.bmp"), TinyBitmap());
    WriteBytes(folder.Path("Install.ifo"),
        "$installtypecount = 1\r\n$gametitle = ZVStartTest\r\n$registryroot = ZVTests\r\n$registrykey = StartTest\r\n");
    std::string folderPath = program.substr(0, program.rfind('\\'));
    std::string commandLine = "\"" + program + "\" -temp -dir:\"" + folderPath + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    ASSERT_TRUE(
        CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        << commandLine;

    WindowSearch search = {process.dwProcessId, nullptr};
    for (int wait = 0; wait < 300 && search.found == nullptr; wait++) {
        Sleep(50);
        EnumWindows(FindProgramWindow, reinterpret_cast<LPARAM>(&search));
    }
    EXPECT_NE(nullptr, search.found) << "no window of the class ZVWndClass";
    if (search.found != nullptr) {
        for (int wait = 0; wait < 100 && !IsWindowVisible(search.found); wait++)
            Sleep(50);
        EXPECT_TRUE(IsWindowVisible(search.found));
        PostMessageA(search.found, WM_CLOSE, 0, 0);
    }

    DWORD waited = WaitForSingleObject(process.hProcess, 15000);
    EXPECT_EQ(WAIT_OBJECT_0, waited) << "the program did not end";
    if (waited != WAIT_OBJECT_0)
        TerminateProcess(process.hProcess, 1);
    DWORD exitCode = 1;
    GetExitCodeProcess(process.hProcess, &exitCode);
    EXPECT_EQ(0u, exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}
