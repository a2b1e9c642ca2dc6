#include "sheet_format_fields_win.h"

#include <cmath>

#include "resource.h"
#include "spin_field_win.h"
#include "units.h"

namespace {

struct FieldControls {
    SheetField field;
    int editId;
    int updownId;
};

// The order in which the fields are created, and so committed again.
constexpr FieldControls kFields[kSheetFieldCount] = {
    {SheetField::LabelWidth, IDC_LABEL_WIDTH, IDC_LABEL_WIDTH_SPIN},
    {SheetField::LabelHeight, IDC_LABEL_HEIGHT, IDC_LABEL_HEIGHT_SPIN},
    {SheetField::PaperWidth, IDC_PAPER_WIDTH, IDC_PAPER_WIDTH_SPIN},
    {SheetField::PaperHeight, IDC_PAPER_HEIGHT, IDC_PAPER_HEIGHT_SPIN},
    {SheetField::FirstLabelPosLeft, IDC_FIRST_LEFT, IDC_FIRST_LEFT_SPIN},
    {SheetField::FirstLabelPosTop, IDC_FIRST_TOP, IDC_FIRST_TOP_SPIN},
    {SheetField::NumVertical, IDC_NUM_VERTICAL, IDC_NUM_VERTICAL_SPIN},
    {SheetField::NumHorizontal, IDC_NUM_HORIZONTAL, IDC_NUM_HORIZONTAL_SPIN},
    {SheetField::SepVertical, IDC_SEP_VERTICAL, IDC_SEP_VERTICAL_SPIN},
    {SheetField::SepHorizontal, IDC_SEP_HORIZONTAL, IDC_SEP_HORIZONTAL_SPIN},
};

const FieldControls* ControlsOf(SheetField field) {
    for (const FieldControls& controls : kFields) {
        if (controls.field == field) {
            return &controls;
        }
    }
    return nullptr;
}

const FieldControls* ControlsOfEdit(int editId) {
    for (const FieldControls& controls : kFields) {
        if (controls.editId == editId) {
            return &controls;
        }
    }
    return nullptr;
}

// A field's range, current value and step in what the user sees.
struct DisplayRange {
    double min, max, step, value;
    int decimals;
};

DisplayRange DisplayRangeOf(const SheetFormat& format, SheetField field) {
    const SheetRange range = SheetFormatRange(format, field);
    const double value = GetSheetField(format, field);
    if (IsCountField(field)) {
        return {double(range.min), double(range.max), 1.0, value, 0};
    }
    return {TwipsToDisplay(range.min, format), TwipsToDisplay(range.max, format),
            TwipsToDisplay(UnitStep(format), format), TwipsToDisplay(value, format),
            UnitDecimals(format)};
}

// The typed value as whole twips or a whole count, not cut to 16 bits: a
// value too large for the record must fail the range check, not wrap.
int64_t WholeValue(const SheetFormat& format, SheetField field, double value) {
    if (!IsCountField(field)) {
        return TypedLengthToTwips(value, format);
    }
    return value >= 2147483647.0 ? 2147483647 : static_cast<int64_t>(std::trunc(value));
}

void ClampWithRanges(HWND page, SheetFormat& format) {
    for (SheetField field : kClampOrder) {
        const SheetRange range = SheetFormatRange(format, field);
        if (GetSheetField(format, field) > range.max) {
            SetSheetField(format, field, static_cast<uint16_t>(range.max));
        }
        const DisplayRange shown = DisplayRangeOf(format, field);
        SetSpinRange(GetDlgItem(page, ControlsOf(field)->updownId), shown.min, shown.max,
                     shown.step);
    }
}

} // namespace

void CreateSheetFields(HWND page, SheetFormat& format) {
    for (const FieldControls& controls : kFields) {
        const DisplayRange shown = DisplayRangeOf(format, controls.field);
        CreateSpinField(page, controls.editId, controls.updownId, shown.min, shown.max, shown.step,
                        shown.value, shown.decimals);
    }
}

int CommitSheetField(HWND page, SheetFormat& format, int editId) {
    const FieldControls* controls = ControlsOfEdit(editId);
    if (!controls) {
        return 0;
    }
    double value = 0;
    if (!ReadNumberField(GetDlgItem(page, editId), &value)) {
        UndoFieldEdit(page, editId);
        return 0;
    }
    const int64_t whole = WholeValue(format, controls->field, value);
    const SheetRange range = SheetFormatRange(format, controls->field);
    if (whole >= range.min && whole <= range.max) {
        SetSheetField(format, controls->field, static_cast<uint16_t>(whole));
    } else {
        UndoFieldEdit(page, editId);
    }
    ClampWithRanges(page, format);
    return 1;
}
