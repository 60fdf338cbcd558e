// CFPK reads one file at a time: a member of a pack archive, or, in direct-access mode (Create with no archive
// name), a plain file of the file system. Every operation reports through its result and a trace line; none shows
// a message or throws. The destructor closes whatever is still open.
//
// States: empty -> direct-access or archive open (Create) -> member open (Open) -> back (Close) -> empty (Delete).
#pragma once

#include <cstdint>

#include "foundation/SystemApi.h"

class CFPK {
public:
    CFPK();
    virtual ~CFPK();
    CFPK(const CFPK&) = delete;
    CFPK& operator=(const CFPK&) = delete;

    // Null or "" selects direct-access mode and always succeeds; a name opens a pack archive.
    bool Create(const char* archiveName);
    // In direct-access mode memberName is a path; an open member is closed first.
    bool Open(const char* memberName);
    uint32_t GetSize();  // 0 when nothing is open
    int32_t Read(void* buffer, int32_t count);  // bytes delivered; 0 at the end, on failure or with nothing open
    void Close();
    void Delete();

    bool IsDirectAccess() const { return m_directAccess; }
    bool IsMemberOpen() const { return m_file != INVALID_HANDLE_VALUE; }

private:
    int32_t _SearchFile(const char* memberName);

    bool m_directAccess;
    char m_archiveName[256];
    char m_memberName[256];
    HANDLE m_file;
    int32_t m_memberIndex;
};
