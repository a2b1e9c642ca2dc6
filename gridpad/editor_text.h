#pragma once
#include <cstddef>
#include <functional>

constexpr std::size_t kPathBuffer = 260;

// The command line is one path; surrounding double quotes are dropped.
// False (nothing copied) when the path does not fit kPathBuffer.
bool UnquoteCommandLine(const char* commandLine, char out[kPathBuffer]);

// "5, 0, 3, 6268" gives Software\Vantor\Dotwell 5.0\csv. False when the text
// does not have four fields.
bool KeyPathFromVersion(const char* version, char* out, std::size_t capacity);

enum PathKind { PATH_MISSING, PATH_FOLDER, PATH_FILE };
using PathKindFn = std::function<PathKind(const char* path)>;

// The folder remembered as "LastDir" after a file was picked; false when
// nothing is to be stored.
bool LastDirFromPath(const char* path, const PathKindFn& kindOf, char out[kPathBuffer]);
