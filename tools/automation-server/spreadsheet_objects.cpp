#include "spreadsheet_objects.h"

#include <memory>
#include <vector>

#include "dispatch_object.h"
#include "workbook.h"

namespace {

using BookPtr = std::shared_ptr<const Workbook>;

enum : DISPID {
    kVisible = 1,
    kWorkbooks,
    kOpen,
    kActiveSheet,
    kUsedRange,
    kColumns,
    kRows,
    kCount,
    kCells,
    kValue,
    kQuit,
};

bool g_bQuit = false;

// The application's state, shared with its Workbooks collection.
struct AppModel {
    bool bVisible = false;
    BookPtr active; // the workbook opened last
    int nOpened = 0;
};

const size_t kMaxFileSize = 256u << 20;
// The last row and column (XFD) of the application's sheets.
const long long kLastRow = 1048576, kLastColumn = 16384;

BookPtr LoadBook(const wchar_t* pszPath) {
    HANDLE file = CreateFileW(pszPath, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return nullptr;
    LARGE_INTEGER size;
    std::vector<char> bytes;
    bool ok = GetFileSizeEx(file, &size) && size.QuadPart <= LONGLONG(kMaxFileSize);
    if (ok) {
        bytes.resize(size_t(size.QuadPart));
        DWORD read = 0;
        ok = bytes.empty() || (ReadFile(file, bytes.data(), DWORD(bytes.size()), &read, nullptr) &&
                               read == bytes.size());
    }
    CloseHandle(file);
    Workbook* book = ok ? WorkbookOpen(bytes.data(), bytes.size()) : nullptr;
    return book ? BookPtr(book, WorkbookClose) : nullptr;
}

// A rectangle of the used range, rows and columns from 1. Columns and Rows
// give the same cells counted by column or by row.
class RangeObject : public DispatchObject {
  public:
    enum Counting { kByCell, kByRow, kByColumn };

    RangeObject(BookPtr book, int nRow, int nColumn, int nRows, int nColumns, Counting counting)
        : DispatchObject(kMembers, sizeof kMembers / sizeof kMembers[0]), book_(std::move(book)),
          nRow_(nRow), nColumn_(nColumn), nRows_(nRows), nColumns_(nColumns), counting_(counting) {}

  protected:
    HRESULT Call(DISPID id, WORD wFlags, DISPPARAMS* pParams, VARIANT* pResult,
                 EXCEPINFO* pExcepInfo) override {
        if (!(wFlags & (DISPATCH_PROPERTYGET | DISPATCH_METHOD)))
            return DISP_E_MEMBERNOTFOUND;
        switch (id) {
        case kColumns:
        case kRows:
            ReturnObject(pResult, new RangeObject(book_, nRow_, nColumn_, nRows_, nColumns_,
                                                  id == kRows ? kByRow : kByColumn));
            return S_OK;
        case kCount:
            V_VT(pResult) = VT_I4;
            V_I4(pResult) = counting_ == kByRow      ? nRows_
                            : counting_ == kByColumn ? nColumns_
                                                     : nRows_ * nColumns_;
            return S_OK;
        case kCells:
            return Cells(pParams, pResult, pExcepInfo);
        case kValue:
            return Value(pResult, pExcepInfo);
        default:
            return DISP_E_MEMBERNOTFOUND;
        }
    }

  private:
    // Cells(row, column) counts from this range's top left cell; a cell
    // beyond the range is still a cell (an empty one), but the sheet ends
    // at the application's last row and column.
    HRESULT Cells(DISPPARAMS* pParams, VARIANT* pResult, EXCEPINFO* pExcepInfo) {
        VARIANT row, column;
        if (PositionalCount(pParams) != 2)
            return DISP_E_BADPARAMCOUNT;
        HRESULT hr = Argument(pParams, 0, VT_I4, &row);
        if (SUCCEEDED(hr))
            hr = Argument(pParams, 1, VT_I4, &column);
        if (FAILED(hr))
            return hr;
        if (V_I4(&row) < 1 || V_I4(&column) < 1)
            return Raise(pExcepInfo, L"Cells: row and column count from 1.");
        const long long r = nRow_ + (V_I4(&row) - 1LL), c = nColumn_ + (V_I4(&column) - 1LL);
        if (r > kLastRow || c > kLastColumn)
            return Raise(pExcepInfo, L"Cells: beyond the last row or column of the sheet.");
        ReturnObject(pResult, new RangeObject(book_, int(r), int(c), 1, 1, kByCell));
        return S_OK;
    }

    HRESULT Value(VARIANT* pResult, EXCEPINFO* pExcepInfo) {
        if (nRows_ != 1 || nColumns_ != 1)
            return Raise(pExcepInfo, L"Value is read one cell at a time here.");
        const Workbook* book = book_.get();
        switch (WorkbookCellKind(book, nRow_, nColumn_)) {
        case WB_NUMBER:
            V_VT(pResult) = VT_R8;
            V_R8(pResult) = WorkbookCellNumber(book, nRow_, nColumn_);
            return S_OK;
        case WB_BOOLEAN:
            V_VT(pResult) = VT_BOOL;
            V_BOOL(pResult) =
                WorkbookCellNumber(book, nRow_, nColumn_) ? VARIANT_TRUE : VARIANT_FALSE;
            return S_OK;
        case WB_ERROR:
            // The application's error values: 2000 + the file's error code.
            V_VT(pResult) = VT_ERROR;
            V_ERROR(pResult) =
                SCODE(0x800A0000u | (2000u + unsigned(WorkbookCellNumber(book, nRow_, nColumn_))));
            return S_OK;
        case WB_TEXT:
            return TextValue(WorkbookCellText(book, nRow_, nColumn_), pResult);
        default:
            return S_OK; // VT_EMPTY
        }
    }

    static HRESULT TextValue(const char* pszUtf8, VARIANT* pResult) {
        int units = MultiByteToWideChar(CP_UTF8, 0, pszUtf8, -1, nullptr, 0);
        if (units <= 0)
            return E_FAIL;
        BSTR text = SysAllocStringLen(nullptr, UINT(units - 1));
        if (!text)
            return E_OUTOFMEMORY;
        MultiByteToWideChar(CP_UTF8, 0, pszUtf8, -1, text, units);
        V_VT(pResult) = VT_BSTR;
        V_BSTR(pResult) = text;
        return S_OK;
    }

    static const DispatchMember kMembers[5];
    BookPtr book_;
    int nRow_, nColumn_, nRows_, nColumns_;
    Counting counting_;
};

const DispatchMember RangeObject::kMembers[5] = {{L"Columns", kColumns},
                                                 {L"Rows", kRows},
                                                 {L"Count", kCount},
                                                 {L"Cells", kCells},
                                                 {L"Value", kValue}};

class WorksheetObject : public DispatchObject {
  public:
    explicit WorksheetObject(BookPtr book) : DispatchObject(kMembers, 1), book_(std::move(book)) {}

  protected:
    HRESULT Call(DISPID id, WORD wFlags, DISPPARAMS*, VARIANT* pResult, EXCEPINFO*) override {
        if (id != kUsedRange || !(wFlags & DISPATCH_PROPERTYGET))
            return DISP_E_MEMBERNOTFOUND;
        ReturnObject(pResult,
                     new RangeObject(book_, 1, 1, WorkbookRowCount(book_.get()),
                                     WorkbookColumnCount(book_.get()), RangeObject::kByCell));
        return S_OK;
    }

  private:
    static constexpr DispatchMember kMembers[1] = {{L"UsedRange", kUsedRange}};
    BookPtr book_;
};

// A workbook has no member the reader needs; it is held and released.
class WorkbookObject : public DispatchObject {
  public:
    explicit WorkbookObject(BookPtr book) : DispatchObject(nullptr, 0), book_(std::move(book)) {}

  protected:
    HRESULT Call(DISPID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*) override {
        return DISP_E_MEMBERNOTFOUND;
    }

  private:
    BookPtr book_;
};

class WorkbooksObject : public DispatchObject {
  public:
    explicit WorkbooksObject(std::shared_ptr<AppModel> app)
        : DispatchObject(kMembers, 2), app_(std::move(app)) {}

  protected:
    HRESULT Call(DISPID id, WORD wFlags, DISPPARAMS* pParams, VARIANT* pResult,
                 EXCEPINFO* pExcepInfo) override {
        if (!(wFlags & (DISPATCH_PROPERTYGET | DISPATCH_METHOD)))
            return DISP_E_MEMBERNOTFOUND;
        if (id == kCount) {
            V_VT(pResult) = VT_I4;
            V_I4(pResult) = app_->nOpened;
            return S_OK;
        }
        if (id != kOpen)
            return DISP_E_MEMBERNOTFOUND;
        VARIANT path;
        HRESULT hr = Argument(pParams, 0, VT_BSTR, &path);
        if (FAILED(hr))
            return hr;
        BookPtr book = LoadBook(V_BSTR(&path));
        VariantClear(&path);
        if (!book)
            return Raise(pExcepInfo, L"The workbook could not be opened.");
        app_->active = book;
        ++app_->nOpened;
        ReturnObject(pResult, new WorkbookObject(book));
        return S_OK;
    }

  private:
    static constexpr DispatchMember kMembers[2] = {{L"Open", kOpen}, {L"Count", kCount}};
    std::shared_ptr<AppModel> app_;
};

class ApplicationObject : public DispatchObject {
  public:
    ApplicationObject() : DispatchObject(kMembers, 4), app_(std::make_shared<AppModel>()) {}

  protected:
    HRESULT Call(DISPID id, WORD wFlags, DISPPARAMS* pParams, VARIANT* pResult,
                 EXCEPINFO*) override {
        if (id == kVisible && (wFlags & DISPATCH_PROPERTYPUT)) {
            VARIANT visible;
            HRESULT hr = PutValue(pParams, VT_BOOL, &visible);
            if (SUCCEEDED(hr))
                app_->bVisible = V_BOOL(&visible) != VARIANT_FALSE;
            return hr;
        }
        if (!(wFlags & (DISPATCH_PROPERTYGET | DISPATCH_METHOD)))
            return DISP_E_MEMBERNOTFOUND;
        switch (id) {
        case kVisible:
            V_VT(pResult) = VT_BOOL;
            V_BOOL(pResult) = app_->bVisible ? VARIANT_TRUE : VARIANT_FALSE;
            return S_OK;
        case kWorkbooks:
            ReturnObject(pResult, new WorkbooksObject(app_));
            return S_OK;
        case kActiveSheet:
            // Without an open workbook there is no sheet: Nothing.
            ReturnObject(pResult, app_->active ? new WorksheetObject(app_->active) : nullptr);
            return S_OK;
        case kQuit:
            app_->active.reset();
            g_bQuit = true;
            return S_OK;
        default:
            return DISP_E_MEMBERNOTFOUND;
        }
    }

  private:
    static constexpr DispatchMember kMembers[4] = {{L"Visible", kVisible},
                                                   {L"Workbooks", kWorkbooks},
                                                   {L"ActiveSheet", kActiveSheet},
                                                   {L"Quit", kQuit}};
    std::shared_ptr<AppModel> app_;
};

} // namespace

IDispatch* CreateSpreadsheetApplication() {
    return new ApplicationObject;
}

bool SpreadsheetQuitRequested() {
    return g_bQuit;
}
