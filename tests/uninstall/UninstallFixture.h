// A title installed for a test: a private folder with the install folder in it, the registry keys under private
// names below the current user, the default user and the Windows uninstall key, a private Start-menu group, and a
// window object that knows them. Everything is removed again after each test.
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

    // path's folders are made as needed; a path ending in a backslash is a folder.
    static void Make(const std::string& path);
    static bool Exists(const std::string& path);
    static void MakeKey(HKEY root, const std::string& path);
    static bool KeyExists(HKEY root, const std::string& path);
    // The title's key under the current user with the install folder and the install type, as an install writes it.
    void WriteTitleKey(DWORD installType);

    std::string name; // private: the registry root, the Start-menu group and the uninstall entry's name
    std::string base; // the private folder, with its backslash
    std::string installFolder; // base + "Title\"
    std::string programs; // the user's Start-menu programs folder
    std::string group; // programs + "\" + name
    std::string userKey; // "Software\<name>", under HKEY_CURRENT_USER and HKEY_USERS\.DEFAULT
    std::string entryKey; // the uninstall entry below HKEY_LOCAL_MACHINE
    CMainWnd window;

private:
    TestFolder m_folder;
    TestFolder m_elsewhere; // the current folder while a test runs
    char m_previousDir[MAX_PATH] = "";
};

// Answers the message boxes of this process in turn with the given buttons and records each box's caption and text
// as "caption|text". A box beyond the answers is answered with its cancel, no or OK button, in that order.
class BoxSequence {
public:
    explicit BoxSequence(const std::vector<int>& answers);
    ~BoxSequence(); // stops watching
    BoxSequence(const BoxSequence&) = delete;
    BoxSequence& operator=(const BoxSequence&) = delete;

    // Stops watching and returns the boxes seen, in order.
    std::vector<std::string> Boxes();

private:
    static DWORD WINAPI Watch(void* self);

    std::vector<int> m_answers;
    std::vector<std::string> m_boxes;
    volatile LONG m_stop = 0;
    HANDLE m_thread;
};
