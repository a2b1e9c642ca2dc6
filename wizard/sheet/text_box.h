#pragma once
#include <cstdint>

#include "app_state.h"
#include "sheet_format.h"

// The four lengths that place the text box on the label.
enum class TextBoxField { Top, Left, Width, Height };

struct TwipRange {
    int64_t min;
    int64_t max;
};

// One braille cell is 6 mm wide, one braille line 10 mm high.
int64_t BrailleCellTwips(const SheetFormat& format);
int64_t BrailleLineTwips(const SheetFormat& format);

// Where the field may go on the label, given the other fields.
TwipRange TextBoxRange(const SheetFormat& format, TextBoxField field);

// Makes the box fit the label and end at the label's bottom edge.
void FitTextBox(SheetFormat* format);

// Keeps as many lines of the label text as the box height holds.
void CutTextToBox(AppState* state);

// The stored value of a field and a way to change it.
uint16_t TextBoxValue(const SheetFormat& format, TextBoxField field);
void SetTextBoxValue(SheetFormat* format, TextBoxField field, uint16_t twips);
