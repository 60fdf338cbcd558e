#include "pack/FPK.h"

#include <cstring>

#include "foundation/Trace.h"

namespace {

const char kDirectAccessName[] = "直接アクセスモード";

// Copies a name into a 256-byte field, cutting it rather than writing past the field.
void CopyName(char (&field)[256], const char* name)
{
    size_t length = name ? strlen(name) : 0;
    if (length >= sizeof(field))
        length = sizeof(field) - 1;
    if (length > 0)
        memcpy(field, name, length);
    field[length] = '\0';
}

}  // namespace

CFPK::CFPK() : m_directAccess(false), m_file(INVALID_HANDLE_VALUE), m_memberIndex(-1)
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
    if (archiveName == nullptr || *archiveName == '\0') {
        CopyName(m_archiveName, kDirectAccessName);
        m_file = INVALID_HANDLE_VALUE;
        m_directAccess = true;
        return true;
    }
    // Pack archives are not read yet: only the direct-access mode exists.
    Trace("失敗：CFPK::Create オープンに失敗 (%s)\n", archiveName);
    return false;
}

bool CFPK::Open(const char* memberName)
{
    if (!m_directAccess) {
        Trace("失敗：CFPK::Open 指定のファイルを開けない [%s] (%s)\n", memberName ? memberName : "", m_archiveName);
        return false;
    }
    if (m_file != INVALID_HANDLE_VALUE) {
        Trace("警告：CFPK::Open Close(%s)してからOpenしろ [%s] (%s)\n", m_memberName, memberName ? memberName : "",
              m_archiveName);
        Close();
    }
    HANDLE file = memberName == nullptr ? INVALID_HANDLE_VALUE
                                        : CreateFileA(memberName, GENERIC_READ, FILE_SHARE_READ, nullptr,
                                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        Trace("失敗：CFPK::Open 指定のファイルを開けない [%s] (%s)\n", memberName ? memberName : "", m_archiveName);
        return false;
    }
    m_file = file;
    CopyName(m_memberName, memberName);
    Trace("情報：CFPK::Open ファイルをオープンした [%s] (%s)\n", m_memberName, m_archiveName);
    return true;
}

uint32_t CFPK::GetSize()
{
    if (m_file == INVALID_HANDLE_VALUE)
        return 0;
    DWORD size = GetFileSize(m_file, nullptr);
    return size == INVALID_FILE_SIZE ? 0 : size;
}

int32_t CFPK::Read(void* buffer, int32_t count)
{
    if (m_file == INVALID_HANDLE_VALUE) {
        Trace("失敗：CFPK::Read ファイルがオープンされていない (%s)\n", m_archiveName);
        return 0;
    }
    if (buffer == nullptr || count <= 0)
        return 0;
    DWORD read = 0;
    if (!ReadFile(m_file, buffer, static_cast<DWORD>(count), &read, nullptr))
        return 0;
    return static_cast<int32_t>(read);
}

void CFPK::Close()
{
    if (m_file == INVALID_HANDLE_VALUE)
        return;
    Trace("情報：CFPK::Close ファイルをクローズ [%s] (%s)\n", m_memberName, m_archiveName);
    CloseHandle(m_file);
    m_file = INVALID_HANDLE_VALUE;
    m_memberIndex = -1;
}

void CFPK::Delete()
{
    if (!m_directAccess && m_file == INVALID_HANDLE_VALUE)
        return;  // nothing to release
    Trace("情報：CFPK::Delete 破棄 (%s)\n", m_archiveName);
    if (m_file != INVALID_HANDLE_VALUE) {
        Trace("警告：CFPK::Delete クローズされていないファイルがある [%s] (%s)\n", m_memberName, m_archiveName);
        Close();
    }
    m_archiveName[0] = '\0';
    m_directAccess = false;
}

int32_t CFPK::_SearchFile(const char* memberName)
{
    Trace("警告：CFPK::_SearchFile 指定のファイルは存在しない [%s] (%s)\n", memberName ? memberName : "",
          m_archiveName);
    return -1;
}
