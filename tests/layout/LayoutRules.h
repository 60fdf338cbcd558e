// The layout rules of the source tree, as functions of file paths and texts. Floors from the bottom: foundation/ and
// pack/; script/ and log/; engine/ and uninstall/ (apart from each other); ui/; startup/. A file of a floor includes
// only headers of its own floor or below, and resources/ (data); the menu window's members are defined in ui/ only;
// the application object is reached from startup/ only; the bottom floor has no include cycle.
//
// Each break is one line:
//   include FILE HEADER       FILE includes HEADER of a floor above it, beside it, or outside the floors
//   member FILE CMainWnd::X   FILE, outside ui/, defines the member X of the menu window
//   getapp FILE               FILE, a product file outside startup/, names GetApp()
//   cycle FILE FILE...        the files of foundation/ and pack/ that include each other in a circle (sorted)
#pragma once

#include <string>
#include <vector>

struct LAYOUT_FILE {
    std::string path; // from the tree's root, with '/' between folders
    std::string text;
};

// The breaks of the given files, sorted, each once.
std::vector<std::string> FindLayoutViolations(const std::vector<LAYOUT_FILE>& files);

// The sources of the floors and of tests/, tools/, bench/ and fuzz/ under root, sorted by path.
std::vector<LAYOUT_FILE> ReadLayoutTree(const std::string& root);

// A sentence for a person: which file breaks which rule, for a line in the format above.
std::string ExplainViolation(const std::string& line);
