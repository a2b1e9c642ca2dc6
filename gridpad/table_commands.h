#pragma once
#include "csv_save.h"

// What the table commands need of a grid. Rows and columns count from 1;
// a cell outside the grid or never written reads as empty text.
class GridAccess {
  public:
    virtual ~GridAccess() = default;
    virtual int Rows() = 0;
    virtual int Columns() = 0;
    virtual int CursorRow() = 0;
    virtual int CursorColumn() = 0;
    virtual void ReadCell(int row, int col, char buffer[kCellBuffer]) = 0;
    // Writes the cell, first growing the grid to hold it.
    virtual void WriteCellGrow(int row, int col, const char* text) = 0;
    virtual void RemoveCell(int row, int col) = 0;
    virtual void SetDimensions(int rows, int cols) = 0;
};

enum TableCommand {
    TABLE_INSERT_COLUMN_BEFORE,
    TABLE_INSERT_COLUMN_AFTER,
    TABLE_INSERT_ROW_BEFORE,
    TABLE_INSERT_ROW_AFTER,
    TABLE_DELETE_COLUMN,
    TABLE_DELETE_ROW,
};

// 1 when done; 0 when refused and nothing changed.
int RunTableCommand(GridAccess& grid, TableCommand command);
