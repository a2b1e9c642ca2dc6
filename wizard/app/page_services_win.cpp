#include "page_services_win.h"

#include <cstdio>
#include <cstring>

#include "control_access_win.h"
#include "file_locations.h"
#include "html_help_win.h"
#include "navigation.h"
#include "paths.h"
#include "project_name.h"
#include "resource.h"

namespace {

constexpr char kRowProperty[] = "DotwellPageRow";

PageEntry* FirstRow(const PageEntry* row) {
    while (row->nIndex != 0) {
        --row;
    }
    return const_cast<PageEntry*>(row);
}

INT_PTR GoToIndex(const PageEntry* row, HWND page, int index) {
    return SetPageResult(page, FirstRow(row)[index].nDialogId);
}

void EnabledFlags(const PageEntry* row, unsigned* enabled) {
    const PageEntry* first = FirstRow(row);
    for (int i = 0; i < kPageCount; ++i) {
        enabled[i] = first[i].bEnabled;
    }
}

// Every page asks for the same header font: make it once and keep it for the
// life of the process instead of one per page.
HFONT HeaderFont(int height, BOOL bold, const char* faceName) {
    static HFONT font;
    static int fontHeight;
    static BOOL fontBold;
    static char fontFace[LF_FACESIZE];
    if (font && fontHeight == height && fontBold == bold && std::strcmp(fontFace, faceName) == 0) {
        return font;
    }
    font =
        CreateFontA(height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, faceName);
    fontHeight = height;
    fontBold = bold;
    lstrcpynA(fontFace, faceName, sizeof fontFace);
    return font;
}

} // namespace

void SetWizardButtons(HWND page, DWORD buttons) {
    SendMessageA(GetParent(page), PSM_SETWIZBUTTONS, 0, buttons);
}

INT_PTR SetPageResult(HWND page, LONG_PTR result) {
    SetWindowLongPtrA(page, DWLP_MSGRESULT, result);
    return TRUE;
}

INT_PTR GoNextPage(const PageEntry* row, HWND page) {
    unsigned enabled[kPageCount];
    EnabledFlags(row, enabled);
    return GoToIndex(row, page, NextPageIndex(enabled, row->nIndex));
}

INT_PTR GoPreviousPage(const PageEntry* row, HWND page) {
    unsigned enabled[kPageCount];
    EnabledFlags(row, enabled);
    return GoToIndex(row, page, PreviousPageIndex(enabled, row->nIndex));
}

INT_PTR GoToEmbossPage(const PageEntry*, HWND page) {
    return SetPageResult(page, IDD_EMBOSS);
}

void SetPageEnabled(PageEntry* row, UINT dialogId, UINT enabled) {
    PageEntry* first = FirstRow(row);
    for (int i = 0; i < kPageCount; ++i) {
        if (first[i].nDialogId == dialogId) {
            first[i].bEnabled = enabled;
            return;
        }
    }
}

void SetPageHeader(HWND page, UINT stringId, int controlId, int pointSize, BOOL bold,
                   const char* faceName) {
    char text[1024];
    if (!LoadStringA(GetModuleHandleA(nullptr), stringId, text, sizeof text)) {
        return;
    }
    HWND control = GetDlgItem(page, controlId);
    SetWindowTextA(control, text);
    HDC screen = GetDC(page);
    const int height = -MulDiv(GetDeviceCaps(screen, LOGPIXELSY), pointSize, 72);
    ReleaseDC(page, screen);
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(HeaderFont(height, bold, faceName)),
                 TRUE);
}

void SetWizardTitle(HWND page, const PageEntry* row, char* projectFile) {
    // Posted, so the text must outlive this call.
    static char title[600];
    HINSTANCE instance = GetModuleHandleA(nullptr);
    char pageTitle[128] = "";
    char product[64] = "";
    LoadStringA(instance, row->nTitleId, pageTitle, sizeof pageTitle);
    LoadStringA(instance, IDS_PRODUCT_NAME, product, sizeof product);
    if (projectFile && !*projectFile) {
        DefaultProjectName(page, projectFile);
    }
    if (row->nIndex == 0) {
        std::snprintf(title, sizeof title, "%s %s ", product, FullVersionText());
    } else {
        std::snprintf(title, sizeof title, "%s: %s", pageTitle, projectFile ? projectFile : "");
    }
    PostMessageA(GetParent(page), PSM_SETTITLE, 0, reinterpret_cast<LPARAM>(title));
}

void DefaultProjectName(HWND, char* path) {
    char base[64] = "untitled.dwp";
    LoadStringA(GetModuleHandleA(nullptr), IDS_UNTITLED_PROJECT, base, sizeof base);
    ComposeDefaultProjectName(path, MAX_PATH, base,
                              [](const char* name) { return FileExists(name) != 0; });
}

void ShowHelp(HWND) {
    char helpFile[MAX_PATH];
    if (!*ModuleFolderPath(helpFile, sizeof helpFile, "Dotwell.chm")) {
        return;
    }
    HtmlHelpCall(nullptr, helpFile, HH_DISPLAY_TOPIC, 0);
}

void CenterWindow(HWND dialog, HWND owner) {
    RECT box;
    RECT ownerBox;
    GetWindowRect(dialog, &box);
    GetWindowRect(owner ? owner : GetDesktopWindow(), &ownerBox);
    const int width = box.right - box.left;
    const int height = box.bottom - box.top;
    int left = (ownerBox.left + ownerBox.right) / 2 - width / 2;
    int top = (ownerBox.top + ownerBox.bottom) / 2 - height / 2;
    HDC screen = GetDC(nullptr);
    const int screenWidth = GetDeviceCaps(screen, HORZRES);
    const int screenHeight = GetDeviceCaps(screen, VERTRES);
    ReleaseDC(nullptr, screen);
    if (left > screenWidth - width) {
        left = screenWidth - width;
    }
    if (left < 0) {
        left = 0;
    }
    if (top > screenHeight - height) {
        top = screenHeight - height;
    }
    if (top < 0) {
        top = 0;
    }
    SetWindowPos(dialog, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int FileExists(const char* path) {
    if (!path || !*path) {
        return 0;
    }
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return 0;
    }
    CloseHandle(file);
    return 1;
}

PageEntry* InitPage(HWND page, LPARAM lParam, UINT headerStringId) {
    auto* sheetPage = reinterpret_cast<PROPSHEETPAGEA*>(lParam);
    auto* row = reinterpret_cast<PageEntry*>(sheetPage->lParam);
    SetPropA(page, kRowProperty, row);
    PrepareControlAccess(page, row->nDialogId);
    SetPageHeader(page, headerStringId, IDC_PAGE_HEADER, 9, TRUE, "Arial");
    return row;
}

PageEntry* PageRow(HWND page) {
    return static_cast<PageEntry*>(GetPropA(page, kRowProperty));
}

INT_PTR PageHeaderColor(HWND control) {
    if (GetDlgCtrlID(control) != IDC_PAGE_HEADER) {
        return 0;
    }
    return reinterpret_cast<INT_PTR>(GetStockObject(WHITE_BRUSH));
}
