#include <gtest/gtest.h>

#include <cstring>

#include "sheet_format.h"

namespace {

SheetFormat A4(uint16_t across, uint16_t labelWidth, uint16_t left, uint16_t sepH) {
    SheetFormat f{};
    std::strcpy(f.szName, "A4");
    f.wPaperWidth = 11905;
    f.wPaperHeight = 16837;
    f.wNumVertical = 1;
    f.wNumHorizontal = across;
    f.wLabelWidth = labelWidth;
    f.wLabelHeight = 2835;
    f.wFirstLabelPosLeft = left;
    f.wSepHorizontal = sepH;
    return f;
}

struct RangeCase {
    const char* what;
    SheetFormat format;
    SheetField field;
    int32_t min;
    int32_t max;
};

TEST(SheetFormatRange, KeepsAllLabelsOnThePaper) {
    SheetFormat inch = A4(1, 5669, 0, 0);
    inch.bInch = 1;
    SheetFormat oneLabelDown = A4(1, 5669, 0, 0);
    oneLabelDown.wSepVertical = 300;
    SheetFormat fiveDown = A4(1, 5669, 0, 0);
    fiveDown.wNumVertical = 5;
    fiveDown.wSepVertical = 100;
    fiveDown.wFirstLabelPosTop = 500;
    SheetFormat overfull = A4(3, 5669, 0, 0);

    const RangeCase cases[] = {
        {"paper width in mm", A4(1, 0, 0, 0), SheetField::PaperWidth, 340, 16837},
        {"paper width in inch", inch, SheetField::PaperWidth, 340, 16837},
        {"paper height", A4(1, 0, 0, 0), SheetField::PaperHeight, 340, 18720},
        {"label width, three across", A4(3, 3000, 500, 200), SheetField::LabelWidth, 0, 3668},
        {"two labels fit across", A4(1, 5669, 0, 0), SheetField::NumHorizontal, 1, 2},
        {"no gap with one column", A4(1, 5669, 0, 500), SheetField::SepHorizontal, 0, 0},
        {"gap between three columns", A4(3, 3000, 500, 0), SheetField::SepHorizontal, 0, 1202},
        {"left with two columns", A4(2, 5669, 0, 100), SheetField::FirstLabelPosLeft, 0, 467},
        {"left of overfull sheet is 0", overfull, SheetField::FirstLabelPosLeft, 0, 0},
        {"no vertical gap with one row", oneLabelDown, SheetField::SepVertical, 0, 0},
        {"top with five rows", fiveDown, SheetField::FirstLabelPosTop, 0, 16837 - 400 - 5 * 2835},
        {"rows that fit", fiveDown, SheetField::NumVertical, 1, (16837 - 500 + 100) / 2935},
        {"label height of five rows", fiveDown, SheetField::LabelHeight, 0,
         (16837 - 400 - 500) / 5},
        {"vertical gap of five rows", fiveDown, SheetField::SepVertical, 0,
         (16837 - 5 * 2835 - 500) / 4},
    };
    for (const RangeCase& c : cases) {
        const SheetRange range = SheetFormatRange(c.format, c.field);
        EXPECT_EQ(c.min, range.min) << c.what;
        EXPECT_EQ(c.max, range.max) << c.what;
    }
}

TEST(SheetFormatRange, DamagedEntriesGiveSafeRanges) {
    SheetFormat noCounts = A4(0, 5669, 0, 0);
    noCounts.wNumVertical = 0;
    SheetFormat noSizes = A4(2, 0, 0, 0);
    noSizes.wLabelHeight = 0;
    SheetFormat huge{};
    std::memset(&huge, 0xFF, sizeof huge);

    EXPECT_EQ(11905, SheetFormatRange(noCounts, SheetField::LabelWidth).max);
    EXPECT_EQ(16837, SheetFormatRange(noCounts, SheetField::LabelHeight).max);
    EXPECT_EQ(1, SheetFormatRange(noSizes, SheetField::NumHorizontal).max);
    EXPECT_EQ(1, SheetFormatRange(noSizes, SheetField::NumVertical).max);
    for (int i = 0; i < kSheetFieldCount; ++i) {
        const SheetRange range = SheetFormatRange(huge, static_cast<SheetField>(i));
        EXPECT_LE(range.min, range.max) << "field " << i;
        EXPECT_GE(range.min, 0) << "field " << i;
    }
    ClampSheetFormat(huge);
    EXPECT_EQ(16837, huge.wPaperWidth);
    EXPECT_EQ(1, huge.wNumHorizontal);
}

TEST(ClampSheetFormat, LowersCountsBeforeSizes) {
    SheetFormat f = A4(2, 5669, 0, 0);
    f.wPaperWidth = 5000;
    ClampSheetFormat(f);
    EXPECT_EQ(1, f.wNumHorizontal);
    EXPECT_EQ(5000, f.wLabelWidth);

    SheetFormat withLeft = A4(2, 5669, 300, 100);
    withLeft.wPaperWidth = 5000;
    ClampSheetFormat(withLeft);
    EXPECT_EQ(1, withLeft.wNumHorizontal);
    EXPECT_EQ(4700, withLeft.wLabelWidth);
    EXPECT_EQ(300, withLeft.wFirstLabelPosLeft);
    EXPECT_EQ(0, withLeft.wSepHorizontal);
}

TEST(ClampSheetFormat, LeavesValuesBelowTheirMinimum) {
    SheetFormat f = A4(0, 100, 0, 0);
    f.wPaperWidth = 100;
    ClampSheetFormat(f);
    EXPECT_EQ(100, f.wPaperWidth);
    EXPECT_EQ(0, f.wNumHorizontal);
}

TEST(SameSheetFormat, ComparesAtTheDisplayPrecisionOfTheSecond) {
    const SheetFormat base = A4(2, 5669, 0, 0);
    SheetFormat sameShown = base;
    sameShown.wPaperWidth = 11906; // 210.0 mm like 11905
    SheetFormat otherUnit = base;
    otherUnit.bInch = 1;
    otherUnit.wTextLeft = 99;
    SheetFormat otherCount = base;
    otherCount.wNumVertical = 2;
    SheetFormat otherName = base;
    std::strcpy(otherName.szName, "a4");
    SheetFormat tenthOff = base;
    tenthOff.wLabelWidth = 5669 + 6;

    EXPECT_EQ(1, SameSheetFormat(base, base));
    EXPECT_EQ(1, SameSheetFormat(base, sameShown));
    EXPECT_EQ(1, SameSheetFormat(base, otherUnit));
    EXPECT_EQ(0, SameSheetFormat(base, otherCount));
    EXPECT_EQ(0, SameSheetFormat(base, otherName));
    EXPECT_EQ(0, SameSheetFormat(base, tenthOff));
}

TEST(DefaultSheetFormat, IsOneLabelOnA4) {
    const SheetFormat f = DefaultSheetFormat();
    EXPECT_STREQ("MySheetFormat", f.szName);
    const uint16_t expected[kSheetFieldCount] = {11906, 16838, 0, 0, 5669, 2835, 1, 1, 1, 1};
    for (int i = 0; i < kSheetFieldCount; ++i) {
        EXPECT_EQ(expected[i], GetSheetField(f, static_cast<SheetField>(i))) << "field " << i;
    }
    EXPECT_EQ(0u, f.bInch);
}

} // namespace
