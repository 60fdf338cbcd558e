// CFPK reads one file at a time: a member of a pack archive (PackFormat.h), or, in direct-access mode (Create with
// no archive name), a plain file of the file system. Every operation reports through its result and a trace line;
// none shows a message or throws. The destructor closes whatever is still open.
//
// States: empty -> direct-access or archive open (Create) -> member open (Open) -> back (Close) -> empty (Delete).
// A member of any size is read through fixed buffers (64 KiB of input, 4 KiB of history and 64 KiB of output);
// only an RLE0 member is decoded whole, into a block of its unpacked size.
#pragma once

#include <cstdint>

#include "foundation/SystemApi.h"
#include "pack/PackDecoders.h"
#include "pack/PackFormat.h"

class CFPK {
public:
    CFPK();
    virtual ~CFPK();
    CFPK(const CFPK&) = delete;
    CFPK& operator=(const CFPK&) = delete;

    // Null or "" selects direct-access mode and always succeeds; a name opens a pack archive and reads its
    // directory. Whatever the reader held before is released first.
    bool Create(const char* archiveName);
    // Opens a pack archive held in memory, as Create does a file; archiveName is only for the trace. The bytes
    // must stay valid until Delete.
    bool CreateFromBytes(const void* bytes, uint32_t size, const char* archiveName);
    // In direct-access mode memberName is a path; in pack mode a member name, found without regard to case. An
    // open member is closed first.
    bool Open(const char* memberName);
    uint32_t GetSize(); // 0 when nothing is open
    int32_t Read(void* buffer, int32_t count); // bytes delivered; 0 at the end, on failure or with nothing open
    void Close();
    void Delete();

    bool IsDirectAccess() const { return m_directAccess; }
    bool IsMemberOpen() const { return m_directAccess ? m_file != INVALID_HANDLE_VALUE : m_memberIndex >= 0; }
    // The directory of an open pack archive: its entry count (0 otherwise) and the name of an entry (null outside).
    int32_t GetEntryCount() const { return m_archiveOpen ? m_entryCount : 0; }
    const char* GetEntryName(int32_t index) const;
    // The method of the open pack member (PackMethod), -1 when no member of an archive is open.
    int32_t GetMethod() const { return m_memberIndex >= 0 ? m_method : -1; }

private:
    int32_t _SearchFile(const char* memberName);

    // Pack mode (PackArchive.cpp).
    bool _CreatePack(const char* archiveName, const void* bytes, uint32_t size);
    bool _ReadDirectory();
    void _ReleaseArchive();
    bool _OpenMember(const char* memberName);
    bool _StartMember(const FPK_ENTRY& entry);
    bool _StartRle0(const FPK_ENTRY& entry);
    int32_t _ReadMember(uint8_t* buffer, int32_t count);
    void _FreeMember();
    bool _SeekArchive(uint32_t offset);
    uint32_t _ReadArchive(void* buffer, uint32_t count);
    // Copies a name into a 256-byte field, cutting it rather than writing past the field.
    static void _CopyName(char (&field)[256], const char* name);
    static uint32_t _FillInput(void* reader, uint8_t* buffer, uint32_t count);

    bool m_directAccess;
    bool m_hashed;
    char m_archiveName[256];
    char m_memberName[256];
    HANDLE m_file; // direct-access mode: the open plain file; pack mode: the archive file
    int32_t m_memberIndex;

    bool m_archiveOpen;
    const uint8_t* m_archiveBytes; // an archive given as bytes, else null
    uint32_t m_archivePos; // read position in m_archiveBytes
    uint64_t m_archiveSize;
    int32_t m_entryCount;
    FPK_ENTRY* m_directory; // m_entryCount entries, every one read from the archive

    int32_t m_method;
    uint32_t m_memberSize;
    uint8_t* m_storedBlock; // stored member: its next bytes, m_storedPos to m_storedFill
    uint32_t m_storedPos, m_storedFill, m_storedLeft; // m_storedLeft: not yet read from the archive
    CZlc2Stream m_zlc2;
    uint8_t* m_decodedBlock; // RLE0 member: all m_memberSize bytes
    uint32_t m_decodedPos;
};
