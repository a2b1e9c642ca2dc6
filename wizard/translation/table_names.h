#pragma once
#include <cstddef>

// A table name is a file name cut right after its first ".qrf" (lower case,
// exact). Writes it into `dest` (empty when the text has none) and returns
// `dest`.
char* TableNameOf(char* dest, size_t size, const char* text);

// Copies `source` into `dest` with a carriage return before every line feed,
// cut to `size` bytes with its terminator.
void InsertCarriageReturns(char* dest, size_t size, const char* source);

// The part of a path after its last backslash; a backslash in the very last
// position does not count.
const char* LastPathPart(const char* path);
