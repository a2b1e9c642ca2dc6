#pragma once
#include <functional>

#include "csv.h"

// Takes every row and cell off the table's lists in order and hands each
// cell (row and column from 0) to the sink, its text cut at a character
// boundary to what the grid stores. The emptied table still has to be closed.
using CsvCellSink = std::function<void(int row, int col, const char* text)>;
void TakeCsvCells(CsvTable* table, const CsvCellSink& sink);
