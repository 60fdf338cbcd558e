// The disc-change prompt: the script's message and caption, each with the disc's label put in.
#pragma once

#include "foundation/ZVString.h"

// The script's text with every "%s" replaced by label and every "%%" by "%"; any other "%" stays as it is. The
// script comes from the disc, so its text is never handed to a printf-style formatter, where a "%d" or a second
// "%s" would read arguments that were never passed.
CZVString FormatDiscText(const char* format, const char* label);
