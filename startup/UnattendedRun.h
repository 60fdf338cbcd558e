// The unattended run of the copy (-quiet): the install or the uninstall that a person would start from the menu.
#pragma once

class CMainWnd;
struct COMMAND_LINE_OPTIONS;

// Installs, or uninstalls with -uninstall, as the options say, with no window and no box, on the menu window's
// description and state (the window itself is never created); returns the exit code (UNATTENDED_EXIT_CODE).
int RunUnattended(CMainWnd& window, const COMMAND_LINE_OPTIONS& options);
