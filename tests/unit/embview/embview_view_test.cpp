#include <gtest/gtest.h>

#include <string>

#include "embview_cells.h"
#include "embview_options.h"
#include "embview_render.h"
#include "sample_sheets.h"

namespace {

EmbSheet BlankSheet(uint32_t W, uint32_t H) {
    EmbSheet sheet;
    sheet.W = W;
    sheet.H = H;
    sheet.dots.assign(W * H, 0);
    return sheet;
}

void Cell(EmbSheet& sheet, int x, int y, uint8_t bits) {
    for (int bit = 0; bit < 6; ++bit)
        if (bits & (1 << bit))
            sheet.dots[(y + bit % 3 * 5) * sheet.W + x + bit / 3 * 5] = 1;
}

// Two labels across, one down; 20 mm wide labels with a 10 mm text box.
SheetFormat TwoLabels() {
    SheetFormat f{};
    f.wPaperWidth = 2835;  // 50 mm
    f.wPaperHeight = 1417; // 25 mm
    f.wLabelWidth = 1134;
    f.wLabelHeight = 1134;
    f.wNumHorizontal = 2;
    f.wNumVertical = 1;
    f.wSepHorizontal = 283; // 5 mm
    f.wTextLeft = 57;       // 1 mm
    f.wTextTop = 113;       // 2 mm
    f.wTextWidth = 680;     // 12 mm: 2 cells
    f.wTextHeight = 1134;   // 20 mm: 2 lines
    return f;
}

TEST(EmbviewCells, ReadsEachLabelsTextBox) {
    SheetFormat f = TwoLabels();
    EmbSheet sheet = BlankSheet(104, 50);
    Cell(sheet, 2, 4, 0x3F);       // label 1, line 1, cell 1
    Cell(sheet, 14, 24, 0x21);     // label 1, line 2, cell 2
    Cell(sheet, 52 + 12, 4, 0x08); // label 2 starts at 25 + 1 mm: unit 52
    SheetCells cells = ReadSheetCells(sheet, &f);
    ASSERT_EQ(cells.labels.size(), 2u);
    EXPECT_EQ(cells.labels[0].nColumn, 1);
    EXPECT_EQ(cells.labels[0].lines, (std::vector<std::vector<uint8_t>>{{0x3F}, {0x00, 0x21}}));
    EXPECT_EQ(cells.labels[1].nColumn, 2);
    EXPECT_EQ(cells.labels[1].lines, (std::vector<std::vector<uint8_t>>{{0x00, 0x08}}));
    EXPECT_EQ(cells.nStrayDots, 0u);
}

TEST(EmbviewCells, DotsOffTheCellPositionsAreStray) {
    SheetFormat f = TwoLabels();
    struct Case {
        int x, y;
        size_t stray;
    } cases[] = {
        {2, 4, 0},   // dot 1 of the first cell
        {3, 4, 1},   // one unit off
        {26, 4, 1},  // a third cell: beyond the 2-cell text box
        {2, 44, 1},  // a third line
        {100, 0, 1}, // between the labels' text boxes
    };
    for (const Case& c : cases) {
        EmbSheet sheet = BlankSheet(104, 50);
        sheet.dots[c.y * sheet.W + c.x] = 1;
        EXPECT_EQ(ReadSheetCells(sheet, &f).nStrayDots, c.stray) << c.x << "," << c.y;
    }
}

TEST(EmbviewCells, WithoutFormatTextStartsAtTheTopLeftDot) {
    EmbSheet sheet = BlankSheet(64, 40);
    Cell(sheet, 7, 3, 0x01);
    Cell(sheet, 31, 3, 0x24);
    Cell(sheet, 7, 23, 0x38);
    SheetCells cells = ReadSheetCells(sheet, nullptr);
    ASSERT_EQ(cells.labels.size(), 1u);
    EXPECT_EQ(cells.labels[0].lines,
              (std::vector<std::vector<uint8_t>>{{0x01, 0x00, 0x24}, {0x38}}));
    EXPECT_EQ(BrailleUtf8(cells.labels[0].lines[0]), "\u2801\u2800\u2824");
}

TEST(EmbviewCells, PaperMustMatchTheFormat) {
    const SheetFormat f = A4Paper();
    struct Case {
        int32_t pw, pl;
        uint32_t W, H;
        bool good;
    } cases[] = {
        {8000, 12000, 424, 594, true},
        {8270, 12000, 424, 594, false},
        {8000, 12000, 420, 594, false},
        {8000, 12000, 424, 593, false},
    };
    for (const Case& c : cases) {
        EmbJob job;
        job.nPaperWidth = c.pw;
        job.nPaperLength = c.pl;
        job.sheets.push_back(BlankSheet(c.W, c.H));
        DecodeError err;
        EXPECT_EQ(CheckPaper(job, f, &err), c.good)
            << c.pw << " " << c.W << "x" << c.H << ": " << err.message;
    }
}

TEST(EmbviewOptions, SheetFieldsByName) {
    SheetFormat f{};
    std::string problem;
    ASSERT_TRUE(ParseSheetFields("wPaperWidth=11906,wNumVertical=8,wTextHeight=0", &f, &problem))
        << problem;
    EXPECT_EQ(f.wPaperWidth, 11906);
    EXPECT_EQ(f.wNumVertical, 8);
    for (const char* bad : {"wPaperWidth", "wPaper=1", "wPaperWidth=70000", "wPaperWidth=12x",
                            "wPaperWidth=1,", "szName=1", "wPaperWidth="}) {
        SheetFormat g{};
        EXPECT_FALSE(ParseSheetFields(bad, &g, &problem)) << bad;
    }
}

TEST(EmbviewRender, SvgDrawsEveryDotAndLabel) {
    SheetFormat f = TwoLabels();
    EmbJob job;
    job.sheets.push_back(BlankSheet(104, 50));
    Cell(job.sheets[0], 2, 4, 0x3F);
    std::string svg = JobSvg(job, &f);
    size_t circles = 0, rects = 0;
    for (size_t at = 0; (at = svg.find("<circle", at)) != std::string::npos; ++at)
        ++circles;
    for (size_t at = 0; (at = svg.find("<rect", at)) != std::string::npos; ++at)
        ++rects;
    EXPECT_EQ(circles, 6u);
    EXPECT_EQ(rects, 3u); // the paper and two labels
    EXPECT_NE(svg.find("viewBox=\"0 0 104 70\""), std::string::npos) << svg.substr(0, 200);
}

} // namespace
