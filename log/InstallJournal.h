// The journal of an install: the install log (InstallLog.h) kept on disk, line by line, while an install runs, so
// that an install cut off by a power loss or an ended process can be undone when the title is started again. It
// holds the lines of the install log and nothing else, in a fixed folder of the machine under a name made from the
// title; it goes when the install ends (saved as "uninst.dat" after a success, undone after a failure). These
// functions only decide; the file is written and read by the install (engine/) and the menu (uninstall/).
#pragma once

#include "foundation/ZVString.h"

// 16 hexadecimal digits of a 64-bit hash of the title's bytes: the journal's name and the kept copy's folder.
CZVString TitleHash(const char* title);

// The journal's file name for a title: a 64-bit hash of the title's bytes in 16 hexadecimal digits and ".jnl". Any
// title gives a valid file name, two titles practically never share one, and ReadJournal tells a shared one apart.
CZVString JournalFileName(const char* title);

// What a journal found at the start of a title says.
struct JOURNAL_READING {
    bool ownTitle; // its header names this title: another title's journal is left alone
    bool finished; // its last line is the log file's own: the install went through to the save of "uninst.dat"
    // The install folder with its trailing backslash: the base folder of "$InstallDir" with the script's
    // installsubdir, when the first verb line makes exactly that folder; else empty, and the replay then reaches
    // none of the lines relative to it (IsInstallAction).
    CZVString installFolder;
    bool forAllUsers; // a key of the default user, or a link below commonPrograms: where the group folder lies
};

// Reads a journal text of the title whose script gives installSubdir; commonPrograms is the common programs folder
// of the Start menu ("" when the system has none).
JOURNAL_READING ReadJournal(
    const CZVString& journal, const char* title, const char* installSubdir, const char* commonPrograms);

// The install folder that a log of a complete install names: its first verb line, when that is the "mkdir" of an
// absolute folder without a parent component, with a trailing backslash added unless it ends in a real one. Empty
// otherwise, or when the result would not fit a path. The log kept for the uninstall in a folder that only
// administrators can write says where the title lies; the user's own registry key could say anything.
CZVString InstallFolderOfLog(const CZVString& log);
