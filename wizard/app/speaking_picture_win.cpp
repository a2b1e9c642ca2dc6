#include "speaking_picture_win.h"

#include <commctrl.h>

#include "delegating_accessible.h"

namespace {

constexpr UINT_PTR kSubclassId = 0x5350; // one subclass per picture
constexpr LONG kUiaRootObjectId = -25;

// The live setting of automation, which its MSAA bridge reads from a
// window's annotations; 1 is polite.
constexpr MSAAPROPID kLiveSettingProperty = {
    0xc12bcd8e, 0x2a8e, 0x4950, {0x8a, 0xe7, 0x36, 0x25, 0x11, 0x1d, 0x58, 0xeb}};
constexpr LONG kPolite = 1;
// EVENT_OBJECT_LIVEREGIONCHANGED, which Windows before 8 ignores.
constexpr DWORD kLiveRegionChanged = 0x8019;

struct PictureWords {
    std::wstring name, value;
    int kind = kKeepsItsRole;
};

// Also kept in a property: the words are found from the window alone.
constexpr char kWordsProperty[] = "DotwellPictureWords";

PictureWords* WordsOf(HWND picture) {
    return static_cast<PictureWords*>(GetPropA(picture, kWordsProperty));
}

std::wstring Wide(const std::string& utf8) {
    const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), nullptr, 0);
    std::wstring wide(size_t(length > 0 ? length : 0), L'\0');
    if (length > 0)
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), wide.data(), length);
    return wide;
}

// Reads the words when asked, not when made: a screen reader may keep the
// object while the picture changes, or after it is gone.
class PictureAccessible : public DelegatingAccessible {
  public:
    PictureAccessible(HWND window, IAccessible* standard)
        : DelegatingAccessible(window, standard) {}

    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        const PictureWords* words = IsSelf(child) ? WordsOf(window()) : nullptr;
        if (words && !words->name.empty())
            return ReturnText(words->name.c_str(), name);
        return DelegatingAccessible::get_accName(child, name);
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
        const PictureWords* words = IsSelf(child) ? WordsOf(window()) : nullptr;
        if (words && !words->value.empty())
            return ReturnText(words->value.c_str(), value);
        return DelegatingAccessible::get_accValue(child, value);
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        const PictureWords* words = IsSelf(child) ? WordsOf(window()) : nullptr;
        if (!words || !(words->kind & kGraphic))
            return DelegatingAccessible::get_accRole(child, role);
        if (!role)
            return E_POINTER;
        role->vt = VT_I4;
        role->lVal = ROLE_SYSTEM_GRAPHIC;
        return S_OK;
    }
};

LRESULT CALLBACK PictureProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                             DWORD_PTR data) {
    switch (message) {
    case WM_GETOBJECT:
        if (static_cast<DWORD>(lParam) == static_cast<DWORD>(OBJID_CLIENT)) {
            IAccessible* standard = nullptr;
            if (!DelegatingAccessible::CreateStandard(window, &standard))
                break;
            return AnswerGetObject(new PictureAccessible(window, standard), wParam);
        }
        // A rich edit's own automation provider knows nothing of the label;
        // without it, automation clients ask the object above.
        if (static_cast<LONG>(lParam) == kUiaRootObjectId)
            return 0;
        break;
    case WM_NCDESTROY:
        RemoveWindowSubclass(window, PictureProc, kSubclassId);
        RemovePropA(window, kWordsProperty);
        delete reinterpret_cast<PictureWords*>(data);
        break;
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

} // namespace

void MakeSpeakingPicture(HWND picture, int kind) {
    if (!picture || WordsOf(picture))
        return;
    auto* words = new PictureWords;
    words->kind = kind;
    if (!SetPropA(picture, kWordsProperty, words)) {
        delete words;
        return;
    }
    if (!SetWindowSubclass(picture, PictureProc, kSubclassId, reinterpret_cast<DWORD_PTR>(words))) {
        RemovePropA(picture, kWordsProperty);
        delete words;
        return;
    }
    if (kind & kLiveName)
        MakeLiveRegion(picture);
}

void SetPictureWords(HWND picture, const std::string& name, const std::string& value) {
    PictureWords* words = WordsOf(picture);
    if (!words)
        return;
    std::wstring newName = Wide(name), newValue = Wide(value);
    const bool nameChanged = newName != words->name, valueChanged = newValue != words->value;
    words->name = std::move(newName);
    words->value = std::move(newValue);
    if (nameChanged)
        NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, picture, OBJID_CLIENT, CHILDID_SELF);
    if (nameChanged && (words->kind & kLiveName))
        AnnounceLiveRegion(picture);
    if (valueChanged)
        NotifyWinEvent(EVENT_OBJECT_VALUECHANGE, picture, OBJID_CLIENT, CHILDID_SELF);
}

// Screen readers leave name changes of controls without the focus unsaid;
// a live region's change is read out at the next pause (Narrator, and NVDA
// and JAWS through automation).
void MakeLiveRegion(HWND control) {
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    IAccPropServices* services = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER,
                                   IID_IAccPropServices, reinterpret_cast<void**>(&services)))) {
        VARIANT polite;
        VariantInit(&polite);
        polite.vt = VT_I4;
        polite.lVal = kPolite;
        services->SetHwndProp(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                              kLiveSettingProperty, polite);
        services->Release();
    }
    if (SUCCEEDED(com))
        CoUninitialize();
}

void AnnounceLiveRegion(HWND control) {
    NotifyWinEvent(kLiveRegionChanged, control, OBJID_CLIENT, CHILDID_SELF);
}
