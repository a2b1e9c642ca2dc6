#pragma once
#include <windows.h>
#include <oaidl.h>

#include <cstdint>

// A workbook opened in the spreadsheet application through automation.
struct ExcelConnection {
    CLSID clsid;
    HRESULT hr;
    IDispatch* pApplication;
    IDispatch* pWorkbooks;
    IDispatch* pActiveSheet;
    IDispatch* pUsedRange;
    IDispatch* pWorkbook;
    IDispatch* pColumns;
    IDispatch* pRows;
    int32_t nRowCount;
    int32_t nColumnCount;
    BOOL bComInitialized; // ours to uninitialise on close
    BOOL bFailed;         // a read failed; the connection reads nothing more
};

// 1 when "Excel.Application" is registered.
int ExcelRegistered();

// Null when the application cannot be started or the workbook not read; a
// failure after start-up has been shown to the user and closed cleanly.
ExcelConnection* ExcelOpen(const char* path);
void ExcelClose(ExcelConnection* connection);
int32_t ExcelRowCount(const ExcelConnection* connection);

// A malloc()ed ANSI text of the cell (row and column from 1 at the used
// range's top left), or null. After a failing call, null without asking.
char* ExcelCell(ExcelConnection* connection, int32_t row, int32_t column);

// 1 once a read of the connection has failed.
int ExcelFailed(const ExcelConnection* connection);

// Calls `name` on `dispatch` late-bound. `kind` is DISPATCH_METHOD,
// DISPATCH_PROPERTYGET or DISPATCH_PROPERTYPUT; arguments last first. A
// failure is shown and its result code returned.
HRESULT AutoWrap(int kind, VARIANT* result, IDispatch* dispatch, LPCOLESTR name, int count, ...);

// Where AutoWrap's failure texts go; a message box unless replaced.
void SetAutomationErrorSink(void (*sink)(const char* text, const char* caption));
