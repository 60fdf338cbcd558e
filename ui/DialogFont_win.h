// The font of the program's own texts and the room they take. The dialog functions are called from a dialog's
// WM_INITDIALOG, after its texts are set.
#pragma once

#include "foundation/SystemApi.h"

// On the NT family, font itself when its face has Japanese glyphs on this system, else a font of the same size in
// the face ChooseDialogFace picks, kept for the life of the process (one per face and size). The 95 family draws
// in the system's code page: there it is always font.
HFONT JapaneseFontFor(HFONT font);

// Gives every control the JapaneseFontFor the dialog's font (and the dialog, where the system keeps it: not every
// one answers WM_GETFONT with it afterwards).
void UseJapaneseDialogFont(HWND dialog);

// Widens each label, check box, radio button and push button whose text does not fit, as far as the next control
// on its right or the dialog's edge allows.
void FitControlsToTexts(HWND dialog);

// Widens the buttons of a column, all alike, to the widest text among them (the widest line of a caption of
// several lines), and the dialog with them; true when it grew.
bool FitButtonColumn(HWND dialog);
