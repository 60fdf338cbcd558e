// CInstallApp: the installer's application class and its one static object, reached through GetApp.
#pragma once

#include <cstdint>

#include "foundation/App.h"
#include "ui/ZVWnd.h"

class CInstallApp : public CApp {
public:
    CInstallApp();
    ~CInstallApp() override;

    // The frame's start step, then the menu window: a shown window of the class "ZVWndClass" whose client area
    // is 240 x 240, with the program's icon.
    bool InitInstance(HINSTANCE instance, HINSTANCE prevInstance, LPSTR cmdLine, int showCmd) override;
    int ExitInstance() override;

    // Classifies the running system into the Windows class code; false (code -1) when it is not classifiable.
    bool DetectWindowsVersion();
    // True when the system is at least min9x (95 family) or minNT (NT family); kRefuseFamily refuses a family.
    // Classifies the system first when that has not been done.
    bool CheckWindowsVersion(int32_t min9x, int32_t minNT);
    int32_t GetWindowsClassCode() const { return windowsClassCode; }

    CZVWnd& GetMainWindow() { return mainWindow; }

private:
    int32_t windowsClassCode; // -1 until the system is classified
    CZVWnd mainWindow;
};

// The one application object.
CInstallApp* GetApp();
