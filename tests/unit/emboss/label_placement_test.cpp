#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>

#include "label_placement.h"
#include "job_doubles.h"
#include "page_grid.h"
#include "sample_sheets.h"

namespace {

// Composed text per label number, as the composer would hand it over:
// lines separated by NUL, the whole ended by an extra NUL.
std::map<int32_t, std::string> gTexts;
int gComposeResult = 1;

int FakeCompose(char* pBuffer, int32_t nRecord, AppState*) {
    auto it = gTexts.find(nRecord);
    std::string text = it == gTexts.end() ? std::string(2, '\0') : it->second;
    memcpy(pBuffer, text.data(), std::min(text.size(), kLabelTextSize));
    return gComposeResult;
}

// Fills the whole buffer without a single NUL.
int UnterminatedCompose(char* pBuffer, int32_t, AppState*) {
    memset(pBuffer, 0x41, kLabelTextSize);
    return 1;
}

struct Fixture {
    explicit Fixture(uint16_t across, uint16_t down, ComposeLabelFn compose = FakeCompose) {
        state.Sheet = A4Paper();
        state.Sheet.wNumHorizontal = across;
        state.Sheet.wNumVertical = down;
        state.Sheet.wLabelWidth = 1134;
        state.Sheet.wLabelHeight = 1417;
        W = PageGridWidth(state.Sheet.wPaperWidth);
        H = PageGridHeight(state.Sheet.wPaperHeight);
        grid.assign(W * H, kNoDot);
        job = MakeLabelJob(&state, grid.data(), W, H, &sink, compose);
        gComposeResult = 1;
        gTexts.clear();
    }
    bool Dot(int x, int y) const { return grid[y * W + x] == kDot; }
    size_t DotCount() const { return std::count(grid.begin(), grid.end(), kDot); }
    AppState state{};
    uint32_t W, H;
    std::vector<uint8_t> grid;
    MemorySink sink;
    LabelJob job;
};

TEST(LabelSlots, FillEachSheetRowByRow) {
    SheetFormat f{};
    f.wNumHorizontal = 2;
    f.wNumVertical = 3;
    struct Case {
        int32_t slot, row, column;
    } cases[] = {
        {1, 1, 1}, {2, 1, 2},  {3, 2, 1},  {5, 3, 1}, {6, 3, 2},
        {7, 1, 1}, {12, 3, 2}, {13, 1, 1}, {0, 3, 2}, // start position 0: the last slot of a sheet
                                                      // of its own
    };
    for (const Case& c : cases) {
        int32_t row = -1, column = -1;
        ASSERT_EQ(LabelSlotOf(f, c.slot, &row, &column), 1) << c.slot;
        EXPECT_EQ(row, c.row) << "slot " << c.slot;
        EXPECT_EQ(column, c.column) << "slot " << c.slot;
    }
    int32_t row, column;
    EXPECT_EQ(LabelSlotOf(f, -1, &row, &column), 0);
    for (auto [across, down] : {std::pair{0, 3}, std::pair{2, 0}}) {
        f.wNumHorizontal = static_cast<uint16_t>(across);
        f.wNumVertical = static_cast<uint16_t>(down);
        EXPECT_EQ(LabelSlotOf(f, 1, &row, &column), 0) << across << "x" << down;
    }
}

TEST(LabelPlacement, TextBoxOfTheSlotInHalfMillimetres) {
    Fixture t(3, 2);
    SheetFormat& f = t.state.Sheet;
    f.wFirstLabelPosLeft = 567; // 10 mm
    f.wFirstLabelPosTop = 850;  // 14.99 mm
    f.wSepHorizontal = 113;     // 1.99 mm
    f.wTextLeft = 283;
    f.wTextTop = 142;
    gTexts[7] = std::string("\x01\0\x20\0\0", 5);
    // Slot 5 is row 2, column 2: X = 2097 twips (37 mm), Y = 2409 (42 mm).
    ASSERT_EQ(PlaceLabel(t.job, 7, 5), 1);
    EXPECT_EQ(t.DotCount(), 2u);
    EXPECT_TRUE(t.Dot(74, 84));
    EXPECT_TRUE(t.Dot(79, 114)); // dot 6 of the next line, 20 units down
    EXPECT_TRUE(t.sink.bytes.empty());
    EXPECT_EQ(t.job.bPagePending, 1);
}

TEST(LabelPlacement, SheetIsWrittenWhenItsLastSlotIsFilled) {
    // 2 x 3 labels from start position 5.
    Fixture t(2, 3);
    gTexts[1] = gTexts[2] = gTexts[3] = std::string("\x3F\0\0", 3);
    ASSERT_EQ(PlaceLabel(t.job, 1, 5), 1);
    EXPECT_TRUE(t.sink.bytes.empty());
    ASSERT_EQ(PlaceLabel(t.job, 2, 6), 1);
    ASSERT_FALSE(t.sink.bytes.empty());
    EXPECT_EQ(t.sink.bytes.back(), 0x0C);
    EXPECT_EQ(t.job.bPagePending, 0);
    EXPECT_EQ(t.DotCount(), 0u);
    size_t firstSheet = t.sink.bytes.size();

    ASSERT_EQ(PlaceLabel(t.job, 3, 7), 1);
    EXPECT_EQ(t.sink.bytes.size(), firstSheet);
    EXPECT_TRUE(t.Dot(0, 0)); // row 1, column 1 of the next sheet
    ASSERT_EQ(EndLabelPages(t.job), 1);
    EXPECT_GT(t.sink.bytes.size(), firstSheet);
    EXPECT_NE(t.sink.bytes.back(), 0x0C); // the last, partly filled sheet
    EXPECT_EQ(t.job.bPagePending, 0);

    size_t total = t.sink.bytes.size();
    ASSERT_EQ(EndLabelPages(t.job), 1);
    EXPECT_EQ(t.sink.bytes.size(), total); // nothing pending, nothing written
}

TEST(LabelPlacement, UncomposableLabelIsBlankButTakesItsSlot) {
    Fixture t(1, 2);
    gTexts[1] = std::string("\x3F\0\0", 3);
    gComposeResult = 0;
    ASSERT_EQ(PlaceLabel(t.job, 1, 1), 1);
    EXPECT_EQ(t.DotCount(), 0u);
    EXPECT_EQ(t.job.bPagePending, 1);
    ASSERT_EQ(PlaceLabel(t.job, 2, 2), 1);
    EXPECT_EQ(t.sink.bytes.back(), 0x0C);
}

TEST(LabelPlacement, EmptyFirstLineEndsTheLabel) {
    Fixture t(2, 2);
    gTexts[1] = std::string("\0\x3F\0\0", 4);
    ASSERT_EQ(PlaceLabel(t.job, 1, 1), 1);
    EXPECT_EQ(t.DotCount(), 0u);
}

TEST(LabelPlacement, UnterminatedTextStaysInsideItsBuffer) {
    Fixture t(1, 1, UnterminatedCompose);
    t.state.Sheet.wNumVertical = 2;
    ASSERT_EQ(PlaceLabel(t.job, 1, 1), 1);
    // Dot 1 of every cell that fits across the 424-unit row.
    EXPECT_EQ(t.DotCount(), 36u);
}

TEST(LabelPlacement, LabelsThatCannotBePlacedFail) {
    struct Case {
        const char* name;
        uint16_t across, down;
        uint16_t paperWidth;
        int32_t slot;
        size_t sinkLimit;
    } cases[] = {
        {"no labels across", 0, 3, 11906, 1, SIZE_MAX},
        {"no labels down", 2, 0, 11906, 1, SIZE_MAX},
        {"negative slot", 2, 3, 11906, -4, SIZE_MAX},
        {"paper too wide for a graphics row", 1, 1, 65535, 1, SIZE_MAX},
        {"spool file full", 1, 1, 11906, 1, 100},
    };
    for (const Case& c : cases) {
        Fixture t(c.across, c.down);
        t.state.Sheet.wPaperWidth = c.paperWidth;
        t.W = PageGridWidth(c.paperWidth);
        t.grid.assign(t.W * t.H, kNoDot);
        t.job = MakeLabelJob(&t.state, t.grid.data(), t.W, t.H, &t.sink, FakeCompose);
        t.sink.limit = c.sinkLimit;
        gTexts[1] = std::string("\x3F\0\0", 3);
        EXPECT_EQ(PlaceLabel(t.job, 1, c.slot), 0) << c.name;
    }
}

TEST(LabelPlacement, LastSheetThatCannotBeWrittenFails) {
    Fixture t(2, 2);
    gTexts[1] = std::string("\x3F\0\0", 3);
    ASSERT_EQ(PlaceLabel(t.job, 1, 1), 1);
    t.sink.limit = 0;
    EXPECT_EQ(EndLabelPages(t.job), 0);
}

} // namespace
