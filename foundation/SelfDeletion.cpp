#include "foundation/SelfDeletion.h"

#include <cstring>

namespace {

const char kLineEnd[] = "\r\n";
const char kRenameHeader[] = "[rename]";

enum RenameScan {
    kBeforeSection,
    kInsideSection,
    kEntryWritten,
};

} // namespace

CZVString MakeRenameDeleteEntry(const char* shortPath)
{
    // A path the system could not have given would be cut by Format: no entry rather than one for another file.
    if (shortPath == nullptr || *shortPath == '\0' || strlen(shortPath) >= static_cast<size_t>(kPathBytes))
        return CZVString();
    return CZVString::Format("NUL=%s\r\n", shortPath);
}

CZVString AddRenameEntry(const CZVString& iniText, const CZVString& entry)
{
    CZVString reader(iniText); // a reader of its own: the cursors of the caller's string stay as they are
    CZVString result;
    const CZVString header(kRenameHeader);
    const CZVString lineEnd(kLineEnd);
    RenameScan state = kBeforeSection;
    for (CZVString line = reader.GetFirstLine(); !reader.IsEndOfLines(); line = reader.GetNextLine()) {
        bool isHeader = !line.IsEmpty() && line.GetAt(0) == '[';
        if (state == kInsideSection && isHeader) {
            result.Append(entry);
            state = kEntryWritten;
        }
        result.Append(line).Append(lineEnd);
        if (state == kBeforeSection && isHeader && line.EqualsNoCase(header))
            state = kInsideSection;
    }
    if (state == kBeforeSection)
        result.Append(header).Append(lineEnd).Append(entry);
    else if (state == kInsideSection)
        result.Append(entry);
    return result;
}
