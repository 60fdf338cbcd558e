#include "tools/ifocheck/DiscCheck.h"

#include <cstdio>
#include <filesystem>
#include <set>
#include <system_error>
#include <utility>

#include "tools/HostText.h"
#include "tools/ifocheck/ScriptCheck.h"

namespace fs = std::filesystem;

namespace {

// The installer starts its own copy in the install folder for the uninstall, and that copy reads its script.
const char* const kInstallerFiles[] = {"ZVSetup.exe", "Install.ifo"};

// UTF-8 to code points; a byte that is not valid UTF-8 stands for itself.
std::u32string CodePoints(const std::string& text)
{
    std::u32string points;
    for (size_t i = 0; i < text.size();) {
        unsigned char lead = static_cast<unsigned char>(text[i]);
        int extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
        if (i + extra >= text.size())
            extra = 0;
        for (int k = 1; k <= extra; k++) {
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80)
                extra = 0;
        }
        char32_t point = extra == 0 ? lead : lead & (0x3F >> extra);
        for (int k = 1; k <= extra; k++)
            point = (point << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
        points.push_back(point);
        i += 1 + extra;
    }
    return points;
}

char32_t Fold(char32_t point)
{
    return point >= 'A' && point <= 'Z' ? point + ('a' - 'A') : point;
}

bool Match(const std::u32string& pattern, size_t p, const std::u32string& name, size_t n)
{
    while (p < pattern.size()) {
        if (pattern[p] == '*') {
            for (size_t rest = n; rest <= name.size(); rest++) {
                if (Match(pattern, p + 1, name, rest))
                    return true;
            }
            return false;
        }
        // A final ".*" matches a name that has no extension.
        if (n == name.size() && pattern[p] == '.' && p + 2 == pattern.size() && pattern[p + 1] == '*')
            return true;
        if (n == name.size() || (pattern[p] != '?' && Fold(pattern[p]) != Fold(name[n])))
            return false;
        p++;
        n++;
    }
    return n == name.size();
}

bool EqualsNoCase(const std::string& left, const std::string& right)
{
    std::u32string a = CodePoints(left), b = CodePoints(right);
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); i++) {
        if (Fold(a[i]) != Fold(b[i]))
            return false;
    }
    return true;
}

// A script path (UTF-8, backslashes) split into its parts; a leading ".\" or empty parts are dropped.
std::vector<std::string> SplitPath(const std::string& path)
{
    std::vector<std::string> parts;
    std::string part;
    for (char ch : path + "\\") {
        if (ch == '\\' || ch == '/') {
            if (!part.empty() && part != ".")
                parts.push_back(part);
            part.clear();
        } else {
            part += ch;
        }
    }
    return parts;
}

// The entries of folder whose name satisfies accept, as UTF-8 names with their kind.
template <typename Accept> std::vector<std::pair<std::string, bool>> ListFolder(const fs::path& folder, Accept accept)
{
    std::vector<std::pair<std::string, bool>> found;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        std::string name = it->path().filename().u8string();
        if (accept(name))
            found.emplace_back(name, it->is_directory(error));
    }
    return found;
}

// The items a script path finds below root: folders matched by name without regard to case, the last part as a
// pattern. wantFiles: regular files only (what the copy takes); otherwise anything that exists.
int CountMatches(const std::string& root, const std::string& scriptPath, bool wantFiles)
{
    std::vector<std::string> parts = SplitPath(scriptPath);
    if (parts.empty())
        return 0;
    fs::path folder = fs::u8path(root);
    for (size_t i = 0; i + 1 < parts.size(); i++) {
        auto folders = ListFolder(folder, [&](const std::string& name) { return EqualsNoCase(name, parts[i]); });
        bool entered = false;
        for (const auto& item : folders) {
            if (item.second) {
                folder /= fs::u8path(item.first);
                entered = true;
                break;
            }
        }
        if (!entered)
            return 0;
    }
    int count = 0;
    for (const auto& item :
        ListFolder(folder, [&](const std::string& name) { return MatchesWildcard(parts.back(), name); })) {
        if (!wantFiles || !item.second)
            count++;
    }
    return count;
}

// Whether a file entry's pattern covers the installed path relativePath (both script paths in UTF-8).
bool EntryInstalls(const std::string& entryPattern, const std::string& relativePath)
{
    std::vector<std::string> pattern = SplitPath(entryPattern), path = SplitPath(relativePath);
    if (pattern.empty() || pattern.size() != path.size())
        return false;
    for (size_t i = 0; i + 1 < path.size(); i++) {
        if (!EqualsNoCase(pattern[i], path[i]))
            return false;
    }
    return MatchesWildcard(pattern.back(), path.back());
}

bool IsAbsolute(const std::string& path)
{
    return (path.size() >= 2 && path[1] == ':') || (!path.empty() && (path[0] == '\\' || path[0] == '/'));
}

// The install types (as "0, 2") whose file lists install none of relativePath; empty when all do.
std::string TypesMissing(const INSTALL_DESCRIPTION& description, const std::string& relativePath)
{
    std::string missing;
    for (int type : InstallTypesMissing(description, relativePath))
        missing += (missing.empty() ? "" : ", ") + std::to_string(type);
    return missing;
}

std::string TypeWords(const std::string& types)
{
    return (types.find(',') == std::string::npos ? "install type " : "install types ") + types;
}

} // namespace

int InstallTypeCount(const INSTALL_DESCRIPTION& description)
{
    int count = description.settings.installtypecount;
    return count < 0 ? 0 : count > kMaxInstallTypes ? kMaxInstallTypes : count;
}

std::vector<int> InstallTypesMissing(const INSTALL_DESCRIPTION& description, const std::string& relativePath)
{
    std::vector<int> missing;
    for (int type = 0; type < InstallTypeCount(description); type++) {
        bool installed = false;
        for (const FILE_ENTRY& entry : description.typeFiles[type])
            installed = installed || EntryInstalls(Cp932ToUtf8(entry.fileName.GetString()), relativePath);
        if (!installed)
            missing.push_back(type);
    }
    return missing;
}

bool MatchesWildcard(const std::string& pattern, const std::string& name)
{
    return Match(CodePoints(pattern), 0, CodePoints(name), 0);
}

std::vector<std::string> CheckAgainstDiscs(
    const INSTALL_DESCRIPTION& description, const std::vector<std::string>& discFolders)
{
    std::vector<std::string> warnings;
    const INSTALL_SETTINGS& settings = description.settings;
    int discCount = settings.numberofdisc;

    std::set<std::pair<std::string, int>> seen;
    for (const auto& list : description.typeFiles) {
        for (const FILE_ENTRY& entry : list) {
            std::string name = Cp932ToUtf8(entry.fileName.GetString());
            if (!seen.insert({name, entry.disc}).second)
                continue;
            if (entry.disc < 1 || entry.disc > discCount) {
                warnings.push_back("file " + name + ": disc " + std::to_string(entry.disc) + " is not between 1 and "
                    + std::to_string(discCount) + " ($NumberOfDisc)");
            } else if (static_cast<size_t>(entry.disc) <= discFolders.size()
                && CountMatches(discFolders[entry.disc - 1], name, true) == 0) {
                warnings.push_back("file " + name + ": matches no file on disc " + std::to_string(entry.disc) + " ("
                    + discFolders[entry.disc - 1] + ")");
            }
        }
    }

    for (size_t disc = 2; disc <= discFolders.size(); disc++) {
        char marker[16];
        snprintf(marker, sizeof(marker), "DISCID.%03d", static_cast<int>(disc));
        if (CountMatches(discFolders[disc - 1], marker, true) == 0)
            warnings.push_back(
                "disc " + std::to_string(disc) + ": no " + marker + " marker in " + discFolders[disc - 1]);
    }
    if (!discFolders.empty() && CountMatches(discFolders[0], "splash.bmp", true) == 0)
        warnings.push_back("disc 1: no splash.bmp in " + discFolders[0]);
    if (!discFolders.empty() && settings.directxrequire > 0 && CountMatches(discFolders[0], "DSetup.dll", true) == 0)
        warnings.push_back(SettingLine(description, "directxrequire") + ": $DirectXRequire is "
            + std::to_string(settings.directxrequire) + ", but disc 1 has no DSetup.dll (" + discFolders[0]
            + "): the menu cannot load it to ask the DirectX version");

    if (!discFolders.empty()) {
        for (const COMMAND_ENTRY& command : description.commands) {
            std::string path = Cp932ToUtf8(command.command);
            if (!IsAbsolute(path) && CountMatches(discFolders[0], path, false) == 0)
                warnings.push_back("button " + Cp932ToUtf8(command.caption) + ": " + path
                    + " is not on disc 1, so the button will not be shown");
        }
    }

    for (const SHORTCUT_ENTRY& shortcut : description.shortcuts) {
        std::string target = Cp932ToUtf8(shortcut.target);
        std::string name = Cp932ToUtf8(shortcut.name);
        if (target.empty()) {
            warnings.push_back("shortcut " + name + ": no target (a blank after the comma?)");
            continue;
        }
        // A target that no type installs is CheckScript's, with the script line.
        size_t missingCount = InstallTypesMissing(description, target).size();
        std::string missing = TypesMissing(description, target);
        if (missingCount > 0 && missingCount < static_cast<size_t>(InstallTypeCount(description)))
            warnings.push_back(
                "shortcut " + name + ": target " + target + " is not installed by " + TypeWords(missing));
    }
    if (settings.executefile[0] != '\0') {
        std::string program = Cp932ToUtf8(settings.executefile);
        std::string missing = TypesMissing(description, program);
        if (!missing.empty())
            warnings.push_back("$ExecuteFile " + program + " is not installed by " + TypeWords(missing));
    }

    for (const char* file : kInstallerFiles) {
        std::string missing = TypesMissing(description, file);
        if (!missing.empty())
            warnings.push_back(std::string("uninstall: ") + file + " is not installed by " + TypeWords(missing)
                + ", and the uninstall runs it from the install folder");
    }
    return warnings;
}
