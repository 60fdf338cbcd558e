// The install's journal file while an install runs (log/InstallJournal.h says what it holds). Each line is
// handed to the system with WriteFile when it is appended, which is enough for it to outlive the process; Flush
// also asks the disk for it, for a power loss, and is called once per step rather than once per line.
#pragma once

#include "foundation/SystemApi.h"
#include "foundation/ZVString.h"

class CJournalFile {
public:
    CJournalFile() = default;
    ~CJournalFile() { Close(); }
    CJournalFile(const CJournalFile&) = delete;
    CJournalFile& operator=(const CJournalFile&) = delete;

    // Creates path anew (an earlier file of that name is replaced); false when it cannot be written.
    bool Create(const char* path);
    bool IsOpen() const { return m_file != INVALID_HANDLE_VALUE; }
    // Appends text at the end; false when it was not all written. Nothing happens while no file is open.
    bool Append(const CZVString& text);
    // Cuts the file back to where the last Append began.
    void WithdrawLast();
    void Flush();
    void Close();

private:
    HANDLE m_file = INVALID_HANDLE_VALUE;
    DWORD m_end = 0;
    DWORD m_lastStart = 0;
};
