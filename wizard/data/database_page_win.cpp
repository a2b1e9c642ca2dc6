#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>

#include <cstring>

#include "basic_page_win.h"
#include "external_editor_win.h"
#include "label_preview_win.h"
#include "page_services_win.h"
#include "page_table_win.h"
#include "resource.h"

int BrowseDataSource(HWND page, char* path);
void SyncDatabaseButtons(const AppState* state, HWND page);

namespace {

constexpr int kPreviewControls[] = {IDC_LABEL_TEXT, IDC_RECORD_COUNTER, IDC_RECORD_SPIN};

// The record shown in the preview, from 0.
int32_t g_previewRecord = 0;

AppState* PageState(HWND page) {
    PageEntry* row = PageRow(page);
    return row ? row->pState : nullptr;
}

void DisablePreview(HWND page) {
    for (int id : kPreviewControls) {
        EnableWindow(GetDlgItem(page, id), FALSE);
    }
}

void SetEditButtonText(HWND page) {
    char text[8];
    const bool hasPath = GetDlgItemTextA(page, IDC_DATABASE_PATH, text, sizeof text) > 0;
    char label[64] = "";
    LoadStringA(GetModuleHandleA(nullptr), hasPath ? IDS_EDIT : IDS_CREATE, label, sizeof label);
    SetDlgItemTextA(page, IDC_DATABASE_EDIT, label);
}

// The range, then the record as typed (the fields merged, not translated).
void ShowPreview(HWND page, AppState* state) {
    if (!state->szDatabaseFile[0]) {
        DisablePreview(page);
        return;
    }
    PreviewLabelRange(state);
    ReopenLabelPreview(page, state, g_previewRecord, false);
}

void Activate(HWND page, AppState* state) {
    SetWizardTitle(page, PageRow(page), state->szProjectFile);
    if (!state->szDatabaseFile[0]) {
        SetDlgItemTextA(page, IDC_DATABASE_PATH, "");
        DisablePreview(page);
    } else if (FileExists(state->szDatabaseFile)) {
        SetDlgItemTextA(page, IDC_DATABASE_PATH, state->szDatabaseFile);
        ShowPreview(page, state);
    }
    SetWizardButtons(page, PSWIZB_BACK | PSWIZB_NEXT);
    SyncDatabaseButtons(state, page);
    SetEditButtonText(page);
}

// The previous file's source is let go first, or the range would still be
// counted in it.
void Browse(HWND page, AppState* state) {
    if (BrowseDataSource(page, state->szDatabaseFile)) {
        g_previewRecord = 0;
        ReleaseLabelPreview(page, state);
        ShowPreview(page, state);
    }
    SyncDatabaseButtons(state, page);
    SetEditButtonText(page);
}

// The editor may rewrite the file, so the preview lets go of it first.
void Edit(HWND page, AppState* state) {
    ReleaseLabelPreview(page, state);
    EditDataSource(page, state->szDatabaseFile);
    ShowPreview(page, state);
    SyncDatabaseButtons(state, page);
    SetEditButtonText(page);
}

void MoveRecord(HWND page, AppState* state, const NMUPDOWN& change) {
    const int32_t value = change.iPos + change.iDelta;
    if (value >= state->nMinLabel && value <= state->nMaxLabel) {
        g_previewRecord = value - 1;
        ShowLabelPreview(page, state, g_previewRecord);
    }
}

INT_PTR Notify(HWND page, const NMHDR& header, WPARAM wParam, LPARAM lParam) {
    AppState* state = PageState(page);
    if (header.idFrom == IDC_RECORD_SPIN && header.code == UDN_DELTAPOS) {
        MoveRecord(page, state, reinterpret_cast<const NMUPDOWN&>(header));
        return SetPageResult(page, 0);
    }
    switch (header.code) {
    case PSN_SETACTIVE:
        Activate(page, state);
        return SetPageResult(page, 0);
    case PSN_WIZNEXT:
    case PSN_WIZBACK:
        ReleaseLabelPreview(page, state);
        break;
    }
    return BasicPageMessage(page, WM_NOTIFY, wParam, lParam, IDS_HEADER_DATABASE,
                            PSWIZB_BACK | PSWIZB_NEXT);
}

} // namespace

// Workbooks are offered with or without the spreadsheet application: the
// wizard reads them itself when it is missing.
int BrowseDataSource(HWND page, char* path) {
    char filter[1024] = "";
    LoadStringA(GetModuleHandleA(nullptr), IDS_FILTER_WORKBOOK_CSV, filter, sizeof filter);
    const size_t length = std::strlen(filter);
    if (length > 0) {
        const char separator = filter[length - 1];
        for (size_t i = 0; i < length; ++i) {
            if (filter[i] == separator) {
                filter[i] = '\0';
            }
        }
    }
    char title[256] = "";
    LoadStringA(GetModuleHandleA(nullptr), IDS_SELECT_WORKBOOK, title, sizeof title);
    // The record keeps its path until a file is really chosen.
    char chosen[MAX_PATH];
    std::strncpy(chosen, path, sizeof chosen - 1);
    chosen[sizeof chosen - 1] = '\0';
    OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = page;
    dialog.lpstrFilter = filter;
    dialog.nFilterIndex = 2; // comma-separated files
    dialog.lpstrFile = chosen;
    dialog.nMaxFile = sizeof chosen;
    dialog.lpstrTitle = title;
    dialog.lpstrDefExt = "xls";
    dialog.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_SHOWHELP;
    if (!GetOpenFileNameA(&dialog)) {
        return 0;
    }
    std::memcpy(path, chosen, sizeof chosen);
    SetDlgItemTextA(page, IDC_DATABASE_PATH, path);
    return 1;
}

// Next only for a path box naming an existing file; what is typed there
// never becomes the data source.
void SyncDatabaseButtons(const AppState* state, HWND page) {
    char typed[MAX_PATH] = "";
    GetDlgItemTextA(page, IDC_DATABASE_PATH, typed, sizeof typed);
    const bool usable = state && typed[0] && FileExists(typed);
    SetWizardButtons(page, usable ? PSWIZB_BACK | PSWIZB_NEXT : PSWIZB_BACK);
}

INT_PTR CALLBACK DatabasePageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: {
        PageEntry* row = InitPage(page, lParam, IDS_HEADER_DATABASE);
        g_previewRecord = 0;
        DisablePreview(page);
        SyncDatabaseButtons(row ? row->pState : nullptr, page);
        return TRUE;
    }
    case WM_CTLCOLORSTATIC:
        if (reinterpret_cast<HWND>(lParam) == GetDlgItem(page, IDC_DATABASE_PATH)) {
            return reinterpret_cast<INT_PTR>(GetStockObject(WHITE_BRUSH));
        }
        return PageHeaderColor(reinterpret_cast<HWND>(lParam));
    case WM_NOTIFY:
        return Notify(page, *reinterpret_cast<const NMHDR*>(lParam), wParam, lParam);
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_DATABASE_BROWSE:
            Browse(page, PageState(page));
            return TRUE;
        case IDC_DATABASE_PATH:
            SyncDatabaseButtons(PageState(page), page);
            return TRUE;
        case IDC_DATABASE_EDIT:
            Edit(page, PageState(page));
            return TRUE;
        }
        break;
    }
    return BasicPageMessage(page, message, wParam, lParam, IDS_HEADER_DATABASE,
                            PSWIZB_BACK | PSWIZB_NEXT);
}
