#include "format_name_dialog_win.h"

#include "resource.h"

namespace {

constexpr int kMaxNameLength = 98;

INT_PTR CALLBACK FormatNameDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: {
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        // The box starts empty, so the name does too: OK on an untouched box
        // must not save under the name of the format being edited.
        reinterpret_cast<char*>(lParam)[0] = '\0';
        HICON icon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_DOTWELL));
        SendMessageA(dialog, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
        SendDlgItemMessageA(dialog, IDC_FORMAT_NAME, EM_LIMITTEXT, kMaxNameLength, 0);
        SetFocus(GetDlgItem(dialog, IDC_FORMAT_NAME));
        return FALSE;
    }
    case WM_COMMAND: {
        char* name = reinterpret_cast<char*>(GetWindowLongPtrA(dialog, DWLP_USER));
        switch (LOWORD(wParam)) {
        case IDC_FORMAT_NAME:
            if (name) {
                GetDlgItemTextA(dialog, IDC_FORMAT_NAME, name, kMaxNameLength + 1);
            }
            return TRUE;
        case IDOK:
            EndDialog(dialog, 1);
            return TRUE;
        case IDCANCEL:
            EndDialog(dialog, 0);
            return TRUE;
        }
        break;
    }
    }
    return FALSE;
}

} // namespace

INT_PTR AskFormatName(HWND owner, char* name) {
    return DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_FORMAT_NAME), owner,
                           FormatNameDialogProc, reinterpret_cast<LPARAM>(name));
}
