// The objects of the stand-in spreadsheet application: Application,
// Workbooks, Workbook, Worksheet and Range, with the members a client
// reading a workbook calls.
#pragma once

#include <windows.h>
#include <ole2.h>

// A new Application object, its one reference owned by the caller.
IDispatch* CreateSpreadsheetApplication();

// Set once a client has called Quit.
bool SpreadsheetQuitRequested();
