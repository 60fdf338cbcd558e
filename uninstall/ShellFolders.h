// The shell's special folders as the uninstaller needs them: the Start menu's programs folders and desktops whose
// links go, and the system's own folders that no clean-up may remove or lie above (Windows only).
#pragma once

#include <vector>

#include "foundation/ShellFolder.h"
#include "foundation/SystemApi.h"
#include "foundation/ZVString.h"

// The Windows folder, the system folder, Program Files (the registry's "ProgramFilesDir" and the shell's), the
// user profile, the desktops, the documents, the Start menus and their programs folders: each where this system
// has it.
std::vector<CZVString> GetSystemFolders();
