#pragma once
#include <cstddef>
#include <cstdint>

#include "app_state.h"

// Room of the label text buffers that composition works in.
constexpr size_t kLabelTextBufferSize = 4096;

// The 1-based spreadsheet column a field name stands for: A 1, Z 26, AA 27.
// A name holding a digit gives -1, an empty name 0.
int32_t ColumnNumberOf(const char* name);

// Replaces every occurrence of `pattern` in `text` by `replacement`, in
// place; text brought in by a replacement is not searched again. The result
// is cut to fit the `capacity` bytes of the buffer, terminator included.
void ReplaceAll(char* text, size_t capacity, const char* pattern, const char* replacement);

// How many braille cells fit on a line of a text box this wide.
int CellsPerLine(uint16_t textWidthTwips);

// Cuts every line of `text` to the text box's cells and drops blank lines and
// trailing line ends, in place; lines end up separated by single line feeds.
void ClipLabelLines(const AppState* state, char* text);
