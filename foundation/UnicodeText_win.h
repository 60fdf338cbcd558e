// Where the program's Shift-JIS texts meet the system. On the NT family every call that takes or returns a text goes
// through the system's Unicode (W) function, with the texts converted here by the program's own table
// (foundation/ShiftJis.h), so that the program works whatever the system's code page; the 95 family keeps the ANSI
// functions and the script's bytes as they are. The W functions are found by name (UnicodeEntry): most of them are
// missing from the 95 family's DLLs, and the import table must load there.
#pragma once

#include <string>

#include "foundation/ShiftJis.h"
#include "foundation/SystemApi.h"

// True on the NT family: the texts go through the W functions.
bool UsesUnicodeCalls();

// The function name of the system DLL dll, one of the NT family's known DLLs (kernel32, user32, gdi32, advapi32),
// loaded by its name when it is not loaded yet; null where the DLL lacks it. Only the NT family's paths call it.
FARPROC UnicodeEntry(const char* dll, const char* name);

// A typed UnicodeEntry: UNICODE_CALL(user32, SetWindowTextW) declares a static pointer named SetWindowTextW_ of the
// function's own type, found on first use.
#define UNICODE_CALL(dll, function)                                                                                    \
    static const auto function##_                                                                                      \
        = reinterpret_cast<decltype(&::function)>(reinterpret_cast<void*>(UnicodeEntry(#dll ".dll", #function)))

// The UTF-16 form of a program text for one call. A null text stays null. A name that holds bytes meaning no
// character is not valid (IsValid false, Get an empty text): the call must fail rather than reach another name.
class CUnicodeText {
public:
    explicit CUnicodeText(const char* text, ShiftJisBroken broken = kRefuseBroken);
    const wchar_t* Get() const { return m_null ? nullptr : reinterpret_cast<const wchar_t*>(m_text.c_str()); }
    bool IsValid() const { return m_valid; }

private:
    std::u16string m_text; // the system's UTF-16, as the table gives it
    bool m_null;
    bool m_valid;
};

// The program's text of a UTF-16 text (units without a code of code page 932 escaped); count -1 for a terminated text.
std::string ToProgramText(const wchar_t* text, int count = -1);
// The same into a buffer of outBytes bytes: false, with out empty, when the text does not fit whole.
bool ToProgramText(const wchar_t* text, char* out, int outBytes);
