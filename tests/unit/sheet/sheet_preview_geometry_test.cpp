#include <gtest/gtest.h>

#include "sheet_preview_geometry.h"

namespace {

SheetFormat Sheet(uint16_t width, uint16_t height) {
    SheetFormat f{};
    f.wPaperWidth = width;
    f.wPaperHeight = height;
    f.wLabelWidth = 5669;
    f.wLabelHeight = 2835;
    f.wNumVertical = 5;
    f.wNumHorizontal = 2;
    return f;
}

TEST(SheetPreviewGeometry, LongerSideFillsTheShorterSideOfTheArea) {
    const struct {
        uint16_t height;
        int pixels;
    } cases[] = {{16838, 336}, {16837, 335}};
    for (const auto& c : cases) {
        SheetPreviewGeometry g{};
        ASSERT_EQ(1, ComputeSheetPreview(Sheet(11905, c.height), 336, 400, &g));
        EXPECT_EQ(c.pixels, g.paperHeight) << c.height;
        EXPECT_EQ(237, g.paperWidth);
        EXPECT_EQ((336 - 237) / 2, g.x0);
        EXPECT_EQ((400 - c.pixels) / 2, g.y0);
        EXPECT_EQ(5, g.rows);
        EXPECT_EQ(2, g.columns);
    }
}

TEST(SheetPreviewGeometry, LandscapePaperUsesItsWidth) {
    SheetPreviewGeometry g{};
    ASSERT_EQ(1, ComputeSheetPreview(Sheet(16838, 11906), 400, 300, &g));
    EXPECT_EQ(300, g.paperWidth);
    EXPECT_EQ(50, g.x0);
}

TEST(SheetPreviewGeometry, NothingToDrawIsReported) {
    SheetPreviewGeometry g{};
    EXPECT_EQ(0, ComputeSheetPreview(Sheet(0, 0), 336, 400, &g));
    EXPECT_EQ(0, ComputeSheetPreview(Sheet(11905, 16837), 0, 400, &g));
}

TEST(SheetPreviewGeometry, TinyLabelsDrawOnlyWhatCanBeSeen) {
    SheetFormat f = Sheet(11905, 16837);
    f.wLabelWidth = 1;
    f.wLabelHeight = 40;
    f.wNumHorizontal = 11905;
    f.wNumVertical = 400;
    SheetPreviewGeometry g{};
    ASSERT_EQ(1, ComputeSheetPreview(f, 336, 400, &g));
    EXPECT_EQ(1, g.columns);
    EXPECT_EQ(1, g.rows);
    f.wSepVertical = 200; // a pitch of 3 pixels
    ASSERT_EQ(1, ComputeSheetPreview(f, 336, 400, &g));
    EXPECT_EQ(400 / 3 + 1, g.rows);
}

TEST(PreviewLabelNumber, CountsRowByRowFromOne) {
    const SheetFormat f = Sheet(11905, 16837);
    EXPECT_EQ(1, PreviewLabelNumber(f, 0, 0));
    EXPECT_EQ(2, PreviewLabelNumber(f, 0, 1));
    EXPECT_EQ(3, PreviewLabelNumber(f, 1, 0));
}

} // namespace
