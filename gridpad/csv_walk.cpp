#include "csv_walk.h"

#include <cstring>

#include "cell_store.h"

void TakeCsvCells(CsvTable* table, const CsvCellSink& sink) {
    char text[kMaxCellText + 1];
    while (CsvRow* row = table->pFirstRow) {
        table->pFirstRow = row->pNext;
        while (CsvCell* cell = row->pFirstCell) {
            row->pFirstCell = cell->pNext;
            const char* source = cell->pszText ? cell->pszText : "";
            std::size_t len = Utf8CutLength(source, kMaxCellText);
            std::memcpy(text, source, len);
            text[len] = '\0';
            sink(row->nRow, cell->nColumn, text);
        }
    }
}
