#include "emboss_job_win.h"

#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "data_services_win.h"
#include "emboss_run.h"
#include "job_sink.h"
#include "label_placement.h"
#include "page_grid.h"
#include "paths.h"
#include "raw_print_win.h"
#include "resource.h"
#include "settings_win.h"
#include "shared_fields.h"
#include "spool_folder_win.h"
#include "spool_send.h"

namespace {

// Handed to the next worker, which takes a copy as it starts.
EmbossJob g_job;

class PageJobControl : public JobControl {
  public:
    explicit PageJobControl(const EmbossJob& job) : job_(job) {}

    int Running() override { return job_.pRunning->load() != 0; }
    int32_t LastLabel() override { return LoadSharedField(&job_.pState->nToLabel); }
    void Processing(int32_t, int32_t nOrdinal, int32_t nCount) override {
        // The place of the label in this job, so that a range starting
        // above 1 still counts up to its own size.
        ShowStatus(job_.hPage, IDS_PROCESSING_LABEL, nOrdinal, nCount);
        SendMessageA(job_.hProgress, PBM_SETPOS, nOrdinal - 1, 0);
    }

  private:
    const EmbossJob& job_;
};

// The end message is the worker's last word to the page: once it is
// handled the page may start the next job.
void Fail(const EmbossJob& job, int code, const char* szSpoolFile) {
    SendMessageA(job.hProgress, PBM_SETPOS, 0, 0);
    SendMessageA(job.hPage, kJobFailedMessage, code, reinterpret_cast<LPARAM>(szSpoolFile));
}

// A job that ended for want of its data file or its tables names the file,
// so that the user knows what to mend; the page answers before the job's
// end is shown.
void TellUnreadFile(const EmbossJob& job, JobOutcome outcome) {
    const AppState& state = *job.pState;
    char path[MAX_PATH] = "";
    UINT text = 0;
    if (outcome == kJobNoDataFile) {
        lstrcpynA(path, state.szDatabaseFile, sizeof path);
        text = IDS_DATA_FILE_NOT_OPENED;
    } else if (outcome == kJobNoTables) {
        const std::string name(state.szRuleFile,
                               strnlen(state.szRuleFile, sizeof state.szRuleFile));
        RuleFilePath(path, sizeof path, name.c_str());
        text = IDS_TABLE_NOT_LOADED;
    } else {
        return;
    }
    SendMessageA(job.hPage, kUnreadFileMessage, text, reinterpret_cast<LPARAM>(path));
}

} // namespace

void SetEmbossButton(HWND page, int bRunning) {
    char text[64] = "";
    LoadStringA(GetModuleHandleA(nullptr), bRunning ? IDS_ABORT : IDS_EMBOSS, text, sizeof text);
    SetDlgItemTextA(page, IDC_EMBOSS, text);
}

int StartEmbossJob(HWND page, AppState* state, int bToFile, std::atomic<int32_t>* pRunning) {
    g_job = {state, GetDlgItem(page, IDC_PROGRESS), page, bToFile, pRunning};
    pRunning->store(1);
    SetEmbossButton(page, 1);
    HANDLE thread = CreateThread(nullptr, 0, EmbossJobThread, &g_job, 0, nullptr);
    if (!thread) {
        pRunning->store(0);
        SetEmbossButton(page, 0);
        return 0;
    }
    CloseHandle(thread);
    return 1;
}

DWORD WINAPI EmbossJobThread(LPVOID parameter) {
    const EmbossJob job = *static_cast<const EmbossJob*>(parameter);
    AppState* state = job.pState;
    const SheetFormat& f = state->Sheet;
    const uint32_t W = PageGridWidth(f.wPaperWidth);
    const uint32_t H = PageGridHeight(f.wPaperHeight);
    uint8_t* grid = AllocPageGrid(W, H);
    if (!grid) {
        Fail(job, kJobNoMemory, "");
        return 0;
    }
    char spoolFile[MAX_PATH];
    MakeTempSpoolFile(spoolFile);
    FILE* spool = *spoolFile ? fopen(spoolFile, "wb") : nullptr;
    if (!spool) {
        FreePageGrid(grid);
        Fail(job, kJobNoSpoolFile, spoolFile);
        return 0;
    }

    FileJobSink sink(spool);
    LabelJob labels = MakeLabelJob(state, grid, W, H, &sink, ComposeLabelText);
    PageJobControl control(job);
    const int32_t from = LoadSharedField(&state->nFromLabel);
    const int32_t start = LoadSharedField(&state->nStartPos);
    const int32_t count = LoadSharedField(&state->nToLabel) - from + 1;
    SendMessageA(job.hProgress, PBM_SETRANGE32, 0, count > 0 ? count : 0);
    SendMessageA(job.hProgress, PBM_SETPOS, 0, 0);
    const JobOutcome outcome = WriteEmbossJob(labels, from, start, ReadMultipleImpacts(), control);
    CloseAppDataSource(state);
    const int closed = fclose(spool) == 0;
    FreePageGrid(grid);
    // A spool file that could not be completed is never printed.
    const int code = JobResultCode(outcome, closed);
    if (code != kPrintDone) {
        TellUnreadFile(job, outcome);
        Fail(job, code, spoolFile);
        return 0;
    }
    SendMessageA(job.hProgress, PBM_SETPOS, count > 0 ? count : 0, 0);
    char printer[MAX_PATH] = "";
    SendMessageA(job.hPage, kCopyPrinterMessage, 0, reinterpret_cast<LPARAM>(printer));
    SpoolAndPrint(job.hPage, job.hProgress, spoolFile, printer, job.bToFile, state);
    return 0;
}
