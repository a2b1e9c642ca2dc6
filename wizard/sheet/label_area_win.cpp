#include "label_area_win.h"

#include <richedit.h>

#include <cstring>

#include "page_services_win.h"
#include "picture_colours_win.h"
#include "resource.h"

namespace {

// The area's first rectangle in its page's client coordinates, kept in
// window properties of the control itself: they go with the window, and
// each page remembers its own.
constexpr const char* kRectProperties[4] = {"DotwellAreaLeft", "DotwellAreaTop", "DotwellAreaRight",
                                            "DotwellAreaBottom"};
HBRUSH g_areaBrush;

// Keeps a stored 0 from reading as "not stored".
constexpr intptr_t kPropertyBias = intptr_t(1) << 32;

RECT RememberedRect(HWND labelArea) {
    RECT area;
    LONG* sides[4] = {&area.left, &area.top, &area.right, &area.bottom};
    if (!GetPropA(labelArea, kRectProperties[0])) {
        GetWindowRect(labelArea, &area);
        MapWindowPoints(nullptr, GetParent(labelArea), reinterpret_cast<POINT*>(&area), 2);
        for (int i = 0; i < 4; ++i) {
            SetPropA(labelArea, kRectProperties[i],
                     reinterpret_cast<HANDLE>(intptr_t(*sides[i]) + kPropertyBias));
        }
    }
    for (int i = 0; i < 4; ++i) {
        *sides[i] = LONG(reinterpret_cast<intptr_t>(GetPropA(labelArea, kRectProperties[i])) -
                         kPropertyBias);
    }
    return area;
}

} // namespace

LabelView MeasureLabelArea(HWND labelArea, const SheetFormat& format) {
    const RECT area = RememberedRect(labelArea);
    LabelView view;
    view.origin = {area.left, area.top};
    if (format.wLabelWidth == 0 || format.wLabelHeight == 0) {
        return view;
    }
    const double byWidth = double(area.right - area.left) / format.wLabelWidth;
    const double byHeight = double(area.bottom - area.top) / format.wLabelHeight;
    view.scale = byWidth < byHeight ? byWidth : byHeight;
    HDC screen = GetDC(labelArea);
    const int pixelsPerInch = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(labelArea, screen);
    view.zoom = view.scale * 1440.0 / pixelsPerInch;
    return view;
}

void PlaceLabelArea(HWND labelArea, const SheetFormat& format, const LabelView& view) {
    MoveWindow(labelArea, view.origin.x, view.origin.y, int(format.wLabelWidth * view.scale),
               int(format.wLabelHeight * view.scale), TRUE);
}

void PlaceTextBox(HWND richEdit, const SheetFormat& format, const LabelView& view, int fontKind) {
    MoveWindow(richEdit, int(format.wTextLeft * view.scale + view.origin.x),
               int(format.wTextTop * view.scale + view.origin.y),
               int(format.wTextWidth * view.scale), int(format.wTextHeight * view.scale), TRUE);
    SetLabelFont(richEdit, view.zoom, fontKind);
    RECT client;
    GetClientRect(richEdit, &client);
    SendMessageA(richEdit, EM_SETRECT, 0, reinterpret_cast<LPARAM>(&client));
}

void SetLabelFont(HWND richEdit, double zoom, int fontKind) {
    CHARFORMAT2A format{};
    format.cbSize = sizeof format;
    format.dwMask = CFM_FACE | CFM_SIZE | CFM_CHARSET;
    format.yHeight = static_cast<LONG>(567 * zoom);
    format.bCharSet = ANSI_CHARSET;
    format.bPitchAndFamily = FIXED_PITCH;
    std::strcpy(format.szFaceName,
                fontKind == kBrailleFont ? "Vantor Font" : "Vantor Black Text Font");
    // Also the default, so that text put in later takes the same font.
    SendMessageA(richEdit, EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));
    SendMessageA(richEdit, EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&format));
}

INT_PTR LabelPageStaticColor(HWND page, HWND control) {
    if (GetDlgCtrlID(control) != IDC_LABEL_AREA) {
        return PageHeaderColor(control);
    }
    InvalidateRect(GetDlgItem(page, IDC_LABEL_TEXT), nullptr, FALSE);
    if (HBRUSH system = LabelAreaSystemBrush()) {
        return reinterpret_cast<INT_PTR>(system);
    }
    if (!g_areaBrush) {
        g_areaBrush = CreateSolidBrush(RGB(230, 230, 230));
    }
    return reinterpret_cast<INT_PTR>(g_areaBrush);
}

void ForgetLabelArea(HWND labelArea) {
    for (const char* property : kRectProperties) {
        RemovePropA(labelArea, property);
    }
    // Made again when a page still showing a label asks for it.
    if (g_areaBrush) {
        DeleteObject(g_areaBrush);
        g_areaBrush = nullptr;
    }
}
