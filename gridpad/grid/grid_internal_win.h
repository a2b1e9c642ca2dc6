#pragma once
#include "babygrid_win.h"
#include "grid_geometry.h"

// The slot table shared by every grid of the process (one thread only).
extern GridRecord g_aGrids[kMaxGrids];

int FindGridSlot(HWND hwnd);
void NotifyParent(HWND hwnd, const GridRecord& rec, int code, LPARAM lParam);
LPARAM CursorParam(const GridRecord& rec);
void RefreshClientSize(HWND hwnd, GridRecord& rec);
inline HFONT GridFont(void* font) {
    return static_cast<HFONT>(font);
}

// Posted to itself to bring the scroll bars up to date once a burst of
// row-count changes (a file being loaded) is over.
constexpr UINT kGridCheckScrollBars = WM_APP + 0x3B00;

// Likewise for telling screen readers that rows or columns came or went.
constexpr UINT kGridAnnounceReorder = WM_APP + 0x3B01;

LRESULT HandleGridMessage(HWND hwnd, int slot, UINT msg, WPARAM wParam, LPARAM lParam);
void SetCellText(HWND hwnd, GridRecord& rec, const CellRef& cell, const char* text);
void SetDimensions(HWND hwnd, GridRecord& rec, int32_t rows, int32_t cols);
void OnCheckScrollBars(HWND hwnd, GridRecord& rec);
void RefreshCursorProtected(GridRecord& rec);

void PaintGrid(HWND hwnd, int slot);
void DrawCursor(HWND hwnd, const GridRecord& rec);
void RefreshGrid(HWND hwnd, GridRecord& rec);

void CheckScrollBars(HWND hwnd, GridRecord& rec);
void ScrollRowIntoView(HWND hwnd, GridRecord& rec, int row, int col);
void ScrollColumnIntoView(HWND hwnd, GridRecord& rec, int row, int col);
void OnHScroll(HWND hwnd, GridRecord& rec, WPARAM wParam);
void OnVScroll(HWND hwnd, GridRecord& rec, WPARAM wParam);
void OnGridSize(HWND hwnd, GridRecord& rec, int width, int height);
void ReapplySize(HWND hwnd, GridRecord& rec);
void UpdateHScrollRange(HWND hwnd, GridRecord& rec);

void OnMouseMove(HWND hwnd, GridRecord& rec, int x, int y);
void OnLButtonDown(HWND hwnd, GridRecord& rec, int x, int y);
void OnLButtonUp(HWND hwnd, GridRecord& rec);

void OnKeyDown(HWND hwnd, GridRecord& rec, WPARAM key);
void OnChar(HWND hwnd, GridRecord& rec, WPARAM ch);
LRESULT OnGetDlgCode(HWND hwnd, GridRecord& rec, WPARAM key, LPARAM lParam);
void OnGridSetFocus(HWND hwnd, GridRecord& rec);
void OnGridKillFocus(HWND hwnd, GridRecord& rec);
void MoveDown(HWND hwnd, GridRecord& rec);
void ShowMovedCursor(HWND hwnd, GridRecord& rec, int row, int col, bool bRowMoved, bool bColMoved);
// Stores an edit under way and moves the cursor there, as a click would.
void SelectCell(HWND hwnd, GridRecord& rec, int row, int col);

void ShowEdit(HWND hwnd, GridRecord& rec, const char* add);
void CommitEdit(HWND hwnd, GridRecord& rec);
void CancelEdit(HWND hwnd, GridRecord& rec);

// What screen readers are told and asked.
void AnnounceCursor(HWND hwnd, const GridRecord& rec);
void AnnounceCellValue(HWND hwnd, const GridRecord& rec, int row, int col);
void AnnounceEditState(HWND hwnd, const GridRecord& rec);
void AnnounceReorder(HWND hwnd, GridRecord& rec);
void OnAnnounceReorder(HWND hwnd, GridRecord& rec);
LRESULT OnGetObject(HWND hwnd, WPARAM wParam, LPARAM lParam);
