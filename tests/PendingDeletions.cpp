#include "tests/PendingDeletions.h"

#include <windows.h>

std::vector<std::string> PendingDeletions()
{
    std::vector<std::string> paths;
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "System\\CurrentControlSet\\Control\\Session Manager", 0, KEY_READ, &key)
        != ERROR_SUCCESS)
        return paths;
    std::vector<char> data(1 << 20, '\0');
    DWORD size = static_cast<DWORD>(data.size() - 2);
    if (RegQueryValueExA(
            key, "PendingFileRenameOperations", nullptr, nullptr, reinterpret_cast<BYTE*>(data.data()), &size)
        == ERROR_SUCCESS) {
        // Pairs of source and target; an empty target is a zero byte of its own, so the data is split by its size.
        std::vector<std::string> names;
        std::string current;
        for (DWORD at = 0; at < size; at++) {
            if (data[at] != '\0') {
                current += data[at];
                continue;
            }
            names.push_back(current);
            current.clear();
        }
        for (size_t i = 0; i + 1 < names.size(); i += 2) {
            if (!names[i + 1].empty())
                continue;
            std::string path = names[i];
            if (path.compare(0, 4, "\\??\\") == 0)
                path = path.substr(4);
            paths.push_back(path);
        }
    }
    RegCloseKey(key);
    return paths;
}
