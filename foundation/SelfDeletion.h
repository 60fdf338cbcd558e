// Removal of the relaunched copy: its executable cannot delete itself while it runs, so the system is asked to
// delete it at the next start. The NT family has a delayed deletion of its own; the 95 family reads the
// "[rename]" section of "wininit.ini" in the Windows folder, where a line "NUL=<short path>" deletes that file.
#pragma once

#include "foundation/ZVString.h"

// The [rename] line that deletes the file shortPath at the next system start: "NUL=<shortPath>\r\n". Empty for
// an empty path or one of kPathBytes bytes or more.
CZVString MakeRenameDeleteEntry(const char* shortPath);

// The text of "wininit.ini" with entry (a whole line, line end included) added at the end of its [rename]
// section, after the lines already there. The section header is matched as a whole line ignoring ASCII case,
// without trimming. Without such a section, "[rename]\r\n" and the entry are appended. Every line of the result
// ends with "\r\n", whatever end it had before; other lines keep their text and their order. An empty text gives
// one empty line, the header and the entry.
CZVString AddRenameEntry(const CZVString& iniText, const CZVString& entry);

#ifdef _WIN32
// Schedules the deletion of path (the running executable) at the next system start: MoveFileExA on the NT
// family, a wininit.ini entry with the short form of path on the 95 family (the old file is kept once as
// "wininit.zv"). False when the system call or the write failed, or when the short form could not be had (then
// nothing is written).
bool ScheduleSelfDeletion(const char* path);
// The same with the family given: what the 95 family does when family95 is true.
bool ScheduleSelfDeletion(const char* path, bool family95);
#endif
