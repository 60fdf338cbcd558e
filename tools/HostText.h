// Text conversions for ifocheck: the script is Shift-JIS (code page 932), the tool works in UTF-8 and writes its
// text output in the console's encoding (UTF-8 natively, the ANSI code page on Windows).
#pragma once

#include <string>

// Shift-JIS to UTF-8; a byte that starts no valid character becomes U+FFFD.
std::string Cp932ToUtf8(const std::string& text);
// A name the system gave the program (command line, file names): the ANSI code page on Windows, UTF-8 elsewhere.
std::string SystemToUtf8(const std::string& text);
// UTF-8 to what the console shows: unchanged natively, the ANSI code page on Windows.
std::string Utf8ToConsole(const std::string& text);
