#pragma once
#include <windows.h>

// Starts the command line built from `format` and waits for the process to
// end. 1 when it was started (after it ended), 0 when it could not start.
int RunAndWait(const char* format, ...);

// Opens `path` with the program the system associates with it and waits for
// that program to end, when the system says which process it is. 1 when
// started.
int OpenAndWait(const char* path);

// How editors are started; tests put their own in place.
struct EditorLauncher {
    int (*runCommand)(const char* commandLine);
    int (*openDocument)(const char* path);
};
void SetEditorLauncher(const EditorLauncher& launcher);

// Runs the editor for `path` (260 bytes; lowercased) with the wizard hidden,
// and afterwards takes over the file the grid editor saved last.
void EditDataSource(HWND page, char* path);
