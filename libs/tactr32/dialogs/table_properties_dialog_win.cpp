#include <windows.h>

#include <string>

#include "dialog_ids.h"
#include "loaded_tables.h"
#include "qrf_syntax.h"
#include "table_info.h"
#include "tactr32_dialogs_win.h"

namespace {

std::string FileNameOf(const std::string& path) {
    const size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Status and metadata of one table into the upper half of the dialog.
void ShowTable(HWND dialog, const std::string& path) {
    tactr::TableInfo info;
    const bool read = tactr::ReadTableInfo(path, info);
    SetDlgItemTextA(dialog, IDC_TP_NAME, info.szName.empty() ? "(no name)" : info.szName.c_str());
    SetDlgItemTextA(dialog, IDC_TP_FILE, path.c_str());
    SetDlgItemTextA(dialog, IDC_TP_LANGUAGE, info.szLanguage.c_str());
    SetDlgItemTextA(dialog, IDC_TP_GRADE, tactr::GradeText(info.nGrade));
    std::string description;
    for (char c : info.szDescription) {
        if (c == '\n') {
            description += '\r';
        }
        description += c;
    }
    SetDlgItemTextA(dialog, IDC_TP_DESCRIPTION, description.c_str());

    std::string status = "Ready to use";
    tactr::Table table;
    std::string why;
    if (!read) {
        status = "The file cannot be read.";
    } else if (!tactr::CompileTable(path, tactr::TableKind::kTranslation, tactr::ReadWholeFile,
                                    table, why)) {
        status = "Cannot be used: " + why;
    }
    SetDlgItemTextA(dialog, IDC_TP_STATUS, status.c_str());
}

std::string SelectedPath(HWND dialog, const std::string& folder) {
    HWND list = GetDlgItem(dialog, IDC_TP_RELATED);
    const LRESULT selected = SendMessageA(list, LB_GETCURSEL, 0, 0);
    if (selected == LB_ERR) {
        return std::string();
    }
    std::string name(static_cast<size_t>(SendMessageA(list, LB_GETTEXTLEN, selected, 0)), '\0');
    SendMessageA(list, LB_GETTEXT, selected, reinterpret_cast<LPARAM>(name.data()));
    return folder + name.c_str();
}

void Init(HWND dialog, TablePropertiesArgs* args) {
    SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(args));
    const std::string folder = tactr::FolderOf(args->pszTable);
    const std::string own = FileNameOf(args->pszTable);
    tactr::TableInfo info;
    tactr::ReadTableInfo(args->pszTable, info);
    HWND list = GetDlgItem(dialog, IDC_TP_RELATED);
    for (const std::string& name :
         tactr::RelatedTables(ListTables(folder), info.szLanguage,
                              [&](const std::string&file, tactr::TableInfo&related) {
                                  return tactr::ReadTableInfo(folder + file, related);
                              })) {
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    }
    // A table without a language is still its own choice.
    if (SendMessageA(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                     reinterpret_cast<LPARAM>(own.c_str())) == LB_ERR) {
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(own.c_str()));
    }
    const LRESULT self = SendMessageA(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                      reinterpret_cast<LPARAM>(own.c_str()));
    SendMessageA(list, LB_SETCURSEL, self == LB_ERR ? 0 : self, 0);
    ShowTable(dialog, args->pszTable);
    EnableWindow(GetDlgItem(dialog, IDOK), SendMessageA(list, LB_GETCOUNT, 0, 0) > 0);
}

void Choose(HWND dialog, TablePropertiesArgs* args) {
    const std::string path = SelectedPath(dialog, tactr::FolderOf(args->pszTable));
    if (!path.empty() && args->pszBuffer && path.size() < args->cbBuffer) {
        lstrcpynA(args->pszBuffer, path.c_str(), static_cast<int>(args->cbBuffer));
        args->nChosen = 1;
    }
    EndDialog(dialog, IDOK);
}

} // namespace

INT_PTR CALLBACK TablePropertiesProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* args = reinterpret_cast<TablePropertiesArgs*>(GetWindowLongPtrA(dialog, DWLP_USER));
    try {
        switch (message) {
        case WM_INITDIALOG:
            Init(dialog, reinterpret_cast<TablePropertiesArgs*>(lParam));
            // The choice is what the dialog is for, not the description.
            SetFocus(GetDlgItem(dialog, IDC_TP_RELATED));
            return FALSE;
        case WM_COMMAND:
            if (!args) {
                break;
            }
            switch (LOWORD(wParam)) {
            case IDOK:
                Choose(dialog, args);
                return TRUE;
            case IDCANCEL:
                EndDialog(dialog, IDCANCEL);
                return TRUE;
            case IDC_TP_RELATED:
                if (HIWORD(wParam) == LBN_SELCHANGE) {
                    ShowTable(dialog, SelectedPath(dialog, tactr::FolderOf(args->pszTable)));
                } else if (HIWORD(wParam) == LBN_DBLCLK) {
                    Choose(dialog, args);
                }
                return TRUE;
            }
            break;
        }
    } catch (...) {
        EndDialog(dialog, IDCANCEL);
    }
    return FALSE;
}

UINT32 TableHasProperties(const char* table) {
    try {
        tactr::TableInfo info;
        return table && tactr::ReadTableInfo(table, info) &&
               !(info.szName.empty() && info.szLanguage.empty() && info.szDescription.empty());
    } catch (...) {
        return 0;
    }
}

UINT32 ShowTableProperties(HWND owner, const char* table, char* buffer, UINT32 size) {
    if (buffer && size) {
        buffer[0] = '\0';
    }
    if (!table) {
        return 0;
    }
    TablePropertiesArgs args{table, buffer, size, 0};
    DialogBoxParamA(DialogModule(), MAKEINTRESOURCEA(IDD_TABLE_PROPERTIES), owner,
                    TablePropertiesProc, reinterpret_cast<LPARAM>(&args));
    return args.nChosen;
}
