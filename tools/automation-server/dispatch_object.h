// IDispatch by name table: each automation object lists its members and
// answers calls to them. No type library; late binding only.
#pragma once

#include <windows.h>
#include <ole2.h>

struct DispatchMember {
    const wchar_t* pszName;
    DISPID id;
};

class DispatchObject : public IDispatch {
  public:
    DispatchObject(const DispatchMember* pMembers, size_t nMembers);
    virtual ~DispatchObject();

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* pCount) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** ppInfo) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* pNames, UINT nNames, LCID,
                                            DISPID* pIds) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD wFlags, DISPPARAMS* pParams,
                                     VARIANT* pResult, EXCEPINFO* pExcepInfo,
                                     UINT* pArgErr) override;

    // Objects alive in this process; the server ends when it drops to 0.
    static LONG LiveCount();

  protected:
    // wFlags as given: methods also answer property gets, as the
    // spreadsheet application's do.
    virtual HRESULT Call(DISPID id, WORD wFlags, DISPPARAMS* pParams, VARIANT* pResult,
                         EXCEPINFO* pExcepInfo) = 0;

    static UINT PositionalCount(const DISPPARAMS* pParams);
    // Positional argument i (from 0, in call order) converted to a type.
    static HRESULT Argument(const DISPPARAMS* pParams, UINT i, VARTYPE vt, VARIANT* pOut);
    // The value of a property put.
    static HRESULT PutValue(const DISPPARAMS* pParams, VARTYPE vt, VARIANT* pOut);
    static void ReturnObject(VARIANT* pResult, IDispatch* pObject);
    // A failure the caller sees as an exception raised by the application.
    static HRESULT Raise(EXCEPINFO* pExcepInfo, const wchar_t* pszText);

  private:
    LONG nRefs_ = 1;
    const DispatchMember* pMembers_;
    size_t nMembers_;
};

// Called when the last object of the process goes away.
void OnLastObjectReleased();
