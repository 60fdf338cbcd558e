// DirectX, end to end: the requirement asked of the disc's set-up library when the menu opens, the question before
// launching a game whose DirectX is too old, and the DirectX button, which runs the disc's set-up program and waits
// for it. The library and the program are the build's stand-ins (E2eDirectXLibrary.cpp, E2eDirectXSetup.cpp),
// which report into the probe folder.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/e2e/MenuScenario.h"

namespace {

const char kLibrary[] = "zv_e2e_dsetup.dll";
const char kLibraryWithoutExport[] = "zv_e2e_dsetup_invalid.dll";
const char kSetupProgram[] = "zv_e2e_dxsetup.exe";
// The version the stand-in library answers: DirectX 9 in the low word, something else in the high word.
const char kVersion9[] = "00040009";
const char kLibraryAsked[] = "load\nask null\nfree\n";
const char kConfirmSetup[] = "DirectXをインストールします";
const char kStartFailed[] = "DirectXインストールプログラムが起動できませんでした\n手動でインストールしてみてください\n"
                            "手動インストールの方法はマニュアルをご覧ください";
const char kInstallFailed[] = "DirectXがインストールできませんでした\n手動でインストールしてみてください\n"
                              "手動インストールの方法はマニュアルをご覧ください";
const int kMenuButtonIds[] = {kLaunchId, kInstallId, kDirectXId, kQuitId, kUninstallId};

class DirectXScenario : public MenuScenario {
protected:
    void TearDown() override
    {
        for (DWORD id : ProcessesNamed("dxsetup.exe")) {
            CStartedProcess leftover;
            if (leftover.Open(id))
                TerminateProcess(leftover.Handle(), 1);
        }
        MenuScenario::TearDown();
    }

    // The title on the disc with its requirement, and the build's library as "DSetup.dll" (none when library is
    // null) answering kVersion9. Forgets what the library and the set-up program reported before.
    void PutDirectXTitle(
        char disc, const std::string& title, int require, const char* library, const std::string& moreLines = "")
    {
        PutTitle(DiscFolder(disc), title);
        WriteFileBytes(DiscFolder(disc) + "\\Install.ifo",
            MenuScript(title, "$directxrequire = " + std::to_string(require) + "\r\n" + moreLines));
        std::string installed = DiscFolder(disc) + "\\DSetup.dll";
        DeleteFileA(installed.c_str());
        if (library != nullptr) {
            ASSERT_TRUE(CopyFileA(BesideDriver(library).c_str(), installed.c_str(), FALSE)) << library;
        }
        WriteFileBytes(DiscFolder(disc) + "\\version.txt", kVersion9);
        DeleteFileA(LibraryReport().c_str());
        DeleteFileA(SetupReport().c_str());
    }

    // Starts the disc's program; when box is not null, the relaunched copy first shows it (caption "失敗"), which
    // is answered. Then waits for the copy's menu.
    HWND StartMenuAfterBox(char disc, const std::string& title, const char* box, CStartedProcess* copy)
    {
        CStartedProcess first;
        EXPECT_TRUE(first.Start(Root(disc) + kProgramName, "", Root(disc)));
        EXPECT_EQ(kExitFailed, first.WaitExit(kWaitMs));
        if (box != nullptr) {
            FOUND_BOX found = WaitForBox(nullptr, kWaitMs, RunningInstaller());
            EXPECT_NE(nullptr, found.window) << "no box " << box;
            if (found.window == nullptr)
                return nullptr;
            EXPECT_EQ("失敗", found.caption);
            EXPECT_EQ(box, found.text);
            EXPECT_TRUE(AnswerBox(found, IDOK));
        }
        return WaitForCopy(title, Root(disc), copy);
    }

    // Waits for a box of the copy and checks its caption and text before answering it with buttonId.
    static void ExpectBox(const CStartedProcess& copy, const char* caption, const std::string& text, int buttonId)
    {
        FOUND_BOX box = WaitForBox(nullptr, kWaitMs, copy.Id());
        ASSERT_NE(nullptr, box.window) << "no box " << text;
        EXPECT_EQ(caption, box.caption);
        EXPECT_EQ(text, box.text);
        EXPECT_TRUE(AnswerBox(box, buttonId));
    }

    std::string LibraryReport() const { return probeFolder + "\\dsetup.txt"; }
    std::string SetupReport() const { return probeFolder + "\\dxsetup.txt"; }

    // What the set-up program is to do when it is next started: end with exitCode after delayMs.
    void TellSetup(char disc, long exitCode, long delayMs)
    {
        WriteFileBytes(
            DiscFolder(disc) + "\\directx7\\exit.txt", std::to_string(exitCode) + " " + std::to_string(delayMs));
        DeleteFileA(SetupReport().c_str());
    }

    static bool AnyMenuButtonEnabled(HWND subForm)
    {
        for (int id : kMenuButtonIds) {
            if (Enabled(subForm, id))
                return true;
        }
        return false;
    }
};

TEST_F(DirectXScenario, TheRequirementIsAskedOfTheDiscsLibraryOnlyWhenThereIsOne)
{
    const char disc = 'J';
    const std::string title = "ZVE2E要求";
    struct QUERY_CASE {
        const char* what;
        int require;
        const char* library; // copied as DSetup.dll; null: none on the disc
        const char* box; // shown before the menu; null: none
        const char* libraryReport;
        bool directXButton;
    };
    const QUERY_CASE cases[] = {
        {"no requirement: the library is not loaded, the button is hidden", 0, kLibrary, nullptr, "", false},
        {"a requirement below 0 is none, and quit does not cover the DirectX button", -1, kLibrary, nullptr, "", false},
        {"a missing library", 9, nullptr, "DSetup.dllがロードできません", "", true},
        {"a library without the export is loaded and released", 9, kLibraryWithoutExport, "不正なDSetup.dllです",
            "load\nfree\n", true},
    };
    for (const QUERY_CASE& row : cases) {
        SCOPED_TRACE(row.what);
        PutDirectXTitle(disc, title, row.require, row.library);
        CStartedProcess copy;
        HWND menu = StartMenuAfterBox(disc, title, row.box, &copy);
        ASSERT_NE(nullptr, menu);
        HWND subForm = SubForm(menu);
        ASSERT_NE(nullptr, subForm);
        EXPECT_EQ(row.libraryReport, ReadFileBytes(LibraryReport()));
        EXPECT_EQ(row.directXButton, Visible(subForm, kDirectXId));
        // Without the button quit takes its row; with it quit stays below.
        int pitch = ButtonRect(subForm, kInstallId).top - ButtonRect(subForm, kLaunchId).top;
        EXPECT_EQ(
            ButtonRect(subForm, kDirectXId).top + (row.directXButton ? pitch : 0), ButtonRect(subForm, kQuitId).top);
        CloseMenu(menu, &copy);
    }
}

TEST_F(DirectXScenario, ALaunchAsksFirstWhenTheDirectXFoundIsOlderThanTheRequirement)
{
    const char disc = 'K';
    const std::string title = "ZVE2EバージョンソDX";
    const std::string installFolder = rootFolder + "\\game";
    ASSERT_TRUE(CreateDirectoryA(installFolder.c_str(), nullptr));
    ASSERT_TRUE(CopyFileA(probeProgram.c_str(), (installFolder + "\\game.exe").c_str(), FALSE));
    CInstalledTitleKey key(title, installFolder);
    ASSERT_TRUE(key.Written());
    const std::string gameReport = probeFolder + "\\probe.txt";

    // 0x00040009 meets 9: the game starts without a question.
    PutDirectXTitle(disc, title, 9, kLibrary, "$executefile = game.exe\r\n");
    {
        CStartedProcess copy;
        HWND menu = StartMenuAfterBox(disc, title, nullptr, &copy);
        ASSERT_NE(nullptr, menu);
        EXPECT_EQ(kLibraryAsked, ReadFileBytes(LibraryReport()));
        Press(SubForm(menu), kLaunchId);
        EXPECT_TRUE(WaitForFile(gameReport, kWaitMs)) << "the game did not start";
        EXPECT_EQ(0u, copy.WaitExit(kWaitMs)) << "the installer closes once the game runs";
    }
    ReleaseProbe();
    DeleteFileA(gameReport.c_str());
    DeleteFileA((probeFolder + "\\release").c_str());

    // It does not meet 10: the question, and Cancel is a failed launch; the menu stays, and OK launches.
    PutDirectXTitle(disc, title, 10, kLibrary, "$executefile = game.exe\r\n");
    CStartedProcess copy;
    HWND menu = StartMenuAfterBox(disc, title, nullptr, &copy);
    ASSERT_NE(nullptr, menu);
    EXPECT_EQ(kLibraryAsked, ReadFileBytes(LibraryReport()));
    const std::string question
        = title + "を実行するためにはDirectXのバージョンが10以降である必要があります\nこのまま実行しますか？";
    Press(SubForm(menu), kLaunchId);
    ExpectBox(copy, "確認", question, IDCANCEL);
    ExpectBox(copy, "失敗", title + "を実行できませんでした", IDOK);
    EXPECT_FALSE(PathExists(gameReport)) << "the game started after Cancel";
    ASSERT_TRUE(IsWindow(menu));
    Press(SubForm(menu), kLaunchId);
    ExpectBox(copy, "確認", question, IDOK);
    EXPECT_TRUE(WaitForFile(gameReport, kWaitMs)) << "the game did not start after OK";
    EXPECT_EQ(0u, copy.WaitExit(kWaitMs));
}

TEST_F(DirectXScenario, TheDirectXButtonRunsTheDiscsSetupProgramAndWaitsForIt)
{
    const char disc = 'L';
    const std::string title = "ZVE2Eセットアップ";
    PutDirectXTitle(disc, title, 9, kLibrary);
    CStartedProcess copy;
    HWND menu = StartMenuAfterBox(disc, title, nullptr, &copy);
    ASSERT_NE(nullptr, menu);
    HWND subForm = SubForm(menu);
    ASSERT_NE(nullptr, subForm);
    ASSERT_TRUE(Visible(subForm, kDirectXId) && Enabled(subForm, kDirectXId));
    EXPECT_TRUE(SaveWindowPicture(menu, rootFolder + "\\menu.bmp"));

    // No set-up program on the disc yet.
    Press(subForm, kDirectXId);
    ExpectBox(copy, "確認", kConfirmSetup, IDOK);
    ExpectBox(copy, "失敗", kStartFailed, IDOK);

    ASSERT_TRUE(CreateDirectoryA((DiscFolder(disc) + "\\directx7").c_str(), nullptr));
    ASSERT_TRUE(
        CopyFileA(BesideDriver(kSetupProgram).c_str(), (DiscFolder(disc) + "\\directx7\\dxsetup.exe").c_str(), FALSE));
    TellSetup(disc, 0, 0);
    Press(subForm, kDirectXId);
    ExpectBox(copy, "確認", kConfirmSetup, IDCANCEL);
    EXPECT_TRUE(NoBoxAppears(copy.Id(), 500));
    EXPECT_FALSE(PathExists(SetupReport())) << "Cancel started the set-up";

    // Exit code 0: the buttons are disabled while it runs, then the install state is applied again, no box.
    TellSetup(disc, 0, 2500);
    Press(subForm, kDirectXId);
    ExpectBox(copy, "確認", kConfirmSetup, IDOK);
    ASSERT_TRUE(WaitForFile(SetupReport(), kWaitMs)) << "the set-up program did not start";
    EXPECT_FALSE(AnyMenuButtonEnabled(subForm)) << "a button is enabled while the set-up runs";
    // Started without a command line, the program gets its own name as one (Wine quotes it).
    std::string report = ReadFileBytes(SetupReport());
    report.erase(std::remove(report.begin(), report.end(), '"'), report.end());
    EXPECT_EQ(Root(disc) + "directx7\n" + Root(disc) + "directx7\\dxsetup.exe", report)
        << "it runs in its own folder, without arguments";
    DWORD start = GetTickCount();
    while (!Enabled(subForm, kDirectXId) && GetTickCount() - start < kWaitMs)
        Sleep(25);
    EXPECT_TRUE(NoBoxAppears(copy.Id(), 1000));
    EXPECT_FALSE(Enabled(subForm, kLaunchId)) << "launch follows the install state: not installed";
    for (int id : {kInstallId, kDirectXId, kQuitId})
        EXPECT_TRUE(Enabled(subForm, id)) << id;
    EXPECT_TRUE(Visible(subForm, kInstallId));
    EXPECT_FALSE(Visible(subForm, kUninstallId));

    // Exit code -1 is a failed install.
    TellSetup(disc, -1, 0);
    Press(subForm, kDirectXId);
    ExpectBox(copy, "確認", kConfirmSetup, IDOK);
    ExpectBox(copy, "失敗", kInstallFailed, IDOK);
    EXPECT_TRUE(PathExists(SetupReport()));
    EXPECT_TRUE(Enabled(subForm, kDirectXId));

    // Closing the installer while the set-up runs ends the wait at once; the set-up goes on.
    TellSetup(disc, 0, 30000);
    Press(subForm, kDirectXId);
    ExpectBox(copy, "確認", kConfirmSetup, IDOK);
    ASSERT_TRUE(WaitForFile(SetupReport(), kWaitMs)) << "the set-up program did not start";
    EXPECT_FALSE(AnyMenuButtonEnabled(subForm));
    PostMessageA(menu, WM_CLOSE, 0, 0);
    EXPECT_EQ(0u, copy.WaitExit(5000)) << "the installer did not end while the set-up ran";
    EXPECT_FALSE(ProcessesNamed("dxsetup.exe").empty()) << "the set-up ended first";
}

TEST_F(DirectXScenario, LibrariesPlantedBesideTheCopyOrInTheInstallFolderAreNeverLoaded)
{
    const char disc = 'A';
    const std::string title = "ZVE2E植込み";
    const std::string markers = rootFolder + "\\markers";
    const std::string marker = BesideDriver(kMarkerLibrary);
    ASSERT_TRUE(CreateDirectoryA(markers.c_str(), nullptr));
    CEnvironmentSetting markerFolder("ZV_E2E_MARKER_DIR", markers);
    PutDirectXTitle(disc, title, 9, kLibrary, "$splashvoice = missing.wav\r\n");
    // The work folder, where the first start copies the program: a DLL found there by name would run with the
    // installer's rights. Wine is asked to prefer a DLL of these names that it finds over its own; whichever it
    // takes, the module keeps the path where it was found (ModulesFrom). Not uxtheme.dll nor version.dll: Wine's
    // user32 loads them by name before the program's first instruction.
    const std::string workFolder = TempPath() + title;
    ASSERT_TRUE(CreateDirectoryA(workFolder.c_str(), nullptr));
    for (const char* name : {"winmm.dll", "DSetup.dll"}) {
        ASSERT_TRUE(CopyFileA(marker.c_str(), (workFolder + "\\" + name).c_str(), FALSE)) << name;
    }
    CEnvironmentSetting overrides("WINEDLLOVERRIDES", "winmm,dsetup=n,b");
    // The marker works: loaded here, it leaves its file.
    HMODULE loaded = LoadLibraryA((workFolder + "\\DSetup.dll").c_str());
    ASSERT_NE(nullptr, loaded);
    FreeLibrary(loaded);
    ASSERT_EQ(1u, ListTree(markers).size());
    RemoveFolder(markers);
    ASSERT_TRUE(CreateDirectoryA(markers.c_str(), nullptr));

    // From the disc: the menu comes up, the disc's library answers, and the sound and the clock take winmm from
    // the system folder.
    {
        CStartedProcess copy;
        HWND menu = StartMenuAfterBox(disc, title, nullptr, &copy);
        ASSERT_NE(nullptr, menu) << "the copy did not start (a planted DLL exports nothing)";
        EXPECT_EQ(kLibraryAsked, ReadFileBytes(LibraryReport()));
        EXPECT_TRUE(Visible(SubForm(menu), kInstallId));
        EXPECT_EQ(std::vector<std::string>(), ModulesFrom(copy.Id(), workFolder));
        CloseMenu(menu, &copy);
    }
    EXPECT_EQ(std::vector<std::string>(), ListTree(markers)) << "a planted DLL was loaded";

    // From the install folder, as the Windows list starts the uninstall: no box for the disc's picture or library,
    // the registry answers for DirectX, and the library planted there is not loaded.
    const std::string installFolder = rootFolder + "\\installed";
    ASSERT_TRUE(CreateDirectoryA(installFolder.c_str(), nullptr));
    ASSERT_TRUE(CopyFileA(program.c_str(), (installFolder + "\\" + kProgramName).c_str(), FALSE));
    ASSERT_TRUE(
        CopyFileA((DiscFolder(disc) + "\\Install.ifo").c_str(), (installFolder + "\\Install.ifo").c_str(), FALSE));
    ASSERT_TRUE(CopyFileA(marker.c_str(), (installFolder + "\\DSetup.dll").c_str(), FALSE));
    CInstalledTitleKey key(title, installFolder);
    ASSERT_TRUE(key.Written());
    DeleteFileA(LibraryReport().c_str());
    {
        CStartedProcess first;
        ASSERT_TRUE(
            first.Start(installFolder + "\\" + kProgramName, "-dir \"" + installFolder + "\\\"", installFolder));
        EXPECT_EQ(kExitFailed, first.WaitExit(kWaitMs));
        CStartedProcess copy;
        HWND menu = WaitForWindow(kMenuClass, MenuTitle(title).c_str(), kWaitMs);
        ASSERT_NE(nullptr, menu) << "no menu; a box? " << WaitForBox(nullptr, 100).text;
        DWORD id = 0;
        GetWindowThreadProcessId(menu, &id);
        ASSERT_TRUE(copy.Open(id));
        EXPECT_TRUE(NoBoxAppears(copy.Id(), 1000));
        EXPECT_TRUE(Visible(SubForm(menu), kUninstallId)) << "the title counts as installed";
        EXPECT_EQ("", ReadFileBytes(LibraryReport())) << "the disc's library was asked";
        EXPECT_EQ(std::vector<std::string>(), ModulesFrom(copy.Id(), workFolder));
        EXPECT_EQ(std::vector<std::string>(), ModulesFrom(copy.Id(), installFolder));
        CloseMenu(menu, &copy);
    }
    EXPECT_EQ(std::vector<std::string>(), ListTree(markers)) << "a planted DLL was loaded";
}

} // namespace
