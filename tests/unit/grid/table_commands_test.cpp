#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cell_store.h"
#include "grid_record.h"
#include "table_commands.h"

using Table = std::vector<std::vector<std::string>>;

// Behaves like the grid as the editor sees it: clamped dimensions, refused
// cells beyond the limits, rows growing to the highest stored cell.
class FakeGrid : public GridAccess {
  public:
    FakeGrid(const Table& table, int cursorRow, int cursorCol)
        : m_rows(static_cast<int>(table.size())),
          m_cols(table.empty() ? 1 : static_cast<int>(table[0].size())), m_cursorRow(cursorRow),
          m_cursorCol(cursorCol) {
        for (size_t r = 0; r < table.size(); ++r) {
            for (size_t c = 0; c < table[r].size(); ++c) {
                m_cells.Set(static_cast<int>(r + 1), static_cast<int>(c + 1), table[r][c].c_str(),
                            'U');
            }
        }
    }
    int Rows() override { return m_rows; }
    int Columns() override { return m_cols; }
    int CursorRow() override { return m_cursorRow; }
    int CursorColumn() override { return m_cursorCol; }
    void ReadCell(int row, int col, char buffer[kCellBuffer]) override {
        buffer[0] = '\0';
        if (!IsBadCell({row, col})) {
            m_cells.CopyText(row, col, buffer);
        }
    }
    void WriteCellGrow(int row, int col, const char* text) override {
        SetDimensions(std::max(m_rows, row), std::max(m_cols, col));
        if (IsBadCell({row, col})) {
            return;
        }
        m_cells.Set(row, col, text, 'U');
        if (m_cells.HighestRow() > m_rows) {
            m_rows = m_cells.HighestRow();
        }
    }
    void RemoveCell(int row, int col) override { m_cells.Remove(row, col); }
    void SetDimensions(int rows, int cols) override {
        m_rows = ClampRowCount(static_cast<uintptr_t>(static_cast<intptr_t>(rows)));
        m_cols = ClampColumnCount(cols);
    }
    Table Dump() {
        Table out(m_rows, std::vector<std::string>(m_cols));
        for (int r = 1; r <= m_rows; ++r) {
            for (int c = 1; c <= m_cols; ++c) {
                char text[kCellBuffer];
                ReadCell(r, c, text);
                out[r - 1][c - 1] = text;
            }
        }
        return out;
    }

  private:
    CellStore m_cells;
    int m_rows, m_cols, m_cursorRow, m_cursorCol;
};

struct CommandCase {
    const char* name;
    Table before;
    int cursorRow, cursorCol;
    TableCommand command;
    Table after;
};

TEST(TableCommands, MoveCellsAndResizeTheGrid) {
    const CommandCase cases[] = {
        {"insert column before column 1",
         {{"a", "b"}, {"c", "d"}, {"e", "f"}},
         1,
         1,
         TABLE_INSERT_COLUMN_BEFORE,
         {{"", "a", "b"}, {"", "c", "d"}, {"", "e", "f"}}},
        {"insert column after the last",
         {{"a", "b"}},
         1,
         2,
         TABLE_INSERT_COLUMN_AFTER,
         {{"a", "b", ""}}},
        {"insert column after column 1",
         {{"a", "b"}},
         1,
         1,
         TABLE_INSERT_COLUMN_AFTER,
         {{"a", "", "b"}}},
        {"insert row before row 2",
         {{"a"}, {"b"}},
         2,
         1,
         TABLE_INSERT_ROW_BEFORE,
         {{"a"}, {""}, {"b"}}},
        {"insert row after the last",
         {{"a"}, {"b"}},
         2,
         1,
         TABLE_INSERT_ROW_AFTER,
         {{"a"}, {"b"}, {""}}},
        {"delete row 1", {{"a", "1"}, {"b", "2"}}, 1, 2, TABLE_DELETE_ROW, {{"b", "2"}}},
        {"delete the last row", {{"a"}, {"b"}, {"c"}}, 3, 1, TABLE_DELETE_ROW, {{"a"}, {"b"}}},
        {"delete column 2", {{"a", "b", "c"}}, 1, 2, TABLE_DELETE_COLUMN, {{"a", "c"}}},
        {"delete the only column", {{"a"}, {"b"}}, 1, 1, TABLE_DELETE_COLUMN, {{""}, {""}}},
    };
    for (const auto& c : cases) {
        FakeGrid grid(c.before, c.cursorRow, c.cursorCol);
        RunTableCommand(grid, c.command);
        EXPECT_EQ(grid.Dump(), c.after) << c.name;
    }
}

TEST(TableCommands, DeleteRowOnAnEmptyGridChangesNothing) {
    FakeGrid grid({}, 1, 1);
    grid.SetDimensions(0, 4);
    RunTableCommand(grid, TABLE_DELETE_ROW);
    EXPECT_EQ(grid.Rows(), 0);
    EXPECT_EQ(grid.Columns(), 4);
}

TEST(TableCommands, ADeletedLastRowDoesNotComeBack) {
    FakeGrid grid({{"a"}, {"b"}, {"c"}}, 3, 1);
    RunTableCommand(grid, TABLE_DELETE_ROW);
    grid.WriteCellGrow(1, 1, "typed");
    EXPECT_EQ(grid.Rows(), 2);
}

TEST(TableCommands, ColumnCommandsOnAGridWithoutRowsWriteNothing) {
    FakeGrid grid({}, 1, 1);
    grid.SetDimensions(0, 3);
    RunTableCommand(grid, TABLE_INSERT_COLUMN_BEFORE);
    EXPECT_EQ(grid.Rows(), 0);
    EXPECT_EQ(grid.Columns(), 3);
}

TEST(TableCommands, InsertingIntoAFullWidthGridLosesTheLastColumn) {
    Table full(1, std::vector<std::string>(256));
    for (int c = 0; c < 256; ++c) {
        full[0][c] = std::to_string(c + 1);
    }
    FakeGrid grid(full, 1, 1);
    RunTableCommand(grid, TABLE_INSERT_COLUMN_BEFORE);
    Table after = grid.Dump();
    ASSERT_EQ(after[0].size(), 256u);
    EXPECT_EQ(after[0][0], "");
    EXPECT_EQ(after[0][1], "1");
    EXPECT_EQ(after[0][255], "255");
}
