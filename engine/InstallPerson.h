// The one way the install reaches the person who started it: the menu shows boxes and the copy dialog, an unattended
// run writes its report. Every question carries the answer the install takes when nobody is there to give one.
#pragma once

#include "foundation/SystemApi.h"

class CInstall;

enum INSTALL_QUESTION {
    kAskNextDisc, // the disc that holds the next files is not in any drive
    kAskMissingContinue, // a file of the script is missing from the disc: go on without it
    kAskOverwrite, // a file of someone else stands where a file goes
};

class IInstallPerson {
public:
    virtual ~IInstallPerson() = default;
    // A question with its buttons (MB_OKCANCEL, an icon); recommendation: the answer an unattended run takes.
    virtual int Ask(INSTALL_QUESTION question, const char* text, const char* caption, UINT type, int recommendation)
        = 0;
    // A message: a box, or a line of the report.
    virtual void Tell(const char* text, const char* caption, UINT type) = 0;
    // What only a report keeps (a person is shown nothing): a step and how it went.
    virtual void Note(const char* text, const char* caption) = 0;
    // The script's sound; false when none started.
    virtual bool PlayScriptSound(const char* fileName) = 0;
    // The script's message: a box, or "%file" opened; an unattended run reports it. Null or empty shows nothing.
    virtual void ShowScriptMessage(const char* text) = 0;
    // The copy of the chosen type's files with its progress in front of the person; true when every file arrived.
    virtual bool RunCopy(CInstall& install) = 0;
};
