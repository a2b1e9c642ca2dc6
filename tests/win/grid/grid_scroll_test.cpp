#include <gtest/gtest.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "grid_test_support.h"

namespace {

constexpr int kRows = 100;
constexpr int kCols = 20;
constexpr int kHiddenCol = 3;

struct ScrollStep {
    WORD code;
    WORD thumb;
    int top;  // first data row shown, and the vertical bar's position
    int left; // first data column shown
    int hPos; // horizontal bar's position: visible columns up to `left`
};

class GridScroll : public ::testing::Test {
  protected:
    void SetUp() override {
        grid = host.AddGrid(11);
        SendMessageA(grid, GRM_SETDIMENSIONS, kRows, kCols);
        SendMessageA(grid, GRM_SETCOLUMNWIDTH, kHiddenCol, 0);
        SetFocus(grid);
        PumpPending();
        RECT client;
        GetClientRect(grid, &client);
        rowHeight = static_cast<int>(SendMessageA(grid, GRM_GETROWHEIGHT, 0, 0));
        headerHeight = static_cast<int>(SendMessageA(grid, GRM_GETHEADERHEIGHT, 0, 0));
        shown = (client.bottom - headerHeight) / rowHeight;
    }

    SCROLLINFO Bar(int bar) {
        SCROLLINFO si{};
        si.cbSize = sizeof si;
        si.fMask = SIF_ALL;
        GetScrollInfo(grid, bar, &si);
        return si;
    }

    // Clicking just inside the top-left data cell makes it the cursor: the
    // grid's own answer to which row and column it shows first.
    std::pair<int, int> TopLeftCell() {
        int x = static_cast<int>(SendMessageA(grid, GRM_GETCOLUMNWIDTH, 0, 0)) + 5;
        SendMessageA(grid, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, headerHeight + 5));
        SendMessageA(grid, WM_LBUTTONUP, 0, MAKELPARAM(x, headerHeight + 5));
        return {static_cast<int>(SendMessageA(grid, GRM_GETCURSORROW, 0, 0)),
                static_cast<int>(SendMessageA(grid, GRM_GETCURSORCOLUMN, 0, 0))};
    }

    void Run(UINT msg, const std::vector<ScrollStep>& steps) {
        int index = 0;
        for (const auto& s : steps) {
            SCOPED_TRACE(testing::Message()
                         << "step " << index++ << ": code " << s.code << " thumb " << s.thumb);
            SendMessageA(grid, msg, MAKEWPARAM(s.code, s.thumb), 0);
            EXPECT_EQ(Bar(SB_VERT).nPos, s.top);
            EXPECT_EQ(Bar(SB_HORZ).nPos, s.hPos);
            EXPECT_EQ(TopLeftCell(), std::make_pair(s.top, s.left));
        }
    }

    GridHost host;
    HWND grid = nullptr;
    int rowHeight = 0;
    int headerHeight = 0;
    int shown = 0; // whole rows below the header: one page
};

} // namespace

TEST_F(GridScroll, RangesCoverTheRowsAndTheVisibleColumns) {
    ASSERT_GT(shown, 2) << "the page steps below need a page of several rows";
    ASSERT_LT(shown, kRows);
    SCROLLINFO v = Bar(SB_VERT);
    EXPECT_EQ(v.nMin, 1);
    EXPECT_EQ(v.nMax, kRows - shown + 1) << "the last row ends at the bottom";
    SCROLLINFO h = Bar(SB_HORZ);
    EXPECT_EQ(h.nMin, 1);
    EXPECT_EQ(h.nMax, kCols - 1) << "the hidden column has no position";
}

TEST_F(GridScroll, VerticalRequestsMoveTheTopRowWithinTheRange) {
    const int last = kRows - shown + 1;
    Run(WM_VSCROLL, {
                        {SB_LINEUP, 0, 1, 1, 1},
                        {SB_PAGEUP, 0, 1, 1, 1},
                        {SB_LINEDOWN, 0, 2, 1, 1},
                        {SB_LINEDOWN, 0, 3, 1, 1},
                        {SB_LINEUP, 0, 2, 1, 1},
                        {SB_PAGEDOWN, 0, 2 + shown, 1, 1},
                        {SB_PAGEUP, 0, 2, 1, 1},
                        {SB_PAGEUP, 0, 1, 1, 1},
                        // A drag: tracking moves, the release and the end keep it.
                        {SB_THUMBTRACK, 40, 40, 1, 1},
                        {SB_THUMBTRACK, 50, 50, 1, 1},
                        {SB_THUMBPOSITION, 50, 50, 1, 1},
                        {SB_ENDSCROLL, 0, 50, 1, 1},
                        {SB_THUMBTRACK, static_cast<WORD>(last - 1), last - 1, 1, 1},
                        {SB_PAGEDOWN, 0, last, 1, 1},
                        {SB_LINEDOWN, 0, last, 1, 1},
                        {SB_PAGEDOWN, 0, last, 1, 1},
                        {SB_PAGEUP, 0, last - shown, 1, 1},
                        {SB_THUMBTRACK, 30000, last, 1, 1},
                        {SB_THUMBTRACK, 0, 1, 1, 1},
                        {SB_THUMBTRACK, 1, 1, 1, 1},
                    });
}

TEST_F(GridScroll, HorizontalRequestsStepOneVisibleColumn) {
    const int last = kCols - 1;
    Run(WM_HSCROLL, {
                        {SB_LINELEFT, 0, 1, 1, 1},
                        {SB_PAGELEFT, 0, 1, 1, 1},
                        {SB_LINERIGHT, 0, 1, 2, 2},
                        {SB_PAGERIGHT, 0, 1, kHiddenCol + 1, 3},
                        {SB_LINELEFT, 0, 1, 2, 2},
                        {SB_PAGELEFT, 0, 1, 1, 1},
                        {SB_THUMBTRACK, 10, 1, 11, 10},
                        {SB_THUMBPOSITION, 10, 1, 11, 10},
                        {SB_ENDSCROLL, 0, 1, 11, 10},
                        {SB_THUMBTRACK, static_cast<WORD>(last), 1, kCols, last},
                        {SB_LINERIGHT, 0, 1, kCols, last},
                        {SB_PAGERIGHT, 0, 1, kCols, last},
                        {SB_THUMBTRACK, 300, 1, kCols, last},
                        {SB_THUMBTRACK, 0, 1, 1, 1},
                    });
}

TEST_F(GridScroll, EachBarKeepsTheOthersPosition) {
    SendMessageA(grid, WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 20), 0);
    Run(WM_HSCROLL, {{SB_LINERIGHT, 0, 20, 2, 2}, {SB_THUMBTRACK, 7, 20, 8, 7}});
    Run(WM_VSCROLL, {{SB_LINEDOWN, 0, 21, 8, 7}, {SB_PAGEUP, 0, std::max(1, 21 - shown), 8, 7}});
}

TEST_F(GridScroll, ARequestTakesTheFocusAndStillMoves) {
    for (auto [msg, bar] : {std::pair{WM_VSCROLL, SB_VERT}, std::pair{WM_HSCROLL, SB_HORZ}}) {
        SetFocus(host.Parent());
        ASSERT_NE(GetFocus(), grid);
        SendMessageA(grid, msg, SB_LINEDOWN, 0);
        EXPECT_EQ(GetFocus(), grid) << msg;
        EXPECT_EQ(Bar(bar).nPos, 2) << msg;
    }
}

TEST_F(GridScroll, RowsThatFitDoNotScroll) {
    SendMessageA(grid, GRM_SETDIMENSIONS, shown - 1, kCols);
    PumpPending();
    Run(WM_VSCROLL,
        {{SB_LINEDOWN, 0, 1, 1, 1}, {SB_PAGEDOWN, 0, 1, 1, 1}, {SB_THUMBTRACK, 5, 1, 1, 1}});
}
