#include "pack/FPK.h"

#include <cstring>

#include "foundation/FileCalls.h"
#include "foundation/Trace.h"

namespace {

const char kDirectAccessName[] = "直接アクセスモード";

} // namespace

void CFPK::_CopyName(char (&field)[256], const char* name)
{
    size_t length = name ? strlen(name) : 0;
    if (length >= sizeof(field))
        length = sizeof(field) - 1;
    if (length > 0)
        memcpy(field, name, length);
    field[length] = '\0';
}

CFPK::CFPK()
    : m_directAccess(false)
    , m_hashed(false)
    , m_file(INVALID_HANDLE_VALUE)
    , m_memberIndex(-1)
    , m_archiveOpen(false)
    , m_archiveBytes(nullptr)
    , m_archivePos(0)
    , m_archiveSize(0)
    , m_entryCount(0)
    , m_directory(nullptr)
    , m_method(-1)
    , m_memberSize(0)
    , m_storedBlock(nullptr)
    , m_storedPos(0)
    , m_storedFill(0)
    , m_storedLeft(0)
    , m_decodedBlock(nullptr)
    , m_decodedPos(0)
{
    m_archiveName[0] = '\0';
    m_memberName[0] = '\0';
}

CFPK::~CFPK()
{
    Close();
    Delete();
}

bool CFPK::Create(const char* archiveName)
{
    Close();
    Delete();
    if (archiveName == nullptr || *archiveName == '\0') {
        _CopyName(m_archiveName, kDirectAccessName);
        m_file = INVALID_HANDLE_VALUE;
        m_directAccess = true;
        return true;
    }
    return _CreatePack(archiveName, nullptr, 0);
}

bool CFPK::CreateFromBytes(const void* bytes, uint32_t size, const char* archiveName)
{
    static const uint8_t kNoBytes[1] = {0};
    Close();
    Delete();
    if (archiveName == nullptr)
        archiveName = "";
    if (bytes == nullptr && size > 0) {
        Trace("失敗：CFPK::Create オープンに失敗 (%s)\n", archiveName);
        return false;
    }
    return _CreatePack(archiveName, bytes != nullptr ? bytes : kNoBytes, size);
}

bool CFPK::Open(const char* memberName)
{
    if (!m_directAccess)
        return _OpenMember(memberName);
    if (m_file != INVALID_HANDLE_VALUE) {
        Trace("警告：CFPK::Open Close(%s)してからOpenしろ [%s] (%s)\n", m_memberName, memberName ? memberName : "",
            m_archiveName);
        Close();
    }
    HANDLE file = memberName == nullptr ? INVALID_HANDLE_VALUE
                                        : ZVCreateFile(memberName, GENERIC_READ, FILE_SHARE_READ, nullptr,
                                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        Trace("失敗：CFPK::Open 指定のファイルを開けない [%s] (%s)\n", memberName ? memberName : "", m_archiveName);
        return false;
    }
    m_file = file;
    _CopyName(m_memberName, memberName);
    Trace("情報：CFPK::Open ファイルをオープンした [%s] (%s)\n", m_memberName, m_archiveName);
    return true;
}

uint32_t CFPK::GetSize()
{
    if (!m_directAccess)
        return m_memberIndex >= 0 ? m_memberSize : 0;
    if (m_file == INVALID_HANDLE_VALUE)
        return 0;
    DWORD size = GetFileSize(m_file, nullptr);
    return size == INVALID_FILE_SIZE ? 0 : size;
}

int32_t CFPK::Read(void* buffer, int32_t count)
{
    if (!IsMemberOpen()) {
        Trace("失敗：CFPK::Read ファイルがオープンされていない (%s)\n", m_archiveName);
        return 0;
    }
    if (buffer == nullptr || count <= 0)
        return 0;
    if (!m_directAccess)
        return _ReadMember(static_cast<uint8_t*>(buffer), count);
    DWORD read = 0;
    if (!ReadFile(m_file, buffer, static_cast<DWORD>(count), &read, nullptr))
        return 0;
    return static_cast<int32_t>(read);
}

void CFPK::Close()
{
    if (!IsMemberOpen())
        return;
    Trace("情報：CFPK::Close ファイルをクローズ [%s] (%s)\n", m_memberName, m_archiveName);
    if (m_directAccess) {
        CloseHandle(m_file);
        m_file = INVALID_HANDLE_VALUE;
    } else {
        _FreeMember();
    }
    m_memberName[0] = '\0';
    m_memberIndex = -1;
}

void CFPK::Delete()
{
    if (!m_directAccess && !m_archiveOpen)
        return; // nothing to release
    Trace("情報：CFPK::Delete 破棄 (%s)\n", m_archiveName);
    if (IsMemberOpen()) {
        Trace("警告：CFPK::Delete クローズされていないファイルがある [%s] (%s)\n", m_memberName, m_archiveName);
        Close();
    }
    _ReleaseArchive();
    m_archiveName[0] = '\0';
    m_directAccess = false;
    m_memberIndex = -1;
}
