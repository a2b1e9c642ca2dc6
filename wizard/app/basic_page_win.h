#pragma once
#include <windows.h>

// The behaviour every page shares: header band, title on activation, Next
// and Back through the page table, help, and Cancel releasing the record.
// Pages call it for whatever they do not handle themselves.
INT_PTR BasicPageMessage(HWND page, UINT message, WPARAM wParam, LPARAM lParam, UINT headerStringId,
                         DWORD wizardButtons);
