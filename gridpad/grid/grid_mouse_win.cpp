#include "grid_internal_win.h"

static void SetPointer(GridRecord& rec, int shape) {
    if (rec.nPointer != shape) {
        SetCursor(LoadCursor(nullptr, shape == 2 ? IDC_SIZEWE : IDC_ARROW));
        rec.nPointer = shape;
    }
}

static bool NearBorder(const GridRecord& rec, int x, int dx) {
    return ColumnAtX(rec, x) != ColumnAtX(rec, x + dx);
}

void OnMouseMove(HWND hwnd, GridRecord& rec, int x, int y) {
    if (!rec.bColumnResize) {
        return;
    }
    if (rec.bDragging) {
        int width = rec.nDragWidth + (x - rec.nDragX);
        SendMessageA(hwnd, GRM_SETCOLUMNWIDTH, rec.nDragCol, width < 0 ? 0 : width);
        return;
    }
    bool bBorder = RowAtY(rec, y) == 0 && (NearBorder(rec, x, 10) || NearBorder(rec, x, -10));
    SetPointer(rec, bBorder ? 2 : 1);
}

static void BeginDrag(GridRecord& rec, int x) {
    if (!rec.bDragging) {
        rec.bSavedSnap = rec.bSnapHeight;
    }
    rec.bDragging = 1;
    rec.bSnapHeight = 0;
    rec.nDragX = x;
    int col = ColumnAtX(rec, x);
    if (col < 0) {
        col = rec.nCols;
    } else if (NearBorder(rec, x, -10)) {
        // Dragging the border on a column's left sizes the column before it,
        // hidden or not, so a hidden column can be pulled open again.
        col = col > 0 ? col - 1 : 0;
    }
    rec.nDragCol = col;
    rec.nDragWidth = rec.anColWidth[col];
}

void OnLButtonDown(HWND hwnd, GridRecord& rec, int x, int y) {
    if (rec.bColumnResize && rec.nPointer == 2) {
        BeginDrag(rec, x);
    }
    if (rec.bEditing) {
        CommitEdit(hwnd, rec);
    } else {
        SetFocus(hwnd);
    }
    if (GetFocus() != hwnd) {
        SetFocus(hwnd);
        return;
    }
    int row = RowAtY(rec, y);
    int col = ColumnAtX(rec, x);
    if (row <= 0 || col <= 0) {
        return;
    }
    DrawCursor(hwnd, rec);
    bool bRowChanged = row != rec.nCursorRow;
    bool bColChanged = col != rec.nCursorCol;
    rec.nCursorRow = row;
    rec.nCursorCol = col;
    NotifyParent(hwnd, rec, GRN_CELLCLICKED, CursorParam(rec));
    ShowMovedCursor(hwnd, rec, row, col, bRowChanged, bColChanged);
    RefreshGrid(hwnd, rec);
}

void OnLButtonUp(HWND hwnd, GridRecord& rec) {
    if (!rec.bDragging) {
        return;
    }
    rec.bDragging = 0;
    rec.nPointer = 0;
    SetPointer(rec, 1);
    rec.bSnapHeight = rec.bSavedSnap;
    ReapplySize(hwnd, rec);
}
