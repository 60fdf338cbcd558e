// The install log: the lines as the install writes them, byte for byte; how the replay reads each line back; and
// which lines it refuses to act on. "ソ" (83 5C) and "表" (95 5C) carry the backslash's value as trail byte.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/InstallPlan.h"
#include "uninstall/InstallLog.h"

namespace {

const LOG_TIME kSevenDecember = {2026, 12, 7, 9, 5, 3};

// The complete log of an install into installdir\installsubdir, every line through the writers' formats.
std::string WrittenLog(const char* installdir, const char* installsubdir, bool allUsers, std::string* installFolder)
{
    char top[kPathBytes], folder[kPathBytes];
    EXPECT_TRUE(MakeTopFolder(installdir, installsubdir, top));
    EXPECT_TRUE(MakeInstallFolder(installdir, installsubdir, folder));
    *installFolder = folder;
    std::string links
        = allUsers ? "C:\\ProgramData\\Start Menu\\Programs\\献立表" : "C:\\Users\\u\\Start Menu\\Programs\\献立表";
    CZVString log = FormatLogHeader("献立表", kSevenDecember) + FormatLogInstallType(1)
        + FormatLogInstallDir(installdir) + FormatLogMakeDir(top)
        + FormatLogMakeDir((std::string(top) + "\\save").c_str())
        + FormatLogMakeDir((std::string(top) + "\\ソフト\\表").c_str()) + kLogFileCopyBegins + FormatLogCopy("game.exe")
        + FormatLogCopy("ソフト\\表\\data.bin") + kLogFileCopyFinished + kLogShortcutsBegin
        + FormatLogShortcut((links + "\\献立表.lnk").c_str())
        + FormatLogShortcut((links + "\\献立表のアンインストール.lnk").c_str())
        + FormatLogShortcut("C:\\Users\\u\\Desktop\\献立表.LNK") + kLogRegistryBegins
        + (allUsers ? FormatLogRegistryKey(kLogAllUsers, ".DEFAULT\\Software\\Zenvora", "献立表")
                    : FormatLogRegistryKey(kLogCurrentUser, "Software\\Zenvora", "献立表"))
        + FormatLogValue("InstallDir") + FormatLogValue("InstallType") + kLogUninstallEntryBegins
        + FormatLogRegistryKey(kLogLocalMachine, "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall", "献立表")
        + FormatLogValue("UninstallString") + kLogSelfCopy;
    return log.GetString();
}

TEST(InstallLog, LinesAreWrittenByteForByte)
{
    std::string installFolder;
    std::string log = WrittenLog("D:\\Games", "献立表", false, &installFolder);
    EXPECT_EQ("D:\\Games\\献立表\\", installFolder);
    const std::string expected = "## 献立表インストールログ 2026-12- 7  9: 5: 3\n"
                                 "$InstallType = 1\n"
                                 "$InstallDir = D:\\Games\n"
                                 "mkdir D:\\Games\\献立表\n"
                                 "mkdir D:\\Games\\献立表\\save\n"
                                 "mkdir D:\\Games\\献立表\\ソフト\\表\n"
                                 "#FileCopy\n"
                                 "copy game.exe\n"
                                 "copy ソフト\\表\\data.bin\n"
                                 "#Copy Finished\n"
                                 "#Make Shortcut\n"
                                 "mkshortcut C:\\Users\\u\\Start Menu\\Programs\\献立表\\献立表.lnk\n"
                                 "mkshortcut C:\\Users\\u\\Start Menu\\Programs\\献立表\\献立表のアンインストール.lnk\n"
                                 "mkshortcut C:\\Users\\u\\Desktop\\献立表.LNK\n"
                                 "#Registry Set\n"
                                 "regcreateu Software\\Zenvora,献立表\n"
                                 "!regset InstallDir\n"
                                 "!regset InstallType\n"
                                 "#set Uninstall Info\n"
                                 "regcreatel Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall,献立表\n"
                                 "!regset UninstallString\n"
                                 "copy uninst.dat\n";
    EXPECT_EQ(expected, log);
    EXPECT_STREQ(
        "## Tインストールログ 9999-10-31 23:59:59\n", FormatLogHeader("T", {9999, 10, 31, 23, 59, 59}).GetString());
    EXPECT_STREQ("regcreateau .DEFAULT\\Software\\R,K\n",
        FormatLogRegistryKey(kLogAllUsers, ".DEFAULT\\Software\\R", "K").GetString());
}

// Every verb line of a log the installer writes is accepted whole: for the current user, for all users, and with
// an empty installsubdir, whose first "mkdir" names the base folder with its trailing backslash.
TEST(InstallLog, EveryLineTheInstallerWritesIsReplayed)
{
    struct {
        const char* installdir;
        const char* installsubdir;
        bool allUsers;
    } const installs[] = {
        {"C:\\Program Files", "献立表", false},
        {"C:\\Program Files\\", "献立表", true},
        {"D:\\Games", "", false},
        {"D:\\ソ", "", true},
        {"\\\\server\\share\\Games", "Sub\\Title", false},
    };
    for (const auto& install : installs) {
        std::string installFolder;
        std::string log = WrittenLog(install.installdir, install.installsubdir, install.allUsers, &installFolder);
        int verbLines = 0;
        for (const CZVString& line : SplitLogLines(CZVString(log.c_str()))) {
            LOG_ACTION action = ReadLogLine(line);
            EXPECT_FALSE(action.unknownVerb) << line.GetString();
            if (action.kind == kLogSkip)
                continue;
            verbLines++;
            EXPECT_TRUE(IsInstallAction(action, installFolder.c_str())) << line.GetString() << " in " << installFolder;
        }
        EXPECT_EQ(11, verbLines) << installFolder;
    }
}

TEST(InstallLog, LinesAreReadAsTheReplayReadsThem)
{
    struct {
        const char* proves;
        const char* line;
        LOG_ACTION_KIND kind;
        const char* verb;
        const char* path;
        LOG_REGISTRY_ROOT root;
        const char* keyPath;
        const char* subkey;
        bool unknownVerb;
    } const rows[] = {
        {"a folder", "mkdir C:\\Games\\Title", kLogRemoveFolder, "mkdir", "C:\\Games\\Title", kLogCurrentUser, "", "",
            false},
        {"another case, a tab, blanks kept inside", "COPY\tdata\\a b.dat ", kLogDeleteFile, "COPY", "data\\a b.dat ",
            kLogCurrentUser, "", "", false},
        {"a run of delimiters", "MkShortcut \t C:\\x\\T.lnk", kLogDeleteShortcut, "MkShortcut", "C:\\x\\T.lnk",
            kLogCurrentUser, "", "", false},
        {"double-byte path", "copy ソ\\表.dat", kLogDeleteFile, "copy", "ソ\\表.dat", kLogCurrentUser, "", "", false},
        {"the current user's key", "regcreateu Software\\Example,Title", kLogDeleteKey, "regcreateu", "",
            kLogCurrentUser, "Software\\Example", "Title", false},
        {"a comma run is dropped", "regcreateau .DEFAULT\\Software\\E,,,Title", kLogDeleteKey, "regcreateau", "",
            kLogAllUsers, ".DEFAULT\\Software\\E", "Title", false},
        {"the subkey keeps its own commas", "RegCreateL U,Foo, Inc.", kLogDeleteKey, "RegCreateL", "", kLogLocalMachine,
            "U", "Foo, Inc.", false},
        {"unknown verb", "move a b", kLogSkip, "move", "", kLogCurrentUser, "", "", true},
        {"comment", "#FileCopy", kLogSkip, "", "", kLogCurrentUser, "", "", false},
        {"value note", "!regset InstallDir", kLogSkip, "", "", kLogCurrentUser, "", "", false},
        {"variable record", "$InstallDir = C:\\", kLogSkip, "", "", kLogCurrentUser, "", "", false},
        {"empty line", "", kLogSkip, "", "", kLogCurrentUser, "", "", false},
        {"blanks only", " \t ", kLogSkip, "", "", kLogCurrentUser, "", "", false},
        {"no argument", "copy", kLogSkip, "copy", "", kLogCurrentUser, "", "", false},
        {"blanks as argument", "mkdir  \t", kLogSkip, "mkdir", "", kLogCurrentUser, "", "", false},
        {"no comma", "regcreateu Software\\Example", kLogSkip, "regcreateu", "", kLogCurrentUser, "", "", false},
        {"empty key path", "regcreateu ,Title", kLogSkip, "regcreateu", "", kLogCurrentUser, "", "", false},
        {"empty subkey", "regcreateu Software\\E,,", kLogSkip, "regcreateu", "", kLogCurrentUser, "", "", false},
    };
    for (const auto& row : rows) {
        LOG_ACTION action = ReadLogLine(CZVString(row.line));
        EXPECT_EQ(row.kind, action.kind) << row.proves;
        EXPECT_STREQ(row.verb, action.verb.GetString()) << row.proves;
        EXPECT_STREQ(row.path, action.path.GetString()) << row.proves;
        EXPECT_EQ(row.root, action.root) << row.proves;
        EXPECT_STREQ(row.keyPath, action.keyPath.GetString()) << row.proves;
        EXPECT_STREQ(row.subkey, action.subkey.GetString()) << row.proves;
        EXPECT_EQ(row.unknownVerb, action.unknownVerb) << row.proves;
    }
}

TEST(InstallLog, LineEndsAsSavedOrEdited)
{
    struct {
        const char* proves;
        const char* text;
        std::vector<std::string> lines;
    } const rows[] = {
        {"line feeds, one empty line after the last", "## h\ncopy a\ncopy b\n", {"## h", "copy a", "copy b", ""}},
        {"carriage returns dropped", "## h\r\ncopy a\r\ncopy b\r\n", {"## h", "copy a", "copy b", ""}},
        {"the last line without a line feed", "copy a\r\ncopy b", {"copy a", "copy b"}},
        {"an empty line inside", "copy a\n\ncopy b", {"copy a", "", "copy b"}},
        {"a line feed after a lead byte is no trail byte here", "copy \x95\\\ncopy b", {"copy \x95\\", "copy b"}},
        {"empty text", "", {}},
    };
    for (const auto& row : rows) {
        std::vector<std::string> lines;
        for (const CZVString& line : SplitLogLines(CZVString(row.text)))
            lines.push_back(line.GetString());
        EXPECT_EQ(row.lines, lines) << row.proves;
    }
}

// What a tampered "uninst.dat" may say, and what the install folder C:\Games\Title\ lets through.
TEST(InstallLog, LinesNoInstallWritesAreRefused)
{
    const char installFolder[] = "C:\\Games\\Title\\";
    struct {
        const char* line;
        bool accepted;
    } const rows[] = {
        {"copy ..\\..\\victim.txt", false},
        {"copy save\\..\\..\\victim.txt", false},
        {"copy save/../../victim.txt", false},
        {"copy ... \\victim.txt", false},
        {"copy C:\\victim.txt", false},
        {"copy C:victim.txt", false},
        {"copy \\victim.txt", false},
        {"copy /victim.txt", false},
        {"copy \\\\server\\share\\victim.txt", false},
        {"copy game.exe:stream", false},
        {"copy save\\..dat", true},
        {"copy .\\game.exe", true},
        {"mkshortcut C:\\Windows\\victim.txt", false},
        {"mkshortcut Title.lnk", false},
        {"mkshortcut \\Title.lnk", false},
        {"mkshortcut C:\\x.txt:a.lnk", false},
        {"mkshortcut C:\\Links\\.lnk\\x", false},
        {"mkshortcut \\\\server\\share\\Title.Lnk", true},
        {"mkshortcut c:/Links/Title.lnk", true},
        {"mkdir C:\\Windows", false},
        {"mkdir C:\\Games", false},
        {"mkdir C:\\Games\\Title2", false},
        {"mkdir C:\\Games\\Title\\..\\..", false},
        {"mkdir C:\\Games\\Title\\save\\..", false},
        {"mkdir Title", false},
        {"mkdir c:\\games\\TITLE\\", true},
        {"mkdir C:\\Games\\Title\\save", true},
        {"regcreateu Software,x", false},
        {"regcreateu SoftwareX\\Y,x", false},
        {"regcreateu .DEFAULT\\Software\\Y,x", false},
        {"regcreateu software\\Y,x", true},
        {"regcreateau Software\\Y,x", false},
        {"regcreateau .DEFAULT\\Software\\Y,x", true},
        {"regcreatel Software\\Microsoft\\Windows\\CurrentVersion\\Run,x", false},
        {"regcreatel Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Other,x", false},
        {"regcreatel Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall,Other\\Sub", false},
        {"regcreatel Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall,表示ソフト", true},
        {"move ..\\victim.txt", false},
    };
    for (const auto& row : rows) {
        LOG_ACTION action = ReadLogLine(CZVString(row.line));
        EXPECT_EQ(row.accepted, IsInstallAction(action, installFolder)) << row.line;
    }
    // An install folder that is not absolute holds nothing: its files would be taken from the current folder.
    EXPECT_FALSE(IsInstallAction(ReadLogLine(CZVString("mkdir Title\\save")), "Title\\"));
    EXPECT_FALSE(IsInstallAction(ReadLogLine(CZVString("copy game.exe")), "Title\\"));
    EXPECT_FALSE(IsInstallAction(ReadLogLine(CZVString("copy game.exe")), ""));
}

} // namespace
