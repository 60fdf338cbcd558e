// Provisional: the system's code page 932 until the program's own table replaces it.
#include "foundation/ShiftJis.h"

#include <cstdio>
#include <cstring>

#include "foundation/SystemApi.h"

bool IsShiftJisLeadByte(unsigned char byte)
{
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

bool HoldsForeignEscape(const char* text)
{
    for (const char* cursor = text; *cursor != '\0'; cursor++) {
        if (IsShiftJisLeadByte(static_cast<unsigned char>(*cursor))) {
            if (cursor[1] == '\x7F')
                return true;
            if (cursor[1] == '\0')
                break;
            cursor++;
        }
    }
    return false;
}

#ifdef _WIN32
bool DecodeShiftJis(const char* text, std::u16string* out, ShiftJisBroken broken)
{
    out->clear();
    int length = static_cast<int>(strlen(text));
    if (length == 0)
        return true;
    DWORD flags = broken == kRefuseBroken ? MB_ERR_INVALID_CHARS : 0;
    int units = MultiByteToWideChar(932, flags, text, length, nullptr, 0);
    if (units <= 0)
        return false;
    std::wstring wide(units, L'\0');
    MultiByteToWideChar(932, flags, text, length, &wide[0], units);
    out->assign(wide.begin(), wide.end());
    return true;
}

std::string EncodeShiftJis(const char16_t* text, size_t units)
{
    std::string result;
    for (size_t i = 0; i < units; i++) {
        char bytes[8];
        BOOL usedDefault = FALSE;
        int count = WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, reinterpret_cast<const wchar_t*>(text + i), 1, bytes,
            sizeof(bytes), nullptr, &usedDefault);
        if (count <= 0 || usedDefault) {
            char escape[kForeignEscapeBytes + 1];
            snprintf(escape, sizeof(escape), "%s%04X", kForeignEscape, static_cast<unsigned>(text[i]));
            result.append(escape, kForeignEscapeBytes);
        } else {
            result.append(bytes, count);
        }
    }
    return result;
}
#endif
