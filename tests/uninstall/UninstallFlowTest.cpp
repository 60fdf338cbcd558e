// The uninstall flow on a real install, its message boxes answered in turn: with the install log, without it (the
// fixed clean-up), and the refusals that change nothing.
#include <string>
#include <vector>

#include "tests/uninstall/UninstallFixture.h"
#include "uninstall/InstallLog.h"

namespace {

class UninstallFlow : public UninstallFixture {
protected:
    void SetUp() override
    {
        UninstallFixture::SetUp();
        window.isInstalled = true;
        window.hasAdminRights = true;
        lstrcpyA(window.settings.executefile, "game.exe");
    }

    // The install as the installer leaves it, with its log.
    void InstallWithLog()
    {
        for (const char* file : {"game.exe", "game.cfg", "save\\slot1.dat", "save\\note.txt"})
            Make(installFolder + file);
        Make(group + "\\" + name + ".lnk");
        Make(base + "victim.txt");
        WriteTitleKey(0);
        MakeKey(HKEY_LOCAL_MACHINE, entryKey);
        std::string folder = installFolder.substr(0, installFolder.size() - 1);
        CZVString log = FormatLogHeader(name.c_str(), {2026, 12, 7, 9, 5, 3}) + FormatLogInstallType(0)
            + FormatLogInstallDir(base.c_str()) + FormatLogMakeDir(folder.c_str())
            + FormatLogMakeDir((folder + "\\save").c_str()) + kLogFileCopyBegins + FormatLogCopy("game.exe")
            + kLogFileCopyFinished + kLogShortcutsBegin + FormatLogShortcut((group + "\\" + name + ".lnk").c_str())
            + kLogRegistryBegins + FormatLogRegistryKey(kLogCurrentUser, userKey.c_str(), "Title")
            + kLogUninstallEntryBegins
            + FormatLogRegistryKey(
                kLogLocalMachine, "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall", name.c_str())
            + kLogSelfCopy;
        WriteBytes(installFolder + "uninst.dat", log.GetString());
    }

    std::string Box(const std::string& caption, const std::string& text) { return caption + "|" + text; }
};

TEST_F(UninstallFlow, WithTheLogEverythingGoesButWhatTheUserKeeps)
{
    lstrcpyA(window.settings.uninstallmessage, "アンインストールを始めます");
    lstrcpyA(window.settings.eraseonuninstallmessage, "セーブデータも削除しますか？");
    // The last two patterns would reach outside the folder and the log itself: neither may.
    lstrcpyA(window.settings.eraseonuninstall, "save\\*.dat;*.cfg\r\n..\\*.txt;*.dat");
    for (int eraseAnswer : {IDNO, IDYES}) {
        const bool erased = eraseAnswer == IDYES;
        InstallWithLog();
        BoxSequence boxes({IDOK, IDYES, eraseAnswer, IDOK});
        EXPECT_TRUE(window.Uninstall()) << erased;
        const std::vector<std::string> expected = {Box("情報", "アンインストールを始めます"),
            Box("確認", name + "をアンインストールします\nよろしいですか？"),
            Box("確認", "セーブデータも削除しますか？"), Box("完了", name + "のアンインストールが完了しました")};
        EXPECT_EQ(expected, boxes.Boxes()) << erased;

        EXPECT_FALSE(Exists(installFolder + "game.exe")) << erased;
        EXPECT_FALSE(Exists(installFolder + "uninst.dat")) << erased;
        EXPECT_EQ(!erased, Exists(installFolder + "game.cfg")) << erased;
        EXPECT_EQ(!erased, Exists(installFolder + "save\\slot1.dat")) << erased;
        EXPECT_TRUE(Exists(installFolder + "save\\note.txt")) << erased << ": a saved file keeps its folder";
        EXPECT_TRUE(Exists(base + "victim.txt")) << erased;
        EXPECT_FALSE(Exists(group)) << erased;
        EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, userKey + "\\Title")) << erased;
        EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, entryKey)) << erased;
        EXPECT_FALSE(window.isInstalled) << erased;
        EXPECT_STREQ("", window.installedDir) << erased << ": the state is read again";
        window.isInstalled = true;
        lstrcpyA(window.installedDir, installFolder.c_str());
    }
}

TEST_F(UninstallFlow, RefusalsChangeNothing)
{
    lstrcpyA(window.settings.uninstallmessage, "アンインストールを始めます");
    struct {
        const char* proves;
        bool installed;
        bool forAllUsers;
        bool admin;
        std::vector<int> answers;
        std::vector<std::string> boxes;
    } const rows[] = {
        {"not installed", false, false, true, {}, {Box("失敗", name + "がインストールされていません")}},
        {"all users without the rights", true, true, false, {},
            {Box("警告", "管理者権限のあるアカウントでのみアンインストールできます")}},
        {"the confirmation answered no", true, true, true, {IDOK, IDNO},
            {Box("情報", "アンインストールを始めます"),
                Box("確認", name + "をアンインストールします\nよろしいですか？")}},
        {"the clean-up without a log declined", true, false, true, {IDOK, IDYES, IDCANCEL},
            {Box("情報", "アンインストールを始めます"),
                Box("確認", name + "をアンインストールします\nよろしいですか？"),
                Box("警告", "アンインストール情報が見つかりません\nアンインストールしますか？")}},
    };
    Make(installFolder + "game.exe");
    WriteTitleKey(0);
    for (const auto& row : rows) {
        window.isInstalled = row.installed;
        window.isInstalledForAllUsers = row.forAllUsers;
        window.hasAdminRights = row.admin;
        BoxSequence boxes(row.answers);
        EXPECT_FALSE(window.Uninstall()) << row.proves;
        EXPECT_EQ(row.boxes, boxes.Boxes()) << row.proves;
        EXPECT_TRUE(Exists(installFolder + "game.exe")) << row.proves;
        EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, userKey + "\\Title")) << row.proves;
    }
}

// Without the log, a base folder that other programs share (an empty installsubdir) loses only the title's files.
TEST_F(UninstallFlow, WithoutTheLogASharedFolderKeepsOtherFiles)
{
    installFolder = base + "Games\\";
    lstrcpyA(window.installedDir, installFolder.c_str());
    lstrcpyA(window.settings.installsubdir, "");
    window.typeFiles[0] = {{"game.exe", 1}, {"D:data\\*.dat", 1}, {"..\\victim.txt", 1}};
    window.typeFiles[1] = {{"extra.bin", 1}};
    window.makeDirCount = 1;
    lstrcpyA(window.makeDirs[0], "data");
    for (const char* file : {"game.exe", "data\\a.dat", "data\\b.dat", "extra.bin", "Other\\other.exe", "readme.txt"})
        Make(installFolder + file);
    Make(base + "victim.txt");
    Make(group + "\\" + name + ".lnk");
    Make(group + "\\" + name + "のアンインストール.lnk");
    WriteTitleKey(0);
    MakeKey(HKEY_LOCAL_MACHINE, entryKey);

    BoxSequence boxes({IDYES, IDOK, IDOK});
    EXPECT_FALSE(window.Uninstall());
    const std::vector<std::string> expected = {Box("確認", name + "をアンインストールします\nよろしいですか？"),
        Box("警告", "アンインストール情報が見つかりません\nアンインストールしますか？"),
        Box("完了", name + "のアンインストールが完了しましたが一部失敗した項目があります")};
    EXPECT_EQ(expected, boxes.Boxes());
    for (const char* gone : {"game.exe", "data\\a.dat", "data"})
        EXPECT_FALSE(Exists(installFolder + gone)) << gone;
    for (const char* kept : {"extra.bin", "Other\\other.exe", "readme.txt"})
        EXPECT_TRUE(Exists(installFolder + kept)) << kept;
    EXPECT_TRUE(Exists(base + "victim.txt"));
    EXPECT_FALSE(Exists(group));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, userKey)) << "the root goes with its last key";
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, entryKey));
}

// Without the log, the title's own folder goes whole; the registry root keeps another title's key.
TEST_F(UninstallFlow, WithoutTheLogTheTitlesOwnFolderGoesWhole)
{
    for (const char* file : {"game.exe", "save\\slot1.dat", "ソフト\\表\\b.dat"})
        Make(installFolder + file);
    WriteTitleKey(0);
    MakeKey(HKEY_CURRENT_USER, userKey + "\\Other");
    MakeKey(HKEY_LOCAL_MACHINE, entryKey);

    BoxSequence boxes({IDYES, IDOK, IDOK});
    EXPECT_TRUE(window.Uninstall());
    const std::vector<std::string> expected = {Box("確認", name + "をアンインストールします\nよろしいですか？"),
        Box("警告", "アンインストール情報が見つかりません\nアンインストールしますか？"),
        Box("完了", name + "のアンインストールが完了しました")};
    EXPECT_EQ(expected, boxes.Boxes());
    EXPECT_FALSE(Exists(installFolder));
    EXPECT_TRUE(Exists(base));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, userKey + "\\Title"));
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, userKey + "\\Other"));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, entryKey));
}

} // namespace
