// The install of a title whose settings are chosen: the log's header and its journal, the folders, the kept copy for
// the uninstall, the copy through the person, the links, the keys, the saved log, and the undo of a failure. It works
// on the description and the state it is given and owns what only an install needs; the menu's refresh is its
// caller's (Windows only).
#pragma once

#include <vector>

#include "engine/InstallPerson.h"
#include "engine/JournalFile.h"
#include "foundation/ZVString.h"
#include "log/InstallState.h"
#include "script/InstallDescription.h"

struct COPY_RUN;

class CInstall : public ICopyWork {
public:
    // Reads the running program's version for the uninstall entry.
    CInstall(const INSTALL_DESCRIPTION& description, INSTALL_STATE& state, IInstallPerson& person);
    ~CInstall() override;
    CInstall(const CInstall&) = delete;
    CInstall& operator=(const CInstall&) = delete;

    enum OUTCOME {
        kInstalled, // "uninst.dat" was saved
        kFailedUndone, // a step failed and the undo took everything back
        kFailedLeftOver, // the undo could not take everything back
    };
    // The steps in their fixed order, from the log's header to the final message; a failed step is undone from the
    // log kept so far.
    OUTCOME Run();

    // Creates the install folder and the script's folders and logs a "mkdir" line for each; false only when the
    // chosen type has no files (after its message).
    bool PrepareDirectories();
    // Copies the program and the script from the disc's folder into the kept folder and sets keptFolder; false
    // (keptFolder empty, nothing kept) when either cannot be copied.
    bool MakeKeptCopy();
    // The Start-menu and desktop links chosen in the settings, logged; false when a needed shell folder cannot be
    // had or a link cannot be saved (after its message).
    bool CreateShortcuts();
    // The install folder and type in the title's key, logged; always true.
    bool WriteRegistrySettings();
    // The title's entry in the Windows list of installed programs, logged; false when the key or one of its first
    // two values cannot be written.
    bool WriteUninstallEntry();
    // Saves installLog as "uninst.dat" in the install folder and, where the install made one, in the kept copy's
    // folder, each whole or not at all (SaveWhole); false when either could not be saved.
    bool SaveInstallLogs();

    // Every line of the install log goes through here: into installLog and onto the journal, where it is before
    // the action it records can leave a trace. A section line ("#") first flushes the journal: the step before it
    // is complete. alreadyJournaled: the line went onto the journal ahead of its action (JournalAhead) and joins
    // installLog only now that the action is complete.
    void AppendLogLine(const CZVString& line, bool alreadyJournaled = false);
    // Writes a line onto the journal alone, ahead of an action whose line joins installLog only once the action is
    // complete (a copied file); WithdrawJournalLine takes it back when the action is not taken after all.
    void JournalAhead(const CZVString& line);
    void WithdrawJournalLine();
    // Starts the journal with installLog so far. Without it (an unwritable Windows folder) the install goes on as
    // before, traced.
    void StartJournal();
    // Closes and deletes the journal: the install was saved or undone.
    void EndJournal();

    // The copy through the person's progress window; true when every file arrived.
    bool RunCopy();
    bool Copy() override;
    void Cancel() override;

    // The files of the earlier install that its removal for a reinstall left to the player (full paths): the copy
    // leaves them as they are and asks nothing.
    std::vector<CZVString> keptFromEarlierInstall;

private:
    // True when disc n is available; it may change the current directory to the root of a CD-ROM drive.
    static bool FindDisc(int n);
    // True when FindFirstFileA finds something for the path or pattern.
    static bool FileExists(const char* path);

    const INSTALL_DESCRIPTION& description;
    const INSTALL_SETTINGS& settings; // description.settings
    INSTALL_STATE& state;
    IInstallPerson& person;
    CJournalFile journal; // open while the install runs
    char keptFolder[260]; // the kept copy this install made, with its trailing backslash; empty when there is none
    int fileVersionMajor; // of the program's own version resource, for the uninstall entry
    int fileVersionMinor;

    // The copy state, valid while the copy runs.
    size_t copyCursor; // index of the entry of typeFiles[installtype] being copied
    HANDLE sourceHandle; // INVALID_HANDLE_VALUE when no source is open
    HANDLE destHandle; // INVALID_HANDLE_VALUE when no destination is open
    int64_t discBytesDone;
    int64_t fileSize;
    int64_t fileBytesDone;
    int32_t totalFileCount; // the total of "全体(%d of %d)" and of the taskbar
    int32_t currentFileNumber; // 1-based; after the last file one more than the files copied
    bool copyCancelled; // the cancel button was pressed: no further file is started

    // The measuring pass of one disc: its bytes; false when the user stops at a missing file.
    bool MeasureDisc(const std::vector<FILE_ENTRY>& files, int32_t disc, int64_t* discBytes);
    // Copies one found file to installedDir + relativePath; false after a failure (shown) or a refusal.
    // What one attempt at a file came to: copied, failed as the person was told (or cancelled), or not read from the
    // disc (nothing of it left, to try again).
    enum COPY_ATTEMPT { kFileCopied, kFileFailed, kFileUnread };
    bool CopyOneFile(const char* relativePath, COPY_RUN* run);
    COPY_ATTEMPT CopyFileOnce(const char* relativePath, COPY_RUN* run);
    // Redraws the parts of the progress and the taskbar button that changed, when the pace says a redraw is due
    // (force: at once, before a box covers the progress).
    void ShowCopyProgress(COPY_RUN* run, bool force);
    // Lets the person's windows breathe; when the pace says so, also gives up the rest of the time slice.
    void PumpCopyMessages(COPY_RUN* run);
    // Makes the folders of relativePath below installedDir that are missing, logging each it made.
    void MakeFileFolders(const char* relativePath);
    // True when path (a full path) is among keptFromEarlierInstall.
    bool IsKeptFromEarlierInstall(const char* path) const;
    // Closes the copy's files, shows the failure with path in it, deletes partialFile when not null; false.
    bool ReportCopyFailure(const char* format, const char* path, UINT type, const char* partialFile);
    void CloseCopyHandles();
};

// Creates a folder with every missing folder above it; true when it exists afterwards.
bool MakeDirectoryPath(const char* path);
// Writes the system's program folder (else the root of the Windows drive) into settings->installdir; unchanged when
// neither can be had.
void ChooseDefaultInstallFolder(INSTALL_SETTINGS* settings);
