#include <gtest/gtest.h>

#include <vector>

#include "job_bytes.h"
#include "job_doubles.h"
#include "page_grid.h"

namespace {

// What EmitDotRow must write for one row covering k rows.
std::vector<uint8_t> ExpectedRow(int k, const std::vector<uint8_t>& row) {
    JobBytes out;
    out.Row(k < 50 ? k : 50, row);
    for (int left = k - 50; left > 0; left -= 50)
        out.Step(left < 50 ? left : 50);
    return out.b;
}

// A grid with guard bytes on both sides, to see writes outside it.
struct GuardedGrid {
    GuardedGrid(uint32_t w, uint32_t h) : W(w), H(h), buf(w * h + 2 * kGuard, 'g') {
        ClearPageGrid(grid(), W, H);
    }
    uint8_t* grid() { return buf.data() + kGuard; }
    bool GuardsIntact() const {
        for (size_t i = 0; i < kGuard; ++i)
            if (buf[i] != 'g' || buf[buf.size() - 1 - i] != 'g')
                return false;
        return true;
    }
    std::vector<std::pair<int, int>> Dots() {
        std::vector<std::pair<int, int>> dots;
        for (uint32_t y = 0; y < H; ++y)
            for (uint32_t x = 0; x < W; ++x)
                if (grid()[y * W + x] == kDot)
                    dots.emplace_back(static_cast<int>(x), static_cast<int>(y));
        return dots;
    }
    static constexpr size_t kGuard = 64;
    uint32_t W, H;
    std::vector<uint8_t> buf;
};

TEST(PageGrid, SizeFromPaper) {
    struct Case {
        uint16_t width, height;
        uint32_t W, H;
    } cases[] = {
        {11906, 16838, 424, 594}, // A4: 210 mm raised from 420 to 424
        {12240, 15840, 432, 558}, // letter: 216 x 279 mm
        {11339, 11339, 400, 400}, // 200 mm: already a multiple of 8
        {600, 600, 24, 22},       // 10.58 mm: 11 mm, 22 units raised to 24
        {0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PageGridWidth(c.width), c.W) << c.width;
        EXPECT_EQ(PageGridHeight(c.height), c.H) << c.height;
    }
}

TEST(PageGrid, CellDotPositions) {
    struct Case {
        uint8_t cell;
        std::vector<std::pair<int, int>> dots; // (x, y), row by row
    } cases[] = {
        {0x01, {{10, 20}}},
        {0x02, {{10, 25}}},
        {0x04, {{10, 30}}},
        {0x08, {{15, 20}}},
        {0x10, {{15, 25}}},
        {0x20, {{15, 30}}},
        {0x3F, {{10, 20}, {15, 20}, {10, 25}, {15, 25}, {10, 30}, {15, 30}}},
        {0x40, {}}, // translator output carries 0x40: not a dot
        {0x41, {{10, 20}}},
        {0xC0, {}},
    };
    for (const Case& c : cases) {
        GuardedGrid g(40, 40);
        DrawBrailleCell(g.grid(), 10, 20, c.cell, g.W, g.H);
        EXPECT_EQ(g.Dots(), c.dots) << "cell " << int{c.cell};
    }
}

TEST(PageGrid, DotsOutsideTheGridAreDropped) {
    struct Case {
        int64_t x, y;
        std::vector<std::pair<int, int>> dots;
    } cases[] = {
        {13, 0, {{13, 0}, {13, 5}, {13, 10}}},         // right column past the edge, not wrapped
        {0, 10, {{0, 10}, {5, 10}, {0, 15}, {5, 15}}}, // bottom row past the edge
        {-5, 0, {{0, 0}, {0, 5}, {0, 10}}},            // left column before the edge
        {16, 0, {}},
        {0, 16, {}},
        {1000000, 1000000, {}},
        {-1000000, -1000000, {}},
    };
    for (const Case& c : cases) {
        GuardedGrid g(16, 16);
        DrawBrailleCell(g.grid(), c.x, c.y, 0x3F, g.W, g.H);
        EXPECT_EQ(g.Dots(), c.dots) << c.x << "," << c.y;
        EXPECT_TRUE(g.GuardsIntact()) << c.x << "," << c.y;
    }
}

TEST(PageGrid, LineTakesOneCellPositionPerByte) {
    GuardedGrid g(48, 16);
    const char line[] = {0x01, 0x00, 0x08, 0x01}; // the blank cell still advances
    DrawBrailleLine(g.grid(), 2, 0, line, sizeof line, g.W, g.H);
    std::vector<std::pair<int, int>> want = {{2, 0}, {31, 0}, {38, 0}};
    EXPECT_EQ(g.Dots(), want);
    EXPECT_TRUE(g.GuardsIntact());
}

TEST(EmbosserRows, LineSpacingAndRowBytes) {
    const std::vector<uint8_t> row = {0x81, 0x00, 0xFF};
    for (int k : {1, 3, 49, 50, 51, 99, 100, 101, 594}) {
        MemorySink sink;
        ASSERT_EQ(EmitDotRow(sink, row.data(), 3, k), 1);
        EXPECT_EQ(sink.bytes, ExpectedRow(k, row)) << "k = " << k;
    }
    MemorySink three;
    EmitDotRow(three, row.data(), 3, 3);
    EXPECT_EQ(three.bytes[5], 15); // 3 rows of half a millimetre = 1.5 mm
}

TEST(EmbosserRows, BlankA4Page) {
    GuardedGrid g(424, 594);
    MemorySink sink;
    ASSERT_EQ(EmitPage(g.grid(), sink, g.W, g.H, 1), 1);
    std::vector<uint8_t> want = ExpectedRow(594, std::vector<uint8_t>(53, 0));
    EXPECT_EQ(sink.bytes, want);
    // One row with line spacing 50, ten further steps of 50 and one of 44.
    EXPECT_EQ(want.size(), 6u + 4 + 53 + 1 + 11 * 7);
    EXPECT_EQ(want[want.size() - 2], 5 * 44);
}

TEST(EmbosserRows, RowsCoverTheEmptyRowsBelow) {
    struct Dot {
        int x, y;
    };
    struct Case {
        const char* name;
        std::vector<Dot> dots;
        std::vector<std::pair<int, std::vector<uint8_t>>> rows; // covered, bytes
    } cases[] = {
        {"bottom row only", {{0, 39}}, {{39, {0, 0}}, {1, {0x01, 0}}}},
        {"rows 3 apart", {{0, 10}, {15, 13}}, {{10, {0, 0}}, {3, {0x01, 0}}, {27, {0, 0x80}}}},
        {"dot in row 0", {{8, 0}, {7, 0}}, {{40, {0x80, 0x01}}}},
    };
    for (const Case& c : cases) {
        GuardedGrid g(16, 40);
        for (const Dot& d : c.dots)
            g.grid()[d.y * g.W + d.x] = kDot;
        MemorySink sink;
        ASSERT_EQ(EmitPage(g.grid(), sink, g.W, g.H, 1), 1) << c.name;
        JobBytes want;
        for (const auto& [k, bytes] : c.rows)
            want.Raw(ExpectedRow(k, bytes));
        EXPECT_EQ(sink.bytes, want.b) << c.name;
    }
}

TEST(EmbosserRows, FormFeedUnlessLastAndGridCleared) {
    for (int last : {0, 1}) {
        GuardedGrid g(8, 4);
        g.grid()[9] = kDot;
        MemorySink sink;
        ASSERT_EQ(EmitPage(g.grid(), sink, g.W, g.H, last), 1);
        EXPECT_EQ(sink.bytes.back() == 0x0C, last == 0) << last;
        EXPECT_TRUE(g.Dots().empty());
    }
}

TEST(EmbosserRows, PagesThatCannotBeWrittenFail) {
    struct Case {
        uint32_t W;
        size_t limit;
    } cases[] = {
        {12, SIZE_MAX},   // not whole row bytes
        {2048, SIZE_MAX}, // more row bytes than the header can count
        {16, 0},          // the spool file refuses every byte
        {16, 20},         // ... or fails in the middle of the page
    };
    for (const Case& c : cases) {
        std::vector<uint8_t> grid(c.W * 40, kNoDot);
        grid[c.W * 20] = kDot;
        MemorySink sink;
        sink.limit = c.limit;
        EXPECT_EQ(EmitPage(grid.data(), sink, c.W, 40, 0), 0) << c.W << " " << c.limit;
    }
}

} // namespace
