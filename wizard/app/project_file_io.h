#pragma once
#include <windows.h>

#include "app_state.h"

// Reads the project that `szProjectFile` names into the record and rebuilds
// its field list; 1 on success. A file with a wrong signature is reported
// (message 15) and leaves the record as it was.
int ReadProject(HWND owner, AppState* state);

// The command line's project, read with no owner window.
inline int ReadProjectAtStart(AppState* state) {
    return ReadProject(nullptr, state);
}

// A message box with a string-table format and the product name as caption;
// returns the button pressed, or -1 when there is no memory for the text.
int ShowMessage(HWND owner, HINSTANCE instance, UINT stringId, UINT style, ...);
