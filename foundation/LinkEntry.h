// Links inside a folder that ordinary users can write: a junction or a symbolic link planted there would lead the
// uninstaller's administrator's rights to a folder elsewhere. Whatever removes files below the install folder (or
// the work folder) neither enters a link nor deletes through one, and leaves the link itself where it is, like a
// file it did not make. The decisions are plain code; the walk that asks the system is Windows only.
#pragma once

#include <vector>

#include "foundation/SystemApi.h"

const DWORD kReparsePointAttribute = 0x400; // FILE_ATTRIBUTE_REPARSE_POINT
const DWORD kMountPointTag = 0xA0000003; // IO_REPARSE_TAG_MOUNT_POINT: a junction (or a mounted volume)
const DWORD kSymbolicLinkTag = 0xA000000C; // IO_REPARSE_TAG_SYMLINK

// True when an entry with these attributes (INVALID_FILE_ATTRIBUTES for none: nothing is there, no link) is a
// link: a reparse point that is a junction or a symbolic link, or whose tag could not be read (tagKnown false, or
// a tag of 0, as Wine gives for a Unix symbolic link). A reparse point of any other kind (a cloud-storage
// placeholder, a deduplicated file) is an ordinary entry.
bool IsLinkEntry(DWORD attributes, bool tagKnown, DWORD tag);

// The byte lengths of the leading parts of relativePath that end a component, from the top down: each component,
// split at real backslashes and slashes as the system splits them, with the path's last component last. Empty
// components are passed over. "save\表\a.dat" gives {4, 7, 13}: "save", "save\表" and the whole path.
std::vector<int> ComponentEndLengths(const char* relativePath);

#ifdef _WIN32
// FindFirstFileA and FindNextFileA with the tag field (dwReserved0) cleared first: Wine leaves it as it was, and a
// tag of 0 is then taken for a link rather than whatever the field held.
HANDLE FindFirstEntry(const char* pattern, WIN32_FIND_DATAA* found);
bool FindNextEntry(HANDLE listing, WIN32_FIND_DATAA* found);
// True when an entry that FindFirstEntry or FindNextEntry reported is a link.
bool IsFoundLink(const WIN32_FIND_DATAA& found);
// True when path (a full path, no trailing backslash) names a link; its tag is read with FindFirstEntry, which
// reports the entry itself and not what it leads to.
bool IsLinkPath(const char* path);
// True when a component of relativePath below folder is a link, the last one included, or when the path cannot
// be formed: a path through a link is refused. folder itself is not asked.
bool PassesThroughLink(const char* folder, const char* relativePath);
#endif
