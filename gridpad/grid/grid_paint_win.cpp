#include "grid_internal_win.h"

#include <cstdio>

static constexpr COLORREF kUnfocusedHighlight = 0xC8C8C8;

// UTF-8 to UTF-16 for drawing; -1 when the text does not fit.
static int Widen(const char* text, wchar_t* out, int capacity) {
    if (text[0] == '\0') {
        out[0] = L'\0';
        return 0;
    }
    int len = MultiByteToWideChar(CP_UTF8, 0, text, -1, out, capacity);
    return len > 0 ? len - 1 : -1;
}

static void DrawCellText(HDC hdc, const char* text, RECT* rc, UINT format) {
    wchar_t wide[1000];
    int len = Widen(text, wide, 1000);
    if (len > 0) {
        DrawTextW(hdc, wide, len, rc, format | DT_NOPREFIX);
    }
}

static void FillGrey(HDC hdc, int left, int top, int right, int bottom) {
    if (right <= left || bottom <= top) {
        return;
    }
    RECT rc{left, top, right, bottom};
    FillRect(hdc, &rc, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
}

static void DrawCheckBox(HDC hdc, RECT rc, bool bTicked) {
    rc.top += 2;
    rc.bottom -= 2;
    if (rc.right - rc.left > 24) {
        int mid = (rc.left + rc.right) / 2;
        rc.left = mid - 8;
        rc.right = mid + 8;
    }
    if (rc.bottom - rc.top > 24) {
        int mid = (rc.top + rc.bottom) / 2;
        rc.top = mid - 8;
        rc.bottom = mid + 8;
    }
    DrawFrameControl(hdc, &rc, DFC_BUTTON, DFCS_BUTTONCHECK | (bTicked ? DFCS_CHECKED : 0));
}

static void DrawCellContent(HWND hwnd, HDC hdc, GridRecord& rec, int row, int col, RECT rc) {
    char text[1000];
    rec.cells.CopyText(row, col, text);
    int type = rec.cells.Find(row, col) ? CellTypeFromLetter(rec.cells.Find(row, col)->cType) : 1;
    switch (type) {
    case CELL_NUMBER:
        DrawCellText(hdc, text, &rc, DT_SINGLELINE | DT_RIGHT | DT_VCENTER | DT_END_ELLIPSIS);
        break;
    case CELL_TRUE:
    case CELL_FALSE:
        DrawCheckBox(hdc, rc, type == CELL_TRUE);
        break;
    case CELL_GRAPHIC:
        rec.nGraphicValue = ParseGraphicValue(text);
        NotifyParent(hwnd, rec, GRN_DRAWGRAPHIC, reinterpret_cast<LPARAM>(&rc));
        break;
    default:
        if (rec.bSingleLine) {
            DrawCellText(hdc, text, &rc, DT_SINGLELINE | DT_LEFT | DT_VCENTER | DT_END_ELLIPSIS);
        } else {
            DrawCellText(hdc, text, &rc, DT_LEFT | DT_WORDBREAK);
        }
        break;
    }
}

static void PaintDataCell(HWND hwnd, HDC hdc, GridRecord& rec, int row, int col, RECT rc) {
    bool bCursorRow = row == rec.nCursorRow;
    SetTextColor(hdc, col > 0 && bCursorRow && rec.bRowHighlight && rec.bFocus ? rec.crHighlightText
                                                                               : 0);
    if (col == 0) {
        char text[1000];
        if (rec.bRowNumbers) {
            std::snprintf(text, sizeof text, "%d", row);
        } else {
            rec.cells.CopyText(row, 0, text);
        }
        DrawEdge(hdc, &rc, EDGE_ETCHED, BF_RECT | BF_MIDDLE | BF_ADJUST);
        rc.left += 2;
        rc.right -= 2;
        DrawCellText(hdc, text, &rc, DT_SINGLELINE | DT_RIGHT | DT_VCENTER | DT_END_ELLIPSIS);
        return;
    }
    COLORREF background;
    if (rec.bRowHighlight && bCursorRow) {
        background = rec.bFocus ? rec.crHighlight : kUnfocusedHighlight;
    } else {
        const StoredCell* cell = rec.cells.Find(row, col);
        background = cell && cell->cProtect == 'P' ? rec.crProtected : rec.crUnprotected;
    }
    HBRUSH brush = CreateSolidBrush(background);
    HPEN pen = CreatePen(PS_SOLID, 1, rec.crGridLines);
    HGDIOBJ oldBrush = SelectObject(hdc, brush);
    HGDIOBJ oldPen = SelectObject(hdc, pen);
    Rectangle(hdc, rc.left, rc.top, rc.right, rc.bottom);
    SelectObject(hdc, oldPen);
    SelectObject(hdc, oldBrush);
    DeleteObject(pen);
    DeleteObject(brush);
    rc.left += 2;
    rc.right -= 2;
    DrawCellContent(hwnd, hdc, rec, row, col, rc);
}

static void PaintHeader(HDC hdc, GridRecord& rec, int col, RECT rc) {
    char text[1000];
    if (rec.bColumnLetters && col > 0) {
        ColumnLetters(col, text);
    } else {
        rec.cells.CopyText(0, col, text);
    }
    DrawEdge(hdc, &rc, EDGE_ETCHED, BF_RECT | BF_MIDDLE | BF_ADJUST);
    DrawCellText(hdc, text, &rc, DT_CENTER | DT_WORDBREAK | DT_END_ELLIPSIS);
}

// Paints one column at x; gives the right edge it painted to.
static int PaintColumn(HWND hwnd, HDC hdc, GridRecord& rec, int col, int x) {
    int width = rec.anColWidth[col];
    if (width == 0) {
        return x;
    }
    bool bLast = col > 0 && NextVisibleColumn(rec, col, +1) == 0;
    int right = x + width;
    if (bLast) {
        if (rec.bExtendLastCol) {
            right = right > rec.nClientWidth ? right : rec.nClientWidth;
        } else {
            FillGrey(hdc, right, rec.nTitleHeight, rec.nClientWidth, rec.nClientHeight);
        }
    }
    SetTextColor(hdc, rec.crText);
    SelectObject(hdc, GridFont(rec.hHeaderFont));
    int top = rec.nTitleHeight;
    PaintHeader(hdc, rec, col, RECT{x, top, right, top + rec.nHeaderHeight});

    SelectObject(hdc, GridFont(rec.hCellFont));
    int y = top + rec.nHeaderHeight;
    for (int row = rec.nFirstVisRow; row <= rec.nLastVisRow && y < rec.nClientHeight; ++row) {
        PaintDataCell(hwnd, hdc, rec, row, col, RECT{x, y, right, y + rec.nRowHeight});
        y += rec.nRowHeight;
    }
    FillGrey(hdc, x, y, right, rec.nClientHeight);
    return right;
}

static bool FrameShown(const GridRecord& rec) {
    return rec.bFocus && rec.nRows != 0 && rec.nCursorRow >= rec.nTopRow &&
           rec.nCursorCol >= rec.nLeftCol;
}

// The XOR frame is drawn again after a paint only when the paint covers all
// of it; a paint elsewhere must leave it alone or it would be toggled off.
static bool RepaintsFrame(HWND hwnd, const GridRecord& rec) {
    if (!FrameShown(rec)) {
        return false;
    }
    GridRect cell = CellRect(rec, rec.nCursorRow, rec.nCursorCol);
    RECT frame{cell.left - 2, cell.top - 2, cell.right + 2, cell.bottom + 2};
    RECT update;
    RECT overlap;
    if (!GetUpdateRect(hwnd, &update, FALSE) || !IntersectRect(&overlap, &update, &frame)) {
        return false;
    }
    InvalidateRect(hwnd, &frame, FALSE);
    return true;
}

void PaintGrid(HWND hwnd, int slot) {
    GridRecord& rec = g_aGrids[slot];
    bool bFrame = RepaintsFrame(hwnd, rec);
    PAINTSTRUCT ps;
    HDC hdc = BeginPaint(hwnd, &ps);
    CheckScrollBars(hwnd, rec);
    ComputePaintedRange(rec);
    SetBkMode(hdc, TRANSPARENT);
    HGDIOBJ oldFont = SelectObject(hdc, GridFont(rec.hTitleFont));

    if (rec.nTitleHeight > 0) {
        RECT title{0, 0, rec.nClientWidth, rec.nTitleHeight};
        DrawEdge(hdc, &title, EDGE_ETCHED, BF_RECT | BF_MIDDLE | BF_ADJUST);
        DrawTextA(hdc, rec.szTitle, -1, &title,
                  DT_CENTER | DT_WORDBREAK | DT_END_ELLIPSIS | DT_NOPREFIX);
    }
    int painted = PaintColumn(hwnd, hdc, rec, 0, 0);
    int x = rec.anColWidth[0];
    for (int col = rec.nFirstVisCol; col <= rec.nLastVisCol && x < rec.nClientWidth; ++col) {
        painted = PaintColumn(hwnd, hdc, rec, col, x);
        x += rec.anColWidth[col];
    }
    FillGrey(hdc, painted > x ? painted : x, rec.nTitleHeight, rec.nClientWidth, rec.nClientHeight);
    SelectObject(hdc, oldFont);
    EndPaint(hwnd, &ps);

    if (rec.bEditing) {
        ShowEdit(hwnd, rec, "");
    }
    if (bFrame) {
        PostMessageA(hwnd, GRM_DRAWCURSOR, slot, 0);
    }
}

void DrawCursor(HWND hwnd, const GridRecord& rec) {
    if (!FrameShown(rec)) {
        return;
    }
    GridRect r = CellRect(rec, rec.nCursorRow, rec.nCursorCol);
    HDC hdc = GetDC(hwnd);
    HPEN pen = CreatePen(PS_SOLID, 3, rec.crCursor);
    HGDIOBJ oldPen = SelectObject(hdc, pen);
    HGDIOBJ oldBrush = SelectObject(hdc, GetStockObject(HOLLOW_BRUSH));
    int oldRop = SetROP2(hdc, R2_XORPEN);
    Rectangle(hdc, r.left, r.top, r.right, r.bottom);
    SetROP2(hdc, oldRop);
    SelectObject(hdc, oldBrush);
    SelectObject(hdc, oldPen);
    DeleteObject(pen);
    ReleaseDC(hwnd, hdc);
}

void RefreshGrid(HWND hwnd, GridRecord& rec) {
    InvalidateRect(hwnd, nullptr, FALSE);
    if (rec.bEditing) {
        ShowEdit(hwnd, rec, "");
    }
}
