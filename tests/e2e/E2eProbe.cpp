// A stand-in for a game or an extra program of the menu scenarios. It reports into probe.txt (see ProbeReport.h)
// and keeps running until the scenario puts a file named release into the probe folder (at most 15 seconds), so
// the scenario can look at the menu while it runs.
#include <windows.h>

#include <string>

#include "tests/e2e/ProbeReport.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    if (!WriteProbeReport("probe.txt"))
        return 1;
    char probeDir[MAX_PATH] = "";
    GetEnvironmentVariableA("ZV_E2E_PROBE_DIR", probeDir, sizeof(probeDir));
    std::string release = std::string(probeDir) + "\\release";
    for (int wait = 0; wait < 600 && GetFileAttributesA(release.c_str()) == INVALID_FILE_ATTRIBUTES; wait++)
        Sleep(25);
    return 0;
}
