#include "log/KeptFiles.h"

#include "foundation/PathCompare.h"

void CKeptFiles::Add(const char* path)
{
    m_paths.insert(ComparablePath(path));
}

bool CKeptFiles::Holds(const char* path) const
{
    return m_paths.count(ComparablePath(path)) != 0;
}
