// The fixed clean-up when "uninst.dat" is missing: the install folder, the links, the title's key and the uninstall
// entry, each where an install of the title puts them. Without the log nothing tells which files the install
// made, so a folder goes whole only when it is plainly the title's own and the player keeps nothing in it.
#include <shlobj.h>

#include <cstring>

#include "foundation/FileCalls.h"
#include "foundation/LinkEntry.h"
#include "foundation/PathCompare.h"
#include "foundation/RegProfile.h"
#include "foundation/RemoveTree.h"
#include "foundation/SafeFileName.h"
#include "foundation/ScopedHandles.h"
#include "foundation/ShellCalls_win.h"
#include "log/KeptFiles.h"
#include "log/LogNames.h"
#include "uninstall/MatchingFiles.h"
#include "uninstall/ShellFolders.h"
#include "uninstall/Uninstall.h"
#include "uninstall/UninstallPlan.h"

namespace {

const char kUserSoftware[] = "Software";
const char kDefaultUserSoftware[] = ".DEFAULT\\Software";

// Cuts path (a folder, with or without its trailing backslash) to its parent, with the parent's backslash; false
// when it has none.
bool CutToParent(char* path)
{
    RemoveTrailingBackslash(path);
    int parentLength = FolderPartLength(path);
    path[parentLength] = '\0';
    return parentLength > 0;
}

// The install type the title's key records; -1 when it cannot be read.
int32_t RecordedInstallType(const INSTALL_DESCRIPTION& description, const INSTALL_STATE& state)
{
    char basePath[kPathBytes];
    wsprintfA(basePath, "%s\\%s", state.isInstalledForAllUsers ? kDefaultUserSoftware : kUserSoftware,
        description.settings.registryroot);
    CRegProfile profile;
    profile.SetRoot(state.isInstalledForAllUsers ? HKEY_USERS : HKEY_CURRENT_USER, basePath);
    DWORD type = 0;
    bool known = profile.OpenReadOnly(description.settings.registrykey)
        && profile.GetInt(description.settings.registryinstalltypevalue, &type);
    profile.Close();
    return known && type < static_cast<DWORD>(kMaxInstallTypes) ? static_cast<int32_t>(type) : -1;
}

// The files the script installs for the recorded type, each where the copy puts it; every type's files when the
// record names no type that has files (a forced type, or none). What kept holds stays.
void DeleteScriptFiles(const INSTALL_DESCRIPTION& description, const INSTALL_STATE& state, const CKeptFiles* kept)
{
    int32_t type = RecordedInstallType(description, state);
    for (int32_t t = 0; t < kMaxInstallTypes; t++) {
        if (type >= 0 && !description.typeFiles[type].empty() && t != type)
            continue;
        for (const FILE_ENTRY& entry : description.typeFiles[t]) {
            char relativePattern[kPathBytes];
            const char* fileName = entry.fileName.GetString();
            if (MakeRelativePath(fileName, FileNamePart(fileName), relativePattern))
                DeleteMatchingFiles(state.installedDir, relativePattern, kept);
        }
    }
}

// relativeFolder below the install folder (inside it: IsErasePatternInside), then each folder above it up to the
// install folder: only empty ones go, and none that is a link or lies inside one.
void RemoveEmptyFolders(const char* installFolder, const char* relativeFolder)
{
    char relative[kPathBytes], folder[kPathBytes];
    if (!IsErasePatternInside(relativeFolder) || *CopyCutAtChar(relative, sizeof(relative), relativeFolder) == '\0'
        || strcmp(relative, relativeFolder) != 0)
        return;
    do {
        if (!PassesThroughLink(installFolder, relative) && *JoinPath(folder, installFolder, relative) != '\0')
            ZVRemoveDirectory(folder);
    } while (CutToParent(relative));
}

// The script's folders, last first, each with the folders above it inside the install folder.
void RemoveScriptFolders(const INSTALL_DESCRIPTION& description, const char* installFolder)
{
    for (int i = description.makeDirCount - 1; i >= 0; i--)
        RemoveEmptyFolders(installFolder, description.makeDirs[i]);
}

// The folders that the copy made for the script's files (data for data\*.dat), deepest first.
void RemoveFileFolders(const INSTALL_DESCRIPTION& description, const char* installFolder)
{
    for (int32_t t = kMaxInstallTypes - 1; t >= 0; t--) {
        for (size_t i = description.typeFiles[t].size(); i-- > 0;) {
            const char* fileName = description.typeFiles[t][i].fileName.GetString();
            char relativePattern[kPathBytes];
            if (!MakeRelativePath(fileName, FileNamePart(fileName), relativePattern))
                continue;
            relativePattern[FolderPartLength(relativePattern)] = '\0';
            if (relativePattern[0] != '\0')
                RemoveEmptyFolders(installFolder, relativePattern);
        }
    }
}

// True when folder holds nothing but files that kept holds and folders that hold nothing else; a link is
// something else.
bool HoldsOnlyKept(const char* folder, const CKeptFiles& kept)
{
    char pattern[kPathBytes];
    if (*JoinPath(pattern, folder, "*.*") == '\0')
        return false;
    WIN32_FIND_DATAA found;
    CFindHandle listing(FindFirstEntry(pattern, &found));
    if (!listing.IsValid())
        return false;
    do {
        bool isFolder = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        if (isFolder && (strcmp(found.cFileName, ".") == 0 || strcmp(found.cFileName, "..") == 0))
            continue;
        char entry[kPathBytes];
        if (IsFoundLink(found) || *JoinPath(entry, folder, found.cFileName) == '\0'
            || !(isFolder ? HoldsOnlyKept(entry, kept) : kept.Holds(entry)))
            return false;
    } while (FindNextEntry(listing.Get(), &found));
    return true;
}

// The links of the title; the group folder goes too when nothing else is in it.
void DeleteLinks(const INSTALL_SETTINGS& settings, IMalloc* allocator, int programsId, int desktopId)
{
    const CZVString name = SafeFileName(settings.gametitle); // as the install named them
    char folder[kPathBytes], group[kPathBytes];
    if (GetShellFolderPath(allocator, programsId, folder) && *JoinPath(group, folder, settings.startmenudir) != '\0') {
        ZVDeleteFile(CZVString::Format(ZV_SHORTCUT_LINK, group, name.GetString()).GetString());
        ZVDeleteFile(CZVString::Format(ZV_SHORTCUT_UNINSTALL_LINK, group, name.GetString()).GetString());
        if (settings.startmenudir[0] != '\0')
            ZVRemoveDirectory(group);
    }
    if (GetShellFolderPath(allocator, desktopId, folder))
        ZVDeleteFile(CZVString::Format(ZV_SHORTCUT_LINK, folder, name.GetString()).GetString());
}

} // namespace

bool CUninstall::RemoveInstallFolder(const CKeptFiles* kept)
{
    const char* installedDir = state.installedDir;
    if (!IsAbsolutePath(installedDir))
        return false;
    // Out of the folder first: the process's current folder cannot be removed.
    char parent[kPathBytes];
    CopyCutAtChar(parent, sizeof(parent), installedDir);
    if (CutToParent(parent))
        ZVSetCurrentDirectory(parent);

    if (kept == nullptr && IsTitleOwnFolder(installedDir, description.settings.installsubdir, GetSystemFolders()))
        return RemoveTree(installedDir);
    // A folder that other programs may share (an empty installsubdir, a system folder), or one in which the player
    // keeps files: only the title's files go, and the folders they leave empty.
    DeleteScriptFiles(description, state, kept);
    RemoveFileFolders(description, installedDir);
    RemoveScriptFolders(description, installedDir);
    ZVRemoveDirectory(installedDir);
    return ZVGetFileAttributes(installedDir) == INVALID_FILE_ATTRIBUTES
        || (kept != nullptr && HoldsOnlyKept(installedDir, *kept));
}

bool CUninstall::RemoveShortcuts()
{
    IMalloc* allocator = nullptr;
    if (FAILED(ZVSHGetMalloc(&allocator)) || allocator == nullptr)
        return false;
    // Where the install put them: the common folders for an install for all users.
    if (state.isInstalledForAllUsers)
        DeleteLinks(description.settings, allocator, CSIDL_COMMON_PROGRAMS, CSIDL_COMMON_DESKTOPDIRECTORY);
    else
        DeleteLinks(description.settings, allocator, CSIDL_PROGRAMS, CSIDL_DESKTOP);
    allocator->Release();
    return true;
}

bool CUninstall::RemoveRegistryKeys()
{
    const INSTALL_SETTINGS& settings = description.settings;
    // An empty name would make the title's key the whole Software key.
    if (settings.registryroot[0] == '\0' || settings.registrykey[0] == '\0')
        return false;
    HKEY root = state.isInstalledForAllUsers ? HKEY_USERS : HKEY_CURRENT_USER;
    const char* software = state.isInstalledForAllUsers ? kDefaultUserSoftware : kUserSoftware;
    char basePath[kPathBytes];
    wsprintfA(basePath, "%s\\%s", software, settings.registryroot);
    CRegProfile profile;
    profile.SetRoot(root, basePath);
    if (!profile.Open(nullptr))
        return false;
    bool deleted = profile.DeleteTree(settings.registrykey);
    bool rootEmptied = deleted && profile.HoldsNothing();
    profile.Close();
    if (rootEmptied) {
        CRegProfile parent;
        parent.SetRoot(root, software);
        if (parent.Open(nullptr)) {
            parent.DeleteTree(settings.registryroot);
            parent.Close();
        }
    }
    return deleted;
}

bool CUninstall::RemoveUninstallEntry()
{
    CRegProfile profile;
    profile.SetRoot(HKEY_LOCAL_MACHINE, ZV_UNINSTALL_KEY);
    if (!profile.Open(nullptr))
        return false;
    bool deleted = profile.DeleteTree(description.settings.gametitle);
    profile.Close();
    return deleted;
}
