#pragma once
#include <windows.h>
#include <commdlg.h>

#include "csv_document.h"

INT_PTR CALLBACK EditorDialogProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam);

// The current document; null after a cancelled or failed Open.
CsvDocument* CurrentDocument();

// Message boxes and file dialogs go through these, so tests can answer them
// without a window appearing.
using EditorMessageBoxFn = int (*)(HWND owner, const char* text, const char* caption, UINT type);
using EditorFileDialogFn = BOOL (*)(OPENFILENAMEA* ofn);
void SetEditorMessageBox(EditorMessageBoxFn fn);
void SetEditorFileDialogs(EditorFileDialogFn open, EditorFileDialogFn save);
int ShowEditorMessage(HWND owner, UINT textId, UINT type);

// Loading and saving (grid control IDC_GRID of the dialog).
int LoadCsvIntoGrid(HWND hDlg, CsvDocument* doc);
int SaveGridAsCsv(HWND hDlg, CsvDocument* doc);
void SetCellGrow(HWND hGrid, int row, int col, const char* text);
void ReadGridCell(HWND hGrid, int row, int col, char* buffer);
void SetEditorTitle(HWND hDlg);

// Settings under the key named by the wizard's version.
bool EditorKeyPathFromFile(const char* wizardFile, char* out, size_t capacity);
bool EditorKeyPath(char* out, size_t capacity);
bool ReadEditorValue(const char* name, char out[kPathBuffer]);
void WriteEditorValue(const char* name, const char* text);
BOOL AskForCsvFile(HWND owner, bool bSave, char path[kPathBuffer]);
