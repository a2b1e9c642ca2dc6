#include "accessible_probe.h"

#include <algorithm>
#include <sstream>

#include "win_test_support.h"

namespace {

std::string Utf8(const std::wstring& text) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<size_t>(std::max(size, 0)), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), utf8.data(), size,
                        nullptr, nullptr);
    return utf8;
}

using TextGetter = HRESULT (STDMETHODCALLTYPE IAccessible::*)(VARIANT, BSTR*);

std::wstring ReadText(IAccessible* object, TextGetter getter, long child) {
    BSTR text = nullptr;
    const HRESULT hr = (object->*getter)(ChildVariant(child), &text);
    std::wstring out = SUCCEEDED(hr) && text ? std::wstring(text, SysStringLen(text)) : L"";
    SysFreeString(text);
    return out;
}

// Every recorder alive on this thread; each takes its window's events.
std::vector<WinEventRecorder*> g_recorders;

} // namespace

VARIANT ChildVariant(long child) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = child;
    return v;
}

// A thread already in the multithreaded apartment refuses CoInitialize; it
// must then not be uninitialised either.
ClientObject::ClientObject(HWND window) : comStarted_(SUCCEEDED(CoInitialize(nullptr))) {
    AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                               reinterpret_cast<void**>(&object_));
}

ClientObject::~ClientObject() {
    if (object_)
        object_->Release();
    if (comStarted_)
        CoUninitialize();
}

std::wstring ClientObject::Name(long child) const {
    return ReadText(object_, &IAccessible::get_accName, child);
}

std::wstring ClientObject::Value(long child) const {
    return ReadText(object_, &IAccessible::get_accValue, child);
}

std::wstring ClientObject::Description(long child) const {
    return ReadText(object_, &IAccessible::get_accDescription, child);
}

long ClientObject::Role(long child) const {
    VARIANT role;
    VariantInit(&role);
    return SUCCEEDED(object_->get_accRole(ChildVariant(child), &role)) && role.vt == VT_I4
               ? role.lVal
               : -1;
}

long ClientObject::State(long child) const {
    VARIANT state;
    VariantInit(&state);
    return SUCCEEDED(object_->get_accState(ChildVariant(child), &state)) && state.vt == VT_I4
               ? state.lVal
               : -1;
}

long ClientObject::Navigate(long child, long direction) const {
    VARIANT end;
    VariantInit(&end);
    return object_->accNavigate(direction, ChildVariant(child), &end) == S_OK && end.vt == VT_I4
               ? end.lVal
               : 0;
}

long ClientObject::Focus() const {
    VARIANT focus;
    VariantInit(&focus);
    return object_->get_accFocus(&focus) == S_OK && focus.vt == VT_I4 ? focus.lVal : -1;
}

ClientWords ReadClientWords(HWND window) {
    ClientWords words;
    const ClientObject object(window);
    if (!object)
        return words;
    words.found = true;
    words.name = Utf8(object.Name(CHILDID_SELF));
    words.value = Utf8(object.Value(CHILDID_SELF));
    words.role = std::max(object.Role(CHILDID_SELF), 0L);
    return words;
}

std::string Describe(const std::vector<HeardEvent>& list) {
    std::ostringstream out;
    for (const auto& heard : list)
        out << "{0x" << std::hex << heard.event << std::dec << ", " << heard.child << "} ";
    return out.str();
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

std::vector<HeardEvent> WinEventRecorder::Take() {
    PumpPending();
    std::vector<HeardEvent> out;
    out.swap(heard_);
    return out;
}

std::vector<HeardEvent> WinEventRecorder::TakeOnly(DWORD event) {
    std::vector<HeardEvent> out;
    for (const HeardEvent& heard : Take())
        if (heard.event == event)
            out.push_back(heard);
    return out;
}

int WinEventRecorder::Count(DWORD event) {
    PumpPending();
    return static_cast<int>(
        std::count(heard_.begin(), heard_.end(), HeardEvent{event, CHILDID_SELF}));
}

void CALLBACK WinEventRecorder::Hook(HWINEVENTHOOK hook, DWORD event, HWND window, LONG object,
                                     LONG child, DWORD, DWORD) {
    if (object != OBJID_CLIENT)
        return;
    for (WinEventRecorder* recorder : g_recorders)
        if (recorder->hook_ == hook && recorder->window_ == window)
            recorder->heard_.push_back({event, child});
}
