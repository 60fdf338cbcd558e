// A stand-in for the DirectX set-up program of a disc, for the DirectX scenarios; never shipped. It is started
// without a command line, so the scenario tells it what to do in "exit.txt" beside it: the exit code and the
// milliseconds to run first ("-1 300"; none: 0 at once). It writes into "dxsetup.txt", in the folder the scenario
// names in ZV_E2E_PROBE_DIR (inherited by the installer), the folder it runs in and its command line, one a line.
#include <windows.h>

#include <cstdio>
#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    char program[MAX_PATH] = "", folder[MAX_PATH] = "", probeDir[MAX_PATH] = "";
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

    GetCurrentDirectoryA(sizeof(folder), folder);
    length = GetEnvironmentVariableA("ZV_E2E_PROBE_DIR", probeDir, sizeof(probeDir));
    if (length == 0 || length >= sizeof(probeDir))
        return 1;
    std::string report = std::string(probeDir) + "\\dxsetup.txt";
    // Written under another name first, so the scenario never reads half a report.
    std::string partial = report + ".part";
    FILE* out = fopen(partial.c_str(), "wb");
    if (out == nullptr)
        return 1;
    fprintf(out, "%s\n%s", folder, GetCommandLineA());
    fclose(out);
    if (!MoveFileExA(partial.c_str(), report.c_str(), MOVEFILE_REPLACE_EXISTING))
        return 1;
    if (delayMs > 0)
        Sleep(static_cast<DWORD>(delayMs));
    return static_cast<int>(exitCode);
}
