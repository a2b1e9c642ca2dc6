#include "emboss_page_controls_win.h"

#include <cstring>

#include "embosser_printers.h"
#include "label_area_win.h"
#include "resource.h"
#include "settings_win.h"
#include "shared_fields.h"
#include "sheet_hit_test.h"
#include "spin_field_win.h"

void FillEmbosserList(HWND comboBox, const char* szPreferred) {
    char* list = EnumEmbossers();
    char preferred[MAX_PATH] = "";
    if (szPreferred && *szPreferred)
        lstrcpynA(preferred, szPreferred, sizeof preferred);
    else
        ReadSelectedPrinter(preferred, sizeof preferred);

    SendMessageA(comboBox, CB_RESETCONTENT, 0, 0);
    if (!list) {
        char text[512] = "";
        LoadStringA(GetModuleHandleA(nullptr), IDS_NO_EMBOSSERS, text, sizeof text);
        MessageBoxA(comboBox, text, nullptr, MB_OK | MB_ICONWARNING);
        return;
    }
    LRESULT selected = *preferred ? CB_ERR : 0;
    for (const char* name = list; *name; name += strlen(name) + 1) {
        LRESULT item = SendMessageA(comboBox, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
        // The drop-down's own search ignores letter case; queue names do not.
        if (selected == CB_ERR && item >= 0 && strcmp(name, preferred) == 0)
            selected = item;
    }
    FreeEmbosserList(list);
    SendMessageA(comboBox, CB_SETCURSEL, static_cast<WPARAM>(selected), 0);
}

int EmbosserSelected(HWND page) {
    return SendDlgItemMessageA(page, IDC_EMBOSSER, CB_GETCURSEL, 0, 0) != CB_ERR;
}

void CommitLabelRange(HWND page, AppState* state) {
    BOOL fromRead = FALSE, toRead = FALSE;
    const int from = static_cast<int>(GetDlgItemInt(page, IDC_FROM_LABEL, &fromRead, TRUE));
    const int to = static_cast<int>(GetDlgItemInt(page, IDC_TO_LABEL, &toRead, TRUE));
    if (!fromRead || !toRead)
        return;
    StoreSharedField(&state->nFromLabel, from);
    StoreSharedField(&state->nToLabel, to);
    SetSpinRange(GetDlgItem(page, IDC_FROM_LABEL_SPIN), state->nMinLabel, to, 1);
    SetSpinRange(GetDlgItem(page, IDC_TO_LABEL_SPIN), from, state->nMaxLabel, 1);
}

int HitTestSheetPreview(HWND page, const SheetFormat& format, int x, int y) {
    RECT client;
    if (!GetClientRect(GetDlgItem(page, IDC_START_PREVIEW), &client))
        return -1;
    return HitTestSheetSlot(format, client.right, client.bottom, x, y);
}

void LayOutLabelPreview(HWND page, const SheetFormat& format) {
    HWND frame = GetDlgItem(page, IDC_LABEL_AREA);
    const LabelView view = MeasureLabelArea(frame, format);
    PlaceLabelArea(frame, format, view);
    PlaceTextBox(GetDlgItem(page, IDC_LABEL_TEXT), format, view, kBrailleFont);

    RECT area, spin, counter;
    HWND spinControl = GetDlgItem(page, IDC_RECORD_SPIN);
    HWND counterControl = GetDlgItem(page, IDC_RECORD_COUNTER);
    GetWindowRect(frame, &area);
    GetWindowRect(spinControl, &spin);
    GetWindowRect(counterControl, &counter);
    MapWindowPoints(nullptr, page, reinterpret_cast<POINT*>(&area), 2);
    MapWindowPoints(nullptr, page, reinterpret_cast<POINT*>(&spin), 2);
    MapWindowPoints(nullptr, page, reinterpret_cast<POINT*>(&counter), 2);
    const int spinWidth = spin.right - spin.left;
    const int spinLeft = area.right - spinWidth;
    SetWindowPos(spinControl, nullptr, spinLeft, spin.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    const int counterWidth = spinLeft - 5 - area.left;
    SetWindowPos(counterControl, nullptr, area.left, counter.top,
                 counterWidth > 0 ? counterWidth : 0, counter.bottom - counter.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}
