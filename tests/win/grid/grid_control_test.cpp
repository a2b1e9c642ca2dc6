#include <gtest/gtest.h>

#include <string>

#include "grid_test_support.h"

class GridControl : public ::testing::Test {
  protected:
    void SetUp() override { grid = host.AddGrid(7); }
    GridHost host;
    HWND grid = nullptr;
};

static LRESULT CellMessage(HWND grid, UINT msg, int row, int col, LPARAM lParam = 0) {
    CellRef cell{row, col};
    return SendMessageA(grid, msg, reinterpret_cast<WPARAM>(&cell), lParam);
}

TEST_F(GridControl, TextReadsBackWithItsType) {
    const std::pair<const char*, int> cases[] = {
        {"abc", 1},  {"  12", 1},  {"12", 2},  {"-12.5", 2}, {"TRUE", 3},
        {"true", 3}, {"False", 4}, {"~75", 5}, {"1e5", 1},   {"\xC3\xA9t\xC3\xA9", 1}};
    int row = 1;
    for (const auto& c : cases) {
        SetText(grid, row, 2, c.first);
        EXPECT_EQ(GetText(grid, row, 2), c.first);
        EXPECT_EQ(CellMessage(grid, GRM_GETCELLTYPE, row, 2), c.second) << c.first;
        ++row;
    }
    EXPECT_EQ(CellMessage(grid, GRM_GETCELLTYPE, 5, 5), 0) << "never set";
    EXPECT_EQ(GetText(grid, 5, 5), "");
}

TEST_F(GridControl, BadCellsAreRefusedWithANotification) {
    host.Take();
    const std::pair<int, int> bad[] = {{32001, 1}, {1, 257}, {-1, 1}};
    const UINT messages[] = {GRM_SETCELLTEXT, GRM_GETCELLTEXT, GRM_SETCELLPROTECT,
                             GRM_DELETECELL,  GRM_GETCELLTYPE, GRM_GETCELLPROTECT};
    for (auto [row, col] : bad) {
        for (UINT msg : messages) {
            char buffer[1024] = "";
            LPARAM lParam = msg == GRM_SETCELLTEXT || msg == GRM_GETCELLTEXT
                                ? reinterpret_cast<LPARAM>(buffer)
                                : 0;
            EXPECT_EQ(CellMessage(grid, msg, row, col, lParam), -1) << msg << " " << row;
            EXPECT_EQ(host.Take(), (std::vector<Notification>{{7, GRN_BADCELL, 0}}));
        }
    }
    EXPECT_EQ(CellMessage(grid, GRM_GETCELLTYPE, 32000, 256), 0);
}

TEST_F(GridControl, ProtectionIsPerCellAndNotKeptByALaterWrite) {
    EXPECT_EQ(CellMessage(grid, GRM_SETCELLPROTECT, 2, 2, TRUE), 0);
    EXPECT_EQ(CellMessage(grid, GRM_GETCELLPROTECT, 2, 2), 1);
    EXPECT_EQ(CellMessage(grid, GRM_GETCELLTYPE, 2, 2), 1) << "created with empty text";
    SetText(grid, 2, 2, "x");
    EXPECT_EQ(CellMessage(grid, GRM_GETCELLPROTECT, 2, 2), 0);
    SendMessageA(grid, GRM_SETDEFAULTPROTECT, TRUE, 0);
    SetText(grid, 3, 3, "y");
    EXPECT_EQ(CellMessage(grid, GRM_GETCELLPROTECT, 3, 3), 1);
}

TEST_F(GridControl, DimensionsAreClampedAndCellsOutsideAreKept) {
    SendMessageA(grid, GRM_SETDIMENSIONS, 40000, 300);
    EXPECT_EQ(SendMessageA(grid, GRM_GETROWS, 0, 0), 32000);
    EXPECT_EQ(SendMessageA(grid, GRM_GETCOLUMNS, 0, 0), 256);
    SendMessageA(grid, GRM_SETDIMENSIONS, 5, 0);
    EXPECT_EQ(SendMessageA(grid, GRM_GETCOLUMNS, 0, 0), 1);
    SendMessageA(grid, GRM_SETDIMENSIONS, static_cast<WPARAM>(-1), 3);
    EXPECT_EQ(SendMessageA(grid, GRM_GETROWS, 0, 0), 32000);

    SendMessageA(grid, GRM_SETDIMENSIONS, 20, 10);
    SetText(grid, 15, 8, "kept");
    SendMessageA(grid, GRM_SETDIMENSIONS, 5, 3);
    SendMessageA(grid, GRM_SETDIMENSIONS, 20, 10);
    EXPECT_EQ(GetText(grid, 15, 8), "kept");
}

TEST_F(GridControl, RowsGrowToTheHighestCellButNeverShrink) {
    SendMessageA(grid, GRM_SETDIMENSIONS, 10, 5);
    SetText(grid, 50, 1, "far");
    EXPECT_EQ(SendMessageA(grid, GRM_GETROWS, 0, 0), 50);
    CellMessage(grid, GRM_DELETECELL, 50, 1);
    EXPECT_EQ(SendMessageA(grid, GRM_GETROWS, 0, 0), 50);
    SendMessageA(grid, GRM_SETAUTOGROWROWS, FALSE, 0);
    SetText(grid, 60, 1, "no growth");
    EXPECT_EQ(SendMessageA(grid, GRM_GETROWS, 0, 0), 50);
}

TEST_F(GridControl, ClearEmptiesCellsAndRowsButKeepsColumns) {
    SendMessageA(grid, GRM_SETDIMENSIONS, 10, 4);
    SetText(grid, 3, 3, "x");
    SendMessageA(grid, GRM_SETCURSOR, 5, 2);
    SendMessageA(grid, GRM_CLEAR, 0, 0);
    EXPECT_EQ(SendMessageA(grid, GRM_GETROWS, 0, 0), 0);
    EXPECT_EQ(SendMessageA(grid, GRM_GETCOLUMNS, 0, 0), 4);
    EXPECT_EQ(SendMessageA(grid, GRM_GETCURSORROW, 0, 0), 1);
    EXPECT_EQ(SendMessageA(grid, GRM_GETCURSORCOLUMN, 0, 0), 2);
    EXPECT_EQ(CellMessage(grid, GRM_GETCELLTYPE, 3, 3), 0);
}

TEST_F(GridControl, CursorMovesOnlyInsideTheGridAndSilently) {
    SendMessageA(grid, GRM_SETDIMENSIONS, 10, 4);
    host.Take();
    SendMessageA(grid, GRM_SETCURSOR, 8, 3);
    EXPECT_EQ(SendMessageA(grid, GRM_GETCURSORROW, 0, 0), 8);
    EXPECT_EQ(SendMessageA(grid, GRM_GETCURSORCOLUMN, 0, 0), 3);
    SendMessageA(grid, GRM_SETCURSOR, 11, 1);
    SendMessageA(grid, GRM_SETCURSOR, 1, 5);
    SendMessageA(grid, GRM_SETCURSOR, 0, 1);
    EXPECT_EQ(SendMessageA(grid, GRM_GETCURSORROW, 0, 0), 8);
    EXPECT_TRUE(host.TakeCodes({GRN_ROWCHANGED, GRN_COLUMNCHANGED, GRN_CURSORMOVED}).empty());
}

TEST_F(GridControl, HeaderTextWidensItsColumnWithoutAutoSize) {
    ASSERT_EQ(SendMessageA(grid, GRM_GETCOLUMNWIDTH, 2, 0), 50);
    SetText(grid, 0, 2, "A much wider column header");
    EXPECT_GT(SendMessageA(grid, GRM_GETCOLUMNWIDTH, 2, 0), 50);
    SetText(grid, 1, 3, "A much wider data cell text");
    EXPECT_EQ(SendMessageA(grid, GRM_GETCOLUMNWIDTH, 3, 0), 50) << "auto size is off";
    SendMessageA(grid, GRM_SETAUTOSIZE, TRUE, 0);
    SetText(grid, 1, 4, "A much wider data cell text");
    EXPECT_GT(SendMessageA(grid, GRM_GETCOLUMNWIDTH, 4, 0), 50);
}

TEST_F(GridControl, SizesAndWidthsAreChecked) {
    SendMessageA(grid, GRM_SETCOLUMNWIDTH, 3, 80);
    SendMessageA(grid, GRM_SETCOLUMNWIDTH, 3, -5);
    SendMessageA(grid, GRM_SETCOLUMNWIDTH, 257, 10);
    EXPECT_EQ(SendMessageA(grid, GRM_GETCOLUMNWIDTH, 3, 0), 80);
    EXPECT_EQ(SendMessageA(grid, GRM_GETCOLUMNWIDTH, 256, 0), 0) << "column 256 starts hidden";
    EXPECT_EQ(SendMessageA(grid, GRM_GETCOLUMNWIDTH, 9999, 0), 0);
    SendMessageA(grid, GRM_SETROWHEIGHT, 0, 0);
    EXPECT_EQ(SendMessageA(grid, GRM_GETROWHEIGHT, 0, 0), 1);
    SendMessageA(grid, GRM_SETHEADERHEIGHT, 33, 0);
    EXPECT_EQ(SendMessageA(grid, GRM_GETHEADERHEIGHT, 0, 0), 33);
}

TEST_F(GridControl, GraphicCellsAskTheParentToDraw) {
    SendMessageA(grid, GRM_SETDIMENSIONS, 5, 3);
    SetText(grid, 2, 2, "~75");
    host.Take();
    InvalidateRect(grid, nullptr, FALSE);
    UpdateWindow(grid);
    auto drawn = host.TakeCodes({GRN_DRAWGRAPHIC});
    ASSERT_EQ(drawn.size(), 1u);
    EXPECT_NE(drawn[0].lParam, 0);
    EXPECT_EQ(SendMessageA(grid, GRM_GETGRAPHICVALUE, 0, 0), 75);
}

TEST_F(GridControl, NotifyMessagesSendTheirPairs) {
    host.Take();
    SendMessageA(grid, GRM_NOTIFYROWCHANGED, 0, 0);
    SendMessageA(grid, GRM_NOTIFYCOLUMNCHANGED, 0, 0);
    EXPECT_EQ(host.Take(), (std::vector<Notification>{{7, GRN_ROWCHANGED, Cursor(1, 1)},
                                                      {7, GRN_CURSORMOVED, Cursor(1, 1)},
                                                      {7, GRN_COLUMNCHANGED, Cursor(1, 1)},
                                                      {7, GRN_CURSORMOVED, Cursor(1, 1)}}));
}

TEST_F(GridControl, TheTitleBandPushesTheRowsDown) {
    SendMessageA(grid, GRM_SETDIMENSIONS, 10, 3);
    SetFocus(grid);
    SendMessageA(grid, GRM_SETCURSOR, 3, 1);
    const LPARAM justBelowHeader = MAKELPARAM(60, 30);
    EXPECT_EQ(SendMessageA(grid, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Names")), 0);
    SendMessageA(grid, WM_LBUTTONDOWN, MK_LBUTTON, justBelowHeader);
    EXPECT_EQ(SendMessageA(grid, GRM_GETCURSORROW, 0, 0), 3) << "y 30 is in the header now";
    SendMessageA(grid, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
    SendMessageA(grid, WM_LBUTTONDOWN, MK_LBUTTON, justBelowHeader);
    EXPECT_EQ(SendMessageA(grid, GRM_GETCURSORROW, 0, 0), 1);
}

TEST(GridSlots, TwentyGridsAtMostAndSharedIdentifiers) {
    GridHost host;
    std::vector<HWND> grids;
    for (int id = 1; id <= 20; ++id) {
        grids.push_back(host.AddGrid(100 + id));
        ASSERT_NE(grids.back(), nullptr) << "grid " << id;
    }
    EXPECT_EQ(host.AddGrid(200), nullptr) << "the 21st grid destroys itself";

    HWND twin = host.AddGrid(105);
    ASSERT_NE(twin, nullptr) << "a live identifier is shared";
    SetText(grids[4], 1, 1, "shared");
    EXPECT_EQ(GetText(twin, 1, 1), "shared");
    DestroyWindow(twin);

    DestroyWindow(grids[0]);
    HWND again = host.AddGrid(300);
    EXPECT_NE(again, nullptr) << "a freed slot is claimed again";
    EXPECT_EQ(SendMessageA(again, GRM_GETROWHEIGHT, 0, 0), 20) << "slot reset after destroy";
    EXPECT_EQ(GetText(again, 1, 1), "");
}

TEST(GridSlots, DialogCodes) {
    GridHost host;
    HWND grid = host.AddGrid(9);
    MSG tab{grid, WM_KEYDOWN, VK_TAB, 0, 0, {0, 0}};
    EXPECT_EQ(SendMessageA(grid, WM_GETDLGCODE, VK_TAB, reinterpret_cast<LPARAM>(&tab)), 0x91);
    MSG escape{grid, WM_KEYDOWN, VK_ESCAPE, 0, 0, {0, 0}};
    EXPECT_EQ(SendMessageA(grid, WM_GETDLGCODE, VK_ESCAPE, reinterpret_cast<LPARAM>(&escape)), 0)
        << "Escape is the dialog's when no edit is in progress";
    EXPECT_EQ(SendMessageA(grid, WM_GETDLGCODE, 0, 0), 0x91);
}

TEST_F(GridControl, DraggingABorderPastTheLeftEdgeHidesTheColumn) {
    SendMessageA(grid, GRM_SETCOLUMNRESIZE, TRUE, 0);
    SendMessageA(grid, GRM_SETDIMENSIONS, 5, 4);
    SetFocus(grid);
    // The border between columns 1 and 2 is at x 100, in the header row.
    SendMessageA(grid, WM_MOUSEMOVE, 0, MAKELPARAM(98, 10));
    SendMessageA(grid, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(98, 10));
    SendMessageA(grid, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(70, 10));
    EXPECT_EQ(SendMessageA(grid, GRM_GETCOLUMNWIDTH, 1, 0), 22);
    SendMessageA(grid, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(20, 10));
    SendMessageA(grid, WM_LBUTTONUP, 0, MAKELPARAM(20, 10));
    EXPECT_EQ(SendMessageA(grid, GRM_GETCOLUMNWIDTH, 1, 0), 0);
    SendMessageA(grid, GRM_SETCURSOR, 1, 2);
    SendMessageA(grid, WM_KEYDOWN, VK_LEFT, 0);
    EXPECT_EQ(SendMessageA(grid, GRM_GETCURSORCOLUMN, 0, 0), 2) << "the hidden column is skipped";

    SendMessageA(grid, WM_MOUSEMOVE, 0, MAKELPARAM(200, 100));
    SendMessageA(grid, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(200, 100));
    SendMessageA(grid, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(150, 100));
    SendMessageA(grid, WM_LBUTTONUP, 0, MAKELPARAM(150, 100));
    EXPECT_EQ(SendMessageA(grid, GRM_GETCOLUMNWIDTH, 3, 0), 50) << "no drag away from a border";
}

TEST_F(GridControl, ColumnBordersStayPutWithoutColumnResize) {
    SendMessageA(grid, GRM_SETDIMENSIONS, 5, 4);
    SetFocus(grid);
    SendMessageA(grid, WM_MOUSEMOVE, 0, MAKELPARAM(98, 10));
    SendMessageA(grid, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(98, 10));
    SendMessageA(grid, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(20, 10));
    SendMessageA(grid, WM_LBUTTONUP, 0, MAKELPARAM(20, 10));
    EXPECT_EQ(SendMessageA(grid, GRM_GETCOLUMNWIDTH, 1, 0), 50);
}

TEST_F(GridControl, MovingDownScrollsTheCursorIntoView) {
    SendMessageA(grid, GRM_SETDIMENSIONS, 100, 4);
    SetFocus(grid);
    PumpPending();
    EXPECT_EQ(GetScrollPos(grid, SB_VERT), 1);
    for (int i = 0; i < 40; ++i) {
        SendMessageA(grid, WM_KEYDOWN, VK_DOWN, 0);
    }
    RECT client;
    GetClientRect(grid, &client);
    int shown = (client.bottom - 21) / 21;
    EXPECT_EQ(GetScrollPos(grid, SB_VERT), 41 - shown + 1);
    SendMessageA(grid, GRM_SETCURSOR, 2, 1);
    EXPECT_EQ(GetScrollPos(grid, SB_VERT), 2) << "moving up brings the row back to the top";
}

TEST_F(GridControl, ResizingSnapsTheDataAreaToWholeRows) {
    SendMessageA(grid, GRM_SETDIMENSIONS, 100, 4);
    SendMessageA(grid, GRM_SETROWHEIGHT, 20, 0);
    const int heights[] = {300, 317, 251};
    for (int height : heights) {
        MoveWindow(grid, 0, 0, 400, height, TRUE);
        PumpPending();
        RECT client;
        GetClientRect(grid, &client);
        EXPECT_EQ((client.bottom - 21) % 20, 0)
            << "asked for " << height << ", got " << client.bottom;
        EXPECT_LE(client.bottom, height);
    }
}

TEST_F(GridControl, ATitleOver300CharactersIsReplaced) {
    SendMessageA(grid, GRM_SETDIMENSIONS, 50, 3);
    SetFocus(grid);
    std::string lines;
    for (int i = 0; i < 10; ++i) {
        lines += std::string(29, 't') + "\n";
    }
    const LPARAM inRowsUnlessTitleIsTall = MAKELPARAM(60, 120);
    std::string tall = lines + std::string(300 - lines.size(), 't');
    SendMessageA(grid, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(tall.c_str()));
    SendMessageA(grid, WM_LBUTTONDOWN, MK_LBUTTON, inRowsUnlessTitleIsTall);
    EXPECT_EQ(SendMessageA(grid, GRM_GETCURSORROW, 0, 0), 1) << "eleven lines of title";

    std::string tooLong = tall + "t";
    SendMessageA(grid, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(tooLong.c_str()));
    SendMessageA(grid, WM_LBUTTONDOWN, MK_LBUTTON, inRowsUnlessTitleIsTall);
    EXPECT_GT(SendMessageA(grid, GRM_GETCURSORROW, 0, 0), 1) << "one line of replacement";
}
