#pragma once
#include <cstddef>

// Spreadsheets save "Unicode text" as UTF-16 with a byte-order mark; such a
// file is turned into UTF-8 before it is parsed.

// 1 for a little-endian mark at the start of the data, 2 for big-endian,
// 0 for none.
int CsvUtf16Order(const char* data, size_t size);

// Converts UTF-16 data (after its mark) into a new heap buffer (malloc) with
// room for a terminator behind the text; null when out of memory.
char* CsvUtf16ToUtf8(const char* data, size_t size, bool bigEndian, size_t* outSize);
