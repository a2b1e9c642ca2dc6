// The cells of one sheet and its used range.
#pragma once

#include <cstdint>
#include <map>
#include <string>

#include "workbook.h"

struct SheetCell {
    int nKind = WB_EMPTY;
    double number = 0;
    std::string text; // as shown
};

// Rows and columns are 0-based sheet positions here.
class CellStore {
  public:
    void SetNumber(uint32_t row, uint32_t column, double value);
    void SetText(uint32_t row, uint32_t column, std::string text);
    void SetBoolean(uint32_t row, uint32_t column, bool value);
    void SetError(uint32_t row, uint32_t column, int nCode, std::string text);
    // A formatted cell without a value still widens the used range.
    void SetBlank(uint32_t row, uint32_t column);

    int RowCount() const;
    int ColumnCount() const;
    // 1-based from the used range's top left cell; null when empty.
    const SheetCell* CellAt(int nRow, int nColumn) const;

  private:
    void Put(uint32_t row, uint32_t column, SheetCell cell);

    std::map<uint64_t, SheetCell> cells_;
    bool bAny_ = false;
    uint32_t firstRow_ = 0, lastRow_ = 0, firstColumn_ = 0, lastColumn_ = 0;
};

// Text of the spreadsheet's error codes ("#DIV/0!"); "#N/A" for unknown codes.
const char* ErrorCodeText(int nCode);
