// The decisions of the menu window that need no window: where the extra buttons go, how a caption breaks into
// lines, which command line starts the game and which verb opens an extra button's file. The window code (MainWnd.cpp,
// MenuButtons.cpp, Launch.cpp) measures and acts; these functions only compute.
#pragma once

#include <cstdint>
#include <vector>

#include "script/InstallDescription.h"

// Copies caption into out (outSize bytes) with every backslash-n pair turned into CR LF. Returns the number of
// line breaks, or -1 (out empty) when the result does not fit. Double-byte characters are copied whole, so a trail
// byte 0x5C (as in "ソ") never starts a pair.
int ConvertCaptionLineBreaks(const char* caption, char* out, int outSize);

// The button column of the sub-form, in its client coordinates, measured from the launch and install buttons.
struct MENU_COLUMN {
    int left;
    int launchTop;
    int buttonWidth;
    int buttonHeight;
    int pitch; // from the top of one row to the top of the next
};

// One extra button: made only when its program exists.
struct EXTRA_BUTTON_PLACE {
    bool made;
    int top;
    int height; // (line breaks + 1) x the button height
};

// Places the extra buttons. lineBreaks has one entry per script command: its caption's line breaks, or -1 when the
// command gets no button. The first row is the DirectX row when directxrequire is below 1, else the one below it;
// a button of n line breaks takes n + 1 button heights and pushes the rows below it down by n heights. Returns
// the top of the row after the last button, where the quit button goes.
int PlaceExtraButtons(const MENU_COLUMN& column, int32_t directxrequire, const std::vector<int>& lineBreaks,
    std::vector<EXTRA_BUTTON_PLACE>* places);

// The command line that starts the game: executecommand, or executefile when it is empty.
const char* GameCommandLine(const INSTALL_SETTINGS& settings);

// An extra button that is not waited for opens its file with the verb "runas" first, so that a set-up program gets
// the rights it asks for. Windows registers that verb for programs, not for documents, and the 95 family registers
// it for nothing. True when ShellExecuteA's result for "runas" says just that (no association, or an incomplete
// one): the file is then opened with its default verb. False for a success (above 32) and for a failure that another
// verb would meet again (no such file, no memory, the user refused the rights).
bool OpenWithDefaultVerbAfterRunas(intptr_t runasResult);
