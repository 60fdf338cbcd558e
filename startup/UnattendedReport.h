// The acting side of a quiet run: whether this process runs unattended, its report file, and the one way every
// message box of the program goes, shown to a person or written to the report with the answer that stops.
#pragma once

#include <windows.h>

// From now on this process runs unattended and reports to logFile ("" or null: to nothing). startReport empties
// the file first (the first start does; the copy it starts adds its lines after them).
void BeginUnattendedRun(const char* logFile, bool startReport);
bool IsUnattendedRun();
// One line in the report file, when there is one; a file that cannot be written is passed over.
void ReportLine(const char* caption, const char* text);
// A person's run: ShowProgramMessageBox. Unattended: the box goes to the report and the answer is the stopping one.
int ShowOrReportBox(HWND owner, const char* text, const char* caption, UINT type);
