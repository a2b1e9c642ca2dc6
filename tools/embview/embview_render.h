#pragma once
#include <string>
#include <vector>

#include "embview_cells.h"
#include "embview_decode.h"

// A line of cells as Unicode braille (U+2800 + dot bits), in UTF-8.
std::string BrailleUtf8(const std::vector<uint8_t>& line);

// Every sheet with its labels' cells as braille text.
std::string JobText(const EmbJob& job, const SheetFormat* format);

// The sheets one below the other, dots as circles on the paper, with the
// label outlines when the format is known. One SVG unit is half a millimetre.
std::string JobSvg(const EmbJob& job, const SheetFormat* format);
