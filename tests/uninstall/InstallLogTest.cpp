// The install log: the lines as the install writes them, byte for byte; how the replay reads each line back; and
// which lines it refuses to act on. "ソ" (83 5C) and "表" (95 5C) carry the backslash's value as trail byte.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/InstallPlan.h"
#include "log/InstallJournal.h"
#include "log/InstallLog.h"

namespace {

// The title of these logs as the uninstall sees it: its script and the system's shell folders.
INSTALL_SCOPE Scope(const char* installFolder)
{
    return {CZVString(installFolder), CZVString("Zenvora"), CZVString("献立表"), CZVString("献立表"),
        {CZVString("C:\\Users\\u\\Start Menu\\Programs"), CZVString("C:\\All\\Programs")},
        {CZVString("C:\\Users\\u\\Desktop"), CZVString("C:\\All\\Desktop\\")}};
}

// The complete log of an install into installdir\installsubdir, every line through the writers' formats.
std::string WrittenLog(const char* installdir, const char* installsubdir, bool allUsers, std::string* installFolder)
{
    char top[kPathBytes], folder[kPathBytes];
    EXPECT_TRUE(MakeTopFolder(installdir, installsubdir, top) && MakeInstallFolder(installdir, installsubdir, folder));
    *installFolder = folder;
    std::string links = allUsers ? "C:\\All\\Programs\\献立表" : "C:\\Users\\u\\Start Menu\\Programs\\献立表";
    CZVString log = FormatLogHeader("献立表", {2026, 12, 7, 9, 5, 3}) + FormatLogInstallType(1)
        + FormatLogInstallDir(installdir) + FormatLogMakeDir(top)
        + FormatLogMakeDir((std::string(top) + "\\save").c_str())
        + FormatLogMakeDir((std::string(top) + "\\ソフト\\表").c_str()) + kLogFileCopyBegins + FormatLogCopy("game.exe")
        + FormatLogCopy("ソフト\\表\\data.bin") + kLogFileCopyFinished + kLogShortcutsBegin
        + FormatLogShortcut((links + "\\献立表.lnk").c_str()) + FormatLogShortcut("C:\\Users\\u\\Desktop\\献立表.LNK")
        + kLogRegistryBegins
        + (allUsers ? FormatLogRegistryKey(kLogAllUsers, ".DEFAULT\\Software\\Zenvora", "献立表")
                    : FormatLogRegistryKey(kLogCurrentUser, "Software\\Zenvora", "献立表"))
        + FormatLogValue("InstallDir") + kLogUninstallEntryBegins
        + FormatLogRegistryKey(kLogLocalMachine, "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall", "献立表")
        + FormatLogValue("UninstallString") + kLogSelfCopy;
    return log.GetString();
}

TEST(InstallLog, LinesAreWrittenByteForByte)
{
    std::string installFolder;
    EXPECT_EQ("## 献立表インストールログ 2026-12- 7  9: 5: 3\n$InstallType = 1\n$InstallDir = D:\\Games\n"
              "mkdir D:\\Games\\献立表\nmkdir D:\\Games\\献立表\\save\nmkdir D:\\Games\\献立表\\ソフト\\表\n"
              "#FileCopy\ncopy game.exe\ncopy ソフト\\表\\data.bin\n#Copy Finished\n#Make Shortcut\n"
              "mkshortcut C:\\Users\\u\\Start Menu\\Programs\\献立表\\献立表.lnk\n"
              "mkshortcut C:\\Users\\u\\Desktop\\献立表.LNK\n#Registry Set\nregcreateu Software\\Zenvora,献立表\n"
              "!regset InstallDir\n#set Uninstall Info\n"
              "regcreatel Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall,献立表\n!regset UninstallString\n"
              "copy uninst.dat\n",
        WrittenLog("D:\\Games", "献立表", false, &installFolder));
    EXPECT_STREQ(
        "## Tインストールログ 9999-10-31 23:59:59\n", FormatLogHeader("T", {9999, 10, 31, 23, 59, 59}).GetString());
    EXPECT_STREQ("regcreateau .DEFAULT\\Software\\R,K\n",
        FormatLogRegistryKey(kLogAllUsers, ".DEFAULT\\Software\\R", "K").GetString());
}

// Every verb line of a log the installer writes is accepted: for the current user, for all users, and with an empty
// installsubdir, whose first "mkdir" names the base folder with its trailing backslash.
TEST(InstallLog, EveryLineTheInstallerWritesIsReplayed)
{
    const char* const installs[][2] = {{"C:\\Program Files", "献立表"}, {"D:\\Games", ""}, {"D:\\ソ", ""},
        {"\\\\server\\share\\Games\\", "Sub\\Title"}};
    for (const auto& install : installs) {
        for (bool allUsers : {false, true}) {
            std::string installFolder;
            int verbLines = 0;
            for (const CZVString& line :
                SplitLogLines(WrittenLog(install[0], install[1], allUsers, &installFolder).c_str())) {
                LOG_ACTION action = ReadLogLine(line);
                if (action.kind == kLogSkip)
                    continue;
                verbLines++;
                EXPECT_TRUE(IsInstallAction(action, Scope(installFolder.c_str())))
                    << line.GetString() << " in " << installFolder;
            }
            EXPECT_EQ(10, verbLines) << installFolder;
        }
    }
}

// One line in, the action out as "kind root key path|subkey" ("skip" or "unknown <verb>" for the others).
std::string Described(const char* line)
{
    LOG_ACTION action = ReadLogLine(CZVString(line));
    const char* kinds[] = {"skip", "dir", "file", "link", "key"};
    if (action.unknownVerb)
        return std::string("unknown ") + action.verb.GetString();
    std::string described = kinds[action.kind];
    if (action.kind == kLogDeleteKey)
        return described + " " + "ula"[action.root] + " " + action.keyPath.GetString() + "|"
            + action.subkey.GetString();
    return action.kind == kLogSkip ? described : described + " " + action.path.GetString();
}

TEST(InstallLog, LinesAreReadAsTheReplayReadsThem)
{
    const char* const rows[][2] = {
        {"mkdir C:\\Games\\Title", "dir C:\\Games\\Title"},
        {"COPY\tdata\\a b.dat ", "file data\\a b.dat "}, // another case, a tab, blanks kept in the argument
        {"MkShortcut \t C:\\x\\T.lnk", "link C:\\x\\T.lnk"},
        {"copy ソ\\表.dat", "file ソ\\表.dat"},
        {"regcreateu Software\\Example,Title", "key u Software\\Example|Title"},
        {"regcreateau .DEFAULT\\Software\\E,,,Title", "key a .DEFAULT\\Software\\E|Title"},
        {"RegCreateL U,Foo, Inc.", "key l U|Foo, Inc."}, // the subkey keeps its own commas
        {"move a b", "unknown move"},
        {"#FileCopy", "skip"},
        {"!regset InstallDir", "skip"},
        {"$InstallDir = C:\\", "skip"},
        {"", "skip"},
        {" \t ", "skip"},
        {"copy", "skip"},
        {"mkdir  \t", "skip"},
        {"regcreateu Software\\E", "skip"},
        {"regcreateu ,Title", "skip"},
        {"regcreateu Software\\E,,", "skip"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(row[1], Described(row[0])) << row[0];

    // The line reader as the replay uses it: CR LF as LF, the last line with or without its line feed.
    std::vector<std::string> lines;
    for (const CZVString& line : SplitLogLines(CZVString("## h\r\ncopy a\n\ncopy \x95\\\r\ncopy b")))
        lines.push_back(line.GetString());
    EXPECT_EQ((std::vector<std::string>{"## h", "copy a", "", "copy \x95\\", "copy b"}), lines);
    EXPECT_EQ(3u, SplitLogLines(CZVString("copy a\r\ncopy b\r\n")).size()) << "an empty line after the last";
    EXPECT_TRUE(SplitLogLines(CZVString()).empty());
}

// What a tampered "uninst.dat" may say, for the install folder C:\Games\Title\ of the title 献立表, whose script
// names the key Software\Zenvora\献立表.
TEST(InstallLog, LinesNoInstallWritesAreRefused)
{
    const struct {
        const char* proves;
        const char* line;
        bool accepted;
    } rows[] = {
        {"a file above the install folder", "copy ..\\..\\victim.txt", false},
        {"a file that climbs from a sub-folder", "copy save\\..\\..\\victim.txt", false},
        {"a climb with slashes", "copy save/../../v.txt", false},
        {"dots and a blank are a parent too", "copy ... \\victim.txt", false},
        {"a file on a drive", "copy C:\\victim.txt", false},
        {"a file relative to a drive", "copy C:victim.txt", false},
        {"a file from the root", "copy \\victim.txt", false},
        {"a file from the root with a slash", "copy /victim.txt", false},
        {"a file on a server", "copy \\\\server\\share\\victim.txt", false},
        {"a stream of a file", "copy game.exe:stream", false},
        {"a name that only begins with dots", "copy save\\..dat", true},
        {"the install folder's own dot", "copy .\\game.exe", true},
        {"a link that is no link", "mkshortcut C:\\Windows\\victim.txt", false},
        {"a relative link", "mkshortcut 献立表.lnk", false},
        {"a link from the root", "mkshortcut \\献立表.lnk", false},
        {"a link's stream", "mkshortcut C:\\All\\Programs\\x.txt:a.lnk", false},
        {"a link outside the shell folders", "mkshortcut C:\\Windows\\victim.lnk", false},
        {"a link on a server", "mkshortcut \\\\server\\share\\T.Lnk", false},
        {"a server's name alike a programs folder", "mkshortcut \\\\C:\\All\\Programs\\T.lnk", false},
        {"a device path", "mkshortcut \\\\?\\C:\\All\\Programs\\T.lnk", false},
        {"a device path with a dot", "mkshortcut \\\\.\\C:\\All\\Programs\\T.lnk", false},
        {"a link that climbs out of the programs folder", "mkshortcut C:\\All\\Programs\\..\\..\\x.lnk", false},
        {"a folder beside the programs folder", "mkshortcut C:\\All\\Programs2\\x.lnk", false},
        {"the programs folder's parent", "mkshortcut C:\\All\\x.lnk", false},
        {"a link in a folder of a desktop", "mkshortcut C:\\Users\\u\\Desktop\\Folder\\x.lnk", false},
        {"a desktop link of another place", "mkshortcut C:\\Users\\other\\Desktop\\献立表.lnk", false},
        {"a link in the group, in another case", "mkshortcut c:\\all\\PROGRAMS\\献立表\\献立表.lnk", true},
        {"slashes for backslashes", "mkshortcut C:/All/Programs/献立表/献立表.lnk", false},
        {"a link right in the programs folder", "mkshortcut C:\\Users\\u\\Start Menu\\Programs\\T.LNK", true},
        {"the common desktop", "mkshortcut C:\\All\\Desktop\\ソ.lnk", true},
        {"a folder of the system", "mkdir C:\\Windows", false},
        {"the base folder", "mkdir C:\\Games", false},
        {"a folder beside the install folder", "mkdir C:\\Games\\Title2", false},
        {"a folder that climbs", "mkdir C:\\Games\\Title\\..\\..", false},
        {"a folder that climbs back", "mkdir C:\\Games\\Title\\s\\..", false},
        {"a relative folder", "mkdir Title", false},
        {"the install folder in another case", "mkdir c:\\games\\TITLE\\", true},
        {"Software itself", "regcreateu Software,Zenvora", false},
        {"another program's key", "regcreateu Software\\Other,献立表", false},
        {"another key of the same root", "regcreateu Software\\Zenvora,Other", false},
        {"a key path with a component more", "regcreateu Software\\Zenvora\\献立表,x", false},
        {"a subkey below the title's key", "regcreateu Software\\Zenvora,献立表\\Sub", false},
        {"a key outside Software", "regcreateu SoftwareX\\Zenvora,献立表", false},
        {"the default user's path for the current user", "regcreateu .DEFAULT\\Software\\Zenvora,献立表", false},
        {"the current user's path for the default user", "regcreateau Software\\Zenvora,献立表", false},
        {"another program's key of the default user", "regcreateau .DEFAULT\\Software\\Other,x", false},
        {"the title's key in another case", "regcreateu software\\ZENVORA,献立表", true},
        {"the title's key of the default user", "regcreateau .DEFAULT\\Software\\Zenvora,献立表", true},
        {"another key of the machine", "regcreatel Software\\Microsoft\\Windows\\CurrentVersion\\Run,献立表", false},
        {"a key below the uninstall list",
            "regcreatel Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Other,献立表", false},
        {"another title's entry", "regcreatel Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall,Other", false},
        {"a key below the title's entry",
            "regcreatel Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall,献立表\\Sub", false},
        {"the title's entry", "regcreatel software\\microsoft\\windows\\currentversion\\uninstall,献立表", true},
        {"an unknown verb", "move ..\\victim.txt", false},
    };
    for (const auto& row : rows)
        EXPECT_EQ(row.accepted, IsInstallAction(ReadLogLine(CZVString(row.line)), Scope("C:\\Games\\Title\\")))
            << row.proves << ": " << row.line;

    // A scope that does not know a name reaches nothing by it: an install folder that is not absolute (its files would
    // be taken from the current folder), a script without a registry root, key or title.
    EXPECT_FALSE(IsInstallAction(ReadLogLine(CZVString("mkdir Title\\save")), Scope("Title\\")));
    EXPECT_FALSE(IsInstallAction(ReadLogLine(CZVString("copy game.exe")), Scope("")));
    const char* const keyLines[] = {"regcreateu Software\\,献立表", "regcreateu Software\\Zenvora,献立表",
        "regcreatel Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall,献立表"};
    for (int unknown = 0; unknown < 3; unknown++) {
        INSTALL_SCOPE scope = Scope("C:\\Games\\Title\\");
        CZVString* names[] = {&scope.registryRoot, &scope.registryKey, &scope.title};
        names[unknown]->Empty();
        EXPECT_FALSE(IsInstallAction(ReadLogLine(CZVString(keyLines[unknown])), scope)) << unknown;
    }
}

// A journal found at a title's start: whose it is, whether the install got to its end, where it installed, for whom.
TEST(InstallLog, JournalsAreReadOnlyForTheirTitleAndTheirScriptsFolder)
{
    std::string folder;
    const std::string user = WrittenLog("D:\\Games", "献立表", false, &folder);
    const std::string allUsers = WrittenLog("D:\\Games", "献立表", true, &folder);
    const std::string cutAfterLinks = allUsers.substr(0, allUsers.find("#Registry Set"));
    const std::string header = user.substr(0, user.find("$InstallType"));
    struct {
        const char* what;
        std::string journal;
        const char* title;
        const char* subdir;
        bool own, finished, forAllUsers;
        const char* installFolder;
    } const rows[] = {
        {"complete", user, "献立表", "献立表", true, true, false, "D:\\Games\\献立表\\"},
        {"complete, for all users", allUsers, "献立表", "献立表", true, true, true, "D:\\Games\\献立表\\"},
        {"cut after the links", cutAfterLinks, "献立表", "献立表", true, false, true, "D:\\Games\\献立表\\"},
        {"cut after the header", header, "献立表", "献立表", true, false, false, ""},
        {"with CR LF",
            "## 献立表インストールログ 2026-12- 7  9: 5: 3\r\n$InstallDir = D:\\G\r\nmkdir D:\\G\\献立表\r\n", "献立表",
            "献立表", true, false, false, "D:\\G\\献立表\\"},
        {"a title that begins alike", user, "献立", "献立表", false, false, false, ""},
        {"a title that goes on", user, "献立表2", "献立表", false, false, false, ""},
        {"empty", "", "献立表", "献立表", false, false, false, ""},
        {"another sub-folder in the script", user, "献立表", "別", true, true, false, ""},
        {"a first folder the script does not make",
            header + "$InstallDir = D:\\Games\nmkdir D:\\\nmkdir D:\\Games\\献立表\n", "献立表", "献立表", true, false,
            false, ""},
    };
    for (const auto& row : rows) {
        JOURNAL_READING reading
            = ReadJournal(CZVString(row.journal.c_str()), row.title, row.subdir, "C:\\All\\Programs");
        EXPECT_EQ(row.own, reading.ownTitle) << row.what;
        EXPECT_EQ(row.finished, reading.finished) << row.what;
        EXPECT_EQ(row.forAllUsers, reading.forAllUsers) << row.what;
        EXPECT_STREQ(row.installFolder, reading.installFolder.GetString()) << row.what;
    }

    // The install folder of a kept log: its first verb line when that makes an absolute folder.
    const struct {
        const char* what;
        std::string log;
        const char* installFolder;
    } folders[] = {
        {"a complete log", user, "D:\\Games\\献立表\\"},
        {"no sub-folder: the folder ends in its backslash", header + "mkdir D:\\Games\\\n", "D:\\Games\\"},
        {"a folder ending in ソ", header + "mkdir D:\\ソ\n", "D:\\ソ\\"},
        {"a first verb line that makes no folder", header + "copy a.dat\nmkdir D:\\Games\n", ""},
        {"a relative folder", header + "mkdir Games\n", ""},
        {"a parent component", header + "mkdir D:\\Games\\..\\..\n", ""},
        {"too long for a path with its backslash", header + "mkdir D:\\" + std::string(256, 'a') + "\n", ""},
        {"no verb line", header, ""},
    };
    for (const auto& row : folders)
        EXPECT_STREQ(row.installFolder, InstallFolderOfLog(CZVString(row.log.c_str())).GetString()) << row.what;

    // The name: the same for the same bytes, another for another title, always a plain file name.
    EXPECT_STREQ("CBF29CE484222325.jnl", JournalFileName("").GetString());
    EXPECT_EQ(JournalFileName("献立表"), JournalFileName("献立表"));
    EXPECT_NE(JournalFileName("献立表"), JournalFileName("献立表2"));
    EXPECT_EQ(20, JournalFileName("a\\b:c*?\"<>|/").GetLength());
    EXPECT_EQ(TitleHash("献立表") + ".jnl", JournalFileName("献立表"));
}

} // namespace
