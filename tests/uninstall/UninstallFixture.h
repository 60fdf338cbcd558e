// A title installed for a test: a private folder holding the install folder, registry keys under private names
// (current user, default user, the Windows uninstall key), a private Start-menu group, and an uninstall that knows
// them and asks a scripted person. Everything is removed after each test.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <map>
#include <string>
#include <vector>

#include "tests/TestFiles.h"
#include "uninstall/Uninstall.h"

// Answers the uninstall's questions from a table and records every question and message in turn as "caption|text"
// (a script message as the menu captions it). A question left out of the table gets its no or cancel, so that an
// unexpected one stops the uninstall; an empty one is not put, as a person is not asked it.
class ScriptedPerson : public IUninstallPerson {
public:
    int Ask(UNINSTALL_QUESTION question, const char* text, const char* caption, UINT type, int recommendation) override;
    void Tell(const char* text, const char* caption, UINT type) override;
    void Note(const char*, const char*) override { }
    bool PlayScriptSound(const char*) override { return false; }
    void ShowScriptMessage(const char* text) override;

    std::map<UNINSTALL_QUESTION, int> answers;
    std::vector<std::string> boxes;
};

struct INSTALLED_TITLE : INSTALL_DESCRIPTION, INSTALL_STATE { };

class UninstallFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    static void Make(const std::string& path); // its folders as needed; a path ending in a backslash is a folder
    static bool Exists(const std::string& path);
    static void MakeKey(HKEY root, const std::string& path);
    static bool KeyExists(HKEY root, const std::string& path);
    void WriteTitleKey(DWORD installType); // the current user's key of the title, as an install writes it

    std::string name; // the registry root, the Start-menu group and the uninstall entry
    std::string base; // the private folder, with its backslash
    std::string installFolder; // base + "Title\"
    std::string group; // the user's programs folder + "\" + name
    std::string userKey; // "Software\<name>"
    std::string entryKey; // below HKEY_LOCAL_MACHINE
    INSTALLED_TITLE title;
    ScriptedPerson person;
    CUninstall uninstall{title, title, person};

private:
    TestFolder m_folder;
    TestFolder m_elsewhere; // the current folder while a test runs
    char m_previousDir[MAX_PATH] = "";
};
