// The double-byte aware tests of where a path leads: whether it is absolute, whether it climbs to a parent, whether
// it lies inside a folder. The uninstaller asks them before it deletes anything a file names, so that a path can
// only reach what an install of this program made. Like PathText.h, the one place that walks the bytes.
#pragma once

#include <string>

// True for a path that begins with a drive letter, a colon and a backslash (or slash), or with two backslashes
// and a server name followed by a backslash.
bool IsAbsolutePath(const char* path);

// Bytes of an absolute path's root: 3 for "X:", the bytes of "\server\share" (without the last backslash when
// the path ends there) for a network path; 0 for a path that is not absolute.
int PathRootLength(const char* path);

// True when a component of path (split at real backslashes and slashes) is made of dots and blanks only and holds
// at least two dots: the system reads "..", and ".. " or "..." as it trims them, as the parent folder.
bool HasParentComponent(const char* path);

// True when path names folder itself or something below it: character by character without regard to ASCII case
// (a double-byte character compares byte by byte), one real trailing backslash of each ignored, and "below" means
// that folder is followed in path by a real backslash or slash. An empty folder contains nothing.
bool IsPathAtOrBelow(const char* path, const char* folder);

// True when text ends with the characters of suffix, compared without regard to ASCII case (a double-byte
// character compares byte by byte); the suffix must begin on a character boundary of text.
bool EndsWithNoCase(const char* text, const char* suffix);

// True when text begins with the characters of prefix, compared as EndsWithNoCase compares.
bool StartsWithNoCase(const char* text, const char* prefix);

// True when text holds the single-byte character ch (never the trail byte of a double-byte character).
bool ContainsChar(const char* text, char ch);

// True for a path that stays inside the folder it is taken relative to: not empty, no colon (so no drive and no
// stream), no leading backslash or slash, no parent component.
bool IsRelativePathInside(const char* path);

// path in a form that two spellings of one entry share byte for byte, as the system reads a path: ASCII letters in
// upper case (a double-byte character as it is), a slash as a backslash, a run of them as one (a leading pair of a
// network path stays), "." components and the trailing dots and blanks of each component dropped, no trailing
// backslash. Short (8.3) names are not resolved. Meant for paths without parent components.
std::string ComparablePath(const char* path);
