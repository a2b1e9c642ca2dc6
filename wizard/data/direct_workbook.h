#pragma once
#include <cstdint>

// A workbook read straight from its file, without a spreadsheet
// application; cells read as the application would give them.
struct DirectWorkbook;

DirectWorkbook* DirectWorkbookOpen(const char* path);
void DirectWorkbookClose(DirectWorkbook* book);
int32_t DirectWorkbookRowCount(const DirectWorkbook* book);

// A malloc()ed UTF-8 text: numbers with up to 10 significant digits, "TRUE"
// or "FALSE", "" for empty and error cells. Null for a null workbook.
char* DirectWorkbookCell(const DirectWorkbook* book, int32_t row, int32_t column);
