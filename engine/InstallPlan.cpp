#include "engine/InstallPlan.h"

#include "engine/EngineTexts.h"
#include "foundation/PathText.h"

namespace {

const int64_t kBytesPerMegabyte = 1000000;

} // namespace

int64_t Percent(int64_t done, int64_t total)
{
    // A zero-byte total would divide by zero; no measured size is negative.
    if (total <= 0)
        return 0;
    if (total < 200)
        return done * 100 / total;
    return done / (total / 100);
}

void FreeSpaceRoot(const char* path, char* root)
{
    root[0] = '\0';
    if (!HasDriveLetter(path))
        return;
    root[0] = path[0];
    root[1] = ':';
    root[2] = '\\';
    root[3] = '\0';
}

bool IsShortOfSpace(uint64_t freeBytes, int32_t requiredMegabytes)
{
    if (requiredMegabytes <= 0)
        return false;
    return freeBytes / kBytesPerMegabyte < static_cast<uint64_t>(requiredMegabytes);
}

CZVString DiscMarkerName(int32_t disc)
{
    return CZVString::Format(ZV_COPY_DISC_MARKER, disc);
}

CZVString FormatInstallDate(int year, int month, int day)
{
    return CZVString::Format("%04d%02d%02d", year, month, day);
}
