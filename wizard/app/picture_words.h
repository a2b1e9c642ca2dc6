#pragma once
#include <cstdint>
#include <string>

#include "sheet_format.h"

// What a screen reader says for the wizard's pictures, in UTF-8.

// "A4, 3 across, 8 down, labels 70 x 37 mm": the label size in the format's
// own unit; a format without a name starts at the counts.
std::string SheetInWords(const SheetFormat& format);

// "paper 210 x 297 mm".
std::string PaperInWords(const SheetFormat& format);

// "start at label 5: row 2, column 2", the slot the first label goes to.
std::string StartInWords(const SheetFormat& format, int32_t startPos);

// "Label 3 of 24:".
std::string LabelCounterInWords(int32_t record, int32_t count);

// The label's text lines (UTF-8, blank lines dropped) one per line, then,
// when there are cells, "braille:" and the cell lines as Unicode braille.
// Cells are 0x40 + dots, lines separated by line feeds.
std::string LabelInWords(const char* text, const char* cells);
