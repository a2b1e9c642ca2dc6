// The braille translator library, as dotwell.exe calls it. Strings are
// NUL-terminated ANSI text; paths are full paths.
#pragma once

#include <windows.h>

#ifdef TACTR32_BUILD
#define TACTR32_API
#else
#define TACTR32_API __declspec(dllimport)
#endif

#ifdef __cplusplus
extern "C" {
#endif

// Checks a table of the rule-file folder; non-zero when it can be used.
TACTR32_API UINT32 TactrPrepareTable(const char* pszTable, const char* pszRuleFolder);

// Loads the table and the exception list (a folder path ending in a
// backslash: none). Non-zero when translation is possible.
TACTR32_API UINT32 TactrLoadTables(const char* pszTable, const char* pszExceptions);

TACTR32_API UINT32 TactrUnloadTables(void);

// Translates pszSource into pBraille (1024 bytes): one byte 0x40 + dots per
// cell, line ends kept, NUL-terminated. pWork (1008 bytes) is not used;
// nReserved1 and nReserved2 are 0 and nMode is 1. Non-zero when tables
// were loaded.
TACTR32_API UINT32 TactrTranslate(const char* pszSource, char* pWork, char* pBraille,
                                  UINT32 nReserved1, UINT32 nReserved2, UINT32 nMode);

// With pszBuffer null and cbBuffer 0: non-zero when the table has
// properties to show. Otherwise shows them; pszBuffer may receive a path.
TACTR32_API UINT32 TactrTableProperties(HWND hOwner, const char* pszTable, char* pszBuffer,
                                        UINT32 cbBuffer);

// Name and description of the table, LF line ends, into pszBuffer.
TACTR32_API UINT32 TactrTableDetails(const char* pszTable, char* pszBuffer, UINT32 cbBuffer);

TACTR32_API UINT32 TactrEditExceptionList(HWND hOwner, const char* pszExceptionFolder,
                                          const char* pszRuleFolder);

#ifdef __cplusplus
}
#endif
