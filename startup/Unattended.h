// The unattended run (-quiet): the exit codes it ends with, the answer it gives in place of a person, and the lines
// of its report file. Decisions on data, shared by both sides; startup/UnattendedReport.h does the acting.
#pragma once

#include "foundation/ZVString.h"
#include "script/InstallDescription.h"
#include "startup/CommandLine.h"
#include "log/InstallLog.h"

// The exit code of a quiet run, of the first start and of the copy alike.
enum UNATTENDED_EXIT_CODE {
    kExitDone = 0,
    kExitCannotStart = 1, // unsupported system, no or broken script, no disc, a bad option, another copy running
    kExitRefused = 2, // not installed, already installed without -reinstall, no rights for all users
    kExitFailedUndone = 4, // the install failed and everything it made was taken back
    kExitFailedLeftOver = 5, // failed, and something could not be taken back (or the uninstall left something)
};

// The message box types and answers, numbered as the system numbers them.
enum : unsigned int {
    kBoxButtonsMask = 0x0F,
    kBoxOk = 0x00,
    kBoxOkCancel = 0x01,
    kBoxAbortRetryIgnore = 0x02,
    kBoxYesNoCancel = 0x03,
    kBoxYesNo = 0x04,
    kBoxRetryCancel = 0x05,
    kBoxCancelTryContinue = 0x06,
};
enum : int {
    kAnswerOk = 1,
    kAnswerCancel = 2,
    kAnswerAbort = 3,
    kAnswerNo = 7,
};

// Whether the start looks for "Install.ifo" on the CD-ROM drives once the one in the start folder could not be read:
// when none is there; and when one is there but broken, except in a quiet run, which then ends (kExitCannotStart)
// rather than install whatever title another drive holds.
bool SearchDiscsForScript(bool quiet, bool scriptPresent);

// The button a quiet run presses in place of a person: the one that stops (cancel, no, abort); OK where a box has
// nothing else.
int StoppingAnswer(unsigned int boxType);

// One line of the report file, ended by CR LF: "YYYY-MM-DD hh:mm:ss [caption] text". The text's line breaks
// become blanks, so that a message stays one line.
CZVString FormatReportLine(const LOG_TIME& time, const char* caption, const char* text);

// Why an unattended install does not start.
enum UNATTENDED_REFUSAL {
    kRefusalNone,
    kRefusalNoSuchType, // -type beyond the script's types
    kRefusalTypeNeeded, // no -type, and the script's own type is none of its types
    kRefusalAllUsers, // -allusers where the settings dialog would not offer it
};

// The settings an unattended install takes, as a person would accept them in the settings dialog: the type given
// (else the script's, which must then be one the dialog shows), the base folder given (else the proposed one, which
// settings holds), the links the script offers unless declined, all users only where allUsersOffered (the system
// and the rights allow it) and the script allows it. settings changes only when the result is kRefusalNone.
UNATTENDED_REFUSAL ChooseUnattendedSettings(
    const COMMAND_LINE_OPTIONS& options, bool allUsersOffered, INSTALL_SETTINGS* settings);
// The exit code of a refusal: kExitCannotStart for a type that cannot be had, kExitRefused for all users.
int RefusalExitCode(UNATTENDED_REFUSAL refusal);
