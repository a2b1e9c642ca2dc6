#pragma once
#include <windows.h>

#include "app_state.h"

// The open dialog for projects; 1 when a file was chosen into `path`
// (MAX_PATH bytes).
int AskOpenProject(HWND page, char* path);

// The save dialog for projects, with its "Readonly" box; 1 when a name was
// chosen. `readOnly` is set to 1 when the box was ticked and otherwise keeps
// what the caller put there.
int AskSaveProjectAs(HWND owner, char* path, int* readOnly);

// What SaveOrClose returns when the wizard must stay open.
constexpr int kStayOpen = 3;

// The question asked when the wizard ends: save a never-saved or changed
// project, or close (and perhaps lock) an unchanged one. Returns kStayOpen
// when the wizard is to stay open. A project that cannot be written is
// reported and keeps the wizard open, so no work is lost.
int SaveOrClose(HWND owner, AppState* state);
