#include "workbook.h"

#include <cstdint>
#include <memory>
#include <vector>

#include "biff8_reader.h"
#include "cell_store.h"
#include "cfb_reader.h"
#include "xlsx_reader.h"
#include "zip_reader.h"

struct Workbook {
    CellStore cells;
};

// The format is told by the content, not the file name: a workbook saved
// with the other extension still opens.
static bool ReadAny(const uint8_t* p, size_t nSize, CellStore& cells) {
    if (IsCompoundDocument(p, nSize)) {
        std::vector<uint8_t> stream;
        return ReadCompoundStream(p, nSize, "Workbook", stream) &&
               ReadBiff8FirstSheet(stream, cells);
    }
    if (IsZipArchive(p, nSize))
        return ReadXlsxFirstSheet(p, nSize, cells);
    return false;
}

// No exception leaves the reader: a file it cannot hold in memory is a
// file it cannot open.
Workbook* WorkbookOpen(const void* pData, size_t nSize) {
    if (!pData)
        return nullptr;
    try {
        auto pBook = std::make_unique<Workbook>();
        if (ReadAny(static_cast<const uint8_t*>(pData), nSize, pBook->cells))
            return pBook.release();
    } catch (...) {
    }
    return nullptr;
}

void WorkbookClose(Workbook* pBook) {
    delete pBook;
}

int WorkbookRowCount(const Workbook* pBook) {
    return pBook ? pBook->cells.RowCount() : -1;
}

int WorkbookColumnCount(const Workbook* pBook) {
    return pBook ? pBook->cells.ColumnCount() : -1;
}

static const SheetCell* CellOf(const Workbook* pBook, int nRow, int nColumn) {
    return pBook ? pBook->cells.CellAt(nRow, nColumn) : nullptr;
}

int WorkbookCellKind(const Workbook* pBook, int nRow, int nColumn) {
    const SheetCell* cell = CellOf(pBook, nRow, nColumn);
    return cell ? cell->nKind : WB_EMPTY;
}

double WorkbookCellNumber(const Workbook* pBook, int nRow, int nColumn) {
    const SheetCell* cell = CellOf(pBook, nRow, nColumn);
    return cell ? cell->number : 0;
}

const char* WorkbookCellText(const Workbook* pBook, int nRow, int nColumn) {
    const SheetCell* cell = CellOf(pBook, nRow, nColumn);
    return cell ? cell->text.c_str() : "";
}
