#include "direct_workbook.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "number_text.h"
#include "workbook.h"

struct DirectWorkbook {
    Workbook* book;
};

namespace {

// Workbooks worth labelling are small; a file beyond this is refused rather
// than read into memory whole.
constexpr long kMaxWorkbookBytes = 256L * 1024 * 1024;

bool ReadWholeFile(const char* path, std::vector<unsigned char>& bytes) {
    std::FILE* file = std::fopen(path, "rb");
    if (!file) {
        return false;
    }
    bool ok = std::fseek(file, 0, SEEK_END) == 0;
    const long size = ok ? std::ftell(file) : -1;
    ok = ok && size >= 0 && size <= kMaxWorkbookBytes && std::fseek(file, 0, SEEK_SET) == 0;
    if (ok) {
        bytes.resize(static_cast<size_t>(size));
        ok = size == 0 || std::fread(bytes.data(), 1, bytes.size(), file) == bytes.size();
    }
    std::fclose(file);
    return ok;
}

char* HeapCopy(const std::string& text) {
    char* copy = static_cast<char*>(std::malloc(text.size() + 1));
    if (copy) {
        std::memcpy(copy, text.c_str(), text.size() + 1);
    }
    return copy;
}

} // namespace

DirectWorkbook* DirectWorkbookOpen(const char* path) {
    std::vector<unsigned char> bytes;
    if (!path || !ReadWholeFile(path, bytes)) {
        return nullptr;
    }
    Workbook* book = WorkbookOpen(bytes.data(), bytes.size());
    if (!book) {
        return nullptr;
    }
    return new DirectWorkbook{book};
}

void DirectWorkbookClose(DirectWorkbook* book) {
    if (book) {
        WorkbookClose(book->book);
        delete book;
    }
}

int32_t DirectWorkbookRowCount(const DirectWorkbook* book) {
    return book ? WorkbookRowCount(book->book) : -1;
}

// Matches what the automation path gives for the same cell, so a workbook
// reads the same with or without the spreadsheet application.
char* DirectWorkbookCell(const DirectWorkbook* book, int32_t row, int32_t column) {
    if (!book) {
        return nullptr;
    }
    switch (WorkbookCellKind(book->book, row, column)) {
    case WB_NUMBER:
        return HeapCopy(FormatCellNumber(WorkbookCellNumber(book->book, row, column)));
    case WB_TEXT:
        return HeapCopy(WorkbookCellText(book->book, row, column));
    case WB_BOOLEAN:
        return HeapCopy(WorkbookCellNumber(book->book, row, column) != 0 ? "TRUE" : "FALSE");
    default:
        return HeapCopy("");
    }
}
