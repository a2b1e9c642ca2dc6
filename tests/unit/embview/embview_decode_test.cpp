#include <gtest/gtest.h>

#include <functional>

#include "embview_decode.h"
#include "job_bytes.h"

namespace {

constexpr size_t kHeaderSize = 2 + 27 + 2;

TEST(EmbviewDecode, SheetsRowsAndDots) {
    // Sheet 1: blank row 0 covering 3 rows, a row at 3 covering 50 + 7.
    // Sheet 2: a dot in row 0 covering all 60 rows.
    JobBytes job;
    job.Header("PW9000,PL11000,MI4,DP1,FP0;")
        .Row(3, {0, 0})
        .Row(50, {0x81, 0x02})
        .Step(7)
        .FormFeed()
        .Row(50, {0, 0x80})
        .Step(10)
        .End();
    EmbJob decoded;
    DecodeError err;
    ASSERT_TRUE(DecodeJob(job.b.data(), job.size(), &decoded, &err))
        << err.nOffset << ": " << err.message;
    EXPECT_EQ(decoded.nPaperWidth, 9000);
    EXPECT_EQ(decoded.nPaperLength, 11000);
    EXPECT_EQ(decoded.nImpacts, 4);
    EXPECT_TRUE(decoded.bEnded);
    ASSERT_EQ(decoded.sheets.size(), 2u);

    const EmbSheet& one = decoded.sheets[0];
    EXPECT_EQ(one.W, 16u);
    EXPECT_EQ(one.H, 60u);
    EXPECT_TRUE(one.bFormFeed);
    EXPECT_EQ(one.nGraphicsRows, 2u);
    std::vector<std::pair<int, int>> dots;
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 16; ++x)
            if (one.Dot(x, y))
                dots.emplace_back(x, y);
    std::vector<std::pair<int, int>> want = {{0, 3}, {7, 3}, {9, 3}};
    EXPECT_EQ(dots, want);

    const EmbSheet& two = decoded.sheets[1];
    EXPECT_FALSE(two.bFormFeed);
    EXPECT_TRUE(two.Dot(15, 0));
    EXPECT_FALSE(two.Dot(15, 1));
}

TEST(EmbviewDecode, JobWithoutSheets) {
    JobBytes job;
    job.Header().End();
    EmbJob decoded;
    DecodeError err;
    ASSERT_TRUE(DecodeJob(job.b.data(), job.size(), &decoded, &err)) << err.message;
    EXPECT_TRUE(decoded.sheets.empty());
}

struct BadCase {
    const char* name;
    std::function<void(JobBytes&)> build;
    size_t offset;    // where the error must be reported
    const char* text; // part of the message
};

TEST(EmbviewDecode, MalformedJobsNameTheOffendingByte) {
    const size_t h = kHeaderSize;
    const size_t row2 = 6 + 4 + 2 + 1; // a row of two bytes with its spacing
    BadCase cases[] = {
        {"no header", [](JobBytes& j) { j.FormFeed().End(); }, 0, "job header"},
        {"inch fraction", [](JobBytes& j) { j.Header("PW8270,PL12000,MI1,DP1,FP0;").End(); }, 2,
         "PW8270"},
        {"impacts", [](JobBytes& j) { j.Header("PW8000,PL12000,MI7,DP1,FP0;").End(); }, 17, "MI7"},
        {"header tail", [](JobBytes& j) { j.Header("PW8000,PL12000,MI1,DP2,FP0;").End(); }, 23,
         "job header"},
        {"digits missing", [](JobBytes& j) { j.Header("PW,PL12000,MI1,DP1,FP0;").End(); }, 4,
         "digits"},
        {"spacing not a multiple of 5",
         [](JobBytes& j) {
             j.Header().Raw({0x1B, 0x0B, 0x04, 0x05, 0x00, 7});
         },
         h + 5, "line spacing 7"},
        {"spacing beyond 25 mm",
         [](JobBytes& j) {
             j.Header().Raw({0x1B, 0x0B, 0x04, 0x05, 0x00, 255});
         },
         h + 5, "line spacing 255"},
        {"spacing command",
         [](JobBytes& j) {
             j.Header().Raw({0x1B, 0x0B, 0x04, 0x06, 0x00, 5});
         },
         h + 3, "0x06"},
        {"row without line feed",
         [](JobBytes& j) {
             j.Header().Spacing(2).Raw({0x1B, 0x5C, 2, 0, 1, 1, 0x0C});
         },
         h + 12, "line feed expected"},
        {"row count byte",
         [](JobBytes& j) {
             j.Header().Spacing(2).Raw({0x1B, 0x5C, 2, 1, 1, 1, 0x0A});
         },
         h + 6, "graphics header"},
        {"row width changes",
         [](JobBytes& j) {
             j.Header().Row(2, {0, 0}).Row(2, {1}).End();
         },
         h + row2 + 8, "graphics row of 1 bytes"},
        {"empty row after row 0",
         [](JobBytes& j) {
             j.Header().Row(2, {0, 0}).Row(2, {0, 0}).End();
         },
         h + row2 + 6, "no dots"},
        {"step after a short row",
         [](JobBytes& j) {
             j.Header().Row(20, {0, 0}).Step(5).End();
         },
         h + row2, "after a step of 20"},
        {"step before any row", [](JobBytes& j) { j.Header().Step(5).End(); }, h,
         "before the sheet"},
        {"form feed without sheet", [](JobBytes& j) { j.Header().FormFeed().End(); }, h,
         "form feed"},
        {"sheets of different length",
         [](JobBytes& j) {
             j.Header().Row(10, {0, 0}).FormFeed().Row(11, {0, 0}).End();
         },
         h + 2 * row2 + 1, "covers 11 rows"},
        {"bytes after the end", [](JobBytes& j) { j.Header().End().Raw({0x0C}); }, h + 3,
         "after the job end"},
        {"end without 0x1A",
         [](JobBytes& j) {
             j.Header().Raw({0x1B, 0x0A, 0x0C});
         },
         h + 2, "0x1A"},
        {"stray line feed", [](JobBytes& j) { j.Header().Raw({0x0A}); }, h, "unexpected byte 0x0A"},
        {"cut inside a row",
         [](JobBytes& j) {
             j.Header().Spacing(1).Raw({0x1B, 0x5C, 9, 0, 1});
         },
         h + 10, "file ends"},
        {"no job end",
         [](JobBytes& j) {
             j.Header().Row(5, {0, 1});
         },
         h + row2, "without the end"},
    };
    for (const BadCase& c : cases) {
        JobBytes job;
        c.build(job);
        EmbJob decoded;
        DecodeError err;
        EXPECT_FALSE(DecodeJob(job.b.data(), job.size(), &decoded, &err)) << c.name;
        EXPECT_EQ(err.nOffset, c.offset) << c.name << ": " << err.message;
        EXPECT_NE(err.message.find(c.text), std::string::npos) << c.name << ": " << err.message;
    }
}

TEST(EmbviewDecode, StoppedJobKeepsItsFinishedSheets) {
    JobBytes job;
    job.Header().Row(4, {0}).FormFeed().Row(4, {1});
    EmbJob decoded;
    DecodeError err;
    EXPECT_FALSE(DecodeJob(job.b.data(), job.size(), &decoded, &err));
    EXPECT_FALSE(decoded.bEnded);
    EXPECT_EQ(decoded.sheets.size(), 2u);
}

} // namespace
