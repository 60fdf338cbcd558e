#include "log/ReplayLog.h"

#include <shlobj.h>

#include <cstring>

#include "foundation/FileCalls.h"
#include "foundation/LinkEntry.h"
#include "foundation/PathText.h"
#include "foundation/RegProfile.h"
#include "foundation/ShellFolder.h"
#include "foundation/Trace.h"
#include "log/KeptFiles.h"

namespace {

const char kTraceUnknownVerb[] = "不明な動詞 %s\n";
const char kTraceThroughLink[] = "リンクを経由するため削除しません %s\n";
const int kKeyPathLimit = 255; // what CRegProfile keeps of a base path: a longer one would name another key

HKEY RootKey(LOG_REGISTRY_ROOT root)
{
    switch (root) {
    case kLogLocalMachine: return HKEY_LOCAL_MACHINE;
    case kLogAllUsers: return HKEY_USERS;
    case kLogCurrentUser: break;
    }
    return HKEY_CURRENT_USER;
}

void DeleteLoggedKey(const LOG_ACTION& action)
{
    if (action.keyPath.GetLength() > kKeyPathLimit)
        return;
    CRegProfile profile;
    profile.SetRoot(RootKey(action.root), action.keyPath.GetString());
    if (profile.Open(nullptr)) {
        profile.DeleteTree(action.subkey.GetString());
        profile.Close();
    }
}

// The part of path (at or below folder, IsPathAtOrBelow) below folder; empty for folder itself.
const char* PartBelow(const char* path, const char* folder)
{
    size_t folderLength = strlen(folder);
    if (EndsWithBackslash(folder))
        folderLength--;
    return path + folderLength;
}

// Undoes one line; what fails, every line that is no install action, and a file that the player keeps (kept, null
// for none) are passed over.
void UndoLogLine(const CZVString& line, const INSTALL_SCOPE& scope, const CKeptFiles* kept)
{
    const char* installFolder = scope.installFolder.GetString();
    LOG_ACTION action = ReadLogLine(line);
    if (action.kind == kLogSkip) {
        if (action.unknownVerb)
            Trace(kTraceUnknownVerb, action.verb.GetString());
        return;
    }
    // A line that no install writes, in a log that an ordinary user may have edited: the administrator's rights
    // of the uninstaller must not reach anything else.
    if (!IsInstallAction(action, scope)) {
        Trace(kTraceUnknownVerb, action.verb.GetString());
        return;
    }
    // Below the install folder, which ordinary users can write, a link may have taken the place of a folder the
    // install made: nothing is removed in it or through it, nor the link itself.
    const char* path = action.path.GetString();
    switch (action.kind) {
    case kLogRemoveFolder:
        if (PassesThroughLink(installFolder, PartBelow(path, installFolder))) {
            Trace(kTraceThroughLink, path);
            break;
        }
        // Out of the folder first: the process's current folder cannot be removed.
        ZVSetCurrentDirectory(".\\..");
        ZVRemoveDirectory(path);
        ZVSetCurrentDirectory(installFolder);
        break;
    case kLogDeleteFile: {
        // Joined to the install folder rather than taken from the current one, which a removed folder may have
        // left elsewhere.
        char file[kPathBytes];
        if (PassesThroughLink(installFolder, path)) {
            Trace(kTraceThroughLink, path);
        } else if (*JoinPath(file, installFolder, path) != '\0' && (kept == nullptr || !kept->Holds(file))) {
            ZVDeleteFile(file);
        }
        break;
    }
    case kLogDeleteShortcut:
        if (kept == nullptr || !kept->Holds(path))
            ZVDeleteFile(path);
        break;
    case kLogDeleteKey: DeleteLoggedKey(action); break;
    case kLogSkip: break;
    }
}

bool PathExists(const char* path)
{
    return ZVGetFileAttributes(path) != INVALID_FILE_ATTRIBUTES;
}

// True when what the action names is still there after the replay.
bool StillThere(const LOG_ACTION& action, const char* installFolder)
{
    switch (action.kind) {
    case kLogRemoveFolder:
    case kLogDeleteShortcut: return PathExists(action.path.GetString());
    case kLogDeleteFile: {
        char path[kPathBytes];
        return *JoinPath(path, installFolder, action.path.GetString()) != '\0' && PathExists(path);
    }
    case kLogDeleteKey: {
        if (action.keyPath.GetLength() > kKeyPathLimit)
            return false; // never replayed, so never made by an install either
        CRegProfile profile;
        profile.SetRoot(RootKey(action.root), action.keyPath.GetString());
        bool found = profile.Open(action.subkey.GetString());
        if (found)
            profile.Close();
        return found;
    }
    case kLogSkip: break;
    }
    return false;
}

void AddShellFolder(int folderId, std::vector<CZVString>* folders)
{
    char path[kPathBytes];
    if (GetShellFolderPath(folderId, path))
        folders->push_back(CZVString(path));
}

} // namespace

INSTALL_SCOPE MakeInstallScope(
    const char* installFolder, const char* registryRoot, const char* registryKey, const char* title)
{
    INSTALL_SCOPE scope
        = {CZVString(installFolder), CZVString(registryRoot), CZVString(registryKey), CZVString(title), {}, {}};
    for (int programs : {CSIDL_PROGRAMS, CSIDL_COMMON_PROGRAMS})
        AddShellFolder(programs, &scope.programFolders);
    for (int desktop : {CSIDL_DESKTOPDIRECTORY, CSIDL_DESKTOP, CSIDL_COMMON_DESKTOPDIRECTORY})
        AddShellFolder(desktop, &scope.desktopFolders);
    return scope;
}

bool LeftNothingOf(const CZVString& log, const INSTALL_SCOPE& scope, const CKeptFiles* kept)
{
    const char* installFolder = scope.installFolder.GetString();
    for (const CZVString& line : SplitLogLines(log)) {
        LOG_ACTION action = ReadLogLine(line);
        if (action.kind == kLogSkip || !IsInstallAction(action, scope) || !StillThere(action, installFolder))
            continue;
        // What the player keeps stays by design, and so do the folders that hold it.
        char path[kPathBytes];
        if (kept != nullptr
            && (action.kind == kLogRemoveFolder
                || (action.kind == kLogDeleteFile && *JoinPath(path, installFolder, action.path.GetString()) != '\0'
                    && kept->Holds(path))))
            continue;
        return false;
    }
    return true;
}

bool ReplayLog(const CZVString& log, const INSTALL_SCOPE& scope, const char* startMenuDir, bool forAllUsers,
    const CKeptFiles* kept)
{
    char previousDir[kPathBytes];
    DWORD length = ZVGetCurrentDirectory(sizeof(previousDir), previousDir);
    if (length == 0 || length >= sizeof(previousDir))
        previousDir[0] = '\0';
    ZVSetCurrentDirectory(scope.installFolder.GetString());

    std::vector<CZVString> lines = SplitLogLines(log);
    for (size_t i = lines.size(); i-- > 0;)
        UndoLogLine(lines[i], scope, kept);

    // The group folder of the links, which goes only when empty. Without a group the links lie in the programs
    // folder itself, which is never removed.
    char programs[kPathBytes], group[kPathBytes];
    if (!lines.empty() && startMenuDir[0] != '\0'
        && GetShellFolderPath(forAllUsers ? CSIDL_COMMON_PROGRAMS : CSIDL_PROGRAMS, programs)
        && *JoinPath(group, programs, startMenuDir) != '\0')
        ZVRemoveDirectory(group);

    if (previousDir[0] != '\0')
        ZVSetCurrentDirectory(previousDir);
    return !lines.empty();
}
