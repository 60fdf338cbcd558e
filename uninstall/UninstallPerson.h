// The one way the uninstall reaches the person who started it: the menu shows boxes, an unattended run answers from
// its command line and writes its report. Every question carries the answer the uninstall would take by itself.
#pragma once

#include "log/ScriptPerson.h"

enum UNINSTALL_QUESTION {
    kAskUninstall, // the confirmation before anything goes
    kAskEraseSaves, // whether the script's erase list goes too (the text may be empty: the script asks nothing)
    kAskUninstallWithoutLog, // no "uninst.dat": the fixed clean-up instead
    kAskUndoInterrupted, // an install that was cut off: undo it now
};

class IUninstallPerson : public IScriptPerson {
public:
    // A question with its buttons (MB_YESNO, MB_OKCANCEL, an icon); recommendation: the answer that goes on as the
    // uninstall would have it. A person sees a box and the button pressed is returned; an unattended run answers
    // from its command line where it has the answer (the erase list: -erase; an interrupted install: -reinstall)
    // and otherwise takes the recommendation, writing the question to its report.
    virtual int Ask(UNINSTALL_QUESTION question, const char* text, const char* caption, UINT type, int recommendation)
        = 0;
};
