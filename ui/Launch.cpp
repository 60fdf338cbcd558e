// What the menu starts: the installed game (after which the installer ends) and the programs of the extra buttons.
#include "foundation/ScopedHandles.h"
#include "ui/MainWnd.h"

#include <shellapi.h> // after <windows.h>, which it needs

#include "foundation/FileCalls.h"
#include "foundation/ProcessCalls_win.h"
#include "foundation/ShellCalls_win.h"
#include "ui/MenuLayout.h"
#include "ui/MenuTexts.h"
#include "ui/ProcessWait.h"

namespace {

const int kFirstExtraButtonId = 2000;

} // namespace

void CMainWnd::LaunchGame()
{
    bool launched = false;
    if (isInstalled && ConfirmDirectXForLaunch()) {
        // CreateProcessA may write into the command line: it gets a copy.
        char commandLine[kPathBytes];
        lstrcpynA(commandLine, GameCommandLine(settings), sizeof(commandLine));
        char previousDir[kPathBytes] = "";
        DWORD length = ZVGetCurrentDirectory(sizeof(previousDir), previousDir);
        ZVSetCurrentDirectory(installedDir);
        STARTUPINFOA startup = {};
        startup.cb = sizeof(startup);
        PROCESS_INFORMATION process = {};
        if (ZVCreateProcess(settings.executefile, commandLine, nullptr, nullptr, FALSE,
                CREATE_DEFAULT_ERROR_MODE | NORMAL_PRIORITY_CLASS, nullptr, installedDir, &startup, &process)) {
            CloseHandle(process.hThread);
            CloseHandle(process.hProcess);
            launched = true;
        } else if (length > 0 && length < sizeof(previousDir)) {
            // The menu stays: the extra buttons' relative paths are still meant from the disc folder.
            ZVSetCurrentDirectory(previousDir);
        }
    }
    if (launched) {
        Destroy();
        return;
    }
    CZVString text = CZVString::Format(ZV_MENU_LAUNCH_FAILED, settings.gametitle);
    MessageBox(text.GetString(), ZV_CAPTION_FAILURE, MB_ICONERROR);
}

void CMainWnd::StartExtraProgram(int controlId)
{
    if (controlId < kFirstExtraButtonId || controlId >= kFirstExtraButtonId + static_cast<int>(commands.size()))
        return;
    for (const COMMAND_ENTRY& entry : commands) {
        if (entry.buttonId != controlId)
            continue;
        CZVString failure = CZVString::Format(ZV_MENU_PROGRAM_FAILED, entry.caption);
        if (!entry.waitForExit) {
            char fullPath[kPathBytes], folder[kPathBytes], fileName[kPathBytes];
            DWORD length = ZVGetFullPathName(entry.command, sizeof(fullPath), fullPath, nullptr);
            if (length == 0 || length >= sizeof(fullPath))
                fullPath[0] = '\0';
            SplitPath(fullPath, folder, fileName);
            HINSTANCE result = ZVShellExecute(hwnd, "runas", fileName, nullptr, folder, SW_SHOWNORMAL);
            if (OpenWithDefaultVerbAfterRunas(reinterpret_cast<INT_PTR>(result)))
                result = ZVShellExecute(hwnd, nullptr, fileName, nullptr, folder, SW_SHOWNORMAL);
            if (reinterpret_cast<INT_PTR>(result) <= 32)
                MessageBox(failure.GetString(), ZV_CAPTION_FAILURE, MB_ICONERROR);
            continue;
        }

        char commandLine[kPathBytes];
        lstrcpynA(commandLine, entry.command, sizeof(commandLine));
        // The program by its full path from the current folder, as its button was made: named alone, it would be
        // looked for beside the running program first, in the work folder every user can write.
        char program[kPathBytes];
        DWORD length = ZVGetFullPathName(entry.command, sizeof(program), program, nullptr);
        STARTUPINFOA startup = {};
        startup.cb = sizeof(startup);
        CProcessHandles process;
        if (length == 0 || length >= sizeof(program)
            || !ZVCreateProcess(program, commandLine, nullptr, nullptr, FALSE,
                CREATE_DEFAULT_ERROR_MODE | NORMAL_PRIORITY_CLASS, nullptr, nullptr, &startup, process.Info())) {
            MessageBox(failure.GetString(), ZV_CAPTION_FAILURE, MB_ICONERROR);
            return;
        }
        EnableWindow(hwnd, FALSE);
        DWORD exitCode = 0;
        if (!WaitForProgram(frame, process.Process(), &exitCode))
            return;
        EnableWindow(hwnd, TRUE);
        SetForegroundWindow();
        return;
    }
}
