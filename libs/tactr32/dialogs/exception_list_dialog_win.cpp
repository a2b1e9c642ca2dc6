#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>

#include "dialog_ids.h"
#include "exception_list.h"
#include "named_control.h"
#include "qrf_table.h"
#include "tactr32_dialogs_win.h"

namespace {

struct Editor {
    std::string exceptionFolder, ruleFolder;
    std::string file; // name of the open list, empty when none
    tactr::ExceptionList list;
    bool bChanged = false;
};

Editor* EditorOf(HWND dialog) {
    return reinterpret_cast<Editor*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

std::string ItemText(HWND dialog, int id) {
    HWND control = GetDlgItem(dialog, id);
    std::string text(static_cast<size_t>(GetWindowTextLengthA(control)) + 1, '\0');
    GetWindowTextA(control, text.data(), static_cast<int>(text.size()));
    text.resize(text.size() - 1);
    return text;
}

std::string ComboSelection(HWND dialog, int id) {
    HWND combo = GetDlgItem(dialog, id);
    const LRESULT selected = SendMessageA(combo, CB_GETCURSEL, 0, 0);
    if (selected == CB_ERR) {
        return std::string();
    }
    std::string text(static_cast<size_t>(SendMessageA(combo, CB_GETLBTEXTLEN, selected, 0)) + 1,
                     '\0');
    SendMessageA(combo, CB_GETLBTEXT, selected, reinterpret_cast<LPARAM>(text.data()));
    return text.c_str();
}

void Status(HWND dialog, const std::string& text) {
    SetDlgItemTextA(dialog, IDC_EL_STATUS, text.c_str());
}

int SelectedEntry(HWND dialog) {
    return static_cast<int>(SendDlgItemMessageA(dialog, IDC_EL_ENTRIES, LVM_GETNEXTITEM,
                                                static_cast<WPARAM>(-1), LVNI_SELECTED));
}

void SetCell(HWND view, int row, int column, const std::string& text, bool insert) {
    LVITEMA item{};
    item.mask = LVIF_TEXT;
    item.iItem = row;
    item.iSubItem = column;
    item.pszText = const_cast<char*>(text.c_str());
    SendMessageA(view, insert ? LVM_INSERTITEMA : LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

void ShowEntries(HWND dialog, const Editor& editor, int select) {
    HWND view = GetDlgItem(dialog, IDC_EL_ENTRIES);
    SendMessageA(view, LVM_DELETEALLITEMS, 0, 0);
    for (size_t i = 0; i < editor.list.Count(); ++i) {
        const tactr::ExceptionEntry& entry = editor.list.At(i);
        const int row = static_cast<int>(i);
        SetCell(view, row, 0, entry.word, true);
        SetCell(view, row, 1, entry.bReplace ? "Replace by text" : "Braille dots", false);
        SetCell(view, row, 2, entry.value, false);
    }
    if (select >= 0 && select < static_cast<int>(editor.list.Count())) {
        LVITEMA state{};
        state.stateMask = state.state = LVIS_SELECTED | LVIS_FOCUSED;
        SendMessageA(view, LVM_SETITEMSTATE, static_cast<WPARAM>(select),
                     reinterpret_cast<LPARAM>(&state));
        SendMessageA(view, LVM_ENSUREVISIBLE, static_cast<WPARAM>(select), FALSE);
    }
    SendMessageA(view, LVM_SETCOLUMNWIDTH, 2, LVSCW_AUTOSIZE_USEHEADER);
    const bool open = !editor.file.empty();
    for (int id : {IDC_EL_ADD, IDC_EL_WORD, IDC_EL_KIND, IDC_EL_VALUE, IDC_EL_SAVE}) {
        EnableWindow(GetDlgItem(dialog, id), open);
    }
    const bool chosen = SelectedEntry(dialog) >= 0;
    EnableWindow(GetDlgItem(dialog, IDC_EL_CHANGE), chosen);
    EnableWindow(GetDlgItem(dialog, IDC_EL_DELETE), chosen);
}

// Temporary file beside the list, then one replace: a failed write never
// leaves half a list behind.
bool SaveList(HWND dialog, Editor& editor) {
    const std::string path = editor.exceptionFolder + editor.file;
    const std::string text = editor.list.Text();
    char temporary[MAX_PATH];
    if (!GetTempFileNameA(editor.exceptionFolder.c_str(), "exl", 0, temporary)) {
        Status(dialog, "The list could not be saved: the folder cannot be written.");
        return false;
    }
    HANDLE file = CreateFileA(temporary, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    const bool ok =
        file != INVALID_HANDLE_VALUE &&
        WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
        written == text.size() && FlushFileBuffers(file);
    if (file != INVALID_HANDLE_VALUE) {
        CloseHandle(file);
    }
    if (!ok ||
        !MoveFileExA(temporary, path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DeleteFileA(temporary);
        Status(dialog, "The list could not be saved.");
        return false;
    }
    editor.bChanged = false;
    // Saved as written; say so when the translator would refuse it.
    auto check = std::make_unique<tactr::Table>();
    std::string why;
    if (!tactr::CompileTableText(text, path, tactr::TableKind::kExceptions, tactr::ReadWholeFile,
                                 *check, why)) {
        Status(dialog, "Saved, but the list cannot be used: " + why);
    } else {
        Status(dialog, "Saved " + editor.file + ".");
    }
    return true;
}

// Unsaved changes are offered for saving; false when the user cancels.
bool LeaveList(HWND dialog, Editor& editor) {
    if (!editor.bChanged) {
        return true;
    }
    const std::string question = "Save the changes to " + editor.file + "?";
    switch (MessageBoxA(dialog, question.c_str(), "Exception Lists",
                        MB_YESNOCANCEL | MB_ICONQUESTION)) {
    case IDYES:
        return SaveList(dialog, editor);
    case IDNO:
        editor.bChanged = false;
        return true;
    }
    return false;
}

void OpenList(HWND dialog, Editor& editor, const std::string& file) {
    std::string text;
    editor.file = file;
    editor.bChanged = false;
    if (!file.empty() && !tactr::ReadWholeFile(editor.exceptionFolder + file, text)) {
        Status(dialog, file + " cannot be read.");
        editor.file.clear();
    } else {
        Status(dialog, "");
    }
    editor.list.Parse(text);
    ShowEntries(dialog, editor, -1);
}

void FillCombo(HWND dialog, int id, const std::string& folder, const std::string& select) {
    HWND combo = GetDlgItem(dialog, id);
    SendMessageA(combo, CB_RESETCONTENT, 0, 0);
    for (const std::string& name : ListTables(folder)) {
        SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    }
    const LRESULT found = SendMessageA(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                       reinterpret_cast<LPARAM>(select.c_str()));
    SendMessageA(combo, CB_SETCURSEL, found == CB_ERR ? 0 : found, 0);
}

void ListChosen(HWND dialog, Editor& editor) {
    const std::string chosen = ComboSelection(dialog, IDC_EL_LIST);
    if (chosen == editor.file) {
        return;
    }
    if (!LeaveList(dialog, editor)) {
        FillCombo(dialog, IDC_EL_LIST, editor.exceptionFolder, editor.file);
        return;
    }
    OpenList(dialog, editor, chosen);
}

INT_PTR CALLBACK NewListProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        SendDlgItemMessageA(dialog, IDC_NL_NAME, EM_LIMITTEXT, MAX_PATH - 16, 0);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) {
            *reinterpret_cast<std::string*>(GetWindowLongPtrA(dialog, DWLP_USER)) =
                ItemText(dialog, IDC_NL_NAME);
            EndDialog(dialog, IDOK);
            return TRUE;
        }
        if (LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, IDCANCEL);
            return TRUE;
        }
        break;
    }
    return FALSE;
}

void NewList(HWND dialog, Editor& editor) {
    if (!LeaveList(dialog, editor)) {
        return;
    }
    std::string name;
    if (DialogBoxParamA(DialogModule(), MAKEINTRESOURCEA(IDD_NEW_EXCEPTION_LIST), dialog,
                        NewListProc, reinterpret_cast<LPARAM>(&name)) != IDOK) {
        return;
    }
    const std::string file = tactr::ListFileName(name);
    if (file.empty()) {
        Status(dialog, "A list name may not hold \\ / : * ? \" < > |.");
        return;
    }
    const std::string path = editor.exceptionFolder + file;
    if (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES) {
        // The first list of a fresh installation makes its folder.
        CreateDirectoryA(editor.exceptionFolder.c_str(), nullptr);
        const std::string text = "name " + name + "\r\n";
        HANDLE handle = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
        DWORD written = 0;
        const bool ok =
            handle != INVALID_HANDLE_VALUE &&
            WriteFile(handle, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
        if (handle != INVALID_HANDLE_VALUE) {
            CloseHandle(handle);
        }
        if (!ok) {
            Status(dialog, file + " could not be created.");
            return;
        }
    }
    FillCombo(dialog, IDC_EL_LIST, editor.exceptionFolder, file);
    OpenList(dialog, editor, ComboSelection(dialog, IDC_EL_LIST));
}

tactr::ExceptionEntry TypedEntry(HWND dialog) {
    tactr::ExceptionEntry entry;
    entry.word = ItemText(dialog, IDC_EL_WORD);
    entry.bReplace = SendDlgItemMessageA(dialog, IDC_EL_KIND, CB_GETCURSEL, 0, 0) == 1;
    entry.value = ItemText(dialog, IDC_EL_VALUE);
    return entry;
}

void EntryCommand(HWND dialog, Editor& editor, int id) {
    const int selected = SelectedEntry(dialog);
    std::string why;
    int select = selected;
    if (id == IDC_EL_DELETE && selected >= 0) {
        editor.list.Remove(static_cast<size_t>(selected));
        select = -1;
    } else if (id == IDC_EL_ADD && editor.list.Add(TypedEntry(dialog), why)) {
        select = static_cast<int>(editor.list.Count()) - 1;
    } else if (id == IDC_EL_CHANGE && selected >= 0 &&
               editor.list.Change(static_cast<size_t>(selected), TypedEntry(dialog), why)) {
    } else {
        Status(dialog, why);
        return;
    }
    editor.bChanged = true;
    Status(dialog, "");
    ShowEntries(dialog, editor, select);
}

// The entry chosen in the list goes into the fields for changing.
void EntrySelected(HWND dialog, const Editor& editor) {
    const int selected = SelectedEntry(dialog);
    EnableWindow(GetDlgItem(dialog, IDC_EL_CHANGE), selected >= 0);
    EnableWindow(GetDlgItem(dialog, IDC_EL_DELETE), selected >= 0);
    if (selected < 0 || selected >= static_cast<int>(editor.list.Count())) {
        return;
    }
    const tactr::ExceptionEntry& entry = editor.list.At(static_cast<size_t>(selected));
    SetDlgItemTextA(dialog, IDC_EL_WORD, entry.word.c_str());
    SendDlgItemMessageA(dialog, IDC_EL_KIND, CB_SETCURSEL, entry.bReplace ? 1 : 0, 0);
    SetDlgItemTextA(dialog, IDC_EL_VALUE, entry.value.c_str());
}

// Tries the list as it stands in the editor, saved or not.
void TryWord(HWND dialog, const Editor& editor) {
    const std::string table = ComboSelection(dialog, IDC_EL_TABLE);
    const std::string word = ItemText(dialog, IDC_EL_TRY_WORD);
    if (table.empty() || word.empty()) {
        SetDlgItemTextA(dialog, IDC_EL_TRY_RESULT, "Choose a rule table and type a word.");
        return;
    }
    std::string result;
    if (tactr::TryWord(editor.ruleFolder + table, editor.list.Text(),
                       editor.exceptionFolder + (editor.file.empty() ? "new.qrf" : editor.file),
                       word, result)) {
        result = "Dots: " + result;
    } else {
        result = "Cannot translate: " + result;
    }
    SetDlgItemTextA(dialog, IDC_EL_TRY_RESULT, result.c_str());
}

void Init(HWND dialog, const ExceptionListsArgs* args) {
    auto* editor = new Editor;
    editor->exceptionFolder = args && args->pszExceptionFolder ? args->pszExceptionFolder : "";
    editor->ruleFolder = args && args->pszRuleFolder ? args->pszRuleFolder : "";
    SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(editor));

    HWND view = GetDlgItem(dialog, IDC_EL_ENTRIES);
    // No label stands just before the list to name it for screen readers.
    SetAccessibleName(view, L"Entries of the exception list");
    SendMessageA(view, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    const struct {
        const char* title;
        int width;
    } columns[] = {{"Word", 130}, {"Kind", 110}, {"Braille or text", 220}};
    for (int i = 0; i < 3; ++i) {
        LVCOLUMNA column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        column.pszText = const_cast<char*>(columns[i].title);
        column.cx = columns[i].width;
        column.iSubItem = i;
        SendMessageA(view, LVM_INSERTCOLUMNA, static_cast<WPARAM>(i),
                     reinterpret_cast<LPARAM>(&column));
    }
    HWND kind = GetDlgItem(dialog, IDC_EL_KIND);
    SendMessageA(kind, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("Braille dots"));
    SendMessageA(kind, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("Replace by text"));
    SendMessageA(kind, CB_SETCURSEL, 0, 0);
    for (int id : {IDC_EL_WORD, IDC_EL_VALUE, IDC_EL_TRY_WORD}) {
        SendDlgItemMessageA(dialog, id, EM_LIMITTEXT, 250, 0);
    }

    FillCombo(dialog, IDC_EL_TABLE, editor->ruleFolder, "");
    FillCombo(dialog, IDC_EL_LIST, editor->exceptionFolder, "");
    OpenList(dialog, *editor, ComboSelection(dialog, IDC_EL_LIST));
}

void Close(HWND dialog, Editor& editor) {
    if (LeaveList(dialog, editor)) {
        EndDialog(dialog, IDOK);
    }
}

INT_PTR Command(HWND dialog, Editor& editor, int id, int code) {
    switch (id) {
    case IDC_EL_LIST:
        if (code == CBN_SELCHANGE) {
            ListChosen(dialog, editor);
        }
        return TRUE;
    case IDC_EL_NEW:
        NewList(dialog, editor);
        return TRUE;
    case IDC_EL_ADD:
    case IDC_EL_CHANGE:
    case IDC_EL_DELETE:
        EntryCommand(dialog, editor, id);
        return TRUE;
    case IDC_EL_TRY:
        TryWord(dialog, editor);
        return TRUE;
    case IDC_EL_SAVE:
        if (!editor.file.empty()) {
            SaveList(dialog, editor);
        }
        return TRUE;
    case IDOK:
        // Enter in the word to try tries it.
        if (GetFocus() == GetDlgItem(dialog, IDC_EL_TRY_WORD)) {
            TryWord(dialog, editor);
        }
        return TRUE;
    case IDCANCEL:
        Close(dialog, editor);
        return TRUE;
    }
    return FALSE;
}

} // namespace

INT_PTR CALLBACK ExceptionListsProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    Editor* editor = EditorOf(dialog);
    try {
        switch (message) {
        case WM_INITDIALOG:
            Init(dialog, reinterpret_cast<const ExceptionListsArgs*>(lParam));
            return TRUE;
        case WM_COMMAND:
            return editor ? Command(dialog, *editor, LOWORD(wParam), HIWORD(wParam)) : FALSE;
        case WM_NOTIFY: {
            const auto* header = reinterpret_cast<const NMHDR*>(lParam);
            if (editor && header->idFrom == IDC_EL_ENTRIES && header->code == LVN_ITEMCHANGED) {
                EntrySelected(dialog, *editor);
            }
            return FALSE;
        }
        case WM_DESTROY:
            delete editor;
            SetWindowLongPtrA(dialog, DWLP_USER, 0);
            return FALSE;
        }
    } catch (...) {
        if (editor) {
            Status(dialog, "Out of memory.");
        }
    }
    return FALSE;
}

UINT32 EditExceptionLists(HWND owner, const char* exceptionFolder, const char* ruleFolder) {
    if (!exceptionFolder || !ruleFolder) {
        return 0;
    }
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    ExceptionListsArgs args{exceptionFolder, ruleFolder};
    return DialogBoxParamA(DialogModule(), MAKEINTRESOURCEA(IDD_EXCEPTION_LISTS), owner,
                           ExceptionListsProc, reinterpret_cast<LPARAM>(&args)) == IDOK;
}
