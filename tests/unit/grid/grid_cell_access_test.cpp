#include <gtest/gtest.h>

#include <cstring>

#include "grid_cell_access.h"
#include "grid_fixture.h"

TEST_F(GridGeometry, ChildIdsCoverEveryCellOnce) {
    EXPECT_EQ(CellChildCount(rec), 101 * 11);
    const CellRef cells[] = {{0, 0}, {0, 10}, {1, 0}, {57, 4}, {100, 10}};
    for (const CellRef& cell : cells) {
        const long id = CellChildId(rec, cell.nRow, cell.nCol);
        CellRef back{};
        ASSERT_TRUE(CellFromChildId(rec, id, &back)) << id;
        EXPECT_EQ(back.nRow, cell.nRow) << id;
        EXPECT_EQ(back.nCol, cell.nCol) << id;
    }
    EXPECT_EQ(CellChildId(rec, 0, 0), 1);
    EXPECT_EQ(CellChildId(rec, 100, 10), CellChildCount(rec));
    const CellRef outside[] = {{101, 1}, {1, 11}, {-1, 0}, {0, -1}};
    for (const CellRef& cell : outside) {
        EXPECT_EQ(CellChildId(rec, cell.nRow, cell.nCol), 0) << cell.nRow << "," << cell.nCol;
    }
    CellRef none{};
    EXPECT_FALSE(CellFromChildId(rec, 0, &none));
    EXPECT_FALSE(CellFromChildId(rec, CellChildCount(rec) + 1, &none));

    rec.nCursorRow = 2;
    rec.nCursorCol = 3;
    EXPECT_EQ(CursorChildId(rec), CellChildId(rec, 2, 3));
    rec.nRows = 0;
    EXPECT_EQ(CursorChildId(rec), 0) << "no rows, no cell under the cursor";
}

TEST_F(GridGeometry, CellsAreNamedByColumnTitleAndRow) {
    rec.nCols = 30;
    rec.cells.Set(0, 2, "First\nname", 'U');
    rec.cells.Set(0, 3, " \t ", 'U');
    rec.cells.Set(0, 0, "#", 'U');
    rec.cells.Set(4, 0, "not the name", 'U');
    struct Case {
        int row, col;
        const char* name;
    };
    const Case cases[] = {
        {5, 1, "A, row 5"},   {5, 2, "First name, row 5"},
        {5, 3, "C, row 5"},   {9, 27, "AA, row 9"},
        {0, 2, "First name"}, {0, 26, "Z"},
        {4, 0, "row 4"},      {0, 0, "#"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CellName(rec, CellRef{c.row, c.col}), c.name) << c.row << "," << c.col;
    }
}

TEST_F(GridGeometry, TheCursorCellReadsAsTheEditUnderWay) {
    rec.cells.Set(1, 1, "stored", 'U');
    rec.nCursorRow = 1;
    rec.nCursorCol = 1;
    std::strcpy(rec.szEdit, "typ");
    EXPECT_STREQ(CellValue(rec, CellRef{1, 1}), "stored") << "no edit yet";
    rec.bEditing = 1;
    EXPECT_STREQ(CellValue(rec, CellRef{1, 1}), "typ");
    EXPECT_STREQ(CellValue(rec, CellRef{2, 1}), "");
}
