#pragma once
#include <windows.h>

#include <cstdint>

#include "app_state.h"

// A new empty file in the system's temporary folder, named with the prefix
// "VTF", into szPath (MAX_PATH bytes); empty when none can be made.
void MakeTempSpoolFile(char* szPath);

// The machine's "...\Vantor\Label\spoolFiles", each missing level created.
// 1 on success; 0 with an empty or partial path.
int GetSpoolFolder(char* szPath);

int32_t CountLabelFiles(const char* szFolder);
void NextLabelFileName(const char* szFolder, char* szPath);
void NextProjectFileName(const char* szFolder, char* szPath);
void DeleteOldestLabelFile(const char* szFolder);
void DeleteOldestProjectFile(const char* szFolder);

// The project as it was embossed; the record itself is left as it is.
// 1, or 0 when the file cannot be written.
int WriteProjectSnapshot(HWND page, AppState* state, const char* szPath);
