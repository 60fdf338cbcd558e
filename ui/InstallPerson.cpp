// The menu as the install's person: its questions in boxes owned by the window, and its copy in the copy dialog
// (its messages, sounds and the script's messages are the uninstall's, ui/UninstallPerson.cpp).
#include "engine/Install.h"
#include "ui/MainWnd.h"

int CMainWnd::Ask(INSTALL_QUESTION, const char* text, const char* caption, UINT type, int)
{
    return MessageBox(text, caption, type);
}

bool CMainWnd::RunCopy(CInstall& install)
{
    copyInstall = &install;
    totalFileCount = install.FileCount();
    bool copied = RunCopyDialog();
    copyInstall = nullptr;
    return copied;
}
