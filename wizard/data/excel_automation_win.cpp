#include "excel_automation_win.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>

#include "number_text.h"

namespace {

void ShowAutomationError(const char* text, const char* caption) {
    MessageBoxA(nullptr, text, caption, MB_OK);
}

using ReportFn = void (*)(const char* text, const char* caption);

ReportFn g_errorSink = ShowAutomationError;

void IgnoreFailure(const char*, const char*) {}

// AutoWrap's call, with its failures told to `report`.
HRESULT CallByName(ReportFn report, int kind, VARIANT* result, IDispatch* dispatch, LPCOLESTR name,
                   int count, va_list list) {
    if (!dispatch) {
        report("NULL IDispatch passed to AutoWrap()", "Error");
        return E_POINTER;
    }
    char ansiName[256] = "";
    WideCharToMultiByte(CP_ACP, 0, name, -1, ansiName, sizeof ansiName, nullptr, nullptr);
    ansiName[sizeof ansiName - 1] = '\0';
    char message[512];
    DISPID dispatchId = 0;
    HRESULT hr = dispatch->GetIDsOfNames(IID_NULL, const_cast<LPOLESTR*>(&name), 1,
                                         LOCALE_USER_DEFAULT, &dispatchId);
    if (FAILED(hr)) {
        std::snprintf(message, sizeof message,
                      "IDispatch::GetIDsOfNames(\"%s\") failed w/err 0x%08lx", ansiName,
                      static_cast<unsigned long>(hr));
        report(message, "AutoWrap()");
        return hr;
    }
    VARIANT* arguments = new (std::nothrow) VARIANT[static_cast<size_t>(count) + 1];
    if (!arguments) {
        return E_OUTOFMEMORY;
    }
    for (int i = 0; i < count; ++i) {
        arguments[i] = va_arg(list, VARIANT);
    }
    DISPID namedPut = DISPID_PROPERTYPUT;
    DISPPARAMS parameters{arguments, nullptr, static_cast<UINT>(count), 0};
    if (kind & DISPATCH_PROPERTYPUT) {
        parameters.cNamedArgs = 1;
        parameters.rgdispidNamedArgs = &namedPut;
    }
    hr = dispatch->Invoke(dispatchId, IID_NULL, LOCALE_SYSTEM_DEFAULT, static_cast<WORD>(kind),
                          &parameters, result, nullptr, nullptr);
    if (FAILED(hr)) {
        std::snprintf(message, sizeof message,
                      "IDispatch::Invoke(\"%s\"=%08lx) failed w/err 0x%08lx", ansiName,
                      static_cast<unsigned long>(dispatchId), static_cast<unsigned long>(hr));
        report(message, "AutoWrap()");
    }
    delete[] arguments;
    return hr;
}

// After a failed read the user has been told; the application, which may be
// gone, is ended without a second message. Called without further
// arguments: the ... only makes an empty argument list.
void QuitQuietly(IDispatch* application, ...) {
    va_list none;
    va_start(none, application);
    CallByName(IgnoreFailure, DISPATCH_METHOD, nullptr, application, L"Quit", 0, none);
    va_end(none);
}

char* HeapText(const char* text) {
    const size_t size = std::strlen(text) + 1;
    char* copy = static_cast<char*>(std::malloc(size));
    if (copy) {
        std::memcpy(copy, text, size);
    }
    return copy;
}

// Takes the dispatch pointer out of a result variant; null for anything else.
IDispatch* DispatchOf(VARIANT& value) {
    if (value.vt != VT_DISPATCH) {
        VariantClear(&value);
        return nullptr;
    }
    return value.pdispVal;
}

HRESULT GetObject(IDispatch* from, LPCOLESTR name, IDispatch** object) {
    VARIANT result;
    VariantInit(&result);
    HRESULT hr = AutoWrap(DISPATCH_PROPERTYGET, &result, from, name, 0);
    if (SUCCEEDED(hr)) {
        *object = DispatchOf(result);
        hr = *object ? S_OK : E_NOINTERFACE;
    }
    return hr;
}

HRESULT GetCount(IDispatch* from, int32_t* count) {
    VARIANT result;
    VariantInit(&result);
    HRESULT hr = AutoWrap(DISPATCH_PROPERTYGET, &result, from, L"Count", 0);
    if (SUCCEEDED(hr)) {
        hr = VariantChangeType(&result, &result, 0, VT_I4);
        *count = SUCCEEDED(hr) ? result.lVal : 0;
    }
    VariantClear(&result);
    return hr;
}

HRESULT OpenWorkbook(ExcelConnection* connection, const char* path) {
    const int length = MultiByteToWideChar(CP_ACP, MB_PRECOMPOSED, path, -1, nullptr, 0);
    if (length <= 0) {
        return E_INVALIDARG;
    }
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, MB_PRECOMPOSED, path, -1, wide.data(), length);
    VARIANT argument;
    VariantInit(&argument);
    argument.vt = VT_BSTR;
    argument.bstrVal = SysAllocString(wide.c_str());
    if (!argument.bstrVal) {
        return E_OUTOFMEMORY;
    }
    VARIANT result;
    VariantInit(&result);
    HRESULT hr =
        AutoWrap(DISPATCH_PROPERTYGET, &result, connection->pWorkbooks, L"Open", 1, argument);
    VariantClear(&argument);
    if (SUCCEEDED(hr)) {
        connection->pWorkbook = DispatchOf(result);
    }
    return hr;
}

// Every step after the application is running; the first failure stops the
// rest, so no half-made connection is used.
HRESULT ConnectWorkbook(ExcelConnection* connection, const char* path) {
    VARIANT hidden;
    VariantInit(&hidden);
    hidden.vt = VT_I4;
    hidden.lVal = 0;
    HRESULT hr =
        AutoWrap(DISPATCH_PROPERTYPUT, nullptr, connection->pApplication, L"Visible", 1, hidden);
    if (SUCCEEDED(hr)) {
        hr = GetObject(connection->pApplication, L"Workbooks", &connection->pWorkbooks);
    }
    if (SUCCEEDED(hr)) {
        hr = OpenWorkbook(connection, path);
    }
    if (SUCCEEDED(hr)) {
        hr = GetObject(connection->pApplication, L"ActiveSheet", &connection->pActiveSheet);
    }
    if (SUCCEEDED(hr)) {
        hr = GetObject(connection->pActiveSheet, L"UsedRange", &connection->pUsedRange);
    }
    if (SUCCEEDED(hr)) {
        hr = GetObject(connection->pUsedRange, L"Columns", &connection->pColumns);
    }
    if (SUCCEEDED(hr)) {
        hr = GetCount(connection->pColumns, &connection->nColumnCount);
    }
    if (SUCCEEDED(hr)) {
        hr = GetObject(connection->pUsedRange, L"Rows", &connection->pRows);
    }
    if (SUCCEEDED(hr)) {
        hr = GetCount(connection->pRows, &connection->nRowCount);
    }
    return hr;
}

char* TextOfBstr(BSTR text) {
    const int size = WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 0) {
        return nullptr;
    }
    char* ansi = static_cast<char*>(std::calloc(2, static_cast<size_t>(size)));
    if (ansi) {
        WideCharToMultiByte(CP_ACP, 0, text, -1, ansi, size, nullptr, nullptr);
    }
    return ansi;
}

// Reads as the direct workbook reader does: booleans by name, errors empty,
// every other value as a number.
char* TextOfValue(VARIANT& value) {
    switch (value.vt) {
    case VT_BSTR:
        return TextOfBstr(value.bstrVal);
    case VT_EMPTY:
    case VT_NULL:
    case VT_ERROR:
        return HeapText("");
    case VT_BOOL:
        return HeapText(value.boolVal ? "TRUE" : "FALSE");
    default:
        break;
    }
    VARIANT number;
    VariantInit(&number);
    if (FAILED(VariantChangeType(&number, &value, 0, VT_R8))) {
        return HeapText("");
    }
    return HeapText(FormatCellNumber(number.dblVal).c_str());
}

} // namespace

void SetAutomationErrorSink(void (*sink)(const char*, const char*)) {
    g_errorSink = sink ? sink : ShowAutomationError;
}

// A failing call is shown and handed back to the caller, which gives up the
// operation; the process goes on, so the user's unsaved project survives.
HRESULT AutoWrap(int kind, VARIANT* result, IDispatch* dispatch, LPCOLESTR name, int count, ...) {
    va_list list;
    va_start(list, count);
    const HRESULT hr = CallByName(g_errorSink, kind, result, dispatch, name, count, list);
    va_end(list);
    return hr;
}

int ExcelRegistered() {
    const HRESULT init = CoInitialize(nullptr);
    CLSID clsid;
    const bool registered = SUCCEEDED(CLSIDFromProgID(L"Excel.Application", &clsid));
    if (SUCCEEDED(init)) {
        CoUninitialize();
    }
    return registered ? 1 : 0;
}

ExcelConnection* ExcelOpen(const char* path) {
    auto* connection = static_cast<ExcelConnection*>(std::calloc(1, sizeof(ExcelConnection)));
    if (!connection) {
        return nullptr;
    }
    connection->bComInitialized = SUCCEEDED(CoInitialize(nullptr));
    connection->hr = CLSIDFromProgID(L"Excel.Application", &connection->clsid);
    if (SUCCEEDED(connection->hr)) {
        connection->hr =
            CoCreateInstance(connection->clsid, nullptr, CLSCTX_LOCAL_SERVER, IID_IDispatch,
                             reinterpret_cast<void**>(&connection->pApplication));
    }
    if (FAILED(connection->hr) || FAILED(ConnectWorkbook(connection, path))) {
        ExcelClose(connection);
        return nullptr;
    }
    return connection;
}

void ExcelClose(ExcelConnection* connection) {
    if (!connection) {
        return;
    }
    if (connection->pApplication && connection->bFailed) {
        QuitQuietly(connection->pApplication);
    } else if (connection->pApplication) {
        AutoWrap(DISPATCH_METHOD, nullptr, connection->pApplication, L"Quit", 0);
    }
    IDispatch* objects[] = {connection->pWorkbook,    connection->pUsedRange,
                            connection->pActiveSheet, connection->pWorkbooks,
                            connection->pApplication, connection->pColumns,
                            connection->pRows};
    for (IDispatch* object : objects) {
        if (object) {
            object->Release();
        }
    }
    if (connection->bComInitialized) {
        CoUninitialize();
    }
    std::free(connection);
}

int ExcelFailed(const ExcelConnection* connection) {
    return connection && connection->bFailed ? 1 : 0;
}

int32_t ExcelRowCount(const ExcelConnection* connection) {
    return connection ? connection->nRowCount : -1;
}

// One failing call shows its message; the connection then reads no more, so
// a job or a preview does not show one message per label.
char* ExcelCell(ExcelConnection* connection, int32_t row, int32_t column) {
    if (!connection || connection->bFailed) {
        return nullptr;
    }
    VARIANT rowArgument, columnArgument, result;
    VariantInit(&rowArgument);
    VariantInit(&columnArgument);
    VariantInit(&result);
    rowArgument.vt = VT_I4;
    rowArgument.lVal = row;
    columnArgument.vt = VT_I4;
    columnArgument.lVal = column;
    if (FAILED(AutoWrap(DISPATCH_PROPERTYGET, &result, connection->pUsedRange, L"Cells", 2,
                        columnArgument, rowArgument))) {
        connection->bFailed = TRUE;
        return nullptr;
    }
    IDispatch* cell = DispatchOf(result);
    if (!cell) {
        return nullptr;
    }
    VARIANT value;
    VariantInit(&value);
    char* text = nullptr;
    if (SUCCEEDED(AutoWrap(DISPATCH_PROPERTYGET, &value, cell, L"Value", 0))) {
        text = TextOfValue(value);
    } else {
        connection->bFailed = TRUE;
    }
    VariantClear(&value);
    cell->Release();
    return text;
}
