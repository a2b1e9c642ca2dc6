#pragma once
#include <windows.h>

// Readies a page or dialog for screen readers and the keyboard: names the
// controls that no label in front of them names, and lets the up-downs that
// have no box of their own take the arrow keys when they have the focus.
void PrepareControlAccess(HWND dialog, UINT dialogId);
