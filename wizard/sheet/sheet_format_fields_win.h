#pragma once
#include <windows.h>

#include "sheet_format.h"

// The ten numeric fields of the Sheet Format page.

// Creates every field from `format`, in the page's order; each creation
// commits its field once more, at the display precision.
void CreateSheetFields(HWND page, SheetFormat& format);

// Checks and stores the value of edit box `editId` after it lost the focus
// or was stepped; an out-of-range value is undone. Then lowers what no
// longer fits and gives every field its new range, and returns 1 (the sheet
// picture is due). A text that is no number is undone and nothing else
// happens: 0, as for an edit box that is not one of the fields.
int CommitSheetField(HWND page, SheetFormat& format, int editId);
