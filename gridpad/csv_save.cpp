#include "csv_save.h"

#include <cstring>

namespace {

bool HoldsSeparatorQuoteOrLineBreak(const char* text) {
    return text[std::strcspn(text, ";,\t\"\r\n")] != '\0';
}

bool StartsWithNoCase(const char* text, const char* prefix) {
    for (; *prefix != '\0'; ++text, ++prefix) {
        if ((*text | 0x20) != *prefix) {
            return false;
        }
    }
    return true;
}

// Readers take the first bytes of a file for a byte-order mark or a
// "sep=" line naming the separator; the file's first field, when it starts
// that way, is quoted so that it stays text.
bool LooksLikeFileMarker(const char* text) {
    static const char* const markers[] = {"\xEF\xBB\xBF", "\xFF\xFE", "\xFE\xFF"};
    for (const char* marker : markers) {
        if (std::strncmp(text, marker, std::strlen(marker)) == 0) {
            return true;
        }
    }
    return StartsWithNoCase(text, "sep=");
}

} // namespace

void QuoteField(const char* text, std::string& out) {
    out += '"';
    while (const char* quote = std::strchr(text, '"')) {
        out.append(text, quote + 1);
        out += '"';
        text = quote + 1;
    }
    out += text;
    out += '"';
}

void AppendGridCsvRow(int row, int nCols, const ReadCellFn& readCell, std::string& out) {
    char buffer[kCellBuffer];
    for (int col = 1; col <= nCols; ++col) {
        buffer[0] = '\0';
        readCell(row, col, buffer);
        // A row of one empty field would be a blank line, which readers
        // drop at the end of a file.
        bool blankLine = nCols == 1 && buffer[0] == '\0';
        if (HoldsSeparatorQuoteOrLineBreak(buffer) || blankLine ||
            (row == 1 && col == 1 && LooksLikeFileMarker(buffer))) {
            QuoteField(buffer, out);
        } else {
            out += buffer;
        }
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
