#include "data_services_win.h"

#include <cstdlib>
#include <cstring>
#include <string>

#include "data_source.h"
#include "excel_automation_win.h"
#include "paths.h"
#include "tactr32_win.h"

namespace {

void UnloadRecordTables(uint32_t) {
    TactrUnloadTables();
}

uint32_t CloseRecordSource(AppState* state) {
    return DataSourceClose(state);
}

int OpenExcel(const char* path, void** connection) {
    if (!ExcelRegistered()) {
        return -1;
    }
    *connection = ExcelOpen(path);
    return *connection ? 1 : 0;
}

void CloseExcel(void* connection) {
    ExcelClose(static_cast<ExcelConnection*>(connection));
}

int32_t ExcelRows(void* connection) {
    return ExcelRowCount(static_cast<ExcelConnection*>(connection));
}

char* ExcelCellText(void* connection, int32_t row, int32_t column) {
    return ExcelCell(static_cast<ExcelConnection*>(connection), row, column);
}

int ExcelReadFailed(void* connection) {
    return ExcelFailed(static_cast<ExcelConnection*>(connection));
}

} // namespace

void InstallDataServices() {
    SetAppStateServices({UnloadRecordTables, CloseRecordSource});
    SetDataSourcePlatform({OpenExcel, CloseExcel, ExcelRows, ExcelCellText, ExcelReadFailed},
                          Utf8ToAnsiText);
}

uint32_t TranslatorServices::LoadTables(const AppState& state) {
    char rules[MAX_PATH];
    char exceptions[MAX_PATH];
    const std::string ruleName(state.szRuleFile,
                               strnlen(state.szRuleFile, sizeof state.szRuleFile));
    const std::string exceptionName(state.szExceptionFile,
                                    strnlen(state.szExceptionFile, sizeof state.szExceptionFile));
    RuleFilePath(rules, sizeof rules, ruleName.c_str());
    ExceptionFilePath(exceptions, sizeof exceptions, exceptionName.c_str());
    return TactrLoadTables(rules, exceptions);
}

void TranslatorServices::UnloadTables() {
    TactrUnloadTables();
}

void TranslatorServices::Translate(const char* source, char* braille) {
    char work[1008] = "";
    TactrTranslate(source, work, braille, 0, 0, 1);
}

LabelServices& ProgramLabelServices() {
    static TranslatorServices services;
    return services;
}

int ComposeLabelText(char* buffer, int32_t record, AppState* state) {
    const int composed = ComposeLabelText(buffer, record, state, ProgramLabelServices());
    // Only a source that this label opened or read can have failed it; the
    // failed open of an earlier source must not end a label without one.
    const bool sourceUsed = composed == kComposeSourceNotOpened || state->hDataSource != 0;
    return sourceUsed && DataSourceFailed(state) ? kComposeSourceFailed : composed;
}

char* Utf8ToAnsiText(char* text) {
    const int wideLength = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text, -1, nullptr, 0);
    if (wideLength <= 0) {
        return text;
    }
    std::wstring wide(static_cast<size_t>(wideLength), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text, -1, wide.data(), wideLength);
    const int size = WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, nullptr, 0, nullptr, nullptr);
    char* ansi = size > 0 ? static_cast<char*>(std::malloc(static_cast<size_t>(size))) : nullptr;
    if (!ansi) {
        return text;
    }
    WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, ansi, size, nullptr, nullptr);
    std::free(text);
    return ansi;
}
