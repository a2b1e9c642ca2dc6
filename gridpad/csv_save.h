#pragma once
#include <cstddef>
#include <functional>
#include <string>

// Every cell is read into a buffer of this size; quoting adds two bytes.
constexpr std::size_t kCellBuffer = 1024;

// Puts double quotes around text in place, each only where it is missing.
// The text must leave room for two more bytes within capacity.
void QuoteField(char* text, std::size_t capacity);

// Reads cell (row, column), both from 1, into a kCellBuffer-byte buffer.
using ReadCellFn = std::function<void(int row, int col, char* buffer)>;

// The bytes of a saved grid: fields separated by ";", each row ended by a
// line feed, fields quoted only when they hold a semicolon.
std::string FormatGridCsv(int nRows, int nCols, const ReadCellFn& readCell);
// One row of it, appended to out.
void AppendGridCsvRow(int row, int nCols, const ReadCellFn& readCell, std::string& out);
