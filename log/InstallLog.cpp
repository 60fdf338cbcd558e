#include "log/InstallLog.h"

#include <cstddef>

#include "foundation/PathCompare.h"
#include "log/LogNames.h"

const char kLogFileCopyBegins[] = "#FileCopy\n";
const char kLogFileCopyFinished[] = "#Copy Finished\n";
const char kLogShortcutsBegin[] = "#Make Shortcut\n";
const char kLogRegistryBegins[] = "#Registry Set\n";
const char kLogUninstallEntryBegins[] = "#set Uninstall Info\n";
const char kLogSelfCopy[] = "copy " ZV_INSTALL_LOG_FILE "\n";

namespace {

struct LOG_VERB {
    const char* name;
    LOG_ACTION_KIND kind;
    LOG_REGISTRY_ROOT root; // the registry verbs'
};

const LOG_VERB kVerbs[] = {
    {"mkdir", kLogRemoveFolder, kLogCurrentUser},
    {"copy", kLogDeleteFile, kLogCurrentUser},
    {"mkshortcut", kLogDeleteShortcut, kLogCurrentUser},
    {"regcreateu", kLogDeleteKey, kLogCurrentUser},
    {"regcreatel", kLogDeleteKey, kLogLocalMachine},
    {"regcreateau", kLogDeleteKey, kLogAllUsers},
};

const char* const kRegistryVerbs[] = {"regcreateu", "regcreatel", "regcreateau"}; // by LOG_REGISTRY_ROOT

const char kUserSoftwareKey[] = "Software\\";
const char kDefaultUserSoftwareKey[] = ".DEFAULT\\Software\\";
const int kDriveRootBytes = 3; // a drive letter, a colon, a backslash

// A line of the log: verb, one space, argument, line feed. Joined rather than formatted, so that no length limit
// can cut off the line feed and run two lines into one.
CZVString VerbLine(const char* verb, const CZVString& argument)
{
    return CZVString(verb) + " " + argument + "\n";
}

// True when path and folder name the same folder.
bool IsSameFolder(const char* path, const char* folder)
{
    return IsPathAtOrBelow(path, folder) && IsPathAtOrBelow(folder, path);
}

// A link the install makes: a ".lnk" file on a drive, below a programs folder (in the group of the script's
// startmenudir) or right in a desktop folder. A network path would make the uninstaller sign in to another machine
// with its rights, a device path reaches past the file system's rules; a colon after the drive names a stream.
bool IsOwnLinkPath(const char* path, const INSTALL_SCOPE& scope)
{
    if (PathRootLength(path) != kDriveRootBytes || ContainsChar(path + kDriveRootBytes, ':') || HasParentComponent(path)
        || !EndsWithNoCase(path, ".lnk"))
        return false;
    for (const CZVString& programs : scope.programFolders) {
        if (IsPathAtOrBelow(path, programs.GetString()) && !IsSameFolder(path, programs.GetString()))
            return true;
    }
    CZVString folder = CZVString(path).Left(FolderPartLength(path));
    for (const CZVString& desktop : scope.desktopFolders) {
        if (!folder.IsEmpty() && IsSameFolder(folder.GetString(), desktop.GetString()))
            return true;
    }
    return false;
}

// The title's own key, "regcreateu" or "regcreateau": software followed by the script's registryroot, and its
// registrykey; anything else would be another program's key, or the whole of Software.
bool IsTitleKey(const LOG_ACTION& action, const char* software, const INSTALL_SCOPE& scope)
{
    return !scope.registryRoot.IsEmpty() && !scope.registryKey.IsEmpty()
        && action.keyPath.EqualsNoCase(CZVString(software) + scope.registryRoot)
        && action.subkey.EqualsNoCase(scope.registryKey);
}

} // namespace

CZVString FormatLogHeader(const char* title, const LOG_TIME& time)
{
    return CZVString("## ") + title + "インストールログ"
        + CZVString::Format(
            " %4d-%2d-%2d %2d:%2d:%2d\n", time.year, time.month, time.day, time.hour, time.minute, time.second);
}

CZVString FormatLogInstallType(int32_t installType)
{
    return CZVString::Format("$InstallType = %d\n", installType);
}

CZVString FormatLogInstallDir(const char* baseFolder)
{
    return CZVString("$InstallDir = ") + baseFolder + "\n";
}

CZVString FormatLogMakeDir(const char* folder)
{
    return VerbLine("mkdir", folder);
}

CZVString FormatLogCopy(const char* relativePath)
{
    return VerbLine("copy", relativePath);
}

CZVString FormatLogShortcut(const char* linkPath)
{
    return VerbLine("mkshortcut", linkPath);
}

CZVString FormatLogRegistryKey(LOG_REGISTRY_ROOT root, const char* keyPath, const char* subkey)
{
    return VerbLine(kRegistryVerbs[root], CZVString(keyPath) + "," + subkey);
}

CZVString FormatLogValue(const char* valueName)
{
    return CZVString("!regset ") + valueName + "\n";
}

std::vector<CZVString> SplitLogLines(const CZVString& log)
{
    std::vector<CZVString> lines;
    if (log.IsEmpty())
        return lines;
    std::vector<LINE_SPAN> spans(static_cast<size_t>(log.GetLineCount()));
    int filled = log.GetLineTable(static_cast<int>(spans.size()), spans.data());
    for (int i = 0; i < filled; i++)
        lines.push_back(log.Mid(spans[i].offset, spans[i].length));
    return lines;
}

LOG_ACTION ReadLogLine(const CZVString& line)
{
    LOG_ACTION action = {kLogSkip, false, CZVString(), CZVString(), kLogCurrentUser, CZVString(), CZVString()};
    if (line.IsEmpty() || line.GetAt(0) == '#' || line.GetAt(0) == '!' || line.GetAt(0) == '$')
        return action;
    CZVString reader(line); // a cursor of its own
    CZVString verb = reader.GetFirstToken(" \t\n");
    if (verb.IsEmpty())
        return action;
    action.verb = verb;
    const LOG_VERB* known = nullptr;
    for (const LOG_VERB& candidate : kVerbs) {
        if (verb.EqualsNoCase(candidate.name))
            known = &candidate;
    }
    if (known == nullptr) {
        action.unknownVerb = true;
        return action;
    }
    CZVString argument = reader.GetNextToken("\n");
    if (argument.IsEmpty())
        return action;
    if (known->kind != kLogDeleteKey) {
        action.kind = known->kind;
        action.path = argument;
        return action;
    }

    // The subkey is the rest after the comma run, commas included: a title such as "Foo, Inc." names its own
    // key, not the key "Foo" of another program.
    int comma = argument.Find(',');
    if (comma <= 0)
        return action;
    int subkeyStart = comma;
    while (argument.GetAt(subkeyStart) == ',')
        subkeyStart++;
    if (argument.GetAt(subkeyStart) == '\0')
        return action;
    action.kind = kLogDeleteKey;
    action.root = known->root;
    action.keyPath = argument.Left(comma);
    action.subkey = argument.Mid(subkeyStart);
    return action;
}

bool IsInstallAction(const LOG_ACTION& action, const INSTALL_SCOPE& scope)
{
    const char* path = action.path.GetString();
    const char* installFolder = scope.installFolder.GetString();
    switch (action.kind) {
    case kLogSkip: return false;
    case kLogDeleteFile: return IsAbsolutePath(installFolder) && IsRelativePathInside(path);
    case kLogDeleteShortcut: return IsOwnLinkPath(path, scope);
    case kLogRemoveFolder:
        return IsAbsolutePath(installFolder) && !HasParentComponent(path) && IsPathAtOrBelow(path, installFolder);
    case kLogDeleteKey:
        switch (action.root) {
        case kLogCurrentUser: return IsTitleKey(action, kUserSoftwareKey, scope);
        case kLogAllUsers: return IsTitleKey(action, kDefaultUserSoftwareKey, scope);
        case kLogLocalMachine:
            return !scope.title.IsEmpty() && action.keyPath.EqualsNoCase(ZV_UNINSTALL_KEY)
                && action.subkey.EqualsNoCase(scope.title) && !ContainsChar(action.subkey.GetString(), '\\');
        }
        return false;
    }
    return false;
}
