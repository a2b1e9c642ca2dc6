// The first worksheet of a BIFF8 workbook stream.
#pragma once

#include <cstdint>
#include <vector>

#include "cell_store.h"

bool ReadBiff8FirstSheet(const std::vector<uint8_t>& stream, CellStore& cells);
