#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "emboss_run.h"
#include "job_bytes.h"
#include "job_doubles.h"
#include "page_grid.h"

// Whole jobs on small paper, byte for byte, worked out by hand from the
// embosser's language rather than read back by our own decoder.
namespace {

std::string gText; // every label's composed lines

int SameText(char* pBuffer, int32_t, AppState*) {
    memcpy(pBuffer, gText.data(), gText.size());
    return 1;
}

TEST(JobBytes, SmallJobsByteForByte) {
    struct Case {
        const char* name;
        // Paper 20 mm wide, labels 20 x 20 mm in one column.
        uint16_t paperHeight, firstTop, down, textLeft, textTop;
        std::string text;
        int32_t from, to, start;
        uint32_t impacts;
        std::vector<uint8_t> bytes;
    } cases[] = {
        {
            // 20 x 20 mm paper (W = H = 40), one label; text box 5 mm in and
            // down. Line 1: dots 1 4 and a full cell; line 2: dots 1 2.
            "one full sheet",
            1134,
            0,
            1,
            283,
            283,
            std::string("\x49\x7F\0\x43\0\0", 6),
            1,
            1,
            1,
            2,
            JobBytes()
                .Header("PW1000,PL1000,MI2,DP1,FP0;")
                .Row(10, {0, 0, 0, 0, 0})         // row 0, down to row 10
                .Row(5, {0, 0x84, 0x40, 0x08, 0}) // row 10: columns 10 15 22 27
                .Row(5, {0, 0, 0x40, 0x08, 0})    // row 15
                .Row(10, {0, 0, 0x40, 0x08, 0})   // row 20, down to line 2
                .Row(5, {0, 0x04, 0, 0, 0})       // row 30: column 10
                .Row(5, {0, 0x04, 0, 0, 0})       // row 35, to the bottom
                .FormFeed()
                .End()
                .b,
        },
        {
            // 20 x 80 mm paper (H = 160), two labels down from 40 mm; one
            // label, so the sheet ends partly filled. Both written rows
            // cover 80 rows: 50, then a further step of 30.
            "partly filled sheet",
            4536,
            2268,
            2,
            0,
            0,
            std::string("\x41\0\0", 3),
            1,
            1,
            1,
            0, // not stored: the embosser's single impact
            JobBytes()
                .Header("PW1000,PL3000,MI1,DP1,FP0;")
                .Row(50, {0, 0, 0, 0, 0})
                .Step(30)
                .Row(50, {0x01, 0, 0, 0, 0})
                .Step(30)
                .End()
                .b,
        },
        {
            // Start position 2 of 1 x 2 labels: the label fills the sheet's
            // last slot, 20 mm further down.
            "last slot from the start position",
            4536,
            2268,
            2,
            0,
            0,
            std::string("\x48\0\0", 3),
            1,
            1,
            2,
            5,
            JobBytes()
                .Header("PW1000,PL3000,MI5,DP1,FP0;")
                .Row(50, {0, 0, 0, 0, 0})
                .Step(50)
                .Step(20)                    // row 0 covers 120
                .Row(40, {0x20, 0, 0, 0, 0}) // dot 4: column 5
                .FormFeed()
                .End()
                .b,
        },
        {
            "empty range",
            1134,
            0,
            1,
            0,
            0,
            std::string("\x41\0\0", 3),
            5,
            4,
            1,
            3,
            JobBytes().Header("PW1000,PL1000,MI3,DP1,FP0;").End().b,
        },
    };
    for (const Case& c : cases) {
        AppState state{};
        SheetFormat& f = state.Sheet;
        f.wPaperWidth = f.wLabelWidth = f.wLabelHeight = 1134;
        f.wPaperHeight = c.paperHeight;
        f.wFirstLabelPosTop = c.firstTop;
        f.wNumHorizontal = 1;
        f.wNumVertical = c.down;
        f.wTextLeft = c.textLeft;
        f.wTextTop = c.textTop;
        gText = c.text;
        const uint32_t W = PageGridWidth(f.wPaperWidth);
        const uint32_t H = PageGridHeight(f.wPaperHeight);
        std::vector<uint8_t> grid(static_cast<size_t>(W) * H, kNoDot);
        MemorySink sink;
        LabelJob job = MakeLabelJob(&state, grid.data(), W, H, &sink, SameText);
        WholeRange control(c.to);
        ASSERT_EQ(WriteEmbossJob(job, c.from, c.start, c.impacts, control), kJobComplete) << c.name;
        EXPECT_EQ(sink.bytes, c.bytes) << c.name;
    }
}

} // namespace
