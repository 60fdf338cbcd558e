#include "foundation/UnicodeText_win.h"

#include <cstring>

static_assert(sizeof(wchar_t) == sizeof(char16_t), "UTF-16 is the system's wide text");

bool UsesUnicodeCalls()
{
    // GetVersionExA rather than GetVersion: the program imports it already (tests/ship).
    static const bool nt = [] {
        OSVERSIONINFOA version;
        version.dwOSVersionInfoSize = sizeof(version);
        return GetVersionExA(&version) && version.dwPlatformId == VER_PLATFORM_WIN32_NT;
    }();
    return nt;
}

FARPROC UnicodeEntry(const char* dll, const char* name)
{
    // user32 and gdi32 are loaded at the first call of one of their functions (LazyImports_win.cpp), which may be
    // this one. Every DLL asked of here is a known DLL of the NT family, which takes it from its system folder only.
    HMODULE module = GetModuleHandleA(dll);
    if (module == nullptr)
        module = LoadLibraryA(dll);
    return module != nullptr ? GetProcAddress(module, name) : nullptr;
}

CUnicodeText::CUnicodeText(const char* text, ShiftJisBroken broken)
    : m_null(text == nullptr)
    , m_valid(true)
{
    if (m_null)
        return;
    m_valid = DecodeShiftJis(text, &m_text, broken);
}

std::string ToProgramText(const wchar_t* text, int count)
{
    if (text == nullptr)
        return std::string();
    size_t units = count < 0 ? wcslen(text) : static_cast<size_t>(count);
    return EncodeShiftJis(reinterpret_cast<const char16_t*>(text), units);
}

bool ToProgramText(const wchar_t* text, char* out, int outBytes)
{
    if (outBytes <= 0)
        return false;
    std::string narrow = ToProgramText(text);
    if (narrow.size() >= static_cast<size_t>(outBytes)) {
        out[0] = '\0';
        return false;
    }
    memcpy(out, narrow.c_str(), narrow.size() + 1);
    return true;
}
