// What valid scripts put into the install description.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "script/ScriptTexts.h"
#include "tests/script/ScriptCase.h"

namespace {

std::string Text(const CZVString& text)
{
    return text.GetString();
}

const char kSampleScript[] = "#sample script\r\n"
                             "$GameTitle = Sample\r\n"
                             "$InstallTypeCount = 2\r\n"
                             "$InstallTypeName = Standard,Full\r\n"
                             "$InstallRequire = 300,650\r\n"
                             "$InstallSubDir = Sample\r\n"
                             "$ExecuteFile = sample.exe\r\n"
                             "$RegistryRoot = Vendor\r\n"
                             "$RegistryKey = SampleGame\r\n"
                             "$RegistryInstallDirValue = Path\r\n"
                             "$NumberOfDisc = 2\r\n"
                             "$DesktopShortcut = yes\r\n"
                             "$cmd = manual\\index.htm,Manual,no\r\n"
                             "&mkdir save\r\n"
                             "&mksc Sample,sample.exe -window,0\r\n"
                             "&start\r\n"
                             "sample.exe\r\n"
                             "data\\base.pak, 1\r\n"
                             "&end\r\n"
                             "&start\r\n"
                             "data\\movie.pak, 2\r\n"
                             "&end\r\n";

TEST(ScriptParser, SampleScriptFillsTheDescription)
{
    auto d = ParseValidScript(kSampleScript, __LINE__);
    const INSTALL_SETTINGS& s = d->settings;
    EXPECT_STREQ("Sample", s.gametitle);
    EXPECT_EQ(2, s.installtypecount);
    EXPECT_STREQ("Standard", s.installtypename[0]);
    EXPECT_STREQ("Full", s.installtypename[1]);
    EXPECT_EQ(300, s.installrequire[0]);
    EXPECT_EQ(650, s.installrequire[1]);
    EXPECT_STREQ("Sample", s.installsubdir);
    EXPECT_STREQ("sample.exe", s.executefile);
    EXPECT_STREQ("Vendor", s.registryroot);
    EXPECT_STREQ("SampleGame", s.registrykey);
    EXPECT_STREQ("Path", s.registryinstalldirvalue);
    EXPECT_EQ(2, s.numberofdisc);
    EXPECT_TRUE(s.desktopshortcut);
    EXPECT_FALSE(s.startmenushortcut);
    EXPECT_STREQ(ZV_TEXT_CHANGE_DISC_MESSAGE, s.changediscmessage);
    EXPECT_STREQ(ZV_TEXT_CHANGE_DISC_CAPTION, s.changedisccaption);

    ASSERT_EQ(1u, d->commands.size());
    EXPECT_STREQ("manual\\index.htm", d->commands[0].command);
    EXPECT_STREQ("Manual", d->commands[0].caption);
    EXPECT_FALSE(d->commands[0].waitForExit);
    EXPECT_EQ(0, d->commands[0].buttonId);
    EXPECT_EQ(1, d->makeDirCount);
    EXPECT_STREQ("save", d->makeDirs[0]);
    ASSERT_EQ(1u, d->shortcuts.size());
    EXPECT_STREQ("Sample", d->shortcuts[0].name);
    EXPECT_STREQ("sample.exe", d->shortcuts[0].target);
    EXPECT_STREQ("-window", d->shortcuts[0].arguments);

    ASSERT_EQ(2u, d->typeFiles[0].size());
    ASSERT_EQ(3u, d->typeFiles[1].size());
    EXPECT_EQ("sample.exe", Text(d->typeFiles[0][0].fileName));
    EXPECT_EQ(1, d->typeFiles[0][0].disc);
    EXPECT_EQ("data\\base.pak", Text(d->typeFiles[1][1].fileName));
    EXPECT_EQ("data\\movie.pak", Text(d->typeFiles[1][2].fileName));
    EXPECT_EQ(2, d->typeFiles[1][2].disc);
    for (int t = 2; t < kMaxInstallTypes; t++)
        EXPECT_TRUE(d->typeFiles[t].empty());

    ASSERT_EQ(2u, d->discLabels.size());
    EXPECT_EQ("ディスク1", Text(d->discLabels[0]));
    EXPECT_EQ("ディスク2", Text(d->discLabels[1]));
}

const SCRIPT_CASE kValidCases[] = {
    {"one line is a whole script", "$installtypecount = 1", nullptr, 0,
        [](const INSTALL_DESCRIPTION& d) {
            EXPECT_EQ(1, d.settings.installtypecount);
            EXPECT_TRUE(d.typeFiles[0].empty());
            ASSERT_EQ(1u, d.discLabels.size());
            EXPECT_STREQ("ディスク1", d.discLabels[0].GetString());
        }},
    {"names ignore case and blanks around =", "$InstallTypeCount=2\n$INSTALLTYPECOUNT = 3", nullptr, 0,
        [](const INSTALL_DESCRIPTION& d) { EXPECT_EQ(3, d.settings.installtypecount); }},
    {"values keep quotes and further =", "$installtypecount = 1\n$gametitle = \"Title\"\n$executecommand = -a=1",
        nullptr, 0,
        [](const INSTALL_DESCRIPTION& d) {
            EXPECT_STREQ("\"Title\"", d.settings.gametitle);
            EXPECT_STREQ("-a=1", d.settings.executecommand);
        }},
    {"list tokens are trimmed and empty ones skipped", "$installtypecount = 3\n$installtypename = Full, Normal,,Min",
        nullptr, 0,
        [](const INSTALL_DESCRIPTION& d) {
            EXPECT_STREQ("Full", d.settings.installtypename[0]);
            EXPECT_STREQ("Normal", d.settings.installtypename[1]);
            EXPECT_STREQ("Min", d.settings.installtypename[2]);
        }},
    {"twelve names for ten types keep the first ten",
        "$installtypecount = 10\n$installtypename = a,b,c,d,e,f,g,h,i,j,k,l\n$installrequire = 1,2,3,4,5,6,7,8,9,10,11",
        nullptr, 0,
        [](const INSTALL_DESCRIPTION& d) {
            EXPECT_STREQ("j", d.settings.installtypename[9]);
            EXPECT_EQ(10, d.settings.installrequire[9]);
        }},
    {"bool words in any case",
        "$installtypecount = 1\n$desktopshortcut = TRUE\n$startmenushortcut = 1\n"
        "$allowalluser = Yes\n$allowalluser = no",
        nullptr, 0,
        [](const INSTALL_DESCRIPTION& d) {
            EXPECT_TRUE(d.settings.desktopshortcut);
            EXPECT_TRUE(d.settings.startmenushortcut);
            EXPECT_FALSE(d.settings.allowalluser);
        }},
    {"integers read as atoi does",
        "$installtypecount = 1\n$directxrequire = 7a\n$installtype = x\n"
        "$forceinstalltype = -3",
        nullptr, 0,
        [](const INSTALL_DESCRIPTION& d) {
            EXPECT_EQ(7, d.settings.directxrequire);
            EXPECT_EQ(0, d.settings.installtype);
            EXPECT_EQ(-3, d.settings.forceinstalltype);
        }},
    {"cmd fields are not trimmed", "$installtypecount = 1\n$cmd = setup.exe, Setup,YES\n$cmd = b.exe,B,no", nullptr, 0,
        [](const INSTALL_DESCRIPTION& d) {
            ASSERT_EQ(2u, d.commands.size());
            EXPECT_STREQ(" Setup", d.commands[0].caption);
            EXPECT_TRUE(d.commands[0].waitForExit);
            EXPECT_STREQ("b.exe", d.commands[1].command);
            EXPECT_FALSE(d.commands[1].waitForExit);
        }},
    {"mksc splits its second field at the first space",
        "$installtypecount = 1\n&mksc Game,game.exe -w -x,2\n&mksc Game, game.exe\n&mksc\tTool,tool.exe", nullptr, 0,
        [](const INSTALL_DESCRIPTION& d) {
            ASSERT_EQ(3u, d.shortcuts.size());
            EXPECT_STREQ("Game", d.shortcuts[0].name);
            EXPECT_STREQ("game.exe", d.shortcuts[0].target);
            EXPECT_STREQ("-w -x", d.shortcuts[0].arguments);
            EXPECT_EQ(2, d.shortcuts[0].iconIndex);
            EXPECT_STREQ("", d.shortcuts[1].target);
            EXPECT_STREQ("game.exe", d.shortcuts[1].arguments);
            EXPECT_EQ(0, d.shortcuts[1].iconIndex);
            EXPECT_STREQ("Tool", d.shortcuts[2].name); // no space: the next word is the argument text
            EXPECT_STREQ("tool.exe", d.shortcuts[2].target);
        }},
    {"mkdir takes one word", "$installtypecount = 1\n&MKDIR save data\n&mkdir\tlog", nullptr, 0,
        [](const INSTALL_DESCRIPTION& d) {
            EXPECT_EQ(2, d.makeDirCount);
            EXPECT_STREQ("save", d.makeDirs[0]);
            EXPECT_STREQ("log", d.makeDirs[1]);
        }},
    {"section k fills the lists k-1 to count-1",
        "$installtypecount = 3\n&start\nA\n&end\n&start\nB\n&end\n&start anything\nC\n&end trailing", nullptr, 0,
        [](const INSTALL_DESCRIPTION& d) {
            const char* expected[3][3] = {{"A"}, {"A", "B"}, {"A", "B", "C"}};
            for (int t = 0; t < 3; t++) {
                ASSERT_EQ(static_cast<size_t>(t + 1), d.typeFiles[t].size());
                for (int i = 0; i <= t; i++)
                    EXPECT_STREQ(expected[t][i], d.typeFiles[t][i].fileName.GetString());
            }
            EXPECT_TRUE(d.typeFiles[3].empty());
        }},
    {"a count lowered inside a section limits the lists", "$installtypecount = 3\n&start\nA\n$installtypecount = 1\nB",
        nullptr, 0,
        [](const INSTALL_DESCRIPTION& d) {
            EXPECT_EQ(2u, d.typeFiles[0].size());
            EXPECT_EQ(1u, d.typeFiles[2].size());
        }},
    {"file names: quotes go only with a disc number",
        "$installtypecount = 1\n&start\n\"a b.dat\", 2\n\"a b.dat\"\ndata.pak,-1\nx.dat , \"3\"", nullptr, 0,
        [](const INSTALL_DESCRIPTION& d) {
            const auto& files = d.typeFiles[0];
            ASSERT_EQ(4u, files.size());
            EXPECT_STREQ("a b.dat", files[0].fileName.GetString());
            EXPECT_EQ(2, files[0].disc);
            EXPECT_STREQ("\"a b.dat\"", files[1].fileName.GetString());
            EXPECT_EQ(1, files[1].disc);
            EXPECT_EQ(-1, files[2].disc);
            EXPECT_STREQ("x.dat", files[3].fileName.GetString());
            EXPECT_EQ(3, files[3].disc);
        }},
    {"a file may end inside a section", "$installtypecount = 1\n&start\ngame.exe", nullptr, 0,
        [](const INSTALL_DESCRIPTION& d) { EXPECT_EQ(1u, d.typeFiles[0].size()); }},
    {"unnamed discs get generated labels after the named ones", "$installtypecount = 1\n$numberofdisc = 3\n! 本編 ",
        nullptr, 0,
        [](const INSTALL_DESCRIPTION& d) {
            ASSERT_EQ(3u, d.discLabels.size());
            EXPECT_STREQ("本編", d.discLabels[0].GetString());
            EXPECT_STREQ("ディスク2", d.discLabels[1].GetString());
            EXPECT_STREQ("ディスク3", d.discLabels[2].GetString());
        }},
    {"999 discs, the most that markers can number", "$installtypecount = 1\n$numberofdisc = 999", nullptr, 0,
        [](const INSTALL_DESCRIPTION& d) {
            EXPECT_EQ(999, d.settings.numberofdisc);
            ASSERT_EQ(999u, d.discLabels.size());
            EXPECT_STREQ("ディスク999", d.discLabels[998].GetString());
        }},
    {"labels beyond the disc count are kept", "$installtypecount = 1\n!A\n!\n!C", nullptr, 0,
        [](const INSTALL_DESCRIPTION& d) {
            ASSERT_EQ(3u, d.discLabels.size());
            EXPECT_STREQ("", d.discLabels[1].GetString());
        }},
    // ソ is 83 5C and 表 is 95 5C: their trail bytes are backslashes. ア is 83 41: its trail byte is 'A'.
    {"Shift-JIS trail bytes are neither separators nor letters",
        "$installtypecount = 2\n$GameTitle = ソフト表示\n$installtypename = 表示,アA\n&mksc ソフト,表\\ア.exe -表,1\n"
        "&start\nデータ\\表.dat, 2\nア.dat\n",
        nullptr, 0,
        [](const INSTALL_DESCRIPTION& d) {
            EXPECT_STREQ("ソフト表示", d.settings.gametitle);
            EXPECT_STREQ("アA", d.settings.installtypename[1]);
            EXPECT_STREQ("表\\ア.exe", d.shortcuts[0].target);
            EXPECT_STREQ("-表", d.shortcuts[0].arguments);
            EXPECT_STREQ("データ\\表.dat", d.typeFiles[1][0].fileName.GetString());
            EXPECT_STREQ("ア.dat", d.typeFiles[1][1].fileName.GetString());
        }},
};

TEST(ScriptParser, ValidScripts)
{
    for (const SCRIPT_CASE& row : kValidCases)
        RunScriptCase(row, __LINE__);
}

TEST(ScriptParser, GameTitleIsCutTo63BytesOnACharacterBoundary)
{
    std::string script = "$installtypecount = 1\n$gametitle = " + std::string(70, 't');
    EXPECT_EQ(std::string(63, 't'), ParseValidScript(script.c_str(), __LINE__)->settings.gametitle);

    // 62 single bytes and then a double-byte character: keeping byte 63 would keep only its lead byte.
    script = "$installtypecount = 1\n$gametitle = " + std::string(62, 't') + "表示";
    EXPECT_EQ(std::string(62, 't'), ParseValidScript(script.c_str(), __LINE__)->settings.gametitle);
}

TEST(ScriptParser, EachParseStartsFromAResetDescription)
{
    auto d = NewDescription();
    SCRIPT_ERROR error;
    ASSERT_TRUE(ParseInstallScript(CZVString(kSampleScript) + "$forceinstalltype = 3\r\n", d.get(), &error));
    ASSERT_EQ(3, d->settings.forceinstalltype);
    ASSERT_TRUE(ParseInstallScript(CZVString("$installtypecount = 1\n"), d.get(), &error));
    EXPECT_STREQ("", d->settings.gametitle);
    EXPECT_EQ(0, d->settings.forceinstalltype) << "another script's type would be written to the registry";
    EXPECT_EQ(1, d->settings.numberofdisc);
    EXPECT_TRUE(d->typeFiles[1].empty());
    EXPECT_TRUE(d->commands.empty());
    EXPECT_TRUE(d->shortcuts.empty());
    EXPECT_EQ(0, d->makeDirCount);
    EXPECT_EQ(1u, d->discLabels.size());
}

TEST(ScriptParser, RestoreBringsBackTheScriptsSettings)
{
    auto d = ParseValidScript(kSampleScript, __LINE__);
    strcpy(d->settings.installdir, "C:\\Games");
    d->settings.installtype = 1;
    d->RestoreSettings();
    EXPECT_STREQ("", d->settings.installdir);
    EXPECT_EQ(0, d->settings.installtype);
    EXPECT_EQ(0, memcmp(&d->settings, &d->settingsBackup, sizeof(INSTALL_SETTINGS)));
}

TEST(ScriptParser, TablesNumberTheNames)
{
    INSTALL_DESCRIPTION d;
    EXPECT_EQ(39u, d.variableTable.size());
    EXPECT_EQ(0, d.LookUpVariable(CZVString("")));
    EXPECT_EQ(1, d.LookUpVariable(CZVString("gametitle")));
    EXPECT_EQ(37, d.LookUpVariable(CZVString("cmd")));
    EXPECT_EQ(38, d.LookUpVariable(CZVString("forceinstalltype")));
    EXPECT_EQ(0, d.LookUpVariable(CZVString("GameTitle")));
    EXPECT_EQ(4, d.LookUpCommand(CZVString("mksc")));
    EXPECT_EQ(0, d.LookUpCommand(CZVString("copy")));
    // Every variable except cmd has a field of its name.
    for (int i = 1; i <= kScriptVariableCount; i++)
        EXPECT_EQ(strcmp(kScriptVariableNames[i], "cmd") != 0, FindSettingField(kScriptVariableNames[i]) != nullptr)
            << kScriptVariableNames[i];
}

TEST(ScriptParser, IntegersSaturateInsteadOfWrapping)
{
    EXPECT_EQ(42, ReadScriptInteger("  +42x"));
    EXPECT_EQ(INT32_MAX, ReadScriptInteger("99999999999999999999"));
    EXPECT_EQ(INT32_MIN, ReadScriptInteger("-2147483648"));
    EXPECT_EQ(INT32_MIN, ReadScriptInteger("-99999999999"));
    EXPECT_EQ(0, ReadScriptInteger("- 1"));
}

} // namespace
