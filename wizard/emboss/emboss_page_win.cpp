#include <windows.h>
#include <commctrl.h>

#include <atomic>
#include <cstring>

#include "data_source.h"
#include "emboss_job_win.h"
#include "emboss_page_controls_win.h"
#include "emboss_run.h"
#include "label_area_win.h"
#include "label_fields.h"
#include "label_preview_win.h"
#include "page_services_win.h"
#include "page_table_win.h"
#include "picture_words.h"
#include "project_dialogs_win.h"
#include "project_file_io_win.h"
#include "raw_print_win.h"
#include "resource.h"
#include "settings_win.h"
#include "shared_fields.h"
#include "sheet_preview_win.h"
#include "speaking_picture_win.h"
#include "spin_field_win.h"

namespace {

constexpr UINT_PTR kPreviewTimer = 1;
constexpr int kFinishButton = 0x3025;
constexpr int kBackButton = 0x3023;

// 1 while a job runs; the page clears it to stop the worker.
std::atomic<int32_t> g_jobRunning{0};
// From a job's start to its worker's own end message. A stopped job's worker
// still composes or prints until then, and reads the record and the data
// source: no second job, no page change and no release meanwhile.
bool g_workerAlive = false;
int32_t g_previewRecord = 0;

// Its name, the start position, is read out as it changes: the user who
// moves the start position spin hears where the first label goes.
void RedrawSheetPicture(HWND page, const AppState* state) {
    HWND picture = GetDlgItem(page, IDC_START_PREVIEW);
    const int32_t start = LoadSharedField(&state->nStartPos);
    DrawSheetPreview(picture, &state->Sheet, start);
    SetPictureWords(picture, StartInWords(state->Sheet, start), SheetInWords(state->Sheet));
}

// The job's outcome is read out: screen readers follow the focus and leave
// a changed status line unsaid unless it is a live region. The running
// count is left to the progress bar, whose own value change event screen
// readers already follow in the background; a live status for every
// label would drown it.
void ShowResult(HWND page, UINT stringId) {
    ShowStatus(page, stringId);
    AnnounceLiveRegion(GetDlgItem(page, IDC_STATUS));
}

int LabelsPerSheet(const SheetFormat& f) {
    return int{f.wNumHorizontal} * f.wNumVertical;
}

void SetButtons(HWND page, AppState* state) {
    HWND sheet = GetParent(page);
    const bool readOnly = FileExists(state->szProjectFile) && IsReadOnlyProject(page, state);
    const DWORD buttons = readOnly ? PSWIZB_FINISH : PSWIZB_BACK | PSWIZB_FINISH;
    SetWizardButtons(page, buttons);
    char finish[64] = "";
    LoadStringA(GetModuleHandleA(nullptr), IDS_FINISH, finish, sizeof finish);
    PropSheet_SetFinishText(sheet, finish);
    // Naming the Finish button also hides Back, which this page keeps.
    if (!readOnly)
        ShowWindow(GetDlgItem(sheet, kBackButton), SW_SHOW);
}

// While a worker lives the sheet's buttons refuse; they show it too, so that
// nobody (and no screen reader) takes them for working.
void SetWorkerAlive(HWND page, AppState* state, bool alive) {
    g_workerAlive = alive;
    HWND sheet = GetParent(page);
    if (alive) {
        for (int button : {kBackButton, kFinishButton, static_cast<int>(IDCANCEL)})
            EnableWindow(GetDlgItem(sheet, button), FALSE);
        return;
    }
    EnableWindow(GetDlgItem(sheet, IDCANCEL), TRUE);
    SetButtons(page, state);
}

void TakeSelectedEmbosser(HWND page, AppState* state) {
    HWND list = GetDlgItem(page, IDC_EMBOSSER);
    const LRESULT item = SendMessageA(list, CB_GETCURSEL, 0, 0);
    if (item == CB_ERR)
        return;
    char name[MAX_PATH] = "";
    if (SendMessageA(list, CB_GETLBTEXTLEN, item, 0) >= static_cast<LRESULT>(sizeof name))
        return;
    SendMessageA(list, CB_GETLBTEXT, item, reinterpret_cast<LPARAM>(name));
    lstrcpynA(state->szSelectedPrinter, name, sizeof state->szSelectedPrinter);
    WriteSelectedPrinter(name);
}

void CreateFields(HWND page, AppState* state) {
    const double minLabel = state->nMinLabel, maxLabel = state->nMaxLabel;
    CreateSpinField(page, IDC_FROM_LABEL, IDC_FROM_LABEL_SPIN, minLabel, state->nToLabel, 1,
                    state->nFromLabel, 0);
    CreateSpinField(page, IDC_TO_LABEL, IDC_TO_LABEL_SPIN, state->nFromLabel, maxLabel, 1,
                    state->nToLabel, 0);
    CreateSpinField(page, IDC_IMPACTS, IDC_IMPACTS_SPIN, 1, 5, 1, ReadMultipleImpacts(), 0);
    CreateSpinField(page, IDC_START_POSITION, IDC_START_POSITION_SPIN, 1,
                    LabelsPerSheet(state->Sheet), 1, state->nStartPos, 0);
}

void OnActivate(HWND page, PageEntry* row) {
    AppState* state = row->pState;
    if (state->bAutoEmboss) {
        StoreSharedField(&state->nFromLabel, 1);
        if (DataSourceOpen(state)) {
            StoreSharedField(&state->nToLabel, DataSourceRowCount(state));
            DataSourceClose(state);
        }
    }
    SetWizardTitle(page, row, state->szProjectFile);
    SetButtons(page, state);
    PreviewLabelRange(state);
    FillEmbosserList(GetDlgItem(page, IDC_EMBOSSER), state->szSelectedPrinter);
    TakeSelectedEmbosser(page, state);
    SetEmbossButton(page, g_workerAlive);
    EnableWindow(GetDlgItem(page, IDC_EMBOSS), EmbosserSelected(page));
    CreateFields(page, state);
    LayOutLabelPreview(page, state->Sheet);
    if (g_previewRecord + 1 > state->nMaxLabel)
        g_previewRecord = 0;
    ReopenLabelPreview(page, state, g_previewRecord, true);
    const int selected = EmbosserSelected(page);
    EnableWindow(GetDlgItem(page, IDC_EMBOSS), selected);
    if (state->bAutoEmboss && selected)
        PostMessageA(page, WM_COMMAND, MAKEWPARAM(IDC_EMBOSS, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(page, IDC_EMBOSS)));
}

void OnEmbossButton(HWND page, AppState* state) {
    if (g_workerAlive) {
        g_jobRunning.store(0);
        return;
    }
    CommitLabelRange(page, state);
    // The last job's preview must not reload the source and the tables
    // under this one's worker.
    KillTimer(page, kPreviewTimer);
    ReleaseLabelPreview(page, state);
    const int toFile = IsDlgButtonChecked(page, IDC_PRINT_TO_FILE) == BST_CHECKED;
    SetWorkerAlive(page, state, true);
    if (!StartEmbossJob(page, state, toFile, &g_jobRunning)) {
        SetWorkerAlive(page, state, false);
        ShowResult(page, IDS_JOB_RESULT_BASE + kJobNoMemory);
    }
}

void OnStartPositionLeft(HWND page, AppState* state) {
    double value = 0;
    if (!ReadNumberField(GetDlgItem(page, IDC_START_POSITION), &value) ||
        value >= LabelsPerSheet(state->Sheet) + 1.0) {
        UndoFieldEdit(page, IDC_START_POSITION);
        return;
    }
    StoreSharedField(&state->nStartPos, static_cast<int32_t>(value));
    RedrawSheetPicture(page, state);
}

INT_PTR OnCommand(HWND page, AppState* state, int id, int code) {
    switch (id) {
    case IDC_EMBOSSER:
        TakeSelectedEmbosser(page, state);
        EnableWindow(GetDlgItem(page, IDC_EMBOSS), EmbosserSelected(page));
        return TRUE;
    case IDC_FROM_LABEL:
    case IDC_TO_LABEL:
        CommitLabelRange(page, state);
        return TRUE;
    case IDC_START_POSITION:
        if (code == EN_KILLFOCUS)
            OnStartPositionLeft(page, state);
        return TRUE;
    case IDC_IMPACTS: {
        BOOL read = FALSE;
        const UINT impacts = GetDlgItemInt(page, IDC_IMPACTS, &read, FALSE);
        if (read)
            WriteMultipleImpacts(impacts);
        return TRUE;
    }
    case IDC_EMBOSS:
        if (code == BN_CLICKED)
            OnEmbossButton(page, state);
        return TRUE;
    }
    return FALSE;
}

// Cancel and Finish end the wizard only after the save question, and never
// while a worker is alive.
INT_PTR OnEnd(HWND page, AppState* state, bool finish) {
    if (g_workerAlive)
        return SetPageResult(page, TRUE);
    HWND emboss = GetDlgItem(page, IDC_EMBOSS);
    if (finish && GetFocus() != GetDlgItem(GetParent(page), kFinishButton) &&
        IsWindowEnabled(emboss)) {
        // Enter embosses; only the Finish button itself finishes.
        PostMessageA(page, WM_COMMAND, MAKEWPARAM(IDC_EMBOSS, BN_CLICKED),
                     reinterpret_cast<LPARAM>(emboss));
        return SetPageResult(page, TRUE);
    }
    if (finish && state->bAutoEmboss) {
        ReleaseAppState(state);
        return SetPageResult(page, FALSE);
    }
    if (SaveOrClose(page, state) == kStayOpen)
        return SetPageResult(page, TRUE);
    ReleaseAppState(state);
    return SetPageResult(page, FALSE);
}

INT_PTR OnNotify(HWND page, PageEntry* row, const NMHDR* header) {
    AppState* state = row->pState;
    if (header->idFrom == IDC_RECORD_SPIN && header->code == static_cast<UINT>(UDN_DELTAPOS)) {
        const auto* change = reinterpret_cast<const NMUPDOWN*>(header);
        const int64_t value = int64_t{change->iPos} + change->iDelta;
        if (value >= state->nMinLabel && value <= state->nMaxLabel) {
            g_previewRecord = static_cast<int32_t>(value - 1);
            ShowLabelPreview(page, state, g_previewRecord);
        }
        return FALSE;
    }
    switch (header->code) {
    case PSN_SETACTIVE:
        OnActivate(page, row);
        return SetPageResult(page, 0);
    case PSN_WIZBACK:
        if (g_workerAlive)
            return SetPageResult(page, -1);
        SetPageEnabled(row, IDD_DATABASE, HasFieldBraces(LabelText(*state)));
        ReleaseLabelPreview(page, state);
        return GoPreviousPage(row, page);
    case PSN_WIZNEXT:
        if (g_workerAlive)
            return SetPageResult(page, -1);
        return GoNextPage(row, page);
    case PSN_WIZFINISH:
        return OnEnd(page, state, true);
    case PSN_QUERYCANCEL:
        return OnEnd(page, state, false);
    case PSN_HELP:
        ShowHelp(page);
        return TRUE;
    }
    return FALSE;
}

void OnJobDone(HWND page, AppState* state, const char* szSpoolFile) {
    SetWorkerAlive(page, state, false);
    g_jobRunning.store(0);
    SetDlgItemTextA(page, IDC_STATUS, "");
    SetEmbossButton(page, 0);
    if (szSpoolFile && *szSpoolFile)
        DeleteFileA(szSpoolFile);
    SetTimer(page, kPreviewTimer, 100, nullptr);
    ShowResult(page, IDS_JOB_DONE);
    if (state->bAutoEmboss) {
        // With the focus on Finish the press finishes rather than embossing
        // again.
        HWND sheet = GetParent(page);
        SetFocus(GetDlgItem(sheet, kFinishButton));
        PostMessageA(sheet, PSM_PRESSBUTTON, PSBTN_FINISH, 0);
    }
}

void OnJobFailed(HWND page, AppState* state, WPARAM code, const char* szSpoolFile) {
    SetWorkerAlive(page, state, false);
    SetEmbossButton(page, 0);
    SetDlgItemTextA(page, IDC_STATUS, "");
    if (szSpoolFile && *szSpoolFile && GetFileAttributesA(szSpoolFile) != INVALID_FILE_ATTRIBUTES)
        DeleteFileA(szSpoolFile);
    ReopenLabelPreview(page, state, g_previewRecord, true);
    g_jobRunning.store(0);
    if (code <= kJobUserAbort)
        ShowResult(page, IDS_JOB_RESULT_BASE + static_cast<UINT>(code));
}

void OnClick(HWND page, AppState* state, LPARAM lParam) {
    POINT point = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    MapWindowPoints(page, GetDlgItem(page, IDC_START_PREVIEW), &point, 1);
    const int slot = HitTestSheetPreview(page, state->Sheet, point.x, point.y);
    if (slot < 0)
        return;
    StoreSharedField(&state->nStartPos, slot + 1);
    SetDlgItemInt(page, IDC_START_POSITION, static_cast<UINT>(slot + 1), FALSE);
    RedrawSheetPicture(page, state);
}

} // namespace

INT_PTR CALLBACK EmbossPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        InitPage(page, lParam, IDS_HEADER_EMBOSS);
        MakeSpeakingPicture(GetDlgItem(page, IDC_START_PREVIEW), kGraphic | kLiveName);
        MakeLiveRegion(GetDlgItem(page, IDC_STATUS));
        return TRUE;
    }
    PageEntry* row = PageRow(page);
    if (!row)
        return FALSE;
    AppState* state = row->pState;
    switch (message) {
    case WM_NOTIFY:
        return OnNotify(page, row, reinterpret_cast<const NMHDR*>(lParam));
    case WM_COMMAND:
        return OnCommand(page, state, LOWORD(wParam), HIWORD(wParam));
    case WM_LBUTTONDOWN:
        OnClick(page, state, lParam);
        return TRUE;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        BeginPaint(page, &paint);
        EndPaint(page, &paint);
        RedrawSheetPicture(page, state);
        return TRUE;
    }
    case WM_CTLCOLORSTATIC:
        return LabelPageStaticColor(page, reinterpret_cast<HWND>(lParam));
    case WM_TIMER:
        if (wParam != kPreviewTimer)
            return FALSE;
        KillTimer(page, kPreviewTimer);
        if (!g_workerAlive)
            ReopenLabelPreview(page, state, g_previewRecord, true);
        return TRUE;
    case WM_DESTROY:
        ForgetLabelArea(GetDlgItem(page, IDC_LABEL_AREA));
        return FALSE;
    case kJobDoneMessage:
        OnJobDone(page, state, reinterpret_cast<const char*>(lParam));
        return TRUE;
    case kJobFailedMessage:
        OnJobFailed(page, state, wParam, reinterpret_cast<const char*>(lParam));
        return TRUE;
    case kCopyPrinterMessage:
        lstrcpynA(reinterpret_cast<char*>(lParam), state->szSelectedPrinter, MAX_PATH);
        return TRUE;
    case kUnreadFileMessage:
        ShowMessage(page, GetModuleHandleA(nullptr), static_cast<UINT>(wParam),
                    MB_OK | MB_ICONEXCLAMATION, reinterpret_cast<const char*>(lParam));
        return TRUE;
    }
    return FALSE;
}
