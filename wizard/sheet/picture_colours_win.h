#pragma once
#include <windows.h>

// The colours of the sheet pictures and the label area: their own, or the
// user's system colours while high contrast is on.

bool HighContrastOn();

// Answers for Windows in tests, which cannot always switch high contrast
// on; null asks Windows again.
void SetHighContrastQuery(bool (*query)());

struct SheetColours {
    COLORREF paper, shadow, label, outline, highlighted;
    bool paperOutlined; // a paper the colour of the page needs an edge
};

SheetColours SheetPictureColours();

// The area behind a label's text box; a system brush while high contrast is
// on, else null (the page keeps its own grey).
HBRUSH LabelAreaSystemBrush();
