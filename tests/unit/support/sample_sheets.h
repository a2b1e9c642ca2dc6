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

// 2 x 7 labels of 99.1 x 38.1 mm, as stock sheets come, on A4 a twip short
// each way; the text box is left to the test.
inline SheetFormat A4TwoBySeven() {
    SheetFormat f{};
    f.wPaperWidth = 11905;
    f.wPaperHeight = 16837;
    f.wFirstLabelPosLeft = 260;
    f.wFirstLabelPosTop = 856;
    f.wLabelWidth = 5618;
    f.wLabelHeight = 2160;
    f.wNumVertical = 7;
    f.wNumHorizontal = 2;
    f.wSepHorizontal = 141;
    return f;
}
