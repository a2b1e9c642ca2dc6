#include "sheet_preview_win.h"

#include "picture_colours_win.h"
#include "sheet_preview_geometry.h"

namespace {

void FillBox(HDC dc, int left, int top, int right, int bottom, COLORREF colour) {
    const RECT box{left, top, right, bottom};
    SetDCBrushColor(dc, colour);
    FillRect(dc, &box, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

void OutlineBox(HDC dc, int x, int y, int width, int height) {
    MoveToEx(dc, x, y, nullptr);
    LineTo(dc, x + width, y);
    LineTo(dc, x + width, y + height);
    LineTo(dc, x, y + height);
    LineTo(dc, x, y);
}

} // namespace

void PaintSheetPreview(HDC dc, int clientWidth, int clientHeight, const SheetFormat& format,
                       int highlighted) {
    SheetPreviewGeometry g;
    if (!ComputeSheetPreview(format, clientWidth, clientHeight, &g)) {
        return;
    }
    const SheetColours colours = SheetPictureColours();
    const int right = g.x0 + g.paperWidth;
    const int bottom = g.y0 + g.paperHeight;
    FillBox(dc, g.x0, g.y0, right, bottom, colours.paper);
    FillBox(dc, right, g.y0 + 2, right + 2, bottom + 2, colours.shadow);
    FillBox(dc, g.x0 + 2, bottom, right + 2, bottom + 2, colours.shadow);

    HPEN pen = CreatePen(PS_SOLID, 0, colours.outline);
    HGDIOBJ oldPen = pen ? SelectObject(dc, pen) : nullptr;
    if (colours.paperOutlined) {
        OutlineBox(dc, g.x0, g.y0, g.paperWidth - 1, g.paperHeight - 1);
    }
    for (int r = 0; r < g.rows; ++r) {
        const int y = g.y0 + g.top + r * (g.labelHeight + g.sepVertical);
        for (int c = 0; c < g.columns; ++c) {
            const int x = g.x0 + g.left + c * (g.labelWidth + g.sepHorizontal);
            const bool marked = PreviewLabelNumber(format, r, c) == highlighted;
            FillBox(dc, x, y, x + g.labelWidth, y + g.labelHeight,
                    marked ? colours.highlighted : colours.label);
            OutlineBox(dc, x, y, g.labelWidth, g.labelHeight);
        }
    }
    if (pen) {
        SelectObject(dc, oldPen);
        DeleteObject(pen);
    }
}

void DrawSheetPreview(HWND preview, const SheetFormat* format, int highlighted) {
    if (!preview || !format) {
        return;
    }
    InvalidateRect(preview, nullptr, TRUE);
    UpdateWindow(preview);
    HDC dc = GetDC(preview);
    if (!dc) {
        return;
    }
    RECT client;
    GetClientRect(preview, &client);
    PaintSheetPreview(dc, client.right, client.bottom, *format, highlighted);
    ReleaseDC(preview, dc);
}
