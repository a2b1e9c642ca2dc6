#include <windows.h>
#include <commctrl.h>

#include "basic_page.h"
#include "page_table.h"
#include "resource.h"

// The page shows its controls and takes part in navigation; its own work
// comes with its feature.
INT_PTR CALLBACK DatabasePageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    return BasicPageMessage(page, message, wParam, lParam, IDS_HEADER_DATABASE,
                            PSWIZB_BACK | PSWIZB_NEXT);
}
