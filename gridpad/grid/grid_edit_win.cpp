#include "grid_internal_win.h"

#include <cstring>

// Longest edit text shown in the box: the end of the text, where the caret is.
static constexpr int kShownChars = 98;

static void DrawEditText(HDC hdc, const char* text, RECT* rc) {
    wchar_t wide[kMaxEditBytes + 8];
    int len = MultiByteToWideChar(CP_UTF8, 0, text, -1, wide, kMaxEditBytes + 8);
    if (len <= 1) {
        return;
    }
    --len;
    const wchar_t* start = wide;
    if (len > kShownChars) {
        start = wide + (len - kShownChars);
        if (IS_LOW_SURROGATE(*start)) {
            ++start;
        }
        len = static_cast<int>(wide + len - start);
    }
    DrawTextW(hdc, start, len, rc, DT_SINGLELINE | DT_VCENTER | DT_RIGHT | DT_NOPREFIX);
}

static void AppendToEdit(GridRecord& rec, const char* add) {
    size_t have = std::strlen(rec.szEdit);
    size_t more = std::strlen(add);
    if (more == 0) {
        return;
    }
    // The buffer holds 300 bytes and one more character; past that, refuse.
    if (have > static_cast<size_t>(kMaxEditBytes) || have + more >= sizeof rec.szEdit) {
        MessageBeep(0);
        return;
    }
    std::memcpy(rec.szEdit + have, add, more + 1);
}

void ShowEdit(HWND hwnd, GridRecord& rec, const char* add) {
    ShowCaret(hwnd);
    AppendToEdit(rec, add);
    std::memcpy(rec.szEditShown, rec.szEdit, std::strlen(rec.szEdit) + 1);
    GridRect cell = CellRect(rec, rec.nCursorRow, rec.nCursorCol);
    if (rec.nCursorRow < rec.nTopRow || rec.nCursorCol < rec.nLeftCol ||
        cell.top >= rec.nClientHeight || cell.left >= rec.nClientWidth) {
        HideCaret(hwnd);
        return;
    }
    RECT rc{cell.left + 2, cell.top + 2, cell.right - 2, cell.bottom - 2};
    HDC hdc = GetDC(hwnd);
    HGDIOBJ oldPen = SelectObject(hdc, GetStockObject(BLACK_PEN));
    HGDIOBJ oldBrush = SelectObject(hdc, GetStockObject(WHITE_BRUSH));
    Rectangle(hdc, rc.left, rc.top, rc.right, rc.bottom);
    SelectObject(hdc, oldBrush);
    SelectObject(hdc, oldPen);
    InflateRect(&rc, -2, -2);
    int caretX = rc.right - 4;
    int caretY = rc.top + (rc.bottom - rc.top - rec.nCaretHeight) / 2;
    rc.right -= 5;
    HGDIOBJ oldFont = SelectObject(hdc, GridFont(rec.hCellFont));
    SetTextColor(hdc, 0);
    SetBkMode(hdc, TRANSPARENT);
    DrawEditText(hdc, rec.szEditShown, &rc);
    SelectObject(hdc, oldFont);
    ReleaseDC(hwnd, hdc);
    SetCaretPos(caretX, caretY);
}

void CommitEdit(HWND hwnd, GridRecord& rec) {
    CellRef cell{rec.nCursorRow, rec.nCursorCol};
    SendMessageA(hwnd, GRM_SETCELLTEXT, reinterpret_cast<WPARAM>(&cell),
                 reinterpret_cast<LPARAM>(rec.szEdit));
    rec.szEdit[0] = '\0';
    rec.bEditing = 0;
    RefreshGrid(hwnd, rec);
    HideCaret(hwnd);
    AnnounceEditState(hwnd, rec);
    NotifyParent(hwnd, rec, GRN_EDITEND, CursorParam(rec));
}

void CancelEdit(HWND hwnd, GridRecord& rec) {
    rec.szEdit[0] = '\0';
    rec.bEditing = 0;
    HideCaret(hwnd);
    RefreshGrid(hwnd, rec);
    // The cell shows its stored text again.
    AnnounceEditState(hwnd, rec);
    AnnounceCellValue(hwnd, rec, rec.nCursorRow, rec.nCursorCol);
    NotifyParent(hwnd, rec, GRN_EDITEND, CursorParam(rec));
}

static void BeginEdit(HWND hwnd, GridRecord& rec) {
    if (!rec.bEditing) {
        NotifyParent(hwnd, rec, GRN_EDITBEGIN, CursorParam(rec));
        rec.bEditing = 1;
        AnnounceEditState(hwnd, rec);
    }
}

void OnChar(HWND hwnd, GridRecord& rec, WPARAM ch) {
    // A character outside the basic plane comes as two messages.
    static wchar_t s_highSurrogate;
    wchar_t units[2] = {static_cast<wchar_t>(ch), 0};
    int count = 1;
    if (IS_HIGH_SURROGATE(units[0])) {
        s_highSurrogate = units[0];
        return;
    }
    if (IS_LOW_SURROGATE(units[0]) && s_highSurrogate != 0) {
        units[1] = units[0];
        units[0] = s_highSurrogate;
        count = 2;
    }
    s_highSurrogate = 0;

    RefreshCursorProtected(rec);
    if (rec.bCursorProtected || !rec.bEditable) {
        if (ch == '\r') {
            MoveDown(hwnd, rec);
        }
        return;
    }
    if (rec.nRows == 0) {
        return;
    }
    ScrollRowIntoView(hwnd, rec, rec.nCursorRow, rec.nCursorCol);
    char text[100];
    int len =
        WideCharToMultiByte(CP_UTF8, 0, units, count, text, sizeof text - 1, nullptr, nullptr);
    if (len <= 0) {
        return;
    }
    text[len] = '\0';
    unsigned char first = static_cast<unsigned char>(text[0]);
    if (first >= 0x20) {
        BeginEdit(hwnd, rec);
        ShowEdit(hwnd, rec, text);
        AnnounceCellValue(hwnd, rec, rec.nCursorRow, rec.nCursorCol);
    } else if (first == '\b') {
        BeginEdit(hwnd, rec);
        size_t have = std::strlen(rec.szEdit);
        rec.szEdit[Utf8LastCharStart(rec.szEdit, have)] = '\0';
        ShowEdit(hwnd, rec, "");
        AnnounceCellValue(hwnd, rec, rec.nCursorRow, rec.nCursorCol);
    } else if (first == '\r') {
        if (rec.bEditing) {
            CommitEdit(hwnd, rec);
        }
        MoveDown(hwnd, rec);
        rec.bEditing = 0;
    }
}
