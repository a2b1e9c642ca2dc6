#include "sheet_preview_geometry.h"

#include <algorithm>

#include "units.h"

namespace {

int Pixels(double twips, double scale) {
    return static_cast<int>(twips * scale);
}

// Labels whose pitch rounds to no pixel all land on the same spot, and labels
// that start beyond the client area cannot be seen: drawing only the visible
// ones keeps a sheet of thousands of tiny labels from stalling the page.
int VisibleCount(int count, int pitch, int clientSize) {
    if (pitch <= 0) {
        return std::min(count, 1);
    }
    return std::min(count, clientSize / pitch + 1);
}

} // namespace

int ComputeSheetPreview(const SheetFormat& f, int clientWidth, int clientHeight,
                        SheetPreviewGeometry* g) {
    const double widthMm = TwipsToMm(f.wPaperWidth, 0);
    const double heightMm = TwipsToMm(f.wPaperHeight, 0);
    const double longer = widthMm > heightMm ? f.wPaperWidth : f.wPaperHeight;
    const float longerMm = static_cast<float>(TwipsToMm(longer, 0));
    const int shorterSide = std::min(clientWidth, clientHeight);
    if (shorterSide <= 0 || longerMm <= 0.0f) {
        return 0;
    }
    const double scale = shorterSide * 254.0 / (longerMm * 14400.0);

    g->paperWidth = Pixels(f.wPaperWidth, scale);
    g->paperHeight = Pixels(f.wPaperHeight, scale);
    g->labelWidth = Pixels(f.wLabelWidth, scale);
    g->labelHeight = Pixels(f.wLabelHeight, scale);
    g->sepVertical = Pixels(f.wSepVertical, scale);
    g->sepHorizontal = Pixels(f.wSepHorizontal, scale);
    g->left = Pixels(f.wFirstLabelPosLeft, scale);
    g->top = Pixels(f.wFirstLabelPosTop, scale);
    g->x0 = (clientWidth - g->paperWidth) / 2;
    g->y0 = (clientHeight - g->paperHeight) / 2;
    g->rows = VisibleCount(f.wNumVertical, g->labelHeight + g->sepVertical, clientHeight);
    g->columns = VisibleCount(f.wNumHorizontal, g->labelWidth + g->sepHorizontal, clientWidth);
    return 1;
}

int PreviewLabelNumber(const SheetFormat& format, int row, int column) {
    return row * format.wNumHorizontal + column + 1;
}
