// The replay of an install log on a real install: what the log names goes, what it does not name stays, and the
// lines a tampered log adds reach nothing outside what the install made.
#include <cstring>
#include <string>
#include <vector>

#include "foundation/Trace.h"
#include "tests/uninstall/UninstallFixture.h"

namespace {

std::vector<std::string> traceLines;

void RecordTrace(const char* line)
{
    traceLines.push_back(line);
}

using ReplayInstallLog = UninstallFixture;

TEST_F(ReplayInstallLog, UndoesWhatTheLogNamesAndNothingElse)
{
    const std::string folder = installFolder.substr(0, installFolder.size() - 1);
    struct {
        const char* proves;
        const char* lineEnd;
        bool lastLineFeed;
        bool savedGame;
    } const runs[] = {
        {"line feeds, a saved game", "\n", true, true},
        {"carriage returns, no line feed at the end, nothing left over", "\r\n", false, false},
    };
    for (const auto& run : runs) {
        for (const char* file : {"game.exe", "uninst.dat", "data\\a.dat", "ソフト\\表\\b.dat", "save\\"})
            Make(installFolder + file);
        if (run.savedGame)
            Make(installFolder + "save\\slot1.sav");
        Make(group + "\\Title.lnk");
        Make(base + "Links\\Title.lnk");
        Make(base + "victim.txt");
        Make(base + "victim.lnk.txt");
        Make(base + "Empty\\");
        MakeKey(HKEY_CURRENT_USER, userKey + "\\Title\\Sub");
        MakeKey(HKEY_CURRENT_USER, userKey + "\\Other");
        MakeKey(HKEY_USERS, ".DEFAULT\\" + userKey + "\\Title");
        MakeKey(HKEY_LOCAL_MACHINE, entryKey);

        const std::string lines[] = {"## " + name + "インストールログ 2026-12- 7  9: 5: 3", "$InstallType = 0",
            "$InstallDir = " + base, "mkdir " + folder, "mkdir " + folder + "\\save", "mkdir " + folder + "\\data",
            "mkdir " + folder + "\\ソフト", "mkdir " + folder + "\\ソフト\\表", "#FileCopy", "copy game.exe",
            "copy data\\a.dat", "copy ソフト\\表\\b.dat", "#Copy Finished", "copy ..\\victim.txt",
            "copy " + base + "victim.txt", "mkdir " + base + "Empty", "#Make Shortcut",
            "mkshortcut " + group + "\\Title.lnk", "mkshortcut " + base + "Links\\Title.lnk",
            "mkshortcut " + base + "victim.lnk.txt", "#Registry Set", "regcreateu " + userKey + ",Title",
            "!regset InstallDir", "regcreateau .DEFAULT\\" + userKey + ",Title", "regcreateu Software," + name,
            "move " + base + "victim.txt x", "#set Uninstall Info",
            "regcreatel Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall," + name, "copy uninst.dat"};
        std::string log;
        for (const std::string& line : lines)
            log += line + run.lineEnd;
        if (!run.lastLineFeed)
            log.resize(log.size() - strlen(run.lineEnd));
        window.installLog = CZVString(log.c_str());

        char before[MAX_PATH] = "", after[MAX_PATH] = "";
        GetCurrentDirectoryA(sizeof(before), before);
        traceLines.clear();
        TraceSink previousSink = SetTraceSink(RecordTrace);
        EXPECT_TRUE(window.ReplayInstallLog()) << run.proves;
        SetTraceSink(previousSink);
        GetCurrentDirectoryA(sizeof(after), after);
        EXPECT_STREQ(before, after) << run.proves;

        for (const char* file : {"game.exe", "uninst.dat", "data", "ソフト"})
            EXPECT_FALSE(Exists(installFolder + file)) << run.proves << ": " << file;
        EXPECT_EQ(run.savedGame, Exists(installFolder + "save\\slot1.sav")) << run.proves;
        EXPECT_EQ(run.savedGame, Exists(installFolder)) << run.proves << ": the install folder goes when empty";
        EXPECT_FALSE(Exists(group)) << run.proves << ": the Start menu's group goes with its link";
        EXPECT_FALSE(Exists(base + "Links\\Title.lnk")) << run.proves;
        EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, userKey + "\\Title")) << run.proves;
        EXPECT_FALSE(KeyExists(HKEY_USERS, ".DEFAULT\\" + userKey + "\\Title")) << run.proves;
        EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, entryKey)) << run.proves;

        // What the tampered lines name survives.
        EXPECT_TRUE(Exists(base + "victim.txt")) << run.proves;
        EXPECT_TRUE(Exists(base + "victim.lnk.txt")) << run.proves;
        EXPECT_TRUE(Exists(base + "Empty")) << run.proves;
        EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, userKey + "\\Other")) << run.proves;
        const std::vector<std::string> traced = {"不明な動詞 move\n", "不明な動詞 regcreateu\n",
            "不明な動詞 mkshortcut\n", "不明な動詞 mkdir\n", "不明な動詞 copy\n", "不明な動詞 copy\n"};
        EXPECT_EQ(traced, traceLines) << run.proves;
        window.RemoveTree(installFolder.c_str());
    }
}

TEST_F(ReplayInstallLog, AnEmptyLogIsNoReplay)
{
    window.installLog.Empty();
    EXPECT_FALSE(window.ReplayInstallLog());
}

} // namespace
