#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "embosser_queue.h"
#include "embview_cells.h"
#include "embview_decode.h"
#include "job_doubles.h"
#include "page_grid.h"

namespace {

// "ABC" style text: label n gets n cells of dots 1..n, on two lines.
int NumberedLabel(char* pBuffer, int32_t nRecord, AppState*) {
    size_t pos = 0;
    for (int line = 0; line < 2; ++line) {
        for (int32_t c = 0; c < nRecord; ++c)
            pBuffer[pos++] = static_cast<char>(0x40 | (c + line + 1));
        pBuffer[pos++] = 0;
    }
    pBuffer[pos] = 0;
    return 1;
}

TEST(SpooledJob, EmbosserQueueReceivesTheCellsComposed) {
    AppState state{};
    SheetFormat& f = state.Sheet;
    f.wPaperWidth = 12240; // letter
    f.wPaperHeight = 15840;
    f.wLabelWidth = 5669;
    f.wLabelHeight = 2835;
    f.wNumHorizontal = 2;
    f.wNumVertical = 5;
    f.wTextLeft = 283;
    f.wTextTop = 283;
    f.wTextWidth = 5102;
    f.wTextHeight = 2268;

    uint32_t W = PageGridWidth(f.wPaperWidth), H = PageGridHeight(f.wPaperHeight);
    uint8_t* grid = AllocPageGrid(W, H);
    ASSERT_NE(grid, nullptr);
    MemorySink sink;
    LabelJob job = MakeLabelJob(&state, grid, W, H, &sink, NumberedLabel);
    WholeRange twelve(12);
    ASSERT_EQ(WriteEmbossJob(job, 1, 1, 3, twelve), kJobComplete);
    FreePageGrid(grid);

    const VirtualQueue queue = {"Spool Test Ridgeline", "Vantor Ridgeline V4", 0};
    std::string portFile;
    ASSERT_TRUE(AddTempQueue(queue, &portFile));
    DeleteFileA(portFile.c_str());
    const std::string bytes(sink.bytes.begin(), sink.bytes.end());
    // Sent in blocks of 1024 bytes, as the wizard sends a spool file.
    ASSERT_TRUE(SendRawJob(queue.szQueue, bytes, 1024));

    const std::string arrived = ReadWhenComplete(portFile, bytes.size());
    ASSERT_EQ(arrived, bytes);
    EmbJob decoded;
    DecodeError err;
    ASSERT_TRUE(
        DecodeJob(reinterpret_cast<const uint8_t*>(arrived.data()), arrived.size(), &decoded, &err))
        << err.nOffset << ": " << err.message;
    EXPECT_EQ(decoded.nPaperWidth, 9000);
    EXPECT_EQ(decoded.nImpacts, 3);
    ASSERT_EQ(decoded.sheets.size(), 2u);
    size_t labels = 0;
    for (size_t s = 0; s < decoded.sheets.size(); ++s) {
        SheetCells cells = ReadSheetCells(decoded.sheets[s], &f);
        EXPECT_EQ(cells.nStrayDots, 0u);
        for (const LabelCells& label : cells.labels) {
            int32_t n = static_cast<int32_t>(s) * 10 + (label.nRow - 1) * 2 + label.nColumn;
            ASSERT_EQ(label.lines.size(), 2u) << n;
            EXPECT_EQ(label.lines[0].size(), static_cast<size_t>(n)) << n;
            EXPECT_EQ(label.lines[1].back(), n + 1) << n;
            ++labels;
        }
    }
    EXPECT_EQ(labels, 12u);
    RemoveVirtualQueue(queue.szQueue);
    DeleteFileA(portFile.c_str());
}

} // namespace
