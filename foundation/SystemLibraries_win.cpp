#include "foundation/SystemLibraries.h"

#include <cstring>
#include <vector>

#include "foundation/FileCalls.h"
#include "foundation/PathText.h"
#include "foundation/UnicodeText_win.h"

#ifndef LOAD_LIBRARY_SEARCH_DLL_LOAD_DIR
#define LOAD_LIBRARY_SEARCH_DLL_LOAD_DIR 0x00000100
#endif
#ifndef LOAD_LIBRARY_SEARCH_SYSTEM32
#define LOAD_LIBRARY_SEARCH_SYSTEM32 0x00000800
#endif

// Loaded by system DLLs by name, after the start, on the systems without SetDefaultDllDirectories; none of them is
// a known DLL there. Loaded first by full path, a later load by name finds the module already in the process.
const char* const kLateLoadedDlls[] = {
    "uxtheme.dll", // the version 6 controls draw themed through it (XP on)
    "dwmapi.dll", // uxtheme and comctl32 ask it about desktop composition (Vista on)
    "version.dll", // shell32 and comctl32 read version resources through it; the program too (ReadFileVersion)
    "winmm.dll", // the script's sounds and the copy's clock; loaded by name by the shell's sound events
    "cryptbase.dll", // advapi32's encryption and random numbers (Vista, 7)
    "sspicli.dll", // advapi32's and secur32's logon and security calls (7)
    "userenv.dll", // the profile folders behind shell32's special folders (2000 on)
    "profapi.dll", // what userenv itself loads for those folders (7)
    "shfolder.dll", // the special folders of the older shells (95 family, 2000)
    "setupapi.dll", // shell32 asks it about drives and devices: the CD-ROM drives, the folder browser
    "apphelp.dll", // the compatibility layer, loaded when a program is started (XP on)
    "linkinfo.dll", // shell32 reads and writes the volume part of shell links through it
    "ntshrui.dll", // shell32's shared-folder overlay in the folder browser (2000, XP)
    "propsys.dll", // shell32's property store of shell links and the taskbar list (Vista on)
    "oleacc.dll", // user32 and comctl32 load it for accessibility clients (98 and 2000 on)
    nullptr,
};

namespace {

typedef BOOL(WINAPI* SET_DEFAULT_DLL_DIRECTORIES)(DWORD flags);
typedef BOOL(WINAPI* SET_DLL_DIRECTORY)(LPCSTR path);
typedef DWORD(WINAPI* TIME_GET_TIME)();
template <typename CHAR> struct TEXT_FUNCTIONS {
    typedef BOOL(WINAPI* SND_PLAY_SOUND)(const CHAR* sound, UINT flags);
    typedef DWORD(WINAPI* GET_FILE_VERSION_INFO_SIZE)(const CHAR* path, LPDWORD handle);
    typedef BOOL(WINAPI* GET_FILE_VERSION_INFO)(const CHAR* path, DWORD handle, DWORD size, void* data);
    typedef BOOL(WINAPI* VER_QUERY_VALUE)(const void* block, const CHAR* subBlock, void** buffer, PUINT length);
};

const UINT kSndAsync = 0x0001; // SND_ASYNC, without mmsystem.h

template <typename FUNCTION> FUNCTION FindFunction(HMODULE module, const char* name)
{
    if (module == nullptr)
        return nullptr;
    return reinterpret_cast<FUNCTION>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

template <typename FUNCTION> FUNCTION FindKernelFunction(const char* name)
{
    return FindFunction<FUNCTION>(GetModuleHandleA("kernel32.dll"), name);
}

// The module of a system DLL that the program does not import: the one loaded already, else loaded now by its full
// path in the system folder, and kept. comctl32 always by its name: the manifest's version 6 comes from the
// side-by-side store only so (the search for it is kept to the system folder by then).
HMODULE SystemModule(const char* dll)
{
    if (lstrcmpiA(dll, "comctl32.dll") == 0)
        return LoadLibraryA(dll);
    HMODULE module = GetModuleHandleA(dll);
    return module != nullptr ? module : LoadSystemLibrary(dll);
}

} // namespace

FARPROC SystemEntry(const char* dll, const char* name)
{
    HMODULE module = SystemModule(dll);
    return module != nullptr ? GetProcAddress(module, name) : nullptr;
}

void PrepareProcess()
{
    SetErrorMode(kQuietErrorMode);
    HardenDllSearch();
}

bool HardenDllSearch()
{
    SET_DEFAULT_DLL_DIRECTORIES setDefaultDllDirectories
        = FindKernelFunction<SET_DEFAULT_DLL_DIRECTORIES>("SetDefaultDllDirectories");
    SET_DLL_DIRECTORY setDllDirectory = FindKernelFunction<SET_DLL_DIRECTORY>("SetDllDirectoryA");
    bool hardened = false;
    if (setDllDirectory != nullptr && setDllDirectory(""))
        hardened = true;
    if (setDefaultDllDirectories != nullptr && setDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32))
        return true;
    return PreloadLateLoadedDlls() > 0 || hardened;
}

int PreloadLateLoadedDlls()
{
    int loaded = 0;
    for (int i = 0; kLateLoadedDlls[i] != nullptr; i++) {
        if (LoadSystemLibrary(kLateLoadedDlls[i]) != nullptr)
            loaded++;
    }
    return loaded;
}

bool HasDllSearchFlags()
{
    static const bool hasFlags = FindKernelFunction<SET_DEFAULT_DLL_DIRECTORIES>("SetDefaultDllDirectories") != nullptr;
    return hasFlags;
}

HMODULE LoadSystemLibrary(const char* fileName)
{
    char system[kPathBytes], path[kPathBytes];
    UINT length = ZVGetSystemDirectory(system, sizeof(system));
    if (length == 0 || length >= sizeof(system) || *JoinPath(path, system, fileName) == '\0')
        return nullptr;
    if (ZVGetFileAttributes(path) == INVALID_FILE_ATTRIBUTES)
        return nullptr; // not on this system: no search for it anywhere else
    return LoadLibraryFromItsFolder(path);
}

HMODULE LoadLibraryFromItsFolder(const char* fullPath)
{
    DWORD flags = HasDllSearchFlags() ? LOAD_LIBRARY_SEARCH_DLL_LOAD_DIR | LOAD_LIBRARY_SEARCH_SYSTEM32
                                      : LOAD_WITH_ALTERED_SEARCH_PATH;
    return ZVLoadLibraryEx(fullPath, nullptr, flags);
}

DWORD SystemMilliseconds()
{
    static const TIME_GET_TIME timeGetTime = FindFunction<TIME_GET_TIME>(SystemModule("winmm.dll"), "timeGetTime");
    return timeGetTime != nullptr ? timeGetTime() : GetTickCount();
}

bool PlaySoundAsync(const char* fileName)
{
    if (UsesUnicodeCalls()) {
        static const auto sndPlaySoundW
            = FindFunction<TEXT_FUNCTIONS<wchar_t>::SND_PLAY_SOUND>(SystemModule("winmm.dll"), "sndPlaySoundW");
        CUnicodeText name(fileName);
        return name.IsValid() && sndPlaySoundW != nullptr && sndPlaySoundW(name.Get(), kSndAsync) != FALSE;
    }
    static const auto sndPlaySound = FindFunction<TEXT_FUNCTIONS<char>::SND_PLAY_SOUND>(
        SystemModule("winmm.dll"), "sndPlaySoundA");
    return sndPlaySound != nullptr && sndPlaySound(fileName, kSndAsync) != FALSE;
}

namespace {

// The version of path through version.dll's functions of one text type, named by names (size, info, query).
template <typename CHAR>
bool ReadVersionThrough(const CHAR* path, const CHAR* root, const char* const names[3], int* major, int* minor)
{
    typedef TEXT_FUNCTIONS<CHAR> FUNCTIONS;
    HMODULE version = SystemModule("version.dll");
    auto getSize = FindFunction<typename FUNCTIONS::GET_FILE_VERSION_INFO_SIZE>(version, names[0]);
    auto getInfo = FindFunction<typename FUNCTIONS::GET_FILE_VERSION_INFO>(version, names[1]);
    auto queryValue = FindFunction<typename FUNCTIONS::VER_QUERY_VALUE>(version, names[2]);
    if (getSize == nullptr || getInfo == nullptr || queryValue == nullptr)
        return false;
    DWORD ignored = 0;
    DWORD size = getSize(path, &ignored);
    if (size == 0)
        return false;
    std::vector<char> block(size);
    VS_FIXEDFILEINFO* info = nullptr;
    UINT infoBytes = 0;
    if (!getInfo(path, 0, size, block.data())
        || !queryValue(block.data(), root, reinterpret_cast<void**>(&info), &infoBytes) || info == nullptr
        || infoBytes < sizeof(VS_FIXEDFILEINFO))
        return false;
    *major = HIWORD(info->dwFileVersionMS);
    *minor = LOWORD(info->dwFileVersionMS);
    return true;
}

} // namespace

bool ReadFileVersion(const char* path, int* major, int* minor)
{
    if (!UsesUnicodeCalls()) {
        static const char* const ansiNames[] = {"GetFileVersionInfoSizeA", "GetFileVersionInfoA", "VerQueryValueA"};
        return ReadVersionThrough<char>(path, "\\", ansiNames, major, minor);
    }
    static const char* const wideNames[] = {"GetFileVersionInfoSizeW", "GetFileVersionInfoW", "VerQueryValueW"};
    CUnicodeText widePath(path);
    return widePath.IsValid() && ReadVersionThrough<wchar_t>(widePath.Get(), L"\\", wideNames, major, minor);
}
