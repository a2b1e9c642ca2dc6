#pragma once
#include <cstdint>

#include "cell_store.h"

constexpr int kMaxGrids = 20;
constexpr int kMaxTitle = 300;
constexpr int kMaxEditBytes = 300;

// Row then column; row 0 is the header row, column 0 the row-header column.
struct CellRef {
    int32_t nRow;
    int32_t nCol;
};

// The state of one grid. Colours are COLORREF values and fonts font handles,
// held in portable types so the layout logic builds without Windows.
struct GridRecord {
    int32_t nId;
    CellStore cells;
    char szDefaultProtect[2];
    char szTitle[305];
    char szEdit[305];
    char szEditShown[308];
    int32_t nRows;
    int32_t nCols;
    int32_t nClientWidth, nClientHeight;
    int32_t nTopRow;
    int32_t nLeftCol;
    int32_t nRowHeight;
    int32_t nFirstVisCol, nLastVisCol, nFirstVisRow, nLastVisRow;
    int32_t nHeaderHeight;
    int32_t nCursorRow, nCursorCol;
    int32_t nGraphicValue;
    int32_t nTitleHeight;
    int32_t nCaretHeight;
    uint32_t crCursor;
    uint32_t crProtected;
    uint32_t crUnprotected;
    uint32_t crText;
    uint32_t crHighlight;
    uint32_t crGridLines;
    uint32_t crHighlightText;
    int32_t bRowHighlight;
    int32_t bCursorProtected;
    int32_t bFocus;
    int32_t bAutoGrowRows;
    void* hCellFont;
    void* hHeaderFont;
    void* hTitleFont;
    int32_t bRowNumbers;
    int32_t bColumnLetters;
    int32_t bEditable;
    int32_t bEditing;
    int32_t bExtendLastCol;
    int32_t bHScroll, bVScroll;
    int32_t bSnapHeight;
    int32_t bSizing;
    int32_t bSingleLine;
    int32_t bAutoSize;
    int32_t bDragging;
    int32_t bColumnResize;
    int32_t nDragCol, nDragWidth, nDragX;
    int32_t nPointer;
    int32_t anColWidth[kMaxGridCols + 1];
    int32_t bSavedSnap;
    int32_t nSizeHeight, nSizeWidth;
    int32_t bScrollCheckPosted; // a scroll-bar update is on its way
    int32_t bReorderPosted;     // screen readers are about to hear of new cells
};

// The state every slot starts with when the class is registered.
void InitGridRecord(GridRecord& rec);
// What a slot keeps and loses when its grid is destroyed.
void ResetGridRecord(GridRecord& rec);

// A cell reference the grid refuses (GRN_BADCELL).
bool IsBadCell(const CellRef& cell);

// New row count for GRM_SETDIMENSIONS: above 32000 taken as unsigned gives
// 32000. New column count: clamped to 1..256.
int32_t ClampRowCount(uintptr_t wParam);
int32_t ClampColumnCount(intptr_t lParam);

// Height of the title band for a title whose one-line text is lineHeight
// pixels high.
int32_t TitleBandHeight(const char* title, int lineHeight);
