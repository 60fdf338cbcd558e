// The replay of an install log on a real install: what the log names goes, what it does not name stays, and the
// lines a tampered log adds reach nothing outside what the install made.
#include <string>
#include <vector>

#include <shlobj.h>

#include "foundation/RemoveTree.h"
#include "foundation/Trace.h"
#include "tests/uninstall/UninstallFixture.h"

namespace {

std::vector<std::string> traceLines;

using ReplayInstallLog = UninstallFixture;

TEST_F(ReplayInstallLog, UndoesWhatTheLogNamesAndNothingElse)
{
    const std::string folder = installFolder.substr(0, installFolder.size() - 1);
    char desktopFolder[MAX_PATH] = "";
    ASSERT_TRUE(SHGetSpecialFolderPathA(nullptr, desktopFolder, CSIDL_DESKTOPDIRECTORY, FALSE));
    const std::string desktopLink = std::string(desktopFolder) + "\\" + name + ".lnk";
    const std::string lines[] = {"## " + name + "インストールログ 2026-12- 7  9: 5: 3", "$InstallDir = " + base,
        "mkdir " + folder, "mkdir " + folder + "\\save", "mkdir " + folder + "\\data", "mkdir " + folder + "\\ソフト",
        "mkdir " + folder + "\\ソフト\\表", "#FileCopy", "copy game.exe", "copy data\\a.dat", "copy ソフト\\表\\b.dat",
        "copy ..\\victim.txt", "copy " + base + "victim.txt", "mkdir " + base + "Empty",
        "mkshortcut " + group + "\\Title.lnk", "mkshortcut " + desktopLink, "mkshortcut " + base + "Links\\Title.lnk",
        "mkshortcut " + base + "victim.lnk.txt", "regcreateu " + userKey + ",Title", "!regset InstallDir",
        "regcreateu " + userKey + ",Other", "regcreateau .DEFAULT\\" + userKey + ",Title",
        "regcreateu Software," + name, "move " + base + "victim.txt x",
        "regcreatel Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall," + name, "copy uninst.dat"};
    const std::vector<std::string> traced
        = {"不明な動詞 move\n", "不明な動詞 regcreateu\n", "不明な動詞 regcreateu\n", "不明な動詞 mkshortcut\n",
            "不明な動詞 mkshortcut\n", "不明な動詞 mkdir\n", "不明な動詞 copy\n", "不明な動詞 copy\n"};
    // Line feeds with a saved game left in the install folder; carriage returns, no line feed after the last line
    // and nothing left over, so that the install folder goes too.
    for (bool crlf : {false, true}) {
        const bool savedGame = !crlf;
        for (const char* file : {"game.exe", "uninst.dat", "data\\a.dat", "ソフト\\表\\b.dat", "save\\"})
            Make(installFolder + file);
        if (savedGame)
            Make(installFolder + "save\\slot1.sav");
        for (const std::string& file : {group + "\\Title.lnk", desktopLink, base + "Links\\Title.lnk",
                 base + "victim.txt", base + "victim.lnk.txt", base + "Empty\\"})
            Make(file);
        for (const std::string& key : {userKey + "\\Title\\Sub", userKey + "\\Other"})
            MakeKey(HKEY_CURRENT_USER, key);
        MakeKey(HKEY_USERS, ".DEFAULT\\" + userKey + "\\Title");
        MakeKey(HKEY_LOCAL_MACHINE, entryKey);
        std::string log;
        for (const std::string& line : lines)
            log += line + (crlf ? "\r\n" : "\n");
        title.installLog = CZVString(log.substr(0, crlf ? log.size() - 2 : log.size()).c_str());

        char before[MAX_PATH] = "", after[MAX_PATH] = "";
        GetCurrentDirectoryA(sizeof(before), before);
        traceLines.clear();
        TraceSink previousSink = SetTraceSink([](const char* line) { traceLines.push_back(line); });
        EXPECT_FALSE(uninstall.LeftNothingOfLog()) << crlf;
        EXPECT_TRUE(uninstall.ReplayInstallLog()) << crlf;
        // A saved game keeps its folders; what the tampered lines name is no part of the install and is not asked.
        EXPECT_EQ(!savedGame, uninstall.LeftNothingOfLog()) << crlf;
        SetTraceSink(previousSink);
        GetCurrentDirectoryA(sizeof(after), after);
        EXPECT_STREQ(before, after) << crlf;
        EXPECT_EQ(traced, traceLines) << crlf;

        for (const std::string& gone : {installFolder + "game.exe", installFolder + "uninst.dat",
                 installFolder + "data", installFolder + "ソフト", group, desktopLink})
            EXPECT_FALSE(Exists(gone)) << crlf << " " << gone;
        EXPECT_EQ(savedGame, Exists(installFolder + "save\\slot1.sav")) << crlf;
        EXPECT_EQ(savedGame, Exists(installFolder)) << crlf << ": the install folder goes when empty";
        EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, userKey + "\\Title")) << crlf;
        EXPECT_FALSE(KeyExists(HKEY_USERS, ".DEFAULT\\" + userKey + "\\Title")) << crlf;
        EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, entryKey)) << crlf;
        // What the tampered lines name survives.
        for (const char* kept : {"victim.txt", "victim.lnk.txt", "Empty", "Links\\Title.lnk"})
            EXPECT_TRUE(Exists(base + kept)) << crlf << " " << kept;
        EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, userKey + "\\Other")) << crlf;
        RemoveTree(installFolder.c_str());
    }

    title.installLog.Empty();
    EXPECT_FALSE(uninstall.ReplayInstallLog()) << "an empty log is no replay";
}

} // namespace
