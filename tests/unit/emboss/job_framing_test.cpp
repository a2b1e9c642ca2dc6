#include <gtest/gtest.h>

#include <string>

#include "job_bytes.h"
#include "job_framing.h"
#include "job_doubles.h"

namespace {

TEST(JobFraming, PaperRoundsHalfUpToWholeInches) {
    struct Case {
        uint16_t twips;
        int32_t inches;
    } cases[] = {
        {11906, 8},  // A4 width, 8.27 in
        {16838, 12}, // A4 height, 11.69 in
        {12096, 8},  // 8.4 in
        {12240, 9},  // 8.5 in
        {15840, 11}, // 11 in
        {0, 0},      {65535, 46},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PaperWholeInches(c.twips), c.inches) << c.twips << " twips";
}

TEST(JobFraming, HeaderBytes) {
    struct Case {
        int32_t w, h;
        uint32_t impacts;
        const char* text;
    } cases[] = {
        {8, 12, 3, "PW8000,PL12000,MI3,DP1,FP0;"},
        {9, 11, 1, "PW9000,PL11000,MI1,DP1,FP0;"},
        {9, 11, 5, "PW9000,PL11000,MI5,DP1,FP0;"},
        // Outside 1..5 the embosser would get a count it cannot do.
        {9, 11, 0, "PW9000,PL11000,MI1,DP1,FP0;"},
        {9, 11, 6, "PW9000,PL11000,MI1,DP1,FP0;"},
    };
    for (const Case& c : cases) {
        MemorySink sink;
        ASSERT_EQ(WriteJobHeader(sink, c.w, c.h, c.impacts), 1);
        EXPECT_EQ(sink.bytes, JobBytes().Header(c.text).b) << c.text;
    }
}

TEST(JobFraming, EndBytesAndFailingWrites) {
    MemorySink sink;
    ASSERT_EQ(WriteJobEnd(sink), 1);
    EXPECT_EQ(sink.bytes, JobBytes().End().b);

    for (size_t limit : {0, 1, 2}) {
        MemorySink full;
        full.limit = limit;
        EXPECT_EQ(WriteJobEnd(full), 0) << limit;
    }
    for (size_t limit : {0, 5, 30}) {
        MemorySink full;
        full.limit = limit;
        EXPECT_EQ(WriteJobHeader(full, 8, 12, 1), 0) << limit;
    }
}

// The first and last models of the list and some between are offered.
TEST(EmbosserDrivers, ModelsOfTheList) {
    for (const char* driver :
         {"Ridgeline", "Tarn", "Stratus PRO", "Vantor Tarn V4", "Vantor Cirrus PRO V4"})
        EXPECT_EQ(IsEmbosserDriver(driver), 1) << driver;
}

TEST(EmbosserDrivers, WholeNameIgnoringCase) {
    struct Case {
        const char* driver;
        int embosser;
    } cases[] = {
        {"Ridgeline", 1},
        {"ridgeline", 1},
        {"VANTOR TARN V4", 1},
        {"Vantor Cirrus PRO V3", 1},
        {"Ridgeline V4", 0},  // only the Vantor-prefixed name has V4
        {"Ridgeline V3 ", 0}, // a table entry followed by more text
        {"Tarn V3 Driver", 0},
        {"Vantor", 0},
        {"", 0},
        {nullptr, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsEmbosserDriver(c.driver), c.embosser) << (c.driver ? c.driver : "(null)");
}

} // namespace
