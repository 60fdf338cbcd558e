// DirectX: whether the installed version meets the title's requirement (asked of the set-up library on the disc,
// else read from the registry), the question before a launch when it does not, and the DirectX button, which runs
// the disc's set-up program and waits for it.
#include "foundation/FileCalls.h"
#include "foundation/PathCompare.h"
#include "foundation/ProcessCalls_win.h"
#include "foundation/RegProfile.h"
#include "foundation/ScopedHandles.h"
#include "foundation/SystemLibraries.h"
#include "resources/resource.h"
#include "ui/DirectXVersion.h"
#include "ui/MainWnd.h"
#include "ui/MenuTexts.h"
#include "ui/ProcessWait.h"

namespace {

typedef int(WINAPI* DIRECTX_GET_VERSION)(DWORD* version, DWORD* revision);

// The set-up program's exit code for a failed install, also taken when its exit code could not be read.
const DWORD kSetupFailed = 0xFFFFFFFF;

// The sub-form's buttons, in the order the set-up disables and enables them.
const int kMenuButtons[] = {IDC_LAUNCH, IDC_INSTALL, IDC_UNINSTALL, IDC_DIRECTX, IDC_QUIT};

void EnableMenuButtons(HWND subForm, bool enable)
{
    for (int id : kMenuButtons)
        EnableWindow(GetDlgItem(subForm, id), enable);
}

// True when folder is the running program's own folder (in the relaunched copy, the work folder in %TEMP%), or when
// that folder cannot be known.
bool IsProgramFolder(const char* folder)
{
    char program[kPathBytes], programFolder[kPathBytes];
    DWORD length = ZVGetModuleFileName(nullptr, program, sizeof(program));
    if (length == 0 || length >= sizeof(program))
        return true;
    CopyCutAtChar(programFolder, FolderPartLength(program) + 1, program);
    return IsPathAtOrBelow(folder, programFolder) && IsPathAtOrBelow(programFolder, folder);
}

// The installed DirectX's major version as the registry records it; kDirectXUnknown when it records none.
int RegistryDirectXMajor()
{
    CRegProfile profile;
    profile.SetRoot(HKEY_LOCAL_MACHINE, "Software\\Microsoft");
    char text[64];
    bool read = profile.OpenReadOnly("DirectX") && profile.GetString("Version", text, sizeof(text));
    profile.Close();
    return read ? DirectXMajorFromVersionText(text) : kDirectXUnknown;
}

} // namespace

bool CMainWnd::QueryDirectXVersion(HMODULE* library)
{
    if (settings.directxrequire < 1)
        return true;
    // The library runs with the installer's rights: it is taken from the disc only, never from the install folder,
    // the kept copy's folder or the work folder, which users can write. Run from an installed copy (an uninstall
    // from the Windows list), the disc is not there, and its library is not missed aloud.
    bool fromInstalledCopy = IsSourceInstalledCopy();
    DIRECTX_GET_VERSION getVersion = nullptr;
    if (!fromInstalledCopy) {
        char path[kPathBytes];
        JoinPath(path, sourceDir, "DSetup.dll");
        *library = path[0] != '\0' && !IsProgramFolder(sourceDir) ? LoadLibraryFromItsFolder(path) : nullptr;
        if (*library == nullptr) {
            MessageBox(ZV_MENU_DSETUP_MISSING, ZV_CAPTION_FAILURE, MB_ICONERROR);
        } else {
            getVersion = reinterpret_cast<DIRECTX_GET_VERSION>(
                reinterpret_cast<void*>(GetProcAddress(*library, "DirectXSetupGetVersion")));
            if (getVersion == nullptr)
                MessageBox(ZV_MENU_DSETUP_INVALID, ZV_CAPTION_FAILURE, MB_OK);
        }
    }
    if (getVersion == nullptr) {
        int major = RegistryDirectXMajor();
        isDirectXReady = major != kDirectXUnknown && major >= settings.directxrequire;
        return false;
    }
    DWORD version = 0;
    if (getVersion(&version, nullptr) != 0 && (version & 0xFFFF) >= static_cast<DWORD>(settings.directxrequire))
        isDirectXReady = true;
    return true;
}

bool CMainWnd::ConfirmDirectXForLaunch()
{
    if (settings.directxrequire <= 0 || isDirectXReady)
        return true;
    CZVString question = CZVString::Format(ZV_MENU_DIRECTX_QUESTION, settings.gametitle, settings.directxrequire);
    return MessageBox(question.GetString(), ZV_CAPTION_CONFIRMATION, MB_OKCANCEL | MB_ICONQUESTION) == IDOK;
}

void CMainWnd::RunDirectXSetup()
{
    if (MessageBox(ZV_DIRECTX_CONFIRM, ZV_CAPTION_CONFIRMATION, MB_OKCANCEL | MB_ICONQUESTION) != IDOK)
        return;
    ZVSetCurrentDirectory(sourceDir);
    if (settings.dxsetup[0] == '\0')
        lstrcpynA(settings.dxsetup, ZV_DIRECTX_DEFAULT_SETUP, sizeof(settings.dxsetup));

    // A set-up path too long to join stays empty, and fails to start like a missing program.
    char program[kPathBytes], folder[kPathBytes], fileName[kPathBytes];
    JoinPath(program, sourceDir, settings.dxsetup);
    SplitPath(program, folder, fileName);
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    CProcessHandles process;
    if (program[0] == '\0'
        || !ZVCreateProcess(program, nullptr, nullptr, nullptr, FALSE,
            CREATE_DEFAULT_ERROR_MODE | NORMAL_PRIORITY_CLASS, nullptr, folder[0] != '\0' ? folder : nullptr, &startup,
            process.Info())) {
        MessageBox(ZV_DIRECTX_START_FAILED, ZV_CAPTION_FAILURE, MB_ICONERROR);
        return;
    }

    EnableMenuButtons(subFormHandle, false);
    DWORD exitCode = 0;
    if (!WaitForProgram(frame, process.Process(), &exitCode))
        return; // the installer is quitting: its windows are going
    EnableMenuButtons(subFormHandle, true);
    ApplyInstallState();
    if (exitCode == kSetupFailed)
        MessageBox(ZV_DIRECTX_INSTALL_FAILED, ZV_CAPTION_FAILURE, MB_ICONERROR);
}
