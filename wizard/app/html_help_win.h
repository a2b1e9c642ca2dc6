#pragma once
#include <windows.h>
#include <htmlhelp.h>

// Calls the HTML Help entry point, binding its library on first use. Returns
// 0 at once, now and later, when the library or its entry cannot be had.
HWND HtmlHelpCall(HWND owner, const char* file, UINT command, DWORD_PTR data);
