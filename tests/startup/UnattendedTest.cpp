// The decisions of an unattended run: the settings it takes in place of the dialog, the answers it gives in place
// of a person, and the lines of its report.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "script/ScriptParser.h"
#include "startup/Unattended.h"

namespace {

// The settings of a script with three types (the second its own), both links and all users offered, and the base
// folder proposed; extraLine is read last.
INSTALL_SETTINGS ScriptSettings(const char* extraLine = "")
{
    INSTALL_DESCRIPTION description;
    SCRIPT_ERROR error;
    EXPECT_TRUE(ParseInstallScript(CZVString("$installtypecount = 3\n$installtype = 1\n$desktopshortcut = yes\n"
                                             "$startmenushortcut = yes\n$allowalluser = yes\n")
            + extraLine,
        &description, &error))
        << extraLine;
    strcpy(description.settings.installdir, "C:\\Program Files"); // proposed by the system, not the script
    return description.settings;
}

struct SettingsCase {
    const char* proves;
    const char* line;
    bool allUsersOffered;
    UNATTENDED_REFUSAL refusal;
    int exitCode;
    const char* chosen; // type desktop startmenu allusers folder, when not refused
    const char* scriptLine = ""; // a line of the script that changes its settings
};

const SettingsCase kSettingsCases[] = {
    {"the script's type and the proposed folder", "-quiet ", false, kRefusalNone, 0, "1 1 1 0 C:\\Program Files"},
    {"a type is 1-based", "-quiet -type:3 ", false, kRefusalNone, 0, "2 1 1 0 C:\\Program Files"},
    {"a type beyond the script's", "-quiet -type:4 ", false, kRefusalNoSuchType, 1, nullptr},
    {"a folder given", "-quiet -target:\"D:\\Games\" ", false, kRefusalNone, 0, "1 1 1 0 D:\\Games"},
    {"a drive root is kept as the dialog keeps it", "-quiet -target:E:\\ ", false, kRefusalNone, 0, "1 1 1 0 E:"},
    {"a folder's own backslash goes", "-quiet -target:\"D:\\ゲーム\\\" ", false, kRefusalNone, 0, "1 1 1 0 D:\\ゲーム"},
    {"links declined", "-quiet -nodesktop -nostartmenu ", false, kRefusalNone, 0, "1 0 0 0 C:\\Program Files"},
    {"no Start-menu links where the script offers none", "-quiet ", false, kRefusalNone, 0, "1 1 0 0 C:\\Program Files",
        "$StartMenuShortcut = no"},
    {"all users where offered", "-quiet -allusers ", true, kRefusalNone, 0, "1 1 1 1 C:\\Program Files"},
    {"all users where not offered", "-quiet -allusers ", false, kRefusalAllUsers, 2, nullptr},
};

TEST(ChooseUnattendedSettings, Table)
{
    for (const SettingsCase& row : kSettingsCases) {
        COMMAND_LINE_OPTIONS options;
        ParseCommandLine(row.line, &options);
        ASSERT_STREQ("", options.badOption) << row.proves;
        INSTALL_SETTINGS settings = ScriptSettings(row.scriptLine);
        UNATTENDED_REFUSAL refusal = ChooseUnattendedSettings(options, row.allUsersOffered, &settings);
        EXPECT_EQ(row.refusal, refusal) << row.proves;
        EXPECT_EQ(row.exitCode, RefusalExitCode(refusal)) << row.proves;
        if (row.chosen == nullptr) {
            INSTALL_SETTINGS unchanged = ScriptSettings();
            EXPECT_EQ(0, memcmp(&unchanged, &settings, sizeof(settings))) << row.proves << ": changed when refused";
            continue;
        }
        std::string chosen = std::to_string(settings.installtype) + " " + std::to_string(settings.desktopshortcut) + " "
            + std::to_string(settings.startmenushortcut) + " " + std::to_string(settings.forAllUsers) + " "
            + settings.installdir;
        EXPECT_EQ(row.chosen, chosen) << row.proves;
    }

    // The script's choices bound the options: links it does not offer, all users it does not allow, a default type
    // that none of its types is.
    COMMAND_LINE_OPTIONS options;
    ParseCommandLine("-quiet -allusers ", &options);
    INSTALL_SETTINGS settings = ScriptSettings();
    settings.allowalluser = false;
    EXPECT_EQ(kRefusalAllUsers, ChooseUnattendedSettings(options, true, &settings));
    ParseCommandLine("-quiet ", &options);
    settings = ScriptSettings();
    settings.desktopshortcut = false;
    ASSERT_EQ(kRefusalNone, ChooseUnattendedSettings(options, false, &settings));
    EXPECT_FALSE(settings.desktopshortcut);
    settings = ScriptSettings();
    settings.installtype = 5;
    EXPECT_EQ(kRefusalTypeNeeded, ChooseUnattendedSettings(options, false, &settings));
    EXPECT_EQ(kExitCannotStart, RefusalExitCode(kRefusalTypeNeeded));
    settings.installtypecount = 12; // beyond the dialog's ten buttons
    ParseCommandLine("-quiet -type:11 ", &options);
    EXPECT_EQ(kRefusalNoSuchType, ChooseUnattendedSettings(options, false, &settings));
}

TEST(StoppingAnswer, EveryKindOfBox)
{
    const struct {
        unsigned int type;
        int answer;
    } boxes[] = {
        {kBoxOk | 0x10, kAnswerOk}, // an icon bit does not change the buttons
        {kBoxOkCancel | 0x20, kAnswerCancel},
        {kBoxYesNo | 0x20 | 0x1000, kAnswerNo},
        {kBoxYesNoCancel, kAnswerCancel},
        {kBoxRetryCancel, kAnswerCancel},
        {kBoxAbortRetryIgnore, kAnswerAbort},
        {kBoxCancelTryContinue, kAnswerCancel},
    };
    for (const auto& box : boxes)
        EXPECT_EQ(box.answer, StoppingAnswer(box.type)) << box.type;
}

TEST(SearchDiscsForScript, AQuietRunNeverTakesAnotherDiscsTitleForItsBrokenScript)
{
    const struct {
        const char* proves;
        bool quiet, scriptPresent, search;
    } rows[] = {
        {"no script in the start folder: the drives are searched", false, false, true},
        {"quiet, no script: the same", true, false, true},
        {"a broken script, with a person: the drives are searched after its box", false, true, true},
        {"a broken script, quiet: the run ends", true, true, false},
    };
    for (const auto& row : rows)
        EXPECT_EQ(row.search, SearchDiscsForScript(row.quiet, row.scriptPresent)) << row.proves;
}

TEST(FormatReportLine, OneLineWithTimeAndCaption)
{
    LOG_TIME time = {2026, 12, 8, 9, 5, 3};
    EXPECT_STREQ("2026-12-08 09:05:03 [失敗] インストール中にエラーが発生しました アンドゥーします\r\n",
        FormatReportLine(time, "失敗", "インストール中にエラーが発生しました\nアンドゥーします").GetString());
    // Breaks inside become blanks, breaks at the end go; "ソ" and "表" end in the byte of a backslash, not a break.
    EXPECT_STREQ(
        "2026-12-08 09:05:03 [情報] a  b ソ表\r\n", FormatReportLine(time, "情報", "a\r\nb\nソ表\r\n\n").GetString());
    EXPECT_STREQ("2026-12-08 09:05:03 [] \r\n", FormatReportLine(time, "", "").GetString());
}

} // namespace
