#pragma once
#include <windows.h>

#include "page_table_win.h"

// Navigation: each puts the target dialog id into the page's message result
// and returns 1 ("handled").
INT_PTR GoNextPage(const PageEntry* row, HWND page);
INT_PTR GoPreviousPage(const PageEntry* row, HWND page);
INT_PTR GoToEmbossPage(const PageEntry* row, HWND page);
void SetPageEnabled(PageEntry* row, UINT dialogId, UINT enabled);

// Page dressing.
void SetPageHeader(HWND page, UINT stringId, int controlId, int pointSize, BOOL bold,
                   const char* faceName);
void SetWizardTitle(HWND page, const PageEntry* row, char* projectFile);
void ShowHelp(HWND page);
// Sets the wizard's buttons at once (PSWIZB_ flags): a posted change could
// land after the next page has set its own.
void SetWizardButtons(HWND page, DWORD buttons);
void CenterWindow(HWND dialog, HWND owner);
int FileExists(const char* path);

// Fills `path` (MAX_PATH bytes) with the first free "untitled.dwp" name of
// the current folder.
void DefaultProjectName(HWND owner, char* path);

// What every page does at WM_INITDIALOG: keep its row, dress its header.
// Returns the row taken from the property-page record.
PageEntry* InitPage(HWND page, LPARAM lParam, UINT headerStringId);

// The row a page kept at WM_INITDIALOG.
PageEntry* PageRow(HWND page);

// The white header band (WM_CTLCOLORSTATIC); 0 when the control is another.
INT_PTR PageHeaderColor(HWND control);

// Puts a result into the page's DWLP_MSGRESULT and returns TRUE.
INT_PTR SetPageResult(HWND page, LONG_PTR result);
