// The process calls in the program's text (Windows only): the programs it starts, the command line it was started
// with, and its named mutexes. Each ZV function is the system's A function of the same name, with its contract,
// taking Shift-JIS program text: the 95 family calls the A function unchanged, the NT family converts
// (foundation/UnicodeText_win.h) and calls the W function, so that a program named "ソ表" or started in "Її" is
// found, and its arguments reach it whole. On the NT family a text that cannot be converted fails with
// ERROR_INVALID_NAME.
#pragma once

#include "foundation/SystemApi.h"
#include "foundation/ZVString.h"

// The environment, where one is given, is passed on as it is (ANSI); the startup information's texts are converted.
BOOL ZVCreateProcess(LPCSTR application, LPSTR commandLine, LPSECURITY_ATTRIBUTES processSecurity,
    LPSECURITY_ATTRIBUTES threadSecurity, BOOL inheritHandles, DWORD flags, LPVOID environment, LPCSTR folder,
    LPSTARTUPINFOA startup, LPPROCESS_INFORMATION process);
HANDLE ZVCreateMutex(LPSECURITY_ATTRIBUTES security, BOOL initialOwner, LPCSTR name);
HANDLE ZVOpenMutex(DWORD access, BOOL inherit, LPCSTR name);

// The arguments the program was started with, after its own name, as program text: on the NT family read from the
// system's UTF-16 command line (the ANSI one has lost what the system's code page cannot hold), on the 95 family
// ansiArguments (WinMain's) as they are.
CZVString ProgramArguments(const char* ansiArguments);
