#include "tests/TestFiles.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>

#ifdef _WIN32
#include <windows.h>
#else
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {
#ifdef _WIN32
const char kSeparator = '\\';
#else
const char kSeparator = '/';
#endif
}  // namespace

TestFolder::TestFolder()
{
#ifdef _WIN32
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    for (unsigned attempt = GetTickCount();; attempt++) {
        std::ostringstream name;
        name << temp << "zvtest" << GetCurrentProcessId() << "_" << attempt;
        if (CreateDirectoryA(name.str().c_str(), nullptr)) {
            m_folder = name.str();
            break;
        }
    }
#else
    const char* temp = getenv("TMPDIR");
    std::string pattern = std::string(temp && *temp ? temp : "/tmp") + "/zvtestXXXXXX";
    if (mkdtemp(&pattern[0]) != nullptr)
        m_folder = pattern;
#endif
}

TestFolder::~TestFolder()
{
#ifdef _WIN32
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((m_folder + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            DeleteFileA(Path(found.cFileName).c_str());
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(m_folder.c_str());
#else
    if (DIR* dir = opendir(m_folder.c_str())) {
        while (dirent* entry = readdir(dir))
            unlink(Path(entry->d_name).c_str());
        closedir(dir);
    }
    rmdir(m_folder.c_str());
#endif
}

std::string TestFolder::Path(const std::string& name) const
{
    return m_folder + kSeparator + name;
}

void WriteBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool FileExists(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return in.good();
}
