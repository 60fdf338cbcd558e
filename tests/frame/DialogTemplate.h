// Reads a dialog template resource (standard or extended) into plain values, so tests can compare what the
// resource compiler wrote with what the program needs.
#pragma once

#include <string>
#include <vector>

#include <windows.h>

struct DialogItem {
    DWORD style;
    DWORD exStyle;
    RECT units; // x, y, x + cx, y + cy in dialog units
    int id;
    std::string className; // predefined classes by name: "Button", "Edit", "Static", ...
    std::string text; // in the ANSI code page
};

struct DialogTemplate {
    bool extended;
    DWORD style;
    DWORD exStyle;
    int width;
    int height;
    std::string title; // in the ANSI code page
    int fontPoints;
    std::string fontFace;
    std::vector<DialogItem> items;
};

// False when the module has no such dialog or the template is malformed.
bool ReadDialogTemplate(HMODULE module, int id, DialogTemplate* dialog);
