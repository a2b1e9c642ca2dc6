#include <windows.h>
#include <commctrl.h>

#include "basic_page_win.h"
#include "page_table_win.h"
#include "resource.h"

INT_PTR CALLBACK WelcomePageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        HICON icon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_DOTWELL));
        SendMessageA(GetParent(page), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    }
    return BasicPageMessage(page, message, wParam, lParam, IDS_HEADER_WELCOME, PSWIZB_NEXT);
}
