// The player's kept files: a deletion that names one in another spelling of the same path still finds it kept.
#include <gtest/gtest.h>

#include "log/KeptFiles.h"

namespace {

TEST(KeptFiles, AnySpellingOfAKeptPathIsKept)
{
    CKeptFiles kept;
    EXPECT_TRUE(kept.IsEmpty());
    for (const char* path : {"C:\\Games\\Title\\save\\one.dat", "C:\\Games\\Title\\ソ\\表.dat",
             "\\\\server\\share\\Title\\two.dat", "C:\\Games\\Title\\save\\ヂ.dat"})
        kept.Add(path);
    EXPECT_FALSE(kept.IsEmpty());
    struct {
        const char* proves;
        const char* path;
        bool held;
    } const rows[] = {
        {"as added", "C:\\Games\\Title\\save\\one.dat", true},
        {"ASCII case", "c:\\GAMES\\title\\SAVE\\ONE.DAT", true},
        {"slashes, runs of them", "C:/Games\\\\Title/save//one.dat", true},
        {"a \".\" component", "C:\\Games\\Title\\.\\save\\one.dat", true},
        {"trailing dots and blanks, which the system drops", "C:\\Games\\Title\\save. \\one.dat. ", true},
        {"double-byte names as they are", "c:\\games\\title\\ソ\\表.DAT", true},
        {"a network path", "\\\\SERVER\\share\\title\\two.dat", true},
        {"another file", "C:\\Games\\Title\\save\\one.da", false},
        {"another folder", "C:\\Games\\Title\\one.dat", false},
        {"a network path is not a path from the root", "\\server\\share\\Title\\two.dat", false},
        // "ヂ" is 83 61 and "ア" 83 41: a trail byte is no ASCII letter to fold.
        {"a trail byte is never folded", "C:\\Games\\Title\\save\\ア.dat", false},
    };
    for (const auto& row : rows)
        EXPECT_EQ(row.held, kept.Holds(row.path)) << row.proves;
}

} // namespace
