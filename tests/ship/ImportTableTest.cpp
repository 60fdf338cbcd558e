// The shipped i686 ZVSetup.exe, checked as the file it is: Windows 95 and Windows 2000 load it only when every
// function it imports is theirs, and Wine, which exports everything in every Windows mode, cannot show that. Its
// import table is read from its bytes and held to the reviewed list tests/ship/AllowedImports.txt.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <set>
#include <sstream>

#include "foundation/SystemLibraries.h"
#include "tests/TestFiles.h"
#include "tests/ship/PeImports.h"

namespace {

// Set by the build: the i686 program even where the tests themselves are built for x86_64.
const char* const kShippedProgram = "Z:" ZV_SHIPPED_PROGRAM;
const char* const kAllowedList = "Z:" ZV_ALLOWED_IMPORTS;
const char* const kLazyImports = "Z:" ZV_LAZY_IMPORTS;
const char* const kRule
    = "What ships may import only functions that Windows 95 (with msvcrt.dll) and Windows 2000 both export; a newer "
      "function is looked up with GetProcAddress and has a fallback (see foundation/SystemFallbacks.h).";

const char* const kDllRule
    = "It may import only from DLLs that Windows takes from its system folder whatever lies beside the program: it "
      "runs with administrator's rights from folders every user can write, where a DLL of that name would be found "
      "first. Another system DLL is loaded at run time by its full path in the system folder "
      "(foundation/SystemLibraries.h).";

const uint16_t kMachineI386 = 0x14C;
const uint16_t kSubsystemWindowsGui = 2;

// The versions of each family in order of release; an entry passes up to the marked one.
const char* const k95Family[] = {"95", "98", "Me", "-"};
const size_t kLast95Allowed = 0;
const char* const kNtFamily[]
    = {"NT3.1", "NT3.5", "NT3.51", "NT4.0", "2000", "XP", "2003", "Vista", "7", "8", "8.1", "10", "-"};
const size_t kLastNtAllowed = 4;

struct ALLOWED_IMPORT {
    std::string dll, function, first95, firstNt;
    int line;
};

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return (char)std::tolower(c); });
    return text;
}

std::string Key(const std::string& dll, const std::string& function)
{
    return Lower(dll) + " " + function;
}

// The position of version in its family's list, or -1 when it names none of them.
template <size_t N> int VersionIndex(const char* const (&family)[N], const std::string& version)
{
    const char* const* found = std::find_if(family, family + N, [&](const char* v) { return version == v; });
    return found == family + N ? -1 : (int)(found - family);
}

// The list's entries; every line that is not an entry, a comment or blank is a test failure.
std::vector<ALLOWED_IMPORT> ReadAllowedList()
{
    std::vector<ALLOWED_IMPORT> entries;
    std::istringstream text(ReadBytes(kAllowedList));
    std::string line;
    for (int number = 1; std::getline(text, line); number++) {
        std::istringstream fields(line.substr(0, line.find('#')));
        ALLOWED_IMPORT entry;
        std::string extra;
        if (!(fields >> entry.dll))
            continue;
        if (!(fields >> entry.function >> entry.first95 >> entry.firstNt) || fields >> extra) {
            ADD_FAILURE() << kAllowedList << " line " << number
                          << ": expected DLL FUNCTION FIRST-OF-95-FAMILY FIRST-OF-NT-FAMILY, got: " << line;
            continue;
        }
        entry.line = number;
        entries.push_back(entry);
    }
    return entries;
}

PE_PROGRAM_FACTS ReadShippedProgram()
{
    std::string bytes = ReadBytes(kShippedProgram);
    PE_PROGRAM_FACTS facts;
    std::string error;
    EXPECT_FALSE(bytes.empty()) << kShippedProgram << " cannot be read";
    EXPECT_TRUE(ReadPeProgramFacts(bytes, &facts, &error)) << kShippedProgram << ": " << error;
    return facts;
}

} // namespace

TEST(ShippedProgram, ImportsOnlyWhatTheReviewedListAllows)
{
    std::map<std::string, const ALLOWED_IMPORT*> allowed;
    std::vector<ALLOWED_IMPORT> entries = ReadAllowedList();
    for (const ALLOWED_IMPORT& entry : entries)
        allowed[Key(entry.dll, entry.function)] = &entry;
    PE_PROGRAM_FACTS facts = ReadShippedProgram();

    // A reader that found nothing would let everything through.
    ASSERT_FALSE(entries.empty()) << kAllowedList;
    ASSERT_GT(facts.imports.size(), 50u);
    EXPECT_TRUE(std::any_of(facts.imports.begin(), facts.imports.end(),
        [](const PE_IMPORT& i) { return Lower(i.dll) == "kernel32.dll" && i.function == "CreateFileA"; }));

    for (const PE_IMPORT& import : facts.imports) {
        if (import.function.empty()) {
            ADD_FAILURE() << "ZVSetup.exe imports ordinal " << import.ordinal << " of " << import.dll
                          << ": an ordinal differs between systems; import by name. " << kRule;
        } else if (allowed.count(Key(import.dll, import.function)) == 0) {
            ADD_FAILURE() << "ZVSetup.exe imports " << import.function << " from " << import.dll
                          << ", which is not on the reviewed list " << kAllowedList << ". " << kRule
                          << " A function that both export goes on the list with the first version of each family "
                             "that exports it, from the API documentation.";
        }
    }
}

TEST(ShippedProgram, ImportsOnlyFromDllsOfTheSystemFolder)
{
    std::set<std::string> dlls;
    for (const PE_IMPORT& import : ReadShippedProgram().imports)
        dlls.insert(import.dll);
    ASSERT_FALSE(dlls.empty());
    for (const std::string& dll : dlls) {
        if (!IsSystemFolderDll(dll.c_str()))
            ADD_FAILURE() << "ZVSetup.exe imports from " << dll << ". " << kDllRule;
    }
}

TEST(ShippedProgram, ReviewedListHoldsOnlyFunctionsOfWindows95AndWindows2000)
{
    std::map<std::string, int> seen;
    for (const ALLOWED_IMPORT& entry : ReadAllowedList()) {
        std::string where = std::string(kAllowedList) + " line " + std::to_string(entry.line) + ": " + entry.dll + " "
            + entry.function;
        int first95 = VersionIndex(k95Family, entry.first95);
        int firstNt = VersionIndex(kNtFamily, entry.firstNt);
        EXPECT_NE(-1, first95) << where << ": unknown version of the 95 family '" << entry.first95 << "'";
        EXPECT_NE(-1, firstNt) << where << ": unknown version of the NT family '" << entry.firstNt << "'";
        if (first95 > (int)kLast95Allowed)
            ADD_FAILURE() << where << " needs " << entry.first95 << " in the 95 family: Windows 95 would refuse to "
                          << "start ZVSetup.exe. " << kRule;
        if (firstNt > (int)kLastNtAllowed)
            ADD_FAILURE() << where << " needs " << entry.firstNt << " in the NT family: Windows 2000 would refuse to "
                          << "start ZVSetup.exe. " << kRule;
        if (!IsSystemFolderDll(entry.dll.c_str()))
            ADD_FAILURE() << where << ": " << kDllRule;
        std::string key = Key(entry.dll, entry.function);
        if (seen.count(key) != 0)
            ADD_FAILURE() << where << " is listed already on line " << seen[key];
        seen[key] = entry.line;
    }
}

TEST(ShippedProgram, HeaderAsksForA386AndWindows4)
{
    PE_PROGRAM_FACTS facts = ReadShippedProgram();
    EXPECT_EQ(kMachineI386, facts.machine) << kShippedProgram << " is not the i686 build";
    EXPECT_EQ(kSubsystemWindowsGui, facts.subsystem);
    // Windows 95 refuses a program whose subsystem version is above 4.0 ("needs a newer version of Windows").
    EXPECT_EQ(4, facts.majorSubsystemVersion);
    EXPECT_EQ(0, facts.minorSubsystemVersion);
}

// What ships goes onto every disc and is copied at every start: no symbols, no debug sections, and small.
TEST(ShippedProgram, IsStrippedAndSmall)
{
    const size_t kMostBytes = 400 * 1024;
    size_t bytes = ReadBytes(kShippedProgram).size();
    EXPECT_LE(bytes, kMostBytes) << kShippedProgram << " is " << bytes << " bytes, more than " << kMostBytes;
    PE_PROGRAM_FACTS facts = ReadShippedProgram();
    EXPECT_EQ(0u, facts.symbolTableOffset) << kShippedProgram << " carries symbols";
    for (const std::string& name : facts.sectionNames)
        EXPECT_TRUE(name.compare(0, 6, ".debug") != 0 && name.compare(0, 1, "/") != 0) << "section " << name;
}

// user32 and gdi32 are bound at the first call of each function (foundation/LazyImports_win.cpp), not imported: the
// start from the disc needs neither. Each function bound so is held to the reviewed list as an import would be.
TEST(ShippedProgram, BindsUser32AndGdi32AtFirstUseToReviewedFunctions)
{
    std::set<std::string> allowed;
    for (const ALLOWED_IMPORT& entry : ReadAllowedList())
        allowed.insert(Key(entry.dll, entry.function));
    for (const PE_IMPORT& import : ReadShippedProgram().imports) {
        std::string dll = Lower(import.dll);
        EXPECT_TRUE(dll != "user32.dll" && dll != "gdi32.dll")
            << "ZVSetup.exe imports " << import.function << " from " << import.dll
            << ": bind it at its first use with a line of " << kLazyImports;
    }

    // LAZY(User32, MessageBoxA, 16)
    std::istringstream source(ReadBytes(kLazyImports));
    std::string line;
    int bound = 0;
    while (std::getline(source, line)) {
        if (line.compare(0, 5, "LAZY(") != 0)
            continue;
        std::istringstream fields(line.substr(5));
        std::string dll, function;
        ASSERT_TRUE(std::getline(fields, dll, ',') && fields >> function) << line;
        function = function.substr(0, function.find(','));
        bound++;
        EXPECT_EQ(1u, allowed.count(Key(Lower(dll) + ".dll", function)))
            << kLazyImports << " binds " << function << " of " << dll << ", which is not on the reviewed list "
            << kAllowedList << ". " << kRule;
    }
    EXPECT_GT(bound, 70) << kLazyImports << " was not read";
}
