// A title installed for a test: a private folder holding the install folder, registry keys under private names
// (current user, default user, the Windows uninstall key), a private Start-menu group, and a window object that
// knows them. Everything is removed after each test.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "tests/TestFiles.h"
#include "ui/MainWnd.h"

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
    CMainWnd window;

private:
    TestFolder m_folder;
    TestFolder m_elsewhere; // the current folder while a test runs
    char m_previousDir[MAX_PATH] = "";
};

// Answers the message boxes of this process in turn and records each as "caption|text". A box beyond the answers
// gets its cancel, no or OK button, so that an unexpected box cannot hang the test.
class BoxSequence {
public:
    explicit BoxSequence(const std::vector<int>& answers);
    ~BoxSequence() { Boxes(); }
    BoxSequence(const BoxSequence&) = delete;
    BoxSequence& operator=(const BoxSequence&) = delete;
    std::vector<std::string> Boxes(); // stops watching

private:
    static DWORD WINAPI Watch(void* self);
    std::vector<int> m_answers;
    std::vector<std::string> m_boxes;
    volatile LONG m_stop = 0;
    HANDLE m_thread;
};
