#include "csv_save.h"

#include <cstring>

void QuoteField(char* text, std::size_t capacity) {
    std::size_t len = std::strlen(text);
    if (len + 3 > capacity) {
        return;
    }
    if (text[0] != '"') {
        std::memmove(text + 1, text, len + 1);
        text[0] = '"';
        ++len;
    }
    if (text[len - 1] != '"') {
        text[len] = '"';
        text[len + 1] = '\0';
    }
}

void AppendGridCsvRow(int row, int nCols, const ReadCellFn& readCell, std::string& out) {
    char buffer[kCellBuffer];
    for (int col = 1; col <= nCols; ++col) {
        buffer[0] = '\0';
        readCell(row, col, buffer);
        if (std::strchr(buffer, ';') != nullptr) {
            QuoteField(buffer, sizeof buffer);
        }
        out += buffer;
        out += col < nCols ? ';' : '\n';
    }
}

std::string FormatGridCsv(int nRows, int nCols, const ReadCellFn& readCell) {
    std::string out;
    for (int row = 1; row <= nRows; ++row) {
        AppendGridCsvRow(row, nCols, readCell, out);
    }
    return out;
}
