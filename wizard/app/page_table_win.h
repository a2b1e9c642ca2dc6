#pragma once
#include <windows.h>
#include <commctrl.h>

#include "app_state.h"

// One row of the wizard's page table. The row is each page's property-page
// lParam; the page reaches the shared record through it.
struct PageEntry {
    UINT nDialogId;
    DLGPROC pfnDialog;
    LPFNPSPCALLBACKA pfnCallback;
    int nIndex;
    UINT nTitleId;
    AppState* pState;
    UINT bEnabled;
};

constexpr int kPageCount = 7;

// The table itself, in page order.
PageEntry* WizardPages();

// The record all pages share.
AppState* TheAppState();

// Page procedures, one per page file.
INT_PTR CALLBACK WelcomePageProc(HWND page, UINT msg, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK ProjectPageProc(HWND page, UINT msg, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK SheetFormatPageProc(HWND page, UINT msg, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK LabelLayoutPageProc(HWND page, UINT msg, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK TranslationPageProc(HWND page, UINT msg, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK DatabasePageProc(HWND page, UINT msg, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK EmbossPageProc(HWND page, UINT msg, WPARAM wParam, LPARAM lParam);
