// The dialogs' font and the room their texts take. Called from a dialog's WM_INITDIALOG, after its texts are set.
#pragma once

#include "foundation/SystemApi.h"

// On the NT family, where the dialog's font names a face the system lacks with Japanese glyphs, gives every
// control (and the dialog, where the system keeps it: not every one answers WM_GETFONT with it) a font of the same size
// in the face ChooseDialogFace picks. The fonts made are kept for the life of the process (one per face and size). The
// 95 family draws in the system's code page and is left alone.
void UseJapaneseDialogFont(HWND dialog);

// Widens each label, check box, radio button and push button whose text does not fit, as far as the next control
// on its right or the dialog's edge allows.
void FitControlsToTexts(HWND dialog);

// Widens the push buttons of a column, all alike, to the widest text among them, and the dialog with them.
void FitButtonColumn(HWND dialog);
