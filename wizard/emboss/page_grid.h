#pragma once
#include <cstddef>
#include <cstdint>

#include "job_sink.h"

// The picture of one sheet, in half millimetres: W x H bytes, top row
// first, 'o' for a raised dot and ' ' for none.
constexpr uint8_t kDot = 'o';
constexpr uint8_t kNoDot = ' ';

// Braille geometry in half millimetres.
constexpr int32_t kDotPitch = 5;
constexpr int32_t kCellPitch = 12;
constexpr int32_t kLinePitch = 20;

// Largest paper advance of one line feed, in grid rows (25 mm).
constexpr uint32_t kMaxLineSpacingRows = 50;

// The graphics header carries the row's byte count in one byte.
constexpr uint32_t kMaxRowBytes = 255;

// Twips to grid units: whole millimetres (half up), doubled.
int64_t TwipsToUnits(int64_t nTwips);

// W: paper width in units raised to a multiple of 8; H: paper height.
uint32_t PageGridWidth(uint16_t wPaperWidth);
uint32_t PageGridHeight(uint16_t wPaperHeight);

// A grid filled with spaces, or null when it cannot be allocated.
uint8_t* AllocPageGrid(uint32_t W, uint32_t H);
void FreePageGrid(uint8_t* pGrid);
void ClearPageGrid(uint8_t* pGrid, uint32_t W, uint32_t H);

// Dots are drawn only where they fall inside the grid; the rest are dropped.
// Bits 0..5 of a cell are dots 1..6, bits 6 and 7 are ignored.
void DrawBrailleCell(uint8_t* pGrid, int64_t x, int64_t y, uint8_t cell, uint32_t W, uint32_t H);
void DrawBrailleLine(uint8_t* pGrid, int64_t x, int64_t y, const char* pLine, size_t cbLine,
                     uint32_t W, uint32_t H);

// ESC VT 04 05 00 (5 x rows): the advance of the next line feed, 1..50 rows.
int EmitLineSpacing(JobSink& sink, uint32_t nRows);

// One graphics row covering nRowsCovered grid rows (itself and the empty
// rows below it).
int EmitDotRow(JobSink& sink, const uint8_t* pRow, uint32_t cbRow, uint32_t nRowsCovered);

// Writes the grid as graphics rows, then a form feed unless bLast, and
// clears the grid. 0 when a write fails or W is not a multiple of 8 bytes
// the header can count.
int EmitPage(uint8_t* pGrid, JobSink& sink, uint32_t W, uint32_t H, int bLast);
