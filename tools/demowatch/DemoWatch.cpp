// demowatch: the demo's hands under Wine. It puts the sample disc into a CD-ROM drive of the prefix, starts the
// installer from it as a person would, and then either does what a person does (no display of the user's) or
// leaves that to the person (a display): only the disc change, which no person can do in Wine, stays its job.
//   demowatch auto DISC1 DISC2 OUTDIR     DISC1 and DISC2 are the sample discs' Unix folders. Installs the sample
//                                         title (the second type, so both discs are read, and a desktop link too),
//                                         saves pictures of the
//                                         menu, the settings dialog, the copy dialog, the disc prompt and the
//                                         installed menu as OUTDIR\*.bmp, prints what landed, then uninstalls it
//                                         and prints what is left. Exit 0 when every step was seen.
//   demowatch show DISC1 DISC2            starts the installer and waits for it; when it asks for disc 2 the drive
//                                         gets disc 2, and the person answers the prompt.
// Its lines are Shift-JIS, as the installer's texts are.
#include <windows.h>

#include <commctrl.h>
#include <shlobj.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "tests/e2e/E2eHarness.h"
#include "tests/e2e/E2eInspect.h"

namespace {

const char kDrive = 'R';
const char kProgram[] = "R:\\ZVSetup.exe";
const char kMenuClass[] = "ZVWndClass";
const char kSettingsTitle[] = "セットアップの設定";
const char kCopyTitle[] = "コピー中...";
const char kPromptCaption[] = "ディスクの交換";
const char kRegistryKey[] = "Software\\ZVSample\\SampleGame";
const char kUninstallEntry[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\サンプルゲーム";
const char kGroup[] = "サンプルゲーム";
const char kTitle[] = "サンプルゲーム";
const DWORD kWaitMs = 30000;
const int kInstallId = 1001;
const int kUninstallId = 1004;
const int kFullTypeId = 5001;
const int kDesktopId = 1006;
const int kFileBarId = 1020;

int g_failures = 0;

void Say(const std::string& line)
{
    printf("%s\n", line.c_str());
    fflush(stdout);
}

void Fail(const std::string& what)
{
    Say("demowatch: " + what);
    g_failures++;
}

HWND SubForm(HWND menu)
{
    return FindWindowExA(menu, nullptr, "#32770", nullptr);
}

void Press(HWND dialog, int id)
{
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

// Waits for the installer's window, answering the boxes it shows on the way (the title's splash message).
HWND WaitForMenu()
{
    DWORD start = GetTickCount();
    while (GetTickCount() - start < kWaitMs) {
        FOUND_BOX box = WaitForBox(nullptr, 100);
        if (box.window != nullptr) {
            Say("answered: " + box.caption + ": " + box.text);
            AnswerBox(box, IDOK);
        }
        HWND menu = WaitForWindow(kMenuClass, nullptr, 100);
        if (menu != nullptr && WaitForBox(nullptr, 500).window == nullptr)
            return menu;
    }
    return nullptr;
}

void Picture(HWND window, const std::string& outFolder, const char* name)
{
    if (window == nullptr || !SaveWindowPicture(window, outFolder + "\\" + name + ".bmp"))
        Fail(std::string("no picture of ") + name);
}

bool Answer(const char* caption, int button, const std::string& outFolder = "", const char* picture = nullptr)
{
    FOUND_BOX box = WaitForBox(caption, kWaitMs);
    if (box.window == nullptr) {
        Fail(std::string("no box captioned ") + caption);
        return false;
    }
    Say("box: " + box.caption + ": " + box.text);
    if (picture != nullptr)
        Picture(box.window, outFolder, picture);
    AnswerBox(box, button);
    return true;
}

void PrintLanded(const std::string& installFolder)
{
    Say("files in " + installFolder + ":");
    for (const std::string& file : ListTree(installFolder))
        Say("  " + file);
    std::vector<std::string> links;
    std::string group = ShellFolder(CSIDL_PROGRAMS) + "\\" + kGroup;
    for (const std::string& file : ListTree(group))
        links.push_back(group + "\\" + file);
    links.push_back(ShellFolder(CSIDL_DESKTOPDIRECTORY) + "\\" + kTitle + ".lnk");
    Say("links:");
    for (const std::string& path : links) {
        LINK_INFO link = ReadLink(path);
        if (link.loaded)
            Say("  " + path + " -> " + link.path + (link.arguments.empty() ? "" : " " + link.arguments));
        else
            Say("  " + path + ": none");
    }
    Say(std::string("registry: HKEY_CURRENT_USER\\") + kRegistryKey);
    std::string text;
    DWORD number = 0;
    if (RegistryString(HKEY_CURRENT_USER, kRegistryKey, "InstallDir", &text))
        Say("  InstallDir = " + text);
    if (RegistryDword(HKEY_CURRENT_USER, kRegistryKey, "InstallType", &number))
        Say("  InstallType = " + std::to_string(number));
    Say(std::string("registry: HKEY_LOCAL_MACHINE\\") + kUninstallEntry);
    for (const char* name : {"DisplayName", "UninstallString", "DisplayIcon", "DisplayVersion", "Publisher"}) {
        if (RegistryString(HKEY_LOCAL_MACHINE, kUninstallEntry, name, &text))
            Say(std::string("  ") + name + " = " + text);
    }
    if (RegistryDword(HKEY_LOCAL_MACHINE, kUninstallEntry, "EstimatedSize", &number))
        Say("  EstimatedSize = " + std::to_string(number));
}

void PrintLeft(const std::string& installFolder)
{
    Say("after the uninstall:");
    Say(std::string("  install folder: ") + (PathExists(installFolder) ? "still there" : "gone"));
    std::string group = ShellFolder(CSIDL_PROGRAMS) + "\\" + kGroup;
    Say(std::string("  Start menu group: ") + (PathExists(group) ? "still there" : "gone"));
    std::string desktop = ShellFolder(CSIDL_DESKTOPDIRECTORY) + "\\" + kTitle + ".lnk";
    Say(std::string("  desktop link: ") + (PathExists(desktop) ? "still there" : "gone"));
    Say(std::string("  title's key: ") + (RegistryKeyExists(HKEY_CURRENT_USER, kRegistryKey) ? "still there" : "gone"));
    Say(std::string("  uninstall entry: ")
        + (RegistryKeyExists(HKEY_LOCAL_MACHINE, kUninstallEntry) ? "still there" : "gone"));
}

// The disc change: when the installer asks for disc 2, the drive gets it.
bool SwapWhenAsked(const char* disc2, DWORD timeoutMs)
{
    FOUND_BOX prompt = WaitForBox(kPromptCaption, timeoutMs);
    if (prompt.window == nullptr)
        return false;
    return DefineCdromDrive(kDrive, disc2);
}

bool StartFromDisc(const char* disc1, CStartedProcess* first)
{
    if (!DefineCdromDrive(kDrive, disc1)) {
        Fail("the CD-ROM drive could not be defined");
        return false;
    }
    if (!first->Start(kProgram, "", "R:\\")) {
        Fail(std::string(kProgram) + " did not start");
        return false;
    }
    Say(std::string("started ") + kProgram + " from the CD-ROM drive");
    return true;
}

int Show(const char* disc1, const char* disc2)
{
    CStartedProcess first;
    if (!StartFromDisc(disc1, &first))
        return 1;
    first.WaitExit(kWaitMs);
    // The copy runs until the person closes it.
    bool swapped = false;
    while (!ProcessesNamed("ZVSetup.exe").empty()) {
        if (!swapped && SwapWhenAsked(disc2, 1000)) {
            swapped = true;
            Say("disc 2 is in the drive now: answer the prompt");
        }
        Sleep(200);
    }
    DefineCdromDrive(kDrive, nullptr);
    return 0;
}

int Auto(const char* disc1, const char* disc2, const std::string& outFolder)
{
    CStartedProcess first;
    if (!StartFromDisc(disc1, &first))
        return 1;
    HWND menu = WaitForMenu();
    if (menu == nullptr) {
        Fail("the menu did not appear");
        return 1;
    }
    Picture(menu, outFolder, "menu");
    Press(SubForm(menu), kInstallId);
    HWND settings = WaitForWindow("#32770", kSettingsTitle, kWaitMs);
    if (settings == nullptr) {
        Fail("no settings dialog");
        return 1;
    }
    PostMessageA(GetDlgItem(settings, kFullTypeId), BM_CLICK, 0, 0);
    PostMessageA(GetDlgItem(settings, kDesktopId), BM_CLICK, 0, 0);
    Sleep(300);
    Say("settings: folder " + ControlText(settings, 1004) + ", type " + ControlText(settings, kFullTypeId));
    Picture(settings, outFolder, "settings");
    Press(settings, IDOK);

    // The disc prompt stands over the copy dialog; after the change the second disc's large file is copied.
    FOUND_BOX prompt = WaitForBox(kPromptCaption, kWaitMs);
    if (prompt.window == nullptr) {
        Fail("no disc prompt");
        return 1;
    }
    Say("box: " + prompt.caption + ": " + prompt.text);
    Picture(prompt.window, outFolder, "prompt");
    DefineCdromDrive(kDrive, disc2);
    Say("disc 2 put into the drive");
    HWND copyDialog = WaitForWindow("#32770", kCopyTitle, kWaitMs);
    AnswerBox(prompt, IDOK);
    // Into the second disc's movie: the picture is taken while its bar is on its way, as long as the copy leaves time.
    for (DWORD start = GetTickCount(); copyDialog != nullptr && GetTickCount() - start < kWaitMs; Sleep(10)) {
        LRESULT percent = SendMessageA(GetDlgItem(copyDialog, kFileBarId), PBM_GETPOS, 0, 0);
        if (!IsWindow(copyDialog)
            || (ControlText(copyDialog, 1024).find("movie") != std::string::npos && percent >= 20 && percent <= 80))
            break;
    }
    if (copyDialog != nullptr && IsWindow(copyDialog))
        Say("copying: " + ControlText(copyDialog, 1024) + ", " + ControlText(copyDialog, 1025));
    Picture(copyDialog, outFolder, "copy");
    Answer("情報", IDOK); // the title's finish message

    Sleep(500);
    Picture(menu, outFolder, "installed");
    std::string installFolder;
    if (!RegistryString(HKEY_CURRENT_USER, kRegistryKey, "InstallDir", &installFolder))
        Fail("the install folder is not in the registry");
    PrintLanded(installFolder);

    Press(SubForm(menu), kUninstallId);
    Answer("確認", IDYES);
    Answer("情報", IDOK); // the title's uninstall finish message
    CStartedProcess copy;
    DWORD id = 0;
    GetWindowThreadProcessId(menu, &id);
    if (copy.Open(id) && copy.WaitExit(kWaitMs) == STILL_ACTIVE)
        Fail("the installer did not close after the uninstall");
    PrintLeft(installFolder);
    DefineCdromDrive(kDrive, nullptr);
    return g_failures == 0 ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 5 && strcmp(argv[1], "auto") == 0)
        return Auto(argv[2], argv[3], argv[4]);
    if (argc == 4 && strcmp(argv[1], "show") == 0)
        return Show(argv[2], argv[3]);
    fprintf(stderr, "usage: demowatch auto DISC1 DISC2 OUTDIR | show DISC1 DISC2\n");
    return 2;
}
