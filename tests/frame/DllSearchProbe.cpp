// Started by the DLL search test from a folder where DLLs of the system's names are planted: protects itself as the
// first argument says ("harden": HardenDllSearch, as the program does at its start; "fallback": only what systems
// without SetDefaultDllDirectories get; "none"), then loads every DLL of the fallback's list by name and writes, one a
// line into the file named by the second argument, "before" or "after" (already loaded when the probe began, or
// only now) and the file the module came from.
#include <cstdio>
#include <cstring>

#include "foundation/SystemLibraries.h"

int main(int argc, char** argv)
{
    if (argc != 3)
        return 2;
    bool loadedBefore[64] = {};
    for (int i = 0; kLateLoadedDlls[i] != nullptr && i < 64; i++)
        loadedBefore[i] = GetModuleHandleA(kLateLoadedDlls[i]) != nullptr;
    if (strcmp(argv[1], "harden") == 0)
        HardenDllSearch();
    else if (strcmp(argv[1], "fallback") == 0)
        PreloadLateLoadedDlls();
    FILE* out = fopen(argv[2], "wb");
    if (out == nullptr)
        return 1;
    for (int i = 0; kLateLoadedDlls[i] != nullptr && i < 64; i++) {
        HMODULE module = LoadLibraryA(kLateLoadedDlls[i]);
        char path[MAX_PATH] = "";
        if (module != nullptr)
            GetModuleFileNameA(module, path, sizeof(path));
        fprintf(out, "%s %s\n", loadedBefore[i] ? "before" : "after", path);
    }
    fclose(out);
    return 0;
}
