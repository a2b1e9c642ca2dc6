#pragma once
#include "sheet_format.h"

// The 0-based slot whose label, as the sheet picture draws it in a client
// area of the given size, contains the point (edges included); -1 for a
// point off the paper or between labels.
int HitTestSheetSlot(const SheetFormat& format, int clientWidth, int clientHeight, int x, int y);
