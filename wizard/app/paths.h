#pragma once
#include <cstddef>

// Folders of the program and its shared data. Each returns `dest`, which is
// left empty on failure.

// The running program's folder, then a backslash and `name` when given.
char* ModuleFolderPath(char* dest, size_t size, const char* name);

// The common application-data folder itself (MAX_PATH bytes), without a
// trailing backslash; false when the shell cannot tell it.
bool CommonAppDataFolder(char* folder);

// The common application-data folder's "Vantor\Dotwell 5.0\", then `name`.
char* DataFolderPath(char* dest, size_t size, const char* name);

// The translation tables' folder ("RuleFiles\"), then `name`.
char* RuleFilePath(char* dest, size_t size, const char* name);

// The exception lists' folder ("ExceptionFiles\"), then `name`.
char* ExceptionFilePath(char* dest, size_t size, const char* name);
