#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "csv_table.h"

// Any bytes parse into a table whose lists and positional reads agree and
// stay inside the table's memory (the sanitizers watch the reads). A
// UTF-16 file grows by up to half in UTF-8.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    CsvTable* table = CsvTableFromBytes(reinterpret_cast<const char*>(data), size);
    if (table == nullptr) {
        std::abort();
    }
    int32_t rows = 0;
    for (const CsvRow* row = table->pFirstRow; row != nullptr; row = row->pNext, ++rows) {
        if (row->nRow != rows || row->pFirstCell == nullptr) {
            std::abort();
        }
        int32_t column = 0;
        for (const CsvCell* cell = row->pFirstCell; cell != nullptr; cell = cell->pNext) {
            if (cell->nColumn != column++ || std::strlen(cell->pszText) > size / 2 * 3 + 3 ||
                CsvTableCell(table, rows, cell->nColumn) != cell->pszText) {
                std::abort();
            }
        }
        for (; column < CsvColumnCount(table); ++column) {
            if (*CsvTableCell(table, rows, column) != '\0') {
                std::abort();
            }
        }
    }
    if (rows != CsvRowCount(table) || CsvTableCell(table, rows, 0) != nullptr) {
        std::abort();
    }
    CsvClose(table);
    return 0;
}
