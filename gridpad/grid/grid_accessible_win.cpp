#include <new>
#include <string>

#include "delegating_accessible.h"
#include "grid_cell_access.h"
#include "grid_internal_win.h"

namespace {

std::wstring Widen(const std::string& text) {
    if (text.empty()) {
        return std::wstring();
    }
    const int size = static_cast<int>(text.size());
    const int len = MultiByteToWideChar(CP_UTF8, 0, text.data(), size, nullptr, 0);
    std::wstring wide(len > 0 ? len : 0, L'\0');
    if (len > 0) {
        MultiByteToWideChar(CP_UTF8, 0, text.data(), size, wide.data(), len);
    }
    return wide;
}

HRESULT ReturnUtf8(const std::string& text, BSTR* out) {
    return ReturnText(Widen(text).c_str(), out);
}

void SetChild(VARIANT* out, long child) {
    out->vt = VT_I4;
    out->lVal = child;
}

// The grid as a table of cells, each a simple child without an object of
// its own. Every call looks the grid up again: the window may be gone.
class GridAccessible : public DelegatingAccessible {
  public:
    GridAccessible(HWND window, IAccessible* standard) : DelegatingAccessible(window, standard) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
        // The standard enumerator lists child windows; without one, readers
        // count the cells through get_accChildCount instead.
        if (object && riid == IID_IEnumVARIANT) {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        return DelegatingAccessible::QueryInterface(riid, object);
    }

    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
        if (!count) {
            return E_POINTER;
        }
        const GridRecord* rec = Record();
        if (!rec) {
            return RPC_E_DISCONNECTED;
        }
        *count = CellChildCount(*rec);
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override {
        if (!object) {
            return E_POINTER;
        }
        *object = nullptr;
        CellRef cell;
        const HRESULT hr = Cell(child, &cell);
        return hr == S_OK ? S_FALSE : hr;
    }

    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        if (IsSelf(child)) {
            return SelfName(name);
        }
        CellRef cell;
        const HRESULT hr = Cell(child, &cell);
        return hr == S_OK ? ReturnUtf8(CellName(*Record(), cell), name) : hr;
    }

    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
        if (IsSelf(child)) {
            return DelegatingAccessible::get_accValue(child, value);
        }
        CellRef cell;
        const HRESULT hr = Cell(child, &cell);
        return hr == S_OK ? ReturnUtf8(CellValue(*Record(), cell), value) : hr;
    }

    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override {
        if (IsSelf(child)) {
            return DelegatingAccessible::get_accDescription(child, description);
        }
        CellRef cell;
        HRESULT hr = Cell(child, &cell);
        if (hr != S_OK) {
            return hr;
        }
        const GridRecord& rec = *Record();
        if (rec.bEditing && IsCursorCell(rec, cell)) {
            return ReturnText(L"editing", description);
        }
        if (description) {
            *description = nullptr;
        }
        return S_FALSE;
    }

    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        if (!role) {
            return E_POINTER;
        }
        if (IsSelf(child)) {
            if (!Record()) {
                return RPC_E_DISCONNECTED;
            }
            SetChild(role, ROLE_SYSTEM_TABLE);
            return S_OK;
        }
        CellRef cell;
        const HRESULT hr = Cell(child, &cell);
        if (hr != S_OK) {
            return hr;
        }
        switch (KindOfCell(cell)) {
        case CellKind::Corner:
        case CellKind::ColumnHeader:
            SetChild(role, ROLE_SYSTEM_COLUMNHEADER);
            break;
        case CellKind::RowHeader:
            SetChild(role, ROLE_SYSTEM_ROWHEADER);
            break;
        case CellKind::Data:
            SetChild(role, ROLE_SYSTEM_CELL);
            break;
        }
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        if (!state) {
            return E_POINTER;
        }
        if (IsSelf(child)) {
            return DelegatingAccessible::get_accState(child, state);
        }
        CellRef cell;
        const HRESULT hr = Cell(child, &cell);
        if (hr != S_OK) {
            return hr;
        }
        SetChild(state, CellState(*Record(), cell));
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override {
        if (!child) {
            return E_POINTER;
        }
        const GridRecord* rec = Record();
        if (!rec) {
            return RPC_E_DISCONNECTED;
        }
        child->vt = VT_EMPTY;
        if (GetFocus() != window()) {
            return S_FALSE;
        }
        const long cursor = CursorChildId(*rec);
        SetChild(child, cursor != 0 ? cursor : CHILDID_SELF);
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override {
        if (!children) {
            return E_POINTER;
        }
        const GridRecord* rec = Record();
        if (!rec) {
            return RPC_E_DISCONNECTED;
        }
        children->vt = VT_EMPTY;
        const long cursor = CursorChildId(*rec);
        if (cursor == 0) {
            return S_FALSE;
        }
        SetChild(children, cursor);
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
        if (IsSelf(child)) {
            return DelegatingAccessible::get_accDefaultAction(child, action);
        }
        CellRef cell;
        const HRESULT hr = Cell(child, &cell);
        if (hr != S_OK) {
            return hr;
        }
        if (action) {
            *action = nullptr;
        }
        return S_FALSE;
    }

    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override {
        if (IsSelf(child)) {
            return DelegatingAccessible::accSelect(flags, child);
        }
        CellRef cell;
        const HRESULT hr = Cell(child, &cell);
        if (hr != S_OK) {
            return hr;
        }
        // One cell at a time: the cursor is the selection.
        if (KindOfCell(cell) != CellKind::Data ||
            (flags & (SELFLAG_ADDSELECTION | SELFLAG_REMOVESELECTION | SELFLAG_EXTENDSELECTION))) {
            return E_INVALIDARG;
        }
        if (flags & SELFLAG_TAKEFOCUS) {
            SetFocus(window());
        }
        if (flags & (SELFLAG_TAKEFOCUS | SELFLAG_TAKESELECTION)) {
            SelectCell(window(), *Record(), cell.nRow, cell.nCol);
        }
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height,
                                          VARIANT child) override {
        if (IsSelf(child)) {
            return DelegatingAccessible::accLocation(left, top, width, height, child);
        }
        if (!left || !top || !width || !height) {
            return E_POINTER;
        }
        CellRef cell;
        const HRESULT hr = Cell(child, &cell);
        if (hr != S_OK) {
            return hr;
        }
        const GridRect r = CellRectAnywhere(*Record(), cell.nRow, cell.nCol);
        POINT origin{r.left, r.top};
        ClientToScreen(window(), &origin);
        *left = origin.x;
        *top = origin.y;
        *width = r.right - r.left;
        *height = r.bottom - r.top;
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override {
        if (!end) {
            return E_POINTER;
        }
        end->vt = VT_EMPTY;
        if (IsSelf(start)) {
            if (direction != NAVDIR_FIRSTCHILD && direction != NAVDIR_LASTCHILD) {
                return DelegatingAccessible::accNavigate(direction, start, end);
            }
            const GridRecord* rec = Record();
            if (!rec) {
                return RPC_E_DISCONNECTED;
            }
            SetChild(end, direction == NAVDIR_FIRSTCHILD ? 1 : CellChildCount(*rec));
            return S_OK;
        }
        CellRef from;
        const HRESULT hr = Cell(start, &from);
        if (hr != S_OK) {
            return hr;
        }
        CellStep step;
        switch (direction) {
        case NAVDIR_LEFT:
            step = CellStep::Left;
            break;
        case NAVDIR_RIGHT:
            step = CellStep::Right;
            break;
        case NAVDIR_UP:
            step = CellStep::Up;
            break;
        case NAVDIR_DOWN:
            step = CellStep::Down;
            break;
        case NAVDIR_NEXT:
            step = CellStep::Next;
            break;
        case NAVDIR_PREVIOUS:
            step = CellStep::Previous;
            break;
        default:
            return E_INVALIDARG; // a cell has no children
        }
        const GridRecord& rec = *Record();
        CellRef to;
        if (!StepFromCell(rec, from, step, &to)) {
            return S_FALSE;
        }
        SetChild(end, CellChildId(rec, to.nRow, to.nCol));
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE accHitTest(long left, long top, VARIANT* child) override {
        if (!child) {
            return E_POINTER;
        }
        GridRecord* rec = Record();
        if (!rec) {
            return RPC_E_DISCONNECTED;
        }
        POINT point{left, top};
        ScreenToClient(window(), &point);
        RECT client;
        GetClientRect(window(), &client);
        if (!PtInRect(&client, point)) {
            return DelegatingAccessible::accHitTest(left, top, child);
        }
        const long cell = CellChildId(*rec, RowAtY(*rec, point.y), ColumnAtX(*rec, point.x));
        SetChild(child, cell != 0 ? cell : CHILDID_SELF);
        return S_OK;
    }

  private:
    GridRecord* Record() const {
        const int slot = IsWindow(window()) ? FindGridSlot(window()) : -1;
        if (slot < 0) {
            return nullptr;
        }
        RefreshClientSize(window(), g_aGrids[slot]);
        return &g_aGrids[slot];
    }

    // S_OK with the cell a child id names.
    HRESULT Cell(const VARIANT& child, CellRef* cell) const {
        const GridRecord* rec = Record();
        if (!rec) {
            return RPC_E_DISCONNECTED;
        }
        if (child.vt != VT_I4 || !CellFromChildId(*rec, child.lVal, cell)) {
            return E_INVALIDARG;
        }
        return S_OK;
    }

    long CellState(const GridRecord& rec, const CellRef& cell) const {
        long state = 0;
        if (!CellOnScreen(rec, cell.nRow, cell.nCol)) {
            state |=
                rec.anColWidth[cell.nCol] == 0 ? STATE_SYSTEM_INVISIBLE : STATE_SYSTEM_OFFSCREEN;
        }
        if (KindOfCell(cell) != CellKind::Data) {
            return state | STATE_SYSTEM_READONLY;
        }
        state |= STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_SELECTABLE;
        const StoredCell* stored = rec.cells.Find(cell.nRow, cell.nCol);
        if (!rec.bEditable || (stored && stored->cProtect == 'P')) {
            state |= STATE_SYSTEM_READONLY;
        }
        if (IsCursorCell(rec, cell)) {
            state |= STATE_SYSTEM_SELECTED;
            if (GetFocus() == window()) {
                state |= STATE_SYSTEM_FOCUSED;
            }
        }
        return state;
    }

    // The grid's title; else what Windows finds (a label before it); else the
    // window it sits in, whose caption names the document.
    HRESULT SelfName(BSTR* name) {
        if (!name) {
            return E_POINTER;
        }
        *name = nullptr;
        wchar_t text[kMaxTitle + 1];
        if (GetWindowTextW(window(), text, kMaxTitle + 1) > 0) {
            return ReturnText(text, name);
        }
        VARIANT self;
        SetChild(&self, CHILDID_SELF);
        if (SUCCEEDED(standard()->get_accName(self, name)) && *name && SysStringLen(*name) > 0) {
            return S_OK;
        }
        SysFreeString(*name);
        *name = nullptr;
        if (GetWindowTextW(GetParent(window()), text, kMaxTitle + 1) > 0) {
            return ReturnText(text, name);
        }
        return S_FALSE;
    }
};

} // namespace

LRESULT OnGetObject(HWND hwnd, WPARAM wParam, LPARAM lParam) {
    IAccessible* standard = nullptr;
    if (static_cast<LONG>(lParam) != OBJID_CLIENT ||
        !DelegatingAccessible::CreateStandard(hwnd, &standard)) {
        return DefWindowProcW(hwnd, WM_GETOBJECT, wParam, lParam);
    }
    GridAccessible* object = new (std::nothrow) GridAccessible(hwnd, standard);
    if (!object) {
        standard->Release();
        return 0;
    }
    return AnswerGetObject(object, wParam);
}
