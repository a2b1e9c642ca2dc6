#include "named_control.h"

#include <commctrl.h>

#include <cwchar>
#include <new>

#include "delegating_accessible.h"

namespace {

constexpr UINT_PTR kSubclassId = 1;
constexpr wchar_t kNameProperty[] = L"AccessibleName";

class NamedAccessible : public DelegatingAccessible {
  public:
    NamedAccessible(HWND window, IAccessible* standard) : DelegatingAccessible(window, standard) {}

    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        // Read afresh: a screen reader may keep the object longer than the
        // control keeps its name.
        const auto* text = static_cast<const wchar_t*>(GetPropW(window(), kNameProperty));
        return IsSelf(child) && text ? ReturnText(text, name)
                                     : DelegatingAccessible::get_accName(child, name);
    }
};

LRESULT CALLBACK NamedProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                           DWORD_PTR) {
    if (message == WM_GETOBJECT && static_cast<LONG>(lParam) == OBJID_CLIENT) {
        IAccessible* standard = nullptr;
        if (DelegatingAccessible::CreateStandard(window, &standard)) {
            auto* object = new (std::nothrow) NamedAccessible(window, standard);
            if (object)
                return AnswerGetObject(object, wParam);
            standard->Release();
        }
    } else if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(window, NamedProc, kSubclassId);
        delete[] static_cast<wchar_t*>(RemovePropW(window, kNameProperty));
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

} // namespace

bool SetAccessibleName(HWND control, const wchar_t* name) {
    if (!control)
        return false;
    const size_t length = wcslen(name);
    auto* copy = new (std::nothrow) wchar_t[length + 1];
    if (!copy)
        return false;
    wmemcpy(copy, name, length + 1);
    auto* previous = static_cast<wchar_t*>(GetPropW(control, kNameProperty));
    if (!SetPropW(control, kNameProperty, copy) ||
        !SetWindowSubclass(control, NamedProc, kSubclassId, 0)) {
        // Naming again replaces the name; a failed first naming leaves none.
        if (previous)
            SetPropW(control, kNameProperty, previous);
        else
            RemovePropW(control, kNameProperty);
        delete[] copy;
        return false;
    }
    delete[] previous;
    return true;
}
