// Code page 932 as Windows defines it (JIS X 0208 with the NEC and IBM extensions and the user-defined area), by
// the program's own table: the program's texts are Shift-JIS inside and in every file it reads and writes, and
// become UTF-16 only where the NT family's system takes them. The system's own conversion is never used for them:
// Windows 2000 and XP without East Asian support have no code page 932, and any other system reads the bytes in its
// own code page.
//
// A UTF-16 unit that code page 932 has no code for (a name the system hands over: "José", "Її") is held in the
// text as kForeignEscape followed by the unit in four upper-case hexadecimal digits, six bytes in all ("é" is
// 81 7F '0' '0' 'E' '9'); a unit outside the basic plane takes two, one per surrogate. 81 7F is a lead byte
// followed by a byte that is never a trail byte, so no valid Shift-JIS text and no text an earlier version wrote
// holds it; the double-byte aware walks take it for one character and the four digits for four more, none of them
// a separator. Only a unit without a code is ever escaped, and an escape of a unit that has one (a backslash as 81 7F
// "005C") means no character: it would pass every walk as letters and reach the system as a separator.
#pragma once

#include <cstddef>
#include <string>

const char kForeignEscape[] = "\x81\x7F";
const int kForeignEscapeBytes = 6; // the escape and its four digits

// 0x81-0x9F and 0xE0-0xFC, whatever the system's code page.
bool IsShiftJisLeadByte(unsigned char byte);

// What a decode does with bytes that mean no character: a lead byte with no valid trail byte after it, a pair that
// code page 932 does not assign, a malformed escape. Each counts as the walks count it: a lead byte with the byte
// after it (81 7F alone for a malformed escape, its digits as characters of their own), a lead byte that ends the
// text alone.
enum ShiftJisBroken {
    kRefuseBroken, // the decode fails: for names, which must reach the system exactly or not at all
    kReplaceBroken, // each becomes U+30FB, Windows' own default character: for texts that are only shown
};

// The UTF-16 text of zero-terminated Shift-JIS text (escapes included). False, with *out empty, when the text holds
// bytes that mean no character and broken is kRefuseBroken.
bool DecodeShiftJis(const char* text, std::u16string* out, ShiftJisBroken broken = kRefuseBroken);

// The Shift-JIS text of units UTF-16 units, each unit without a code as an escape; never fails.
std::string EncodeShiftJis(const char16_t* text, size_t units);

// True when text holds kForeignEscape (well-formed or not): a name that an earlier version, or a system of the 95
// family, could not have made.
bool HoldsForeignEscape(const char* text);
