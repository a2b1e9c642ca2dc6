#include "delegating_accessible.h"

bool DelegatingAccessible::CreateStandard(HWND window, IAccessible** standard) {
    *standard = nullptr;
    return SUCCEEDED(CreateStdAccessibleObject(window, OBJID_CLIENT, __uuidof(IAccessible),
                                               reinterpret_cast<void**>(standard))) &&
           *standard;
}

DelegatingAccessible::DelegatingAccessible(HWND window, IAccessible* standard)
    : window_(window), standard_(standard) {}

DelegatingAccessible::~DelegatingAccessible() {
    standard_->Release();
}

HRESULT DelegatingAccessible::QueryInterface(REFIID riid, void** object) {
    if (!object)
        return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IDispatch || riid == __uuidof(IAccessible)) {
        *object = static_cast<IAccessible*>(this);
        AddRef();
        return S_OK;
    }
    // IEnumVARIANT, IOleWindow and the like come from the standard object.
    return standard_->QueryInterface(riid, object);
}

ULONG DelegatingAccessible::AddRef() {
    return InterlockedIncrement(&references_);
}

ULONG DelegatingAccessible::Release() {
    const LONG left = InterlockedDecrement(&references_);
    if (left == 0)
        delete this;
    return left;
}

HRESULT DelegatingAccessible::GetTypeInfoCount(UINT* count) {
    if (!count)
        return E_POINTER;
    *count = 0;
    return S_OK;
}
HRESULT DelegatingAccessible::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
    if (info)
        *info = nullptr;
    return E_NOTIMPL;
}
HRESULT DelegatingAccessible::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) {
    return E_NOTIMPL;
}
HRESULT DelegatingAccessible::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) {
    return E_NOTIMPL;
}

HRESULT DelegatingAccessible::get_accParent(IDispatch** parent) {
    return standard_->get_accParent(parent);
}
HRESULT DelegatingAccessible::get_accChildCount(long* count) {
    return standard_->get_accChildCount(count);
}
HRESULT DelegatingAccessible::get_accChild(VARIANT child, IDispatch** object) {
    return standard_->get_accChild(child, object);
}
HRESULT DelegatingAccessible::get_accName(VARIANT child, BSTR* name) {
    return standard_->get_accName(child, name);
}
HRESULT DelegatingAccessible::get_accValue(VARIANT child, BSTR* value) {
    return standard_->get_accValue(child, value);
}
HRESULT DelegatingAccessible::get_accDescription(VARIANT child, BSTR* description) {
    return standard_->get_accDescription(child, description);
}
HRESULT DelegatingAccessible::get_accRole(VARIANT child, VARIANT* role) {
    return standard_->get_accRole(child, role);
}
HRESULT DelegatingAccessible::get_accState(VARIANT child, VARIANT* state) {
    return standard_->get_accState(child, state);
}
HRESULT DelegatingAccessible::get_accHelp(VARIANT child, BSTR* help) {
    return standard_->get_accHelp(child, help);
}
HRESULT DelegatingAccessible::get_accHelpTopic(BSTR* file, VARIANT child, long* topic) {
    return standard_->get_accHelpTopic(file, child, topic);
}
HRESULT DelegatingAccessible::get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) {
    return standard_->get_accKeyboardShortcut(child, shortcut);
}
HRESULT DelegatingAccessible::get_accFocus(VARIANT* child) {
    return standard_->get_accFocus(child);
}
HRESULT DelegatingAccessible::get_accSelection(VARIANT* children) {
    return standard_->get_accSelection(children);
}
HRESULT DelegatingAccessible::get_accDefaultAction(VARIANT child, BSTR* action) {
    return standard_->get_accDefaultAction(child, action);
}
HRESULT DelegatingAccessible::accSelect(long flags, VARIANT child) {
    return standard_->accSelect(flags, child);
}
HRESULT DelegatingAccessible::accLocation(long* left, long* top, long* width, long* height,
                                          VARIANT child) {
    return standard_->accLocation(left, top, width, height, child);
}
HRESULT DelegatingAccessible::accNavigate(long direction, VARIANT start, VARIANT* end) {
    return standard_->accNavigate(direction, start, end);
}
HRESULT DelegatingAccessible::accHitTest(long left, long top, VARIANT* child) {
    return standard_->accHitTest(left, top, child);
}
HRESULT DelegatingAccessible::accDoDefaultAction(VARIANT child) {
    return standard_->accDoDefaultAction(child);
}
HRESULT DelegatingAccessible::put_accName(VARIANT child, BSTR name) {
    return standard_->put_accName(child, name);
}
HRESULT DelegatingAccessible::put_accValue(VARIANT child, BSTR value) {
    return standard_->put_accValue(child, value);
}

bool IsSelf(const VARIANT& child) {
    return child.vt == VT_I4 && child.lVal == CHILDID_SELF;
}

HRESULT ReturnText(const wchar_t* text, BSTR* out) {
    if (!out)
        return E_POINTER;
    *out = SysAllocString(text);
    return *out ? S_OK : E_OUTOFMEMORY;
}

LRESULT AnswerGetObject(IAccessible* object, WPARAM wParam) {
    const LRESULT answer = LresultFromObject(__uuidof(IAccessible), wParam, object);
    object->Release();
    return answer;
}
