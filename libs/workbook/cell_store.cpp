#include "cell_store.h"

#include <utility>

#include "number_text.h"

static uint64_t Key(uint32_t row, uint32_t column) {
    return (uint64_t(row) << 32) | column;
}

void CellStore::Put(uint32_t row, uint32_t column, SheetCell cell) {
    if (!bAny_) {
        firstRow_ = lastRow_ = row;
        firstColumn_ = lastColumn_ = column;
        bAny_ = true;
    } else {
        firstRow_ = row < firstRow_ ? row : firstRow_;
        lastRow_ = row > lastRow_ ? row : lastRow_;
        firstColumn_ = column < firstColumn_ ? column : firstColumn_;
        lastColumn_ = column > lastColumn_ ? column : lastColumn_;
    }
    if (cell.nKind == WB_EMPTY)
        cells_.erase(Key(row, column));
    else
        cells_[Key(row, column)] = std::move(cell);
}

void CellStore::SetNumber(uint32_t row, uint32_t column, double value) {
    Put(row, column, SheetCell{WB_NUMBER, value, FormatCellNumber(value)});
}

void CellStore::SetText(uint32_t row, uint32_t column, std::string text) {
    Put(row, column, SheetCell{WB_TEXT, 0, std::move(text)});
}

void CellStore::SetBoolean(uint32_t row, uint32_t column, bool value) {
    Put(row, column, SheetCell{WB_BOOLEAN, value ? 1.0 : 0.0, value ? "TRUE" : "FALSE"});
}

void CellStore::SetError(uint32_t row, uint32_t column, int nCode, std::string text) {
    Put(row, column, SheetCell{WB_ERROR, double(nCode), std::move(text)});
}

void CellStore::SetBlank(uint32_t row, uint32_t column) {
    Put(row, column, SheetCell{});
}

// An empty sheet still has a used range: its first cell, as the
// spreadsheet application reports it.
int CellStore::RowCount() const {
    return bAny_ ? int(lastRow_ - firstRow_ + 1) : 1;
}

int CellStore::ColumnCount() const {
    return bAny_ ? int(lastColumn_ - firstColumn_ + 1) : 1;
}

const SheetCell* CellStore::CellAt(int nRow, int nColumn) const {
    if (nRow < 1 || nColumn < 1 || nRow > RowCount() || nColumn > ColumnCount())
        return nullptr;
    auto it =
        cells_.find(Key(firstRow_ + uint32_t(nRow - 1), firstColumn_ + uint32_t(nColumn - 1)));
    return it == cells_.end() ? nullptr : &it->second;
}

const char* ErrorCodeText(int nCode) {
    switch (nCode) {
    case 0x00:
        return "#NULL!";
    case 0x07:
        return "#DIV/0!";
    case 0x0F:
        return "#VALUE!";
    case 0x17:
        return "#REF!";
    case 0x1D:
        return "#NAME?";
    case 0x24:
        return "#NUM!";
    default:
        return "#N/A";
    }
}
