#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "embview_decode.h"
#include "emboss_run.h"
#include "label_compose.h"
#include "job_doubles.h"
#include "page_grid.h"
#include "sample_sheets.h"
#include "spool_send.h"

namespace {

std::vector<int32_t> gComposed;
int32_t gFailsAt = 0;
int gFailure = 0; // what composing label gFailsAt gives

// Label n: one line of one cell whose dots spell n's low bits.
int RecordingCompose(char* pBuffer, int32_t nRecord, AppState*) {
    gComposed.push_back(nRecord);
    if (gFailsAt && nRecord == gFailsAt)
        return gFailure;
    pBuffer[0] = static_cast<char>(nRecord & 0x3F);
    pBuffer[1] = pBuffer[2] = 0;
    return 1;
}

class ScriptedControl : public JobControl {
  public:
    int Running() override { return stopBefore == 0 || ++asked < stopBefore; }
    int32_t LastLabel() override {
        // The user may raise the last label while the job runs.
        return placed.size() >= 1 && raisedTo ? raisedTo : last;
    }
    void Processing(int32_t nLabel, int32_t nOrdinal, int32_t nCount) override {
        placed.push_back(nLabel);
        shown.push_back(std::to_string(nOrdinal) + "/" + std::to_string(nCount));
    }
    int32_t last = 0;
    int32_t raisedTo = 0;
    int stopBefore = 0; // the label (from 1) before which Running() turns 0
    int asked = 0;
    std::vector<int32_t> placed;
    std::vector<std::string> shown;
};

struct Job {
    Job() {
        state.Sheet = A4TwoByThree();
        W = PageGridWidth(state.Sheet.wPaperWidth);
        H = PageGridHeight(state.Sheet.wPaperHeight);
        grid = AllocPageGrid(W, H);
        gComposed.clear();
        gFailsAt = 0;
    }
    ~Job() { FreePageGrid(grid); }
    JobOutcome Run(int32_t from, int32_t start, ScriptedControl& control) {
        return RunInto(sink, from, start, control);
    }
    JobOutcome RunInto(JobSink& into, int32_t from, int32_t start, ScriptedControl& control) {
        LabelJob job = MakeLabelJob(&state, grid, W, H, &into, RecordingCompose);
        return WriteEmbossJob(job, from, start, 2, control);
    }
    EmbJob Decoded() {
        EmbJob job;
        DecodeError err;
        EXPECT_TRUE(DecodeJob(sink.bytes.data(), sink.bytes.size(), &job, &err)) << err.message;
        return job;
    }
    AppState state{};
    uint32_t W, H;
    uint8_t* grid;
    MemorySink sink;
};

TEST(EmbossRun, RangesPlaceExactlyTheirLabels) {
    struct Case {
        int32_t from, to;
        std::vector<int32_t> labels;
        std::vector<std::string> shown;
        size_t sheets;
    } cases[] = {
        {3, 3, {3}, {"1/1"}, 1},
        {5, 4, {}, {}, 0}, // header, no page, job end
        {1, 7, {1, 2, 3, 4, 5, 6, 7}, {"1/7", "2/7", "3/7", "4/7", "5/7", "6/7", "7/7"}, 2},
    };
    for (const Case& c : cases) {
        Job job;
        ScriptedControl control;
        control.last = c.to;
        EXPECT_EQ(job.Run(c.from, 1, control), kJobComplete);
        EXPECT_EQ(gComposed, c.labels) << c.from << ".." << c.to;
        EXPECT_EQ(control.shown, c.shown) << c.from << ".." << c.to;
        EmbJob decoded = job.Decoded();
        EXPECT_TRUE(decoded.bEnded);
        EXPECT_EQ(decoded.nImpacts, 2);
        EXPECT_EQ(decoded.sheets.size(), c.sheets) << c.from << ".." << c.to;
    }
}

// Sheets of 2 x 3 labels: a full sheet ends in a form feed, also the job's
// last; only a partly filled last sheet goes without one.
TEST(EmbossRun, SheetEndsAndFormFeeds) {
    struct Case {
        const char* name;
        int32_t from, to, start;
        std::vector<int32_t> labels;
        std::vector<bool> formFeeds; // one per sheet
    } cases[] = {
        {"full last sheet", 1, 6, 1, {1, 2, 3, 4, 5, 6}, {true}},
        {"partly filled last sheet", 1, 7, 1, {1, 2, 3, 4, 5, 6, 7}, {true, false}},
        {"start position 5", 1, 3, 5, {1, 2, 3}, {true, false}},
        {"start position 0: a sheet of its own", 1, 2, 0, {1, 2}, {true, false}},
        // A typed range may start below 1: label -1 is a label like the
        // others, not the end of the job.
        {"labels below 1", -3, 2, 1, {-3, -2, -1, 0, 1, 2}, {true}},
        {"label -1 at a sheet's end", -6, -1, 1, {-6, -5, -4, -3, -2, -1}, {true}},
    };
    for (const Case& c : cases) {
        Job job;
        ScriptedControl control;
        control.last = c.to;
        EXPECT_EQ(job.Run(c.from, c.start, control), kJobComplete) << c.name;
        EXPECT_EQ(gComposed, c.labels) << c.name;
        EmbJob decoded = job.Decoded();
        std::vector<bool> formFeeds;
        for (const EmbSheet& sheet : decoded.sheets)
            formFeeds.push_back(sheet.bFormFeed);
        EXPECT_EQ(formFeeds, c.formFeeds) << c.name;
        EXPECT_TRUE(decoded.bEnded) << c.name;
    }
}

TEST(EmbossRun, LastLabelIsReadAfreshBeforeEachLabel) {
    Job job;
    ScriptedControl control;
    control.last = 2;
    control.raisedTo = 4;
    EXPECT_EQ(job.Run(1, 1, control), kJobComplete);
    EXPECT_EQ(gComposed, (std::vector<int32_t>{1, 2, 3, 4}));
}

TEST(EmbossRun, StopBeforeALabelWritesNoJobEnd) {
    Job job;
    ScriptedControl control;
    control.last = 10;
    control.stopBefore = 3;
    EXPECT_EQ(job.Run(1, 1, control), kJobStopped);
    EXPECT_EQ(gComposed, (std::vector<int32_t>{1, 2}));
    EmbJob decoded;
    DecodeError err;
    DecodeJob(job.sink.bytes.data(), job.sink.bytes.size(), &decoded, &err);
    EXPECT_FALSE(decoded.bEnded);
}

// A disk that is always full; Windows has none to name.
#ifdef _WIN32
constexpr const char* kFullDisk = nullptr;
#else
constexpr const char* kFullDisk = "/dev/full";
#endif

// What the page is told of a job: a write to the spool file that fails, in
// a sheet or only when the file is closed, is told as a spool file failure;
// a label without its data source or tables ends the job there, and the
// outcome says which, so that the page can name the file.
TEST(EmbossRun, ResultCodes) {
    struct Case {
        const char* name;
        int32_t from, to;
        uint16_t across; // 0: no slot can take a label
        int stopBefore;
        int32_t failsAt; // the label whose composing gives `failure`
        int failure;
        size_t limit;       // bytes the memory sink takes
        bool fullDisk;      // a spool file on a full disk instead of the sink
        JobOutcome outcome; // not checked on a full disk: the buffer decides when it shows
        int code;
    } cases[] = {
        {"whole job", 1, 7, 2, 0, 0, 0, SIZE_MAX, false, kJobComplete, kPrintDone},
        {"blank label", 1, 7, 2, 0, 3, 0, SIZE_MAX, false, kJobComplete, kPrintDone},
        {"stopped", 1, 7, 2, 3, 0, 0, SIZE_MAX, false, kJobStopped, kJobUserAbort},
        {"label not placed", 1, 7, 0, 0, 0, 0, SIZE_MAX, false, kJobFailed, kJobNoMemory},
        {"source failed", 1, 7, 2, 0, 2, kComposeSourceFailed, SIZE_MAX, false, kJobSourceFailed,
         kPrintNoJob},
        {"data file not opened", 1, 7, 2, 0, 1, kComposeSourceNotOpened, SIZE_MAX, false,
         kJobNoDataFile, kPrintNoJob},
        {"tables not loaded", 3, 7, 2, 0, 3, kComposeNoTables, SIZE_MAX, false, kJobNoTables,
         kPrintNoJob},
        {"sheet refused", 1, 7, 2, 0, 0, 0, 200, false, kJobWriteFailed, kPrintSpoolUnreadable},
        {"full disk in a sheet", 1, 7, 2, 0, 0, 0, SIZE_MAX, true, {}, kPrintSpoolUnreadable},
        {"full disk on closing", 5, 4, 2, 0, 0, 0, SIZE_MAX, true, {}, kPrintSpoolUnreadable},
    };
    for (const Case& c : cases) {
        if (c.fullDisk && !kFullDisk)
            continue;
        Job job;
        job.state.Sheet.wNumHorizontal = c.across;
        job.sink.limit = c.limit;
        gFailsAt = c.failsAt;
        gFailure = c.failure;
        ScriptedControl control;
        control.last = c.to;
        control.stopBefore = c.stopBefore;
        JobOutcome outcome;
        int code;
        if (c.fullDisk) {
            FILE* spool = fopen(kFullDisk, "wb");
            ASSERT_NE(spool, nullptr) << kFullDisk;
            FileJobSink sink(spool);
            outcome = job.RunInto(sink, c.from, 1, control);
            code = JobResultCode(outcome, fclose(spool) == 0);
        } else {
            outcome = job.Run(c.from, 1, control);
            code = JobResultCode(outcome, 1);
        }
        if (!c.fullDisk) {
            EXPECT_EQ(outcome, c.outcome) << c.name;
        }
        EXPECT_EQ(code, c.code) << c.name;
        if (c.failure < 0) {
            EXPECT_EQ(gComposed.back(), c.failsAt) << c.name << ": labels composed after it";
        }
    }
}

TEST(EmbossRun, LastLabelAtTheTopOfTheRangeEnds) {
    Job job;
    job.state.Sheet.wNumHorizontal = 0; // no slot can take a label
    ScriptedControl control;
    control.last = INT32_MAX;
    EXPECT_EQ(job.Run(INT32_MAX, 1, control), kJobFailed);
    EXPECT_EQ(control.placed, (std::vector<int32_t>{INT32_MAX}));
}

class RecordingTarget : public SpoolTarget {
  public:
    int Write(const uint8_t* pData, uint32_t cb, uint32_t* pWritten) override {
        if (failAt && blocks.size() + 1 == failAt)
            return 0;
        uint32_t take = partial && cb > partial ? partial : cb;
        blocks.push_back(take);
        data.insert(data.end(), pData, pData + take);
        *pWritten = take;
        return 1;
    }
    void SetProgressRange(int32_t nMax) override {
        events.push_back("range " + std::to_string(nMax));
    }
    void SetProgress(int32_t n) override { events.push_back("pos " + std::to_string(n)); }
    void StepProgress() override { events.push_back("step"); }
    void ShowSpooling(int32_t nSent, int32_t nSize) override {
        events.push_back(std::to_string(nSent) + " of " + std::to_string(nSize));
    }
    std::vector<uint32_t> blocks;
    std::vector<uint8_t> data;
    std::vector<std::string> events;
    size_t failAt = 0;
    uint32_t partial = 0;
};

struct SpoolFile {
    explicit SpoolFile(size_t size) {
        file = tmpfile();
        for (size_t i = 0; i < size; ++i)
            bytes.push_back(static_cast<uint8_t>(i * 7));
        if (size)
            fwrite(bytes.data(), 1, size, file);
        rewind(file);
    }
    ~SpoolFile() { fclose(file); }
    FILE* file;
    std::vector<uint8_t> bytes;
};

TEST(SpoolSend, BlocksAndStatusTexts) {
    struct Case {
        size_t size;
        std::vector<uint32_t> blocks;
        std::vector<std::string> events;
    } cases[] = {
        {2500,
         {1024, 1024, 452},
         {"range 2", "pos 0", "1024 of 2500", "step", "2048 of 2500", "step", "3072 of 2500",
          "step", "2500 of 2500", "pos 2"}},
        // An exact multiple ends on a read that finds nothing.
        {2048,
         {1024, 1024},
         {"range 2", "pos 0", "1024 of 2048", "step", "2048 of 2048", "step", "3072 of 2048",
          "2048 of 2048", "pos 2"}},
        {0, {}, {"range 0", "pos 0", "1024 of 0", "0 of 0", "pos 0"}},
    };
    for (const Case& c : cases) {
        SpoolFile spool(c.size);
        RecordingTarget target;
        EXPECT_EQ(SendSpoolBlocks(spool.file, static_cast<int64_t>(c.size), target), kPrintDone);
        EXPECT_EQ(target.blocks, c.blocks) << c.size;
        EXPECT_EQ(target.events, c.events) << c.size;
        EXPECT_EQ(target.data, spool.bytes) << c.size;
    }
}

TEST(SpoolSend, PartlyTakenBlocksAreCompleted) {
    SpoolFile spool(2500);
    RecordingTarget target;
    target.partial = 300;
    EXPECT_EQ(SendSpoolBlocks(spool.file, 2500, target), kPrintDone);
    EXPECT_EQ(target.data, spool.bytes);
}

TEST(SpoolSend, FailedWriteStopsTheJob) {
    SpoolFile spool(5000);
    RecordingTarget target;
    target.failAt = 2;
    EXPECT_EQ(SendSpoolBlocks(spool.file, 5000, target), kPrintWriteFailed);
    EXPECT_EQ(target.blocks, (std::vector<uint32_t>{1024}));
}

} // namespace
