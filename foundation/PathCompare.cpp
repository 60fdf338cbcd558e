#include "foundation/PathCompare.h"

#include <cstring>

#include "foundation/PathText.h"

namespace {

bool IsSlash(char byte)
{
    return byte == '\\' || byte == '/';
}

char AsciiLower(char byte)
{
    return byte >= 'A' && byte <= 'Z' ? static_cast<char>(byte - 'A' + 'a') : byte;
}

bool IsAsciiLetter(char byte)
{
    return AsciiLower(byte) >= 'a' && AsciiLower(byte) <= 'z';
}

// Bytes of text without one real trailing backslash.
int LengthWithoutTrailingBackslash(const char* text)
{
    int length = static_cast<int>(strlen(text));
    return EndsWithBackslash(text) ? length - 1 : length;
}

// Compares the first bytes of text with pattern (pattern's own length, a character boundary of pattern) without
// regard to ASCII case; walks pattern's characters, so a double-byte character only matches the same two bytes.
bool MatchesNoCase(const char* text, const char* pattern, int patternLength)
{
    for (int i = 0; i < patternLength;) {
        int bytes = CharBytes(pattern + i);
        if (bytes == 2) {
            if (text[i] != pattern[i] || text[i + 1] != pattern[i + 1])
                return false;
        } else if (text[i] == '\0' || AsciiLower(text[i]) != AsciiLower(pattern[i])) {
            return false;
        }
        i += bytes;
    }
    return true;
}

} // namespace

bool IsAbsolutePath(const char* path)
{
    return PathRootLength(path) > 0;
}

int PathRootLength(const char* path)
{
    if (IsAsciiLetter(path[0]) && path[1] == ':' && IsSlash(path[2]))
        return 3;
    if (path[0] != '\\' || path[1] != '\\' || path[2] == '\0' || IsSlash(path[2]))
        return 0;
    // The server name, then the share name: the root ends after the backslash that follows the share.
    int slashes = 0;
    int i = 2;
    for (; path[i] != '\0'; i += CharBytes(path + i)) {
        if (IsSlash(path[i]) && ++slashes == 2)
            return i + 1;
    }
    return slashes == 1 ? i : 0;
}

bool HasParentComponent(const char* path)
{
    int dots = 0;
    bool onlyDotsAndBlanks = true;
    for (const char* cursor = path;; cursor += CharBytes(cursor)) {
        if (*cursor == '\0' || IsSlash(*cursor)) {
            if (onlyDotsAndBlanks && dots >= 2)
                return true;
            if (*cursor == '\0')
                return false;
            dots = 0;
            onlyDotsAndBlanks = true;
        } else if (*cursor == '.') {
            dots++;
        } else if (*cursor != ' ') {
            onlyDotsAndBlanks = false;
        }
    }
}

bool IsPathAtOrBelow(const char* path, const char* folder)
{
    int folderLength = LengthWithoutTrailingBackslash(folder);
    int pathLength = LengthWithoutTrailingBackslash(path);
    if (folderLength == 0 || pathLength < folderLength)
        return false;
    // The folder's last character must end where a character of path ends, or a lead byte of path would be
    // matched against half of the folder's text.
    if (CharBoundaryLength(path, folderLength) != folderLength || !MatchesNoCase(path, folder, folderLength))
        return false;
    return pathLength == folderLength || IsSlash(path[folderLength]);
}

bool EndsWithNoCase(const char* text, const char* suffix)
{
    int textLength = static_cast<int>(strlen(text));
    int suffixLength = static_cast<int>(strlen(suffix));
    if (suffixLength > textLength)
        return false;
    int start = textLength - suffixLength;
    return CharBoundaryLength(text, start) == start && MatchesNoCase(text + start, suffix, suffixLength);
}

bool StartsWithNoCase(const char* text, const char* prefix)
{
    int prefixLength = static_cast<int>(strlen(prefix));
    return CharBoundaryLength(text, prefixLength) == prefixLength && MatchesNoCase(text, prefix, prefixLength);
}

bool ContainsChar(const char* text, char ch)
{
    for (const char* cursor = text; *cursor != '\0'; cursor += CharBytes(cursor)) {
        if (*cursor == ch && CharBytes(cursor) == 1)
            return true;
    }
    return false;
}

bool IsRelativePathInside(const char* path)
{
    return path[0] != '\0' && !IsSlash(path[0]) && !ContainsChar(path, ':') && !HasParentComponent(path);
}

std::string ComparablePath(const char* path)
{
    std::string comparable;
    const char* cursor = path;
    // A network path's two leading backslashes, or the one of a path from the root of the current drive.
    if (IsSlash(cursor[0]))
        comparable = IsSlash(cursor[1]) ? "\\\\" : "\\";
    while (*cursor != '\0') {
        while (IsSlash(*cursor))
            cursor++;
        // One component: its characters, then without its trailing dots and blanks.
        std::string component;
        size_t kept = 0;
        for (; *cursor != '\0' && !IsSlash(*cursor); cursor += CharBytes(cursor)) {
            int bytes = CharBytes(cursor);
            if (bytes == 2)
                component.append(cursor, 2);
            else
                component += static_cast<char>(*cursor >= 'a' && *cursor <= 'z' ? *cursor - 'a' + 'A' : *cursor);
            if (bytes == 2 || (*cursor != '.' && *cursor != ' '))
                kept = component.size();
        }
        component.resize(kept);
        if (component.empty())
            continue;
        if (!comparable.empty() && !IsSlash(comparable.back()))
            comparable += '\\';
        comparable += component;
    }
    return comparable;
}
