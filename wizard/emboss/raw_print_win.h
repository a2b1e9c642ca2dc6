#pragma once
#include <windows.h>

#include "app_state.h"

// Loads string nStringId (at most 260 characters), formats it with the
// arguments and shows it in the page's status text. Safe from the worker.
void ShowStatus(HWND page, UINT nStringId, ...);

// The save dialog for a print file; 1 when the user chose one into szPath
// (MAX_PATH bytes).
int AskPrintFileName(HWND page, char* szPath);

// 1 when the printer's information can be read and it does not work
// offline. The printer stays open.
int PrinterIsUsable(HANDLE printer);

// Sends the spool file to the printer queue, or with bToFile through it into
// a file the user names. A result code of spool_send.h.
int RawPrint(HWND page, HWND progress, const char* szSpoolFile, const char* szPrinter, int bToFile);

// Keeps a copy of the job and of the project in the spool folder, prints,
// and reports the outcome to the page with the job-done or job-failed
// message.
void SpoolAndPrint(HWND page, HWND progress, const char* szSpoolFile, const char* szPrinter,
                   int bToFile, AppState* state);
