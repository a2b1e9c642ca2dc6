#include <gtest/gtest.h>

#include <string>

#include "grid_test_support.h"

// A grid of 20 rows and 5 columns: child (row, col) is row * 6 + col + 1.
class GridAccessible : public ::testing::Test {
  protected:
    void SetUp() override {
        grid = host.AddGrid(7, "Addresses");
        SendMessageA(grid, GRM_SETEDITABLE, TRUE, 0);
        SendMessageA(grid, GRM_SETDIMENSIONS, 20, 5);
        PumpPending();
        host.Take();
    }
    static long Id(int row, int col) { return row * 6 + col + 1; }
    int Row() { return static_cast<int>(SendMessageA(grid, GRM_GETCURSORROW, 0, 0)); }
    int Col() { return static_cast<int>(SendMessageA(grid, GRM_GETCURSORCOLUMN, 0, 0)); }
    GridHost host;
    HWND grid = nullptr;
};

TEST_F(GridAccessible, IsATableOfNamedCells) {
    SetText(grid, 0, 2, "Name\nof person");
    SetText(grid, 3, 2, "M\xC3\xBCller");
    SetText(grid, 4, 0, "ignored by the name");
    ClientObject table(grid);
    ASSERT_TRUE(table);
    EXPECT_EQ(table.Role(CHILDID_SELF), ROLE_SYSTEM_TABLE);
    EXPECT_EQ(table.Name(CHILDID_SELF), L"Addresses");
    long count = 0;
    ASSERT_EQ(table->get_accChildCount(&count), S_OK);
    EXPECT_EQ(count, 21 * 6);

    struct Case {
        int row, col;
        long role;
        const wchar_t* name;
        const wchar_t* value;
    };
    const Case cases[] = {
        {3, 2, ROLE_SYSTEM_CELL, L"Name of person, row 3", L"M\u00fcller"},
        {3, 1, ROLE_SYSTEM_CELL, L"A, row 3", L""},
        {20, 5, ROLE_SYSTEM_CELL, L"E, row 20", L""},
        {0, 2, ROLE_SYSTEM_COLUMNHEADER, L"Name of person", L"Name\nof person"},
        {0, 3, ROLE_SYSTEM_COLUMNHEADER, L"C", L""},
        {4, 0, ROLE_SYSTEM_ROWHEADER, L"row 4", L"ignored by the name"},
    };
    for (const Case& c : cases) {
        const long id = Id(c.row, c.col);
        EXPECT_EQ(table.Role(id), c.role) << c.row << "," << c.col;
        EXPECT_EQ(table.Name(id), c.name) << c.row << "," << c.col;
        EXPECT_EQ(table.Value(id), c.value) << c.row << "," << c.col;
    }
    BSTR name = nullptr;
    EXPECT_EQ(table->get_accName(ChildVariant(count + 1), &name), E_INVALIDARG);
    IDispatch* child = nullptr;
    EXPECT_EQ(table->get_accChild(ChildVariant(Id(1, 1)), &child), S_FALSE) << "simple elements";
    EXPECT_EQ(child, nullptr);
    // Readers list children this way; it must give the cells, not child windows.
    VARIANT first[3];
    LONG obtained = 0;
    ASSERT_EQ(AccessibleChildren(table.operator->(), 0, 3, first, &obtained), S_OK);
    ASSERT_EQ(obtained, 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(first[i].vt, VT_I4);
        EXPECT_EQ(first[i].lVal, i + 1);
    }
}

TEST_F(GridAccessible, NavigationFollowsTheArrowKeys) {
    SendMessageA(grid, GRM_SETCOLUMNWIDTH, 3, 0);
    ClientObject table(grid);
    ASSERT_TRUE(table);
    struct Case {
        int row, col;
        long direction;
        long expected;
    };
    const Case cases[] = {
        {2, 2, NAVDIR_LEFT, Id(2, 1)}, {2, 2, NAVDIR_RIGHT, Id(2, 4)},
        {2, 4, NAVDIR_LEFT, Id(2, 2)}, {2, 2, NAVDIR_UP, Id(1, 2)},
        {2, 2, NAVDIR_DOWN, Id(3, 2)}, {2, 1, NAVDIR_LEFT, Id(2, 0)},
        {1, 1, NAVDIR_UP, Id(0, 1)},   {0, 1, NAVDIR_UP, 0},
        {20, 1, NAVDIR_DOWN, 0},       {2, 5, NAVDIR_RIGHT, 0},
        {2, 5, NAVDIR_NEXT, Id(3, 0)}, {3, 0, NAVDIR_PREVIOUS, Id(2, 5)},
        {0, 0, NAVDIR_PREVIOUS, 0},    {2, 2, NAVDIR_FIRSTCHILD, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(table.Navigate(Id(c.row, c.col), c.direction), c.expected)
            << c.row << "," << c.col << " direction " << c.direction;
    }
    EXPECT_EQ(table.Navigate(CHILDID_SELF, NAVDIR_FIRSTCHILD), 1);
    EXPECT_EQ(table.Navigate(CHILDID_SELF, NAVDIR_LASTCHILD), 21 * 6);
}

TEST_F(GridAccessible, CellsLieWhereTheyAreDrawn) {
    ClientObject table(grid);
    ASSERT_TRUE(table);
    RECT window;
    GetWindowRect(grid, &window);
    const long shown[] = {Id(1, 1), Id(0, 2), Id(5, 0), Id(3, 4)};
    for (long id : shown) {
        long left = 0, top = 0, width = 0, height = 0;
        ASSERT_EQ(table->accLocation(&left, &top, &width, &height, ChildVariant(id)), S_OK);
        EXPECT_GE(left, window.left) << id;
        EXPECT_GE(top, window.top) << id;
        EXPECT_LE(left + width, window.right) << id;
        EXPECT_LE(top + height, window.bottom) << id;
        EXPECT_GT(width * height, 0) << id;
        VARIANT hit;
        VariantInit(&hit);
        ASSERT_EQ(table->accHitTest(left + width / 2, top + height / 2, &hit), S_OK);
        EXPECT_EQ(hit.vt, VT_I4);
        EXPECT_EQ(hit.lVal, id) << "the middle of a cell is that cell";
        EXPECT_EQ(table.State(id) & STATE_SYSTEM_OFFSCREEN, 0) << id;
    }
    long left = 0, top = 0, width = 0, height = 0;
    table->accLocation(&left, &top, &width, &height, ChildVariant(Id(20, 1)));
    EXPECT_GT(top, window.bottom) << "a row below the window";
    EXPECT_NE(table.State(Id(20, 1)) & STATE_SYSTEM_OFFSCREEN, 0);
    SendMessageA(grid, GRM_SETCOLUMNWIDTH, 2, 0);
    EXPECT_NE(table.State(Id(1, 2)) & STATE_SYSTEM_INVISIBLE, 0);
}

TEST_F(GridAccessible, FocusAndSelectionFollowTheCursor) {
    ClientObject table(grid);
    ASSERT_TRUE(table);
    SetFocus(host.Parent());
    EXPECT_EQ(table.Focus(), -1) << "no focus while another window has it";
    EXPECT_EQ(table.State(Id(1, 1)) & (STATE_SYSTEM_SELECTED | STATE_SYSTEM_FOCUSED),
              STATE_SYSTEM_SELECTED);
    SetFocus(grid);
    EXPECT_EQ(table.Focus(), Id(1, 1));
    Key(grid, VK_DOWN);
    EXPECT_EQ(table.Focus(), Id(2, 1));
    EXPECT_EQ(table.State(Id(2, 1)) & (STATE_SYSTEM_SELECTED | STATE_SYSTEM_FOCUSED),
              STATE_SYSTEM_SELECTED | STATE_SYSTEM_FOCUSED);
    EXPECT_EQ(table.State(Id(1, 1)) & STATE_SYSTEM_SELECTED, 0);

    // Selecting a cell stores the edit under way first, as a click does.
    host.Take();
    Type(grid, L"kept");
    EXPECT_EQ(table->accSelect(SELFLAG_TAKEFOCUS | SELFLAG_TAKESELECTION, ChildVariant(Id(4, 3))),
              S_OK);
    EXPECT_EQ(Row(), 4);
    EXPECT_EQ(Col(), 3);
    EXPECT_EQ(GetText(grid, 2, 1), "kept");
    EXPECT_EQ(host.TakeCodes({GRN_EDITEND, GRN_CURSORMOVED}),
              (std::vector<Notification>{{7, GRN_EDITEND, Cursor(2, 1)},
                                         {7, GRN_CURSORMOVED, Cursor(4, 3)},
                                         {7, GRN_CURSORMOVED, Cursor(4, 3)}}));
    EXPECT_EQ(table->accSelect(SELFLAG_TAKESELECTION, ChildVariant(Id(0, 3))), E_INVALIDARG)
        << "headers are not cells to stand on";
    EXPECT_EQ(table->accSelect(SELFLAG_ADDSELECTION, ChildVariant(Id(1, 3))), E_INVALIDARG);
}

TEST_F(GridAccessible, CursorMovesAreAnnounced) {
    WinEventRecorder heard(grid);
    SetFocus(grid);
    EXPECT_EQ(heard.TakeOnly(EVENT_OBJECT_FOCUS).back(), (HeardEvent{EVENT_OBJECT_FOCUS, Id(1, 1)}))
        << "the reader goes on from the grid to its cell";
    struct Case {
        WPARAM key;
        long child;
    };
    const Case cases[] = {{VK_DOWN, Id(2, 1)},  {VK_RIGHT, Id(2, 2)}, {VK_LEFT, Id(2, 1)},
                          {VK_UP, Id(1, 1)},    {VK_NEXT, -1},        {VK_PRIOR, Id(1, 1)},
                          {VK_RETURN, Id(2, 1)}};
    for (const Case& c : cases) {
        Key(grid, c.key);
        const long expected = c.child == -1 ? Id(Row(), 1) : c.child;
        EXPECT_EQ(heard.TakeOnly(EVENT_OBJECT_FOCUS),
                  (std::vector<HeardEvent>{{EVENT_OBJECT_FOCUS, expected}}))
            << "key " << c.key;
    }
    Key(grid, VK_LEFT);
    EXPECT_TRUE(heard.TakeOnly(EVENT_OBJECT_FOCUS).empty()) << "no move, nothing to hear";
    SetFocus(host.Parent());
    heard.Take();
    SendMessageA(grid, GRM_SETCURSOR, 5, 5);
    EXPECT_EQ(heard.Take(), (std::vector<HeardEvent>{{EVENT_OBJECT_SELECTION, Id(5, 5)}}))
        << "without the focus the cursor is the selection";
}

TEST_F(GridAccessible, TypingIsHeardAsItGoes) {
    SetText(grid, 1, 1, "old");
    SetFocus(grid);
    ClientObject table(grid);
    ASSERT_TRUE(table);
    WinEventRecorder heard(grid);
    Type(grid, L"\u00e9t");
    EXPECT_EQ(table.Value(Id(1, 1)), L"\u00e9t") << "the cell reads as what is typed";
    EXPECT_EQ(table.Description(Id(1, 1)), L"editing");
    EXPECT_EQ(heard.Take(), (std::vector<HeardEvent>{{EVENT_OBJECT_DESCRIPTIONCHANGE, Id(1, 1)},
                                                     {EVENT_OBJECT_VALUECHANGE, Id(1, 1)},
                                                     {EVENT_OBJECT_VALUECHANGE, Id(1, 1)}}));
    Key(grid, VK_BACK);
    EXPECT_EQ(heard.TakeOnly(EVENT_OBJECT_VALUECHANGE),
              (std::vector<HeardEvent>{{EVENT_OBJECT_VALUECHANGE, Id(1, 1)}}));
    Key(grid, VK_ESCAPE);
    EXPECT_EQ(table.Value(Id(1, 1)), L"old");
    EXPECT_EQ(table.Description(Id(1, 1)), L"");
    EXPECT_EQ(heard.Take(), (std::vector<HeardEvent>{{EVENT_OBJECT_DESCRIPTIONCHANGE, Id(1, 1)},
                                                     {EVENT_OBJECT_VALUECHANGE, Id(1, 1)}}));
    Type(grid, L"new");
    heard.Take();
    Key(grid, VK_RETURN);
    EXPECT_EQ(heard.TakeOnly(EVENT_OBJECT_DESCRIPTIONCHANGE),
              (std::vector<HeardEvent>{{EVENT_OBJECT_DESCRIPTIONCHANGE, Id(1, 1)}}))
        << "the end of the edit";
    EXPECT_EQ(table.Value(Id(1, 1)), L"new");
}

TEST_F(GridAccessible, ChangedTextIsAnnounced) {
    SetText(grid, 2, 2, "same");
    WinEventRecorder heard(grid);
    struct Case {
        int row, col;
        const char* text;
        bool heard;
    };
    const Case cases[] = {
        {2, 2, "same", false}, {2, 2, "other", true}, {3, 3, "", false},
        {3, 3, "x", true},     {19, 5, "far", false}, {2, 2, "", true},
    };
    for (const Case& c : cases) {
        SetText(grid, c.row, c.col, c.text);
        const auto expected =
            c.heard ? std::vector<HeardEvent>{{EVENT_OBJECT_VALUECHANGE, Id(c.row, c.col)}}
                    : std::vector<HeardEvent>{};
        EXPECT_EQ(heard.Take(), expected) << c.row << "," << c.col << " " << c.text;
    }
    CellRef cell{3, 3};
    SendMessageA(grid, GRM_DELETECELL, reinterpret_cast<WPARAM>(&cell), 0);
    EXPECT_EQ(heard.Take(), (std::vector<HeardEvent>{{EVENT_OBJECT_VALUECHANGE, Id(3, 3)}}));
}

TEST_F(GridAccessible, NewRowsAndColumnsAreAnnouncedOnce) {
    WinEventRecorder heard(grid);
    for (int rows = 21; rows <= 40; ++rows) {
        SendMessageA(grid, GRM_SETDIMENSIONS, rows, 5);
    }
    EXPECT_EQ(heard.Take(), (std::vector<HeardEvent>{{EVENT_OBJECT_REORDER, CHILDID_SELF}}));
    SendMessageA(grid, GRM_SETDIMENSIONS, 40, 5);
    EXPECT_TRUE(heard.Take().empty()) << "nothing changed";
    SendMessageA(grid, GRM_CLEAR, 0, 0);
    EXPECT_EQ(heard.Take(), (std::vector<HeardEvent>{{EVENT_OBJECT_REORDER, CHILDID_SELF}}));
}

TEST_F(GridAccessible, AnObjectOutlivingItsGridFailsSafely) {
    ClientObject table(grid);
    ASSERT_TRUE(table);
    DestroyWindow(grid);
    long count = -1;
    EXPECT_HRESULT_FAILED(table->get_accChildCount(&count));
    BSTR name = nullptr;
    EXPECT_HRESULT_FAILED(table->get_accName(ChildVariant(1), &name));
    long left, top, width, height;
    EXPECT_HRESULT_FAILED(table->accLocation(&left, &top, &width, &height, ChildVariant(1)));
}
