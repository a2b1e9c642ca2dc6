#include "text_box.h"

#include "units.h"

namespace {

int64_t Signed(uint16_t value) {
    return value;
}

} // namespace

int64_t BrailleCellTwips(const SheetFormat& format) {
    return static_cast<int64_t>(MmToTwips(6, UnitDecimals(format)));
}

int64_t BrailleLineTwips(const SheetFormat& format) {
    return static_cast<int64_t>(MmToTwips(10, UnitDecimals(format)));
}

TwipRange TextBoxRange(const SheetFormat& format, TextBoxField field) {
    switch (field) {
    case TextBoxField::Top:
        return {0, Signed(format.wLabelHeight) - format.wTextHeight};
    case TextBoxField::Left:
        return {0, Signed(format.wLabelWidth) - format.wTextWidth};
    case TextBoxField::Width:
        return {BrailleCellTwips(format), Signed(format.wLabelWidth) - format.wTextLeft};
    case TextBoxField::Height:
        return {BrailleLineTwips(format), Signed(format.wLabelHeight) - format.wTextTop};
    }
    return {0, 0};
}

void FitTextBox(SheetFormat* format) {
    if (format->wTextHeight == 0 || format->wTextHeight > format->wLabelHeight) {
        format->wTextHeight = format->wLabelHeight;
    }
    if (format->wTextWidth == 0 || format->wTextWidth > format->wLabelWidth) {
        format->wTextWidth = format->wLabelWidth;
    }
    if (Signed(format->wTextLeft) + format->wTextWidth > format->wLabelWidth) {
        format->wTextLeft = static_cast<uint16_t>(format->wLabelWidth - format->wTextWidth);
    }
    const int64_t bottom = Signed(format->wTextTop) + format->wTextHeight;
    if (bottom > format->wLabelHeight) {
        format->wTextTop = static_cast<uint16_t>(format->wLabelHeight - format->wTextHeight);
    } else {
        format->wTextHeight = static_cast<uint16_t>(format->wLabelHeight - format->wTextTop);
    }
}

void CutTextToBox(AppState* state) {
    constexpr int kLineTwips = 567; // the 10 mm line, rounded as stored
    const int lines = state->Sheet.wTextHeight / kLineTwips;
    // Checked before any character is counted: a text that starts with a
    // line feed must not survive a box without lines.
    if (lines == 0) {
        state->szLabelText[0] = '\0';
        return;
    }
    int feeds = 0;
    for (size_t i = 0; i < sizeof state->szLabelText && state->szLabelText[i]; ++i) {
        feeds += state->szLabelText[i] == '\n';
        if (feeds == lines) {
            state->szLabelText[i] = '\0';
            return;
        }
    }
}

uint16_t TextBoxValue(const SheetFormat& format, TextBoxField field) {
    switch (field) {
    case TextBoxField::Top:
        return format.wTextTop;
    case TextBoxField::Left:
        return format.wTextLeft;
    case TextBoxField::Width:
        return format.wTextWidth;
    case TextBoxField::Height:
        return format.wTextHeight;
    }
    return 0;
}

void SetTextBoxValue(SheetFormat* format, TextBoxField field, uint16_t twips) {
    switch (field) {
    case TextBoxField::Top:
        format->wTextTop = twips;
        break;
    case TextBoxField::Left:
        format->wTextLeft = twips;
        break;
    case TextBoxField::Width:
        format->wTextWidth = twips;
        break;
    case TextBoxField::Height:
        format->wTextHeight = twips;
        break;
    }
}
