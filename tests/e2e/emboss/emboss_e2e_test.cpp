#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "app_state.h"
#include "embview_cells.h"
#include "embossed_job.h"
#include "embosser_queue.h"
#include "embview_decode.h"
#include "paths.h"
#include "project_file_io_win.h"
#include "rule_tables.h"
#include "sample_sheets.h"
#include "spool_folder_win.h"
#include "tactr32_win.h"
#include "win_test_support.h"

namespace {

constexpr char kQueue[] = "E2E Ridgeline";
constexpr int kRows = 12;
constexpr int kStartPos = 3;
constexpr int kAcross = 2;
constexpr int kDown = 4;

const char* const kWords[kRows] = {"bed", "cab", "dab",  "fed", "gab",  "had",
                                   "jab", "bad", "deed", "ace", "bead", "face"};

void ClearFolder(const std::string& folder) {
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((folder + "\\*.*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE)
        return;
    do
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            DeleteFileA((folder + "\\" + found.cFileName).c_str());
    while (FindNextFileA(find, &found));
    FindClose(find);
}

// The braille lines a label should carry, straight from the translator:
// the merged text translated, each line cut to the text box's cells, cells
// as dot bits with trailing blanks left out (as embview reads them).
std::vector<std::vector<uint8_t>> ExpectedLines(const std::string& text, size_t cells) {
    static bool loaded = false;
    if (!loaded) {
        char rules[MAX_PATH], exceptions[MAX_PATH];
        RuleFilePath(rules, sizeof rules, "en-ueb-g2.qrf");
        ExceptionFilePath(exceptions, sizeof exceptions, "");
        loaded = TactrLoadTables(rules, exceptions) != 0;
    }
    std::vector<std::vector<uint8_t>> lines;
    char work[1008], braille[1024] = "";
    TactrTranslate(text.c_str(), work, braille, 0, 0, 1);
    std::vector<uint8_t> line;
    auto finish = [&] {
        if (line.size() > cells)
            line.resize(cells);
        while (!line.empty() && line.back() == 0)
            line.pop_back();
        if (!line.empty())
            lines.push_back(line);
        line.clear();
    };
    for (const char* p = braille; *p; ++p) {
        if (*p == '\r' || *p == '\n')
            finish();
        else
            line.push_back(static_cast<uint8_t>(*p) & 0x3F);
    }
    finish();
    return lines;
}

class EmbossEndToEnd : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(AddTempQueue({kQueue, "Vantor Ridgeline V4", 0}, &portFile_));
        DeleteFileA(portFile_.c_str());

        for (const char* file : {DOTWELL_EXE, TACTR32_DLL, CSV_DLL}) {
            std::string from = WinePath(file);
            std::string name = from.substr(from.rfind('\\') + 1);
            ASSERT_TRUE(CopyFileA(from.c_str(), program_.File(name).c_str(), FALSE)) << from;
        }
        char exceptions[MAX_PATH];
        ExceptionFilePath(exceptions, sizeof exceptions, "");
        SHCreateDirectoryExA(nullptr, std::string(exceptions, strlen(exceptions) - 1).c_str(),
                             nullptr);
        ASSERT_TRUE(tables_.copied());

        char spool[MAX_PATH];
        ASSERT_TRUE(GetSpoolFolder(spool));
        spoolFolder_ = spool;
        ClearFolder(spoolFolder_);
    }

    void TearDown() override {
        RemoveVirtualQueue(kQueue);
        DeleteFileA(portFile_.c_str());
        ClearFolder(spoolFolder_);
    }

    std::string WriteProject() {
        std::string csv;
        for (int r = 0; r < kRows; ++r)
            csv += std::string(kWords[r]) + "," + std::to_string((r + 1) * 7) + "\r\n";
        std::string csvPath = data_.File("items.csv");
        EXPECT_TRUE(WriteFileBytes(csvPath, csv));

        AppState state;
        ResetAppState(&state);
        SheetFormat& f = state.Sheet;
        f = A4Paper();
        lstrcpyA(f.szName, "A4 2 x 4");
        f.wFirstLabelPosLeft = 567;
        f.wFirstLabelPosTop = 567;
        f.wLabelWidth = 5102;
        f.wLabelHeight = 3402;
        f.wNumHorizontal = kAcross;
        f.wNumVertical = kDown;
        f.wSepHorizontal = 283;
        f.wSepVertical = 283;
        f.wTextLeft = 283;
        f.wTextTop = 283;
        f.wTextWidth = 4535; // 80 mm: 13 cells
        f.wTextHeight = 1701;
        std::string project = data_.File("labels.dwp");
        lstrcpynA(state.szProjectFile, project.c_str(), sizeof state.szProjectFile);
        lstrcpyA(state.szSelectedPrinter, kQueue);
        lstrcpyA(state.szLabelText, "{A}\r\n{B}");
        lstrcpyA(state.szRuleFile, "en-ueb-g2.qrf");
        lstrcpynA(state.szDatabaseFile, csvPath.c_str(), sizeof state.szDatabaseFile);
        state.nSourceKind = 1;
        state.nMinLabel = 1;
        state.nMaxLabel = kRows;
        state.nToLabel = 2; // the unattended run embosses every row anyway
        state.nStartPos = kStartPos;
        EXPECT_TRUE(WriteProjectFile(project.c_str(), state));
        return project;
    }

    TempFolder program_;
    TempFolder data_;
    std::string portFile_;
    std::string spoolFolder_;
    CopiedRuleTables tables_{"en-ueb-g2.qrf", "en-ueb-chars.qri", "en-ueb-shortforms.qri",
                             "en-ueb-boundaries.qri"};
};

TEST_F(EmbossEndToEnd, UnattendedRunEmbossesEveryRowAndEnds) {
    const std::string project = WriteProject();
    std::string command = "\"" + program_.File("dotwell.exe") + "\" \"" + project + "\" /p";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               program_.path().c_str(), &startup, &process));
    const DWORD waited = WaitForSingleObject(process.hProcess, 120000);
    if (waited != WAIT_OBJECT_0)
        TerminateProcess(process.hProcess, 1);
    DWORD exitCode = 1;
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    ASSERT_EQ(waited, WAIT_OBJECT_0) << "the wizard did not end by itself";
    EXPECT_EQ(exitCode, 0u);

    std::string bytes;
    EmbJob job;
    ASSERT_TRUE(ReadEmbossedJob(portFile_, &job, &bytes));
    DecodeError err;
    AppState state;
    ResetAppState(&state);
    lstrcpynA(state.szProjectFile, project.c_str(), sizeof state.szProjectFile);
    ASSERT_TRUE(ReadProjectAtStart(&state));
    ASSERT_TRUE(CheckPaper(job, state.Sheet, &err)) << err.message;
    EXPECT_TRUE(job.bEnded);
    // Labels 1..6 fill slots 3..8 of the first sheet, 7..12 slots 1..6 of
    // the second.
    ASSERT_EQ(job.sheets.size(), 2u);
    EXPECT_TRUE(job.sheets[0].bFormFeed);
    EXPECT_FALSE(job.sheets[1].bFormFeed);

    std::vector<int> seen;
    for (size_t s = 0; s < job.sheets.size(); ++s) {
        SheetCells cells = ReadSheetCells(job.sheets[s], &state.Sheet);
        EXPECT_EQ(cells.nStrayDots, 0u);
        for (const LabelCells& label : cells.labels) {
            const int slot = (label.nRow - 1) * kAcross + label.nColumn;
            const int n = static_cast<int>(s) * kAcross * kDown + slot - kStartPos + 1;
            ASSERT_GE(n, 1);
            ASSERT_LE(n, kRows);
            const std::string text = std::string(kWords[n - 1]) + "\r\n" + std::to_string(n * 7);
            EXPECT_EQ(label.lines, ExpectedLines(text, 13)) << "label " << n;
            seen.push_back(n);
        }
    }
    EXPECT_EQ(seen, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}));
    // Label 1's number 7: the number sign (dots 3456) and g (dots 1245).
    SheetCells first = ReadSheetCells(job.sheets[0], &state.Sheet);
    ASSERT_FALSE(first.labels.empty());
    ASSERT_EQ(first.labels[0].lines.size(), 2u);
    EXPECT_EQ(first.labels[0].lines[1], (std::vector<uint8_t>{0x3C, 0x1B}));

    EXPECT_EQ(ReadFileBytes(spoolFolder_ + "\\label1.prn"), bytes);
    EXPECT_EQ(ReadFileBytes(spoolFolder_ + "\\Project1.dwp").size(), 6072u);
}

} // namespace
