// The install engine's decisions from data alone: the destination folder, what the folder step logs, the
// progress percentages, the free-space check and the disc markers. The Win32 steps
// (InstallSequence.cpp, Directories.cpp, CopyDialog.cpp) measure and act; these functions only compute.
#pragma once

#include <cstdint>

#include "foundation/ZVString.h"
#include "log/InstallFolder.h"

// done of total in percent, in 64-bit integers: done * 100 / total below a total of 200, else
// done / (total / 100). Not clamped. 0 for a total of 0 (a zero-byte file) or less, which would divide by zero.
int64_t Percent(int64_t done, int64_t total);

// The root whose free space the settings dialog asks for: the drive letter and colon of path and a backslash
// ("D:\"), or "" when the path has no drive letter. root holds at least 4 bytes.
void FreeSpaceRoot(const char* path, char* root);

// True when freeBytes, in whole megabytes of 1,000,000 bytes, are fewer than requiredMegabytes.
bool IsShortOfSpace(uint64_t freeBytes, int32_t requiredMegabytes);

// The marker file of disc n in the root of a disc: "DISCID.%03d".
CZVString DiscMarkerName(int32_t disc);

// The install day as the list of installed programs keeps it: "YYYYMMDD".
CZVString FormatInstallDate(int year, int month, int day);
