// The title's files in the Windows folder, where only administrators can write (ZVSetup\ beside the programs of
// the system): the journal of an install while it runs, "<hash>.jnl", and the kept copy for the uninstall,
// "<hash>\" with the program, the script and the log of a complete install. Both are named by TitleHash of the title
// (Windows only).
#pragma once

#include "foundation/ZVString.h"

#ifdef _WIN32
// The journal's path for title; false when it does not fit a path.
bool GetJournalPath(const char* title, char* path);
// Deletes title's journal, and the folder of the title files when nothing else is in it; false when the journal
// stays.
bool RemoveJournal(const char* title);

// The kept copy's folder for title, with a trailing backslash; false when it does not fit a path.
bool GetKeptFolder(const char* title, char* path);

// What the kept log of a complete install says.
struct KEPT_LOG {
    CZVString text;
    CZVString installFolder; // its first "mkdir" line's folder, with a trailing backslash (InstallFolderOfLog)
    bool forAllUsers; // a key of the default user, or a link in the common programs folder
};
// Reads title's kept log; false when there is none, or it is another title's or names no install folder.
bool ReadKeptLog(const char* title, const char* installSubdir, KEPT_LOG* kept);
// Deletes title's kept copy and its folder; the program programName may be running, and is then renamed beside the
// folder and scheduled (DeleteOrScheduleRunning), its new name in *renamed. True when the folder is gone.
bool RemoveKeptCopy(const char* title, const char* programName, CZVString* renamed);

// Deletes path; a file that cannot be deleted because it runs is renamed to "<prefix>-<n>.old" (n from 1, the first
// free name, in the same folder as prefix) and that name alone is scheduled for deletion at the next start, into
// *renamed (empty when the file went at once). True when path is gone.
bool DeleteOrScheduleRunning(const char* path, const char* prefix, CZVString* renamed);
#endif
