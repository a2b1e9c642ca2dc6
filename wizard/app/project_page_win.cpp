#include <windows.h>
#include <commctrl.h>

#include "basic_page_win.h"
#include "page_services_win.h"
#include "project_dialogs_win.h"
#include "project_file_io_win.h"
#include "resource.h"
#include "settings_win.h"

namespace {

// The property sheet's own Back and Next buttons.
constexpr int kSheetBackButton = 0x3023;
constexpr int kSheetNextButton = 0x3024;

bool OpenExistingChosen(HWND page) {
    return IsDlgButtonChecked(page, IDC_PROJECT_OPEN_EXISTING) == BST_CHECKED;
}

// The path box and "Browse..." serve only an existing project.
void ApplyRadioState(HWND page) {
    const BOOL existing = OpenExistingChosen(page);
    EnableWindow(GetDlgItem(page, IDC_PROJECT_PATH), existing);
    EnableWindow(GetDlgItem(page, IDC_PROJECT_BROWSE), existing);
}

// Takes the path box into the record; a new project starts from a fresh
// record on every change. Back is offered alone while an existing project
// is chosen but its file is not there.
void SyncProjectPage(HWND page, AppState* state) {
    GetDlgItemTextA(page, IDC_PROJECT_PATH, state->szProjectFile, sizeof state->szProjectFile);
    if (!OpenExistingChosen(page)) {
        ReleaseAppState(state);
    }
    const bool backOnly = OpenExistingChosen(page) && !FileExists(state->szProjectFile);
    HWND sheet = GetParent(page);
    const bool backEnabled = IsWindowEnabled(GetDlgItem(sheet, kSheetBackButton)) != FALSE;
    const bool nextEnabled = IsWindowEnabled(GetDlgItem(sheet, kSheetNextButton)) != FALSE;
    if (!backEnabled || nextEnabled == backOnly) {
        SetWizardButtons(page, backOnly ? PSWIZB_BACK : PSWIZB_BACK | PSWIZB_NEXT);
    }
}

void OnCommand(HWND page, PageEntry* row, int id) {
    AppState* state = row->pState;
    switch (id) {
    case IDC_PROJECT_PATH:
        SyncProjectPage(page, state);
        SetWizardTitle(page, row, state->szProjectFile);
        break;
    case IDC_PROJECT_OPEN_EXISTING:
    case IDC_PROJECT_CREATE_NEW:
        ApplyRadioState(page);
        SyncProjectPage(page, state);
        break;
    case IDC_PROJECT_BROWSE:
        if (AskOpenProject(page, state->szProjectFile)) {
            SetDlgItemTextA(page, IDC_PROJECT_PATH, state->szProjectFile);
        }
        break;
    }
}

void OnSetActive(HWND page, PageEntry* row) {
    AppState* state = row->pState;
    const DWORD button = ReadLastProject(state->szProjectFile, sizeof state->szProjectFile);
    CheckRadioButton(page, IDC_PROJECT_OPEN_EXISTING, IDC_PROJECT_CREATE_NEW,
                     button == 1 ? IDC_PROJECT_OPEN_EXISTING : IDC_PROJECT_CREATE_NEW);
    if (button == 1) {
        SetDlgItemTextA(page, IDC_PROJECT_PATH, state->szProjectFile);
    }
    ApplyRadioState(page);
    SyncProjectPage(page, state);
    SetWizardTitle(page, row, state->szProjectFile);
}

INT_PTR OnWizardNext(HWND page, PageEntry* row) {
    AppState* state = row->pState;
    const bool existing = OpenExistingChosen(page);
    WriteLastProject(existing ? 1 : 0, state->szProjectFile);
    if (!existing) {
        state->szLabelText[0] = '\0';
    }
    if (!ReadProject(page, state) && existing) {
        return SetPageResult(page, 1);
    }
    if (FileExists(state->szProjectFile) && IsReadOnlyProject(page, state)) {
        return GoToEmbossPage(row, page);
    }
    return GoNextPage(row, page);
}

} // namespace

INT_PTR CALLBACK ProjectPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    PageEntry* row = PageRow(page);
    if (message == WM_COMMAND && row) {
        OnCommand(page, row, LOWORD(wParam));
        return TRUE;
    }
    if (message == WM_NOTIFY && row) {
        switch (reinterpret_cast<NMHDR*>(lParam)->code) {
        case PSN_SETACTIVE:
            OnSetActive(page, row);
            return SetPageResult(page, 0);
        case PSN_WIZNEXT:
            return OnWizardNext(page, row);
        case PSN_QUERYCANCEL:
            return SetPageResult(page, FALSE); // closes without releasing
        }
    }
    return BasicPageMessage(page, message, wParam, lParam, IDS_HEADER_PROJECT,
                            PSWIZB_BACK | PSWIZB_NEXT);
}
