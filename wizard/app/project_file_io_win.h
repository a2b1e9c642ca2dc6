#pragma once
#include <windows.h>

#include "app_state.h"

// Reads the project that `szProjectFile` names into the record and rebuilds
// its field list; 1 on success. A file with a wrong signature is reported
// (message 15) and leaves the record as it was.
int ReadProject(HWND owner, AppState* state);

// Writes the record to `szProjectFile`, notes its folder as the last one
// used and sets or clears its read-only attribute; 1 on success. The old
// file is replaced only once the new one is complete, so a failed save
// never destroys it.
int WriteProject(HWND owner, AppState* state, int makeReadOnly);

// Writes the record's project bytes to `path`, complete or not at all.
bool WriteProjectFile(const char* path, const AppState& state);

// 1 when the record differs from the project file it names.
int ProjectChanged(HWND owner, const AppState* state);

// 1 when `szProjectFile` cannot be opened for reading and writing
// (read-only, missing or locked).
int IsReadOnlyProject(HWND owner, const AppState* state);

// The command line's project, read with no owner window.
inline int ReadProjectAtStart(AppState* state) {
    return ReadProject(nullptr, state);
}

// A message box with a string-table format and the product name as caption;
// returns the button pressed, or -1 when there is no memory for the text.
int ShowMessage(HWND owner, HINSTANCE instance, UINT stringId, UINT style, ...);
