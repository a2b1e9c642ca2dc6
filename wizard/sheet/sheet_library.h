#pragma once
#include <cstddef>

#include "sheet_format.h"

// The library of named sheet formats: the private-profile file Label.ini in
// the data folder, one section per format. Every operation takes the file's
// path; LabelIniPath gives the user's one.

// The user's Label.ini. 0 (and an empty path) when it cannot be formed.
int LabelIniPath(char* dest, size_t size);

// Section names in file order, NUL-separated and ended by an empty name, or
// null when the file has none. Free with FreeSheetFormatList.
char* ListSheetFormats(const char* iniPath);
void FreeSheetFormatList(char* list);

// Reads section `name` into `format` (text box untouched) and, when given,
// into `copy`. Without a library file the default format is stored under
// `name` instead, and the result is that of the save.
int LoadSheetFormat(const char* iniPath, SheetFormat* format, const char* name, SheetFormat* copy);

// Writes the eleven keys of `format` into section `name`; 0 for no name or
// when a key could not be written.
int SaveSheetFormat(const char* iniPath, const SheetFormat* format, const char* name);

// Removes section `name` and leaves in `name` (of `size` bytes) the format
// to select next. Returns the platform's result.
int DeleteSheetFormat(const char* iniPath, char* name, size_t size);

// Copies every section of `programIni` that `userIni` lacks (has no keys
// in) into `userIni`, key lines as they stand.
void SeedSheetFormatsFrom(const char* programIni, const char* userIni);

// At start-up: from the program folder's label.ini into the user's library.
void SeedSheetFormats();
