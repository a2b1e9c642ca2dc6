#include "grid_internal_win.h"

static void StoreEdit(HWND hwnd, GridRecord& rec) {
    if (rec.bEditing) {
        CommitEdit(hwnd, rec);
    }
}

// The parent hears of the row and the column that changed, each followed by
// a cursor move, only once the cursor stands on its new cell (row, col); the
// XOR frame erased before the move is drawn again and the cell brought into
// view.
void ShowMovedCursor(HWND hwnd, GridRecord& rec, int row, int col, bool bRowMoved, bool bColMoved) {
    if (bRowMoved) {
        NotifyParent(hwnd, rec, GRN_ROWCHANGED, CursorParam(rec));
        NotifyParent(hwnd, rec, GRN_CURSORMOVED, CursorParam(rec));
    }
    if (bColMoved) {
        NotifyParent(hwnd, rec, GRN_COLUMNCHANGED, CursorParam(rec));
        NotifyParent(hwnd, rec, GRN_CURSORMOVED, CursorParam(rec));
    }
    DrawCursor(hwnd, rec);
    RefreshCursorProtected(rec);
    ScrollRowIntoView(hwnd, rec, row, col);
    ScrollColumnIntoView(hwnd, rec, row, col);
    if (bRowMoved || bColMoved) {
        AnnounceCursor(hwnd, rec);
    }
}

static void MoveCursorTo(HWND hwnd, GridRecord& rec, int row, int col, bool bRefresh) {
    DrawCursor(hwnd, rec);
    bool bRowMoved = row != rec.nCursorRow;
    bool bColMoved = col != rec.nCursorCol;
    rec.nCursorRow = row;
    rec.nCursorCol = col;
    ShowMovedCursor(hwnd, rec, row, col, bRowMoved, bColMoved);
    if (bRefresh) {
        RefreshGrid(hwnd, rec);
    }
}

void MoveDown(HWND hwnd, GridRecord& rec) {
    DrawCursor(hwnd, rec);
    const bool bMoved = rec.nCursorRow < rec.nRows;
    if (bMoved) {
        ++rec.nCursorRow;
        NotifyParent(hwnd, rec, GRN_ROWCHANGED, CursorParam(rec));
        NotifyParent(hwnd, rec, GRN_CURSORMOVED, CursorParam(rec));
    }
    DrawCursor(hwnd, rec);
    RefreshCursorProtected(rec);
    ScrollRowIntoView(hwnd, rec, rec.nCursorRow, rec.nCursorCol);
    RefreshGrid(hwnd, rec);
    if (bMoved) {
        AnnounceCursor(hwnd, rec);
    }
}

void SelectCell(HWND hwnd, GridRecord& rec, int row, int col) {
    StoreEdit(hwnd, rec);
    if (row != rec.nCursorRow || col != rec.nCursorCol) {
        MoveCursorTo(hwnd, rec, row, col, true);
    }
}

// A Page key always notifies, even when the move is clamped to the last or
// first row; nothing happens on that row itself.
static void PageMove(HWND hwnd, GridRecord& rec, int dir) {
    StoreEdit(hwnd, rec);
    int edge = dir > 0 ? rec.nRows : 1;
    if (rec.nRows == 0 || rec.nCursorRow == edge) {
        return;
    }
    int row = rec.nCursorRow + dir * VisibleRowCount(rec);
    row = dir > 0 ? (row > edge ? edge : row) : (row < edge ? edge : row);
    DrawCursor(hwnd, rec);
    rec.nCursorRow = row;
    NotifyParent(hwnd, rec, GRN_ROWCHANGED, CursorParam(rec));
    NotifyParent(hwnd, rec, GRN_CURSORMOVED, CursorParam(rec));
    DrawCursor(hwnd, rec);
    RefreshCursorProtected(rec);
    ScrollRowIntoView(hwnd, rec, row, rec.nCursorCol);
    ScrollColumnIntoView(hwnd, rec, row, rec.nCursorCol);
    RefreshGrid(hwnd, rec);
    AnnounceCursor(hwnd, rec);
}

static void LineMove(HWND hwnd, GridRecord& rec, int dir) {
    StoreEdit(hwnd, rec);
    int edge = dir > 0 ? rec.nRows : 1;
    if (rec.nRows == 0 || rec.nCursorRow == edge) {
        return;
    }
    MoveCursorTo(hwnd, rec, rec.nCursorRow + dir, rec.nCursorCol, true);
}

static void ColumnMove(HWND hwnd, GridRecord& rec, int dir) {
    StoreEdit(hwnd, rec);
    int col = NextVisibleColumn(rec, rec.nCursorCol, dir);
    if (col != 0) {
        MoveCursorTo(hwnd, rec, rec.nCursorRow, col, dir > 0);
    }
}

void OnKeyDown(HWND hwnd, GridRecord& rec, WPARAM key) {
    if (key >= VK_F1 && key <= VK_F12) {
        NotifyParent(hwnd, rec, GRN_F1 + static_cast<int>(key - VK_F1), CursorParam(rec));
        return;
    }
    switch (key) {
    case VK_ESCAPE:
        if (rec.bEditing) {
            CancelEdit(hwnd, rec);
        }
        break;
    case VK_DELETE:
        NotifyParent(hwnd, rec, GRN_DELETEKEY, CursorParam(rec));
        break;
    case VK_TAB:
        SetFocus(GetParent(hwnd));
        break;
    case VK_NEXT:
        PageMove(hwnd, rec, +1);
        break;
    case VK_PRIOR:
        PageMove(hwnd, rec, -1);
        break;
    case VK_DOWN:
        LineMove(hwnd, rec, +1);
        break;
    case VK_UP:
        LineMove(hwnd, rec, -1);
        break;
    case VK_LEFT:
        ColumnMove(hwnd, rec, -1);
        break;
    case VK_RIGHT:
        ColumnMove(hwnd, rec, +1);
        break;
    default:
        // Typing arrives as WM_CHAR, translated by the keyboard layout.
        break;
    }
}

LRESULT OnGetDlgCode(HWND hwnd, GridRecord& rec, WPARAM key, LPARAM lParam) {
    constexpr LRESULT kAnswer = DLGC_WANTARROWS | DLGC_DEFPUSHBUTTON | DLGC_WANTCHARS;
    // Only the question about a real key press acts; a dialog may ask again
    // without a message (for the default button) and must not move twice.
    const MSG* msg = reinterpret_cast<const MSG*>(lParam);
    if (msg == nullptr || msg->message != WM_KEYDOWN) {
        return kAnswer;
    }
    if (key == VK_RETURN) {
        StoreEdit(hwnd, rec);
        MoveDown(hwnd, rec);
        rec.bEditing = 0;
    } else if (key == VK_ESCAPE) {
        if (!rec.bEditing) {
            return 0;
        }
        CancelEdit(hwnd, rec);
    }
    return kAnswer;
}

void OnGridSetFocus(HWND hwnd, GridRecord& rec) {
    rec.bFocus = 1;
    DrawCursor(hwnd, rec);
    RefreshCursorProtected(rec);
    ScrollRowIntoView(hwnd, rec, rec.nCursorRow, rec.nCursorCol);
    ScrollColumnIntoView(hwnd, rec, rec.nCursorRow, rec.nCursorCol);
    NotifyParent(hwnd, rec, GRN_SETFOCUS, 0);
    HDC hdc = GetDC(hwnd);
    TEXTMETRICA tm{};
    GetTextMetricsA(hdc, &tm);
    ReleaseDC(hwnd, hdc);
    rec.nCaretHeight = tm.tmHeight;
    CreateCaret(hwnd, nullptr, 3, rec.nCaretHeight);
    RefreshGrid(hwnd, rec);
    // Windows announces the grid; the reader goes on to the cell.
    AnnounceCursor(hwnd, rec);
}

void OnGridKillFocus(HWND hwnd, GridRecord& rec) {
    DestroyCaret();
    DrawCursor(hwnd, rec);
    rec.bFocus = 0;
    NotifyParent(hwnd, rec, GRN_KILLFOCUS, 0);
    RefreshGrid(hwnd, rec);
}
