#pragma once
#include <windows.h>

// A numeric edit box with an up-down control beside it. The value is the
// edit box's text; each value the field writes is announced to the page as
// WM_COMMAND / EN_KILLFOCUS for the edit box, the moment pages commit it.

// lParam: three doubles, min, max and step, in display units.
constexpr UINT SPM_SETRANGE = WM_APP;
// lParam: decimals written into the edit box; returns 1, 0 without a field.
constexpr UINT SPM_SETDECIMALS = WM_APP + 1;
// Returns the decimals, 0 without a field.
constexpr UINT SPM_GETDECIMALS = WM_APP + 2;

// Makes the two controls of `dialog` one field and writes `value`. Creating
// it again on the same controls replaces its settings. 1, or 0 when the
// field's data cannot be allocated (the box then stays a plain edit box).
int CreateSpinField(HWND dialog, int editId, int updownId, double min, double max, double step,
                    double value, int decimals);

// Narrows or widens a field's range; the edit box's text is left as it is.
void SetSpinRange(HWND updown, double min, double max, double step);

// A typed number: 1 with the value for digits and points only, else 0.
int ReadNumberField(HWND edit, double* value);

// Takes back the user's last edit of the box, if it can be taken back.
void UndoFieldEdit(HWND dialog, int controlId);
