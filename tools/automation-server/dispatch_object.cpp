#include "dispatch_object.h"

static LONG g_nLiveObjects = 0;

DispatchObject::DispatchObject(const DispatchMember* pMembers, size_t nMembers)
    : pMembers_(pMembers), nMembers_(nMembers) {
    InterlockedIncrement(&g_nLiveObjects);
}

DispatchObject::~DispatchObject() {
    if (InterlockedDecrement(&g_nLiveObjects) == 0)
        OnLastObjectReleased();
}

LONG DispatchObject::LiveCount() {
    return g_nLiveObjects;
}

HRESULT STDMETHODCALLTYPE DispatchObject::QueryInterface(REFIID riid, void** ppv) {
    if (!ppv)
        return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch)) {
        *ppv = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE DispatchObject::AddRef() {
    return ULONG(InterlockedIncrement(&nRefs_));
}

ULONG STDMETHODCALLTYPE DispatchObject::Release() {
    LONG n = InterlockedDecrement(&nRefs_);
    if (n == 0)
        delete this;
    return ULONG(n);
}

HRESULT STDMETHODCALLTYPE DispatchObject::GetTypeInfoCount(UINT* pCount) {
    if (!pCount)
        return E_POINTER;
    *pCount = 0;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE DispatchObject::GetTypeInfo(UINT, LCID, ITypeInfo** ppInfo) {
    if (ppInfo)
        *ppInfo = nullptr;
    return E_NOTIMPL;
}

// Member names are matched without regard to case, like the spreadsheet
// application's own.
HRESULT STDMETHODCALLTYPE DispatchObject::GetIDsOfNames(REFIID, LPOLESTR* pNames, UINT nNames, LCID,
                                                        DISPID* pIds) {
    if (!pNames || !pIds || nNames == 0)
        return E_INVALIDARG;
    HRESULT hr = S_OK;
    for (UINT i = 0; i < nNames; ++i)
        pIds[i] = DISPID_UNKNOWN;
    for (size_t k = 0; k < nMembers_; ++k)
        if (pNames[0] && lstrcmpiW(pNames[0], pMembers_[k].pszName) == 0)
            pIds[0] = pMembers_[k].id;
    if (pIds[0] == DISPID_UNKNOWN || nNames > 1)
        hr = DISP_E_UNKNOWNNAME; // no named arguments
    return hr;
}

HRESULT STDMETHODCALLTYPE DispatchObject::Invoke(DISPID id, REFIID, LCID, WORD wFlags,
                                                 DISPPARAMS* pParams, VARIANT* pResult,
                                                 EXCEPINFO* pExcepInfo, UINT* pArgErr) {
    if (pExcepInfo)
        ZeroMemory(pExcepInfo, sizeof *pExcepInfo);
    if (pArgErr)
        *pArgErr = 0;
    DISPPARAMS none = {nullptr, nullptr, 0, 0};
    if (!pParams)
        pParams = &none;
    VARIANT scratch;
    VariantInit(&scratch);
    if (!pResult)
        pResult = &scratch;
    else
        VariantInit(pResult);
    HRESULT hr;
    try {
        hr = Call(id, wFlags, pParams, pResult, pExcepInfo);
    } catch (...) {
        hr = E_OUTOFMEMORY; // nothing may unwind into the COM runtime
    }
    VariantClear(&scratch);
    return hr;
}

UINT DispatchObject::PositionalCount(const DISPPARAMS* pParams) {
    return pParams->cArgs - pParams->cNamedArgs;
}

// Named arguments come first in the array, positional ones after them in
// reverse call order.
HRESULT DispatchObject::Argument(const DISPPARAMS* pParams, UINT i, VARTYPE vt, VARIANT* pOut) {
    VariantInit(pOut);
    if (i >= PositionalCount(pParams))
        return DISP_E_BADPARAMCOUNT;
    VARIANT value;
    VariantInit(&value);
    HRESULT hr = VariantCopyInd(&value, &pParams->rgvarg[pParams->cArgs - 1 - i]);
    if (SUCCEEDED(hr))
        hr = VariantChangeType(pOut, &value, 0, vt);
    VariantClear(&value);
    return FAILED(hr) ? DISP_E_TYPEMISMATCH : S_OK;
}

HRESULT DispatchObject::PutValue(const DISPPARAMS* pParams, VARTYPE vt, VARIANT* pOut) {
    VariantInit(pOut);
    if (pParams->cNamedArgs != 1 || pParams->cArgs != 1 ||
        pParams->rgdispidNamedArgs[0] != DISPID_PROPERTYPUT)
        return DISP_E_PARAMNOTOPTIONAL;
    VARIANT value;
    VariantInit(&value);
    HRESULT hr = VariantCopyInd(&value, &pParams->rgvarg[0]);
    if (SUCCEEDED(hr))
        hr = VariantChangeType(pOut, &value, 0, vt);
    VariantClear(&value);
    return FAILED(hr) ? DISP_E_TYPEMISMATCH : S_OK;
}

// The caller of Invoke owns the returned reference.
void DispatchObject::ReturnObject(VARIANT* pResult, IDispatch* pObject) {
    V_VT(pResult) = VT_DISPATCH;
    V_DISPATCH(pResult) = pObject;
}

HRESULT DispatchObject::Raise(EXCEPINFO* pExcepInfo, const wchar_t* pszText) {
    if (pExcepInfo) {
        pExcepInfo->bstrSource = SysAllocString(L"Stand-in spreadsheet");
        pExcepInfo->bstrDescription = SysAllocString(pszText);
        pExcepInfo->scode = E_FAIL;
    }
    return DISP_E_EXCEPTION;
}
