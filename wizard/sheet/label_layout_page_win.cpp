#include <windows.h>
#include <commctrl.h>
#include <richedit.h>

#include <string>

#include "basic_page_win.h"
#include "label_area_win.h"
#include "label_fields.h"
#include "page_services_win.h"
#include "resource.h"
#include "spin_field_win.h"
#include "text_box.h"
#include "units.h"

namespace {

struct BoxControl {
    TextBoxField field;
    int editId;
    int updownId;
};

// In the order the fields are created on activation.
constexpr BoxControl kBoxControls[] = {
    {TextBoxField::Top, IDC_TEXT_TOP, IDC_TEXT_TOP_SPIN},
    {TextBoxField::Left, IDC_TEXT_LEFT, IDC_TEXT_LEFT_SPIN},
    {TextBoxField::Width, IDC_TEXT_WIDTH, IDC_TEXT_WIDTH_SPIN},
    {TextBoxField::Height, IDC_TEXT_HEIGHT, IDC_TEXT_HEIGHT_SPIN},
};

// The order in which ranges are narrowed after a commit.
constexpr TextBoxField kClampOrder[] = {TextBoxField::Left, TextBoxField::Top, TextBoxField::Height,
                                        TextBoxField::Width};

// Page-wide, recomputed on every activation.
LabelView g_view;

const BoxControl* ControlOf(TextBoxField field) {
    for (const BoxControl& control : kBoxControls) {
        if (control.field == field) {
            return &control;
        }
    }
    return nullptr;
}

const BoxControl* ControlWithEdit(int editId) {
    for (const BoxControl& control : kBoxControls) {
        if (control.editId == editId) {
            return &control;
        }
    }
    return nullptr;
}

// Arrow steps: one display unit for the position, a whole braille cell or
// line for the size.
double FieldStep(const SheetFormat& format, TextBoxField field) {
    const int decimals = UnitDecimals(format);
    switch (field) {
    case TextBoxField::Width:
        return TwipsToUnit(MmToTwips(6, decimals), format.bInch, decimals);
    case TextBoxField::Height:
        return TwipsToUnit(MmToTwips(10, decimals), format.bInch, decimals);
    default:
        return TwipsToUnit(UnitStep(format), format.bInch, decimals);
    }
}

double ToUnit(const SheetFormat& format, int64_t twips) {
    return TwipsToUnit(double(twips), format.bInch, UnitDecimals(format));
}

// Lowers each field to what the others leave it and gives its arrows the
// new range; the boxes' texts stay as they are.
void ClampTextBox(HWND page, SheetFormat* format) {
    for (TextBoxField field : kClampOrder) {
        const TwipRange range = TextBoxRange(*format, field);
        if (range.max >= 0 && TextBoxValue(*format, field) > range.max) {
            SetTextBoxValue(format, field, static_cast<uint16_t>(range.max));
        }
        SetSpinRange(GetDlgItem(page, ControlOf(field)->updownId), ToUnit(*format, range.min),
                     ToUnit(*format, range.max), FieldStep(*format, field));
    }
}

void PlaceBox(HWND page, const SheetFormat& format) {
    PlaceTextBox(GetDlgItem(page, IDC_LABEL_TEXT), format, g_view, kBlackTextFont);
}

void CommitBoxField(HWND page, AppState* state, const BoxControl& control) {
    SheetFormat& format = state->Sheet;
    double value = 0;
    if (!ReadNumberField(GetDlgItem(page, control.editId), &value)) {
        UndoFieldEdit(page, control.editId);
        return;
    }
    const int64_t twips = TypedLengthToTwips(value, format);
    const TwipRange range = TextBoxRange(format, control.field);
    if (twips >= range.min && twips <= range.max) {
        SetTextBoxValue(&format, control.field, static_cast<uint16_t>(twips));
    } else {
        UndoFieldEdit(page, control.editId);
    }
    ClampTextBox(page, &format);
    PlaceBox(page, format);
}

// A value typed but not yet committed (Enter pressed in its box) is kept
// when the page is left.
void CommitFocusedField(HWND page, AppState* state) {
    if (const BoxControl* control = ControlWithEdit(GetDlgCtrlID(GetFocus()))) {
        if (GetParent(GetFocus()) == page) {
            CommitBoxField(page, state, *control);
        }
    }
}

void CreateBoxFields(HWND page, SheetFormat* format) {
    const int64_t cell = BrailleCellTwips(*format);
    const int64_t line = BrailleLineTwips(*format);
    for (const BoxControl& control : kBoxControls) {
        if (control.field == TextBoxField::Width) {
            format->wTextWidth = static_cast<uint16_t>(format->wTextWidth / cell * cell);
        } else if (control.field == TextBoxField::Height) {
            format->wTextHeight = static_cast<uint16_t>(format->wTextHeight / line * line);
        }
        const TwipRange range = TextBoxRange(*format, control.field);
        CreateSpinField(page, control.editId, control.updownId, ToUnit(*format, range.min),
                        ToUnit(*format, range.max), FieldStep(*format, control.field),
                        ToUnit(*format, TextBoxValue(*format, control.field)),
                        UnitDecimals(*format));
    }
}

void OnSetActive(HWND page, PageEntry* row) {
    AppState* state = row->pState;
    SetWizardTitle(page, row, state->szProjectFile);
    SetWizardButtons(page, PSWIZB_BACK | PSWIZB_NEXT);
    FitTextBox(&state->Sheet);
    HWND labelArea = GetDlgItem(page, IDC_LABEL_AREA);
    g_view = MeasureLabelArea(labelArea, state->Sheet);
    PlaceLabelArea(labelArea, state->Sheet, g_view);
    PlaceBox(page, state->Sheet);
    FitTextBox(&state->Sheet);
    CutTextToBox(state);
    CreateBoxFields(page, &state->Sheet);
    // The view is not terminated when the text fills its array.
    SetDlgItemTextA(page, IDC_LABEL_TEXT, std::string(LabelText(*state)).c_str());
}

INT_PTR OnWizardNext(HWND page, PageEntry* row) {
    AppState* state = row->pState;
    GetDlgItemTextA(page, IDC_LABEL_TEXT, state->szLabelText, sizeof state->szLabelText);
    ScanLabelFields(state);
    const int hasFields = HasFieldBraces(LabelText(*state));
    if (!hasFields) {
        state->szDatabaseFile[0] = '\0';
        CloseAppDataSource(state);
    }
    SetPageEnabled(row, IDD_DATABASE, hasFields);
    return GoNextPage(row, page);
}

} // namespace

INT_PTR CALLBACK LabelLayoutPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    PageEntry* row = PageRow(page);
    switch (message) {
    case WM_CTLCOLORSTATIC:
        return LabelPageStaticColor(page, reinterpret_cast<HWND>(lParam));
    case WM_DESTROY:
        ForgetLabelArea(GetDlgItem(page, IDC_LABEL_AREA));
        return FALSE;
    case WM_COMMAND:
        if (!row) {
            break;
        }
        if (HIWORD(wParam) == EN_KILLFOCUS) {
            if (const BoxControl* control = ControlWithEdit(LOWORD(wParam))) {
                CommitBoxField(page, row->pState, *control);
                return TRUE;
            }
        } else if (HIWORD(wParam) == EN_SETFOCUS && LOWORD(wParam) == IDC_LABEL_TEXT) {
            SendDlgItemMessageA(page, IDC_LABEL_TEXT, EM_SETSEL, 0, 0);
            return TRUE;
        }
        break;
    case WM_NOTIFY:
        if (!row) {
            break;
        }
        switch (reinterpret_cast<NMHDR*>(lParam)->code) {
        case PSN_SETACTIVE:
            OnSetActive(page, row);
            return SetPageResult(page, 0);
        case PSN_WIZNEXT:
            return OnWizardNext(page, row);
        case PSN_KILLACTIVE:
            CommitFocusedField(page, row->pState);
            return SetPageResult(page, FALSE);
        }
        break;
    }
    return BasicPageMessage(page, message, wParam, lParam, IDS_HEADER_LABEL_LAYOUT,
                            PSWIZB_BACK | PSWIZB_NEXT);
}
