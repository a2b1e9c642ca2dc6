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

// The ten values of a format that the user edits, in record order.
enum class SheetField {
    PaperWidth,
    PaperHeight,
    FirstLabelPosLeft,
    FirstLabelPosTop,
    LabelWidth,
    LabelHeight,
    NumVertical,
    NumHorizontal,
    SepVertical,
    SepHorizontal,
};
constexpr int kSheetFieldCount = 10;

// The order in which ClampSheetFormat lowers fields.
extern const SheetField kClampOrder[kSheetFieldCount];

// Counts are plain numbers; every other field is a length in twips.
bool IsCountField(SheetField field);

uint16_t GetSheetField(const SheetFormat& format, SheetField field);
void SetSheetField(SheetFormat& format, SheetField field, uint16_t value);

// Allowed values of one field given the others: twips or a count.
struct SheetRange {
    int32_t min;
    int32_t max;
};
SheetRange SheetFormatRange(const SheetFormat& format, SheetField field);

// Lowers, in kClampOrder, every field above its maximum so that all labels
// stay on the paper. Values below their minimum are left alone.
void ClampSheetFormat(SheetFormat& format);

// 1 when names, counts and lengths at b's display precision are equal; the
// unit flag and the text box are not compared.
int SameSheetFormat(const SheetFormat& a, const SheetFormat& b);

// A4 paper with one 100 x 50 mm label, named "MySheetFormat".
SheetFormat DefaultSheetFormat();
