#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "embview_cells.h"
#include "embview_decode.h"
#include "job_doubles.h"
#include "page_grid.h"
#include "sample_sheets.h"

namespace {

constexpr int kLines = 3;
constexpr int kCells = 10;

// Label n's lines, as the translator writes cells (0x40 + dots); a blank
// cell sits in the middle of some lines.
std::vector<std::string> LinesOf(int32_t n) {
    std::vector<std::string> lines;
    for (int l = 0; l < 1 + n % kLines; ++l) {
        std::string line;
        for (int c = 0; c < 1 + (n + l) % kCells; ++c)
            line.push_back(static_cast<char>(
                0x40 | ((c == 3 && n % 2) ? 0 : (n * 7 + l * 13 + c * 5) % 63 + 1)));
        lines.push_back(line);
    }
    return lines;
}

int ComposeFromNumber(char* pBuffer, int32_t nRecord, AppState*) {
    size_t pos = 0;
    for (const std::string& line : LinesOf(nRecord)) {
        memcpy(pBuffer + pos, line.data(), line.size());
        pos += line.size();
        pBuffer[pos++] = 0;
    }
    pBuffer[pos] = 0;
    return 1;
}

SheetFormat ThreeByEightA4() {
    SheetFormat f = A4Paper();
    f.wFirstLabelPosLeft = 300;
    f.wFirstLabelPosTop = 200;
    f.wLabelWidth = 3800;
    f.wLabelHeight = 2050;
    f.wNumHorizontal = 3;
    f.wNumVertical = 8;
    f.wSepHorizontal = 57;
    f.wSepVertical = 0;
    f.wTextLeft = 283;
    f.wTextTop = 283;
    f.wTextWidth = 3402;  // 60 mm: 10 cells
    f.wTextHeight = 1701; // 30 mm: 3 lines
    return f;
}

TEST(RoundTrip, EveryCellComesBackAtItsPosition) {
    AppState state{};
    state.Sheet = ThreeByEightA4();
    uint32_t W = PageGridWidth(state.Sheet.wPaperWidth),
             H = PageGridHeight(state.Sheet.wPaperHeight);
    uint8_t* grid = AllocPageGrid(W, H);
    ASSERT_NE(grid, nullptr);
    MemorySink sink;
    LabelJob job = MakeLabelJob(&state, grid, W, H, &sink, ComposeFromNumber);

    // 30 labels from start position 5: 20 on the first sheet, 10 on the second.
    const int32_t first = 1, last = 30, start = 5;
    WholeRange control(last);
    ASSERT_EQ(WriteEmbossJob(job, first, start, 2, control), kJobComplete);
    FreePageGrid(grid);

    EmbJob decoded;
    DecodeError err;
    ASSERT_TRUE(DecodeJob(sink.bytes.data(), sink.bytes.size(), &decoded, &err))
        << "offset " << err.nOffset << ": " << err.message;
    ASSERT_TRUE(CheckPaper(decoded, state.Sheet, &err)) << err.message;
    EXPECT_EQ(decoded.nImpacts, 2);
    ASSERT_EQ(decoded.sheets.size(), 2u);
    EXPECT_TRUE(decoded.sheets[0].bFormFeed);
    EXPECT_FALSE(decoded.sheets[1].bFormFeed);
    EXPECT_TRUE(decoded.bEnded);

    std::vector<SheetCells> sheets;
    for (const EmbSheet& sheet : decoded.sheets) {
        sheets.push_back(ReadSheetCells(sheet, &state.Sheet));
        EXPECT_EQ(sheets.back().nStrayDots, 0u);
    }
    size_t found = 0;
    for (int32_t n = first, slot = start; n <= last; ++n, ++slot) {
        size_t sheet = static_cast<size_t>((slot - 1) / 24);
        int32_t row = (slot - 1) % 24 / 3 + 1, column = (slot - 1) % 3 + 1;
        std::vector<std::vector<uint8_t>> want;
        for (const std::string& line : LinesOf(n)) {
            std::vector<uint8_t> cells;
            for (char c : line)
                cells.push_back(static_cast<uint8_t>(c & 0x3F));
            while (!cells.empty() && cells.back() == 0)
                cells.pop_back();
            want.push_back(cells);
        }
        for (const LabelCells& label : sheets[sheet].labels) {
            if (label.nRow == row && label.nColumn == column) {
                EXPECT_EQ(label.lines, want) << "label " << n;
                ++found;
            }
        }
    }
    EXPECT_EQ(found, static_cast<size_t>(last - first + 1));
}

} // namespace
