// Stand-in for the spreadsheet application's automation server, for tests
// of workbook reading under Wine. Never installed for users.
//   automation-server /regserver | /unregserver | /Embedding
#include <windows.h>
#include <ole2.h>
#include <shellapi.h>

#include "dispatch_object.h"
#include "server_clsid.h"
#include "server_registration.h"
#include "spreadsheet_objects.h"

namespace {

DWORD g_mainThread = 0;
bool g_bServed = false;

// A server nobody connects to, or whose client vanished after Quit, must
// not linger in the test prefix.
const UINT kIdleLimitMs = 30000;
const UINT kAfterQuitMs = 5000;

class ClassFactory : public IClassFactory {
  public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
        if (!ppv)
            return E_POINTER;
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IClassFactory)) {
            *ppv = static_cast<IClassFactory*>(this);
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    // Lives for the whole process.
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* pOuter, REFIID riid, void** ppv) override {
        if (!ppv)
            return E_POINTER;
        *ppv = nullptr;
        if (pOuter)
            return CLASS_E_NOAGGREGATION;
        IDispatch* app = CreateSpreadsheetApplication();
        if (!app)
            return E_OUTOFMEMORY;
        g_bServed = true;
        HRESULT hr = app->QueryInterface(riid, ppv);
        app->Release();
        return hr;
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }
};

bool HasSwitch(const wchar_t* pszCommandLine, const wchar_t* pszName) {
    int count = 0;
    LPWSTR* args = CommandLineToArgvW(pszCommandLine, &count);
    bool found = false;
    for (int i = 1; args && i < count; ++i)
        if ((args[i][0] == L'/' || args[i][0] == L'-') && lstrcmpiW(args[i] + 1, pszName) == 0)
            found = true;
    LocalFree(args);
    return found;
}

int Serve() {
    if (FAILED(CoInitialize(nullptr)))
        return 1;
    static ClassFactory factory;
    DWORD cookie = 0;
    HRESULT hr = CoRegisterClassObject(CLSID_StandInSpreadsheet, &factory, CLSCTX_LOCAL_SERVER,
                                       REGCLS_MULTIPLEUSE, &cookie);
    if (SUCCEEDED(hr)) {
        g_mainThread = GetCurrentThreadId();
        UINT_PTR timer = SetTimer(nullptr, 0, 1000, nullptr);
        DWORD started = GetTickCount(), quitAt = 0;
        MSG msg;
        while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
            if (msg.message == WM_TIMER && msg.hwnd == nullptr) {
                DWORD now = GetTickCount();
                if (SpreadsheetQuitRequested() && !quitAt)
                    quitAt = now;
                if ((!g_bServed && now - started > kIdleLimitMs) ||
                    (quitAt && now - quitAt > kAfterQuitMs))
                    break;
                continue;
            }
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        KillTimer(nullptr, timer);
        CoRevokeClassObject(cookie);
    }
    CoUninitialize();
    return SUCCEEDED(hr) ? 0 : 1;
}

} // namespace

void OnLastObjectReleased() {
    if (g_mainThread)
        PostThreadMessageW(g_mainThread, WM_QUIT, 0, 0);
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    const wchar_t* commandLine = GetCommandLineW();
    if (HasSwitch(commandLine, L"regserver")) {
        wchar_t path[MAX_PATH];
        DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
        if (length == 0 || length >= MAX_PATH)
            return 1;
        return RegisterStandInServer(path) ? 0 : 1;
    }
    if (HasSwitch(commandLine, L"unregserver"))
        return UnregisterStandInServer() ? 0 : 1;
    if (HasSwitch(commandLine, L"Embedding"))
        return Serve();
    return 2;
}
