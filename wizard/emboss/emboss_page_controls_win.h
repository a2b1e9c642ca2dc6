#pragma once
#include <windows.h>

#include "app_state.h"

// Fills the embosser drop-down with the embosser queues and selects the
// preferred one (or the stored choice when none is given). Without any
// embosser queue a warning is shown and the list stays empty.
void FillEmbosserList(HWND comboBox, const char* szPreferred);

// 1 when the embosser drop-down has a current selection.
int EmbosserSelected(HWND page);

// Takes the typed label range into the record when both boxes hold whole
// numbers, and narrows each box's spin range by the other.
void CommitLabelRange(HWND page, AppState* state);

// The 0-based slot under a point in the sheet picture's client
// coordinates, or -1.
int HitTestSheetPreview(HWND page, const SheetFormat& format, int x, int y);

// Places the label preview over its grey frame in the braille font, with the
// record counter and its spin along the frame's bottom.
void LayOutLabelPreview(HWND page, const SheetFormat& format);
