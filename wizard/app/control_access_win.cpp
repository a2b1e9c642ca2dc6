#include "control_access_win.h"

#include <commctrl.h>

#include "named_control.h"
#include "resource.h"

namespace {

struct UnlabelledControl {
    UINT dialogId;
    int controlId;
    UINT nameStringId;
};

// The path box follows the radio buttons it serves; the label text is drawn
// over the label's picture, with nothing to name it.
constexpr UnlabelledControl kUnlabelled[] = {
    {IDD_PROJECT, IDC_PROJECT_PATH, IDS_NAME_PROJECT_PATH},
    {IDD_LABEL_LAYOUT, IDC_LABEL_TEXT, IDS_NAME_LABEL_TEXT},
};

struct LoneUpDown {
    UINT dialogId;
    int controlId;
};

// The record spins step through the previews; the counter before each names it.
constexpr LoneUpDown kLoneUpDowns[] = {
    {IDD_DATABASE, IDC_RECORD_SPIN},
    {IDD_EMBOSS, IDC_RECORD_SPIN},
};

// Without it the dialog manager takes the arrows to move the focus on.
LRESULT CALLBACK ArrowKeysProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                               DWORD_PTR) {
    if (message == WM_GETDLGCODE)
        return DefSubclassProc(window, message, wParam, lParam) | DLGC_WANTARROWS;
    if (message == WM_NCDESTROY)
        RemoveWindowSubclass(window, ArrowKeysProc, 0);
    return DefSubclassProc(window, message, wParam, lParam);
}

} // namespace

void PrepareControlAccess(HWND dialog, UINT dialogId) {
    for (const UnlabelledControl& control : kUnlabelled) {
        if (control.dialogId != dialogId)
            continue;
        wchar_t name[128] = L"";
        if (LoadStringW(GetModuleHandleW(nullptr), control.nameStringId, name, 128) > 0)
            SetAccessibleName(GetDlgItem(dialog, control.controlId), name);
    }
    for (const LoneUpDown& control : kLoneUpDowns) {
        if (control.dialogId == dialogId)
            SetWindowSubclass(GetDlgItem(dialog, control.controlId), ArrowKeysProc, 0, 0);
    }
}
