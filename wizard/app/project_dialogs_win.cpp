#include "project_dialogs_win.h"

#include <commdlg.h>

#include <cstring>

#include "page_services_win.h"
#include "project_file_io_win.h"
#include "resource.h"
#include "settings_win.h"

namespace {

HINSTANCE Instance() {
    return GetModuleHandleA(nullptr);
}

// Fills what both file dialogs share: owner, filter, file buffer, first
// folder, title and default extension.
void PrepareFileDialog(OPENFILENAMEA* dialog, HWND owner, char* path, const char* filter,
                       char* folder, char* title, UINT titleId) {
    std::memset(dialog, 0, sizeof *dialog);
    if (!GetLastDir(folder, MAX_PATH)) {
        GetPersonalFolder(folder, MAX_PATH);
    }
    LoadStringA(Instance(), titleId, title, 128);
    dialog->lStructSize = sizeof *dialog;
    dialog->hwndOwner = owner;
    dialog->hInstance = Instance();
    dialog->lpstrFilter = filter;
    dialog->nFilterIndex = 1;
    dialog->lpstrFile = path;
    dialog->nMaxFile = MAX_PATH;
    dialog->lpstrInitialDir = folder;
    dialog->lpstrTitle = title;
    dialog->lpstrDefExt = "dwp";
}

// The save dialog's child template: reports the "Readonly" box when the
// dialog is accepted.
UINT_PTR CALLBACK SaveTemplateHook(HWND hook, UINT message, WPARAM, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrA(
            hook, GWLP_USERDATA,
            static_cast<LONG_PTR>(reinterpret_cast<OPENFILENAMEA*>(lParam)->lCustData));
    } else if (message == WM_NOTIFY && reinterpret_cast<NMHDR*>(lParam)->code == CDN_FILEOK) {
        auto* readOnly = reinterpret_cast<int*>(GetWindowLongPtrA(hook, GWLP_USERDATA));
        if (readOnly && IsDlgButtonChecked(hook, IDC_SAVE_READONLY) == BST_CHECKED) {
            *readOnly = 1;
        }
    }
    return 0;
}

// Dialogs 122 and 126 share their dressing.
void DressEndQuestion(HWND dialog) {
    char caption[64] = "";
    LoadStringA(Instance(), IDS_PRODUCT_NAME, caption, sizeof caption);
    SetWindowTextA(dialog, caption);
    CenterWindow(dialog, GetWindow(dialog, GW_OWNER));
    SendMessageA(dialog, WM_SETICON, ICON_BIG,
                 reinterpret_cast<LPARAM>(LoadIconA(Instance(), MAKEINTRESOURCEA(IDI_DOTWELL))));
}

INT_PTR CALLBACK SaveChangesProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_INITDIALOG) {
        DressEndQuestion(dialog);
        return TRUE;
    }
    if (message == WM_COMMAND) {
        const int id = LOWORD(wParam);
        if (id == IDC_SAVE_AS || id == IDC_SAVE_YES || id == IDC_SAVE_NO || id == IDC_SAVE_CANCEL) {
            EndDialog(dialog, id);
        } else if (id == IDOK || id == IDCANCEL) {
            EndDialog(dialog, IDC_SAVE_CANCEL); // Enter and Escape both cancel
        }
        return TRUE;
    }
    return FALSE;
}

struct CloseAnswer {
    bool enableReadOnly;
    bool makeReadOnly;
};

INT_PTR CALLBACK CloseProjectProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrA(dialog, GWLP_USERDATA, lParam);
        DressEndQuestion(dialog);
        auto* answer = reinterpret_cast<CloseAnswer*>(lParam);
        EnableWindow(GetDlgItem(dialog, IDC_MAKE_READONLY), answer->enableReadOnly);
        return TRUE;
    }
    if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        auto* answer = reinterpret_cast<CloseAnswer*>(GetWindowLongPtrA(dialog, GWLP_USERDATA));
        answer->makeReadOnly = IsDlgButtonChecked(dialog, IDC_MAKE_READONLY) == BST_CHECKED;
        EndDialog(dialog, LOWORD(wParam));
        return TRUE;
    }
    return FALSE;
}

// Writes the project; a failure is told to the user and keeps the wizard
// open instead of closing it with the work lost.
int WriteOrStay(HWND owner, AppState* state, int makeReadOnly) {
    if (WriteProject(owner, state, makeReadOnly)) {
        return 1;
    }
    ShowMessage(owner, Instance(), IDS_PROJECT_NOT_SAVED, MB_OK | MB_ICONEXCLAMATION,
                state->szProjectFile);
    return kStayOpen;
}

// A name that was never written to must not stay in the record: the next
// Finish would take it for a saved project whose file cannot be read, find
// nothing changed and close with the work lost.
int SaveAs(HWND owner, AppState* state) {
    char previous[sizeof state->szProjectFile];
    std::memcpy(previous, state->szProjectFile, sizeof previous);
    int readOnly = 0;
    const int result = AskSaveProjectAs(owner, state->szProjectFile, &readOnly)
                           ? WriteOrStay(owner, state, readOnly)
                           : kStayOpen;
    if (result == kStayOpen) {
        std::memcpy(state->szProjectFile, previous, sizeof previous);
    }
    return result;
}

} // namespace

int AskOpenProject(HWND page, char* path) {
    OPENFILENAMEA dialog;
    char folder[MAX_PATH] = "";
    char title[128] = "";
    PrepareFileDialog(&dialog, page, path, "Dotwell Project\0*.dwp\0", folder, title,
                      IDS_OPEN_PROJECT_TITLE);
    dialog.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_SHOWHELP;
    if (!GetOpenFileNameA(&dialog)) {
        return 0;
    }
    SetLastDir(path);
    return 1;
}

int AskSaveProjectAs(HWND owner, char* path, int* readOnly) {
    OPENFILENAMEA dialog;
    char folder[MAX_PATH] = "";
    char title[128] = "";
    PrepareFileDialog(&dialog, owner, path, "Dotwell projects\0*.dwp\0", folder, title,
                      IDS_SAVE_PROJECT_TITLE);
    dialog.Flags = OFN_EXPLORER | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_NOREADONLYRETURN |
                   OFN_SHOWHELP | OFN_ENABLETEMPLATE | OFN_ENABLEHOOK;
    dialog.lpTemplateName = MAKEINTRESOURCEA(IDD_SAVE_TEMPLATE);
    dialog.lpfnHook = SaveTemplateHook;
    dialog.lCustData = reinterpret_cast<LPARAM>(readOnly);
    if (!GetSaveFileNameA(&dialog)) {
        return 0;
    }
    SetLastDir(path);
    return 1;
}

int SaveOrClose(HWND owner, AppState* state) {
    if (!std::strchr(state->szProjectFile, '\\')) {
        switch (ShowMessage(owner, Instance(), IDS_ASK_SAVE_SESSION, MB_YESNOCANCEL)) {
        case IDYES:
            return SaveAs(owner, state);
        case IDNO:
            return 2;
        default:
            return kStayOpen;
        }
    }
    if (ProjectChanged(owner, state)) {
        const INT_PTR answer = DialogBoxParamA(Instance(), MAKEINTRESOURCEA(IDD_SAVE_CHANGES),
                                               owner, SaveChangesProc, 0);
        if (answer == IDC_SAVE_NO) {
            return 2;
        }
        if (answer == IDC_SAVE_YES && !IsReadOnlyProject(owner, state)) {
            return WriteOrStay(owner, state, 0);
        }
        if (answer == IDC_SAVE_YES || answer == IDC_SAVE_AS) {
            return SaveAs(owner, state);
        }
        return kStayOpen;
    }
    CloseAnswer answer{!IsReadOnlyProject(owner, state), false};
    if (DialogBoxParamA(Instance(), MAKEINTRESOURCEA(IDD_CLOSE_PROJECT), owner, CloseProjectProc,
                        reinterpret_cast<LPARAM>(&answer)) != IDOK) {
        return kStayOpen;
    }
    return answer.makeReadOnly ? WriteOrStay(owner, state, 1) : 1;
}
