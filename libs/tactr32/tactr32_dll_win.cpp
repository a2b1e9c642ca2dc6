// Exports of tactr32.dll: thin wrappers over the portable engine. No C++
// exception leaves the library.
#include "tactr32_win.h"

#include <string>

#include "loaded_tables.h"
#include "tactr32_dialogs_win.h"
#include "translate.h"

namespace {

tactr::LoadedTables g_tables;

std::string Text(const char* psz) {
    return psz ? std::string(psz) : std::string();
}

} // namespace

extern "C" {

UINT32 TactrPrepareTable(const char* pszTable, const char*) {
    try {
        tactr::Table table;
        std::string error;
        return pszTable && tactr::CompileTable(pszTable, tactr::TableKind::kTranslation,
                                               tactr::ReadWholeFile, table, error);
    } catch (...) {
        return 0;
    }
}

UINT32 TactrLoadTables(const char* pszTable, const char* pszExceptions) {
    try {
        return pszTable && g_tables.Load(pszTable, Text(pszExceptions));
    } catch (...) {
        return 0;
    }
}

UINT32 TactrUnloadTables(void) {
    g_tables.Unload();
    return 1;
}

UINT32 TactrTranslate(const char* pszSource, char*, char* pBraille, UINT32, UINT32, UINT32) {
    return pBraille && g_tables.Translate(pszSource, pBraille, tactr::kBrailleBufferSize);
}

UINT32 TactrTableProperties(HWND hOwner, const char* pszTable, char* pszBuffer, UINT32 cbBuffer) {
    if (!pszBuffer || !cbBuffer)
        return TableHasProperties(pszTable);
    return ShowTableProperties(hOwner, pszTable, pszBuffer, cbBuffer);
}

UINT32 TactrTableDetails(const char* pszTable, char* pszBuffer, UINT32 cbBuffer) {
    try {
        tactr::CopyToBuffer(pszTable ? tactr::DescribeTable(pszTable) : std::string(), pszBuffer,
                            cbBuffer);
        return 1;
    } catch (...) {
        tactr::CopyToBuffer(std::string(), pszBuffer, cbBuffer);
        return 0;
    }
}

UINT32 TactrEditExceptionList(HWND hOwner, const char* pszExceptionFolder,
                              const char* pszRuleFolder) {
    return EditExceptionLists(hOwner, pszExceptionFolder, pszRuleFolder);
}
}
