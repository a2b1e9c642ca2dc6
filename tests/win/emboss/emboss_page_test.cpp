#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>
#include <oleacc.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <ostream>
#include <set>
#include <string>

#include "accessible_probe.h"
#include "emboss_page_fixture.h"
#include "embosser_printers.h"
#include "embossed_job.h"
#include "label_fields.h"
#include "paths.h"
#include "picture_colours_win.h"
#include "sheet_preview_geometry.h"
#include "tactr32_win.h"

namespace {

constexpr DWORD kLiveRegionChanged = 0x8019;

TEST_F(EmbossPageTest, ActivationFillsTheFieldsAndSelectsTheEmbosser) {
    Open();
    char selected[MAX_PATH] = "";
    GetDlgItemTextA(page_, IDC_EMBOSSER, selected, sizeof selected);
    EXPECT_STREQ(selected, kQueue);
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(page_, IDC_EMBOSS)));
    EXPECT_EQ(Text(IDC_FROM_LABEL), "1");
    EXPECT_EQ(Text(IDC_TO_LABEL), "3");
    EXPECT_EQ(Text(IDC_IMPACTS), "2");
    EXPECT_EQ(Text(IDC_START_POSITION), "1");
    EXPECT_EQ(state_.nMaxLabel, 10000); // no data source
    char stored[MAX_PATH] = "";
    ReadSelectedPrinter(stored, sizeof stored);
    EXPECT_STREQ(stored, kQueue);
}

TEST_F(EmbossPageTest, StartPositionFromClicksAndTyping) {
    Open();
    RECT client;
    GetClientRect(GetDlgItem(page_, IDC_START_PREVIEW), &client);
    SheetPreviewGeometry g;
    ASSERT_TRUE(ComputeSheetPreview(state_.Sheet, client.right, client.bottom, &g));
    const int pitchX = g.labelWidth + g.sepHorizontal, pitchY = g.labelHeight + g.sepVertical;
    const int x0 = g.x0 + g.left + g.labelWidth / 2, y0 = g.y0 + g.top + g.labelHeight / 2;

    ClickPicture(x0 + pitchX, y0 + pitchY); // row 2, column 2: slot 4
    EXPECT_EQ(state_.nStartPos, 4);
    EXPECT_EQ(Text(IDC_START_POSITION), "4");
    ClickPicture(x0 + g.labelWidth / 2 + 2, y0); // between the columns
    EXPECT_EQ(state_.nStartPos, 4);
    ClickPicture(g.x0 - 3, g.y0 + 10); // off the paper
    EXPECT_EQ(state_.nStartPos, 4);

    struct Case {
        const char* typed;
        int32_t startPos;
    } cases[] = {
        {"6", 6},           // the last slot of the sheet
        {"7", 6},           // above the labels per sheet: undone
        {"2", 2}, {"0", 0}, // accepted
        {"x", 0},           // not a number: undone
    };
    for (const Case& c : cases) {
        SendDlgItemMessageA(page_, IDC_START_POSITION, EM_EMPTYUNDOBUFFER, 0, 0);
        Type(IDC_START_POSITION, c.typed);
        EXPECT_EQ(state_.nStartPos, c.startPos) << c.typed;
    }
}

// The start picture says where the first label goes, however the start is
// chosen, and has it read out; the label preview says the record, its text
// and its braille, and follows the record spin.
TEST_F(EmbossPageTest, PicturesSayWhatTheyShow) {
    lstrcpyA(state_.Sheet.szName, "Two by three");
    lstrcpyA(state_.szLabelText, "Dotwell\r\nlabels");
    Open();
    HWND picture = GetDlgItem(page_, IDC_START_PREVIEW);
    ClientWords words = ReadClientWords(picture);
    EXPECT_EQ(ROLE_SYSTEM_GRAPHIC, words.role);
    EXPECT_EQ("start at label 1: row 1, column 1", words.name);
    EXPECT_EQ("Two by three, 2 across, 3 down, labels 90 x 80 mm", words.value);

    WinEventRecorder events(picture);
    const struct {
        const char* how;
        const char* name;
    } steps[] = {
        {"typed 4", "start at label 4: row 2, column 2"},
        {"spun up", "start at label 5: row 3, column 1"},
        {"clicked", "start at label 1: row 1, column 1"},
    };
    for (const auto& step : steps) {
        const std::string how = step.how;
        if (how == "typed 4") {
            Type(IDC_START_POSITION, "4");
        } else if (how == "spun up") {
            SpinBy(IDC_START_POSITION_SPIN, 4, 1);
        } else {
            RECT client;
            GetClientRect(picture, &client);
            SheetPreviewGeometry g;
            ASSERT_TRUE(ComputeSheetPreview(state_.Sheet, client.right, client.bottom, &g));
            ClickPicture(g.x0 + g.left + 2, g.y0 + g.top + 2);
        }
        EXPECT_EQ(step.name, ReadClientWords(picture).name) << how;
        EXPECT_EQ(1, events.Count(EVENT_OBJECT_NAMECHANGE)) << how;
        EXPECT_EQ(1, events.Count(kLiveRegionChanged)) << how << ": not read out";
        events.Clear();
    }

    HWND preview = GetDlgItem(page_, IDC_LABEL_TEXT);
    char work[1008], braille[1024] = "";
    ASSERT_TRUE(TactrTranslate("Dotwell\r\nlabels", work, braille, 0, 0, 1));
    std::string cells;
    for (const char* cell = braille; *cell; ++cell) {
        if (*cell == '\r' || *cell == '\n') {
            if (!cells.empty() && cells.back() != '\n')
                cells += '\n';
        } else {
            cells += "\xE2\xA0";
            cells += static_cast<char>(0x80 | (*cell & 0x3F));
        }
    }
    words = ReadClientWords(preview);
    EXPECT_EQ("Label 1 of 10000:", words.name);
    EXPECT_EQ("Dotwell\nlabels\nbraille:\n" + cells, words.value);
    WinEventRecorder previewEvents(preview);
    SpinBy(IDC_RECORD_SPIN, 1, 1);
    EXPECT_EQ("Label 2 of 10000:", ReadClientWords(preview).name);
    // The rich edit may tell of its new text too.
    EXPECT_GE(previewEvents.Count(EVENT_OBJECT_NAMECHANGE), 1);
    EXPECT_EQ(0, previewEvents.Count(EVENT_OBJECT_VALUECHANGE)) << "the same label text";
    SpinBy(IDC_RECORD_SPIN, 2, -1); // the page keeps its record for the next test
}

bool HighContrastForTest() {
    return true;
}

// The grey behind the label preview gives way to the user's window colour
// in high contrast (which the test prefix cannot switch on by itself).
TEST_F(EmbossPageTest, LabelAreaTakesTheSystemColourInHighContrast) {
    Open();
    HWND area = GetDlgItem(page_, IDC_LABEL_AREA);
    HDC dc = GetDC(area);
    for (bool highContrast : {false, true}) {
        SetHighContrastQuery(highContrast ? HighContrastForTest : nullptr);
        const auto brush = reinterpret_cast<HBRUSH>(SendMessageA(page_, WM_CTLCOLORSTATIC,
                                                                 reinterpret_cast<WPARAM>(dc),
                                                                 reinterpret_cast<LPARAM>(area)));
        LOGBRUSH colour{};
        ASSERT_TRUE(GetObjectA(brush, sizeof colour, &colour)) << highContrast;
        EXPECT_EQ(highContrast ? GetSysColor(COLOR_WINDOW) : RGB(230, 230, 230), colour.lbColor);
    }
    SetHighContrastQuery(nullptr);
    ReleaseDC(area, dc);
}

TEST_F(EmbossPageTest, TypedRangeIsTakenWhenBothBoxesRead) {
    Open();
    struct Case {
        const char* from;
        const char* to;
        int32_t nFrom, nTo;
    } cases[] = {
        {"3", "3", 3, 3},
        {"5", "4", 5, 4}, // not checked against each other
        {"", "7", 5, 4},  // one box empty: nothing changes
        {"2", "20000", 2, 20000},
    };
    for (const Case& c : cases) {
        SetDlgItemTextA(page_, IDC_FROM_LABEL, c.from);
        SetDlgItemTextA(page_, IDC_TO_LABEL, c.to);
        EXPECT_EQ(state_.nFromLabel, c.nFrom) << c.from << ".." << c.to;
        EXPECT_EQ(state_.nToLabel, c.nTo) << c.from << ".." << c.to;
    }
}

// The outcome is read out: the status line is a live region.
TEST_F(EmbossPageTest, JobIsPrintedToTheQueue) {
    Open();
    const std::set<std::string> before = TempSpoolFiles();
    WinEventRecorder status(GetDlgItem(page_, IDC_STATUS));
    Click(IDC_EMBOSS);
    ASSERT_TRUE(WaitForStatus("Print job successfully completed."));
    EXPECT_EQ(1, status.Count(kLiveRegionChanged));
    EXPECT_EQ(Text(IDC_EMBOSS), "&Emboss...");
    EXPECT_EQ(EnabledFrameButtons(), "BFC");
    EXPECT_EQ(TempSpoolFiles(), before);
    EmbJob job;
    ASSERT_TRUE(ReadEmbossedJob(portFile_, &job));
    EXPECT_EQ(job.nImpacts, 2);
    EXPECT_EQ(job.nPaperWidth, 8000);
    EXPECT_TRUE(job.bEnded);
}

// Abort only asks the worker to stop: until the worker's own end message
// the page starts no second job, stays, and keeps the record the worker
// reads. The worker is held inside the job, with its data source open, by
// the page not taking the worker's messages.
TEST_F(EmbossPageTest, AbortedJobHoldsThePageUntilItsWorkerEnds) {
    std::string rows;
    for (int i = 1; i <= 200; ++i)
        rows += "Name " + std::to_string(i) + "\n";
    const std::string names = project_.File("names.csv");
    ASSERT_TRUE(WriteFileBytes(names, rows));
    lstrcpyA(state_.szDatabaseFile, names.c_str());
    lstrcpyA(state_.szLabelText, "{A}");
    ScanLabelFields(&state_);
    state_.nToLabel = 200;
    Open();
    const std::set<std::string> before = TempSpoolFiles();
    // Enter on the page (focus away from Finish) embosses.
    SetFocus(GetDlgItem(page_, IDC_FROM_LABEL));
    PropSheet_PressButton(frame_, PSBTN_FINISH);
    // Past the first label, so the worker has opened the source.
    ASSERT_TRUE(PumpUntil([&] {
        const std::string status = Text(IDC_STATUS);
        return status.rfind("Processing lable ", 0) == 0 &&
               status.rfind("Processing lable 1 ", 0) != 0;
    }));
    ASSERT_TRUE(WaitForSentMessage());
    const uint32_t source = state_.hDataSource;
    ASSERT_NE(source, 0u);

    DialogAnswerer answerer({IDNO});
    EXPECT_EQ(EnabledFrameButtons(), "") << "the sheet's buttons look pressable under a job";
    Click(IDC_EMBOSS); // Abort...
    ClickFrameButton(kBackButton);
    SetFocus(GetDlgItem(frame_, kFinishButton));
    ClickFrameButton(kFinishButton);
    ClickFrameButton(IDCANCEL);
    EXPECT_TRUE(answerer.seen().empty());
    EXPECT_STREQ(state_.szLabelText, "{A}") << "the record was released under the worker";
    ASSERT_TRUE(IsWindow(frame_));
    EXPECT_EQ(PropSheet_GetCurrentPageHwnd(frame_), page_);
    Click(IDC_EMBOSS); // a double click: Emboss again
    EXPECT_EQ(state_.hDataSource, source) << "the source was closed under the worker";
    EXPECT_EQ(Text(IDC_EMBOSS), "&Abort...");

    ASSERT_TRUE(WaitForStatus("User abort."));
    EXPECT_EQ(Text(IDC_EMBOSS), "&Emboss...");
    EXPECT_EQ(EnabledFrameButtons(), "BFC");
    EXPECT_EQ(TempSpoolFiles(), before);
}

// A job started within 100 ms of the last one's end: the preview timer that
// end set must not reload the source and the tables under the new worker.
TEST_F(EmbossPageTest, NextJobStartedAtOnceKeepsThePreviewTimerOff) {
    Open();
    Click(IDC_EMBOSS);
    ASSERT_TRUE(WaitForStatus("Print job successfully completed."));
    Click(IDC_EMBOSS); // no message taken since, so the new worker is alive
    SetDlgItemTextA(page_, IDC_LABEL_TEXT, "kept");
    EXPECT_FALSE(KillTimer(page_, kPreviewTimer)) << "the last job's preview timer still runs";
    SendMessageA(page_, WM_TIMER, kPreviewTimer, 0); // one that was already due
    EXPECT_EQ(Text(IDC_LABEL_TEXT), "kept");

    ASSERT_TRUE(PumpUntil([&] { return Text(IDC_EMBOSS) == "&Emboss..."; }, 30000));
    EXPECT_TRUE(PumpUntil([&] { return Text(IDC_LABEL_TEXT) != "kept"; }));
}

TEST_F(EmbossPageTest, PreviewShowsTheLabelInBraille) {
    lstrcpyA(state_.szLabelText, "braille");
    Open();
    // The preview loaded the tables; the same translation straight from the
    // library must be what it shows.
    char work[1008], braille[1024] = "";
    ASSERT_TRUE(TactrTranslate("braille", work, braille, 0, 0, 1));
    const std::string shown = Text(IDC_LABEL_TEXT);
    EXPECT_EQ(shown, braille);
    EXPECT_NE(shown, "braille");
}

TEST_F(EmbossPageTest, WithoutEmbosserQueuesThePageWarnsAndCannotEmboss) {
    // Every embosser queue of the test prefix goes; the suite's own comes
    // back at the end.
    for (char* list = EnumEmbossers(); list; list = EnumEmbossers()) {
        for (const char* name = list; *name; name += strlen(name) + 1)
            ASSERT_TRUE(RemoveVirtualQueue(name)) << name;
        FreeEmbosserList(list);
    }
    DialogAnswerer answerer({IDOK});
    Open();
    ASSERT_EQ(answerer.seen().size(), 1u);
    EXPECT_EQ(answerer.seen()[0].text,
              "No Printer drivers for Dotwell found!\nYou need to install a valid printer driver "
              "in order to Emboss Labels.");
    EXPECT_EQ(SendDlgItemMessageA(page_, IDC_EMBOSSER, CB_GETCOUNT, 0, 0), 0);
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(page_, IDC_EMBOSS)));
    ASSERT_TRUE(AddTempQueue(kPageQueue));
}

// What can be gone or broken by the time a job starts, after the page has
// shown the label; unattended, it is so when the wizard starts.
enum class JobFault { kDataFileDeleted, kDataFileLocked, kTableRemoved, kTableBroken };

struct JobFaultCase {
    const char* name;
    JobFault fault;
    bool unattended;
};

void PrintTo(const JobFaultCase& c, std::ostream* out) {
    *out << c.name;
}

class EmbossJobFaultTest : public EmbossPageTest,
                           public ::testing::WithParamInterface<JobFaultCase> {
  protected:
    void TearDown() override {
        EmbossPageTest::TearDown();
        if (lock_ != INVALID_HANDLE_VALUE)
            CloseHandle(lock_);
        DeleteFileA(table_);
    }

    bool Break(JobFault fault, const std::string& dataFile) {
        switch (fault) {
        case JobFault::kDataFileDeleted:
            return DeleteFileA(dataFile.c_str());
        case JobFault::kDataFileLocked:
            // Opened without sharing, as another program may hold it.
            lock_ = CreateFileA(dataFile.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                OPEN_EXISTING, 0, nullptr);
            return lock_ != INVALID_HANDLE_VALUE;
        case JobFault::kTableRemoved:
            return DeleteFileA(table_);
        case JobFault::kTableBroken:
            return WriteFileBytes(table_, "this is no table\n");
        }
        return false;
    }

    HANDLE lock_ = INVALID_HANDLE_VALUE;
    char table_[MAX_PATH] = "";
};

// A job that cannot read its data file or load its table ends at its first
// label with one message naming the file, never as a success, and nothing is
// printed. The preview then shows what it shows for such a source or table.
TEST_P(EmbossJobFaultTest, JobEndsWithOneMessageNamingTheFile) {
    const JobFaultCase& c = GetParam();
    const std::string names = project_.File("names.csv");
    ASSERT_TRUE(WriteFileBytes(names, "Ann\nBob\nCy\n"));
    lstrcpyA(state_.szDatabaseFile, names.c_str());
    lstrcpyA(state_.szLabelText, "{A}");
    ScanLabelFields(&state_);
    // A table of the test's own, copied from the shipped one, to take away.
    char shipped[MAX_PATH];
    RuleFilePath(shipped, sizeof shipped, "en-ueb-g2.qrf");
    RuleFilePath(table_, sizeof table_, "job-fault.qrf");
    ASSERT_TRUE(CopyFileA(shipped, table_, FALSE));
    lstrcpyA(state_.szRuleFile, "job-fault.qrf");
    state_.bAutoEmboss = c.unattended;
    const std::set<std::string> spoolBefore = TempSpoolFiles();

    DialogAnswerer answerer({IDOK});
    if (c.unattended) {
        ASSERT_TRUE(Break(c.fault, names));
        Open(); // embosses at once
    } else {
        Open();
        ASSERT_TRUE(Break(c.fault, names));
        Click(IDC_EMBOSS);
    }
    const std::string preview = Text(IDC_LABEL_TEXT);
    ASSERT_TRUE(PumpUntil([&] { return Text(IDC_EMBOSS) == "&Emboss..."; }, 30000));

    EXPECT_EQ(Text(IDC_STATUS), "Could not create a print job");
    ASSERT_EQ(answerer.seen().size(), 1u);
    EXPECT_EQ(answerer.seen()[0].caption, "Dotwell");
    std::string lead;
    if (c.fault == JobFault::kDataFileDeleted || c.fault == JobFault::kDataFileLocked) {
        // The reader keeps the path it was given in lower case.
        std::string path = names;
        CharLowerA(path.data());
        lead = "The data file " + path + " could not be opened.";
        EXPECT_EQ(Text(IDC_LABEL_TEXT), preview) << "a source that will not open leaves it";
    } else {
        lead = std::string("The translation table ") + table_ + " could not be loaded.";
        EXPECT_EQ(Text(IDC_LABEL_TEXT), "Ann") << "without its table the text as typed";
    }
    EXPECT_EQ(answerer.seen()[0].text.rfind(lead, 0), 0u) << answerer.seen()[0].text;
    EXPECT_TRUE(ReadFileBytes(portFile_).empty()) << "printed";
    EXPECT_EQ(TempSpoolFiles(), spoolBefore);
    // The wizard stays open for the user, unattended too.
    EXPECT_EQ(PropSheet_GetCurrentPageHwnd(frame_), page_);
}

INSTANTIATE_TEST_SUITE_P(
    Faults, EmbossJobFaultTest,
    ::testing::Values(JobFaultCase{"DataFileDeleted", JobFault::kDataFileDeleted, false},
                      JobFaultCase{"DataFileLocked", JobFault::kDataFileLocked, false},
                      JobFaultCase{"TableRemoved", JobFault::kTableRemoved, false},
                      JobFaultCase{"TableBroken", JobFault::kTableBroken, false},
                      JobFaultCase{"UnattendedDataFileDeleted", JobFault::kDataFileDeleted, true}),
    [](const ::testing::TestParamInfo<JobFaultCase>& test) { return test.param.name; });

} // namespace
