// The first worksheet of an .xlsx workbook.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "cell_store.h"

bool ReadXlsxFirstSheet(const uint8_t* pData, size_t nSize, CellStore& cells);

// "C3" -> row 3, column 3 (both 1-based); false for anything else or a
// position beyond the sheet's limits.
bool ParseCellReference(std::string_view ref, uint32_t& row, uint32_t& column);
