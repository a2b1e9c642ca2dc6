#pragma once
#include <cstddef>
#include <functional>
#include <string>

// Path building without the platform: the shell hands in what it asked the
// system for. Each returns 1 and fills `dest`, or 0 and leaves it empty.

// The folder of `moduleFileName` (cut before its last backslash), then a
// backslash and `name` when a name is given. 0 when there is no backslash.
int ComposeModuleFolderPath(char* dest, size_t size, const char* moduleFileName, const char* name);

// `commonAppData`, a backslash, the versioned data folder with its trailing
// backslash, then `name` when given.
int ComposeDataFolderPath(char* dest, size_t size, const char* commonAppData, const char* name);

// Appends `name` to a folder path, with a backslash between them, when it
// fits; an empty or null name leaves the folder as it is.
void AppendFileName(char* dest, size_t size, const char* name);

// "Software\Vantor\Dotwell 5.0".
const char* SettingsKeyPath();

// The versioned data folder below the common application data:
// "Vantor\Dotwell 5.0\".
const char* VersionedDataFolder();

// "5.0.3.6268".
const char* FullVersionText();

// The folder that `path` names, or failing that its nearest existing
// parent, found by cutting at backslashes. Empty when there is none.
std::string NearestExistingFolder(const char* path,
                                  const std::function<bool(const std::string&)>& isFolder);
