// A DLL that tells when it is loaded, planted by the scenarios under the names of system DLLs (or of the disc's
// DirectX library) where the installer must never load one: beside its work copy in %TEMP%, in the install folder.
// Each load writes "<its own file name>-<process id>.txt" into the folder named in ZV_E2E_MARKER_DIR (inherited by
// the installer), holding its own path and the program's. It exports nothing. Never shipped.
#include <windows.h>

namespace {

void WriteMarker(HINSTANCE module)
{
    char folder[MAX_PATH], self[MAX_PATH], program[MAX_PATH], path[3 * MAX_PATH];
    DWORD length = GetEnvironmentVariableA("ZV_E2E_MARKER_DIR", folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH || GetModuleFileNameA(module, self, MAX_PATH) == 0
        || GetModuleFileNameA(nullptr, program, MAX_PATH) == 0)
        return;
    const char* name = self;
    for (const char* cursor = self; *cursor != '\0'; cursor++) {
        if (*cursor == '\\')
            name = cursor + 1;
    }
    wsprintfA(path, "%s\\%s-%lu.txt", folder, name, GetCurrentProcessId());
    HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    DWORD written = 0;
    WriteFile(file, self, lstrlenA(self), &written, nullptr);
    WriteFile(file, "\n", 1, &written, nullptr);
    WriteFile(file, program, lstrlenA(program), &written, nullptr);
    CloseHandle(file);
}

} // namespace

BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH)
        WriteMarker(module);
    return TRUE;
}
