// The names of files and folders made from a text the script gives (the title, a link's name): a character that a
// file name may not hold becomes its full-width form, so that "Fate/Quest: 2" names one file "Fate／Quest： 2" and
// not a file "Quest: 2" in a folder "Fate". The install, its undo, the uninstall and the fixed clean-up all name
// what they make or look for through here.
#pragma once

#include "foundation/ZVString.h"

// name with each of \ / : * ? " < > | replaced by its full-width form in Shift-JIS (＼ ／ ： ＊ ？ ＂ ＜ ＞ ｜), and
// each control character (0x01-0x1F), and a lead byte left alone at the end, by a full-width low line (＿). The
// trail byte of a double-byte character ("ソ" is 83 5C, "表" 95 5C) is part of its character and stays. The result
// may be up to twice as long as name; null gives "".
CZVString SafeFileName(const char* name);
