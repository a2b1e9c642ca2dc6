#include <gtest/gtest.h>

#include "embview_cells.h"
#include "embview_render.h"
#include "sample_sheets.h"

namespace {

// An A4 sheet with one raised dot at the top left corner.
EmbSheet OneDotSheet() {
    EmbSheet sheet;
    sheet.W = 424;
    sheet.H = 594;
    sheet.dots.assign(size_t{sheet.W} * sheet.H, 0);
    sheet.dots[0] = 1;
    return sheet;
}

// Formats no sheet could hold must still be read and drawn at once: only
// slots on the sheet, and each slot once.
TEST(EmbviewBounds, HugeLabelCountsAreReadOnlyWhereTheSheetIs) {
    struct Case {
        uint16_t labelWidth, labelHeight, across, down;
    } cases[] = {
        {0, 0, 65535, 65535},   // every label on the same spot
        {57, 57, 65535, 65535}, // 1 mm labels, far more than fit
        {5102, 3402, 65535, 2}, // a row running off the paper
    };
    for (const Case& c : cases) {
        SheetFormat f = A4Paper();
        f.wLabelWidth = c.labelWidth;
        f.wLabelHeight = c.labelHeight;
        f.wNumHorizontal = c.across;
        f.wNumVertical = c.down;
        f.wTextWidth = 65535;
        f.wTextHeight = 65535;
        SheetCells cells = ReadSheetCells(OneDotSheet(), &f);
        ASSERT_FALSE(cells.labels.empty()) << c.labelWidth;
        EXPECT_EQ(cells.labels[0].nRow, 1);
        EXPECT_EQ(cells.labels[0].nColumn, 1);
        EXPECT_EQ(cells.labels[0].lines[0][0], 1) << c.labelWidth;
        EXPECT_EQ(cells.nStrayDots, 0u);

        EmbJob job;
        job.sheets.push_back(OneDotSheet());
        EXPECT_LT(JobSvg(job, &f).size(), size_t{64} << 20) << c.labelWidth;
    }
}

} // namespace
