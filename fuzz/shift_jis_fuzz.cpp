// The program's code page 932 on any input: the decode stays inside the text, and what it gives, or any UTF-16
// text, goes through the encode and back unchanged.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "foundation/ShiftJis.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string text(reinterpret_cast<const char*>(data), size);
    std::u16string units;
    for (ShiftJisBroken broken : {kRefuseBroken, kReplaceBroken}) {
        if (!DecodeShiftJis(text.c_str(), &units, broken))
            continue;
        std::string encoded = EncodeShiftJis(units.data(), units.size());
        std::u16string back;
        if (!DecodeShiftJis(encoded.c_str(), &back) || back != units)
            abort();
    }

    std::u16string wide(size / 2, u'\0');
    memcpy(&wide[0], data, wide.size() * 2);
    for (char16_t& unit : wide) {
        if (unit == 0)
            unit = 1; // the encoded text ends at its first zero byte
    }
    std::string encoded = EncodeShiftJis(wide.data(), wide.size());
    std::u16string back;
    if (!DecodeShiftJis(encoded.c_str(), &back) || back != wide)
        abort();
    return 0;
}
