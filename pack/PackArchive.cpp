// The pack mode of CFPK: the archive's directory, the search for a member, and the reading of stored, ZLC2 and
// RLE0 members. A malformed archive fails the operation (false or 0): a directory that does not fit in the file,
// member data that passes the end of the file, sizes a stream could not produce, runs or references that would
// pass the member's size.
#include <cstring>
#include <new>

#include "foundation/FileCalls.h"
#include "foundation/SystemLibraries.h"
#include "foundation/Trace.h"
#include "pack/FPK.h"

bool CFPK::_CreatePack(const char* archiveName, const void* bytes, uint32_t size)
{
    m_directAccess = false;
    m_hashed = false;
    if (bytes != nullptr) {
        m_archiveBytes = static_cast<const uint8_t*>(bytes);
        m_archivePos = 0;
        m_archiveSize = size;
        m_archiveOpen = true;
    } else {
        UINT previousMode = SetErrorMode(kQuietErrorMode); // no system box for a missing disc
        m_file = ZVCreateFile(
            archiveName, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        SetErrorMode(previousMode);
        if (m_file != INVALID_HANDLE_VALUE) {
            DWORD high = 0;
            DWORD low = GetFileSize(m_file, &high);
            m_archiveSize = (uint64_t)high << 32 | low;
            m_archiveOpen = low != INVALID_FILE_SIZE;
        }
    }
    if (!m_archiveOpen || !_ReadDirectory()) {
        _ReleaseArchive();
        Trace("失敗：CFPK::Create オープンに失敗 (%s)\n", archiveName);
        return false;
    }
    _CopyName(m_archiveName, archiveName);
    Trace("情報：CFPK::Create 成功 (%s)\n", m_archiveName);
    return true;
}

bool CFPK::_ReadDirectory()
{
    uint8_t word[4];
    if (m_archiveSize > 0xFFFFFFFFu)
        return false; // offsets are 32-bit: such a file cannot be described by its directory
    if (!_SeekArchive(0) || _ReadArchive(word, 4) != 4)
        return false;
    uint32_t word0 = LoadLittle32(word);
    uint32_t count, entryBytes, directoryOffset, key = 0;
    if ((word0 & kPackLayoutMask) == 0) {
        count = word0;
        entryBytes = kPackEntryBytes1;
        directoryOffset = 4;
    } else {
        count = word0 & kPackCountMask;
        m_hashed = (word0 & kPackHashedBit) != 0;
        entryBytes = kPackEntryBytes2;
        uint8_t trailer[kPackTrailerBytes];
        if (m_archiveSize < kPackTrailerBytes || !_SeekArchive((uint32_t)(m_archiveSize - kPackTrailerBytes))
            || _ReadArchive(trailer, kPackTrailerBytes) != kPackTrailerBytes)
            return false;
        key = LoadLittle32(trailer);
        directoryOffset = LoadLittle32(trailer + 4);
    }
    // A directory shorter than its count, or outside the file, is refused before anything is allocated for it.
    uint64_t directoryBytes = (uint64_t)count * entryBytes;
    if (directoryOffset + directoryBytes > m_archiveSize || !_SeekArchive(directoryOffset))
        return false;
    m_directory = new (std::nothrow) FPK_ENTRY[count > 0 ? count : 1];
    uint8_t* block = new (std::nothrow) uint8_t[directoryBytes > 0 ? (size_t)directoryBytes : 1];
    bool read
        = m_directory != nullptr && block != nullptr && _ReadArchive(block, (uint32_t)directoryBytes) == directoryBytes;
    if (read) {
        if (m_hashed)
            MaskPackDirectory(block, (uint32_t)directoryBytes, key);
        for (uint32_t i = 0; i < count; i++)
            ParsePackEntry(block + (size_t)i * entryBytes, entryBytes, m_hashed, &m_directory[i]);
        m_entryCount = (int32_t)count;
    }
    delete[] block;
    return read;
}

void CFPK::_ReleaseArchive()
{
    if (!m_directAccess && m_file != INVALID_HANDLE_VALUE)
        CloseHandle(m_file);
    m_file = INVALID_HANDLE_VALUE;
    m_archiveBytes = nullptr;
    m_archivePos = 0;
    m_archiveSize = 0;
    m_archiveOpen = false;
    delete[] m_directory;
    m_directory = nullptr;
    m_entryCount = 0;
    m_hashed = false;
}

const char* CFPK::GetEntryName(int32_t index) const
{
    return m_archiveOpen && index >= 0 && index < m_entryCount ? m_directory[index].name : nullptr;
}

int32_t CFPK::_SearchFile(const char* memberName)
{
    uint16_t hash = PackNameHash(memberName);
    if (m_hashed && m_entryCount > 0 && memberName != nullptr) {
        // Binary search on the hash; then the entries of that hash in order, from the first of them.
        int32_t low = 0, high = m_entryCount - 1, middle = high / 2;
        bool found = false;
        for (;;) {
            if (m_directory[middle].hash == hash) {
                found = true;
                break;
            }
            if (low >= high)
                break;
            if (m_directory[middle].hash < hash)
                low = middle + 1;
            else
                high = middle - 1;
            middle = low + (high - low) / 2;
            if (middle < 0 || middle >= m_entryCount)
                break;
        }
        if (found) {
            while (middle > low && m_directory[middle - 1].hash == hash)
                middle--;
            for (int32_t i = middle; i < m_entryCount && m_directory[i].hash == hash; i++) {
                if (lstrcmpiA(m_directory[i].name, memberName) == 0)
                    return i;
            }
        }
    }
    // Not found by hash, or not hashed: every entry in order (an unsorted hashed directory still finds its names).
    for (int32_t i = 0; memberName != nullptr && i < m_entryCount; i++) {
        if (m_hashed && m_directory[i].hash != hash)
            continue;
        if (lstrcmpiA(m_directory[i].name, memberName) == 0)
            return i;
    }
    Trace(
        "警告：CFPK::_SearchFile 指定のファイルは存在しない [%s] (%s)\n", memberName ? memberName : "", m_archiveName);
    return -1;
}

bool CFPK::_OpenMember(const char* memberName)
{
    if (m_archiveOpen) {
        Close();
        int32_t index = _SearchFile(memberName);
        if (index >= 0 && _StartMember(m_directory[index])) {
            m_memberIndex = index;
            _CopyName(m_memberName, memberName);
            Trace("情報：CFPK::Open ファイルをオープンした [%s] (%s)\n", m_memberName, m_archiveName);
            return true;
        }
        _FreeMember();
    }
    Trace("失敗：CFPK::Open 指定のファイルを開けない [%s] (%s)\n", memberName ? memberName : "", m_archiveName);
    return false;
}

bool CFPK::_StartMember(const FPK_ENTRY& entry)
{
    uint8_t tag[4];
    bool tagRead = _SeekArchive(entry.offset) && _ReadArchive(tag, 4) == 4;
    if (tagRead && memcmp(tag, "RLE0", 4) == 0) {
        m_method = kMethodRle0;
        return _StartRle0(entry);
    }
    uint8_t sizeBytes[4];
    if (tagRead && memcmp(tag, "ZLC2", 4) == 0 && _ReadArchive(sizeBytes, 4) == 4) {
        m_method = kMethodZlc2;
        m_memberSize = LoadLittle32(sizeBytes);
        uint64_t streamBytes = m_archiveSize - ((uint64_t)entry.offset + kZlc2HeaderBytes);
        if (m_memberSize > streamBytes * kZlc2MaxExpansion)
            return false;
        return m_zlc2.Begin(m_memberSize, _FillInput, this);
    }
    // Anything else is stored: its size bytes from its offset, the first four included.
    m_method = kMethodStored;
    if ((uint64_t)entry.offset + entry.size > m_archiveSize || !_SeekArchive(entry.offset))
        return false;
    m_storedBlock = new (std::nothrow) uint8_t[kPackBlockBytes];
    if (m_storedBlock == nullptr)
        return false;
    m_memberSize = entry.size;
    uint32_t first = entry.size < kPackBlockBytes ? entry.size : kPackBlockBytes;
    m_storedFill = _ReadArchive(m_storedBlock, first);
    m_storedPos = 0;
    m_storedLeft = entry.size - m_storedFill;
    return m_storedFill > 0; // so a stored member of size 0 cannot be opened
}

bool CFPK::_StartRle0(const FPK_ENTRY& entry)
{
    uint8_t header[kRle0HeaderBytes];
    if (!_SeekArchive(entry.offset) || _ReadArchive(header, kRle0HeaderBytes) != kRle0HeaderBytes)
        return false;
    uint32_t packedSize = LoadLittle32(header + 8);
    uint32_t unpackedSize = LoadLittle32(header + 12);
    uint32_t mode = LoadLittle32(header + 16);
    if ((uint64_t)entry.offset + kRle0HeaderBytes + packedSize > m_archiveSize)
        return false;
    uint64_t mostOutput = mode == 0 ? packedSize : (uint64_t)packedSize * kRle0MaxExpansion;
    if (mode > 1 || unpackedSize > mostOutput)
        return false;
    uint8_t* packed = new (std::nothrow) uint8_t[packedSize > 0 ? packedSize : 1];
    m_decodedBlock = new (std::nothrow) uint8_t[unpackedSize > 0 ? unpackedSize : 1];
    bool decoded = packed != nullptr && m_decodedBlock != nullptr && _ReadArchive(packed, packedSize) == packedSize
        && DecodeRle0(packed, packedSize, mode, m_decodedBlock, unpackedSize);
    delete[] packed;
    m_memberSize = unpackedSize;
    m_decodedPos = 0;
    return decoded;
}

int32_t CFPK::_ReadMember(uint8_t* buffer, int32_t count)
{
    if (m_method == kMethodZlc2)
        return m_zlc2.Read(buffer, count);
    uint32_t wanted = (uint32_t)count;
    if (m_method == kMethodRle0) {
        uint32_t left = m_memberSize - m_decodedPos;
        uint32_t piece = wanted < left ? wanted : left;
        if (piece > 0)
            memcpy(buffer, m_decodedBlock + m_decodedPos, piece);
        m_decodedPos += piece;
        return (int32_t)piece;
    }
    uint32_t delivered = 0;
    while (delivered < wanted) {
        if (m_storedPos == m_storedFill) {
            uint32_t refill = m_storedLeft < kPackBlockBytes ? m_storedLeft : kPackBlockBytes;
            uint32_t got = refill > 0 ? _ReadArchive(m_storedBlock, refill) : 0;
            if (got == 0)
                break;
            m_storedLeft -= got;
            m_storedPos = 0;
            m_storedFill = got;
        }
        uint32_t available = m_storedFill - m_storedPos;
        uint32_t piece = wanted - delivered < available ? wanted - delivered : available;
        memcpy(buffer + delivered, m_storedBlock + m_storedPos, piece);
        m_storedPos += piece;
        delivered += piece;
    }
    return (int32_t)delivered;
}

void CFPK::_FreeMember()
{
    m_zlc2.End();
    delete[] m_storedBlock;
    delete[] m_decodedBlock;
    m_storedBlock = m_decodedBlock = nullptr;
    m_storedPos = m_storedFill = m_storedLeft = m_decodedPos = m_memberSize = 0;
    m_method = -1;
}

bool CFPK::_SeekArchive(uint32_t offset)
{
    if (m_archiveBytes != nullptr) {
        if (offset > m_archiveSize)
            return false;
        m_archivePos = offset;
        return true;
    }
    LONG high = 0;
    DWORD low = SetFilePointer(m_file, (LONG)offset, &high, FILE_BEGIN);
    return low == offset && high == 0;
}

uint32_t CFPK::_ReadArchive(void* buffer, uint32_t count)
{
    if (m_archiveBytes != nullptr) {
        uint32_t left = (uint32_t)m_archiveSize - m_archivePos;
        uint32_t piece = count < left ? count : left;
        if (piece > 0)
            memcpy(buffer, m_archiveBytes + m_archivePos, piece);
        m_archivePos += piece;
        return piece;
    }
    DWORD read = 0;
    if (count == 0 || !ReadFile(m_file, buffer, count, &read, nullptr))
        return 0;
    return read;
}

uint32_t CFPK::_FillInput(void* reader, uint8_t* buffer, uint32_t count)
{
    return static_cast<CFPK*>(reader)->_ReadArchive(buffer, count);
}
