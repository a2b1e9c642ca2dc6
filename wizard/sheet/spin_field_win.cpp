#include "spin_field_win.h"

#include <commctrl.h>

#include <new>

#include "spin_value.h"

namespace {

constexpr char kOldProcProperty[] = "OldSubClassHwndProc";
constexpr char kSpinProperty[] = "Spin";

struct SpinData {
    double min;
    double max;
    double step;
    int count;
    int decimals;
    HWND edit;
    HWND updown;
};

SpinData* FieldOf(HWND updown) {
    return static_cast<SpinData*>(GetPropA(updown, kSpinProperty));
}

WNDPROC OldProcOf(HWND window) {
    return reinterpret_cast<WNDPROC>(GetPropA(window, kOldProcProperty));
}

LRESULT PassOn(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    WNDPROC old = OldProcOf(window);
    return old ? CallWindowProcA(old, window, message, wParam, lParam)
               : DefWindowProcA(window, message, wParam, lParam);
}

void Subclass(HWND window, WNDPROC proc) {
    if (reinterpret_cast<WNDPROC>(GetWindowLongPtrA(window, GWLP_WNDPROC)) == proc) {
        return;
    }
    const LONG_PTR old = SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(proc));
    SetPropA(window, kOldProcProperty, reinterpret_cast<HANDLE>(old));
}

// Puts the previous procedure back and lets it see WM_DESTROY.
LRESULT UnsubclassOnDestroy(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    WNDPROC old = OldProcOf(window);
    if (old) {
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(old));
    }
    RemovePropA(window, kOldProcProperty);
    return old ? CallWindowProcA(old, window, message, wParam, lParam)
               : DefWindowProcA(window, message, wParam, lParam);
}

double FieldValue(const SpinData& field) {
    char text[259] = "";
    GetWindowTextA(field.edit, text, sizeof text);
    return SpinTextValue(text);
}

void SetRange32(const SpinData& field) {
    SendMessageA(field.updown, UDM_SETRANGE32, 0, field.count);
}

void MirrorPosition(const SpinData& field, double value) {
    const int position = SpinPosition(value, field.min, field.max, field.count);
    if (position >= 0) {
        SendMessageA(field.updown, UDM_SETPOS32, 0, position);
    }
}

// Every value the field writes is announced once, as if the user had left
// the box, so the page commits it the same way.
void WriteValue(const SpinData& field, double value) {
    char text[64];
    FormatSpinValue(value, field.decimals, text, sizeof text);
    SetWindowTextA(field.edit, text);
    MirrorPosition(field, value);
    SendMessageA(GetParent(field.edit), WM_COMMAND,
                 MAKEWPARAM(GetDlgCtrlID(field.edit), EN_KILLFOCUS), 0);
}

LRESULT SetRangeMessage(HWND updown, SpinData& field, WPARAM wParam, LPARAM lParam) {
    const double* range = reinterpret_cast<const double*>(lParam);
    field.min = range[0];
    field.max = range[1];
    field.step = range[2];
    const int count = SpinCount(field.min, field.max, field.step);
    if (count < 0) {
        return 0;
    }
    field.count = count;
    SetRange32(field);
    double value = FieldValue(field);
    if (value > field.max) {
        value = field.max;
    } else if (value < field.min) {
        value = field.min;
    }
    SetRange32(field);
    MirrorPosition(field, value);
    return PassOn(updown, SPM_SETRANGE, wParam, lParam);
}

LRESULT CALLBACK UpDownProc(HWND updown, UINT message, WPARAM wParam, LPARAM lParam) {
    SpinData* field = FieldOf(updown);
    switch (message) {
    case SPM_SETRANGE:
        if (field && lParam) {
            return SetRangeMessage(updown, *field, wParam, lParam);
        }
        break;
    case SPM_SETDECIMALS:
        if (!field) {
            return 0;
        }
        field->decimals = static_cast<int>(lParam);
        return 1;
    case SPM_GETDECIMALS:
        return field ? field->decimals : 0;
    case WM_DESTROY:
        delete field;
        RemovePropA(updown, kSpinProperty);
        return UnsubclassOnDestroy(updown, message, wParam, lParam);
    }
    return PassOn(updown, message, wParam, lParam);
}

void StepField(const SpinData& field, int delta) {
    const bool wrap = (GetWindowLongA(field.updown, GWL_STYLE) & UDS_WRAP) != 0;
    WriteValue(field,
               SpinStepValue(FieldValue(field), delta, field.step, field.min, field.max, wrap));
}

LRESULT CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NOTIFY) {
        const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
        // Only the delta notification carries a delta; the up-down's other
        // notifications are smaller records and go on to the page.
        SpinData* field = header ? FieldOf(header->hwndFrom) : nullptr;
        if (field && header->code == static_cast<UINT>(UDN_DELTAPOS)) {
            StepField(*field, reinterpret_cast<const NMUPDOWN*>(lParam)->iDelta);
            return 0;
        }
    } else if (message == WM_DESTROY) {
        return UnsubclassOnDestroy(dialog, message, wParam, lParam);
    }
    return PassOn(dialog, message, wParam, lParam);
}

} // namespace

int CreateSpinField(HWND dialog, int editId, int updownId, double min, double max, double step,
                    double value, int decimals) {
    SpinData* field = new (std::nothrow) SpinData{};
    if (!field) {
        return 0;
    }
    field->edit = GetDlgItem(dialog, editId);
    field->updown = GetDlgItem(dialog, updownId);
    field->decimals = decimals;
    if (!field->edit || !field->updown) {
        delete field;
        return 0;
    }
    // Pages create their fields again each time they become active; the
    // record of the previous creation goes.
    delete FieldOf(field->updown);
    SetPropA(field->updown, kSpinProperty, field);
    Subclass(field->updown, UpDownProc);
    Subclass(dialog, DialogProc);
    SetSpinRange(field->updown, min, max, step);
    WriteValue(*field, value);
    return 1;
}

void SetSpinRange(HWND updown, double min, double max, double step) {
    double range[3] = {min, max, step};
    SendMessageA(updown, SPM_SETRANGE, 0, reinterpret_cast<LPARAM>(range));
}

int ReadNumberField(HWND edit, double* value) {
    // Longer texts would be read cut short and stored as another number.
    constexpr int kMaxLength = 49;
    char text[kMaxLength + 2] = "";
    if (GetWindowTextLengthA(edit) > kMaxLength) {
        return 0;
    }
    GetWindowTextA(edit, text, sizeof text);
    return ParseNumberText(text, value);
}

void UndoFieldEdit(HWND dialog, int controlId) {
    if (SendDlgItemMessageA(dialog, controlId, EM_CANUNDO, 0, 0)) {
        SendDlgItemMessageA(dialog, controlId, EM_UNDO, 0, 0);
        SendDlgItemMessageA(dialog, controlId, EM_EMPTYUNDOBUFFER, 0, 0);
    }
}
