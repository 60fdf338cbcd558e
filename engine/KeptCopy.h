// The kept copy for the uninstall (the operations of the main window that make, read and remove it are in
// ui/MainWnd.h).
#pragma once

// Deletes path; a file that cannot be deleted because it runs is renamed to "<prefix>-<n>.old" (n from 1, the first
// free name, in the same folder as prefix) and that name alone is scheduled for deletion at the next start. True
// when path is gone.
bool DeleteOrScheduleRunning(const char* path, const char* prefix);
