// The library's own dialogs, from the templates in its resources.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

// Non-zero when the table has properties to show.
UINT32 TableHasProperties(const char* table);

// Shows the table's properties; the related table chosen comes back as a
// path in `buffer`, which stays empty otherwise. Non-zero when one was chosen.
UINT32 ShowTableProperties(HWND owner, const char* table, char* buffer, UINT32 size);

// The exception-list editor; both folders end in a backslash.
UINT32 EditExceptionLists(HWND owner, const char* exceptionFolder, const char* ruleFolder);

// The dialog procedures with their creation data, for hosts that create
// the dialogs themselves.
struct TablePropertiesArgs {
    const char* pszTable;
    char* pszBuffer;
    UINT32 cbBuffer;
    UINT32 nChosen;
};
INT_PTR CALLBACK TablePropertiesProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

struct ExceptionListsArgs {
    const char* pszExceptionFolder;
    const char* pszRuleFolder;
};
INT_PTR CALLBACK ExceptionListsProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// The module whose resources hold the templates.
HINSTANCE DialogModule();

// Names of the "*.qrf" files in `folder` (which ends in a backslash).
std::vector<std::string> ListTables(const std::string& folder);
