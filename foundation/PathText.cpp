#include "foundation/PathText.h"

#include <cstring>

#include "foundation/ShiftJis.h"

namespace {

bool IsSeparator(char byte)
{
    return byte == '\\' || byte == '/' || byte == ':';
}

// The character before the end of text (walking forward, so a trail byte is never taken for a character of its
// own); null for an empty text.
const char* LastChar(const char* text)
{
    const char* last = nullptr;
    for (const char* cursor = text; *cursor != '\0'; cursor += CharBytes(cursor))
        last = cursor;
    return last;
}

} // namespace

int CharBytes(const char* text)
{
    return IsShiftJisLeadByte(static_cast<unsigned char>(text[0])) && text[1] != '\0' ? 2 : 1;
}

int CharBoundaryLength(const char* text, int maxBytes)
{
    int kept = 0;
    while (text[kept] != '\0') {
        int bytes = CharBytes(text + kept);
        if (kept + bytes > maxBytes)
            break;
        kept += bytes;
    }
    return kept;
}

char* CopyCutAtChar(char* out, int outSize, const char* text)
{
    if (out == nullptr || outSize <= 0)
        return out;
    int kept = CharBoundaryLength(text != nullptr ? text : "", outSize - 1);
    memcpy(out, text, kept);
    out[kept] = '\0';
    return out;
}

const char* FileNamePart(const char* path)
{
    return path + FolderPartLength(path);
}

int FolderPartLength(const char* path)
{
    int folderLength = 0;
    for (int i = 0; path[i] != '\0'; i += CharBytes(path + i)) {
        if (IsSeparator(path[i]))
            folderLength = i + 1;
    }
    return folderLength;
}

void SplitPath(const char* path, char* folder, char* fileName)
{
    int folderLength = FolderPartLength(path);
    CopyCutAtChar(fileName, kPathBytes, path + folderLength);
    int kept = CharBoundaryLength(path, folderLength < kPathBytes ? folderLength : kPathBytes - 1);
    memcpy(folder, path, kept);
    folder[kept] = '\0';
}

bool EndsWithBackslash(const char* text)
{
    const char* last = LastChar(text);
    return last != nullptr && last[0] == '\\' && last[1] == '\0';
}

bool RemoveTrailingBackslash(char* path)
{
    if (!EndsWithBackslash(path))
        return false;
    path[strlen(path) - 1] = '\0';
    return true;
}

bool AppendBackslash(char* path, int pathSize)
{
    if (EndsWithBackslash(path))
        return true;
    size_t length = strlen(path);
    if (length + 2 > static_cast<size_t>(pathSize))
        return false;
    path[length] = '\\';
    path[length + 1] = '\0';
    return true;
}

bool HasPathSeparator(const char* text)
{
    for (const char* cursor = text; *cursor != '\0'; cursor += CharBytes(cursor)) {
        if (IsSeparator(*cursor))
            return true;
    }
    return false;
}

char* JoinPath(char* out, const char* dir, const char* name, int outSize)
{
    if (out == nullptr)
        return nullptr;
    if (outSize <= 0)
        return out;
    out[0] = '\0';
    const char* folder = dir ? dir : "";
    const char* file = name ? name : "";
    size_t folderLength = strlen(folder), fileLength = strlen(file);
    if (folderLength >= static_cast<size_t>(kPathBytes) || fileLength >= static_cast<size_t>(kPathBytes))
        return out;
    if (EndsWithBackslash(folder))
        folderLength--;
    if (*file == '\\') {
        file++;
        fileLength--;
    }
    size_t needed = folderLength == 0 ? fileLength : folderLength + 1 + fileLength;
    if (needed + 1 > static_cast<size_t>(outSize))
        return out;
    char* p = out;
    if (folderLength > 0) {
        memcpy(p, folder, folderLength);
        p += folderLength;
        *p++ = '\\';
    }
    memcpy(p, file, fileLength);
    p[fileLength] = '\0';
    return out;
}

bool HasDriveLetter(const char* path)
{
    char letter = path[0];
    return ((letter >= 'A' && letter <= 'Z') || (letter >= 'a' && letter <= 'z')) && path[1] == ':';
}

bool MakeRelativePath(const char* fileName, const char* foundName, char* out)
{
    int folderLength = FolderPartLength(fileName);
    int driveLength = HasDriveLetter(fileName) ? 2 : 0;
    size_t relativeFolderLength = static_cast<size_t>(folderLength - driveLength);
    size_t nameLength = strlen(foundName);
    out[0] = '\0';
    if (relativeFolderLength + nameLength + 1 > static_cast<size_t>(kPathBytes))
        return false;
    memcpy(out, fileName + driveLength, relativeFolderLength);
    memcpy(out + relativeFolderLength, foundName, nameLength + 1);
    return true;
}
