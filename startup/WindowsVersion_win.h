// The version record of the running system, as GetVersionExA reports it.
#pragma once

#include "foundation/SystemApi.h"
#include "startup/WindowsVersion.h"

// Fills record; false (record zeroed) when the system does not report its version.
bool ReadRunningWindowsVersion(WINDOWS_VERSION_RECORD* record);
