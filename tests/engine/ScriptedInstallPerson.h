// A title to install in a test (its description and state, the running program as its module) and a person that
// records every question and message as "caption|text", answers from a table, and runs the copy without a window.
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <vector>

#include "engine/Install.h"
#include "foundation/PathText.h"

class ScriptedInstallPerson : public IInstallPerson {
public:
    // A question gets its answer from the table, else its recommendation.
    int Ask(INSTALL_QUESTION question, const char* text, const char* caption, UINT, int recommendation) override
    {
        boxes.push_back(std::string(caption) + "|" + text);
        if (question == cancelAtQuestion && m_work != nullptr)
            m_work->Cancel(); // pressed while the box is up
        auto answer = answers.find(question);
        return answer != answers.end() ? answer->second : recommendation;
    }
    void Tell(const char* text, const char* caption, UINT) override
    {
        boxes.push_back(std::string(caption) + "|" + text);
    }
    void Note(const char*, const char*) override { }
    bool PlayScriptSound(const char*) override { return false; }
    void ShowScriptMessage(const char*) override { }
    // The copy runs at once, with no window.
    bool RunWithProgress(ICopyWork& work) override
    {
        m_work = &work;
        bool copied = work.Copy();
        m_work = nullptr;
        return copied;
    }
    void ShowCopyTexts(const char*, const char*) override { }
    void ShowCopyBar(COPY_BAR, int) override { }
    void ShowTaskbarProgress(int, int, int) override { }
    void Breathe() override { }

    std::map<INSTALL_QUESTION, int> answers;
    std::vector<std::string> boxes;
    int cancelAtQuestion = -1; // the question at which cancel is pressed; -1: never

private:
    ICopyWork* m_work = nullptr;
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
