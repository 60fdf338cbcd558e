// The uninstall flow on a real install, its questions answered by a scripted person: with the install log, without it
// (the fixed clean-up), and the refusals that change nothing.
#include <map>
#include <string>
#include <vector>

#include "tests/uninstall/UninstallFixture.h"

namespace {

class UninstallFlow : public UninstallFixture {
protected:
    void SetUp() override
    {
        UninstallFixture::SetUp();
        title.isInstalled = title.hasAdminRights = true;
        lstrcpyA(title.settings.executefile, "game.exe");
        confirm = "確認|" + name + "をアンインストールします\nよろしいですか？";
    }

    std::string confirm;
    const std::string noLog = "警告|アンインストール情報が見つかりません\nアンインストールしますか？";
};

TEST_F(UninstallFlow, WithTheLogEverythingGoesButWhatTheUserKeeps)
{
    lstrcpyA(title.settings.uninstallmessage, "始めます");
    lstrcpyA(title.settings.eraseonuninstallmessage, "セーブも削除しますか？");
    // The last two patterns would reach outside the folder and the log itself: neither may.
    lstrcpyA(title.settings.eraseonuninstall, "save\\*.dat;*.cfg\r\n..\\*.txt;*.dat");
    const std::string folder = installFolder.substr(0, installFolder.size() - 1);
    const std::string log = "## " + name + "インストールログ 2026-12- 7  9: 5: 3\nmkdir " + folder + "\nmkdir " + folder
        + "\\save\n#FileCopy\ncopy game.exe\nmkshortcut " + group + "\\" + name + ".lnk\nregcreateu " + userKey
        + ",Title\nregcreatel Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall," + name + "\ncopy uninst.dat\n";
    for (bool erase : {false, true}) {
        for (const std::string& file :
            {installFolder + "game.exe", installFolder + "game.cfg", installFolder + "save\\slot1.dat",
                installFolder + "save\\note.txt", group + "\\" + name + ".lnk", base + "victim.txt"})
            Make(file);
        WriteBytes(installFolder + "uninst.dat", log);
        WriteTitleKey(0);
        MakeKey(HKEY_LOCAL_MACHINE, entryKey);

        person.boxes.clear();
        person.answers = {{kAskUninstall, IDYES}, {kAskEraseSaves, erase ? IDYES : IDNO}};
        EXPECT_TRUE(uninstall.Run()) << erase;
        EXPECT_EQ((std::vector<std::string>{"情報|始めます", confirm, "確認|セーブも削除しますか？",
                      "完了|" + name + "のアンインストールが完了しました"}),
            person.boxes)
            << erase;
        for (const std::string& gone : {installFolder + "game.exe", installFolder + "uninst.dat", group})
            EXPECT_FALSE(Exists(gone)) << erase << " " << gone;
        EXPECT_EQ(!erase, Exists(installFolder + "game.cfg")) << erase;
        EXPECT_EQ(!erase, Exists(installFolder + "save\\slot1.dat")) << erase;
        EXPECT_TRUE(Exists(installFolder + "save\\note.txt")) << erase << ": a saved file keeps its folder";
        EXPECT_TRUE(Exists(base + "victim.txt")) << erase;
        EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, userKey + "\\Title")) << erase;
        EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, entryKey)) << erase;
        EXPECT_FALSE(title.isInstalled) << erase << ": the state says so";
        title.isInstalled = true;
        lstrcpyA(title.installedDir, installFolder.c_str());
    }
}

TEST_F(UninstallFlow, RefusalsChangeNothing)
{
    struct {
        bool installed, forAllUsers, admin;
        std::map<UNINSTALL_QUESTION, int> answers;
        std::vector<std::string> boxes;
    } const rows[] = {
        {false, false, true, {}, {"失敗|" + name + "がインストールされていません"}},
        // An install for all users, an account without the rights: refused before any question.
        {true, true, false, {}, {"警告|管理者権限のあるアカウントでのみアンインストールできます"}},
        {true, true, true, {{kAskUninstall, IDNO}}, {confirm}},
        {true, false, true, {{kAskUninstall, IDYES}, {kAskUninstallWithoutLog, IDCANCEL}}, {confirm, noLog}},
    };
    Make(installFolder + "game.exe");
    WriteTitleKey(0);
    for (const auto& row : rows) {
        title.isInstalled = row.installed;
        title.isInstalledForAllUsers = row.forAllUsers;
        title.hasAdminRights = row.admin;
        person.boxes.clear();
        person.answers = row.answers;
        EXPECT_FALSE(uninstall.Run()) << row.boxes.back();
        EXPECT_EQ(row.boxes, person.boxes);
        EXPECT_TRUE(Exists(installFolder + "game.exe") && KeyExists(HKEY_CURRENT_USER, userKey + "\\Title"));
    }
}

// Without the log, a base folder that other programs share (an empty installsubdir) loses only the title's files
// of the recorded type; the title's own folder goes whole.
TEST_F(UninstallFlow, WithoutTheLogOnlyTheTitlesOwnFolderGoesWhole)
{
    for (bool shared : {true, false}) {
        if (shared) {
            installFolder = base + "Games\\";
            lstrcpyA(title.settings.installsubdir, "");
        } else {
            installFolder = base + "Title\\";
            lstrcpyA(title.settings.installsubdir, "Title");
        }
        lstrcpyA(title.installedDir, installFolder.c_str());
        title.isInstalled = true;
        title.typeFiles[0] = {{"game.exe", 1}, {"D:data\\*.dat", 1}, {"..\\victim.txt", 1}};
        title.typeFiles[1] = {{"extra.bin", 1}};
        title.makeDirCount = 1;
        lstrcpyA(title.makeDirs[0], "data");
        for (const char* file : {"game.exe", "data\\a.dat", "data\\b.dat", "extra.bin", "Other\\other.exe"})
            Make(installFolder + file);
        for (const std::string& file :
            {base + "victim.txt", group + "\\" + name + ".lnk", group + "\\" + name + "のアンインストール.lnk"})
            Make(file);
        WriteTitleKey(0);
        if (!shared)
            MakeKey(HKEY_CURRENT_USER, userKey + "\\Other");
        MakeKey(HKEY_LOCAL_MACHINE, entryKey);

        person.boxes.clear();
        person.answers = {{kAskUninstall, IDYES}, {kAskUninstallWithoutLog, IDOK}};
        EXPECT_EQ(!shared, uninstall.Run()) << shared;
        EXPECT_EQ((std::vector<std::string>{confirm, noLog,
                      "完了|" + name
                          + (shared ? "のアンインストールが完了しましたが一部失敗した項目があります"
                                    : "のアンインストールが完了しました")}),
            person.boxes);
        for (const char* gone : {"game.exe", "data\\a.dat", "data"})
            EXPECT_FALSE(Exists(installFolder + gone)) << shared << " " << gone;
        for (const char* kept : {"extra.bin", "Other\\other.exe"}) // not of the recorded type, not of the title
            EXPECT_EQ(shared, Exists(installFolder + kept)) << shared << " " << kept;
        EXPECT_TRUE(Exists(base + "victim.txt")) << shared;
        EXPECT_FALSE(Exists(group)) << shared;
        EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, userKey + "\\Title")) << shared;
        EXPECT_EQ(!shared, KeyExists(HKEY_CURRENT_USER, userKey)) << "the root goes with its last key";
        EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, entryKey)) << shared;
    }
}

} // namespace
