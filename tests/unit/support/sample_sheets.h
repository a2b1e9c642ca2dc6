#pragma once
#include "sheet_format.h"

// A4 paper, 210 x 297 mm, and nothing on it yet.
inline SheetFormat A4Paper() {
    SheetFormat f{};
    f.wPaperWidth = 11906;
    f.wPaperHeight = 16838;
    return f;
}

// A4 with 2 x 3 labels of 90 x 80 mm, 10 mm from the paper's corner and
// 10 mm apart; the text box is left to the test.
inline SheetFormat A4TwoByThree() {
    SheetFormat f = A4Paper();
    f.wFirstLabelPosLeft = 567;
    f.wFirstLabelPosTop = 567;
    f.wLabelWidth = 5102;
    f.wLabelHeight = 4535;
    f.wSepHorizontal = 567;
    f.wSepVertical = 567;
    f.wNumHorizontal = 2;
    f.wNumVertical = 3;
    return f;
}
