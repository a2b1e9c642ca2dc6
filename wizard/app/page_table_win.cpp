#include "page_table_win.h"

#include "resource.h"

namespace {

AppState g_appState;

UINT CALLBACK PageCallback(HWND, UINT message, LPPROPSHEETPAGEA) {
    return message == PSPCB_CREATE ? 1 : 0;
}

PageEntry g_pages[kPageCount] = {
    {IDD_WELCOME, WelcomePageProc, PageCallback, 0, IDS_TITLE_WELCOME, &g_appState, 1},
    {IDD_PROJECT, ProjectPageProc, PageCallback, 1, IDS_TITLE_PROJECT, &g_appState, 1},
    {IDD_SHEET_FORMAT, SheetFormatPageProc, PageCallback, 2, IDS_TITLE_SHEET_FORMAT, &g_appState,
     1},
    {IDD_LABEL_LAYOUT, LabelLayoutPageProc, PageCallback, 3, IDS_TITLE_LABEL_LAYOUT, &g_appState,
     1},
    {IDD_TRANSLATION, TranslationPageProc, PageCallback, 4, IDS_TITLE_TRANSLATION, &g_appState, 1},
    {IDD_DATABASE, DatabasePageProc, PageCallback, 5, IDS_TITLE_DATABASE, &g_appState, 1},
    {IDD_EMBOSS, EmbossPageProc, PageCallback, 6, IDS_TITLE_EMBOSS, &g_appState, 1},
};

} // namespace

PageEntry* WizardPages() {
    return g_pages;
}

AppState* TheAppState() {
    return &g_appState;
}
