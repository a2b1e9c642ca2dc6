#include "grid_cell_access.h"
#include "grid_internal_win.h"

#include <cstring>
#include <string>

static void InvalidateIfShown(HWND hwnd, const GridRecord& rec, const GridRect& r) {
    // Cells far outside the client area (a file being loaded) need no paint.
    if (r.left >= rec.nClientWidth || r.top >= rec.nClientHeight) {
        return;
    }
    RECT rc{r.left, r.top, r.right, r.bottom};
    InvalidateRect(hwnd, &rc, FALSE);
}

void SetDimensions(HWND hwnd, GridRecord& rec, int32_t rows, int32_t cols) {
    if (rows == rec.nRows && cols == rec.nCols) {
        return;
    }
    int32_t oldCols = rec.nCols;
    int32_t oldRows = rec.nRows;
    rec.nRows = rows;
    rec.nCols = cols;
    AnnounceReorder(hwnd, rec);
    // Keep the cursor on a cell of the grid, or typing would go into a row
    // that is no longer shown (and bring it back).
    const bool bCursorMoved = (rows > 0 && rec.nCursorRow > rows) || rec.nCursorCol > cols;
    if (rows > 0 && rec.nCursorRow > rows) {
        rec.nCursorRow = rows;
    }
    if (rec.nCursorCol > cols) {
        rec.nCursorCol = cols;
    }
    if (bCursorMoved) {
        AnnounceCursor(hwnd, rec);
    }
    // Rows added or removed below the shown ones change nothing on screen but
    // the vertical scroll bar; a file being loaded does that thousands of
    // times, so the bar is brought up to date once, afterwards.
    int shownTo = rec.nTopRow + VisibleRowCount(rec) + 1;
    if (cols != oldCols || oldRows <= shownTo || rows <= shownTo) {
        InvalidateRect(hwnd, nullptr, TRUE);
    } else if (!rec.bScrollCheckPosted) {
        rec.bScrollCheckPosted = 1;
        PostMessageA(hwnd, kGridCheckScrollBars, 0, 0);
    }
    if (cols != oldCols) {
        UpdateHScrollRange(hwnd, rec);
    }
}

void OnCheckScrollBars(HWND hwnd, GridRecord& rec) {
    rec.bScrollCheckPosted = 0;
    CheckScrollBars(hwnd, rec);
}

static SIZE MeasureCellText(HWND hwnd, const GridRecord& rec, int row, const char* text) {
    SIZE total{0, 0};
    if (text[0] == '\0') {
        return total;
    }
    HDC hdc = GetDC(hwnd);
    HGDIOBJ old = SelectObject(hdc, GridFont(row == 0 ? rec.hHeaderFont : rec.hCellFont));
    int lines = 0;
    int lineHeight = 0;
    for (const char* line = text;; ++lines) {
        const char* end = std::strchr(line, '\n');
        int len = end ? static_cast<int>(end - line) : static_cast<int>(std::strlen(line));
        SIZE size{};
        GetTextExtentPoint32A(hdc, line, len, &size);
        if (size.cx > total.cx) {
            total.cx = size.cx;
        }
        TEXTMETRICA tm{};
        GetTextMetricsA(hdc, &tm);
        lineHeight = tm.tmHeight;
        if (end == nullptr) {
            ++lines;
            break;
        }
        line = end + 1;
    }
    SelectObject(hdc, old);
    ReleaseDC(hwnd, hdc);
    total.cy = (rec.bSingleLine && row != 0) ? lineHeight : lineHeight * lines;
    return total;
}

static void AutoSizeCell(HWND hwnd, GridRecord& rec, const CellRef& cell, const char* text) {
    SIZE size = MeasureCellText(hwnd, rec, cell.nRow, text);
    int width = size.cx + 5;
    int height = size.cy + 5;
    if (cell.nRow == 0) {
        if (height > rec.nHeaderHeight) {
            SendMessageA(hwnd, GRM_SETHEADERHEIGHT, height, 0);
        }
    } else if (height > rec.nRowHeight) {
        SendMessageA(hwnd, GRM_SETROWHEIGHT, height, 0);
    }
    if (width > rec.anColWidth[cell.nCol]) {
        SendMessageA(hwnd, GRM_SETCOLUMNWIDTH, cell.nCol, width);
    }
}

void SetCellText(HWND hwnd, GridRecord& rec, const CellRef& cell, const char* text) {
    // Only cells in view are announced; a file being loaded skips the copy.
    const bool bShown = CellOnScreen(rec, cell.nRow, cell.nCol);
    const std::string before = bShown ? CellValue(rec, cell) : "";
    if (!rec.cells.Set(cell.nRow, cell.nCol, text, rec.szDefaultProtect[0])) {
        MessageBeep(0);
    }
    InvalidateIfShown(hwnd, rec, CellRect(rec, cell.nRow, cell.nCol));
    if (bShown && before != CellValue(rec, cell)) {
        AnnounceCellValue(hwnd, rec, cell.nRow, cell.nCol);
    }
    if (rec.bAutoGrowRows) {
        if (rec.cells.Empty()) {
            SendMessageA(hwnd, GRM_SETDIMENSIONS, 0, rec.nCols);
        } else if (rec.cells.HighestRow() > rec.nRows) {
            SendMessageA(hwnd, GRM_SETDIMENSIONS, rec.cells.HighestRow(), rec.nCols);
        }
    }
    if (rec.bAutoSize || cell.nRow == 0) {
        AutoSizeCell(hwnd, rec, cell, text);
    }
}

void RefreshCursorProtected(GridRecord& rec) {
    const StoredCell* cell = rec.cells.Find(rec.nCursorRow, rec.nCursorCol);
    rec.bCursorProtected = cell != nullptr && cell->cProtect == 'P';
}

static void RedrawCursorWith(HWND hwnd, GridRecord& rec, uint32_t GridRecord::*field,
                             LPARAM colour) {
    DrawCursor(hwnd, rec);
    rec.*field = static_cast<uint32_t>(colour);
    DrawCursor(hwnd, rec);
    RefreshGrid(hwnd, rec);
}

static void Repaint(HWND hwnd) {
    InvalidateRect(hwnd, nullptr, FALSE);
}

static LRESULT HandleCellMessage(HWND hwnd, GridRecord& rec, UINT msg, const CellRef& cell,
                                 LPARAM lParam) {
    switch (msg) {
    case GRM_SETCELLPROTECT:
        rec.cells.SetProtect(cell.nRow, cell.nCol, lParam != 0);
        return 0;
    case GRM_SETCELLTEXT:
        SetCellText(hwnd, rec, cell, lParam ? reinterpret_cast<const char*>(lParam) : "");
        return 0;
    case GRM_GETCELLTEXT:
        if (lParam != 0) {
            rec.cells.CopyText(cell.nRow, cell.nCol, reinterpret_cast<char*>(lParam));
        }
        return 0;
    case GRM_DELETECELL:
        if (rec.cells.Remove(cell.nRow, cell.nCol)) {
            AnnounceCellValue(hwnd, rec, cell.nRow, cell.nCol);
        }
        NotifyParent(hwnd, rec, GRN_EDITEND, CursorParam(rec));
        return 0;
    case GRM_GETCELLTYPE: {
        const StoredCell* stored = rec.cells.Find(cell.nRow, cell.nCol);
        return stored ? CellTypeFromLetter(stored->cType) : CELL_NONE;
    }
    case GRM_GETCELLPROTECT: {
        const StoredCell* stored = rec.cells.Find(cell.nRow, cell.nCol);
        return stored != nullptr && stored->cProtect == 'P';
    }
    }
    return 0;
}

// Messages naming a cell by a CellRef in wParam; a missing or bad one is
// reported to the parent.
static LRESULT OnCellMessage(HWND hwnd, GridRecord& rec, UINT msg, WPARAM wParam, LPARAM lParam) {
    const CellRef* cell = reinterpret_cast<const CellRef*>(wParam);
    if (cell == nullptr || IsBadCell(*cell)) {
        NotifyParent(hwnd, rec, GRN_BADCELL, 0);
        return -1;
    }
    CellRef copy = *cell;
    return HandleCellMessage(hwnd, rec, msg, copy, lParam);
}

// Values the grid reports and nothing more.
static LRESULT OnQuery(const GridRecord& rec, UINT msg, WPARAM wParam) {
    switch (msg) {
    case GRM_GETGRAPHICVALUE:
        return rec.nGraphicValue;
    case GRM_GETROWS:
        return rec.nRows;
    case GRM_GETCOLUMNS:
        return rec.nCols;
    case GRM_GETCURSORROW:
        return rec.nCursorRow;
    case GRM_GETCURSORCOLUMN:
        return rec.nCursorCol;
    case GRM_GETCOLUMNWIDTH:
        // An out-of-range column reads as hidden rather than past the table.
        return wParam <= static_cast<WPARAM>(kMaxGridCols) ? rec.anColWidth[wParam] : 0;
    case GRM_GETROWHEIGHT:
        return rec.nRowHeight;
    case GRM_GETHEADERHEIGHT:
        return rec.nHeaderHeight;
    }
    return 0;
}

// Switches that only change how later input is taken; nothing to redraw.
static void OnSetBehaviour(GridRecord& rec, UINT msg, WPARAM wParam) {
    switch (msg) {
    case GRM_SETDEFAULTPROTECT:
        std::strcpy(rec.szDefaultProtect, wParam ? "P" : "U");
        break;
    case GRM_SETAUTOGROWROWS:
        rec.bAutoGrowRows = wParam != 0;
        break;
    case GRM_SETEDITABLE:
        rec.bEditable = wParam != 0;
        break;
    case GRM_SETAUTOSIZE:
        rec.bAutoSize = static_cast<int32_t>(wParam);
        break;
    case GRM_SETCOLUMNRESIZE:
        rec.bColumnResize = static_cast<int32_t>(wParam);
        break;
    }
}

// Colours, fonts and captions: the grid is painted again with them.
static void OnSetLook(HWND hwnd, GridRecord& rec, UINT msg, WPARAM wParam) {
    switch (msg) {
    case GRM_SETPROTECTEDCOLOR:
        rec.crProtected = static_cast<uint32_t>(wParam);
        break;
    case GRM_SETUNPROTECTEDCOLOR:
        rec.crUnprotected = static_cast<uint32_t>(wParam);
        break;
    case GRM_SETHIGHLIGHTCOLOR:
        rec.crHighlight = static_cast<uint32_t>(wParam);
        break;
    case GRM_SETHIGHLIGHTTEXTCOLOR:
        rec.crHighlightText = static_cast<uint32_t>(wParam);
        break;
    case GRM_SETROWNUMBERS:
        rec.bRowNumbers = static_cast<int32_t>(wParam);
        break;
    case GRM_SETCOLUMNLETTERS:
        rec.bColumnLetters = static_cast<int32_t>(wParam);
        break;
    case GRM_SETSINGLELINE:
        rec.bSingleLine = static_cast<int32_t>(wParam);
        break;
    case GRM_SETTITLEFONT:
        rec.hTitleFont = reinterpret_cast<void*>(wParam);
        break;
    case GRM_SETHEADERFONT:
        rec.hHeaderFont = reinterpret_cast<void*>(wParam);
        break;
    }
    Repaint(hwnd);
}

// Switches that change what the cursor row or last column cover.
static void OnSetLayoutSwitch(HWND hwnd, GridRecord& rec, UINT msg, WPARAM wParam) {
    switch (msg) {
    case GRM_SETROWHIGHLIGHT:
        rec.bRowHighlight = static_cast<int32_t>(wParam);
        break;
    case GRM_SETEXTENDLASTCOLUMN:
        rec.bExtendLastCol = static_cast<int32_t>(wParam);
        break;
    case GRM_SETSNAPHEIGHT:
        rec.bSnapHeight = static_cast<int32_t>(wParam);
        ReapplySize(hwnd, rec);
        break;
    }
    RefreshGrid(hwnd, rec);
}

static void OnClear(HWND hwnd, GridRecord& rec) {
    rec.cells.Clear();
    rec.nRows = 0;
    rec.nCursorRow = 1;
    rec.nTopRow = 1;
    rec.nLeftCol = 1;
    InvalidateRect(hwnd, nullptr, TRUE);
    AnnounceReorder(hwnd, rec);
}

static void OnSetCursor(HWND hwnd, GridRecord& rec, int row, int col) {
    if (row < 1 || row > rec.nRows || col < 1 || col > rec.nCols) {
        return;
    }
    DrawCursor(hwnd, rec);
    rec.nCursorRow = row;
    rec.nCursorCol = col;
    ScrollRowIntoView(hwnd, rec, row, col);
    ScrollColumnIntoView(hwnd, rec, row, col);
    DrawCursor(hwnd, rec);
    RefreshCursorProtected(rec);
    RefreshGrid(hwnd, rec);
    AnnounceCursor(hwnd, rec);
}

static void OnSetColumnWidth(HWND hwnd, GridRecord& rec, WPARAM column, LPARAM width) {
    if (column > static_cast<WPARAM>(kMaxGridCols) || static_cast<int>(width) < 0) {
        return;
    }
    rec.anColWidth[column] = static_cast<int32_t>(width);
    Repaint(hwnd);
    UpdateHScrollRange(hwnd, rec);
}

static void OnSetHeaderHeight(HWND hwnd, GridRecord& rec, WPARAM height) {
    rec.nHeaderHeight = static_cast<int32_t>(height);
    ReapplySize(hwnd, rec);
    Repaint(hwnd);
}

static void OnSetRowHeight(HWND hwnd, GridRecord& rec, WPARAM height) {
    rec.nRowHeight = height == 0 ? 1 : static_cast<int32_t>(height);
    ScrollRowIntoView(hwnd, rec, rec.nCursorRow, rec.nCursorCol);
    ReapplySize(hwnd, rec);
    Repaint(hwnd);
}

static void OnSetTitleHeight(HWND hwnd, GridRecord& rec, WPARAM height) {
    rec.nTitleHeight = static_cast<int32_t>(height);
    ScrollRowIntoView(hwnd, rec, rec.nCursorRow, rec.nCursorCol);
    Repaint(hwnd);
}

static void NotifyCursorMoved(HWND hwnd, GridRecord& rec, int what) {
    NotifyParent(hwnd, rec, what, CursorParam(rec));
    NotifyParent(hwnd, rec, GRN_CURSORMOVED, CursorParam(rec));
}

static void OnRepaint(HWND hwnd) {
    InvalidateRect(hwnd, nullptr, TRUE);
    UpdateWindow(hwnd);
    MessageBeep(0);
}

LRESULT HandleGridMessage(HWND hwnd, int slot, UINT msg, WPARAM wParam, LPARAM lParam) {
    GridRecord& rec = g_aGrids[slot];
    switch (msg) {
    case GRM_SETCELLPROTECT:
    case GRM_SETCELLTEXT:
    case GRM_GETCELLTEXT:
    case GRM_DELETECELL:
    case GRM_GETCELLTYPE:
    case GRM_GETCELLPROTECT:
        return OnCellMessage(hwnd, rec, msg, wParam, lParam);
    case GRM_GETGRAPHICVALUE:
    case GRM_GETROWS:
    case GRM_GETCOLUMNS:
    case GRM_GETCURSORROW:
    case GRM_GETCURSORCOLUMN:
    case GRM_GETCOLUMNWIDTH:
    case GRM_GETROWHEIGHT:
    case GRM_GETHEADERHEIGHT:
        return OnQuery(rec, msg, wParam);
    case GRM_SETDEFAULTPROTECT:
    case GRM_SETAUTOGROWROWS:
    case GRM_SETEDITABLE:
    case GRM_SETAUTOSIZE:
    case GRM_SETCOLUMNRESIZE:
        OnSetBehaviour(rec, msg, wParam);
        return 0;
    case GRM_SETPROTECTEDCOLOR:
    case GRM_SETUNPROTECTEDCOLOR:
    case GRM_SETHIGHLIGHTCOLOR:
    case GRM_SETHIGHLIGHTTEXTCOLOR:
    case GRM_SETROWNUMBERS:
    case GRM_SETCOLUMNLETTERS:
    case GRM_SETSINGLELINE:
    case GRM_SETTITLEFONT:
    case GRM_SETHEADERFONT:
        OnSetLook(hwnd, rec, msg, wParam);
        return 0;
    case GRM_SETROWHIGHLIGHT:
    case GRM_SETEXTENDLASTCOLUMN:
    case GRM_SETSNAPHEIGHT:
        OnSetLayoutSwitch(hwnd, rec, msg, wParam);
        return 0;
    case GRM_SETCURSORCOLOR:
        RedrawCursorWith(hwnd, rec, &GridRecord::crCursor, wParam);
        return 0;
    case GRM_SETGRIDLINECOLOR:
        RedrawCursorWith(hwnd, rec, &GridRecord::crGridLines, wParam);
        return 0;
    case GRM_CLEAR:
        OnClear(hwnd, rec);
        return 0;
    case GRM_SETDIMENSIONS:
        SetDimensions(hwnd, rec, ClampRowCount(wParam), ClampColumnCount(lParam));
        return 0;
    case GRM_SETCURSOR:
        OnSetCursor(hwnd, rec, static_cast<int>(wParam), static_cast<int>(lParam));
        return 0;
    case GRM_SETCOLUMNWIDTH:
        OnSetColumnWidth(hwnd, rec, wParam, lParam);
        return 0;
    case GRM_SETHEADERHEIGHT:
        OnSetHeaderHeight(hwnd, rec, wParam);
        return 0;
    case GRM_SETROWHEIGHT:
        OnSetRowHeight(hwnd, rec, wParam);
        return 0;
    case GRM_SETTITLEHEIGHT:
        OnSetTitleHeight(hwnd, rec, wParam);
        return 0;
    case GRM_DRAWCURSOR:
        // Posted after a paint; the slot may have changed hands meanwhile.
        if (static_cast<int>(wParam) == slot) {
            DrawCursor(hwnd, rec);
        }
        return 0;
    case GRM_NOTIFYROWCHANGED:
        NotifyCursorMoved(hwnd, rec, GRN_ROWCHANGED);
        return 0;
    case GRM_NOTIFYCOLUMNCHANGED:
        NotifyCursorMoved(hwnd, rec, GRN_COLUMNCHANGED);
        return 0;
    case GRM_REPAINT:
        OnRepaint(hwnd);
        return 0;
    }
    return 0;
}
