#pragma once
#include "grid_record.h"

struct GridRect {
    int32_t left, top, right, bottom;
};

GridRect CellRect(const GridRecord& rec, int row, int col);
// Where the cell lies relative to the client area, also when scrolled out of
// view above or to the left.
GridRect CellRectAnywhere(const GridRecord& rec, int row, int col);
// Whether some of the cell shows in the client area.
bool CellOnScreen(const GridRecord& rec, int row, int col);
// First column of non-zero width from col in direction dir (+1 or -1) within
// 1..nCols; 0 when there is none.
int NextVisibleColumn(const GridRecord& rec, int col, int dir);
int RowAtY(const GridRecord& rec, int y);
int ColumnAtX(const GridRecord& rec, int x);
// Sets nFirstVisCol, nLastVisCol, nFirstVisRow and nLastVisRow.
void ComputePaintedRange(GridRecord& rec);

// Two characters and a NUL: " A" for column 1, "AA" for 27, "IV" for 256.
void ColumnLetters(int col, char out[3]);
// "~75" gives 75: the tilde counts as a space, then a decimal integer.
int32_t ParseGraphicValue(const char* text);

// Rows that fit below the title and the header.
int VisibleRowCount(const GridRecord& rec);
bool NeedsHScroll(const GridRecord& rec);
bool NeedsVScroll(const GridRecord& rec);
int VisibleColumnCount(const GridRecord& rec);
int HScrollPosition(const GridRecord& rec);
int ColumnAtHScrollPosition(const GridRecord& rec, int pos);
int VScrollMax(const GridRecord& rec);

// Window height that leaves whole rows in the data area a (plus 4 pixels),
// or h itself when a is not above one row.
int SnappedHeight(int h, int a, int rowHeight);
