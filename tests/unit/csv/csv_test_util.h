#pragma once
#include <string>
#include <vector>

#include "csv_table.h"

using Rows = std::vector<std::vector<std::string>>;

// The table as the editor sees it: its lists, walked from the handle.
inline Rows RowsOf(const CsvTable* table) {
    Rows rows;
    for (const CsvRow* row = table->pFirstRow; row != nullptr; row = row->pNext) {
        std::vector<std::string> cells;
        for (const CsvCell* cell = row->pFirstCell; cell != nullptr; cell = cell->pNext) {
            cells.emplace_back(cell->pszText);
        }
        rows.push_back(cells);
    }
    return rows;
}

inline Rows Parse(const std::string& bytes) {
    CsvTable* table = CsvTableFromBytes(bytes.data(), bytes.size());
    Rows rows = table != nullptr ? RowsOf(table) : Rows{{"<null>"}};
    CsvClose(table);
    return rows;
}

inline std::string Show(const Rows& rows) {
    std::string text;
    for (const auto& row : rows) {
        text += "[";
        for (size_t i = 0; i < row.size(); ++i) {
            text += (i > 0 ? "|" : "") + row[i];
        }
        text += "]";
    }
    return text;
}
