#include "table_commands.h"

static void CopyCell(GridAccess& grid, int fromRow, int fromCol, int toRow, int toCol) {
    char text[kCellBuffer];
    grid.ReadCell(fromRow, fromCol, text);
    grid.WriteCellGrow(toRow, toCol, text);
}

static void InsertColumn(GridAccess& grid, int at) {
    int rows = grid.Rows();
    for (int k = grid.Columns(); k >= at; --k) {
        for (int row = 1; row <= rows; ++row) {
            CopyCell(grid, row, k, row, k + 1);
        }
    }
    for (int row = 1; row <= rows; ++row) {
        grid.WriteCellGrow(row, at, "");
    }
}

static void InsertRow(GridAccess& grid, int at) {
    int cols = grid.Columns();
    for (int k = grid.Rows(); k >= at; --k) {
        for (int col = 1; col <= cols; ++col) {
            CopyCell(grid, k, col, k + 1, col);
        }
    }
    for (int col = 1; col <= cols; ++col) {
        grid.WriteCellGrow(at, col, "");
    }
}

static void DeleteColumn(GridAccess& grid, int at) {
    int rows = grid.Rows();
    int cols = grid.Columns();
    for (int k = at; k <= cols; ++k) {
        for (int row = 1; row <= rows; ++row) {
            CopyCell(grid, row, k + 1, row, k);
        }
    }
    for (int row = 1; row <= rows; ++row) {
        grid.WriteCellGrow(row, cols, "");
    }
    grid.SetDimensions(rows, cols - 1);
}

static void DeleteRow(GridAccess& grid, int at) {
    int rows = grid.Rows();
    int cols = grid.Columns();
    // A grid without rows has nothing to delete; asking it for -1 rows
    // would give it the most rows it can hold.
    if (rows == 0) {
        return;
    }
    for (int k = at; k <= rows; ++k) {
        for (int col = 1; col <= cols; ++col) {
            CopyCell(grid, k + 1, col, k, col);
        }
    }
    // The old last row is removed, not emptied: cells left in it would make
    // the grid grow back to it at the next write, and save an empty record.
    for (int col = 1; col <= cols; ++col) {
        grid.RemoveCell(rows, col);
    }
    grid.SetDimensions(rows - 1, cols);
}

void RunTableCommand(GridAccess& grid, TableCommand command) {
    int row = grid.CursorRow();
    int col = grid.CursorColumn();
    switch (command) {
    case TABLE_INSERT_COLUMN_BEFORE:
        InsertColumn(grid, col);
        break;
    case TABLE_INSERT_COLUMN_AFTER:
        InsertColumn(grid, col + 1);
        break;
    case TABLE_INSERT_ROW_BEFORE:
        InsertRow(grid, row);
        break;
    case TABLE_INSERT_ROW_AFTER:
        InsertRow(grid, row + 1);
        break;
    case TABLE_DELETE_COLUMN:
        DeleteColumn(grid, col);
        break;
    case TABLE_DELETE_ROW:
        DeleteRow(grid, row);
        break;
    }
}
