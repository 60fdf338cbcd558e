// The wininit.ini rewrite of the removal of the relaunched copy, on any file text and short path: the input is
// the text of wininit.ini, then a zero byte, then the path (at most 259 bytes, as the system gives it). Besides the
// sanitizers, a fault is a result whose lines do not all end with CR LF, or one without its [rename] section and the
// new entry.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "foundation/SelfDeletion.h"
#include "foundation/ShiftJis.h"

namespace {

void Require(bool holds, const char* what)
{
    if (!holds) {
        fprintf(stderr, "wininit: %s\n", what);
        abort();
    }
}

bool ContainsNoCase(const std::string& text, const std::string& part)
{
    std::string lowerText(text), lowerPart(part);
    for (char& c : lowerText)
        c = (c >= 'A' && c <= 'Z') ? (char)(c - 'A' + 'a') : c;
    for (char& c : lowerPart)
        c = (c >= 'A' && c <= 'Z') ? (char)(c - 'A' + 'a') : c;
    return lowerText.find(lowerPart) != std::string::npos;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string input(reinterpret_cast<const char*>(data), size);
    size_t split = input.find('\0');
    std::string iniText = input.substr(0, split);
    std::string shortPath = split == std::string::npos ? "C:\\WINDOWS\\TEMP\\ZVSETUP.EXE" : input.substr(split + 1);
    // The system gives a short path within its path limit; a longer one would be cut by the 1023-byte limit of
    // the entry's Format, line end and all.
    shortPath = shortPath.substr(0, std::min(shortPath.find('\0'), (size_t)kPathBytes - 1));
    // A short path never holds a line break; one would break the line of the entry itself.
    for (char& c : shortPath) {
        if (c == '\r' || c == '\n')
            c = '_';
    }

    CZVString entry = MakeRenameDeleteEntry(shortPath.c_str());
    CZVString rewritten = AddRenameEntry(CZVString(iniText.c_str()), entry);
    std::string result(rewritten.GetString(), (size_t)rewritten.GetLength());
    std::string entryText(entry.GetString(), (size_t)entry.GetLength());

    Require(result.size() >= 2 && result.compare(result.size() - 2, 2, "\r\n") == 0, "the last line has no CR LF");
    // A line feed right after a lead byte is that character's second byte (the text is read double-byte aware, as
    // the system reads it), so only the others are line ends.
    for (size_t at = result.find('\n'); at != std::string::npos; at = result.find('\n', at + 1)) {
        if (at > 0 && IsShiftJisLeadByte(static_cast<unsigned char>(result[at - 1])))
            continue;
        Require(at > 0 && result[at - 1] == '\r', "a line ends with LF alone");
    }
    Require(ContainsNoCase(result, "[rename]\r\n"), "no [rename] section");
    Require(result.find(entryText) != std::string::npos, "the new entry is missing");
    return 0;
}
