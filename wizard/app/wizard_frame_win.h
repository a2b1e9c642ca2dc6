#pragma once
#include <windows.h>
#include <commctrl.h>

#include "page_table_win.h"

// The property sheet, ready to run: the header, one page record per row.
struct WizardSheet {
    PROPSHEETHEADERA header;
    // The sheet walks this array by each record's size, so the records are of
    // the versioned type whose size they announce.
    PROPSHEETPAGEA_V2 pages[kPageCount];
};

// Resets the record, reads the command line (a project, " /p") and fills
// `sheet`. Pages are enabled again, so a second wizard starts like the first.
void PrepareWizard(WizardSheet* sheet, HWND owner, const char* commandLine, HINSTANCE instance);

// Builds the wizard and runs it modally; returns what the property sheet
// returns.
INT_PTR RunWizard(HWND owner, const char* commandLine, HINSTANCE instance);
