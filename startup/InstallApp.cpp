#include "startup/InstallApp.h"

#include <cstring>
#include <new>

#include "foundation/FileCalls.h"
#include "foundation/ProcessCalls_win.h"
#include "foundation/RemoveTree.h"
#include "foundation/SafeFileName.h"
#include "foundation/SelfDeletion.h"
#include "foundation/SystemLibraries.h"
#include "foundation/Trace.h"
#include "foundation/WindowCalls_win.h"
#include "foundation/WindowsVersion.h"
#include "foundation/WindowsVersion_win.h"
#include "resources/resource.h"
#include "startup/CommandLine.h"
#include "startup/StartupTexts.h"
#include "startup/Unattended.h"
#include "startup/UnattendedReport.h"
#include "startup/UnattendedRun.h"

namespace {

const int kMainClientSize = 240; // the window sizes itself once it is built
const UINT kErrorBox = MB_ICONERROR | MB_SETFOREGROUND;

// Looks for name in the root of the CD-ROM drives from A to Z; the first drive that has it gives its root
// ("X:\") to root (4 bytes). False when no drive has it.
bool FindOnCdromDrives(const char* name, char* root)
{
    for (char letter = 'A'; letter <= 'Z'; letter++) {
        char candidate[4] = {letter, ':', '\\', '\0'};
        if (ZVGetDriveType(candidate) != DRIVE_CDROM)
            continue;
        char path[kPathBytes];
        if (*JoinPath(path, candidate, name) == '\0')
            return false;
        WIN32_FIND_DATAA found;
        HANDLE search = ZVFindFirstFile(path, &found);
        if (search != INVALID_HANDLE_VALUE) {
            FindClose(search);
            memcpy(root, candidate, sizeof(candidate));
            return true;
        }
    }
    return false;
}

// Makes a folder or file named on the command line absolute, from the folder the program was started in: the copy
// works in another. False when it cannot be had or does not fit a path.
bool MakeOptionPathFull(char* path)
{
    if (path[0] == '\0')
        return true;
    char full[kPathBytes];
    char* namePart = nullptr;
    DWORD length = ZVGetFullPathName(path, sizeof(full), full, &namePart);
    if (length == 0 || length >= sizeof(full))
        return false;
    memcpy(path, full, length + 1);
    return true;
}

// True when the work folder's name (made safe from the title) is a folder of its own inside the temporary folder.
// An empty name, or one of dots and blanks only ("." or "..", or one the system trims to nothing), would make the
// work folder the temporary folder itself or its parent.
bool IsOwnFolderName(const char* name)
{
    for (const char* cursor = name; *cursor != '\0'; cursor++) {
        if (*cursor != '.' && *cursor != ' ')
            return true;
    }
    return false;
}

bool IsFile(const char* path)
{
    DWORD attributes = ZVGetFileAttributes(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

// The application object is built at first use in zeroed storage and taken down at exit as a static object would be:
// as a static object the compiler may fold its constructor into data, 100 KB of it stored in the file.
alignas(CInstallApp) unsigned char g_appStorage[sizeof(CInstallApp)];
CInstallApp* g_app = nullptr;
struct APP_OWNER {
    ~APP_OWNER()
    {
        if (g_app != nullptr)
            g_app->~CInstallApp();
    }
} g_appOwner;

} // namespace

CInstallApp* GetApp()
{
    if (g_app == nullptr)
        g_app = new (g_appStorage) CInstallApp();
    return g_app;
}

CInstallApp::CInstallApp()
    : CApp(nullptr, nullptr)
    , windowsClassCode(kWindowsUnknown)
    , deleteSelf(false)
    , installerMutex(nullptr)
    , tempOption(false)
    , silentOption(false)
{
    dirOption[0] = '\0';
    ::ParseCommandLine(nullptr, &options);
    mainWindow.frame = this;
}

CInstallApp::~CInstallApp()
{
    if (installerMutex != nullptr)
        CloseHandle(installerMutex);
}

void CInstallApp::ParseCommandLine(const char* cmdLine)
{
    ::ParseCommandLine(cmdLine, &options);
    silentOption = options.silent;
    tempOption = options.temp;
    memcpy(dirOption, options.dir, sizeof(dirOption));
}

int CInstallApp::Run(HINSTANCE instance, HINSTANCE prevInstance, LPSTR cmdLine, int showCmd)
{
    int exitCode = CApp::Run(instance, prevInstance, cmdLine, showCmd);
    // The last line of an unattended run's report, written by the process its caller waits for.
    if (options.quiet && !tempOption) {
        char ending[64];
        wsprintfA(ending, ZV_TEXT_EXIT_CODE, exitCode);
        ReportLine(ZV_CAPTION_STEP, ending);
    }
    return exitCode;
}

bool CInstallApp::InitInstance(HINSTANCE instance, HINSTANCE, LPSTR cmdLine, int)
{
    m_instance = instance;

    // Read before anything can show a box: an unattended run shows none. Its paths are taken relative to the
    // folder the program was started in, before the disc's folder becomes the current one.
    ParseCommandLine(cmdLine);
    bool pathsFull = MakeOptionPathFull(options.target);
    if (!MakeOptionPathFull(options.log))
        options.log[0] = '\0';
    if (options.quiet) {
        BeginUnattendedRun(options.log, !tempOption);
        CZVWnd::SetBoxFunction(ShowOrReportBox);
        m_startExitCode = kExitCannotStart;
    }

    HANDLE running = ZVOpenMutex(MUTEX_ALL_ACCESS, FALSE, ZV_STARTUP_MUTEX_NAME);
    if (running != nullptr) {
        CloseHandle(running);
        ReportLine(ZV_CAPTION_ALREADY_RUNNING, ZV_TEXT_ALREADY_RUNNING);
        return false;
    }
    if (!CheckWindowsVersion(0, kWindows2000)) {
        ShowOrReportBox(nullptr, ZV_TEXT_UNSUPPORTED_OS, ZV_CAPTION_NOT_SUPPORTED, kErrorBox);
        return false;
    }
    if (dirOption[0] != '\0')
        ZVSetCurrentDirectory(dirOption);
    if (!mainWindow.ReadInstallInfo(ZV_STARTUP_SCRIPT_NAME)
        && (!SearchDiscsForScript(options.quiet, IsFile(ZV_STARTUP_SCRIPT_NAME)) || !FindScriptOnDiscs()))
        return false;
    if (cmdLine == nullptr)
        return false;
    if (options.quiet && (options.badOption[0] != '\0' || !pathsFull)) {
        char message[512];
        wsprintfA(message, ZV_TEXT_BAD_OPTION, options.badOption[0] != '\0' ? options.badOption : "-target");
        ReportLine(ZV_CAPTION_ERROR, message);
        return false;
    }

    if (silentOption)
        return RunSilent();
    if (tempOption)
        return RunCopy(instance);
    return CopyAndRelaunch();
}

bool CInstallApp::FindScriptOnDiscs()
{
    SetErrorMode(kQuietErrorMode); // an empty drive must not ask the user to insert a disc
    char root[4];
    if (!FindOnCdromDrives(ZV_STARTUP_SCRIPT_NAME, root)) {
        ShowOrReportBox(nullptr, ZV_TEXT_INSERT_GAME_CD, ZV_CAPTION_FAILURE, kErrorBox);
        return false;
    }
    char message[256];
    wsprintfA(message, ZV_TEXT_SETUP_FROM_DRIVE, root[0]);
    ShowOrReportBox(nullptr, message, ZV_CAPTION_INFORMATION, MB_ICONINFORMATION | MB_SETFOREGROUND);
    mainWindow.SetSourceDir(root);
    ZVSetCurrentDirectory(root);
    if (!mainWindow.ReadInstallInfo(ZV_STARTUP_SCRIPT_NAME)) {
        ShowOrReportBox(nullptr, ZV_TEXT_SCRIPT_UNREADABLE, ZV_CAPTION_FAILURE, kErrorBox);
        return false;
    }
    return true;
}

bool CInstallApp::RunSilent()
{
    SetErrorMode(kQuietErrorMode);
    for (;;) {
        char root[4];
        if (FindOnCdromDrives(ZV_STARTUP_PROGRAM_NAME, root)) {
            char program[kPathBytes];
            wsprintfA(program, "%s%s", root, ZV_STARTUP_PROGRAM_NAME);
            WinExec(program, SW_SHOW);
            if (options.quiet)
                m_startExitCode = kExitDone;
            return false;
        }
        char message[1024];
        wsprintfA(message, ZV_TEXT_INSERT_TITLE_CD, mainWindow.settings.gametitle);
        if (ShowOrReportBox(nullptr, message, ZV_CAPTION_SETUP, MB_OKCANCEL | MB_ICONINFORMATION) != IDOK)
            return false;
    }
}

bool CInstallApp::RunCopy(HINSTANCE instance)
{
    deleteSelf = true;
    installerMutex = nullptr;
    HANDLE mutex = ZVCreateMutex(nullptr, TRUE, ZV_STARTUP_MUTEX_NAME);
    if (mutex == nullptr)
        return false;
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        CloseHandle(mutex);
        return false;
    }
    installerMutex = mutex;

    if (options.quiet) {
        m_startExitCode = RunUnattended(mainWindow, options);
        ExitInstance(); // no message loop follows: the copy's deletion is scheduled here
        return false;
    }
    if (mainWindow.Create(instance, kMainClientSize, kMainClientSize) == nullptr) {
        ReportMainWindowFailure();
        return false;
    }
    mainWindow.ShowWindow(SW_SHOW);
    mainWindow.UpdateWindow();
    mainWindow.SetIcon(LoadIconA(instance, MAKEINTRESOURCEA(IDI_MAIN)), true);
    return true;
}

void CInstallApp::ReportMainWindowFailure()
{
    // The window that failed was destroyed on its way out, and its OnDestroy posted the quit message: left in the
    // queue, it would end the message box before the user could read it.
    MSG quit;
    while (PeekProgramMessage(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) { }
    ShowProgramMessageBox(nullptr, ZV_TEXT_MAIN_WINDOW_FAILED, ZV_CAPTION_FAILURE, kErrorBox);
}

bool CInstallApp::CopyAndRelaunch()
{
    char tempPath[kPathBytes];
    DWORD tempLength = ZVGetTempPath(sizeof(tempPath), tempPath);
    if (tempLength == 0 || tempLength >= sizeof(tempPath)) {
        ShowOrReportBox(nullptr, ZV_TEXT_NO_WORK_FOLDER, ZV_CAPTION_ERROR, kErrorBox);
        return false;
    }
    // A title such as "Fate/Quest: 2" names one folder, "Fate／Quest： 2".
    const CZVString folderName = SafeFileName(mainWindow.settings.gametitle);
    bool ownFolder = IsOwnFolderName(folderName.GetString());
    char workFolder[kPathBytes];
    char executable[kPathBytes];
    char copyPath[kPathBytes];
    DWORD executableLength = ZVGetModuleFileName(nullptr, executable, sizeof(executable));
    bool pathsFit = tempLength + folderName.GetLength() < sizeof(workFolder) && executableLength > 0
        && executableLength < sizeof(executable);
    if (pathsFit) {
        // Joined by hand: the first start calls nothing of user32, which it would otherwise load (wsprintfA).
        memcpy(workFolder, tempPath, tempLength);
        strcpy(workFolder + tempLength, ownFolder ? folderName.GetString() : "");
        pathsFit = *JoinPath(copyPath, workFolder, FileNamePart(executable)) != '\0';
    }
    if (!pathsFit) {
        // Nothing was made yet, so there is nothing to take back.
        ShowOrReportBox(nullptr, ZV_TEXT_WORK_COPY_FAILED, ZV_CAPTION_ERROR, kErrorBox);
        return false;
    }
    ZVCreateDirectory(workFolder, nullptr); // an existing folder is fine

    if (!ZVCopyFile(executable, copyPath, FALSE) && GetLastError() != ERROR_FILE_EXISTS) {
        // A read-only copy left by an earlier run cannot be overwritten until its attributes are reset.
        ZVSetFileAttributes(copyPath, FILE_ATTRIBUTE_NORMAL);
        if (!ZVCopyFile(executable, copyPath, FALSE) && GetLastError() != ERROR_FILE_EXISTS) {
            RemoveWorkCopy(workFolder, copyPath, ownFolder);
            ShowOrReportBox(nullptr, ZV_TEXT_WORK_COPY_FAILED, ZV_CAPTION_ERROR, kErrorBox);
            return false;
        }
    }
    ZVSetFileAttributes(copyPath, FILE_ATTRIBUTE_NORMAL); // a copy from a disc is read-only

    // The script's folder: the copy works there and is told it with -dir.
    char scriptFolder[kPathBytes];
    DWORD folderLength = ZVGetCurrentDirectory(sizeof(scriptFolder), scriptFolder);
    if (folderLength == 0 || folderLength >= sizeof(scriptFolder))
        scriptFolder[0] = '\0';
    // Four paths of at most 259 bytes and the options; joined, not formatted, past Format's 1024 bytes.
    CZVString commandLine
        = CZVString("\"") + copyPath + "\" -temp -dir:\"" + scriptFolder + "\"" + FormatHandedOnOptions(options);
    STARTUPINFOA startup;
    memset(&startup, 0, sizeof(startup));
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process;
    if (ZVCreateProcess(copyPath, commandLine.GetBuffer(), nullptr, nullptr, FALSE, NORMAL_PRIORITY_CLASS, nullptr,
            scriptFolder[0] != '\0' ? scriptFolder : nullptr, &startup, &process)) {
        CloseHandle(process.hThread);
        // Unattended, the caller learns the outcome from this process: it ends with the copy's exit code. It waits
        // outside the disc's folder, which may be the install folder that the copy is to remove.
        DWORD exitCode = kExitCannotStart;
        if (options.quiet)
            ZVSetCurrentDirectory(workFolder);
        if (options.quiet && WaitForSingleObject(process.hProcess, INFINITE) == WAIT_OBJECT_0
            && GetExitCodeProcess(process.hProcess, &exitCode))
            m_startExitCode = static_cast<int>(exitCode);
        CloseHandle(process.hProcess);
    } else {
        RemoveWorkCopy(workFolder, copyPath, ownFolder);
        ShowOrReportBox(nullptr, ZV_TEXT_WORK_START_FAILED, ZV_CAPTION_ERROR, kErrorBox);
    }
    return false; // the copy carries on; this process ends
}

void CInstallApp::RemoveWorkCopy(const char* workFolder, const char* copyPath, bool ownFolder)
{
    if (ownFolder) {
        RemoveTree(workFolder);
    } else {
        // The work folder is the temporary folder itself: only what this start put there goes.
        ZVSetFileAttributes(copyPath, FILE_ATTRIBUTE_NORMAL);
        ZVDeleteFile(copyPath);
    }
}

int CInstallApp::ExitInstance()
{
    if (deleteSelf) {
        char executable[kPathBytes];
        DWORD length = ZVGetModuleFileName(nullptr, executable, sizeof(executable));
        if (length > 0 && length < sizeof(executable))
            ScheduleSelfDeletion(executable);
        else
            Trace("失敗：CInstallApp::ExitInstance 実行ファイル名が取得できない\n");
    }
    return 0;
}

bool CInstallApp::DetectWindowsVersion()
{
    windowsClassCode = RunningWindowsClass();
    return windowsClassCode != kWindowsUnknown;
}

bool CInstallApp::CheckWindowsVersion(int32_t min9x, int32_t minNT)
{
    if (windowsClassCode == kWindowsUnknown && !DetectWindowsVersion())
        return false;
    return IsWindowsAtLeast(windowsClassCode, min9x, minNT);
}
