#pragma once
#include <windows.h>

// Asks for the name of a new sheet format. `name` (100 bytes) always
// mirrors the dialog's edit box. 1 for OK, 0 for Cancel.
INT_PTR AskFormatName(HWND owner, char* name);
