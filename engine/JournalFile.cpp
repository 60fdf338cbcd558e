#include "engine/JournalFile.h"

#include "foundation/FileCalls.h"

bool CJournalFile::Create(const char* path)
{
    Close();
    // Others may read it (the tests do); no one may write it or take it away while the install runs.
    m_file = ZVCreateFile(path, GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    m_end = m_lastStart = 0;
    return IsOpen();
}

bool CJournalFile::Append(const CZVString& text)
{
    if (!IsOpen())
        return false;
    DWORD length = static_cast<DWORD>(text.GetLength()), wrote = 0;
    bool written = WriteFile(m_file, text.GetString(), length, &wrote, nullptr) && wrote == length;
    m_lastStart = m_end;
    m_end += wrote;
    return written;
}

void CJournalFile::WithdrawLast()
{
    if (!IsOpen()
        || SetFilePointer(m_file, static_cast<LONG>(m_lastStart), nullptr, FILE_BEGIN) == INVALID_SET_FILE_POINTER)
        return;
    SetEndOfFile(m_file);
    m_end = m_lastStart;
}

void CJournalFile::Flush()
{
    if (IsOpen())
        FlushFileBuffers(m_file);
}

void CJournalFile::Close()
{
    if (IsOpen())
        CloseHandle(m_file);
    m_file = INVALID_HANDLE_VALUE;
}
