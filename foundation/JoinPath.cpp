#include <cstring>

#include "foundation/SystemApi.h"
#include "foundation/ZVString.h"

namespace {

// Byte count of the character at text (1, or 2 for a lead byte followed by a trail byte).
int CharBytes(const char* text)
{
    return IsDBCSLeadByte(static_cast<BYTE>(text[0])) && text[1] != '\0' ? 2 : 1;
}

}  // namespace

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
    // Find the last character of the folder walking forward, so that a trail byte 0x5C is not taken for "\".
    const char* last = nullptr;
    for (const char* p = folder; *p; p += CharBytes(p))
        last = p;
    if (last != nullptr && CharBytes(last) == 1 && *last == '\\')
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
