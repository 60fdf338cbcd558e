// Start-up from the disc, end to end: the real ZVSetup.exe on CD-ROM drives of the test prefix.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

#include "tests/e2e/E2eScenario.h"

namespace {

TEST_F(StartupScenario, FirstStartRelaunchesACopyThatDeletesItselfAtExit)
{
    const char disc = 'R';
    const std::string title = "ソフトE2E"; // "ソ" ends in the byte of a backslash
    PutTitle(DiscFolder(disc), title);

    // The first start only copies the program and starts the copy: it loads nothing of the windows' DLLs, which
    // were the larger part of its time.
    std::vector<std::string> dlls;
    EXPECT_EQ(kExitFailed, RunNotingLoadedDlls(Root(disc) + kProgramName, Root(disc), kWaitMs, &dlls))
        << "the first start ends with -1 once the copy runs";
    std::string loaded;
    for (const std::string& dll : dlls)
        loaded += " " + dll;
    EXPECT_NE(std::string::npos, loaded.find(" kernel32.dll")) << "the watch saw no DLL load:" << loaded;
    for (const char* windowsDll : {" user32.dll", " gdi32.dll", " comctl32.dll", " shell32.dll", " ole32.dll"})
        EXPECT_EQ(std::string::npos, loaded.find(windowsDll)) << "the first start loaded" << windowsDll << ":" << loaded;
    CStartedProcess copy;
    HWND menu = WaitForCopy(title, Root(disc), &copy);
    ASSERT_NE(nullptr, menu);
    EXPECT_TRUE(SaveWindowPicture(menu, rootFolder + "\\menu.bmp"));

    // A further start from the disc while the copy runs ends at once, silently.
    CStartedProcess second;
    ASSERT_TRUE(second.Start(Root(disc) + kProgramName, "", Root(disc)));
    EXPECT_EQ(kExitFailed, second.WaitExit(kWaitMs));
    EXPECT_TRUE(NoBoxAppears(0, 1000));
    EXPECT_TRUE(IsWindow(menu));

    // So does a second copy.
    CStartedProcess secondCopy;
    std::string copyPath = TempPath() + title + "\\" + kProgramName;
    ASSERT_TRUE(secondCopy.Start(copyPath, "-temp -dir:\"" + Root(disc) + "\"", Root(disc)));
    EXPECT_EQ(kExitFailed, secondCopy.WaitExit(kWaitMs));

    PostMessageA(menu, WM_CLOSE, 0, 0);
    EXPECT_EQ(0u, copy.WaitExit(kWaitMs));
    std::vector<std::string> pending = PendingDeletions();
    bool scheduled = false;
    for (const std::string& path : pending)
        scheduled = scheduled || Lower(path) == Lower(copyPath);
    EXPECT_TRUE(scheduled) << "the copy did not schedule its own deletion: " << copyPath;
    EXPECT_TRUE(PathExists(copyPath)) << "the copy stays until the next system start";
}

TEST_F(StartupScenario, ScriptFoundOnTheSecondCdromDrive)
{
    const char emptyDisc = 'S', gameDisc = 'T';
    const std::string title = "ZVE2E検索";
    PutTitle(DiscFolder(gameDisc), title);
    ASSERT_TRUE(CopyFileA(program.c_str(), (workFolder + "\\" + kProgramName).c_str(), FALSE));
    ASSERT_FALSE(PathExists(Root(emptyDisc) + "Install.ifo"));

    CStartedProcess first;
    ASSERT_TRUE(first.Start(workFolder + "\\" + kProgramName, "", workFolder));
    FOUND_BOX box = WaitForBox("情報", kWaitMs);
    ASSERT_NE(nullptr, box.window);
    EXPECT_EQ("Tドライブからセットアップします", box.text);
    EXPECT_TRUE(AnswerBox(box, IDOK));
    EXPECT_EQ(kExitFailed, first.WaitExit(kWaitMs));

    CStartedProcess copy;
    HWND menu = WaitForCopy(title, Root(gameDisc), &copy);
    ASSERT_NE(nullptr, menu);

    // The copy runs from the work folder, so the disc can change under it.
    std::string secondDisc = SwapDisc(gameDisc, "second");
    WriteFileBytes(secondDisc + "\\DISCID.002", "");
    EXPECT_TRUE(PathExists(Root(gameDisc) + "DISCID.002"));
    EXPECT_FALSE(PathExists(Root(gameDisc) + "Install.ifo"));
    EXPECT_EQ(static_cast<UINT>(DRIVE_CDROM), GetDriveTypeA(Root(gameDisc).c_str()));
    EXPECT_TRUE(IsWindow(menu));
    PostMessageA(menu, WM_CLOSE, 0, 0);
    EXPECT_EQ(0u, copy.WaitExit(kWaitMs));
}

TEST_F(StartupScenario, MissingOrBrokenScriptEndsWithItsBox)
{
    // Drive U: is a CD-ROM drive without the script.
    ASSERT_TRUE(CopyFileA(program.c_str(), (workFolder + "\\" + kProgramName).c_str(), FALSE));
    const std::string insertCd
        = "ゲームのCDをドライブに入れてから起動してください\nセットアッププログラムが起動した場合は終了してください";
    {
        CStartedProcess start;
        ASSERT_TRUE(start.Start(workFolder + "\\" + kProgramName, "", workFolder));
        FOUND_BOX box = WaitForBox(nullptr, kWaitMs);
        ASSERT_NE(nullptr, box.window);
        EXPECT_EQ("失敗", box.caption);
        EXPECT_EQ(insertCd, box.text);
        EXPECT_TRUE(AnswerBox(box, IDOK));
        EXPECT_EQ(kExitFailed, start.WaitExit(kWaitMs));
    }

    // A syntax error is reported with the file, the line and its text; the discs are searched next.
    WriteFileBytes(workFolder + "\\Install.ifo", "$installtypecount = 1\r\n$gametitle = x\r\n$numberofdisc = 0\r\n");
    CStartedProcess start;
    ASSERT_TRUE(start.Start(workFolder + "\\" + kProgramName, "", workFolder));
    FOUND_BOX syntax = WaitForBox(nullptr, kWaitMs);
    ASSERT_NE(nullptr, syntax.window);
    EXPECT_EQ("構文エラー", syntax.caption);
    EXPECT_EQ(
        "ディスク枚数は1以上を指定してください\n\nファイル名: Install.ifo\n行数: 3\n$numberofdisc = 0", syntax.text);
    EXPECT_TRUE(AnswerBox(syntax, IDOK));
    FOUND_BOX noDisc = WaitForBox(nullptr, kWaitMs);
    ASSERT_NE(nullptr, noDisc.window);
    EXPECT_EQ("失敗", noDisc.caption);
    EXPECT_EQ(insertCd, noDisc.text);
    EXPECT_TRUE(AnswerBox(noDisc, IDOK));
    EXPECT_EQ(kExitFailed, start.WaitExit(kWaitMs));
}

TEST_F(StartupScenario, SilentStartRunsTheDiscsProgramOrAsksForTheDisc)
{
    const char disc = 'V';
    const std::string title = "ZVE2Eサイレント";
    PutTitle(DiscFolder(disc), title);
    PutTitle(workFolder, title);

    CStartedProcess silent;
    ASSERT_TRUE(silent.Start(workFolder + "\\" + kProgramName, "-silent ", workFolder));
    EXPECT_EQ(kExitFailed, silent.WaitExit(kWaitMs));
    // The disc's program starts in this process's current folder, finds the script there and passes that on.
    CStartedProcess copy;
    HWND menu = WaitForCopy(title, workFolder, &copy);
    ASSERT_NE(nullptr, menu) << "the disc's program was not started";
    PostMessageA(menu, WM_CLOSE, 0, 0);
    EXPECT_EQ(0u, copy.WaitExit(kWaitMs));

    // Without the program on a disc, the box asks for it again until it is cancelled.
    ASSERT_TRUE(DeleteFileA((DiscFolder(disc) + "\\" + kProgramName).c_str()));
    CStartedProcess asking;
    ASSERT_TRUE(asking.Start(workFolder + "\\" + kProgramName, "-silent -temp ", workFolder));
    for (int round = 0; round < 2; round++) {
        FOUND_BOX box = WaitForBox(nullptr, kWaitMs);
        ASSERT_NE(nullptr, box.window) << "round " << round;
        EXPECT_EQ("セットアップ", box.caption);
        EXPECT_EQ("CDロムドライブに" + title + "のCDを入れてください", box.text);
        EXPECT_TRUE(AnswerBox(box, round == 0 ? IDOK : IDCANCEL));
    }
    EXPECT_EQ(kExitFailed, asking.WaitExit(kWaitMs));
    EXPECT_TRUE(WaitForWindow(kMenuClass, nullptr, 500) == nullptr) << "silent takes precedence over temp";
}

} // namespace

namespace {

std::string WindowsFolder()
{
    char folder[MAX_PATH] = "";
    GetWindowsDirectoryA(folder, sizeof(folder));
    return folder;
}

} // namespace

TEST_F(StartupScenario, OnThe95FamilyTheCopyDeletesItselfThroughWininit)
{
    const char disc = 'W';
    const std::string title = "ZVE2EWin98";
    const std::string ini = WindowsFolder() + "\\wininit.ini";
    const std::string backup = WindowsFolder() + "\\wininit.zv";
    ASSERT_FALSE(PathExists(ini));
    ASSERT_FALSE(PathExists(backup));
    PutTitle(DiscFolder(disc), title);
    CProgramVersionSetting win98(kProgramName, "win98");

    CStartedProcess first;
    ASSERT_TRUE(first.Start(Root(disc) + kProgramName, "", Root(disc)));
    EXPECT_EQ(kExitFailed, first.WaitExit(kWaitMs));
    CStartedProcess copy;
    HWND menu = WaitForCopy(title, Root(disc), &copy);
    ASSERT_NE(nullptr, menu);
    PostMessageA(menu, WM_CLOSE, 0, 0);
    EXPECT_EQ(0u, copy.WaitExit(kWaitMs));

    std::string copyPath = TempPath() + title + "\\" + kProgramName;
    char shortPath[MAX_PATH] = "";
    ASSERT_NE(0u, GetShortPathNameA(copyPath.c_str(), shortPath, sizeof(shortPath)));
    std::string written;
    {
        std::ifstream in(ini, std::ios::binary);
        written.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    EXPECT_EQ("[rename]\r\nNUL=" + std::string(shortPath) + "\r\n", written);
    for (const std::string& path : PendingDeletions())
        EXPECT_NE(Lower(copyPath), Lower(path)) << "the 95 family has no delayed deletion";
    DeleteFileA(ini.c_str());
    DeleteFileA(backup.c_str());
}

TEST_F(StartupScenario, AFailedCopyTakesBackOnlyWhatItMade)
{
    const char disc = 'X';
    const std::string copyFailed = "作業用ファイルのコピーが失敗しました";

    // A read-only copy left by an earlier run is overwritten.
    const std::string title = "ZVE2E読取専用";
    PutTitle(DiscFolder(disc), title);
    std::string workCopy = TempPath() + title + "\\" + kProgramName;
    CreateDirectoryA((TempPath() + title).c_str(), nullptr);
    WriteFileBytes(workCopy, "old");
    SetFileAttributesA(workCopy.c_str(), FILE_ATTRIBUTE_READONLY);
    {
        CStartedProcess first;
        ASSERT_TRUE(first.Start(Root(disc) + kProgramName, "", Root(disc)));
        EXPECT_EQ(kExitFailed, first.WaitExit(kWaitMs));
        CStartedProcess copy;
        HWND menu = WaitForCopy(title, Root(disc), &copy);
        ASSERT_NE(nullptr, menu);
        EXPECT_EQ(0u, GetFileAttributesA(workCopy.c_str()) & FILE_ATTRIBUTE_READONLY);
        PostMessageA(menu, WM_CLOSE, 0, 0);
        EXPECT_EQ(0u, copy.WaitExit(kWaitMs));
    }

    // With an empty title the work folder is the temporary folder itself: a failed copy (a folder stands where the
    // copy would go) removes nothing else from it.
    std::string blocker = TempPath() + kProgramName;
    std::string neighbour = TempPath() + "zve2e-neighbour.txt";
    ASSERT_FALSE(PathExists(blocker)) << "the temporary folder already holds " << kProgramName;
    ASSERT_TRUE(CreateDirectoryA(blocker.c_str(), nullptr));
    WriteFileBytes(blocker + "\\inside.txt", "x");
    WriteFileBytes(neighbour, "x");
    WriteFileBytes(DiscFolder(disc) + "\\Install.ifo", Script(""));
    {
        CStartedProcess first;
        ASSERT_TRUE(first.Start(Root(disc) + kProgramName, "", Root(disc)));
        FOUND_BOX box = WaitForBox(nullptr, kWaitMs);
        ASSERT_NE(nullptr, box.window);
        EXPECT_EQ("エラー", box.caption);
        EXPECT_EQ(copyFailed, box.text);
        EXPECT_TRUE(AnswerBox(box, IDOK));
        EXPECT_EQ(kExitFailed, first.WaitExit(kWaitMs));
    }
    EXPECT_TRUE(PathExists(neighbour));
    EXPECT_TRUE(PathExists(blocker + "\\inside.txt"));
    RemoveFolder(blocker);
    DeleteFileA(neighbour.c_str());

    // With a title, what stands in the way of the work folder is not the program's either: a file named like it
    // stays, and the copy fails with its box.
    const std::string blockedTitle = "ZVE2E塞がり";
    std::string blockingFile = TempPath() + blockedTitle;
    WriteFileBytes(blockingFile, "not a folder");
    WriteFileBytes(DiscFolder(disc) + "\\Install.ifo", Script(blockedTitle));
    {
        CStartedProcess first;
        ASSERT_TRUE(first.Start(Root(disc) + kProgramName, "", Root(disc)));
        FOUND_BOX box = WaitForBox(nullptr, kWaitMs);
        ASSERT_NE(nullptr, box.window);
        EXPECT_EQ(copyFailed, box.text);
        EXPECT_TRUE(AnswerBox(box, IDOK));
        EXPECT_EQ(kExitFailed, first.WaitExit(kWaitMs));
    }
    EXPECT_TRUE(PathExists(blockingFile));
    EXPECT_EQ(0u, GetFileAttributesA(blockingFile.c_str()) & FILE_ATTRIBUTE_DIRECTORY);
    DeleteFileA(blockingFile.c_str());
}
