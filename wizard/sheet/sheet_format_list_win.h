#pragma once
#include <windows.h>

#include "sheet_format.h"

// The Sheet Format page's list of library entries. `stored` is the
// library's version of the current format as last loaded; comparing it with
// `current` tells whether there are unsaved changes.

// Fills the list from the library and settles `current` and `stored` (see
// the .cpp), then selects the current format's entry.
void FillFormatList(HWND page, SheetFormat& current, SheetFormat& stored);

// Marks the selected entry with "* " while `current` differs from
// `stored`, unmarks it otherwise, and enables "Save Format" accordingly.
void UpdateChangeMarker(HWND page, const SheetFormat& stored, const SheetFormat& current);

// Removes the "* " marker from the selected entry.
void UnmarkSelectedFormat(HWND page);

// Loads the selected entry unless nothing or the marked entry is selected;
// 1 when loaded.
int LoadSelectedFormat(HWND page, SheetFormat& current, SheetFormat& stored);
