#include "accessible_probe.h"

#include <oleacc.h>

#include <algorithm>

#include "win_test_support.h"

namespace {

std::string Utf8(BSTR text) {
    if (!text)
        return "";
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<size_t>(size > 0 ? size : 1), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8.data(), size, nullptr, nullptr);
    utf8.resize(utf8.size() - 1);
    SysFreeString(text);
    return utf8;
}

// Every recorder alive on this thread; each takes its window's events.
std::vector<WinEventRecorder*> g_recorders;

} // namespace

ClientWords ReadClientWords(HWND window) {
    ClientWords words;
    IAccessible* object = nullptr;
    if (FAILED(AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT),
                                          __uuidof(IAccessible),
                                          reinterpret_cast<void**>(&object))) ||
        !object)
        return words;
    words.found = true;
    VARIANT self;
    VariantInit(&self);
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR text = nullptr;
    if (object->get_accName(self, &text) == S_OK)
        words.name = Utf8(text);
    text = nullptr;
    if (object->get_accValue(self, &text) == S_OK)
        words.value = Utf8(text);
    VARIANT role;
    VariantInit(&role);
    if (object->get_accRole(self, &role) == S_OK && role.vt == VT_I4)
        words.role = role.lVal;
    object->Release();
    return words;
}

WinEventRecorder::WinEventRecorder(HWND window) : window_(window) {
    g_recorders.push_back(this);
    hook_ = SetWinEventHook(EVENT_MIN, EVENT_MAX, nullptr, Hook, GetCurrentProcessId(),
                            GetCurrentThreadId(), WINEVENT_OUTOFCONTEXT);
}

WinEventRecorder::~WinEventRecorder() {
    if (hook_)
        UnhookWinEvent(hook_);
    g_recorders.erase(std::find(g_recorders.begin(), g_recorders.end(), this));
}

int WinEventRecorder::Count(DWORD event) {
    PumpPending();
    return static_cast<int>(std::count(events_.begin(), events_.end(), event));
}

void CALLBACK WinEventRecorder::Hook(HWINEVENTHOOK hook, DWORD event, HWND window, LONG object,
                                     LONG child, DWORD, DWORD) {
    if (object != OBJID_CLIENT || child != CHILDID_SELF)
        return;
    for (WinEventRecorder* recorder : g_recorders) {
        if (recorder->hook_ == hook && recorder->window_ == window)
            recorder->events_.push_back(event);
    }
}
