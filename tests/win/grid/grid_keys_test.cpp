#include <gtest/gtest.h>

#include <string>

#include "grid_test_support.h"

class GridKeys : public ::testing::Test {
  protected:
    void SetUp() override {
        grid = host.AddGrid(5);
        SendMessageA(grid, GRM_SETEDITABLE, TRUE, 0);
        SendMessageA(grid, GRM_SETDIMENSIONS, 30, 6);
        SetFocus(grid);
        PumpPending();
        host.Take();
    }
    int Row() { return static_cast<int>(SendMessageA(grid, GRM_GETCURSORROW, 0, 0)); }
    int Col() { return static_cast<int>(SendMessageA(grid, GRM_GETCURSORCOLUMN, 0, 0)); }
    GridHost host;
    HWND grid = nullptr;
};

TEST_F(GridKeys, TypingThenEnterReplacesTheTextAndMovesDown) {
    SetText(grid, 1, 1, "abc");
    host.Take();
    Type(grid, L"x");
    Key(grid, VK_RETURN);
    EXPECT_EQ(GetText(grid, 1, 1), "x");
    EXPECT_EQ(Row(), 2);
    EXPECT_EQ(host.TakeCodes({GRN_EDITBEGIN, GRN_EDITEND, GRN_ROWCHANGED, GRN_CURSORMOVED}),
              (std::vector<Notification>{{5, GRN_EDITBEGIN, Cursor(1, 1)},
                                         {5, GRN_EDITEND, Cursor(1, 1)},
                                         {5, GRN_ROWCHANGED, Cursor(2, 1)},
                                         {5, GRN_CURSORMOVED, Cursor(2, 1)}}));
}

TEST_F(GridKeys, EscapeKeepsTheOldText) {
    SetText(grid, 1, 1, "abc");
    Type(grid, L"xyz");
    Key(grid, VK_ESCAPE);
    EXPECT_EQ(GetText(grid, 1, 1), "abc");
    EXPECT_EQ(Row(), 1);
    Key(grid, VK_RETURN);
    EXPECT_EQ(GetText(grid, 1, 1), "abc") << "nothing left of the cancelled edit";
}

TEST_F(GridKeys, BackspaceStartsAnEditThatStoresEmptyText) {
    SetText(grid, 1, 1, "abc");
    Key(grid, VK_BACK);
    Key(grid, VK_DOWN);
    EXPECT_EQ(GetText(grid, 1, 1), "");
    EXPECT_EQ(Row(), 2);
}

TEST_F(GridKeys, BackspaceRemovesAWholeCharacter) {
    Type(grid, L"a\u00e9\u20ac");
    Key(grid, VK_BACK);
    Key(grid, VK_RETURN);
    EXPECT_EQ(GetText(grid, 1, 1), "a\xC3\xA9");
    Type(grid, L"\U0001F600z");
    Key(grid, VK_BACK);
    Key(grid, VK_RETURN);
    EXPECT_EQ(GetText(grid, 2, 1), "\xF0\x9F\x98\x80");
}

TEST_F(GridKeys, KeysWithoutACharacterAddNothing) {
    Type(grid, L"ab");
    Key(grid, VK_SHIFT);
    Key(grid, VK_HOME);
    Key(grid, VK_END);
    Key(grid, VK_RETURN);
    EXPECT_EQ(GetText(grid, 1, 1), "ab");
}

TEST_F(GridKeys, AnEditStopsGrowingPast300Bytes) {
    std::wstring many(320, L'q');
    Type(grid, many.c_str());
    Key(grid, VK_RETURN);
    EXPECT_EQ(GetText(grid, 1, 1).size(), 301u);
}

TEST_F(GridKeys, ArrowsMoveWithTheirNotificationsInOrder) {
    Key(grid, VK_RIGHT);
    Key(grid, VK_DOWN);
    Key(grid, VK_LEFT);
    Key(grid, VK_UP);
    EXPECT_EQ(host.TakeCodes({GRN_ROWCHANGED, GRN_COLUMNCHANGED, GRN_CURSORMOVED}),
              (std::vector<Notification>{{5, GRN_COLUMNCHANGED, Cursor(1, 2)},
                                         {5, GRN_CURSORMOVED, Cursor(1, 2)},
                                         {5, GRN_ROWCHANGED, Cursor(2, 2)},
                                         {5, GRN_CURSORMOVED, Cursor(2, 2)},
                                         {5, GRN_COLUMNCHANGED, Cursor(2, 1)},
                                         {5, GRN_CURSORMOVED, Cursor(2, 1)},
                                         {5, GRN_ROWCHANGED, Cursor(1, 1)},
                                         {5, GRN_CURSORMOVED, Cursor(1, 1)}}));
    Key(grid, VK_LEFT);
    Key(grid, VK_UP);
    EXPECT_TRUE(host.TakeCodes({GRN_ROWCHANGED, GRN_COLUMNCHANGED, GRN_CURSORMOVED}).empty())
        << "nothing moves at the top left corner";
}

TEST_F(GridKeys, HiddenColumnsAreSkipped) {
    SendMessageA(grid, GRM_SETCOLUMNWIDTH, 2, 0);
    SendMessageA(grid, GRM_SETCOLUMNWIDTH, 3, 0);
    Key(grid, VK_RIGHT);
    EXPECT_EQ(Col(), 4);
    Key(grid, VK_LEFT);
    EXPECT_EQ(Col(), 1);
    SendMessageA(grid, GRM_SETCURSOR, 1, 6);
    Key(grid, VK_RIGHT);
    EXPECT_EQ(Col(), 6) << "no column right of the last";
}

TEST_F(GridKeys, PageKeysAlwaysNotifyUnlessOnTheEdgeRow) {
    Key(grid, VK_NEXT);
    int afterOnePage = Row();
    EXPECT_GT(afterOnePage, 1);
    for (int i = 0; i < 10; ++i) {
        Key(grid, VK_NEXT);
    }
    EXPECT_EQ(Row(), 30);
    host.Take();
    Key(grid, VK_NEXT);
    EXPECT_TRUE(host.TakeCodes({GRN_ROWCHANGED, GRN_CURSORMOVED}).empty());

    SendMessageA(grid, GRM_SETCURSOR, 29, 1);
    host.Take();
    Key(grid, VK_NEXT);
    EXPECT_EQ(Row(), 30);
    EXPECT_EQ(host.TakeCodes({GRN_ROWCHANGED, GRN_CURSORMOVED}),
              (std::vector<Notification>{{5, GRN_ROWCHANGED, Cursor(30, 1)},
                                         {5, GRN_CURSORMOVED, Cursor(30, 1)}}))
        << "clamped to the last row, still notified";
    Key(grid, VK_PRIOR);
    EXPECT_EQ(Row(), 30 - (afterOnePage - 1));
}

TEST_F(GridKeys, FunctionAndDeleteKeysOnlyNotify) {
    SetText(grid, 1, 1, "keep");
    host.Take();
    Key(grid, VK_F1);
    Key(grid, VK_F12);
    Key(grid, VK_DELETE);
    EXPECT_EQ(host.Take(), (std::vector<Notification>{{5, GRN_F1, Cursor(1, 1)},
                                                      {5, 22, Cursor(1, 1)},
                                                      {5, GRN_DELETEKEY, Cursor(1, 1)}}));
    EXPECT_EQ(GetText(grid, 1, 1), "keep");
}

TEST_F(GridKeys, ProtectedCellsTakeOnlyEnter) {
    CellRef cell{1, 1};
    SetText(grid, 1, 1, "locked");
    SendMessageA(grid, GRM_SETCELLPROTECT, reinterpret_cast<WPARAM>(&cell), TRUE);
    host.Take();
    Type(grid, L"zz");
    Key(grid, VK_BACK);
    EXPECT_TRUE(host.TakeCodes({GRN_EDITBEGIN}).empty());
    Key(grid, VK_RETURN);
    EXPECT_EQ(GetText(grid, 1, 1), "locked");
    EXPECT_EQ(Row(), 2);
}

TEST_F(GridKeys, ReadOnlyGridMovesOnEnterOnly) {
    SendMessageA(grid, GRM_SETEDITABLE, FALSE, 0);
    Type(grid, L"q");
    Key(grid, VK_RETURN);
    EXPECT_EQ(GetText(grid, 1, 1), "");
    EXPECT_EQ(Row(), 2);
}

TEST_F(GridKeys, EnterAndEscapeThroughTheDialogCode) {
    Type(grid, L"dlg");
    MSG enter{grid, WM_KEYDOWN, VK_RETURN, 0, 0, {0, 0}};
    EXPECT_EQ(SendMessageA(grid, WM_GETDLGCODE, VK_RETURN, reinterpret_cast<LPARAM>(&enter)), 0x91);
    EXPECT_EQ(GetText(grid, 1, 1), "dlg");
    EXPECT_EQ(Row(), 2);
    EXPECT_EQ(SendMessageA(grid, WM_GETDLGCODE, VK_RETURN, 0), 0x91);
    EXPECT_EQ(Row(), 2) << "a question without a key press moves nothing";

    Type(grid, L"gone");
    MSG escape{grid, WM_KEYDOWN, VK_ESCAPE, 0, 0, {0, 0}};
    EXPECT_EQ(SendMessageA(grid, WM_GETDLGCODE, VK_ESCAPE, reinterpret_cast<LPARAM>(&escape)),
              0x91);
    EXPECT_EQ(GetText(grid, 2, 1), "");
}

TEST_F(GridKeys, ClicksCommitAndMoveWithNotifications) {
    Type(grid, L"clicked");
    host.Take();
    // Column 2 starts at 50 + 50; row 3 at 21 + 2 * 21.
    SendMessageA(grid, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(120, 70));
    EXPECT_EQ(GetText(grid, 1, 1), "clicked");
    EXPECT_EQ(host.TakeCodes({GRN_CELLCLICKED, GRN_ROWCHANGED, GRN_COLUMNCHANGED, GRN_CURSORMOVED}),
              (std::vector<Notification>{{5, GRN_CELLCLICKED, Cursor(3, 2)},
                                         {5, GRN_ROWCHANGED, Cursor(3, 2)},
                                         {5, GRN_CURSORMOVED, Cursor(3, 2)},
                                         {5, GRN_COLUMNCHANGED, Cursor(3, 2)},
                                         {5, GRN_CURSORMOVED, Cursor(3, 2)}}));
}

TEST_F(GridKeys, FocusIsReported) {
    SetFocus(host.Parent());
    SetFocus(grid);
    EXPECT_EQ(host.TakeCodes({GRN_SETFOCUS, GRN_KILLFOCUS}),
              (std::vector<Notification>{{5, GRN_KILLFOCUS, 0}, {5, GRN_SETFOCUS, 0}}));
}

TEST_F(GridKeys, AnEditShowsAWhiteBoxOverTheHighlightedRow) {
    // Cell (1, 2): x 100..150, y 21..42; its box is inset by 2 pixels.
    auto pixel = [&] {
        PumpPending();
        HDC hdc = GetDC(grid);
        COLORREF colour = GetPixel(hdc, 105, 25);
        ReleaseDC(grid, hdc);
        return colour;
    };
    Key(grid, VK_RIGHT);
    UpdateWindow(grid);
    EXPECT_EQ(pixel(), 0x800000u) << "the focused cursor row is highlighted";
    Type(grid, L"x");
    UpdateWindow(grid);
    EXPECT_EQ(pixel(), 0xFFFFFFu);
    Key(grid, VK_ESCAPE);
    UpdateWindow(grid);
    EXPECT_EQ(pixel(), 0x800000u);
}
