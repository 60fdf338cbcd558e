// The uninstall of a title: the checks, the questions through the person, the script's extra files, the replay of
// the install log or the fixed clean-up without it, and the undo of an install that was cut off. It works on the
// description and the state it is given and owns nothing else; the menu's refresh is its caller's (Windows only).
#pragma once

#include <vector>

#include "foundation/ZVString.h"
#include "log/InstallState.h"
#include "script/InstallDescription.h"
#include "uninstall/UninstallPerson.h"

class CKeptFiles;

class CUninstall {
public:
    CUninstall(const INSTALL_DESCRIPTION& description, INSTALL_STATE& state, IUninstallPerson& person)
        : description(description)
        , state(state)
        , person(person)
    {
    }
    CUninstall(const CUninstall&) = delete;
    CUninstall& operator=(const CUninstall&) = delete;

    // The uninstall from the checks to the summary: refused (told) when the title is not installed or is installed
    // for all users and the rights are missing; asks, erases the script's extra files when the person wants, takes
    // the install away and tells how it went. True for a complete success; isInstalled is false after any undo.
    bool Run();

    enum UNDO_OUTCOME {
        kUndoComplete,
        kUndoPartial, // something the install made could not be taken away
        kUndoDeclined, // without a log, the person did not want the fixed clean-up: nothing was changed
    };
    // Takes the install away: the script's extra files when erase, then the replay of the kept log or of the install
    // folder's "uninst.dat", or without either the fixed clean-up, which is asked first when askWithoutLog (else
    // only noted). A complete undo from the kept log removes the kept copy. Without erase the files the erase list
    // matches are the player's: listed into keptFiles, and kept.
    UNDO_OUTCOME UndoInstall(bool erase, bool askWithoutLog, CKeptFiles* keptFiles);
    // The first half of a reinstall: the earlier install taken away with no question, sound or message; the
    // player's files stay and are listed into keptFiles (full paths), and with erase the script's erase list goes
    // first. True when nothing else that its log recorded is left.
    bool RemoveEarlierInstall(bool erase, std::vector<CZVString>* keptFiles);
    // Deletes the files matching the script's eraseonuninstall patterns in the install folder; always true.
    bool EraseOnUninstall();
    // Replays installLog from its last line to its first, undoing what an install of this program can have
    // written; nothing below the install folder is removed in or through a link, and no file that kept holds (null:
    // none) goes (log/ReplayLog.h). False only when the replay could not start: an empty log.
    bool ReplayInstallLog(const CKeptFiles* kept = nullptr);
    // After a replay: true when nothing that installLog records (files, the folders it made, links, keys) is there.
    // kept: the files the player keeps, which may stay, as may the folders, which may hold them (null: none).
    bool LeftNothingOfLog(const CKeptFiles* kept = nullptr);
    // The fixed clean-up when "uninst.dat" is missing; each true when it did all of its part. The install folder
    // goes whole only when it is the title's own (IsTitleOwnFolder) and kept is null (the player keeps nothing);
    // otherwise only the script's files of the recorded type that kept does not hold and the empty folders go (true
    // when nothing but kept files is left). Links and keys are looked for where the install put them: for an
    // install for all users in the common folders and under the default user. The title's registry root goes only
    // when it holds neither keys nor values.
    bool RemoveInstallFolder(const CKeptFiles* kept);
    bool RemoveShortcuts();
    bool RemoveRegistryKeys();
    bool RemoveUninstallEntry();
    // Looks for the journal of an install of this title that was cut off, asks whether to undo it and, on yes,
    // replays it and deletes it; *replayed tells whether the replay ran (the install state may have changed: the
    // caller reads it again). True when none is left: none was found, it was another title's, its install had
    // ended, or it was undone. False when the person keeps it or the replay could not run.
    bool UndoInterruptedInstall(bool* replayed);

private:
    const INSTALL_DESCRIPTION& description;
    INSTALL_STATE& state;
    IUninstallPerson& person;
};
