#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstring>

#include "format_name_dialog_win.h"
#include "basic_page_win.h"
#include "page_services_win.h"
#include "page_table_win.h"
#include "picture_words.h"
#include "resource.h"
#include "sheet_format_fields_win.h"
#include "sheet_format_list_win.h"
#include "sheet_library.h"
#include "sheet_preview_win.h"
#include "speaking_picture_win.h"

namespace {

// The library's version of the current format as last loaded.
SheetFormat g_storedFormat;

SheetFormat& CurrentFormat(HWND page) {
    return PageRow(page)->pState->Sheet;
}

// The name, the counts and the sizes, for those who cannot see the preview.
void DescribePreview(HWND page) {
    const SheetFormat& format = CurrentFormat(page);
    SetPictureWords(GetDlgItem(page, IDC_SHEET_PREVIEW), SheetInWords(format),
                    PaperInWords(format));
}

void RedrawPreview(HWND page) {
    DrawSheetPreview(GetDlgItem(page, IDC_SHEET_PREVIEW), &CurrentFormat(page), -1);
    DescribePreview(page);
}

void FillUnits(HWND page, uint32_t inch) {
    HWND units = GetDlgItem(page, IDC_UNITS);
    SendMessageA(units, CB_RESETCONTENT, 0, 0);
    const struct {
        const char* text;
        LPARAM data;
    } entries[] = {{"Inch", 0}, {"mm", 1}};
    for (const auto& entry : entries) {
        const LRESULT item =
            SendMessageA(units, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.text));
        SendMessageA(units, CB_SETITEMDATA, item, entry.data);
    }
    SendMessageA(units, CB_SELECTSTRING, static_cast<WPARAM>(-1),
                 reinterpret_cast<LPARAM>(inch ? "Inch" : "mm"));
}

void CreateFields(HWND page) {
    SheetFormat& format = CurrentFormat(page);
    CreateSheetFields(page, format);
    FillUnits(page, format.bInch);
}

void OnUnitChanged(HWND page) {
    HWND units = GetDlgItem(page, IDC_UNITS);
    const LRESULT item = SendMessageA(units, CB_GETCURSEL, 0, 0);
    if (item < 0) {
        return;
    }
    CurrentFormat(page).bInch = SendMessageA(units, CB_GETITEMDATA, item, 0) == 0 ? 1 : 0;
    CreateFields(page);
}

void OnSaveFormat(HWND page) {
    char iniPath[MAX_PATH];
    LabelIniPath(iniPath, sizeof iniPath);
    SheetFormat& format = CurrentFormat(page);
    UnmarkSelectedFormat(page);
    SaveSheetFormat(iniPath, &format, format.szName);
    FillFormatList(page, format, g_storedFormat);
}

// The new entry holds the current values. An empty name is taken as a
// change of mind: the current format and its edits stay as they are.
void OnNewFormat(HWND page) {
    SheetFormat& format = CurrentFormat(page);
    SheetFormat entry = format;
    if (AskFormatName(page, entry.szName) != 1 || !*entry.szName) {
        return;
    }
    char iniPath[MAX_PATH];
    LabelIniPath(iniPath, sizeof iniPath);
    SaveSheetFormat(iniPath, &entry, entry.szName);
    std::snprintf(format.szName, sizeof format.szName, "%s", entry.szName);
    FillFormatList(page, format, g_storedFormat);
    DescribePreview(page);
}

// The deleted format's values stay on screen under the neighbour's name, so
// they can be saved again there or dropped by picking another entry. When
// filling the list replaced them (the last entry gone, the default taken),
// the boxes must show what the record now holds.
void OnDeleteFormat(HWND page) {
    char iniPath[MAX_PATH];
    LabelIniPath(iniPath, sizeof iniPath);
    SheetFormat& format = CurrentFormat(page);
    DeleteSheetFormat(iniPath, format.szName, sizeof format.szName);
    const SheetFormat shown = format;
    FillFormatList(page, format, g_storedFormat);
    if (std::memcmp(&shown, &format, sizeof shown) != 0) {
        CreateFields(page);
    }
    DescribePreview(page); // under the neighbour's name
}

INT_PTR OnCommand(HWND page, int id, int code) {
    switch (id) {
    case IDC_FORMAT_LIST:
        if (code == LBN_SELCHANGE &&
            LoadSelectedFormat(page, CurrentFormat(page), g_storedFormat)) {
            CreateFields(page);
        }
        return TRUE;
    case IDC_UNITS:
        if (code == CBN_SELCHANGE) {
            OnUnitChanged(page);
        }
        return TRUE;
    case IDC_SAVE_FORMAT:
        if (code == BN_CLICKED) {
            OnSaveFormat(page);
        }
        return TRUE;
    case IDC_NEW_FORMAT:
        if (code == BN_CLICKED) {
            OnNewFormat(page);
        }
        return TRUE;
    case IDC_DELETE_FORMAT:
        if (code == BN_CLICKED) {
            OnDeleteFormat(page);
        }
        return TRUE;
    }
    if (code == EN_KILLFOCUS && CommitSheetField(page, CurrentFormat(page), id)) {
        RedrawPreview(page);
    }
    return FALSE;
}

// Enter takes the user to the next page while the caret is still in a box,
// before the box loses the focus; its value must count all the same.
void CommitFocusedField(HWND page) {
    HWND focus = GetFocus();
    if (focus && IsChild(page, focus) &&
        CommitSheetField(page, CurrentFormat(page), GetDlgCtrlID(focus))) {
        RedrawPreview(page);
    }
}

INT_PTR OnNotify(HWND page, const NMHDR* header) {
    PageEntry* row = PageRow(page);
    switch (header->code) {
    case PSN_SETACTIVE:
        SetWizardTitle(page, row, row->pState->szProjectFile);
        SetWizardButtons(page, PSWIZB_BACK | PSWIZB_NEXT);
        FillFormatList(page, row->pState->Sheet, g_storedFormat);
        CreateFields(page);
        return SetPageResult(page, 0);
    case PSN_KILLACTIVE:
        CommitFocusedField(page);
        return SetPageResult(page, FALSE);
    }
    return FALSE;
}

// The dialog paints itself first; drawing the sheet afterwards keeps the
// dialog's background from covering the picture.
void OnPaint(HWND page) {
    PAINTSTRUCT paint;
    BeginPaint(page, &paint);
    EndPaint(page, &paint);
    RedrawPreview(page);
}

} // namespace

INT_PTR CALLBACK SheetFormatPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        InitPage(page, lParam, IDS_HEADER_SHEET_FORMAT);
        MakeSpeakingPicture(GetDlgItem(page, IDC_SHEET_PREVIEW), kGraphic);
        return TRUE;
    case WM_CTLCOLORSTATIC: {
        HWND control = reinterpret_cast<HWND>(lParam);
        if (control == GetDlgItem(page, IDC_PAGE_HEADER)) {
            return PageHeaderColor(control);
        }
        // Every repaint of the page's statics (the sheet picture after each
        // commit among them) brings the change marker up to date.
        if (PageRow(page)) {
            UpdateChangeMarker(page, g_storedFormat, CurrentFormat(page));
        }
        return 0;
    }
    case WM_PAINT:
        if (!PageRow(page)) {
            return FALSE;
        }
        OnPaint(page);
        return TRUE;
    case WM_COMMAND:
        if (!PageRow(page)) {
            return FALSE;
        }
        return OnCommand(page, LOWORD(wParam), HIWORD(wParam));
    case WM_NOTIFY:
        if (OnNotify(page, reinterpret_cast<const NMHDR*>(lParam))) {
            return TRUE;
        }
        break;
    }
    // Next, Back, Help and Cancel as on every page.
    return BasicPageMessage(page, message, wParam, lParam, IDS_HEADER_SHEET_FORMAT,
                            PSWIZB_BACK | PSWIZB_NEXT);
}
