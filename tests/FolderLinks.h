// Links to folders, as an ordinary user can plant them in a folder they may write (Windows side). Wine 8 cannot
// make a junction (FSCTL_SET_REPARSE_POINT is not supported there), so the link is a Unix symbolic link, which Wine
// reports as a reparse point whose tag cannot be read.
#pragma once

#include <string>

// Makes link (which must not exist) lead to the folder target; false when it could not be made.
bool MakeFolderLink(const std::string& link, const std::string& target);
// Removes such a link, never what it leads to; false when it is still there.
bool RemoveFolderLink(const std::string& link);
