#include <gtest/gtest.h>

#include <windows.h>
#include <ole2.h>
#include <tlhelp32.h>

#include <string>
#include <vector>

#include "fixture_writer.h"
#include "number_text.h"
#include "server_clsid.h"
#include "win_test_support.h"

namespace {

// Paths here are ASCII: the temporary folder and the build.
std::wstring Wide(const std::string& ascii) {
    return std::wstring(ascii.begin(), ascii.end());
}

std::wstring ServerPath() {
    return Wide(WinePath(AUTOMATION_SERVER_EXE));
}

DWORD RunServer(const wchar_t* pszSwitch) {
    std::wstring command = L"\"" + ServerPath() + L"\" " + pszSwitch;
    STARTUPINFOW si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi;
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                        &pi))
        return DWORD(-1);
    DWORD code = DWORD(-2);
    if (WaitForSingleObject(pi.hProcess, 30000) == WAIT_OBJECT_0)
        GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return code;
}

bool ServerProcessRunning() {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return false;
    PROCESSENTRY32W entry = {};
    entry.dwSize = sizeof entry;
    bool found = false;
    for (BOOL more = Process32FirstW(snapshot, &entry); more && !found;
         more = Process32NextW(snapshot, &entry))
        found = lstrcmpiW(entry.szExeFile, L"automation-server.exe") == 0;
    CloseHandle(snapshot);
    return found;
}

std::wstring WriteFixture(const TempFolder& folder, const char* pszName, const Bytes& bytes) {
    return Wide(folder.Write(pszName, std::string(bytes.begin(), bytes.end())));
}

// Late-bound call by member name; arguments in call order.
HRESULT Call(IDispatch* object, WORD wFlags, const wchar_t* pszName, VARIANT* pResult,
             std::vector<VARIANT> args = {}) {
    if (!object)
        return E_POINTER;
    DISPID id;
    LPOLESTR name = const_cast<LPOLESTR>(pszName);
    HRESULT hr = object->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &id);
    if (FAILED(hr))
        return hr;
    std::vector<VARIANT> reversed(args.rbegin(), args.rend());
    DISPID put = DISPID_PROPERTYPUT;
    DISPPARAMS params = {reversed.data(), nullptr, UINT(reversed.size()), 0};
    if (wFlags & DISPATCH_PROPERTYPUT) {
        params.cNamedArgs = 1;
        params.rgdispidNamedArgs = &put;
    }
    if (pResult)
        VariantInit(pResult);
    return object->Invoke(id, IID_NULL, LOCALE_SYSTEM_DEFAULT, wFlags, &params, pResult, nullptr,
                          nullptr);
}

VARIANT Int(int value) {
    VARIANT v;
    VariantInit(&v);
    V_VT(&v) = VT_I4;
    V_I4(&v) = value;
    return v;
}

IDispatch* GetObject(IDispatch* object, const wchar_t* pszName, std::vector<VARIANT> args = {}) {
    VARIANT result;
    if (FAILED(Call(object, DISPATCH_PROPERTYGET, pszName, &result, args)))
        return nullptr;
    if (V_VT(&result) != VT_DISPATCH) {
        VariantClear(&result);
        return nullptr;
    }
    return V_DISPATCH(&result);
}

int GetCount(IDispatch* object) {
    VARIANT result;
    if (FAILED(Call(object, DISPATCH_PROPERTYGET, L"Count", &result)) || V_VT(&result) != VT_I4)
        return -1;
    return V_I4(&result);
}

// What a reader of the cell sees: strings as they are, numbers with 10
// significant digits, booleans and errors by their variant type.
std::string CellText(IDispatch* usedRange, int row, int column) {
    IDispatch* cell = GetObject(usedRange, L"Cells", {Int(row), Int(column)});
    if (!cell)
        return "<no cell>";
    VARIANT value;
    HRESULT hr = Call(cell, DISPATCH_PROPERTYGET, L"Value", &value);
    cell->Release();
    if (FAILED(hr))
        return "<failed>";
    std::string text;
    switch (V_VT(&value)) {
    case VT_EMPTY:
        break;
    case VT_R8:
        text = FormatCellNumber(V_R8(&value));
        break;
    case VT_BOOL:
        text = V_BOOL(&value) ? "bool:TRUE" : "bool:FALSE";
        break;
    case VT_ERROR:
        text = "error:" + std::to_string(V_ERROR(&value) & 0xFFFF);
        break;
    case VT_BSTR: {
        int bytes =
            WideCharToMultiByte(CP_UTF8, 0, V_BSTR(&value), -1, nullptr, 0, nullptr, nullptr);
        text.resize(size_t(bytes > 0 ? bytes : 1));
        WideCharToMultiByte(CP_UTF8, 0, V_BSTR(&value), -1, text.data(), bytes, nullptr, nullptr);
        text.resize(text.size() - 1);
        break;
    }
    default:
        text = "<vt " + std::to_string(V_VT(&value)) + ">";
    }
    VariantClear(&value);
    return text;
}

using Grid = std::vector<std::vector<std::string>>;

// Opens the workbook the way the wizard does and reads its used range.
Grid ReadThroughAutomation(IDispatch* app, const std::wstring& path) {
    Grid grid;
    IDispatch* workbooks = GetObject(app, L"Workbooks");
    VARIANT arg;
    V_VT(&arg) = VT_BSTR;
    V_BSTR(&arg) = SysAllocString(path.c_str());
    IDispatch* workbook = GetObject(workbooks, L"Open", {arg});
    VariantClear(&arg);
    IDispatch* sheet = GetObject(app, L"ActiveSheet");
    IDispatch* used = GetObject(sheet, L"UsedRange");
    IDispatch* columns = GetObject(used, L"Columns");
    IDispatch* rows = GetObject(used, L"Rows");
    if (workbook && used && columns && rows) {
        int nRows = GetCount(rows), nColumns = GetCount(columns);
        for (int r = 1; r <= nRows; ++r) {
            grid.emplace_back();
            for (int c = 1; c <= nColumns; ++c)
                grid.back().push_back(CellText(used, r, c));
        }
    }
    for (IDispatch* p : {workbook, used, sheet, workbooks, columns, rows})
        if (p)
            p->Release();
    return grid;
}

class AutomationServer : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { ASSERT_EQ(RunServer(L"/regserver"), 0u); }
    static void TearDownTestSuite() {
        EXPECT_EQ(RunServer(L"/unregserver"), 0u);
        CLSID clsid;
        EXPECT_HRESULT_FAILED(CLSIDFromProgID(kStandInProgId, &clsid));
    }
    void SetUp() override { ASSERT_HRESULT_SUCCEEDED(CoInitialize(nullptr)); }
    void TearDown() override { CoUninitialize(); }
};

TEST_F(AutomationServer, RegisteredUnderTheSpreadsheetProgId) {
    CLSID clsid;
    ASSERT_HRESULT_SUCCEEDED(CLSIDFromProgID(kStandInProgId, &clsid));
    EXPECT_TRUE(IsEqualCLSID(clsid, CLSID_StandInSpreadsheet));
    wchar_t server[MAX_PATH] = L"";
    LONG size = sizeof server;
    std::wstring key = std::wstring(L"CLSID\\") + kStandInClsidText + L"\\LocalServer32";
    ASSERT_EQ(RegQueryValueW(HKEY_CLASSES_ROOT, key.c_str(), server, &size), ERROR_SUCCESS);
    EXPECT_EQ(std::wstring(server), L"\"" + ServerPath() + L"\"");
}

TEST_F(AutomationServer, ReadsWorkbooksCellByCellAndEndsOnQuit) {
    TempFolder folder;
    std::wstring xlsx = WriteFixture(
        folder, "names.xlsx",
        MakeXlsx("<row r=\"3\"><c r=\"C3\" t=\"s\"><v>0</v></c><c r=\"D3\" t=\"inlineStr\"><is><t>"
                 "Price</t></is></c><c r=\"E3\" t=\"s\"><v>1</v></c></row>"
                 "<row r=\"4\"><c r=\"C4\" t=\"inlineStr\"><is><t>Gr\xC3\xBC\xC3\x9F"
                 "e \xCE\xA9</t></is></c><c r=\"D4\"><v>2.5</v></c><c r=\"E4\" t=\"b\"><v>1</v></c>"
                 "</row><row r=\"5\"><c r=\"C5\"><v>3</v></c><c r=\"D5\"><v>1.05</v></c></row>"
                 "<row r=\"6\"><c r=\"D6\"><v>-4.25</v></c><c r=\"E6\" t=\"e\"><v>#DIV/0!</v></c>"
                 "</row>",
                 "<si><t>Name</t></si><si><t>In stock</t></si>"));
    std::wstring xls = WriteFixture(folder, "numbers.xls",
                                    MakeXls({}, {Label(0, 0, u"Caf\u00E9", false), Number(0, 1, 0),
                                                 Number(1, 0, 1.0 / 3), Rk(1, 1, (7u << 2) | 2)}));

    CLSID clsid;
    ASSERT_HRESULT_SUCCEEDED(CLSIDFromProgID(kStandInProgId, &clsid));
    IDispatch* app = nullptr;
    ASSERT_HRESULT_SUCCEEDED(CoCreateInstance(clsid, nullptr, CLSCTX_LOCAL_SERVER, IID_IDispatch,
                                              reinterpret_cast<void**>(&app)));
    VARIANT result;
    EXPECT_HRESULT_SUCCEEDED(Call(app, DISPATCH_PROPERTYPUT, L"Visible", nullptr, {Int(0)}));
    EXPECT_HRESULT_SUCCEEDED(Call(app, DISPATCH_PROPERTYGET, L"visible", &result));
    EXPECT_EQ(V_VT(&result), VT_BOOL);
    EXPECT_EQ(V_BOOL(&result), VARIANT_FALSE);

    const Grid expectedXlsx = {{"Name", "Price", "In stock"},
                               {"Gr\u00FC\u00DFe \u03A9", "2.5", "bool:TRUE"},
                               {"3", "1.05", ""},
                               {"", "-4.25", "error:2007"}};
    EXPECT_EQ(ReadThroughAutomation(app, xlsx), expectedXlsx);
    const Grid expectedXls = {{"Caf\u00E9", "0"}, {"0.3333333333", "7"}};
    EXPECT_EQ(ReadThroughAutomation(app, xls), expectedXls);

    // A file that is no workbook fails the call; it does not bring the
    // server down.
    IDispatch* workbooks = GetObject(app, L"Workbooks");
    ASSERT_NE(workbooks, nullptr);
    VARIANT missing;
    V_VT(&missing) = VT_BSTR;
    V_BSTR(&missing) = SysAllocString(L"Z:\\no\\such\\book.xls");
    EXPECT_EQ(Call(workbooks, DISPATCH_PROPERTYGET, L"Open", &result, {missing}), DISP_E_EXCEPTION);
    VariantClear(&missing);
    VariantClear(&result);
    workbooks->Release();
    EXPECT_EQ(Call(app, DISPATCH_METHOD, L"NoSuchMember", nullptr), DISP_E_UNKNOWNNAME);

    EXPECT_HRESULT_SUCCEEDED(Call(app, DISPATCH_METHOD, L"Quit", nullptr));
    app->Release();

    DWORD deadline = GetTickCount() + 20000;
    while (ServerProcessRunning() && GetTickCount() < deadline)
        WaitForSingleObject(GetCurrentProcess(), 50);
    EXPECT_FALSE(ServerProcessRunning());
}

} // namespace
