#include "table_commands.h"

#include "cell_store.h"

static void CopyCell(GridAccess& grid, int fromRow, int fromCol, int toRow, int toCol) {
    char text[kCellBuffer];
    grid.ReadCell(fromRow, fromCol, text);
    grid.WriteCellGrow(toRow, toCol, text);
}

// Whether any cell of the grid's last row (or last column) holds text.
static bool LastLineHoldsText(GridAccess& grid, bool bRow) {
    int rows = grid.Rows();
    int cols = grid.Columns();
    char text[kCellBuffer];
    for (int i = 1, count = bRow ? cols : rows; i <= count; ++i) {
        grid.ReadCell(bRow ? rows : i, bRow ? i : cols, text);
        if (text[0] != '\0') {
            return true;
        }
    }
    return false;
}

// A grid at its limit has no room past its last column: inserting would push
// that column's text out of the grid, and an insert after it adds nothing.
static int InsertColumn(GridAccess& grid, int at) {
    int rows = grid.Rows();
    int cols = grid.Columns();
    if (rows > 0 && cols >= kMaxGridCols && (at > cols || LastLineHoldsText(grid, false))) {
        return 0;
    }
    for (int k = cols; k >= at; --k) {
        for (int row = 1; row <= rows; ++row) {
            CopyCell(grid, row, k, row, k + 1);
        }
    }
    for (int row = 1; row <= rows; ++row) {
        grid.WriteCellGrow(row, at, "");
    }
    return 1;
}

// Likewise for the last row of a grid that holds as many rows as it can.
static int InsertRow(GridAccess& grid, int at) {
    int rows = grid.Rows();
    int cols = grid.Columns();
    if (rows >= kMaxGridRows && (at > rows || LastLineHoldsText(grid, true))) {
        return 0;
    }
    for (int k = rows; k >= at; --k) {
        for (int col = 1; col <= cols; ++col) {
            CopyCell(grid, k, col, k + 1, col);
        }
    }
    for (int col = 1; col <= cols; ++col) {
        grid.WriteCellGrow(at, col, "");
    }
    return 1;
}

static void DeleteColumn(GridAccess& grid, int at) {
    int rows = grid.Rows();
    int cols = grid.Columns();
    for (int k = at; k <= cols; ++k) {
        for (int row = 1; row <= rows; ++row) {
            CopyCell(grid, row, k + 1, row, k);
        }
    }
    // Removed, not emptied: cells left beyond the new width would still
    // count as the rows that hold them, so a deleted row would come back.
    for (int row = 1; row <= rows; ++row) {
        grid.RemoveCell(row, cols);
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

int RunTableCommand(GridAccess& grid, TableCommand command) {
    int row = grid.CursorRow();
    int col = grid.CursorColumn();
    switch (command) {
    case TABLE_INSERT_COLUMN_BEFORE:
        return InsertColumn(grid, col);
    case TABLE_INSERT_COLUMN_AFTER:
        return InsertColumn(grid, col + 1);
    case TABLE_INSERT_ROW_BEFORE:
        return InsertRow(grid, row);
    case TABLE_INSERT_ROW_AFTER:
        return InsertRow(grid, row + 1);
    case TABLE_DELETE_COLUMN:
        DeleteColumn(grid, col);
        return 1;
    case TABLE_DELETE_ROW:
        DeleteRow(grid, row);
        return 1;
    }
    return 0;
}
