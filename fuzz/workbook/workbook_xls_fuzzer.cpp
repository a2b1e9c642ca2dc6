#include <cstddef>
#include <cstdint>
#include <vector>

#include "biff8_reader.h"
#include "workbook.h"

static void ReadAll(const Workbook* book) {
    for (int r = 1; r <= WorkbookRowCount(book) && r <= 200; ++r)
        for (int c = 1; c <= WorkbookColumnCount(book) && c <= 200; ++c)
            WorkbookCellText(book, r, c);
}

// The whole file, and the same bytes as a bare record stream so the record
// parser is reached without a valid container around it.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Workbook* book = WorkbookOpen(data, size);
    ReadAll(book);
    WorkbookClose(book);
    CellStore cells;
    ReadBiff8FirstSheet(std::vector<uint8_t>(data, data + size), cells);
    return 0;
}
