// A stand-in for a game or an extra program of the menu scenarios. It writes into probe.txt, in the folder the
// scenario names in ZV_E2E_PROBE_DIR, the folder it runs in and its command line (one a line), and keeps running
// until the scenario puts a file named release into that folder (at most 15 seconds), so the scenario can look at
// the menu while it runs.
#include <windows.h>

#include <cstdio>
#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    char folder[MAX_PATH] = "", probeDir[MAX_PATH] = "";
    GetCurrentDirectoryA(sizeof(folder), folder);
    DWORD length = GetEnvironmentVariableA("ZV_E2E_PROBE_DIR", probeDir, sizeof(probeDir));
    if (length == 0 || length >= sizeof(probeDir))
        return 1;
    std::string report = std::string(probeDir) + "\\probe.txt";
    // Written under another name first, so the scenario never reads half a report.
    std::string partial = report + ".part";
    FILE* out = fopen(partial.c_str(), "wb");
    if (out == nullptr)
        return 1;
    fprintf(out, "%s\n%s", folder, GetCommandLineA());
    fclose(out);
    if (!MoveFileExA(partial.c_str(), report.c_str(), MOVEFILE_REPLACE_EXISTING))
        return 1;
    std::string release = std::string(probeDir) + "\\release";
    for (int wait = 0; wait < 600 && GetFileAttributesA(release.c_str()) == INVALID_FILE_ATTRIBUTES; wait++)
        Sleep(25);
    return 0;
}
