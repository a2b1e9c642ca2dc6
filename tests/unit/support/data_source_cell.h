#pragma once
#include <cstdint>
#include <string>

#include "data_source.h"

// A cell of the open data source as text, "<null>" when there is none.
inline std::string CellText(AppState* state, int32_t row, int32_t column) {
    char* text = DataSourceCell(state, row, column);
    const std::string result = text ? text : "<null>";
    DataSourceFreeCell(state, text);
    return result;
}
