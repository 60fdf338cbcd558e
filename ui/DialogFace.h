// Which face the dialogs' texts are drawn in. The templates name a Japanese face that a system of another language
// may lack; a dialog drawn in whatever the system puts in its place shows boxes or question marks where the
// Japanese should be. The window code (ui/DialogFont_win.cpp) asks the system what it has; this only decides.
#pragma once

#include <functional>
#include <string>

// The faces with Japanese glyphs that the systems carry, best first: Windows from 2000 on with East Asian support
// and every Windows from Vista on have the first ones, Windows 10 and 11 without the Japanese supplemental fonts
// Yu Gothic UI, Linux (and so Wine) the IPA and Noto faces.
extern const wchar_t* const kJapaneseFaces[];
extern const int kJapaneseFaceCount;

// named when the system has it with Japanese glyphs (hasJapaneseFace), else the first of kJapaneseFaces it has;
// named again when it has none (the system's own substitute is then the best there is).
std::wstring ChooseDialogFace(
    const std::wstring& named, const std::function<bool(const std::wstring&)>& hasJapaneseFace);
