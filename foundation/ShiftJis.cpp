#include "foundation/ShiftJis.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "foundation/Cp932Table.h"

namespace {

const char16_t kBrokenReplacement = 0x30FB; // KATAKANA MIDDLE DOT, Windows' own default character for code page 932
const uint16_t kNoCharacter = 0xFFFF; // in kCp932SingleByte: a lead byte
const int kNoCode = -1;
const unsigned char kUserDefinedFirstLead = 0xF0, kUserDefinedLastLead = 0xF9;
const char16_t kUserDefinedFirstUnit = 0xE000;
const char kHexDigits[] = "0123456789ABCDEF";

int LeadIndex(unsigned char lead)
{
    return lead <= 0x9F ? lead - 0x81 : lead - 0xE0 + 0x1F;
}

// -1 for a byte that cannot follow a lead byte.
int TrailIndex(unsigned char trail)
{
    if (trail >= 0x40 && trail <= 0x7E)
        return trail - 0x40;
    if (trail >= 0x80 && trail <= 0xFC)
        return trail - 0x80 + 0x3F;
    return -1;
}

// The unit of a double-byte code, 0 for a pair that code page 932 leaves unassigned.
char16_t PairUnit(unsigned char lead, unsigned char trail)
{
    int trailIndex = TrailIndex(trail);
    if (trailIndex < 0)
        return 0;
    if (lead >= kUserDefinedFirstLead && lead <= kUserDefinedLastLead)
        return static_cast<char16_t>(
            kUserDefinedFirstUnit + (lead - kUserDefinedFirstLead) * kCp932TrailBytes + trailIndex);
    int row = kCp932LeadRow[LeadIndex(lead)];
    return row == 0 ? 0 : kCp932DoubleByte[row - 1][trailIndex];
}

struct UnitCode {
    char16_t unit;
    uint16_t code;
    bool operator<(const UnitCode& other) const { return unit < other.unit; }
};

// Every unit above ASCII that has a code, with Windows' choice among its codes, sorted by unit. Made at first use
// rather than shipped: the decode table holds the same facts.
std::vector<UnitCode> MakeEncodeTable()
{
    std::vector<UnitCode> table;
    for (int byte = 0x80; byte < 0x100; byte++) {
        if (kCp932SingleByte[byte] != kNoCharacter)
            table.push_back({kCp932SingleByte[byte], static_cast<uint16_t>(byte)});
    }
    const uint16_t* notPreferred = kCp932NotPreferred;
    const uint16_t* notPreferredEnd = kCp932NotPreferred + kCp932NotPreferredCount;
    for (int lead = 0x81; lead <= 0xFC; lead++) {
        if (!IsShiftJisLeadByte(static_cast<unsigned char>(lead)))
            continue;
        for (int trail = 0x40; trail <= 0xFC; trail++) {
            char16_t unit = PairUnit(static_cast<unsigned char>(lead), static_cast<unsigned char>(trail));
            uint16_t code = static_cast<uint16_t>((lead << 8) | trail);
            while (notPreferred != notPreferredEnd && *notPreferred < code)
                notPreferred++;
            if (unit != 0 && !(notPreferred != notPreferredEnd && *notPreferred == code))
                table.push_back({unit, code});
        }
    }
    std::sort(table.begin(), table.end());
    return table;
}

int CodeOf(char16_t unit)
{
    if (unit < 0x80)
        return unit;
    static const std::vector<UnitCode> table = MakeEncodeTable();
    auto found = std::lower_bound(table.begin(), table.end(), UnitCode{unit, 0});
    return found != table.end() && found->unit == unit ? found->code : kNoCode;
}

int HexValue(char digit)
{
    const char* found = digit != '\0' ? strchr(kHexDigits, digit) : nullptr;
    return found != nullptr ? static_cast<int>(found - kHexDigits) : -1;
}

// The unit of the escape at text (which starts with kForeignEscape), 0 when it is malformed. Only a unit without a
// code counts: an escaped "\" or "." would slip past every double-byte aware walk and become one at the system.
char16_t EscapedUnit(const char* text)
{
    unsigned value = 0;
    for (int i = 2; i < kForeignEscapeBytes; i++) {
        int digit = HexValue(text[i]);
        if (digit < 0)
            return 0;
        value = value * 16 + static_cast<unsigned>(digit);
    }
    char16_t unit = static_cast<char16_t>(value);
    return CodeOf(unit) == kNoCode ? unit : 0;
}

// The unit of the character at text and its length in bytes, as the double-byte aware walks count them (a lead
// byte takes the byte after it unless that ends the text); the unit is 0 for bytes that mean no character.
int DecodeCharacter(const char* text, char16_t* unit)
{
    unsigned char lead = static_cast<unsigned char>(text[0]);
    if (!IsShiftJisLeadByte(lead)) {
        *unit = kCp932SingleByte[lead];
        return 1;
    }
    if (text[1] == '\0') {
        *unit = 0;
        return 1;
    }
    if (text[0] == kForeignEscape[0] && text[1] == kForeignEscape[1]) {
        *unit = EscapedUnit(text);
        return *unit != 0 ? kForeignEscapeBytes : 2;
    }
    *unit = PairUnit(lead, static_cast<unsigned char>(text[1]));
    return 2;
}

} // namespace

bool IsShiftJisLeadByte(unsigned char byte)
{
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

bool HoldsForeignEscape(const char* text)
{
    for (const char* cursor = text; *cursor != '\0'; cursor++) {
        if (IsShiftJisLeadByte(static_cast<unsigned char>(*cursor))) {
            if (cursor[0] == kForeignEscape[0] && cursor[1] == kForeignEscape[1])
                return true;
            if (cursor[1] == '\0')
                break;
            cursor++;
        }
    }
    return false;
}

bool DecodeShiftJis(const char* text, std::u16string* out, ShiftJisBroken broken)
{
    out->clear();
    while (*text != '\0') {
        char16_t unit;
        text += DecodeCharacter(text, &unit);
        if (unit == 0) {
            if (broken == kRefuseBroken) {
                out->clear();
                return false;
            }
            unit = kBrokenReplacement;
        }
        out->push_back(unit);
    }
    return true;
}

std::string EncodeShiftJis(const char16_t* text, size_t units)
{
    std::string result;
    result.reserve(units * 2);
    for (size_t i = 0; i < units; i++) {
        int code = CodeOf(text[i]);
        if (code == kNoCode) {
            result.append(kForeignEscape, 2);
            for (int shift = 12; shift >= 0; shift -= 4)
                result.push_back(kHexDigits[(text[i] >> shift) & 0xF]);
        } else if (code > 0xFF) {
            result.push_back(static_cast<char>(code >> 8));
            result.push_back(static_cast<char>(code & 0xFF));
        } else {
            result.push_back(static_cast<char>(code));
        }
    }
    return result;
}
