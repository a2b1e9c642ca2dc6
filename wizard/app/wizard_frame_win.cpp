#include "wizard_frame_win.h"

#include <shlwapi.h>

#include <cstring>

#include "command_line.h"
#include "page_services_win.h"
#include "project_file_io_win.h"
#include "resource.h"

namespace {

// F1 becomes WM_HELP, which climbs from the focused control through the
// page to the frame: the page shown answers it as its Help button does.
LRESULT CALLBACK FrameHelpProc(HWND frame, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                               DWORD_PTR) {
    if (message == WM_HELP) {
        if (HWND page = PropSheet_GetCurrentPageHwnd(frame))
            ShowHelp(page);
        return TRUE;
    }
    return DefSubclassProc(frame, message, wParam, lParam);
}

int CALLBACK SheetCallback(HWND frame, UINT message, LPARAM) {
    if (message == PSCB_INITIALIZED)
        SetWindowSubclass(frame, FrameHelpProc, 0, 0);
    return 0;
}

// Common controls newer than 4.71 take the header with watermark and
// header-bitmap fields; older ones only the short form.
UINT SheetHeaderSize() {
    UINT size = PROPSHEETHEADERA_V1_SIZE;
    HMODULE comctl = LoadLibraryA("comctl32.dll");
    if (!comctl) {
        return size;
    }
    auto getVersion = reinterpret_cast<DLLGETVERSIONPROC>(GetProcAddress(comctl, "DllGetVersion"));
    DLLVERSIONINFO version{};
    version.cbSize = sizeof version;
    if (getVersion && SUCCEEDED(getVersion(&version)) && version.dwMajorVersion > 4 &&
        version.dwMinorVersion > 71) {
        size = sizeof(PROPSHEETHEADERA); // the form that ends with the header bitmap
    }
    FreeLibrary(comctl);
    return size;
}

// Reads the project the command line names; the wizard then opens on the
// Emboss page.
UINT StartPage(AppState* state, const char* commandLine) {
    const WizardCommandLine parsed = ParseWizardCommandLine(commandLine);
    if (parsed.bAutoEmboss) {
        state->bAutoEmboss = 1;
    }
    if (!FileExists(parsed.szPath)) {
        return 0;
    }
    std::strcpy(state->szProjectFile, parsed.szPath);
    return ReadProjectAtStart(state) ? 6 : 0;
}

} // namespace

void PrepareWizard(WizardSheet* sheet, HWND owner, const char* commandLine, HINSTANCE instance) {
    AppState* state = TheAppState();
    ResetAppState(state);
    PageEntry* rows = WizardPages();
    for (int i = 0; i < kPageCount; ++i) {
        rows[i].bEnabled = 1;
    }
    const UINT startPage = StartPage(state, commandLine);

    std::memset(sheet, 0, sizeof *sheet);
    for (int i = 0; i < kPageCount; ++i) {
        PROPSHEETPAGEA_V2& page = sheet->pages[i];
        page.dwSize = sizeof page;
        page.dwFlags = PSP_USEICONID | PSP_USETITLE | PSP_HASHELP | PSP_USECALLBACK;
        page.hInstance = instance;
        page.pszTemplate = MAKEINTRESOURCEA(rows[i].nDialogId);
        page.pszIcon = MAKEINTRESOURCEA(IDI_DOTWELL);
        page.pszTitle = MAKEINTRESOURCEA(rows[i].nTitleId);
        page.pfnDlgProc = rows[i].pfnDialog;
        page.lParam = reinterpret_cast<LPARAM>(&rows[i]);
        page.pfnCallback = rows[i].pfnCallback;
    }
    PROPSHEETHEADERA& header = sheet->header;
    header.dwSize = SheetHeaderSize();
    header.dwFlags = PSH_PROPTITLE | PSH_USEHICON | PSH_PROPSHEETPAGE | PSH_WIZARD |
                     PSH_USECALLBACK | PSH_HASHELP;
    header.hwndParent = owner;
    header.hInstance = instance;
    header.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_DOTWELL));
    header.pszCaption = "";
    header.nPages = kPageCount;
    header.nStartPage = startPage;
    header.ppsp = reinterpret_cast<LPCPROPSHEETPAGEA>(sheet->pages);
    header.pfnCallback = SheetCallback;
}

INT_PTR RunWizard(HWND owner, const char* commandLine, HINSTANCE instance) {
    static WizardSheet sheet;
    PrepareWizard(&sheet, owner, commandLine, instance);
    return PropertySheetA(&sheet.header);
}
