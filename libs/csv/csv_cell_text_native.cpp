#include <cstdlib>
#include <cstring>

#include "csv_table.h"

// Without an ANSI code page the cell keeps the file's bytes.
char* CsvCellText(const CsvTable* table, int32_t row, int32_t column) {
    const char* text = CsvTableCell(table, row, column);
    if (text == nullptr) {
        return nullptr;
    }
    size_t length = std::strlen(text);
    char* copy = static_cast<char*>(std::malloc(length + 1));
    if (copy != nullptr) {
        std::memcpy(copy, text, length + 1);
    }
    return copy;
}

void CsvFreeText(char* text) {
    std::free(text);
}
