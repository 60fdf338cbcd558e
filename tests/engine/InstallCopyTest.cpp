// The install's copy in this process, driven through a scripted person: a disc folder of a few files copied into a
// private install folder, with the questions it asks, the files it leaves, and the exact lines it logs.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "foundation/RemoveTree.h"
#include "tests/TestFiles.h"
#include "tests/engine/ScriptedInstallPerson.h"

namespace {

class InstallCopyTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        GetCurrentDirectoryA(sizeof(previousDir), previousDir);
        WriteBytes(disc.Path("game.exe"), "game");
        CreateDirectoryA(disc.Path("data").c_str(), nullptr);
        WriteBytes(disc.Path("data\\a.dat"), "data");
        WriteBytes(disc.Path("readme.txt"), "read");
        SetCurrentDirectoryA(disc.Path("").c_str());
        title.settings.numberofdisc = 1;
        title.settings.installtype = 0;
        for (const char* name : {"game.exe", "data\\*.dat", "readme.txt", "missing.bin"})
            title.typeFiles[0].push_back({CZVString(name), 1});
        lstrcpyA(title.installedDir, dest.Path("").c_str());
        // The player's own copy of a file, and someone else's file where the game goes.
        WriteBytes(dest.Path("readme.txt"), "old");
        WriteBytes(dest.Path("game.exe"), "mine");
    }
    void TearDown() override
    {
        SetCurrentDirectoryA(previousDir);
        RemoveTree(disc.Path("data").c_str());
        RemoveTree(dest.Path("data").c_str());
    }

    TestFolder disc;
    TestFolder dest;
    char previousDir[MAX_PATH] = "";
    INSTALL_TITLE title;
    ScriptedInstallPerson person;
    CInstall install{title, title, person};
};

// Every file arrives but the player's, which stays as it is and is logged all the same; the missing file and the
// file in the way are asked about, each question carrying its own id.
TEST_F(InstallCopyTest, CopiesAskingThroughThePerson)
{
    install.keptFromEarlierInstall.push_back(CZVString(dest.Path("readme.txt").c_str()));
    person.answers[kAskMissingContinue] = IDOK;
    person.answers[kAskOverwrite] = IDOK;

    ASSERT_TRUE(install.RunCopy());

    std::string folder = dest.Path("");
    EXPECT_EQ("#FileCopy\ncopy game.exe\nmkdir " + folder + "data\ncopy data\\a.dat\ncopy readme.txt\n#Copy Finished\n",
        title.installLog.GetString());
    EXPECT_EQ((std::vector<std::string>{"失敗|ファイルが見つかりません -- missing.bin\n続行しますか？",
                  "確認|転送先ファイル\n" + folder + "game.exe\nは既に存在します\n上書きしますか？",
                  "警告|missing.binがみつかりませんでした"}),
        person.boxes);
    EXPECT_EQ("game", ReadBytes(folder + "game.exe"));
    EXPECT_EQ("data", ReadBytes(folder + "data\\a.dat"));
    EXPECT_EQ("old", ReadBytes(folder + "readme.txt"));
}

// The copy stops without the person's yes, and at the cancel button: nothing after it is started or logged.
TEST_F(InstallCopyTest, StopsAtARefusalAndAtCancel)
{
    struct {
        const char* proves;
        int missing, overwrite, cancelAtQuestion;
        const char* log;
        const char* game;
    } const rows[] = {
        {"the missing file not given up: nothing is copied", IDCANCEL, IDOK, -1, "#FileCopy\n", "mine"},
        {"someone else's file kept: the copy stops there", IDOK, IDCANCEL, -1, "#FileCopy\n", "mine"},
        {"cancelled while the overwrite is asked: the yes comes too late", IDOK, IDOK, kAskOverwrite, "#FileCopy\n",
            "mine"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.proves);
        WriteBytes(dest.Path("game.exe"), "mine");
        title.installLog.Empty();
        person.answers[kAskMissingContinue] = row.missing;
        person.answers[kAskOverwrite] = row.overwrite;
        person.cancelAtQuestion = row.cancelAtQuestion;

        EXPECT_FALSE(install.RunCopy());

        EXPECT_EQ(row.log, std::string(title.installLog.GetString()));
        EXPECT_EQ(row.game, ReadBytes(dest.Path("game.exe")));
        EXPECT_FALSE(FileExists(dest.Path("data\\a.dat")));
    }
}

} // namespace
