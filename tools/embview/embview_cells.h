#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "embview_decode.h"
#include "sheet_format.h"

// The braille cells read from one label slot: lines of cell values (bits
// 0..5 = dots 1..6), trailing blank cells and lines left out.
struct LabelCells {
    int32_t nRow;    // from 1
    int32_t nColumn; // from 1
    int64_t x;       // top left dot, in half millimetres
    int64_t y;
    std::vector<std::vector<uint8_t>> lines;
};

struct SheetCells {
    std::vector<LabelCells> labels; // slots with at least one dot
    size_t nStrayDots = 0;          // dots that belong to no cell position
};

// Half millimetres of a length in twips, as the embosser grid counts them.
int64_t EmbUnits(int64_t nTwips);

// The header's paper size and every sheet's grid must be those of the
// format's paper. On a mismatch fills err and gives false.
bool CheckPaper(const EmbJob& job, const SheetFormat& format, DecodeError* err);

// Reads every label slot of the format at the text box position: as many
// cells across as the text box holds (the label when the box has no width)
// and as many lines down. Without a format the whole sheet is read as one
// text starting at its top left dot.
SheetCells ReadSheetCells(const EmbSheet& sheet, const SheetFormat* format);
