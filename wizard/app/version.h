#pragma once

// The program's version, kept here alone: the first two parts also name the
// settings key and the data folder, and the editor reads the whole of it
// back from the version resource.
#define DOTWELL_VERSION_MAJOR 5
#define DOTWELL_VERSION_MINOR 0
#define DOTWELL_VERSION_RELEASE 3
#define DOTWELL_VERSION_BUILD 6268

#define DOTWELL_VERSION_MAJOR_STR "5"
#define DOTWELL_VERSION_MINOR_STR "0"
#define DOTWELL_VERSION_RELEASE_STR "3"
#define DOTWELL_VERSION_BUILD_STR "6268"

// As the version resource shows it.
#define DOTWELL_FILE_VERSION_STR "5, 0, 3, 6268"
