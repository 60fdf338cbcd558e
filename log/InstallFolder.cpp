#include "log/InstallFolder.h"

#include <cstring>

#include "foundation/PathText.h"

namespace {

// Appends text to out (kPathBytes); false when it would not fit.
bool AppendText(char* out, const char* text)
{
    size_t length = strlen(out), added = strlen(text);
    if (length + added + 1 > static_cast<size_t>(kPathBytes))
        return false;
    memcpy(out + length, text, added + 1);
    return true;
}

// installdir, a backslash unless it ends in a real one, installsubdir.
bool JoinInstallFolder(const char* installdir, const char* installsubdir, char* out)
{
    out[0] = '\0';
    if (!AppendText(out, installdir) || !AppendBackslash(out, kPathBytes) || !AppendText(out, installsubdir)) {
        out[0] = '\0';
        return false;
    }
    return true;
}

} // namespace

bool MakeInstallFolder(const char* installdir, const char* installsubdir, char* out)
{
    if (!JoinInstallFolder(installdir, installsubdir, out) || !AppendBackslash(out, kPathBytes)) {
        out[0] = '\0';
        return false;
    }
    return true;
}

bool MakeTopFolder(const char* installdir, const char* installsubdir, char* out)
{
    return JoinInstallFolder(installdir, installsubdir, out);
}
