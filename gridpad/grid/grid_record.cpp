#include "grid_record.h"

#include <cstring>

static void ResetCommon(GridRecord& rec) {
    rec.nId = 0;
    rec.cells.Clear();
    std::strcpy(rec.szDefaultProtect, "U");
    rec.nRows = 100;
    rec.nCols = 255;
    rec.nTopRow = 1;
    rec.nLeftCol = 1;
    rec.nCursorRow = 1;
    rec.nCursorCol = 1;
    rec.bRowNumbers = 1;
    rec.bColumnLetters = 1;
    rec.bRowHighlight = 1;
    rec.crCursor = 0xFFFFFF;
    rec.crUnprotected = 0xFFFFFF;
    rec.hCellFont = nullptr;
    rec.bScrollCheckPosted = 0;
    rec.bReorderPosted = 0;
    for (int c = 1; c <= 255; ++c) {
        rec.anColWidth[c] = 50;
    }
}

void InitGridRecord(GridRecord& rec) {
    ResetCommon(rec);
    rec.szTitle[0] = '\0';
    rec.szEdit[0] = '\0';
    rec.szEditShown[0] = '\0';
    rec.nClientWidth = rec.nClientHeight = 0;
    rec.nRowHeight = 21;
    rec.nHeaderHeight = 21;
    rec.nFirstVisCol = rec.nLastVisCol = rec.nFirstVisRow = rec.nLastVisRow = 0;
    rec.nGraphicValue = 0;
    rec.nCaretHeight = 0;
    rec.bAutoGrowRows = 1;
    rec.bEditable = 0;
    rec.bEditing = 0;
    rec.bExtendLastCol = 1;
    rec.bSnapHeight = 1;
    rec.bSingleLine = 1;
    rec.bSizing = rec.bAutoSize = rec.bDragging = rec.bColumnResize = 0;
    rec.bCursorProtected = rec.bFocus = 0;
    rec.bHScroll = rec.bVScroll = 0;
    rec.nDragCol = rec.nDragWidth = rec.nDragX = 0;
    rec.nPointer = 0;
    rec.nTitleHeight = 0;
    rec.crProtected = 0xFFFFFF;
    rec.crText = 0;
    rec.crHighlight = 0x800000;
    rec.crGridLines = 0xDCDCDC;
    rec.crHighlightText = 0xFFFFFF;
    rec.hHeaderFont = nullptr;
    rec.hTitleFont = nullptr;
    rec.anColWidth[0] = 50;
    rec.anColWidth[kMaxGridCols] = 0;
    rec.bSavedSnap = 0;
    rec.nSizeHeight = rec.nSizeWidth = 0;
}

void ResetGridRecord(GridRecord& rec) {
    ResetCommon(rec);
    rec.nRowHeight = 20;
    rec.nHeaderHeight = 20;
    rec.crProtected = 0x808080;
    rec.anColWidth[0] = 40;
}

bool IsBadCell(const CellRef& cell) {
    // Negative references are refused too: they have no place on screen and
    // no key order of their own.
    return cell.nRow < 0 || cell.nCol < 0 || cell.nRow > kMaxGridRows || cell.nCol > kMaxGridCols;
}

int32_t ClampRowCount(uintptr_t wParam) {
    if (static_cast<uint32_t>(wParam) > static_cast<uint32_t>(kMaxGridRows)) {
        return kMaxGridRows;
    }
    return static_cast<int32_t>(wParam);
}

int32_t ClampColumnCount(intptr_t lParam) {
    int32_t cols = static_cast<int32_t>(lParam);
    if (cols < 1) {
        return 1;
    }
    return cols > kMaxGridCols ? kMaxGridCols : cols;
}

int32_t TitleBandHeight(const char* title, int lineHeight) {
    if (title[0] == '\0') {
        return 0;
    }
    int lines = 1;
    for (const char* p = title; *p != '\0'; ++p) {
        if (*p == '\n') {
            ++lines;
        }
    }
    return static_cast<int32_t>(lineHeight * 1.2 * lines);
}
