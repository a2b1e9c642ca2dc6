#include "sheet_format_list_win.h"

#include <cstdio>
#include <cstring>

#include "label_ini_format.h"
#include "resource.h"
#include "sheet_library.h"

namespace {

constexpr char kMarker[] = "* ";
constexpr LPARAM kMarked = 1;

// Keeps the text box, which belongs to the project, while the rest of the
// record becomes the default format.
void UseDefaultFormat(SheetFormat& current) {
    SheetFormat format = DefaultSheetFormat();
    format.wTextLeft = current.wTextLeft;
    format.wTextTop = current.wTextTop;
    format.wTextWidth = current.wTextWidth;
    format.wTextHeight = current.wTextHeight;
    current = format;
}

// Brings `current` and `stored` in line with the library. Unsaved changes
// of the current format survive; a format the library lacks (from a
// project made elsewhere) is added to it.
char* SettleCurrentFormat(const char* iniPath, SheetFormat& current, SheetFormat& stored) {
    char* names = ListSheetFormats(iniPath);
    char name[sizeof current.szName];
    std::snprintf(name, sizeof name, "%s", current.szName);
    if (*name && SectionListContains(names, name)) {
        SheetFormat entry = current;
        LoadSheetFormat(iniPath, &entry, name, nullptr);
        if (SameSheetFormat(entry, current)) {
            LoadSheetFormat(iniPath, &current, name, &stored);
        } else {
            stored = entry;
        }
        return names;
    }
    // A library that cannot be written (read-only, no data folder) must not
    // replace the project's format by an entry that was never stored.
    const bool saved = *name && SaveSheetFormat(iniPath, &current, name);
    FreeSheetFormatList(names);
    names = ListSheetFormats(iniPath);
    if (!*name && names) {
        std::snprintf(name, sizeof name, "%s", names);
        LoadSheetFormat(iniPath, &current, name, &stored);
    } else if (saved) {
        LoadSheetFormat(iniPath, &current, name, &stored);
    } else {
        // No library to work with: the page shows and edits the default.
        if (!*name) {
            UseDefaultFormat(current);
        }
        stored = current;
    }
    return names;
}

int SelectedItem(HWND list, char* text, size_t size) {
    const int item = static_cast<int>(SendMessageA(list, LB_GETCURSEL, 0, 0));
    if (item < 0) {
        return -1;
    }
    const LRESULT length = SendMessageA(list, LB_GETTEXTLEN, item, 0);
    if (length < 0 || static_cast<size_t>(length) >= size) {
        return -1;
    }
    SendMessageA(list, LB_GETTEXT, item, reinterpret_cast<LPARAM>(text));
    return item;
}

void ReplaceItem(HWND list, int item, const char* text, LPARAM data) {
    SendMessageA(list, LB_DELETESTRING, item, 0);
    SendMessageA(list, LB_INSERTSTRING, item, reinterpret_cast<LPARAM>(text));
    SendMessageA(list, LB_SETITEMDATA, item, data);
    SendMessageA(list, LB_SETCURSEL, item, 0);
}

bool IsMarked(HWND list, int item) {
    return SendMessageA(list, LB_GETITEMDATA, item, 0) == kMarked;
}

} // namespace

void FillFormatList(HWND page, SheetFormat& current, SheetFormat& stored) {
    char iniPath[MAX_PATH];
    LabelIniPath(iniPath, sizeof iniPath);
    char* names = SettleCurrentFormat(iniPath, current, stored);

    HWND list = GetDlgItem(page, IDC_FORMAT_LIST);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    for (const char* name = names && *names ? names : nullptr; name; name = NextSectionName(name)) {
        const LRESULT item = SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
        SendMessageA(list, LB_SETITEMDATA, item, 0);
    }
    LRESULT item = 0;
    if (*current.szName) {
        item = SendMessageA(list, LB_FINDSTRING, static_cast<WPARAM>(-1),
                            reinterpret_cast<LPARAM>(current.szName));
    }
    SendMessageA(list, LB_SETCURSEL, item, 0);
    FreeSheetFormatList(names);
}

void UpdateChangeMarker(HWND page, const SheetFormat& stored, const SheetFormat& current) {
    HWND list = GetDlgItem(page, IDC_FORMAT_LIST);
    const bool changed = !SameSheetFormat(stored, current);
    char text[128];
    const int item = SelectedItem(list, text, sizeof text);
    if (changed) {
        EnableWindow(GetDlgItem(page, IDC_SAVE_FORMAT), TRUE);
        if (item >= 0 && !IsMarked(list, item)) {
            char marked[sizeof text + sizeof kMarker];
            std::snprintf(marked, sizeof marked, "%s%s", kMarker, text);
            ReplaceItem(list, item, marked, kMarked);
        }
        return;
    }
    if (item >= 0 && IsMarked(list, item)) {
        ReplaceItem(list, item, text + 2, 0);
    }
    EnableWindow(GetDlgItem(page, IDC_SAVE_FORMAT), FALSE);
}

void UnmarkSelectedFormat(HWND page) {
    HWND list = GetDlgItem(page, IDC_FORMAT_LIST);
    char text[128];
    const int item = SelectedItem(list, text, sizeof text);
    if (item >= 0 && IsMarked(list, item)) {
        ReplaceItem(list, item, text + 2, 0);
    }
}

int LoadSelectedFormat(HWND page, SheetFormat& current, SheetFormat& stored) {
    HWND list = GetDlgItem(page, IDC_FORMAT_LIST);
    char name[sizeof current.szName];
    const int item = SelectedItem(list, name, sizeof name);
    if (item < 0 || IsMarked(list, item)) {
        return 0;
    }
    char iniPath[MAX_PATH];
    LabelIniPath(iniPath, sizeof iniPath);
    return LoadSheetFormat(iniPath, &current, name, &stored);
}
