#include <gtest/gtest.h>

#include "sheet_hit_test.h"
#include "sheet_preview_geometry.h"
#include "sample_sheets.h"

namespace {

// The sheet drawn in a 297 x 297 pixel area: one pixel per millimetre.
TEST(SheetHitTest, PointsNameTheSlotDrawnUnderThem) {
    const SheetFormat f = A4TwoByThree();
    SheetPreviewGeometry g;
    ASSERT_TRUE(ComputeSheetPreview(f, 297, 297, &g));
    const int x0 = g.x0 + g.left, y0 = g.y0 + g.top;
    const int pitchX = g.labelWidth + g.sepHorizontal, pitchY = g.labelHeight + g.sepVertical;
    struct Case {
        int x, y, slot;
    } cases[] = {
        {x0, y0, 0},                                // corner, edges included
        {x0 + g.labelWidth, y0 + g.labelHeight, 0}, // opposite corner
        {x0 + pitchX + 5, y0 + 5, 1},               // second column
        {x0 + 5, y0 + 2 * pitchY + 5, 4},           // third row
        {x0 + pitchX + 1, y0 + 2 * pitchY + 1, 5},  // last slot
        {x0 + g.labelWidth + 2, y0 + 5, -1},        // between columns
        {x0 - 2, y0 + 5, -1},                       // margin of the paper
        {g.x0 - 3, g.y0 + 20, -1},                  // off the paper
        {x0 + 5, y0 + 3 * pitchY + 5, -1},          // below the last row
    };
    for (const Case& c : cases)
        EXPECT_EQ(HitTestSheetSlot(f, 297, 297, c.x, c.y), c.slot) << c.x << "," << c.y;
}

TEST(SheetHitTest, NothingToHitWithoutPaperOrArea) {
    SheetFormat empty{};
    EXPECT_EQ(HitTestSheetSlot(empty, 200, 200, 100, 100), -1);
    EXPECT_EQ(HitTestSheetSlot(A4TwoByThree(), 0, 0, 0, 0), -1);
}

} // namespace
