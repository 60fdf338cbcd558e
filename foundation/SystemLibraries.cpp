#include "foundation/SystemLibraries.h"

namespace {

// Known DLLs of every Windows the program runs on, and comctl32 (see the header).
const char* const kSystemFolderDlls[] = {"kernel32.dll", "user32.dll", "gdi32.dll", "advapi32.dll", "shell32.dll",
    "ole32.dll", "oleaut32.dll", "comdlg32.dll", "msvcrt.dll", "comctl32.dll"};

char LowerAscii(char ch)
{
    return ch >= 'A' && ch <= 'Z' ? static_cast<char>(ch - 'A' + 'a') : ch;
}

bool EqualNoCase(const char* a, const char* b)
{
    for (; *a != '\0' && *b != '\0'; a++, b++) {
        if (LowerAscii(*a) != LowerAscii(*b))
            return false;
    }
    return *a == *b;
}

} // namespace

bool IsSystemFolderDll(const char* dllName)
{
    for (const char* known : kSystemFolderDlls) {
        if (EqualNoCase(dllName, known))
            return true;
    }
    return false;
}
