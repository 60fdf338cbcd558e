// The native stand-in for the few system calls named in SystemApi.h. Not built for Windows.
#include "foundation/SystemApi.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const int kFormatLimit = 1024;  // bytes, terminator included, as the Windows function

struct OutputBuffer {
    char* text;
    int used;

    bool Full() const { return used >= kFormatLimit - 1; }
    void Put(char ch)
    {
        if (!Full())
            text[used++] = ch;
    }
    void Repeat(char ch, int count)
    {
        for (int i = 0; i < count; i++)
            Put(ch);
    }
};

// Renders one number's digits (no sign) into digits, least significant last; returns their count.
int Digits(uint32_t value, unsigned base, bool upper, char* digits)
{
    const char* set = upper ? "0123456789ABCDEF" : "0123456789abcdef";
    char reversed[16];
    int count = 0;
    do {
        reversed[count++] = set[value % base];
        value /= base;
    } while (value != 0);
    for (int i = 0; i < count; i++)
        digits[i] = reversed[count - 1 - i];
    return count;
}

}  // namespace

int wvsprintfA(LPSTR output, LPCSTR format, va_list args)
{
    OutputBuffer out{output, 0};
    const char* cursor = format;
    while (*cursor && !out.Full()) {
        if (*cursor != '%') {
            out.Put(*cursor++);
            continue;
        }
        cursor++;
        bool leftAlign = false, hexPrefix = false, zeroPad = false;
        if (*cursor == '-') {
            leftAlign = true;
            cursor++;
        }
        if (*cursor == '#') {
            hexPrefix = true;
            cursor++;
        }
        if (*cursor == '0') {
            zeroPad = true;
            cursor++;
        }
        int width = 0;
        while (*cursor >= '0' && *cursor <= '9')
            width = width * 10 + (*cursor++ - '0');
        int precision = -1;
        if (*cursor == '.') {
            cursor++;
            precision = 0;
            while (*cursor >= '0' && *cursor <= '9')
                precision = precision * 10 + (*cursor++ - '0');
        }
        bool shortArg = false;
        if (*cursor == 'l' || *cursor == 'w') {
            cursor++;
        } else if (*cursor == 'h') {
            shortArg = true;
            cursor++;
        }

        char body[40];
        const char* text = body;
        int textLength = 0;
        const char* prefix = "";
        int numberDigits = -1;  // digits of a number, for the precision's zero padding
        switch (*cursor) {
        case 'c':
        case 'C':
            body[0] = (char)va_arg(args, int);
            textLength = 1;
            break;
        case 's':
        case 'S': {
            const char* arg = va_arg(args, const char*);
            text = arg ? arg : "(null)";
            textLength = (int)strlen(text);
            if (precision >= 0 && precision < textLength)
                textLength = precision;
            break;
        }
        case 'd':
        case 'i': {
            int32_t value = va_arg(args, int32_t);
            if (shortArg)
                value = (int16_t)value;
            uint32_t magnitude = value < 0 ? 0u - (uint32_t)value : (uint32_t)value;
            if (value < 0)
                prefix = "-";
            numberDigits = textLength = Digits(magnitude, 10, false, body);
            break;
        }
        case 'u': {
            uint32_t value = va_arg(args, uint32_t);
            if (shortArg)
                value = (uint16_t)value;
            numberDigits = textLength = Digits(value, 10, false, body);
            break;
        }
        case 'x':
        case 'X': {
            uint32_t value = va_arg(args, uint32_t);
            if (shortArg)
                value = (uint16_t)value;
            if (hexPrefix)
                prefix = *cursor == 'x' ? "0x" : "0X";
            numberDigits = textLength = Digits(value, 16, *cursor == 'X', body);
            break;
        }
        case '\0':
            continue;
        default:  // not a conversion: the character itself ("%%" gives "%")
            body[0] = *cursor;
            textLength = 1;
            break;
        }
        cursor++;

        int precisionZeros = 0;
        if (numberDigits >= 0 && precision > numberDigits)
            precisionZeros = precision - numberDigits;
        int prefixLength = (int)strlen(prefix);
        int padding = width - (prefixLength + precisionZeros + textLength);
        if (padding < 0)
            padding = 0;
        if (!leftAlign && !zeroPad)
            out.Repeat(' ', padding);
        for (const char* p = prefix; *p; p++)
            out.Put(*p);
        if (!leftAlign && zeroPad)
            out.Repeat('0', padding);
        out.Repeat('0', precisionZeros);
        for (int i = 0; i < textLength; i++)
            out.Put(text[i]);
        if (leftAlign)
            out.Repeat(' ', padding);
    }
    output[out.used] = '\0';
    return out.used;
}

namespace {

struct PosixFile {
    int fd;
};

PosixFile* FromHandle(HANDLE handle)
{
    return handle == nullptr || handle == INVALID_HANDLE_VALUE ? nullptr : static_cast<PosixFile*>(handle);
}

}  // namespace

HANDLE CreateFileA(LPCSTR fileName, DWORD access, DWORD, void*, DWORD disposition, DWORD, HANDLE)
{
    if (fileName == nullptr)
        return INVALID_HANDLE_VALUE;
    int flags = (access & GENERIC_WRITE) ? ((access & GENERIC_READ) ? O_RDWR : O_WRONLY) : O_RDONLY;
    switch (disposition) {
    case CREATE_NEW: flags |= O_CREAT | O_EXCL; break;
    case CREATE_ALWAYS: flags |= O_CREAT | O_TRUNC; break;
    case OPEN_ALWAYS: flags |= O_CREAT; break;
    case OPEN_EXISTING: break;
    default: return INVALID_HANDLE_VALUE;
    }
    int fd = open(fileName, flags | O_CLOEXEC, 0644);
    if (fd < 0)
        return INVALID_HANDLE_VALUE;
    struct stat info;
    if (fstat(fd, &info) != 0 || S_ISDIR(info.st_mode)) {  // Windows opens no folder without backup semantics
        close(fd);
        return INVALID_HANDLE_VALUE;
    }
    return new PosixFile{fd};
}

BOOL ReadFile(HANDLE file, void* buffer, DWORD count, LPDWORD read, void*)
{
    PosixFile* posixFile = FromHandle(file);
    if (read)
        *read = 0;
    if (!posixFile)
        return FALSE;
    DWORD total = 0;
    while (total < count) {
        ssize_t got = ::read(posixFile->fd, static_cast<char*>(buffer) + total, count - total);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return FALSE;
        if (got == 0)
            break;
        total += (DWORD)got;
    }
    if (read)
        *read = total;
    return TRUE;
}

BOOL WriteFile(HANDLE file, const void* buffer, DWORD count, LPDWORD written, void*)
{
    PosixFile* posixFile = FromHandle(file);
    if (written)
        *written = 0;
    if (!posixFile)
        return FALSE;
    DWORD total = 0;
    while (total < count) {
        ssize_t put = ::write(posixFile->fd, static_cast<const char*>(buffer) + total, count - total);
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0)
            return FALSE;
        total += (DWORD)put;
    }
    if (written)
        *written = total;
    return TRUE;
}

DWORD GetFileSize(HANDLE file, LPDWORD sizeHigh)
{
    PosixFile* posixFile = FromHandle(file);
    struct stat info;
    if (!posixFile || fstat(posixFile->fd, &info) != 0)
        return INVALID_FILE_SIZE;
    if (sizeHigh)
        *sizeHigh = (DWORD)((uint64_t)info.st_size >> 32);
    return (DWORD)info.st_size;
}

BOOL CloseHandle(HANDLE handle)
{
    PosixFile* posixFile = FromHandle(handle);
    if (!posixFile)
        return FALSE;
    close(posixFile->fd);
    delete posixFile;
    return TRUE;
}

BOOL DeleteFileA(LPCSTR fileName)
{
    return fileName != nullptr && unlink(fileName) == 0;
}

DWORD SetFilePointer(HANDLE file, LONG distance, PLONG distanceHigh, DWORD moveMethod)
{
    PosixFile* posixFile = FromHandle(file);
    if (!posixFile)
        return INVALID_SET_FILE_POINTER;
    int64_t move = distanceHigh ? (int64_t)(((uint64_t)(uint32_t)*distanceHigh << 32) | (uint32_t)distance)
                                : (int64_t)distance;
    int whence = moveMethod == FILE_BEGIN ? SEEK_SET : moveMethod == FILE_CURRENT ? SEEK_CUR : SEEK_END;
    if (moveMethod > FILE_END)
        return INVALID_SET_FILE_POINTER;
    off_t position = lseek(posixFile->fd, (off_t)move, whence);
    if (position < 0)
        return INVALID_SET_FILE_POINTER;
    if (distanceHigh)
        *distanceHigh = (LONG)((uint64_t)position >> 32);
    return (DWORD)position;
}

namespace {
UINT g_errorMode = 0;
}  // namespace

UINT SetErrorMode(UINT mode)
{
    UINT previous = g_errorMode;
    g_errorMode = mode;
    return previous;
}

int lstrcmpiA(LPCSTR first, LPCSTR second)
{
    if (first == nullptr || second == nullptr)
        return first == second ? 0 : (first == nullptr ? -1 : 1);
    for (;; first++, second++) {
        unsigned char a = (unsigned char)*first, b = (unsigned char)*second;
        if (a >= 'A' && a <= 'Z')
            a = (unsigned char)(a - 'A' + 'a');
        if (b >= 'A' && b <= 'Z')
            b = (unsigned char)(b - 'A' + 'a');
        if (a != b)
            return a < b ? -1 : 1;
        if (a == '\0')
            return 0;
    }
}
