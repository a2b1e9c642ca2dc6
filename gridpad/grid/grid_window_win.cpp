#include "grid_internal_win.h"

#include <cstring>

GridRecord g_aGrids[kMaxGrids];

static HFONT g_hSharedCellFont;
static HFONT g_hSharedHeaderFont;
static HFONT g_hSharedTitleFont;

static LRESULT CALLBACK GridWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

ATOM RegisterGridClass(HINSTANCE hInstance) {
    // A Unicode class: typed characters arrive as UTF-16 whatever the code
    // page, and become UTF-8 in the cells.
    WNDCLASSW wc{};
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = GridWndProc;
    wc.hInstance = hInstance;
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
    wc.lpszClassName = L"BABYGRID";
    for (GridRecord& rec : g_aGrids) {
        InitGridRecord(rec);
    }
    return RegisterClassW(&wc);
}

int FindGridSlot(HWND hwnd) {
    int id = GetDlgCtrlID(hwnd);
    if (id == 0) {
        return -1;
    }
    for (int slot = 0; slot < kMaxGrids; ++slot) {
        if (g_aGrids[slot].nId == id) {
            return slot;
        }
    }
    return -1;
}

void NotifyParent(HWND hwnd, const GridRecord& rec, int code, LPARAM lParam) {
    SendMessageA(GetParent(hwnd), WM_COMMAND, MAKEWPARAM(rec.nId, code), lParam);
}

LPARAM CursorParam(const GridRecord& rec) {
    return MAKELPARAM(rec.nCursorRow, rec.nCursorCol);
}

void RefreshClientSize(HWND hwnd, GridRecord& rec) {
    RECT rc;
    GetClientRect(hwnd, &rc);
    rec.nClientWidth = rc.right;
    rec.nClientHeight = rc.bottom;
}

static int GridsInUse() {
    int count = 0;
    for (const GridRecord& rec : g_aGrids) {
        count += rec.nId != 0;
    }
    return count;
}

static HFONT MakeSharedFont(int height, int weight) {
    return CreateFontA(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, PROOF_QUALITY,
                       VARIABLE_PITCH | FF_MODERN, nullptr);
}

static LRESULT OnCreate(HWND hwnd, const CREATESTRUCTW* cs) {
    if (FindGridSlot(hwnd) >= 0) {
        return 0; // another live grid has this identifier: share its record
    }
    int slot = -1;
    for (int i = kMaxGrids - 1; i >= 0; --i) {
        if (g_aGrids[i].nId == 0) {
            slot = i;
            break;
        }
    }
    if (slot < 0) {
        return -1;
    }
    if (GridsInUse() == 0) {
        g_hSharedCellFont = MakeSharedFont(16, 100);
        g_hSharedHeaderFont = MakeSharedFont(18, 900);
        g_hSharedTitleFont = MakeSharedFont(20, 900);
    }
    GridRecord& rec = g_aGrids[slot];
    rec.nId = GetDlgCtrlID(hwnd);
    rec.hCellFont = g_hSharedCellFont;
    rec.hHeaderFont = g_hSharedHeaderFont;
    rec.hTitleFont = g_hSharedTitleFont;
    SendMessageW(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(cs->lpszName ? cs->lpszName : L""));
    return 0;
}

static void OnDestroy(int slot) {
    ResetGridRecord(g_aGrids[slot]);
    if (GridsInUse() == 0) {
        DeleteObject(g_hSharedCellFont);
        DeleteObject(g_hSharedHeaderFont);
        DeleteObject(g_hSharedTitleFont);
        g_hSharedCellFont = g_hSharedHeaderFont = g_hSharedTitleFont = nullptr;
    }
}

static void OnSetText(HWND hwnd, GridRecord& rec, const wchar_t* text) {
    if (text == nullptr) {
        text = L"";
    }
    if (wcslen(text) > static_cast<size_t>(kMaxTitle)) {
        text = L"Title too long (300 chars max)";
    }
    // Kept in the ANSI code page; a title of many double-byte characters is
    // cut to the buffer.
    char ansi[4 * kMaxTitle + 4];
    int len = WideCharToMultiByte(CP_ACP, 0, text, -1, ansi, sizeof ansi, nullptr, nullptr);
    ansi[len > 0 ? len - 1 : 0] = '\0';
    std::strncpy(rec.szTitle, ansi, sizeof rec.szTitle - 1);
    rec.szTitle[sizeof rec.szTitle - 1] = '\0';
    int lineHeight = 0;
    if (rec.szTitle[0] != '\0') {
        HDC hdc = GetDC(hwnd);
        HGDIOBJ old = SelectObject(hdc, GridFont(rec.hTitleFont));
        SIZE size{};
        GetTextExtentPoint32A(hdc, rec.szTitle, static_cast<int>(std::strlen(rec.szTitle)), &size);
        SelectObject(hdc, old);
        ReleaseDC(hwnd, hdc);
        lineHeight = size.cy;
    }
    rec.nTitleHeight = TitleBandHeight(rec.szTitle, lineHeight);
    RefreshGrid(hwnd, rec);
    ReapplySize(hwnd, rec);
}

static LRESULT CALLBACK GridWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_CREATE) {
        return OnCreate(hwnd, reinterpret_cast<const CREATESTRUCTW*>(lParam));
    }
    int slot = FindGridSlot(hwnd);
    if (slot < 0) {
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
    GridRecord& rec = g_aGrids[slot];
    RefreshClientSize(hwnd, rec);
    if (msg >= GRM_SETCELLPROTECT && msg <= GRM_SETHEADERFONT) {
        return HandleGridMessage(hwnd, slot, msg, wParam, lParam);
    }
    switch (msg) {
    case WM_DESTROY:
        OnDestroy(slot);
        return 0;
    case WM_SETTEXT:
        DefWindowProcW(hwnd, msg, wParam, lParam);
        OnSetText(hwnd, rec, reinterpret_cast<const wchar_t*>(lParam));
        return 0;
    case WM_SETFONT:
        rec.hCellFont = reinterpret_cast<void*>(wParam);
        if (rec.hHeaderFont == nullptr) {
            rec.hHeaderFont = rec.hCellFont;
        }
        if (rec.hTitleFont == nullptr) {
            rec.hTitleFont = rec.hCellFont;
        }
        RefreshGrid(hwnd, rec);
        return 0;
    case WM_ENABLE:
        rec.crText = wParam ? 0 : 0x787878;
        InvalidateRect(hwnd, nullptr, FALSE);
        return 0;
    case kGridCheckScrollBars:
        OnCheckScrollBars(hwnd, rec);
        return 0;
    case kGridAnnounceReorder:
        OnAnnounceReorder(hwnd, rec);
        return 0;
    case WM_GETOBJECT:
        return OnGetObject(hwnd, wParam, lParam);
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        PaintGrid(hwnd, slot);
        return 0;
    case WM_SIZE:
        OnGridSize(hwnd, rec, LOWORD(lParam), HIWORD(lParam));
        return 0;
    case WM_SETFOCUS:
        OnGridSetFocus(hwnd, rec);
        return 0;
    case WM_KILLFOCUS:
        OnGridKillFocus(hwnd, rec);
        return 0;
    case WM_GETDLGCODE:
        return OnGetDlgCode(hwnd, rec, wParam, lParam);
    case WM_KEYDOWN:
        OnKeyDown(hwnd, rec, wParam);
        return 0;
    case WM_CHAR:
        OnChar(hwnd, rec, wParam);
        return 0;
    case WM_HSCROLL:
        OnHScroll(hwnd, rec, wParam);
        return 0;
    case WM_VSCROLL:
        OnVScroll(hwnd, rec, wParam);
        return 0;
    case WM_MOUSEMOVE:
        OnMouseMove(hwnd, rec, static_cast<short>(LOWORD(lParam)),
                    static_cast<short>(HIWORD(lParam)));
        return 0;
    case WM_LBUTTONDOWN:
        OnLButtonDown(hwnd, rec, static_cast<short>(LOWORD(lParam)),
                      static_cast<short>(HIWORD(lParam)));
        return 0;
    case WM_LBUTTONUP:
        OnLButtonUp(hwnd, rec);
        return 0;
    default:
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
}
