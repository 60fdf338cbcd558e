// The version record of the running system, as GetVersionExA reports it.
#pragma once

#include "foundation/SystemApi.h"
#include "foundation/WindowsVersion.h"

// Fills record; false (record zeroed) when the system does not report its version.
bool ReadRunningWindowsVersion(WINDOWS_VERSION_RECORD* record);

// The class code of the running system; kWindowsUnknown when it does not report its version.
int32_t RunningWindowsClass();
// True when the running system is at least min9x (95 family) or minNT (NT family), as IsWindowsAtLeast decides;
// the system is classified once.
bool IsRunningWindowsAtLeast(int32_t min9x, int32_t minNT);
