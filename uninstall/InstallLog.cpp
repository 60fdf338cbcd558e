#include "uninstall/InstallLog.h"

#include <cstddef>

#include "engine/EngineTexts.h"
#include "foundation/PathCompare.h"

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

// A line of the log: verb, one space, argument, line feed. Joined rather than formatted, so that no length limit
// can cut off the line feed and run two lines into one.
CZVString VerbLine(const char* verb, const CZVString& argument)
{
    return CZVString(verb) + " " + argument + "\n";
}

// The link's path after its drive or server: a colon there would name a stream of another file.
bool HasStreamColon(const char* path)
{
    return ContainsChar(path + 2, ':');
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

bool IsInstallAction(const LOG_ACTION& action, const char* installFolder)
{
    const char* path = action.path.GetString();
    const char* keyPath = action.keyPath.GetString();
    switch (action.kind) {
    case kLogSkip: return false;
    case kLogDeleteFile: return installFolder != nullptr && IsAbsolutePath(installFolder) && IsRelativePathInside(path);
    case kLogDeleteShortcut: return IsAbsolutePath(path) && !HasStreamColon(path) && EndsWithNoCase(path, ".lnk");
    case kLogRemoveFolder:
        return installFolder != nullptr && IsAbsolutePath(installFolder) && !HasParentComponent(path)
            && IsPathAtOrBelow(path, installFolder);
    case kLogDeleteKey:
        if (action.subkey.IsEmpty())
            return false;
        switch (action.root) {
        case kLogCurrentUser: return StartsWithNoCase(keyPath, kUserSoftwareKey);
        case kLogAllUsers: return StartsWithNoCase(keyPath, kDefaultUserSoftwareKey);
        case kLogLocalMachine:
            return action.keyPath.EqualsNoCase(ZV_UNINSTALL_KEY) && !ContainsChar(action.subkey.GetString(), '\\');
        }
        return false;
    }
    return false;
}
