// Reads the first sheet of a workbook (.xls or .xlsx) from memory and gives
// its used range cell by cell, as the spreadsheet application would show it.
#pragma once

#include <cstddef>

struct Workbook;

enum WorkbookCellKind {
    WB_EMPTY = 0,
    WB_NUMBER = 1,
    WB_TEXT = 2,
    WB_BOOLEAN = 3,
    WB_ERROR = 4,
};

// Null when the bytes are not a readable workbook.
Workbook* WorkbookOpen(const void* pData, size_t nSize);
void WorkbookClose(Workbook* pBook);

// Size of the used range; -1 for a null workbook.
int WorkbookRowCount(const Workbook* pBook);
int WorkbookColumnCount(const Workbook* pBook);

// Rows and columns count from 1 at the used range's top left cell. Cells
// outside the range are empty.
int WorkbookCellKind(const Workbook* pBook, int nRow, int nColumn);
// The number of a number cell, 1 or 0 for a boolean, the error code of an
// error cell, 0 otherwise.
double WorkbookCellNumber(const Workbook* pBook, int nRow, int nColumn);
// UTF-8 text of the cell, "" when empty; valid until the workbook is closed.
const char* WorkbookCellText(const Workbook* pBook, int nRow, int nColumn);
