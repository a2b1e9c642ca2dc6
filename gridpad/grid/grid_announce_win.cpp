#include "grid_cell_access.h"
#include "grid_internal_win.h"

void AnnounceCursor(HWND hwnd, const GridRecord& rec) {
    const long child = CursorChildId(rec);
    if (child == 0) {
        return;
    }
    // Only the window with the keyboard focus may claim it; elsewhere the
    // cursor is the selection.
    const DWORD event = GetFocus() == hwnd ? EVENT_OBJECT_FOCUS : EVENT_OBJECT_SELECTION;
    NotifyWinEvent(event, hwnd, OBJID_CLIENT, child);
}

void AnnounceCellValue(HWND hwnd, const GridRecord& rec, int row, int col) {
    // Cells out of view are read when visited; a file being loaded would
    // otherwise send one event for each of its cells.
    const long child = CellChildId(rec, row, col);
    if (child != 0 && CellOnScreen(rec, row, col)) {
        NotifyWinEvent(EVENT_OBJECT_VALUECHANGE, hwnd, OBJID_CLIENT, child);
    }
}

void AnnounceEditState(HWND hwnd, const GridRecord& rec) {
    // The cell's description says whether an edit is under way.
    const long child = CursorChildId(rec);
    if (child != 0) {
        NotifyWinEvent(EVENT_OBJECT_DESCRIPTIONCHANGE, hwnd, OBJID_CLIENT, child);
    }
}

void AnnounceReorder(HWND hwnd, GridRecord& rec) {
    // Once for a burst of row-count changes, as with the scroll bars.
    if (!rec.bReorderPosted) {
        rec.bReorderPosted = 1;
        PostMessageW(hwnd, kGridAnnounceReorder, 0, 0);
    }
}

void OnAnnounceReorder(HWND hwnd, GridRecord& rec) {
    rec.bReorderPosted = 0;
    NotifyWinEvent(EVENT_OBJECT_REORDER, hwnd, OBJID_CLIENT, CHILDID_SELF);
}
