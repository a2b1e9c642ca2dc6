#include "basic_page_win.h"

#include <commctrl.h>

#include "page_services_win.h"

INT_PTR BasicPageMessage(HWND page, UINT message, WPARAM, LPARAM lParam, UINT headerStringId,
                         DWORD wizardButtons) {
    switch (message) {
    case WM_INITDIALOG:
        InitPage(page, lParam, headerStringId);
        return TRUE;
    case WM_CTLCOLORSTATIC:
        return PageHeaderColor(reinterpret_cast<HWND>(lParam));
    case WM_NOTIFY: {
        PageEntry* row = PageRow(page);
        switch (reinterpret_cast<NMHDR*>(lParam)->code) {
        case PSN_SETACTIVE:
            SetWizardButtons(page, wizardButtons);
            SetWizardTitle(page, row, row->pState->szProjectFile);
            return SetPageResult(page, 0);
        case PSN_WIZNEXT:
            return GoNextPage(row, page);
        case PSN_WIZBACK:
            return GoPreviousPage(row, page);
        case PSN_HELP:
            ShowHelp(page);
            return TRUE;
        case PSN_QUERYCANCEL:
            ReleaseAppState(row->pState);
            return SetPageResult(page, FALSE);
        }
        return FALSE;
    }
    }
    return FALSE;
}
