// The entry point: everything else belongs to the application object.
#include "foundation/ProcessCalls_win.h"
#include "foundation/SystemLibraries.h"
#include "startup/InstallApp.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE prevInstance, LPSTR cmdLine, int showCmd)
{
    // Before anything could load a DLL by name or touch an empty drive. (The application object was built before
    // this, and loads nothing by name.)
    PrepareProcess();
    // The options may name folders and files that the system's code page cannot hold.
    CZVString arguments = ProgramArguments(cmdLine);
    return GetApp()->Run(instance, prevInstance, arguments.GetBuffer(), showCmd);
}
