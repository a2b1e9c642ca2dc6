#pragma once
#include <string>

#include "grid_record.h"

// How screen readers see a grid: a table of (rows + 1) x (columns + 1)
// cells, the header row and the row-header column included. Child ids
// count from 1, row by row.
long CellChildCount(const GridRecord& rec);
// 0 for a cell outside the grid.
long CellChildId(const GridRecord& rec, int row, int col);
// The cursor's cell; 0 when it stands on none (a grid without rows).
long CursorChildId(const GridRecord& rec);
bool CellFromChildId(const GridRecord& rec, long id, CellRef* cell);

enum class CellKind { Corner, ColumnHeader, RowHeader, Data };
CellKind KindOfCell(const CellRef& cell);

// A column is called by its header text, or by its letters when that is
// empty.
std::string ColumnTitle(const GridRecord& rec, int col);
// UTF-8: "Name, row 3" for a data cell, the column title for a column
// header, "row 3" for a row header.
std::string CellName(const GridRecord& rec, const CellRef& cell);
// The text the cell shows: the edit under way in the cursor cell, else the
// stored text.
const char* CellValue(const GridRecord& rec, const CellRef& cell);
bool IsCursorCell(const GridRecord& rec, const CellRef& cell);

enum class CellStep { Left, Right, Up, Down, Next, Previous };
// The neighbour in that direction, past hidden columns; false at the edge.
bool StepFromCell(const GridRecord& rec, const CellRef& from, CellStep step, CellRef* to);
