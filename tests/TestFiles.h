// Files for tests: a private folder per test and whole-file reads and writes, on both sides.
#pragma once

#include <string>

class TestFolder {
public:
    TestFolder();  // a new empty folder under the system's temporary folder
    ~TestFolder();  // removes the folder and the files made through Path
    TestFolder(const TestFolder&) = delete;
    TestFolder& operator=(const TestFolder&) = delete;

    std::string Path(const std::string& name) const;  // name inside the folder, with the system's separator

private:
    std::string m_folder;
};

void WriteBytes(const std::string& path, const std::string& bytes);
std::string ReadBytes(const std::string& path);  // "" when the file cannot be read
bool FileExists(const std::string& path);
