#pragma once
#include "sheet_format.h"

// The sheet picture to scale, in pixels of a client area: the paper centred,
// its longer side filling the shorter side of the area.
struct SheetPreviewGeometry {
    int x0, y0; // paper's top-left corner
    int paperWidth, paperHeight;
    int left, top; // first label, from the paper's corner
    int labelWidth, labelHeight;
    int sepHorizontal, sepVertical;
    int rows, columns; // labels that can be seen
};

// 0 when there is nothing to draw (an empty client area or a paper without
// size); otherwise fills `geometry` and returns 1.
int ComputeSheetPreview(const SheetFormat& format, int clientWidth, int clientHeight,
                        SheetPreviewGeometry* geometry);

// 1-based label number of row r, column c, as counted on the sheet.
int PreviewLabelNumber(const SheetFormat& format, int row, int column);
