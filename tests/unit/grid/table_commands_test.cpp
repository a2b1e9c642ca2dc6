#include <gtest/gtest.h>

#include <string>
#include <utility>
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
    // Stored cells the grid's dimensions leave out: a later write that grows
    // the grid would bring them back.
    int CellsOutside() {
        int inside = 0;
        for (int r = 1; r <= m_rows; ++r) {
            for (int c = 1; c <= m_cols; ++c) {
                inside += m_cells.Find(r, c) != nullptr;
            }
        }
        return static_cast<int>(m_cells.Count()) - inside;
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
        EXPECT_EQ(RunTableCommand(grid, c.command), 1) << c.name;
        EXPECT_EQ(grid.Dump(), c.after) << c.name;
        EXPECT_EQ(grid.CellsOutside(), 0) << c.name;
    }
}

TEST(TableCommands, DeleteRowOnAnEmptyGridChangesNothing) {
    FakeGrid grid({}, 1, 1);
    grid.SetDimensions(0, 4);
    RunTableCommand(grid, TABLE_DELETE_ROW);
    EXPECT_EQ(grid.Rows(), 0);
    EXPECT_EQ(grid.Columns(), 4);
}

TEST(TableCommands, DeletedCellsDoNotComeBackOnTheNextWrite) {
    const std::pair<const char*, std::vector<TableCommand>> cases[] = {
        {"delete row", {TABLE_DELETE_ROW}},
        {"delete column, then row", {TABLE_DELETE_COLUMN, TABLE_DELETE_ROW}},
    };
    for (const auto& [name, commands] : cases) {
        FakeGrid grid({{"a", "1"}, {"b", "2"}, {"c", "3"}}, 3, 2);
        for (TableCommand command : commands) {
            RunTableCommand(grid, command);
        }
        grid.WriteCellGrow(1, 1, "typed");
        EXPECT_EQ(grid.Rows(), 2) << name;
    }
}

TEST(TableCommands, ColumnCommandsOnAGridWithoutRowsWriteNothing) {
    FakeGrid grid({}, 1, 1);
    grid.SetDimensions(0, 3);
    RunTableCommand(grid, TABLE_INSERT_COLUMN_BEFORE);
    EXPECT_EQ(grid.Rows(), 0);
    EXPECT_EQ(grid.Columns(), 3);
}

struct LimitCase {
    const char* name;
    TableCommand command;
    int rows, cols, cursorRow, cursorCol;
    bool bLastLineHoldsText;
    bool bRefused;
};

static bool IsColumnCommand(TableCommand command) {
    return command == TABLE_INSERT_COLUMN_BEFORE || command == TABLE_INSERT_COLUMN_AFTER;
}

static int CountTexts(const Table& table) {
    int count = 0;
    for (const auto& row : table) {
        for (const auto& text : row) {
            count += !text.empty();
        }
    }
    return count;
}

// A full grid cannot push its last row or column out without losing it.
TEST(TableCommands, InsertingIntoAFullGridNeverDropsText) {
    const LimitCase cases[] = {
        {"column before, last column filled", TABLE_INSERT_COLUMN_BEFORE, 2, 256, 1, 1, true, true},
        {"column after, last column filled", TABLE_INSERT_COLUMN_AFTER, 2, 256, 1, 100, true, true},
        {"column after the last", TABLE_INSERT_COLUMN_AFTER, 2, 256, 1, 256, false, true},
        {"column before, last column empty", TABLE_INSERT_COLUMN_BEFORE, 2, 256, 1, 1, false,
         false},
        {"column before, one column to spare", TABLE_INSERT_COLUMN_BEFORE, 2, 255, 1, 1, true,
         false},
        {"row before, last row filled", TABLE_INSERT_ROW_BEFORE, 32000, 2, 1, 1, true, true},
        {"row after, last row filled", TABLE_INSERT_ROW_AFTER, 32000, 2, 31999, 1, true, true},
        {"row after the last", TABLE_INSERT_ROW_AFTER, 32000, 2, 32000, 1, false, true},
        {"row before, last row empty", TABLE_INSERT_ROW_BEFORE, 32000, 2, 2, 1, false, false},
        {"row before, one row to spare", TABLE_INSERT_ROW_BEFORE, 31999, 2, 1, 1, true, false},
    };
    for (const auto& c : cases) {
        bool bColumn = IsColumnCommand(c.command);
        Table before(c.rows, std::vector<std::string>(c.cols));
        for (int r = 0; r < c.rows; ++r) {
            for (int col = 0; col < c.cols; ++col) {
                bool bLast = bColumn ? col == c.cols - 1 : r == c.rows - 1;
                if (!bLast || c.bLastLineHoldsText) {
                    before[r][col] = std::to_string(r + 1) + ":" + std::to_string(col + 1);
                }
            }
        }
        FakeGrid grid(before, c.cursorRow, c.cursorCol);
        EXPECT_EQ(RunTableCommand(grid, c.command), c.bRefused ? 0 : 1) << c.name;
        Table after = grid.Dump();
        if (c.bRefused) {
            EXPECT_TRUE(after == before) << c.name << ": the grid changed";
            continue;
        }
        EXPECT_EQ(CountTexts(after), CountTexts(before)) << c.name << ": text was lost";
        int at = bColumn ? c.cursorCol : c.cursorRow;
        EXPECT_EQ(bColumn ? after[0][at - 1] : after[at - 1][0], "") << c.name;
    }
}
