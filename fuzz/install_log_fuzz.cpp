// The install log as the replay reads it, on any text (up to the first zero byte, as the file is loaded): the line
// table, each line's action, and the safety rules for a few install folders. Besides the sanitizers, a fault is a
// line span outside the text, an action that does not read back the same once written as the install writes it,
// or an accepted action that could reach outside what an install of this program makes: checked here with walks
// of their own, not with the rules' helpers.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "foundation/ShiftJis.h"
#include "log/InstallLog.h"
#include "uninstall/UninstallPlan.h"

namespace {

const char* const kInstallFolders[] = {"C:\\Games\\Title\\", "C:\\", "\\\\server\\share\\\x83\x5C\\", "d:\\\x95\x5C\\"};
// The title of the seeds: 献立表 (its last byte 5C), its key Software\Zenvora\献立表, its links in the shell
// folders below.
const char kTitle[] = "\x8C\xA3\x97\xA7\x95\x5C";
const char kProgramsFolder[] = "C:\\Users\\u\\Start Menu\\Programs";
const char kDesktopFolder[] = "C:\\Users\\u\\Desktop";

INSTALL_SCOPE Scope(const char* installFolder)
{
    return {CZVString(installFolder), CZVString("Zenvora"), CZVString(kTitle), CZVString(kTitle),
        {CZVString(kProgramsFolder)}, {CZVString(kDesktopFolder)}};
}

void Require(bool holds, const char* what)
{
    if (!holds) {
        fprintf(stderr, "install_log: %s\n", what);
        abort();
    }
}

char Lower(char byte)
{
    return byte >= 'A' && byte <= 'Z' ? static_cast<char>(byte - 'A' + 'a') : byte;
}

std::string LowerAscii(const std::string& text)
{
    std::string lower;
    for (size_t i = 0; i < text.size(); i++) {
        bool lead = IsShiftJisLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size();
        lower += lead ? text[i] : Lower(text[i]);
        if (lead)
            lower += text[++i];
    }
    return lower;
}

// The components of a path split at its real separators; separators holds each one's offset.
std::vector<std::string> Components(const std::string& path, std::vector<size_t>* separators)
{
    std::vector<std::string> parts(1);
    for (size_t i = 0; i < path.size(); i++) {
        if (IsShiftJisLeadByte(static_cast<unsigned char>(path[i])) && i + 1 < path.size()) {
            parts.back() += path.substr(i++, 2);
        } else if (path[i] == '\\' || path[i] == '/') {
            separators->push_back(i);
            parts.emplace_back();
        } else {
            parts.back() += path[i];
        }
    }
    return parts;
}

// True when ch stands as a character of its own in text from offset start on (the system reads a lead byte and any
// byte after it as one character).
bool HasChar(const std::string& text, char ch, size_t start = 0)
{
    for (size_t i = 0; i < text.size(); i++) {
        if (IsShiftJisLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size())
            i++;
        else if (text[i] == ch && i >= start)
            return true;
    }
    return false;
}

bool ClimbsUp(const std::string& path)
{
    std::vector<size_t> separators;
    for (const std::string& part : Components(path, &separators)) {
        if (part.find_first_not_of(". ") == std::string::npos && std::count(part.begin(), part.end(), '.') >= 2)
            return true;
    }
    return false;
}

bool IsInsideFolder(const std::string& path, std::string folder)
{
    folder.pop_back(); // its trailing backslash
    std::vector<size_t> separators;
    Components(path, &separators);
    std::string lowerPath = LowerAscii(path), lowerFolder = LowerAscii(folder);
    if (lowerPath.compare(0, lowerFolder.size(), lowerFolder) != 0)
        return false;
    if (path.size() == folder.size())
        return true;
    for (size_t separator : separators) {
        if (separator == folder.size())
            return true;
    }
    return false;
}

// True when the bytes of path up to where comes the folder, without regard to ASCII case, and a separator follows.
bool IsBelow(const std::string& path, const std::string& folder)
{
    std::vector<size_t> separators;
    Components(path, &separators);
    return LowerAscii(path.substr(0, folder.size())) == LowerAscii(folder)
        && std::find(separators.begin(), separators.end(), folder.size()) != separators.end();
}

void CheckAccepted(const LOG_ACTION& action, const char* installFolder)
{
    std::string path = action.path.GetString();
    std::string keyPath = action.keyPath.GetString(), subkey = action.subkey.GetString();
    switch (action.kind) {
    case kLogSkip: Require(false, "a skipped line is accepted"); break;
    case kLogDeleteFile:
        Require(!HasChar(path, ':'), "a copied file with a colon");
        Require(path[0] != '\\' && path[0] != '/', "a copied file from the root");
        Require(!ClimbsUp(path), "a copied file above the install folder");
        break;
    case kLogDeleteShortcut:
        Require(path.size() > 4 && LowerAscii(path.substr(path.size() - 4)) == ".lnk", "a link that is no .lnk");
        Require(!HasChar(path, ':', 2), "a link with a stream");
        Require(path[1] == ':' && (path[2] == '\\' || path[2] == '/'), "a link not on a drive");
        Require(!ClimbsUp(path), "a link that climbs");
        if (IsBelow(path, kProgramsFolder))
            break;
        Require(IsBelow(path, kDesktopFolder), "a link outside the shell folders");
        Require(!HasChar(path.substr(strlen(kDesktopFolder) + 1), '\\')
                && !HasChar(path.substr(strlen(kDesktopFolder) + 1), '/'),
            "a link in a folder of the desktop");
        break;
    case kLogRemoveFolder:
        Require(!ClimbsUp(path), "a folder that climbs");
        Require(IsInsideFolder(path, installFolder), "a folder outside the install folder");
        break;
    case kLogDeleteKey:
        if (action.root == kLogCurrentUser)
            Require(LowerAscii(keyPath) == "software\\zenvora" && subkey == kTitle, "another user key");
        if (action.root == kLogAllUsers)
            Require(LowerAscii(keyPath) == ".default\\software\\zenvora" && subkey == kTitle, "another default key");
        if (action.root == kLogLocalMachine) {
            Require(LowerAscii(keyPath) == "software\\microsoft\\windows\\currentversion\\uninstall", "another key");
            Require(subkey == kTitle, "another title's entry");
        }
        break;
    }
}

// The line the install writes for action, without its line feed.
CZVString Written(const LOG_ACTION& action)
{
    CZVString line;
    switch (action.kind) {
    case kLogRemoveFolder: line = FormatLogMakeDir(action.path.GetString()); break;
    case kLogDeleteFile: line = FormatLogCopy(action.path.GetString()); break;
    case kLogDeleteShortcut: line = FormatLogShortcut(action.path.GetString()); break;
    case kLogDeleteKey:
        line = FormatLogRegistryKey(action.root, action.keyPath.GetString(), action.subkey.GetString());
        break;
    case kLogSkip: return line;
    }
    return line.Left(line.GetLength() - 1);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string input(reinterpret_cast<const char*>(data), size);
    CZVString log(input.c_str());
    int length = log.GetLength();

    std::vector<LINE_SPAN> spans(static_cast<size_t>(log.GetLineCount()));
    int filled = log.GetLineTable(static_cast<int>(spans.size()), spans.data());
    Require(filled <= static_cast<int>(spans.size()), "more spans than lines");
    int previousEnd = 0;
    for (int i = 0; i < filled; i++) {
        Require(spans[i].offset >= previousEnd && spans[i].length >= 0, "spans out of order");
        Require(spans[i].offset + spans[i].length <= length, "a span past the text");
        previousEnd = spans[i].offset + spans[i].length;
    }

    std::vector<CZVString> lines = SplitLogLines(log);
    Require(static_cast<int>(lines.size()) == filled, "lines and spans disagree");
    for (const CZVString& line : lines) {
        LOG_ACTION action = ReadLogLine(line);
        Require(action.kind == kLogSkip || !action.unknownVerb, "an action of an unknown verb");
        if (action.kind != kLogSkip) {
            LOG_ACTION again = ReadLogLine(Written(action));
            Require(again.kind == action.kind && again.root == action.root && again.path == action.path
                    && again.keyPath == action.keyPath && again.subkey == action.subkey,
                "a written line reads back otherwise");
        }
        for (const char* installFolder : kInstallFolders) {
            if (IsInstallAction(action, Scope(installFolder)))
                CheckAccepted(action, installFolder);
        }
        if (IsErasePatternInside(line.GetString())) {
            LOG_ACTION pattern = action;
            pattern.kind = kLogDeleteFile;
            pattern.path = line;
            CheckAccepted(pattern, "");
        }
    }
    return 0;
}
