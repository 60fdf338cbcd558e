// The files Windows is asked to delete at the next start (MoveFileEx with MOVEFILE_DELAY_UNTIL_REBOOT), as the
// registry keeps them: the sources of the pairs whose target is empty, without the "\??\" prefix.
#pragma once

#include <string>
#include <vector>

std::vector<std::string> PendingDeletions();
