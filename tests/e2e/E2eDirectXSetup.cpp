// A stand-in for the DirectX set-up program of a disc, for the DirectX scenarios; never shipped. It is started
// without a command line, so the scenario tells it what to do in "exit.txt" beside it: the exit code and the
// milliseconds to run first ("-1 300"; none: 0 at once). It reports into "dxsetup.txt" (see ProbeReport.h).
#include <windows.h>

#include <cstdio>
#include <string>

#include "tests/e2e/ProbeReport.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    char program[MAX_PATH] = "";
    DWORD length = GetModuleFileNameA(nullptr, program, sizeof(program));
    if (length == 0 || length >= sizeof(program))
        return 1;
    std::string control = program;
    control = control.substr(0, control.rfind('\\') + 1) + "exit.txt";
    long exitCode = 0, delayMs = 0;
    if (FILE* in = fopen(control.c_str(), "rb")) {
        if (fscanf(in, "%ld %ld", &exitCode, &delayMs) < 1)
            exitCode = 0;
        fclose(in);
    }

    if (!WriteProbeReport("dxsetup.txt"))
        return 1;
    if (delayMs > 0)
        Sleep(static_cast<DWORD>(delayMs));
    return static_cast<int>(exitCode);
}
