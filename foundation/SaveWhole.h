// Saving a file that must never be found cut or lost: the install log, which the uninstall replays. The text goes
// to a file beside the target under a temporary name, is flushed to the disk, and only then takes the target's
// place, so that a power loss or a full disk leaves either the old file or the new one, never half of either.
#pragma once

#include "foundation/ZVString.h"

#ifdef _WIN32
// Writes text to "<fileName>.new", flushes it, and moves it over fileName (MoveFileExA with
// MOVEFILE_REPLACE_EXISTING and MOVEFILE_WRITE_THROUGH; where the system has no MoveFileExA, the 95 family, the
// old file is deleted first and the new one moved). True when fileName holds the whole text; on false the
// temporary file is gone and fileName is as it was, or missing where the 95 family's two steps were cut between.
bool SaveWhole(const CZVString& text, const char* fileName);
#endif
