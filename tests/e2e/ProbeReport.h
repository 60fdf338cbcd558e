// What the stand-ins for a game, an extra program or the DirectX set-up report to the scenario that started them:
// the folder they run in and their command line, one a line, in a file of the folder the scenario names in
// ZV_E2E_PROBE_DIR (inherited through the installer).
#pragma once

#include <windows.h>

#include <cstdio>
#include <string>

// Writes the report as fileName; false when there is no folder to write it to or it cannot be written. The file is
// written under another name first, so the scenario never reads half a report.
inline bool WriteProbeReport(const char* fileName)
{
    char folder[MAX_PATH] = "", probeDir[MAX_PATH] = "";
    GetCurrentDirectoryA(sizeof(folder), folder);
    DWORD length = GetEnvironmentVariableA("ZV_E2E_PROBE_DIR", probeDir, sizeof(probeDir));
    if (length == 0 || length >= sizeof(probeDir))
        return false;
    std::string report = std::string(probeDir) + "\\" + fileName;
    std::string partial = report + ".part";
    FILE* out = fopen(partial.c_str(), "wb");
    if (out == nullptr)
        return false;
    fprintf(out, "%s\n%s", folder, GetCommandLineA());
    fclose(out);
    return MoveFileExA(partial.c_str(), report.c_str(), MOVEFILE_REPLACE_EXISTING) != FALSE;
}
