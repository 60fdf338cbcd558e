// The menu as the uninstall's person: its questions and messages in boxes owned by the window, and the uninstall
// button and the undo of an interrupted install, after which the menu shows the new state.
#include "ui/MainWnd.h"
#include "uninstall/Uninstall.h"

bool CMainWnd::Uninstall()
{
    CUninstall uninstall(*this, *this, *this);
    bool complete = uninstall.Run();
    ReadInstallState();
    ApplyInstallState();
    return complete;
}

bool CMainWnd::UndoInterruptedInstall()
{
    CUninstall uninstall(*this, *this, *this);
    bool replayed = false;
    bool noneLeft = uninstall.UndoInterruptedInstall(&replayed);
    if (replayed) {
        ReadInstallState();
        ApplyInstallState();
    }
    return noneLeft;
}

int CMainWnd::Ask(UNINSTALL_QUESTION, const char* text, const char* caption, UINT type, int recommendation)
{
    // A question the script leaves empty is not put: the uninstall goes on as it would.
    if (text == nullptr || text[0] == '\0')
        return recommendation;
    return MessageBox(text, caption, type);
}

void CMainWnd::Tell(const char* text, const char* caption, UINT type)
{
    MessageBox(text, caption, type);
}

void CMainWnd::Note(const char*, const char*) { }

void CMainWnd::ShowScriptMessage(const char* text)
{
    ShowScriptMessage(text, MB_OK);
}
