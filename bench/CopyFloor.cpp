// The floor of the install benchmark: the copy of a tree through the same Win32 calls the installer makes for
// each file (CreateFileA, ReadFile and WriteFile in chunks of 1 MiB through one buffer, SetFileTime, CloseHandle),
// with no window, no progress and no install log. What an install takes beyond this is the installer's own.
//   copy_floor SOURCE DESTINATION     prints the seconds the copy took; DESTINATION must not exist yet
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

const DWORD kChunkBytes = 1048576;

struct TREE_COPY {
    std::vector<char> buffer = std::vector<char>(kChunkBytes);
    long long files = 0;
};

bool CopyOne(const std::string& source, const std::string& destination, const WIN32_FIND_DATAA& found, TREE_COPY* copy)
{
    HANDLE in = CreateFileA(source.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
        FILE_ATTRIBUTE_NORMAL, nullptr);
    if (in == INVALID_HANDLE_VALUE)
        return false;
    HANDLE out = CreateFileA(
        destination.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    bool copied = out != INVALID_HANDLE_VALUE;
    long long remaining = (static_cast<long long>(found.nFileSizeHigh) << 32) | found.nFileSizeLow;
    while (copied && remaining > 0) {
        DWORD chunk = remaining < kChunkBytes ? static_cast<DWORD>(remaining) : kChunkBytes;
        DWORD read = 0, wrote = 0;
        copied = ReadFile(in, copy->buffer.data(), chunk, &read, nullptr) && read == chunk
            && WriteFile(out, copy->buffer.data(), read, &wrote, nullptr) && wrote == read;
        remaining -= wrote;
    }
    if (out != INVALID_HANDLE_VALUE) {
        SetFileTime(out, &found.ftCreationTime, &found.ftLastAccessTime, &found.ftLastWriteTime);
        CloseHandle(out);
    }
    CloseHandle(in);
    copy->files++;
    return copied;
}

bool CopyTree(const std::string& source, const std::string& destination, TREE_COPY* copy)
{
    if (!CreateDirectoryA(destination.c_str(), nullptr))
        return false;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((source + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return false;
    bool copied = true;
    do {
        std::string name = found.cFileName;
        if (name == "." || name == "..")
            continue;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            copied = CopyTree(source + "\\" + name, destination + "\\" + name, copy);
        else
            copied = CopyOne(source + "\\" + name, destination + "\\" + name, found, copy);
    } while (copied && FindNextFileA(search, &found));
    FindClose(search);
    return copied;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        fprintf(stderr, "usage: copy_floor SOURCE DESTINATION\n");
        return 2;
    }
    TREE_COPY copy;
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    bool copied = CopyTree(argv[1], argv[2], &copy);
    QueryPerformanceCounter(&end);
    if (!copied) {
        fprintf(stderr, "copy_floor: the copy failed after %lld files (error %lu)\n", copy.files, GetLastError());
        return 1;
    }
    printf("%.3f\n", static_cast<double>(end.QuadPart - start.QuadPart) / frequency.QuadPart);
    return 0;
}
