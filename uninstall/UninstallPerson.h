// The one way the uninstall reaches the person who started it: the menu shows boxes, an unattended run answers from
// its command line and writes its report. Every question carries the answer the uninstall would take by itself.
#pragma once

#include "foundation/SystemApi.h"

enum UNINSTALL_QUESTION {
    kAskUninstall, // the confirmation before anything goes
    kAskEraseSaves, // whether the script's erase list goes too (the text may be empty: the script asks nothing)
    kAskUninstallWithoutLog, // no "uninst.dat": the fixed clean-up instead
    kAskUndoInterrupted, // an install that was cut off: undo it now
};

class IUninstallPerson {
public:
    virtual ~IUninstallPerson() = default;
    // A question with its buttons (MB_YESNO, MB_OKCANCEL, an icon); recommendation: the answer that goes on as the
    // uninstall would have it. A person sees a box and the button pressed is returned; an unattended run answers
    // from its command line where it has the answer (the erase list: -erase; an interrupted install: -reinstall)
    // and otherwise takes the recommendation, writing the question to its report.
    virtual int Ask(UNINSTALL_QUESTION question, const char* text, const char* caption, UINT type, int recommendation)
        = 0;
    // A message: a box, or a line of the report.
    virtual void Tell(const char* text, const char* caption, UINT type) = 0;
    // What only a report keeps (a person is shown nothing): a step taken without a question.
    virtual void Note(const char* text, const char* caption) = 0;
    // The script's sound; false when none started.
    virtual bool PlayScriptSound(const char* fileName) = 0;
    // The script's message: a box, or "%file" opened; an unattended run reports it. Null or empty shows nothing.
    virtual void ShowScriptMessage(const char* text) = 0;
};
