// Unattended runs, end to end: ZVSetup.exe started with -quiet installs, refuses, fails and uninstalls with no
// window and no box, its first process ends with the run's exit code, and its report file tells the steps and the
// messages a person would have seen.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/e2e/InstallScenario.h"
#include "log/InstallJournal.h"

namespace {

const DWORD kQuietRunMs = 60000;

// Watches, while it lives, for visible top-level windows of the installer's processes.
class CWindowWatch {
public:
    CWindowWatch()
    {
        m_stop = CreateEventA(nullptr, TRUE, FALSE, nullptr);
        m_thread = CreateThread(nullptr, 0, Watch, this, 0, nullptr);
    }
    ~CWindowWatch() { Stop(); }
    CWindowWatch(const CWindowWatch&) = delete;
    CWindowWatch& operator=(const CWindowWatch&) = delete;

    // True once a window has been seen, within timeoutMs.
    bool WaitForSight(DWORD timeoutMs)
    {
        DWORD start = GetTickCount();
        while (InterlockedCompareExchange(&m_seenCount, 0, 0) == 0 && GetTickCount() - start < timeoutMs)
            Sleep(10);
        return InterlockedCompareExchange(&m_seenCount, 0, 0) != 0;
    }

    // Ends the watch; every window seen, as "class: title".
    std::vector<std::string> Stop()
    {
        if (m_thread != nullptr) {
            SetEvent(m_stop);
            WaitForSingleObject(m_thread, INFINITE);
            CloseHandle(m_thread);
            CloseHandle(m_stop);
            m_thread = nullptr;
        }
        return m_seen;
    }

private:
    static DWORD WINAPI Watch(void* parameter)
    {
        CWindowWatch* self = static_cast<CWindowWatch*>(parameter);
        do {
            self->m_installers = ProcessesNamed(kProgramName);
            if (!self->m_installers.empty())
                EnumWindows(Look, reinterpret_cast<LPARAM>(self));
        } while (WaitForSingleObject(self->m_stop, 10) == WAIT_TIMEOUT);
        return 0;
    }

    static BOOL CALLBACK Look(HWND window, LPARAM parameter)
    {
        CWindowWatch* self = reinterpret_cast<CWindowWatch*>(parameter);
        DWORD processId = 0;
        GetWindowThreadProcessId(window, &processId);
        if (IsWindowVisible(window)
            && std::find(self->m_installers.begin(), self->m_installers.end(), processId) != self->m_installers.end()) {
            char className[128] = "";
            GetClassNameA(window, className, sizeof(className));
            std::string seen = std::string(className) + ": " + WindowText(window);
            if (std::find(self->m_seen.begin(), self->m_seen.end(), seen) == self->m_seen.end()) {
                self->m_seen.push_back(seen);
                InterlockedIncrement(&self->m_seenCount);
            }
        }
        return TRUE;
    }

    HANDLE m_stop = nullptr;
    HANDLE m_thread = nullptr;
    std::vector<DWORD> m_installers; // the watching thread's own
    std::vector<std::string> m_seen; // written by the watching thread until Stop
    volatile LONG m_seenCount = 0;
};

class UnattendedScenario : public InstallScenario {
protected:
    // Runs the command line as given, in workingDir, and waits for its end: the exit code.
    static DWORD Run(const std::string& commandLine, const std::string& workingDir)
    {
        STARTUPINFOA startup = {};
        startup.cb = sizeof(startup);
        PROCESS_INFORMATION process = {};
        std::string line = commandLine;
        if (!CreateProcessA(
                nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, workingDir.c_str(), &startup, &process)) {
            ADD_FAILURE() << "cannot start " << commandLine;
            return STILL_ACTIVE;
        }
        CloseHandle(process.hThread);
        DWORD exitCode = STILL_ACTIVE;
        if (WaitForSingleObject(process.hProcess, kQuietRunMs) == WAIT_OBJECT_0)
            GetExitCodeProcess(process.hProcess, &exitCode);
        CloseHandle(process.hProcess);
        return exitCode;
    }

    // The disc's program with the options, started from the scenario's folder, reporting to report.log there.
    DWORD RunQuiet(char disc, const std::string& options)
    {
        return Run("\"" + Root(disc) + kProgramName + "\" " + options + " -log:report.log", rootFolder);
    }

    // The report's lines without their time ("YYYY-MM-DD hh:mm:ss "). Started from the scenario's folder, the
    // program finds its script on the disc, and says so first: that line is left out.
    std::vector<std::string> Report() const
    {
        std::vector<std::string> lines;
        std::string text = ReadFileBytes(rootFolder + "\\report.log");
        for (size_t start = 0; start < text.size();) {
            size_t end = text.find("\r\n", start);
            if (end == std::string::npos)
                end = text.size();
            std::string line = text.substr(start, end - start);
            line = line.size() > 20 && line[4] == '-' && line[19] == ' ' ? line.substr(20) : "no time: " + line;
            if (line != "[情報] Dドライブからセットアップします")
                lines.push_back(line);
            start = end + 2;
        }
        return lines;
    }

    // Nothing of the title's install is left: its folder, links, key and entry.
    void ExpectNothingOf(
        const std::string& title, const std::string& installFolder, const std::string& group, const std::string& key)
    {
        EXPECT_FALSE(PathExists(installFolder)) << installFolder;
        EXPECT_FALSE(PathExists(ShellFolder(CSIDL_PROGRAMS) + "\\" + group)) << group;
        EXPECT_FALSE(PathExists(ShellFolder(CSIDL_DESKTOPDIRECTORY) + "\\" + title + ".lnk"));
        EXPECT_FALSE(RegistryKeyExists(HKEY_CURRENT_USER, std::string("Software\\") + kInstallRoot + "\\" + key));
        EXPECT_FALSE(RegistryKeyExists(HKEY_LOCAL_MACHINE, std::string(kUninstallKey) + "\\" + title));
    }

    // A title of two discs: type 1 from disc 1 only; type 2 adds a file of disc 2 (each type has the files of the
    // types before it).
    void PutTwoDiscTitle(const std::string& disc1, const std::string& title, const std::string& subdir,
        const std::string& group, const std::string& key)
    {
        WillInstall(title, group);
        PutTitle(disc1, title);
        WriteFileBytes(disc1 + "\\Install.ifo",
            "$gametitle = " + title + "\r\n$installsubdir = " + subdir + "\r\n$startmenudir = " + group
                + "\r\n$executefile = game.exe\r\n$installtypecount = 2\r\n$installtypename = 標準,フル\r\n"
                  "$installrequire = 1,2\r\n"
                + RegistryLines(key)
                + "$desktopshortcut = yes\r\n$startmenushortcut = yes\r\n$numberofdisc = 2\r\n"
                  "$changedisccaption = %sの交換\r\n!一枚目\r\n!二枚目\r\n"
                  "&start\r\nZVSetup.exe\r\nInstall.ifo\r\ngame.exe\r\n&end\r\n"
                  "&start\r\nmovie\\opening.dat, 2\r\n&end\r\n");
        PutDiscFile(disc1, "game.exe", Content("game", 3000));
    }
};

TEST_F(UnattendedScenario, QuietInstallReinstallAndUninstallWithoutAWindow)
{
    const std::string title = "ZVE2E無人";
    const std::string subdir = "無人ソ";
    const std::string group = "ZVE2E無人メニュー";
    const std::string disc1 = DiscFolder('D');
    PutTwoDiscTitle(disc1, title, subdir, group, "無人");
    // Both discs are in drives of their own.
    const std::string disc2 = DiscFolder('E');
    PutDiscFile(disc2, "DISCID.002", "");
    PutDiscFile(disc2, "movie\\opening.dat", Content("movie", 1048576 + 5));
    const std::string installFolder = baseFolder + "\\" + subdir + "\\";
    const std::string programs = ShellFolder(CSIDL_PROGRAMS) + "\\" + group;
    const std::string desktopLink = ShellFolder(CSIDL_DESKTOPDIRECTORY) + "\\" + title + ".lnk";
    CWindowWatch watch;

    ASSERT_EQ(0u, RunQuiet('D', "-quiet -type:2 -nodesktop"));
    EXPECT_EQ((std::vector<std::string>{
                  "Install.ifo", "ZVSetup.exe", "game.exe", "movie\\", "movie\\opening.dat", "uninst.dat"}),
        ListTree(installFolder));
    EXPECT_EQ(ReadFileBytes(disc2 + "\\movie\\opening.dat"), ReadFileBytes(installFolder + "movie\\opening.dat"));
    const std::string entry = std::string(kUninstallKey) + "\\" + title;
    EXPECT_EQ(
        Lines({"## " + title + "インストールログ <time>", "$InstallType = 1", "$InstallDir = " + baseFolder,
            "mkdir " + baseFolder + "\\" + subdir, "#FileCopy", "copy ZVSetup.exe", "copy Install.ifo", "copy game.exe",
            "mkdir " + installFolder + "movie", "copy movie\\opening.dat", "#Copy Finished", "#Make Shortcut",
            "mkshortcut " + programs + "\\" + title + ".lnk",
            "mkshortcut " + programs + "\\" + title + "のアンインストール.lnk", "#Registry Set",
            "regcreateu Software\\" + std::string(kInstallRoot) + ",無人", "!regset InstallDir", "!regset InstallType",
            "#set Uninstall Info", "regcreatel " + std::string(kUninstallKey) + "," + title, "!regset UninstallString",
            "copy uninst.dat"}),
        MaskLogTime(ReadFileBytes(installFolder + "uninst.dat")))
        << "the links the script offers, less the desktop's that -nodesktop declines";
    LINK_INFO link = ReadLink(programs + "\\" + title + ".lnk");
    EXPECT_EQ(Lower(installFolder + "game.exe"), Lower(link.path));
    const std::string titleKey = std::string("Software\\") + kInstallRoot + "\\無人";
    std::string text;
    DWORD type = 0;
    EXPECT_TRUE(RegistryString(HKEY_CURRENT_USER, titleKey, "InstallDir", &text));
    EXPECT_EQ(installFolder, text);
    EXPECT_TRUE(RegistryDword(HKEY_CURRENT_USER, titleKey, "InstallType", &type));
    EXPECT_EQ(1u, type);
    ExpectListValuesForUnattendedUse(entry, title, installFolder);
    EXPECT_EQ((std::vector<std::string>{"[手順] 設定 種類=2 フォルダ=" + baseFolder + " サブフォルダ=" + subdir
                      + " デスクトップ=0 スタートメニュー=1 全ユーザー=0",
                  "[手順] フォルダの作成 完了", "[手順] ファイルのコピー 完了", "[手順] ショートカットの作成 完了",
                  "[手順] レジストリの設定 完了", "[手順] アンインストール情報の登録 完了",
                  "[手順] インストールログの保存 完了", "[成功] " + title + "のインストールは完了しました",
                  "[手順] 終了コード 0"}),
        Report());

    // Installed already: refused without -reinstall, done again from scratch with it.
    EXPECT_EQ(2u, RunQuiet('D', "-quiet"));
    EXPECT_EQ((std::vector<std::string>{"[確認] " + title + "は既にインストールされています", "[手順] 終了コード 2"}),
        Report());
    EXPECT_TRUE(PathExists(installFolder + "movie\\opening.dat"));
    ASSERT_EQ(0u, RunQuiet('D', "-quiet -reinstall -type:1"));
    EXPECT_EQ(
        (std::vector<std::string>{"Install.ifo", "ZVSetup.exe", "game.exe", "uninst.dat"}), ListTree(installFolder))
        << "the earlier install's files went before the new one";
    EXPECT_TRUE(RegistryDword(HKEY_CURRENT_USER, titleKey, "InstallType", &type));
    EXPECT_EQ(0u, type);
    EXPECT_TRUE(ReadLink(desktopLink).loaded) << "without -nodesktop the script's desktop link is made";

    // The list of installed programs starts the unattended uninstall exactly as it stores it.
    ASSERT_TRUE(RegistryString(HKEY_LOCAL_MACHINE, entry, "QuietUninstallString", &text));
    EXPECT_EQ(0u, Run(text, rootFolder));
    // The first start ran the kept program and waited in it: renamed beside the kept folder, that program alone
    // goes at the next system start. Nothing of the install folder or of the kept folder is scheduled, so that an
    // install made at once, before any restart, stays whole.
    const std::string kept = KeptFolder(title);
    EXPECT_FALSE(PathExists(installFolder));
    EXPECT_FALSE(PathExists(kept));
    auto scheduledBelow = [&](const std::string& folder) {
        for (const std::string& scheduled : PendingDeletions()) {
            if (Lower(scheduled + "\\").compare(0, folder.size(), Lower(folder)) == 0)
                return scheduled;
        }
        return std::string();
    };
    const std::string renamed = kept.substr(0, kept.size() - 1) + "-";
    EXPECT_NE("", scheduledBelow(renamed)) << "the kept program is not deleted at the next start";
    EXPECT_EQ("", scheduledBelow(installFolder));
    EXPECT_EQ("", scheduledBelow(kept));
    ASSERT_EQ(0u, RunQuiet('D', "-quiet -type:1"));
    EXPECT_EQ(
        (std::vector<std::string>{"Install.ifo", "ZVSetup.exe", "game.exe", "uninst.dat"}), ListTree(installFolder));
    EXPECT_EQ((std::vector<std::string>{"Install.ifo", "ZVSetup.exe", "uninst.dat"}), ListTree(kept));
    EXPECT_EQ("", scheduledBelow(installFolder)) << "the new install goes at the next start";
    EXPECT_EQ("", scheduledBelow(kept)) << "the new install goes at the next start";
    ASSERT_EQ(0u, Run(text, rootFolder));
    ExpectNothingOf(title, installFolder, group, "無人");
    EXPECT_TRUE(PathExists(baseFolder)) << "the base folder was there before";
    EXPECT_TRUE(ProcessesNamed(kProgramName).empty());
    EXPECT_EQ(std::vector<std::string>{}, watch.Stop()) << "windows shown by an unattended run";
}

TEST_F(UnattendedScenario, RefusalsAndFailuresEndWithTheirExitCodes)
{
    const std::string title = "ZVE2E無人失敗";
    const std::string subdir = "無人失敗";
    const std::string group = "ZVE2E無人失敗メニュー";
    const std::string installFolder = baseFolder + "\\" + subdir + "\\";
    CWindowWatch watch;

    // No script here nor on a disc.
    ASSERT_TRUE(CopyFileA(program.c_str(), (workFolder + "\\" + kProgramName).c_str(), FALSE));
    const std::string startHere
        = "\"" + workFolder + "\\" + kProgramName + "\" -quiet -log:\"" + rootFolder + "\\report.log\"";
    EXPECT_EQ(1u, Run(startHere, workFolder));
    EXPECT_EQ((std::vector<std::string>{"[失敗] ゲームのCDをドライブに入れてから起動してください "
                                        "セットアッププログラムが起動した場合は終了してください",
                  "[手順] 終了コード 1"}),
        Report());

    // A broken script here: the run ends, and never takes the title in the drive for its own.
    const std::string disc = DiscFolder('D');
    PutTwoDiscTitle(disc, title, subdir, group, "無人失敗");
    WriteFileBytes(workFolder + "\\Install.ifo", "$gametitle = x\r\n$nosuchvariable = 1\r\n");
    EXPECT_EQ(1u, Run(startHere, workFolder));
    std::vector<std::string> report = Report();
    ASSERT_EQ(2u, report.size());
    EXPECT_EQ(0u, report[0].find("[構文エラー] ")) << report[0];
    EXPECT_EQ("[手順] 終了コード 1", report[1]);
    DeleteFileA((workFolder + "\\Install.ifo").c_str());

    const struct {
        const char* options;
        DWORD exitCode;
        std::string message;
    } refusals[] = {
        {"-quiet -typo", 1, "[エラー] オプション -typo は使えません"},
        {"-quiet -type:3", 1, "[エラー] 指定されたインストールの種類はありません"},
        {"-quiet -allusers", 2, "[エラー] すべてのユーザーへのインストールはできません"},
        {"-quiet -uninstall", 2, "[失敗] " + title + "がインストールされていません"},
    };
    for (const auto& refusal : refusals) {
        EXPECT_EQ(refusal.exitCode, RunQuiet('D', refusal.options)) << refusal.options;
        EXPECT_EQ((std::vector<std::string>{refusal.message, "[手順] 終了コード " + std::to_string(refusal.exitCode)}),
            Report())
            << refusal.options;
    }

    // Disc 2 is in no drive: the prompt takes the answer that stops, and the undo takes everything back.
    EXPECT_EQ(4u, RunQuiet('D', "-quiet -type:2"));
    ExpectNothingOf(title, installFolder, group, "無人失敗");
    EXPECT_EQ((std::vector<std::string>{"[手順] 設定 種類=2 フォルダ=" + baseFolder + " サブフォルダ=" + subdir
                      + " デスクトップ=1 スタートメニュー=1 全ユーザー=0",
                  "[手順] フォルダの作成 完了", "[二枚目の交換] ディスク二枚目に入れ替えてください",
                  "[手順] ファイルのコピー 失敗", "[失敗] インストール中にエラーが発生しました アンドゥーします",
                  "[手順] アンドゥー 完了", "[手順] 終了コード 4"}),
        Report());

    // The kept log cannot be saved (a folder holds its temporary name): without it the uninstall could not be
    // trusted, so the install has failed and is undone, and nothing of it is kept for an uninstall.
    const std::string kept = KeptFolder(title);
    CreateDirectoryA(kept.substr(0, kept.rfind('\\', kept.size() - 2)).c_str(), nullptr);
    CreateDirectoryA(kept.c_str(), nullptr);
    ASSERT_TRUE(CreateDirectoryA((kept + "uninst.dat.new").c_str(), nullptr));
    EXPECT_EQ(4u, RunQuiet('D', "-quiet -type:1"));
    report = Report();
    EXPECT_NE(report.end(), std::find(report.begin(), report.end(), "[手順] インストールログの保存 失敗"));
    EXPECT_EQ("[手順] 終了コード 4", report.back());
    ExpectNothingOf(title, installFolder, group, "無人失敗");
    EXPECT_EQ(std::vector<std::string>{"uninst.dat.new\\"}, ListTree(kept));
    ASSERT_TRUE(RemoveDirectoryA((kept + "uninst.dat.new").c_str()));
    ASSERT_TRUE(RemoveDirectoryA(kept.c_str()));

    // An install cut off before: unattended, it is undone only on -reinstall, and nothing new starts without that.
    const std::string journal = JournalPath(title);
    CreateDirectoryA(journal.substr(0, journal.rfind('\\')).c_str(), nullptr);
    WriteFileBytes(journal,
        "## " + title + "インストールログ 2026-12- 8 10: 0: 0\n$InstallType = 0\n$InstallDir = " + baseFolder
            + "\nmkdir " + baseFolder + "\\" + subdir + "\n#FileCopy\n");
    CreateDirectoryA(installFolder.c_str(), nullptr);
    const std::string interrupted
        = "[確認] " + title + "のインストールが途中で中断されています 中断されたインストールを元に戻しますか？";
    EXPECT_EQ(2u, RunQuiet('D', "-quiet"));
    EXPECT_EQ((std::vector<std::string>{interrupted, "[手順] 終了コード 2"}), Report());
    EXPECT_TRUE(PathExists(journal) && PathExists(installFolder)) << "kept for a person to decide";
    EXPECT_EQ(0u, RunQuiet('D', "-quiet -reinstall -type:1"));
    EXPECT_EQ(interrupted, Report().front());
    EXPECT_FALSE(PathExists(journal));
    EXPECT_EQ(
        (std::vector<std::string>{"Install.ifo", "ZVSetup.exe", "game.exe", "uninst.dat"}), ListTree(installFolder));
    EXPECT_EQ(0u, RunQuiet('D', "-quiet -uninstall"));
    ExpectNothingOf(title, installFolder, group, "無人失敗");

    EXPECT_EQ(std::vector<std::string>{}, watch.Stop()) << "windows shown by an unattended run";

    // Without -quiet nothing changes: an option not understood is passed over, the first start ends with -1, and
    // the menu shows (and the watch sees it).
    CWindowWatch menuWatch;
    CStartedProcess first, copy;
    ASSERT_TRUE(first.Start(Root('D') + kProgramName, "-typo -type:9", Root('D')));
    EXPECT_EQ(kExitFailed, first.WaitExit(kWaitMs));
    HWND menu = WaitForCopy(title, Root('D'), &copy);
    ASSERT_NE(nullptr, menu);
    EXPECT_TRUE(menuWatch.WaitForSight(kWaitMs));
    CloseMenu(menu, &copy);
    EXPECT_EQ(std::vector<std::string>{std::string(kMenuClass) + ": " + MenuTitle(title)}, menuWatch.Stop());
}

} // namespace
