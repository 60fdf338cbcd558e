// A title to install in a test (its description and state, the running program as its module) and a person that
// records every message as "caption|text" and takes every question's recommendation. The copy is not run.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "engine/Install.h"
#include "foundation/PathText.h"

class ScriptedInstallPerson : public IInstallPerson {
public:
    int Ask(INSTALL_QUESTION, const char* text, const char* caption, UINT, int recommendation) override
    {
        boxes.push_back(std::string(caption) + "|" + text);
        return recommendation;
    }
    void Tell(const char* text, const char* caption, UINT) override
    {
        boxes.push_back(std::string(caption) + "|" + text);
    }
    void Note(const char*, const char*) override { }
    bool PlayScriptSound(const char*) override { return false; }
    void ShowScriptMessage(const char*) override { }
    bool RunWithProgress(ICopyWork&) override { return false; }
    void ShowCopyTexts(const char*, const char*) override { }
    void ShowCopyBar(COPY_BAR, int) override { }
    void ShowTaskbarProgress(int, int, int) override { }
    void Breathe() override { }

    std::vector<std::string> boxes;
};

struct INSTALL_TITLE : INSTALL_DESCRIPTION, INSTALL_STATE {
    INSTALL_TITLE()
    {
        char program[MAX_PATH];
        DWORD length = GetModuleFileNameA(nullptr, program, sizeof(program));
        if (length != 0 && length < sizeof(program))
            lstrcpyA(moduleFileName, FileNamePart(program));
    }
};
