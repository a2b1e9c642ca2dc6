#pragma once
#include <cstddef>
#include <cstdint>

#include "csv.h"

// Largest file we read: row and column numbers and list offsets are 32-bit.
constexpr size_t kCsvMaxFileSize = 0x7FFFFFF0;

// Parses a heap buffer (malloc) of size + 1 bytes holding size bytes of
// file; the table takes it over and parses it in place (a UTF-16 file in a
// UTF-8 copy). On failure the buffer is freed and null given.
CsvTable* CsvTableAdopt(char* buffer, size_t size);

// Parses a copy of the bytes.
CsvTable* CsvTableFromBytes(const char* data, size_t size);

// The cell's text inside the table: empty where a short row has no field,
// null outside the row and column counts or for a null table.
const char* CsvTableCell(const CsvTable* table, int32_t row, int32_t column);

// Whether the file's bytes (after any byte-order mark) are valid UTF-8.
bool CsvTableIsUtf8(const CsvTable* table);
