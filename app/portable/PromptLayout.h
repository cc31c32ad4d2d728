#pragma once
// The naming prompt's geometry. Its sizes are dialog units of the dialog's font, so
// the dialog grows with the font; the window code measures the font and the wrapped
// prompt text and places its controls where this says.
#include "framework/portable/Geometry.h"

struct PromptMetrics {
    int LettersWidth = 0; // extent of "A..Za..z" (52 letters) in the dialog's font
    int CharHeight = 0;   // the font's character height
};

// Pixels of n dialog units where one unit is unitsPerChar-th of size, rounded to the
// nearest pixel with halves away from zero, as MulDiv(n, size, unitsPerChar) does.
int DialogUnitsToPixels(int n, int size, int unitsPerChar);

struct PromptLayout {
    int ClientWidth = 0;
    int ClientHeight = 0;
    int LabelMaxWidth = 0; // the width the prompt text wraps at
    TRect Label;
    TRect Edit;
    TRect OkButton;
    TRect CancelButton;
};

// Average character width: the 52 letters' extent divided by 52, rounded down.
int PromptAverageCharWidth(const PromptMetrics& m);

// The prompt label's width: the wrapped text's measured width, at most LabelMaxWidth.
// Its height is the wrapped text's measured height. The edit field is 12 vertical units
// high, the usual height of a one-line edit in a dialog.
PromptLayout LayoutPrompt(const PromptMetrics& m, int labelWidth, int labelHeight);
