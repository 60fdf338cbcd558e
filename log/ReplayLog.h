// The replay of the install log: from its last line to its first, every line that an install of this program can
// have written is undone, and nothing else: the uninstall, the undo of a failed install and the undo of an install
// that was cut off all go through it (Windows only).
#pragma once

#include "foundation/SystemApi.h"
#include "log/InstallLog.h"

class CKeptFiles;

// What the replay may reach for a title: its install folder (with its trailing backslash), its registry root and
// key, its title, and the shell folders its links go to, the current user's and the common ones alike (a journal
// of an install that was cut off does not always tell which).
INSTALL_SCOPE MakeInstallScope(
    const char* installFolder, const char* registryRoot, const char* registryKey, const char* title);

// Undoes log from its last line to its first within scope, passing over what kept holds (null: nothing), then
// removes the Start menu's group folder startMenuDir (of the common programs folder when forAllUsers) if it is
// empty. The current folder is the same afterwards. False only when the replay could not run: an empty log.
bool ReplayLog(const CZVString& log, const INSTALL_SCOPE& scope, const char* startMenuDir, bool forAllUsers,
    const CKeptFiles* kept);

// After a replay: true when nothing that log records within scope (files, the folders it made, links, keys) is
// there. kept: the files the player keeps, which may stay, as may the folders, which may hold them (null: none).
bool LeftNothingOf(const CZVString& log, const INSTALL_SCOPE& scope, const CKeptFiles* kept);
