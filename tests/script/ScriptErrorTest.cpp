// Every syntax error at the check that raises it, and which check wins when one line breaks two rules.
#include <gtest/gtest.h>

#include <string>

#include "script/ScriptTexts.h"
#include "tests/script/ScriptCase.h"

namespace {

#define COUNT2 "$installtypecount = 2\n"

const SCRIPT_CASE kErrorCases[] = {
    {"a $ line without = is a syntax error before the name is looked at", COUNT2 "$nosuchname 5", ZV_ERROR_SYNTAX, 2,
        nullptr},
    {"an unknown name", "$installtypecount = 1\n$gamename = x", ZV_ERROR_UNKNOWN_VARIABLE, 2, nullptr},
    {"the empty name is unknown", "$ = 1", ZV_ERROR_UNKNOWN_VARIABLE, 1, nullptr},
    {"a blank after $ stays in the name", "$ installtypecount = 2", ZV_ERROR_UNKNOWN_VARIABLE, 1, nullptr},
    {"installtypecount above 10", "$installtypecount = 11", ZV_ERROR_TYPE_COUNT_MAX, 1, nullptr},
    {"a count beyond 32 bits saturates rather than wrapping to 2", "$installtypecount = 4294967298",
        ZV_ERROR_TYPE_COUNT_MAX, 1, nullptr},
    {"a type list before the count", "$installtypename = A", ZV_ERROR_TYPE_COUNT_FIRST, 1, nullptr},
    {"a need list before the count", "$installrequire = 1", ZV_ERROR_TYPE_COUNT_FIRST, 1, nullptr},
    {"too few names", COUNT2 "$installtypename = A", ZV_ERROR_TYPE_COUNT_DIFFERS, 2, nullptr},
    {"a blank list token ends the list", COUNT2 "$installtypename = Full, ,Normal", ZV_ERROR_TYPE_COUNT_DIFFERS, 2,
        nullptr},
    {"too many needs", COUNT2 "$installrequire = 1,2,3", ZV_ERROR_TYPE_COUNT_DIFFERS, 2, nullptr},
    {"a bool that is no bool word", COUNT2 "$desktopshortcut = maybe", ZV_ERROR_BOOL, 2, nullptr},
    {"an empty bool", COUNT2 "$allowalluser =", ZV_ERROR_BOOL, 2, nullptr},
    {"zero discs", COUNT2 "$numberofdisc = 0", ZV_ERROR_DISC_COUNT_MIN, 2, nullptr},
    {"more discs than markers can number", COUNT2 "$numberofdisc = 1000", ZV_ERROR_DISC_COUNT_MAX, 2, nullptr},
    {"cmd without anything", COUNT2 "$cmd =", ZV_ERROR_CMD_COMMAND, 2, nullptr},
    {"cmd without a caption", COUNT2 "$cmd = setup.exe", ZV_ERROR_CMD_CAPTION, 2, nullptr},
    {"cmd without a flag", COUNT2 "$cmd = setup.exe,Setup", ZV_ERROR_BOOL, 2, nullptr},
    {"cmd flag that starts on a blank", COUNT2 "$cmd = setup.exe,Setup, yes", ZV_ERROR_BOOL, 2, nullptr},
    {"an unknown command", COUNT2 "&copy a", ZV_ERROR_UNDEFINED_COMMAND, 2, nullptr},
    {"a blank after & leaves the command word empty", COUNT2 "& start", ZV_ERROR_UNDEFINED_COMMAND, 2, nullptr},
    {"a CR before the end of the file stays in the last line", COUNT2 "&start\n&end\r", ZV_ERROR_UNDEFINED_COMMAND, 3,
        nullptr},
    {"start inside a section, even when it would also be one too many", "$installtypecount = 1\n&start\n&start",
        ZV_ERROR_ALREADY_ADDING, 3, nullptr},
    {"more sections than types", "$installtypecount = 1\n&start\n&end\n&start", ZV_ERROR_TOO_MANY_TYPES, 4, nullptr},
    {"a section before the count", "&start", ZV_ERROR_TOO_MANY_TYPES, 1, nullptr},
    {"a negative count takes no section", "$installtypecount = -1\n&start", ZV_ERROR_TOO_MANY_TYPES, 2, nullptr},
    {"end without start", COUNT2 "&end", ZV_ERROR_END_WITHOUT_START, 2, nullptr},
    {"mkdir without a path", COUNT2 "&mkdir", ZV_ERROR_MKDIR_ARGUMENT, 2, nullptr},
    {"mksc without arguments", COUNT2 "&mksc", ZV_ERROR_MKSC_ARGUMENT, 2, nullptr},
    {"mksc without a command", COUNT2 "&mksc Game", ZV_ERROR_MKSC_COMMAND, 2, nullptr},
    {"a file line outside a section", COUNT2 "game.exe", ZV_ERROR_IDENTIFIER, 2, nullptr},
    {"a file line with a disc number before any start", COUNT2 "data.pak,2", ZV_ERROR_IDENTIFIER, 2, nullptr},
    {"a file line that begins with a comma", COUNT2 "&start\n,2", ZV_ERROR_FILE_BEFORE_DISC, 3, nullptr},
    {"a disc number that is no number", COUNT2 "&start\ndata.pak,x", ZV_ERROR_DISC_NUMBER, 3, nullptr},
    {"a comma without a disc number", COUNT2 "&start\ndata.pak,", ZV_ERROR_DISC_NUMBER, 3, nullptr},
    {"no count at the end: line one past the last", "#only a comment\n$gametitle = x\n", ZV_ERROR_NO_TYPE_COUNT, 3,
        nullptr},
    {"an empty script is one empty line", "", ZV_ERROR_NO_TYPE_COUNT, 2, nullptr},
    {"blank and comment lines are counted", COUNT2 "\n   \n# c\n\t\n$x = 1", ZV_ERROR_UNKNOWN_VARIABLE, 6, nullptr},
    {"CR LF lines are counted once", COUNT2 "\r\n\r\n$x = 1\r\n", ZV_ERROR_UNKNOWN_VARIABLE, 4, nullptr},
};

TEST(ScriptErrors, EachCheckRaisesItsMessage)
{
    for (const SCRIPT_CASE& row : kErrorCases)
        RunScriptCase(row, __LINE__);
}

// Values that do not fit their field are refused, never cut (only gametitle is cut).
TEST(ScriptErrors, ValuesLongerThanTheirFieldAreRefused)
{
    std::string path259(259, 'p'), path260(260, 'p');
    std::string fits = COUNT2 "$installdir = " + path259 + "\n&mkdir " + path259 + "\n$cmd = " + path259 + ",B,no\n";
    RunScriptCase({"259-byte paths fit", fits.c_str(), nullptr, 0, nullptr}, __LINE__);

    struct {
        const char* proves;
        std::string script;
    } tooLong[] = {
        {"installdir", COUNT2 "$installdir = " + path260},
        {"mkdir path", COUNT2 "&mkdir " + path260},
        {"cmd command", COUNT2 "$cmd = " + path260 + ",B,no"},
        {"cmd caption", COUNT2 "$cmd = a.exe," + std::string(1024, 'c') + ",no"},
        {"message", COUNT2 "$splashmessage = " + std::string(1024, 'm')},
        {"registry key", COUNT2 "$registrykey = " + std::string(64, 'k')},
        {"type name", COUNT2 "$installtypename = A," + std::string(64, 'n')},
        {"shortcut name", COUNT2 "&mksc " + std::string(128, 'n') + ",a.exe"},
        {"shortcut arguments", COUNT2 "&mksc N,a.exe " + std::string(128, 'a')},
    };
    for (const auto& row : tooLong) {
        SCRIPT_CASE rowCase = {row.proves, row.script.c_str(), ZV_ERROR_VALUE_TOO_LONG, 2, nullptr};
        RunScriptCase(rowCase, __LINE__);
    }
}

TEST(ScriptErrors, The257thDirectoryIsRefusedBeforeItsArgumentIsRead)
{
    std::string script = COUNT2;
    for (int i = 0; i < 256; i++)
        script += "&mkdir d" + std::to_string(i) + "\n";
    RunScriptCase({"256 directories fit", script.c_str(), nullptr, 0,
                      [](const INSTALL_DESCRIPTION& d) {
                          EXPECT_EQ(256, d.makeDirCount);
                          EXPECT_STREQ("d255", d.makeDirs[255]);
                      }},
        __LINE__);
    script += "&mkdir\n";
    RunScriptCase({"the 257th is too many", script.c_str(), ZV_ERROR_TOO_MANY_DIRS, 258, nullptr}, __LINE__);
}

TEST(ScriptErrors, ReportNamesMessageFileLineAndTrimmedText)
{
    std::unique_ptr<INSTALL_DESCRIPTION> description = NewDescription();
    SCRIPT_ERROR error;
    ASSERT_FALSE(ParseInstallScript(
        CZVString("#\n#\n#\n$installtypecount = 1\n  \t$desktopshortcut = はい  \n"), description.get(), &error));
    EXPECT_EQ(5, error.line);
    EXPECT_STREQ("bool型の値を設定してください\n\nファイル名: Install.ifo\n行数: 5\n$desktopshortcut = はい",
        FormatScriptError(error, "Install.ifo").GetString());

    ASSERT_FALSE(ParseInstallScript(CZVString("# one\n"), description.get(), &error));
    EXPECT_STREQ("$InstallTypeCountを設定してください\n\nファイル名: D:\\Install.ifo\n行数: 2\n",
        FormatScriptError(error, "D:\\Install.ifo").GetString());
}

} // namespace
