#pragma once
#include <windows.h>

#include <string>

// Presses a button of a wizard page that opens a modal dialog, saves a
// picture of the dialog and cancels it. Returns whether the picture was
// saved.
bool SaveDialogPicture(HWND frame, HWND page, int button, const std::string& path);
