// The command line of the installer, as a table of lines and the options they give.
#include <gtest/gtest.h>

#include <string>

#include "startup/CommandLine.h"

namespace {

struct CommandLineCase {
    const char* proves;
    const char* line;
    bool silent;
    bool temp;
    const char* dir;
};

const CommandLineCase kCases[] = {
    {"no options", "", false, false, ""},
    {"words without a hyphen are ignored", "setup temp dir:x ", false, false, ""},
    {"the relaunch's own line", "\"C:\\T\\g\\ZVSetup.exe\" -temp -dir:\"D:\\\"", false, true, "D:\\"},
    {"quoted dir after a colon keeps its space", "-dir:\"C:\\Program Files\\x\" ", false, false,
        "C:\\Program Files\\x"},
    {"quoted dir after a blank", "-dir \"C:\\a b\"", false, false, "C:\\a b"},
    {"plain dir ends at a space", "-dir:C:\\x -temp ", false, true, "C:\\x"},
    {"plain dir as the last word is not stored", "-temp -dir:C:\\x", false, true, ""},
    {"quoted dir without its closing quote is not stored", "-dir:\"C:\\x", false, false, ""},
    {"an empty quoted dir", "-dir:\"\" -temp ", false, true, ""},
    {"names match without regard to case", "-SILENT ", true, false, ""},
    {"names match by prefix", "-silentmode -temporary ", true, true, ""},
    {"an option as the last word is not recognised", "-temp -silent", false, true, ""},
    {"a colon ends a name too", "-temp:", false, true, ""},
    {"too short for its name", "-tem -sil ", false, false, ""},
    {"a backslash is an ordinary byte", "-dir:\"C:\\x\\\" -temp ", false, true, "C:\\x\\"},
    {"a dir option with a longer name", "-directory:\"E:\\\" ", false, false, "E:\\"},
    {"an unknown name swallows the next option", "-x -temp ", false, false, ""},
    {"the last dir wins", "-dir:\"A:\\\" -dir:\"B:\\\"", false, false, "B:\\"},
    {"both silent and temp", "-temp -silent ", true, true, ""},
    {"a double-byte path", "-dir:\"C:\\ゲーム\\表示\"", false, false, "C:\\ゲーム\\表示"},
};

TEST(ParseCommandLine, Table)
{
    for (const CommandLineCase& row : kCases) {
        COMMAND_LINE_OPTIONS options;
        memset(&options, 0xbd, sizeof(options));
        ParseCommandLine(row.line, &options);
        EXPECT_EQ(row.silent, options.silent) << row.proves;
        EXPECT_EQ(row.temp, options.temp) << row.proves;
        EXPECT_EQ(std::string(row.dir), options.dir) << row.proves;
    }
}

TEST(ParseCommandLine, NullClearsEverything)
{
    COMMAND_LINE_OPTIONS options = {true, true, "C:\\old"};
    ParseCommandLine(nullptr, &options);
    EXPECT_FALSE(options.silent);
    EXPECT_FALSE(options.temp);
    EXPECT_STREQ("", options.dir);
}

TEST(ParseCommandLine, LongValuesKeep259Bytes)
{
    std::string longPath(400, 'p');
    COMMAND_LINE_OPTIONS options;
    ParseCommandLine(("-dir:\"" + longPath + "\" -temp ").c_str(), &options);
    EXPECT_EQ(longPath.substr(0, kPathBytes - 1), options.dir);
    EXPECT_TRUE(options.temp);

    // An over-long unknown name stays one token whose end is dropped; the next option is swallowed with it.
    ParseCommandLine(("-" + longPath + " -temp ").c_str(), &options);
    EXPECT_FALSE(options.temp);
    // A recognised name is judged by its first bytes only.
    ParseCommandLine(("-temp" + longPath + " ").c_str(), &options);
    EXPECT_TRUE(options.temp);
}

} // namespace
