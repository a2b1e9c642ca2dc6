#pragma once
#include <cstddef>
#include <functional>
#include <string>

// Every cell is read into a buffer of this size.
constexpr std::size_t kCellBuffer = 1024;

// Appends text as a quoted field: quotes around it, each quote inside
// doubled.
void QuoteField(const char* text, std::string& out);

// Reads cell (row, column), both from 1, into a kCellBuffer-byte buffer.
using ReadCellFn = std::function<void(int row, int col, char* buffer)>;

// The bytes of a saved grid: fields separated by ";", each row ended by a
// line feed. A field is quoted when it holds a semicolon, a comma, a tab, a
// quote or a line break, so that every reader, whatever separator it
// guesses or is told, reads the same cells.
std::string FormatGridCsv(int nRows, int nCols, const ReadCellFn& readCell);
// One row of it, appended to out; row 1 is the first of the file.
void AppendGridCsvRow(int row, int nCols, const ReadCellFn& readCell, std::string& out);
