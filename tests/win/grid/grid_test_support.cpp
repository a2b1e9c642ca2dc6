#include "grid_test_support.h"

#include <sstream>

static std::vector<Notification> g_recorded;

bool PumpUntil(const std::function<bool()>& condition) {
    DWORD deadline = GetTickCount() + 2000;
    while (!condition()) {
        if (GetTickCount() > deadline) {
            return false;
        }
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return true;
}

void PumpPending() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

std::string Describe(const std::vector<Notification>& list) {
    std::ostringstream out;
    for (const auto& n : list) {
        out << "{" << n.id << ", " << n.code << ", row " << LOWORD(n.lParam) << " col "
            << HIWORD(n.lParam) << "} ";
    }
    return out.str();
}

static LRESULT CALLBACK HostProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_COMMAND && HIWORD(wParam) != 0) {
        g_recorded.push_back({LOWORD(wParam), HIWORD(wParam), lParam});
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

GridHost::GridHost() {
    static bool s_bRegistered;
    HINSTANCE instance = GetModuleHandleA(nullptr);
    if (!s_bRegistered) {
        WNDCLASSA wc{};
        wc.lpfnWndProc = HostProc;
        wc.hInstance = instance;
        wc.lpszClassName = "GridTestHost";
        wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
        RegisterClassA(&wc);
        s_bRegistered = true;
    }
    RegisterGridClass(instance);
    // One parent for the whole run: without a window manager, Wine waits two
    // seconds for every top-level window that goes away.
    static HWND s_hParent;
    if (s_hParent == nullptr) {
        s_hParent =
            CreateWindowExA(0, "GridTestHost", "grid test", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10,
                            10, 600, 400, nullptr, nullptr, instance, nullptr);
    }
    m_hParent = s_hParent;
    g_recorded.clear();
}

static BOOL CALLBACK DestroyChild(HWND child, LPARAM) {
    if (GetParent(child) != nullptr) {
        DestroyWindow(child);
    }
    return TRUE;
}

GridHost::~GridHost() {
    EnumChildWindows(m_hParent, DestroyChild, 0);
    PumpPending();
    g_recorded.clear();
}

HWND GridHost::AddGrid(int id, const char* title) {
    HWND grid = CreateWindowExA(
        WS_EX_CLIENTEDGE, BABYGRID_CLASS, title, WS_CHILD | WS_VISIBLE, 0, 0, 560, 340, m_hParent,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
    PumpPending();
    return grid;
}

std::vector<Notification> GridHost::Take() {
    PumpPending();
    std::vector<Notification> out;
    out.swap(g_recorded);
    return out;
}

std::vector<Notification> GridHost::TakeCodes(std::initializer_list<int> codes) {
    std::vector<Notification> out;
    for (const auto& n : Take()) {
        for (int code : codes) {
            if (n.code == code) {
                out.push_back(n);
            }
        }
    }
    return out;
}

LPARAM Cursor(int row, int col) {
    return MAKELPARAM(row, col);
}

void SetText(HWND grid, int row, int col, const char* text) {
    CellRef cell{row, col};
    SendMessageA(grid, GRM_SETCELLTEXT, reinterpret_cast<WPARAM>(&cell),
                 reinterpret_cast<LPARAM>(text));
}

std::string GetText(HWND grid, int row, int col) {
    char buffer[1024] = "unchanged";
    CellRef cell{row, col};
    SendMessageA(grid, GRM_GETCELLTEXT, reinterpret_cast<WPARAM>(&cell),
                 reinterpret_cast<LPARAM>(buffer));
    return buffer;
}

void Key(HWND grid, WPARAM vk) {
    SendMessageA(grid, WM_KEYDOWN, vk, 1);
    if (vk == VK_RETURN || vk == VK_BACK || vk == VK_ESCAPE) {
        SendMessageW(grid, WM_CHAR, vk == VK_RETURN ? '\r' : vk == VK_BACK ? '\b' : 27, 1);
    }
    SendMessageA(grid, WM_KEYUP, vk, 0xC0000001);
}

void Type(HWND grid, const wchar_t* text) {
    for (const wchar_t* p = text; *p; ++p) {
        SHORT scan = VkKeyScanW(*p);
        WPARAM vk = scan == -1 ? 0 : LOBYTE(scan);
        SendMessageW(grid, WM_KEYDOWN, vk, 1);
        SendMessageW(grid, WM_CHAR, *p, 1);
        SendMessageW(grid, WM_KEYUP, vk, 0xC0000001);
    }
}

static HWND g_hListened;
static std::vector<HeardEvent> g_heard;

static void CALLBACK OnWinEvent(HWINEVENTHOOK, DWORD event, HWND hwnd, LONG object, LONG child,
                                DWORD, DWORD) {
    if (hwnd == g_hListened && object == OBJID_CLIENT) {
        g_heard.push_back({event, child});
    }
}

EventListener::EventListener(HWND window) {
    g_hListened = window;
    g_heard.clear();
    m_hHook = SetWinEventHook(EVENT_MIN, EVENT_MAX, nullptr, OnWinEvent, GetCurrentProcessId(),
                              GetCurrentThreadId(), WINEVENT_OUTOFCONTEXT);
}

EventListener::~EventListener() {
    UnhookWinEvent(m_hHook);
    g_hListened = nullptr;
}

std::vector<HeardEvent> EventListener::Take() {
    PumpPending();
    std::vector<HeardEvent> out;
    out.swap(g_heard);
    return out;
}

std::vector<HeardEvent> EventListener::TakeOnly(DWORD event) {
    std::vector<HeardEvent> out;
    for (const auto& heard : Take()) {
        if (heard.event == event) {
            out.push_back(heard);
        }
    }
    return out;
}

std::string Describe(const std::vector<HeardEvent>& list) {
    std::ostringstream out;
    for (const auto& heard : list) {
        out << "{0x" << std::hex << heard.event << std::dec << ", " << heard.child << "} ";
    }
    return out.str();
}

VARIANT ChildVariant(long child) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = child;
    return v;
}

ClientObject::ClientObject(HWND window) {
    CoInitialize(nullptr);
    AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                               reinterpret_cast<void**>(&m_pObject));
}

ClientObject::~ClientObject() {
    if (m_pObject) {
        m_pObject->Release();
    }
    CoUninitialize();
}

using TextGetter = HRESULT (STDMETHODCALLTYPE IAccessible::*)(VARIANT, BSTR*);

static std::wstring GetText(IAccessible* object, TextGetter getter, long child) {
    BSTR text = nullptr;
    const HRESULT hr = (object->*getter)(ChildVariant(child), &text);
    std::wstring out = SUCCEEDED(hr) && text ? std::wstring(text, SysStringLen(text)) : L"";
    SysFreeString(text);
    return out;
}

std::wstring ClientObject::Name(long child) const {
    return GetText(m_pObject, &IAccessible::get_accName, child);
}

std::wstring ClientObject::Value(long child) const {
    return GetText(m_pObject, &IAccessible::get_accValue, child);
}

std::wstring ClientObject::Description(long child) const {
    return GetText(m_pObject, &IAccessible::get_accDescription, child);
}

long ClientObject::Role(long child) const {
    VARIANT role;
    VariantInit(&role);
    return SUCCEEDED(m_pObject->get_accRole(ChildVariant(child), &role)) && role.vt == VT_I4
               ? role.lVal
               : -1;
}

long ClientObject::State(long child) const {
    VARIANT state;
    VariantInit(&state);
    return SUCCEEDED(m_pObject->get_accState(ChildVariant(child), &state)) && state.vt == VT_I4
               ? state.lVal
               : -1;
}

long ClientObject::Navigate(long child, long direction) const {
    VARIANT end;
    VariantInit(&end);
    return m_pObject->accNavigate(direction, ChildVariant(child), &end) == S_OK && end.vt == VT_I4
               ? end.lVal
               : 0;
}

long ClientObject::Focus() const {
    VARIANT focus;
    VariantInit(&focus);
    return m_pObject->get_accFocus(&focus) == S_OK && focus.vt == VT_I4 ? focus.lVal : -1;
}
