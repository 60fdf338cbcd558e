// What the install and the uninstall both tell the person who started them, beside their own questions: the menu
// shows boxes and plays the script's sounds, an unattended run writes its report.
#pragma once

#include "foundation/SystemApi.h"

class IScriptPerson {
public:
    virtual ~IScriptPerson() = default;
    // A message: a box, or a line of the report.
    virtual void Tell(const char* text, const char* caption, UINT type) = 0;
    // What only a report keeps (a person is shown nothing): a step taken without a question.
    virtual void Note(const char* text, const char* caption) = 0;
    // The script's sound; false when none started.
    virtual bool PlayScriptSound(const char* fileName) = 0;
    // The script's message: a box, or "%file" opened; an unattended run reports it. Null or empty shows nothing.
    virtual void ShowScriptMessage(const char* text) = 0;
};
