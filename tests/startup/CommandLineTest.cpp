// The command line of the installer, as a table of lines and the options they give.
#include <gtest/gtest.h>

#include <cstring>
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
    {"an unknown name no longer swallows the next option", "-x -temp ", false, true, ""},
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
    COMMAND_LINE_OPTIONS options;
    memset(&options, 1, sizeof(options));
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

    // An over-long unknown name is one bad option, kept as far as it fits; the next option is read as usual.
    ParseCommandLine(("-" + longPath + " -temp ").c_str(), &options);
    EXPECT_TRUE(options.temp);
    EXPECT_EQ("-" + longPath.substr(0, kPathBytes - 2), options.badOption);
    // A recognised name is judged by its first bytes only.
    ParseCommandLine(("-temp" + longPath + " ").c_str(), &options);
    EXPECT_TRUE(options.temp);
}

// Every option, in one line of text: what the scanner made of a command line.
std::string Describe(const COMMAND_LINE_OPTIONS& options)
{
    std::string text;
    const struct {
        bool given;
        const char* name;
    } flags[] = {{options.silent, "silent"}, {options.temp, "temp"}, {options.quiet, "quiet"},
        {options.reinstall, "reinstall"}, {options.uninstall, "uninstall"}, {options.erase, "erase"},
        {options.noDesktop, "nodesktop"}, {options.noStartMenu, "nostartmenu"}, {options.allUsers, "allusers"}};
    for (const auto& flag : flags) {
        if (flag.given)
            text += std::string(" ") + flag.name;
    }
    if (options.type != 0)
        text += " type=" + std::to_string(options.type);
    const struct {
        const char* value;
        const char* name;
    } values[] = {{options.dir, "dir"}, {options.target, "target"}, {options.log, "log"}, {options.badOption, "bad"}};
    for (const auto& value : values) {
        if (value.value[0] != '\0')
            text += std::string(" ") + value.name + "=" + value.value;
    }
    return text.empty() ? text : text.substr(1);
}

struct UnattendedCase {
    const char* proves;
    const char* line;
    const char* options; // as Describe writes them
};

const UnattendedCase kUnattendedCases[] = {
    {"an unattended install", "-quiet -type:2 -target:\"C:\\Program Files\\G\" -nodesktop -log:\"C:\\t\\a.log\"",
        "quiet nodesktop type=2 target=C:\\Program Files\\G log=C:\\t\\a.log"},
    {"the quiet uninstall as the uninstall entry stores it", "-dir \"C:\\Games\\G\\\" -quiet -uninstall",
        "quiet uninstall dir=C:\\Games\\G\\"},
    {"new names at the end of the line count", "-temp -dir:\"D:\\\" -quiet -reinstall -erase -nostartmenu -allusers",
        "temp quiet reinstall erase nostartmenu allusers dir=D:\\"},
    {"new names whole and without regard to case", "-QUIET -Type:3 -NoDesktop ", "quiet nodesktop type=3"},
    {"a plain value at the end of the line", "-quiet -target:C:\\G", "quiet target=C:\\G"},
    {"a plain value ends at a blank", "-target:C:\\G -quiet", "quiet target=C:\\G"},
    {"a value after a blank", "-log \"x y.log\" -quiet", "quiet log=x y.log"},
    {"a hyphen inside a quoted value", "-target:\"C:\\a -temp b\" ", "target=C:\\a -temp b"},
    {"the relaunch's line with the handed-on options",
        "-temp -dir:\"D:\\\" -quiet -uninstall -erase -type:1 -target:\"C:\\G\" -log:\"C:\\l\"",
        "temp quiet uninstall erase type=1 dir=D:\\ target=C:\\G log=C:\\l"},
    {"old names still match by prefix, new names do not", "-temporary -quietly -silentx ", "silent temp bad=-quietly"},
    {"an old name at the end is not recognised but named", "-quiet -temp", "quiet bad=-temp"},
    {"an unknown name with a quoted value is passed over whole", "-foo:\"C:\\x -quiet y\" -erase ", "erase bad=-foo"},
    {"an unknown name with a plain value", "-foo:bar -quiet", "quiet bad=-foo"},
    {"only the first bad option is kept", "-a -b -quiet", "quiet bad=-a"},
    {"a lone hyphen", "- -quiet", "quiet bad=-"},
    {"a flag with a value is bad", "-quiet:yes -erase", "erase bad=-quiet"},
    {"type zero", "-type:0 ", "bad=-type"},
    {"type not a number", "-type:two ", "bad=-type"},
    {"type too large", "-type:1000 ", "bad=-type"},
    {"the largest type", "-type:999 ", "type=999"},
    {"type with a sign", "-type:+1 ", "bad=-type"},
    {"type without a value at the end", "-quiet -type", "quiet bad=-type"},
    {"type with an empty value", "-type: -quiet", "quiet bad=-type"},
    {"an unterminated quoted target", "-quiet -target:\"C:\\x", "quiet bad=-target"},
    {"a double quote inside a plain target", "-quiet -target:C:\\a\"b", "quiet bad=-target"},
    {"an empty quoted log", "-log:\"\" -quiet", "quiet bad=-log"},
    {"the last value wins", "-type:1 -type:2 -target:A -target:B ", "type=2 target=B"},
    {"a double-byte target", "-target:\"C:\\ゲーム\\表示\"", "target=C:\\ゲーム\\表示"},
};

TEST(ParseCommandLine, UnattendedOptionsTable)
{
    for (const UnattendedCase& row : kUnattendedCases) {
        COMMAND_LINE_OPTIONS options;
        memset(&options, 0xbd, sizeof(options));
        ParseCommandLine(row.line, &options);
        EXPECT_EQ(std::string(row.options), Describe(options)) << row.proves;
    }
    // A value that does not fit a path is refused, never cut into another path.
    COMMAND_LINE_OPTIONS options;
    ParseCommandLine(("-quiet -target:\"" + std::string(300, 'p') + "\" ").c_str(), &options);
    EXPECT_EQ("quiet bad=-target", Describe(options));
}

TEST(FormatHandedOnOptions, ReadBackAsTheyWereGiven)
{
    const char* lines[] = {
        "-quiet -reinstall -uninstall -erase -nodesktop -nostartmenu -allusers -type:12 -target:\"C:\\a b\" "
        "-log:\"C:\\ログ\\x.log\"",
        "-quiet",
        "-quiet -type:1",
    };
    for (const char* line : lines) {
        COMMAND_LINE_OPTIONS given, handedOn;
        ParseCommandLine(line, &given);
        CZVString text = FormatHandedOnOptions(given);
        ParseCommandLine((std::string("-temp -dir:\"D:\\\"") + text.GetString()).c_str(), &handedOn);
        EXPECT_TRUE(handedOn.temp) << line;
        EXPECT_STREQ("D:\\", handedOn.dir) << line;
        handedOn.temp = false;
        handedOn.dir[0] = '\0';
        EXPECT_EQ(Describe(given), Describe(handedOn)) << line;
    }
    COMMAND_LINE_OPTIONS interactive;
    ParseCommandLine("-type:2 -erase ", &interactive);
    EXPECT_STREQ("", FormatHandedOnOptions(interactive).GetString()) << "nothing is handed on without -quiet";
}

} // namespace
