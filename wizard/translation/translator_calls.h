#pragma once
#include <windows.h>

// The translator library's calls that the Translation page and start-up
// make. A call whose entry is missing does nothing and gives 0.
struct TranslatorCalls {
    UINT32 (*pfnPrepareTable)(const char* table, const char* ruleFolder);
    UINT32 (*pfnTableProperties)(HWND owner, const char* table, char* buffer, UINT32 size);
    UINT32 (*pfnTableDetails)(const char* table, char* buffer, UINT32 size);
    UINT32 (*pfnEditExceptionList)(HWND owner, const char* exceptionFolder, const char* ruleFolder);
};

const TranslatorCalls& Translator();
