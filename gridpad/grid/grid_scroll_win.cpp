#include "grid_internal_win.h"

static void SetScrollBar(HWND hwnd, int bar, int max, int pos) {
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    // A range of one position would hide the bar while it is needed.
    si.fMask = SIF_RANGE | SIF_POS | SIF_DISABLENOSCROLL;
    si.nMin = 1;
    si.nMax = max;
    si.nPos = pos;
    SetScrollInfo(hwnd, bar, &si, TRUE);
}

void UpdateHScrollRange(HWND hwnd, GridRecord& rec) {
    bool bNeed = NeedsHScroll(rec);
    if (bNeed != (rec.bHScroll != 0)) {
        rec.bHScroll = bNeed;
        ShowScrollBar(hwnd, SB_HORZ, bNeed);
        RefreshClientSize(hwnd, rec);
    }
    if (bNeed) {
        SetScrollBar(hwnd, SB_HORZ, VisibleColumnCount(rec), HScrollPosition(rec));
    }
}

static void UpdateVScroll(HWND hwnd, GridRecord& rec) {
    bool bNeed = NeedsVScroll(rec);
    if (bNeed != (rec.bVScroll != 0)) {
        rec.bVScroll = bNeed;
        ShowScrollBar(hwnd, SB_VERT, bNeed);
        RefreshClientSize(hwnd, rec);
    }
    if (bNeed) {
        SetScrollBar(hwnd, SB_VERT, VScrollMax(rec), rec.nTopRow);
    }
}

void CheckScrollBars(HWND hwnd, GridRecord& rec) {
    // Showing one bar narrows the client area, which may call for the other;
    // the nested WM_SIZE must not start the same work again.
    static bool s_bBusy;
    if (s_bBusy) {
        return;
    }
    s_bBusy = true;
    for (int pass = 0; pass < 2; ++pass) {
        UpdateHScrollRange(hwnd, rec);
        UpdateVScroll(hwnd, rec);
    }
    s_bBusy = false;
}

static void InvalidateBottomBand(HWND hwnd, const GridRecord& rec) {
    RECT rc{0, rec.nClientHeight - rec.nRowHeight, rec.nClientWidth, rec.nClientHeight};
    InvalidateRect(hwnd, &rc, TRUE);
}

void ScrollRowIntoView(HWND hwnd, GridRecord& rec, int row, int col) {
    int space = rec.nClientHeight - rec.nTitleHeight - rec.nHeaderHeight;
    if (CellRect(rec, row, col).bottom > rec.nClientHeight && rec.nRowHeight < space) {
        while (CellRect(rec, row, col).bottom > rec.nClientHeight && rec.nTopRow < row) {
            ++rec.nTopRow;
            if (row == rec.nRows) {
                InvalidateBottomBand(hwnd, rec);
            } else {
                InvalidateRect(hwnd, nullptr, FALSE);
            }
        }
    } else if (rec.nRowHeight >= space && rec.nTopRow < row) {
        ++rec.nTopRow;
        InvalidateRect(hwnd, nullptr, FALSE);
    }
    while (row < rec.nTopRow && rec.nTopRow > 1) {
        --rec.nTopRow;
        InvalidateRect(hwnd, nullptr, FALSE);
    }
    SetScrollPos(hwnd, SB_VERT, rec.nTopRow, TRUE);
}

void ScrollColumnIntoView(HWND hwnd, GridRecord& rec, int row, int col) {
    while (CellRect(rec, row, col).right > rec.nClientWidth && col > rec.nLeftCol) {
        ++rec.nLeftCol;
        InvalidateRect(hwnd, nullptr, FALSE);
    }
    while (rec.nCursorCol < rec.nLeftCol && rec.nLeftCol > 1) {
        --rec.nLeftCol;
        InvalidateRect(hwnd, nullptr, FALSE);
    }
    SetScrollPos(hwnd, SB_HORZ, HScrollPosition(rec), TRUE);
}

// Where a scroll bar request moves the bar from `pos`, within 1..max; 0 for
// requests the grid leaves alone. The right and down codes are the same
// numbers, so one table serves both bars.
static int ScrollBarTarget(WPARAM wParam, int pos, int page, int max) {
    switch (LOWORD(wParam)) {
    case SB_LINEDOWN:
        ++pos;
        break;
    case SB_LINEUP:
        --pos;
        break;
    case SB_PAGEDOWN:
        pos += page;
        break;
    case SB_PAGEUP:
        pos -= page;
        break;
    case SB_THUMBTRACK:
        pos = HIWORD(wParam);
        break;
    default:
        return 0;
    }
    pos = pos > max ? max : pos;
    return pos < 1 ? 1 : pos;
}

void OnHScroll(HWND hwnd, GridRecord& rec, WPARAM wParam) {
    SetFocus(hwnd);
    // A page to the side is one column, as a line is.
    int pos = ScrollBarTarget(wParam, HScrollPosition(rec), 1, VisibleColumnCount(rec));
    if (pos == 0) {
        return;
    }
    rec.nLeftCol = ColumnAtHScrollPosition(rec, pos);
    SetScrollPos(hwnd, SB_HORZ, pos, TRUE);
    RefreshGrid(hwnd, rec);
}

void OnVScroll(HWND hwnd, GridRecord& rec, WPARAM wParam) {
    SetFocus(hwnd);
    int max = VScrollMax(rec);
    int pos = ScrollBarTarget(wParam, rec.nTopRow, VisibleRowCount(rec), max);
    if (pos == 0) {
        return;
    }
    rec.nTopRow = pos;
    SetScrollPos(hwnd, SB_VERT, pos, TRUE);
    if (LOWORD(wParam) != SB_THUMBTRACK) {
        ScrollRowIntoView(hwnd, rec, rec.nTopRow, rec.nLeftCol);
    }
    if (pos == max) {
        InvalidateBottomBand(hwnd, rec);
    }
    RefreshGrid(hwnd, rec);
}

void OnGridSize(HWND hwnd, GridRecord& rec, int width, int height) {
    if (rec.bSizing) {
        rec.bSizing = 0;
        return;
    }
    CheckScrollBars(hwnd, rec);
    if (!rec.bSnapHeight || !rec.bVScroll) {
        return;
    }
    int metric = GetSystemMetrics(SM_CYHSCROLL);
    int space = height - rec.nHeaderHeight - rec.nTitleHeight - (rec.bHScroll ? metric : 0);
    if (space <= rec.nRowHeight) {
        return;
    }
    HWND parent = GetParent(hwnd);
    RECT window;
    GetWindowRect(hwnd, &window);
    MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&window), 2);
    RECT parentClient;
    GetClientRect(parent, &parentClient);
    int newWidth = width;
    if (window.left + width + metric <= parentClient.right) {
        newWidth += metric;
    }
    rec.nSizeHeight = height;
    rec.nSizeWidth = width;
    int newHeight = SnappedHeight(height, space, rec.nRowHeight);
    // A move to the size the window already has brings no WM_SIZE, and the
    // flag would then swallow the next real one.
    if (newWidth == window.right - window.left && newHeight == window.bottom - window.top) {
        return;
    }
    rec.bSizing = 1;
    MoveWindow(hwnd, window.left, window.top, newWidth, newHeight, TRUE);
}

void ReapplySize(HWND hwnd, GridRecord& rec) {
    for (int i = 0; i < 2; ++i) {
        SendMessageA(hwnd, WM_SIZE, SIZE_MAXIMIZED, MAKELPARAM(rec.nSizeWidth, rec.nSizeHeight));
    }
}
