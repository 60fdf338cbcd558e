#include "foundation/SaveWhole.h"

#include "foundation/FileCalls.h"
#include "foundation/PathText.h"
#include "foundation/SystemApi.h"
#include "foundation/Trace.h"

namespace {

const char kTemporarySuffix[] = ".new";

bool WriteAndFlush(const CZVString& text, const char* fileName)
{
    HANDLE file = ZVCreateFile(
        fileName, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_WRITE_THROUGH, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD length = static_cast<DWORD>(text.GetLength());
    DWORD written = 0;
    bool whole
        = WriteFile(file, text.GetString(), length, &written, nullptr) && written == length && FlushFileBuffers(file);
    // A close can still report a failed write of cached data.
    return CloseHandle(file) && whole;
}

bool MoveOver(const char* from, const char* to)
{
    if (ZVMoveFileEx(from, to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    if (GetLastError() != ERROR_CALL_NOT_IMPLEMENTED)
        return false;
    // The 95 family exports MoveFileExA only as a stub.
    ZVSetFileAttributes(to, FILE_ATTRIBUTE_NORMAL);
    ZVDeleteFile(to);
    return ZVMoveFile(from, to) != FALSE;
}

} // namespace

bool SaveWhole(const CZVString& text, const char* fileName)
{
    CZVString temporary = CZVString(fileName) + kTemporarySuffix;
    if (text.IsEmpty() || temporary.GetLength() >= kPathBytes)
        return false;
    if (WriteAndFlush(text, temporary.GetString()) && MoveOver(temporary.GetString(), fileName))
        return true;
    Trace("失敗：SaveWhole ファイルが保存できない(%s)\n", fileName);
    ZVDeleteFile(temporary.GetString());
    return false;
}
