// The double-byte aware walks over paths and texts in the ANSI code page (Shift-JIS): the one place where the
// program tells a backslash of its own from the trail byte 0x5C of a character such as "ソ" (83 5C) or "表" (95 5C).
// Callers name what they want (the file-name part, a real trailing backslash, a cut on a character boundary); none
// of them walks the bytes itself.
#pragma once

const int kPathBytes = 260; // the system's path limit, terminator included

// Bytes of the character that starts at text: 2 for a lead byte followed by another byte, 1 otherwise (also for a
// lead byte at the end of the text).
int CharBytes(const char* text);

// The largest count of text's first bytes, at most maxBytes, that does not end inside a double-byte character.
int CharBoundaryLength(const char* text, int maxBytes);

// Copies text into out (outSize bytes, terminator included), cut on a character boundary when it does not fit.
// Returns out; null for a null out. A null text copies as "".
char* CopyCutAtChar(char* out, int outSize, const char* text);

// The file-name part of path: what follows its last real backslash, slash or drive colon (the whole path when it
// has none). Points into path.
const char* FileNamePart(const char* path);

// Bytes of path's folder part: the drive and folders up to and including the last real backslash, slash or
// drive colon; 0 when path has none. "D:\表\x.exe" gives 6 ("D:\表\").
int FolderPartLength(const char* path);

// Splits path into its folder part (trailing backslash kept) and its file-name part, each into a buffer of
// kPathBytes bytes; a part that would not fit is cut on a character boundary.
void SplitPath(const char* path, char* folder, char* fileName);

// True when the last character of text is a backslash of its own, not the trail byte of a double-byte character.
bool EndsWithBackslash(const char* text);

// Removes one real trailing backslash of path; false when it had none.
bool RemoveTrailingBackslash(char* path);

// Appends a backslash unless path already ends with a real one. False (path unchanged) when the result would not
// fit pathSize bytes.
bool AppendBackslash(char* path, int pathSize);

// True when text holds a real backslash, slash or colon anywhere.
bool HasPathSeparator(const char* text);

// Joins a folder and a name with one backslash: one trailing backslash of dir (a real one) and one leading
// backslash of name are dropped; an empty dir gives name alone; null counts as empty. Returns out, or null for a
// null out. A path that would not fit outSize bytes, or a dir or name of kPathBytes bytes or more, gives an empty
// out rather than a cut path.
char* JoinPath(char* out, const char* dir, const char* name, int outSize = kPathBytes);

// True when path begins with a drive letter and its colon ("D:").
bool HasDriveLetter(const char* path);

// The path of a found file relative to the disc folder: the folder part of the script's fileName (a drive letter
// dropped, its trailing backslash kept) followed by the name the search found. False (out "") when it would not
// fit kPathBytes.
bool MakeRelativePath(const char* fileName, const char* foundName, char* out);
