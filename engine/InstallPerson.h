// The one way the install reaches the person who started it: the menu shows boxes and the copy dialog, an unattended
// run writes its report. Every question carries the answer the install takes when nobody is there to give one.
#pragma once

#include "log/ScriptPerson.h"

enum INSTALL_QUESTION {
    kAskNextDisc, // the disc that holds the next files is not in any drive
    kAskMissingContinue, // a file of the script is missing from the disc: go on without it
    kAskOverwrite, // a file of someone else stands where a file goes
    kAskRetryRead, // a file could not be read from the disc (a scratch, dust, a drive not ready): copy it again
};

// The copy as the person runs it inside its progress window.
class ICopyWork {
public:
    virtual ~ICopyWork() = default;
    // The whole copy of the chosen type, disc by disc; true when every file arrived and nothing was cancelled.
    virtual bool Copy() = 0;
    // The cancel button: the open files are closed (the copy's next read fails) and no further file is started.
    virtual void Cancel() = 0;
};

enum COPY_BAR {
    kFileBar, // the file being copied
    kDiscBar, // the disc being copied
};

class IInstallPerson : public IScriptPerson {
public:
    // A question with its buttons (MB_OKCANCEL, an icon); recommendation: the answer an unattended run takes.
    virtual int Ask(INSTALL_QUESTION question, const char* text, const char* caption, UINT type, int recommendation)
        = 0;
    // Runs work.Copy() with its progress in front of the person (a modal window with a cancel button that calls
    // work.Cancel()); true when the copy returned true and was not cancelled.
    virtual bool RunWithProgress(ICopyWork& work) = 0;
    // The copy's progress: the file and its disc, the count of files, a bar in percent, and the taskbar button
    // (completed of total, a TBPF_ state).
    virtual void ShowCopyTexts(const char* fileText, const char* countText) = 0;
    virtual void ShowCopyBar(COPY_BAR bar, int percent) = 0;
    virtual void ShowTaskbarProgress(int completed, int total, int state) = 0;
    // Lets the windows handle every message waiting (the cancel button, repainting, other programs asking whether
    // the window hangs) while the copy runs.
    virtual void Breathe() = 0;
};
