#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "cell_store.h"
#include "csv_save.h"
#include "csv_table.h"

// Any grid the editor saves reads back through the reader cell for cell.
// The first byte gives the number of columns; the rest are the cells, split
// at NUL bytes (a cell cannot hold one), row by row.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) {
        return 0;
    }
    const int columns = 1 + data[0] % 6;
    std::vector<std::string> cells;
    const char* text = reinterpret_cast<const char*>(data);
    for (size_t pos = 1; pos <= size && cells.size() < 256;) {
        const void* nul = std::memchr(text + pos, '\0', size - pos);
        size_t stop =
            nul != nullptr ? static_cast<size_t>(static_cast<const char*>(nul) - text) : size;
        cells.emplace_back(text + pos, std::min(stop - pos, kMaxCellText));
        pos = stop + 1;
    }
    const int rows = static_cast<int>((cells.size() + columns - 1) / columns);
    cells.resize(static_cast<size_t>(rows * columns));
    auto cellAt = [&](int row, int col) -> const std::string& {
        return cells[static_cast<size_t>((row - 1) * columns + col - 1)];
    };

    std::string bytes = FormatGridCsv(rows, columns, [&](int row, int col, char* buffer) {
        std::memcpy(buffer, cellAt(row, col).c_str(), cellAt(row, col).size() + 1);
    });
    CsvTable* table = CsvTableFromBytes(bytes.data(), bytes.size());
    if (table == nullptr || CsvRowCount(table) != rows || CsvColumnCount(table) != columns) {
        std::abort();
    }
    for (int row = 1; row <= rows; ++row) {
        for (int col = 1; col <= columns; ++col) {
            if (cellAt(row, col) != CsvTableCell(table, row - 1, col - 1)) {
                std::abort();
            }
        }
    }
    CsvClose(table);
    return 0;
}
