// The entry point: everything else belongs to the application object.
#include "startup/InstallApp.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE prevInstance, LPSTR cmdLine, int showCmd)
{
    return GetApp()->Run(instance, prevInstance, cmdLine, showCmd);
}
