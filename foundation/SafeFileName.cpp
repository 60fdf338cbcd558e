#include "foundation/SafeFileName.h"

#include <string>

#include "foundation/ShiftJis.h"

namespace {

struct FULL_WIDTH_FORM {
    char byte;
    const char* replacement; // two bytes of Shift-JIS, written as bytes so that every compiler keeps them
};

const FULL_WIDTH_FORM kFullWidthForms[] = {
    {'\\', "\x81\x5F"}, // ＼
    {'/', "\x81\x5E"}, // ／
    {':', "\x81\x46"}, // ：
    {'*', "\x81\x96"}, // ＊
    {'?', "\x81\x48"}, // ？
    {'"', "\xFA\x57"}, // ＂ (U+FF02, of the code page's IBM extension, which every Japanese Windows has)
    {'<', "\x81\x83"}, // ＜
    {'>', "\x81\x84"}, // ＞
    {'|', "\x81\x62"}, // ｜
};
const char kLowLine[] = "\x81\x51"; // ＿

// The full-width form of the character at text, or null when it may stand in a file name.
const char* FullWidthForm(const char* text)
{
    unsigned char byte = static_cast<unsigned char>(text[0]);
    if (IsShiftJisLeadByte(byte))
        return text[1] == '\0' ? kLowLine : nullptr; // alone it would join the byte that follows the name
    if (byte < 0x20)
        return kLowLine;
    for (const FULL_WIDTH_FORM& form : kFullWidthForms) {
        if (text[0] == form.byte)
            return form.replacement;
    }
    return nullptr;
}

} // namespace

CZVString SafeFileName(const char* name)
{
    std::string safe;
    for (const char* cursor = name != nullptr ? name : ""; *cursor != '\0'; cursor += CharBytes(cursor)) {
        const char* replacement = FullWidthForm(cursor);
        if (replacement != nullptr)
            safe.append(replacement, 2);
        else
            safe.append(cursor, CharBytes(cursor));
    }
    return CZVString(safe.c_str());
}
