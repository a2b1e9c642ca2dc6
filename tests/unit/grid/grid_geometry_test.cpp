#include <gtest/gtest.h>

#include "grid_fixture.h"
#include "grid_geometry.h"

TEST_F(GridGeometry, ColumnLetters) {
    const std::pair<int, const char*> cases[] = {{1, " A"},  {26, " Z"}, {27, "AA"},
                                                 {52, "AZ"}, {53, "BA"}, {256, "IV"}};
    for (const auto& c : cases) {
        char text[3];
        ColumnLetters(c.first, text);
        EXPECT_STREQ(text, c.second) << "column " << c.first;
    }
}

TEST_F(GridGeometry, CellRectFollowsScrolledOrigin) {
    GridRect r = CellRect(rec, 1, 1);
    EXPECT_EQ(r.left, 50);
    EXPECT_EQ(r.right, 100);
    EXPECT_EQ(r.top, 21);
    EXPECT_EQ(r.bottom, 41);
    rec.nTopRow = 5;
    rec.nLeftCol = 3;
    r = CellRect(rec, 7, 4);
    EXPECT_EQ(r.left, 100);
    EXPECT_EQ(r.top, 61);
}

TEST_F(GridGeometry, LastColumnStretchesToTheEdge) {
    rec.nCols = 3;
    EXPECT_EQ(CellRect(rec, 1, 3).right, 400);
    rec.bExtendLastCol = 0;
    EXPECT_EQ(CellRect(rec, 1, 3).right, 200);
}

TEST_F(GridGeometry, NextVisibleColumnSkipsHiddenColumns) {
    rec.anColWidth[3] = 0;
    rec.anColWidth[4] = 0;
    EXPECT_EQ(NextVisibleColumn(rec, 2, +1), 5);
    EXPECT_EQ(NextVisibleColumn(rec, 5, -1), 2);
    EXPECT_EQ(NextVisibleColumn(rec, 1, -1), 0);
    EXPECT_EQ(NextVisibleColumn(rec, 10, +1), 0);
}

TEST_F(GridGeometry, HitTesting) {
    EXPECT_EQ(RowAtY(rec, 0), -1);
    EXPECT_EQ(RowAtY(rec, 10), 0);
    EXPECT_EQ(RowAtY(rec, 22), 1);
    EXPECT_EQ(RowAtY(rec, 41), 2);
    rec.nRows = 2;
    EXPECT_EQ(RowAtY(rec, 70), -1);
    EXPECT_EQ(ColumnAtX(rec, 30), 0);
    EXPECT_EQ(ColumnAtX(rec, 51), 1);
    EXPECT_EQ(ColumnAtX(rec, 100), 1);
    EXPECT_EQ(ColumnAtX(rec, 101), 2);
    EXPECT_EQ(ColumnAtX(rec, 5000), 10);
    rec.bExtendLastCol = 0;
    EXPECT_EQ(ColumnAtX(rec, 5000), -1);
}

TEST_F(GridGeometry, PaintedRangeReachesOnePastThePartlyVisible) {
    ComputePaintedRange(rec);
    EXPECT_EQ(rec.nFirstVisCol, 1);
    EXPECT_EQ(rec.nLastVisCol, 9);
    EXPECT_EQ(rec.nLastVisRow, 11);
    rec.nRows = 0;
    ComputePaintedRange(rec);
    EXPECT_LT(rec.nLastVisRow, rec.nFirstVisRow) << "no rows painted";
}

TEST_F(GridGeometry, ScrollRanges) {
    EXPECT_EQ(VisibleRowCount(rec), 10);
    EXPECT_TRUE(NeedsVScroll(rec));
    EXPECT_EQ(VScrollMax(rec), 91);
    EXPECT_TRUE(NeedsHScroll(rec));
    rec.anColWidth[2] = 0;
    EXPECT_EQ(VisibleColumnCount(rec), 9);
    rec.nLeftCol = 3;
    EXPECT_EQ(HScrollPosition(rec), 2);
    EXPECT_EQ(ColumnAtHScrollPosition(rec, 2), 3);
    rec.nRows = 10;
    EXPECT_FALSE(NeedsVScroll(rec));
}

// A row taller than the data area: scrolling stops on the last row.
TEST_F(GridGeometry, RowTallerThanTheDataAreaCountsAsOne) {
    rec.nRowHeight = 1000;
    EXPECT_EQ(VisibleRowCount(rec), 1);
    EXPECT_EQ(VScrollMax(rec), rec.nRows);
}

TEST_F(GridGeometry, SnapLeavesWholeRows) {
    EXPECT_EQ(SnappedHeight(300, 50, 20), 300 - 10 + 4);
    EXPECT_EQ(SnappedHeight(300, 60, 20), 304);
    EXPECT_EQ(SnappedHeight(300, 20, 20), 300) << "one row or less: unchanged";
}

TEST_F(GridGeometry, GraphicValues) {
    const std::pair<const char*, int> cases[] = {{"~75", 75},  {"~ -3x", -3},
                                                 {"~", 0},     {"~abc", 0},
                                                 {"~+12", 12}, {"~99999999999", 2147483647}};
    for (const auto& c : cases) {
        EXPECT_EQ(ParseGraphicValue(c.first), c.second) << c.first;
    }
}

TEST_F(GridGeometry, CellsScrolledOutOfViewKeepTheirPlace) {
    rec.nTopRow = 5;
    rec.nLeftCol = 3;
    struct Case {
        int row, col;
        GridRect rect;
        bool bOnScreen;
    };
    const Case cases[] = {
        {5, 3, {50, 21, 100, 41}, true},    {4, 3, {50, 1, 100, 21}, false},
        {1, 3, {50, -59, 100, -39}, false}, {5, 1, {-50, 21, 0, 41}, false},
        {5, 2, {0, 21, 50, 41}, false},     {0, 1, {-50, 0, 0, 21}, false},
        {0, 3, {50, 0, 100, 21}, true},     {3, 0, {0, -19, 50, 1}, false},
        {14, 3, {50, 201, 100, 221}, true}, {15, 3, {50, 221, 100, 241}, false},
        {5, 10, {400, 21, 450, 41}, false},
    };
    for (const auto& c : cases) {
        GridRect r = CellRectAnywhere(rec, c.row, c.col);
        EXPECT_EQ(r.left, c.rect.left) << c.row << "," << c.col;
        EXPECT_EQ(r.top, c.rect.top) << c.row << "," << c.col;
        EXPECT_EQ(r.right, c.rect.right) << c.row << "," << c.col;
        EXPECT_EQ(r.bottom, c.rect.bottom) << c.row << "," << c.col;
        EXPECT_EQ(CellOnScreen(rec, c.row, c.col), c.bOnScreen) << c.row << "," << c.col;
    }
    rec.anColWidth[4] = 0;
    EXPECT_FALSE(CellOnScreen(rec, 5, 4)) << "a hidden column";
}
