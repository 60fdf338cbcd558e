// The least that a start through a second process costs, for the menu start benchmark: started from the disc, it
// starts bare_window.exe beside it and ends. Like the installer's first start, it calls nothing outside kernel32.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    const char kWindowProgram[] = "bare_window.exe";
    char program[MAX_PATH] = "";
    DWORD length = GetModuleFileNameA(nullptr, program, sizeof(program));
    if (length == 0 || length >= sizeof(program))
        return 1;
    DWORD folderLength = length;
    while (folderLength > 0 && program[folderLength - 1] != '\\')
        folderLength--;
    if (folderLength + sizeof(kWindowProgram) > sizeof(program))
        return 1;
    lstrcpynA(program + folderLength, kWindowProgram, sizeof(kWindowProgram));
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(program, nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return 1;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return 0;
}
