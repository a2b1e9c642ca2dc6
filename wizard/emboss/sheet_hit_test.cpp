#include "sheet_hit_test.h"

#include "sheet_preview_geometry.h"

int HitTestSheetSlot(const SheetFormat& format, int clientWidth, int clientHeight, int x, int y) {
    // The same geometry as the picture, so a click lands on the label the
    // user sees.
    SheetPreviewGeometry g;
    if (!ComputeSheetPreview(format, clientWidth, clientHeight, &g))
        return -1;
    if (x < g.x0 || y < g.y0 || x > g.x0 + g.paperWidth || y > g.y0 + g.paperHeight)
        return -1;
    for (int r = 0; r < g.rows; ++r) {
        const int top = g.y0 + g.top + r * (g.labelHeight + g.sepVertical);
        if (y < top || y > top + g.labelHeight)
            continue;
        for (int c = 0; c < g.columns; ++c) {
            const int left = g.x0 + g.left + c * (g.labelWidth + g.sepHorizontal);
            if (x >= left && x <= left + g.labelWidth)
                return r * format.wNumHorizontal + c;
        }
    }
    return -1;
}
