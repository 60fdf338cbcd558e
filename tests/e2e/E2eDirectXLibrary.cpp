// A stand-in for the DirectX set-up library of a disc ("DSetup.dll"), for the DirectX scenarios; never shipped.
// Its export answers the version written in hexadecimal in "version.txt" beside the library (0 when there is
// none). Each load, question and release adds a line to "dsetup.txt" in the folder the scenario names in
// ZV_E2E_PROBE_DIR (inherited by the installer): "load", "ask" with "null" or "revision" for the revision pointer
// it was given, "free". Built a second time with ZV_WITHOUT_EXPORT: a library without the export.
#include <windows.h>

#include <cstdlib>
#include <cstring>

namespace {

HINSTANCE g_module;

void Record(const char* line)
{
    char path[MAX_PATH];
    DWORD length = GetEnvironmentVariableA("ZV_E2E_PROBE_DIR", path, MAX_PATH - 16);
    if (length == 0 || length >= MAX_PATH - 16)
        return;
    lstrcatA(path, "\\dsetup.txt");
    HANDLE file = CreateFileA(path, FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    DWORD written = 0;
    WriteFile(file, line, lstrlenA(line), &written, nullptr);
    WriteFile(file, "\n", 1, &written, nullptr);
    CloseHandle(file);
}

} // namespace

BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH) {
        g_module = module;
        Record("load");
    } else if (reason == DLL_PROCESS_DETACH) {
        Record("free");
    }
    return TRUE;
}

#ifndef ZV_WITHOUT_EXPORT
// The build exports it undecorated (--kill-at), as GetProcAddress asks for it on both architectures.
extern "C" __declspec(dllexport) int WINAPI DirectXSetupGetVersion(DWORD* version, DWORD* revision)
{
    Record(revision == nullptr ? "ask null" : "ask revision");
    char path[MAX_PATH] = "";
    DWORD length = GetModuleFileNameA(g_module, path, MAX_PATH);
    char* name = length > 0 && length < MAX_PATH ? strrchr(path, '\\') : nullptr;
    char text[32] = "0";
    if (name != nullptr && static_cast<size_t>(name - path) + sizeof("\\version.txt") <= MAX_PATH) {
        lstrcpyA(name, "\\version.txt");
        HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            DWORD read = 0;
            if (ReadFile(file, text, sizeof(text) - 1, &read, nullptr))
                text[read] = '\0';
            CloseHandle(file);
        }
    }
    *version = strtoul(text, nullptr, 16);
    if (revision != nullptr)
        *revision = 0;
    return 1;
}
#endif
