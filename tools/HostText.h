// Text conversions for the title makers' tools, which run on any host whatever its locale: the scripts and the
// archives' member names are Shift-JIS (code page 932, read with the installer's own table, never the host's), the
// tools work in UTF-8, names come from the host in its own encoding (UTF-8 natively, the ANSI code page on Windows),
// and text goes to a console in what it shows.
#pragma once

#include <cstdio>
#include <string>

// Shift-JIS to UTF-8; bytes that mean no character become U+30FB, as the installer shows them.
std::string Cp932ToUtf8(const std::string& text);
// UTF-8 to Shift-JIS: false, with *out empty, when the text is not UTF-8 or holds a character that Shift-JIS cannot
// hold (the installer could not take the name as it is).
bool Utf8ToCp932(const std::string& text, std::string* out);
// A name the system gave the program (command line, file names): the ANSI code page on Windows, UTF-8 elsewhere.
std::string SystemToUtf8(const std::string& text);
// UTF-8 to the host's encoding of names and piped output: unchanged natively, the ANSI code page on Windows.
std::string Utf8ToConsole(const std::string& text);
// Opens a file by its UTF-8 path, as fopen: on Windows through the system's UTF-16 names, so that any name reaches
// the file system whatever the host's code page.
FILE* OpenHostFile(const std::string& utf8Path, const char* mode);
// Writes UTF-8 text to stream: to a Windows console as UTF-16, which it shows whatever its code page; elsewhere (a
// pipe, a file, a native terminal) as Utf8ToConsole's bytes.
void WriteText(FILE* stream, const std::string& utf8);
