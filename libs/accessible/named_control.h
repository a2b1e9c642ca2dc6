#pragma once
// A name for a control that no label in front of it names: screen readers
// take a control's name from the static text just before it, and where the
// layout has none the control answers with the name given here.
#include <windows.h>

// Copies `name`; it lives as long as the control. False when the control
// cannot carry it (it then stays as it was).
bool SetAccessibleName(HWND control, const wchar_t* name);
