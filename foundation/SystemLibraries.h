// Where the installer's DLLs come from. It runs with administrator's rights beside folders every user can write (the
// work folder in %TEMP% that it runs from, the install folder), and Windows looks for a DLL named without a folder in
// the program's own folder first: a DLL planted there would run with those rights. So the import table names only
// the DLLs that Windows takes from its system folder whatever lies beside the program (IsSystemFolderDll); the other
// system DLLs the program needs are loaded here by their full path in the system folder; and at the start the
// search for the DLLs that system DLLs load later by name is kept to the system folder (HardenDllSearch).
#pragma once

#include "foundation/SystemApi.h"

// True for a DLL that Windows always loads from its system folder, the only DLLs the import table may name: its
// known DLLs (kernel32, user32, gdi32, advapi32, shell32, ole32, oleaut32, comdlg32, msvcrt) and comctl32, which the
// manifest's version 6 brings from the side-by-side store. dllName is a file name with its ".dll", in any case.
bool IsSystemFolderDll(const char* dllName);

// No box of the system for a drive without a disc or a file that cannot be opened: the program asks for discs
// itself, and counts a drive that is not ready as no disc. Started programs get their own default mode
// (CREATE_DEFAULT_ERROR_MODE).
const UINT kQuietErrorMode = SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX;

#ifdef _WIN32
// The first thing the program does: kQuietErrorMode, then HardenDllSearch.
void PrepareProcess();

// Keeps every later load of a DLL by name to the system folder. Where kernel32 has SetDefaultDllDirectories
// (Windows 8, and Vista and 7 with their update) it is told so; elsewhere the DLLs that system DLLs load later by
// name are loaded now by their full path (PreloadLateLoadedDlls), so that the later loads find them loaded.
// SetDllDirectoryA("") (XP SP1 on) also takes the current folder out of the search. False when neither could be done.
bool HardenDllSearch();
// The fallback on its own (for the tests, which run where the newer call exists): loads each DLL of the list that
// the system folder holds; the number loaded.
int PreloadLateLoadedDlls();
// The list the fallback loads: names of DLLs of the system folder, ended by a null.
extern const char* const kLateLoadedDlls[];

// True when LoadLibraryExA takes the LOAD_LIBRARY_SEARCH_ flags (the same systems as SetDefaultDllDirectories).
bool HasDllSearchFlags();
// Loads a DLL of the system folder by its full path; null when the system has none of that name.
HMODULE LoadSystemLibrary(const char* fileName);
// Loads the DLL at fullPath (a full path), whose own DLLs are then looked for in its folder and the system folder,
// never beside the program: LOAD_LIBRARY_SEARCH_DLL_LOAD_DIR | LOAD_LIBRARY_SEARCH_SYSTEM32 where the system has
// the flags, else LOAD_WITH_ALTERED_SEARCH_PATH.
HMODULE LoadLibraryFromItsFolder(const char* fullPath);

// shell32, ole32 and comctl32 are not imported either, though Windows would take them from its system folder: what
// they load and start with them (the shell's helpers, COM's runtime, the display driver for comctl32's classes)
// took a large part of each start, and the first start from the disc needs none of them. Each is loaded at the
// first use of one of its functions (SYSTEM_CALL) and kept: shell32 and ole32 by their full path in the system
// folder, comctl32 by its name alone, as the manifest's version 6 comes from the side-by-side store only so (the
// search for it is kept to the system folder by then: HardenDllSearch). Any other dll is the module loaded already,
// else it is loaded now by its full path in the system folder (user32 and gdi32 are bound so function by function:
// foundation/LazyImports_win.cpp). Null when the DLL or the function is missing.
FARPROC SystemEntry(const char* dll, const char* name);
// SYSTEM_CALL(shell32, SHGetMalloc) declares a static pointer named SHGetMalloc_ of the function's own type, found
// through SystemEntry at its first use.
#define SYSTEM_CALL(dll, function)                                                                                     \
    static const auto function##_                                                                                      \
        = reinterpret_cast<decltype(&::function)>(reinterpret_cast<void*>(SystemEntry(#dll ".dll", #function)))

// The system DLLs the program does not import, each loaded at its first use and kept.
// Milliseconds of winmm's timeGetTime, which counts in steps of 1 ms on every Windows; GetTickCount (55 ms steps
// on the 95 family) only when winmm cannot be loaded. The clock wraps at 2^32.
DWORD SystemMilliseconds();
// winmm's sndPlaySoundA(fileName, SND_ASYNC); false when it did not start or winmm cannot be loaded.
bool PlaySoundAsync(const char* fileName);
// The major and minor file version of the version resource of the file at path (version.dll); false when it has
// none or version.dll cannot be loaded.
bool ReadFileVersion(const char* path, int* major, int* minor);
#endif
