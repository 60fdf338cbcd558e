// Whole-file load and save of CZVString.
#include "foundation/ZVString.h"

#include <cstddef>

#include "foundation/FileCalls.h"
#include "foundation/SystemApi.h"
#include "foundation/Trace.h"
#include "pack/FPK.h"

bool CZVString::LoadFromPack(const char* memberName, const char* packName)
{
    Empty();
    CFPK pack;
    if (!pack.Create(packName))
        return false;
    if (!pack.Open(memberName)) {
        pack.Delete();
        return false;
    }
    uint32_t size = pack.GetSize();
    CZVString text;
    if (size >= 1) {
        char* block = new char[static_cast<size_t>(size) + 1];
        int32_t read = pack.Read(block, static_cast<int32_t>(size));
        if (read < 0 || static_cast<uint32_t>(read) != size) {
            delete[] block;
            pack.Close();
            pack.Delete();
            return false;
        }
        block[size] = '\0';
        text = CZVString(block);
        delete[] block;
    }
    CopyFrom(text);
    pack.Close();
    pack.Delete();
    return true;
}

bool CZVString::Save(const char* fileName) const
{
    if (IsEmpty())
        return false;
    HANDLE file = ZVCreateFile(
        fileName, GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        Trace("失敗：CZVString::Save ファイルが作成できない(%s)\n", fileName);
        return false;
    }
    DWORD length = static_cast<DWORD>(GetLength());
    DWORD written = 0;
    bool ok = WriteFile(file, m_buffer->text, length, &written, nullptr) && written == length;
    if (!ok)
        Trace("失敗：CZVString::Save ファイルに書き込めない(%s)\n", fileName);
    CloseHandle(file);
    return ok;
}
