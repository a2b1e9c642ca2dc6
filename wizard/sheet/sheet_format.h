#pragma once
#include <cstddef>
#include <cstdint>

// One label sheet: paper, first label, label size, counts, separations and
// the unit flag. The last four fields place the text box on the label and
// belong to the project, not to the Label.ini library. All lengths are twips.
#pragma pack(push, 1)
struct SheetFormat {
    char szName[100];
    uint16_t wPaperWidth;
    uint16_t wPaperHeight;
    uint16_t wFirstLabelPosLeft;
    uint16_t wFirstLabelPosTop;
    uint16_t wLabelWidth;
    uint16_t wLabelHeight;
    uint16_t wNumVertical;
    uint16_t wNumHorizontal;
    uint16_t wSepVertical;
    uint16_t wSepHorizontal;
    uint32_t bInch;
    uint16_t wTextLeft;
    uint16_t wTextTop;
    uint16_t wTextWidth;
    uint16_t wTextHeight;
};
#pragma pack(pop)

static_assert(sizeof(SheetFormat) == 132, "SheetFormat is stored in project files");
static_assert(offsetof(SheetFormat, wPaperWidth) == 100);
static_assert(offsetof(SheetFormat, bInch) == 120);
static_assert(offsetof(SheetFormat, wTextLeft) == 124);
static_assert(offsetof(SheetFormat, wTextHeight) == 130);
