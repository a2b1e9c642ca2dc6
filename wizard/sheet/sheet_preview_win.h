#pragma once
#include <windows.h>

#include "sheet_format.h"

// Lets `preview` repaint itself, then draws the sheet to scale on it: grey
// paper with a shadow, white labels outlined in blue, and label number
// `highlighted` (1-based, -1 for none) in grey; in system colours while high
// contrast is on.
void DrawSheetPreview(HWND preview, const SheetFormat* format, int highlighted);

// The drawing itself, on any device context of the given client size.
void PaintSheetPreview(HDC dc, int clientWidth, int clientHeight, const SheetFormat& format,
                       int highlighted);
