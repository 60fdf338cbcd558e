// Which DLLs the import table may name: only those Windows takes from its system folder whatever lies beside the
// program (the shipped program's own table is held to the rule in tests/ship).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "foundation/SystemLibraries.h"

namespace {

TEST(SystemLibraries, AnImportTableMayNameOnlyDllsOfTheSystemFolder)
{
    struct {
        const char* proves;
        std::vector<std::string> dlls; // of a made-up import table
        std::string firstOutside; // "" when the table keeps the rule
    } const rows[] = {
        {"the table as the linker spells it",
            {"ADVAPI32.dll", "COMCTL32.dll", "GDI32.dll", "KERNEL32.dll", "msvcrt.dll", "ole32.dll", "SHELL32.dll",
                "USER32.dll"},
            ""},
        {"the other known DLLs", {"OLEAUT32.DLL", "comdlg32.dll"}, ""},
        {"version.dll is looked for beside the program", {"KERNEL32.dll", "VERSION.dll", "USER32.dll"}, "VERSION.dll"},
        {"so is winmm.dll", {"WINMM.dll"}, "WINMM.dll"},
        {"and every DLL a system DLL loads late", {"USER32.dll", "uxtheme.dll", "imagehlp.dll"}, "uxtheme.dll"},
        {"the whole name counts", {"kernel32", "kernel32.dll.dll", "xkernel32.dll"}, "kernel32"},
        {"a folder in front is another file", {"..\\kernel32.dll"}, "..\\kernel32.dll"},
        {"an empty name", {""}, ""},
    };
    for (const auto& row : rows) {
        std::string firstOutside;
        for (const std::string& dll : row.dlls) {
            if (!IsSystemFolderDll(dll.c_str())) {
                firstOutside = dll;
                break;
            }
        }
        EXPECT_EQ(row.firstOutside, firstOutside) << row.proves;
    }
    EXPECT_FALSE(IsSystemFolderDll("")) << "an empty name is none of them";
}

} // namespace
