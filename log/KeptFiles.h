// The files that stay when the player keeps them: what the script's erase list matches in the install folder when
// the player answered that it is not to be erased. Listed before anything is deleted, and asked by every deletion
// of the uninstall (the replay of the log and the fixed clean-up), so that neither takes a saved game away, even
// one that the install itself put there.
#pragma once

#include <set>
#include <string>

class CKeptFiles {
public:
    // path: a full path. Two spellings of one path (ComparablePath) are one entry.
    void Add(const char* path);
    bool Holds(const char* path) const;
    bool IsEmpty() const { return m_paths.empty(); }

private:
    std::set<std::string> m_paths; // in their ComparablePath form
};
