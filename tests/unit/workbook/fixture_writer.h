// Writers of small workbooks for the tests: BIFF8 records inside a compound
// document, and zip packages for .xlsx.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

using Bytes = std::vector<uint8_t>;

void PutU16(Bytes& out, uint32_t value);
void PutU32(Bytes& out, uint32_t value);
void PutF64(Bytes& out, double value);

// Compound document (512-byte sectors) with the given streams; streams
// under 4096 bytes go into the mini stream, as real writers do.
Bytes MakeCompoundFile(const std::vector<std::pair<std::string, Bytes>>& streams);

// A BIFF8 workbook stream: globals (optional SST records, the sheet list)
// and two worksheets; the second one is a decoy a reader must not show.
struct BiffRecordDef {
    uint16_t type;
    Bytes data;
};
Bytes MakeBiff8Stream(const std::vector<BiffRecordDef>& sstRecords,
                      const std::vector<BiffRecordDef>& sheetRecords,
                      const std::vector<BiffRecordDef>& secondSheetRecords = {
                          {0x0203, {0, 0, 0, 0, 15, 0, 0, 0, 0, 0, 0, 0, 0xF0, 0x3F}}});
// Padded to at least 4096 bytes so it lives in regular sectors.
Bytes MakeXls(const std::vector<BiffRecordDef>& sstRecords,
              const std::vector<BiffRecordDef>& sheetRecords, bool bPadToRegular = true);

// Cell records.
BiffRecordDef Number(uint16_t row, uint16_t column, double value);
BiffRecordDef Rk(uint16_t row, uint16_t column, uint32_t rk);
BiffRecordDef MulRk(uint16_t row, uint16_t firstColumn, const std::vector<uint32_t>& rks);
BiffRecordDef LabelSst(uint16_t row, uint16_t column, uint32_t index);
// A LABEL with 8-bit (Latin-1) or UTF-16 characters.
BiffRecordDef Label(uint16_t row, uint16_t column, const std::u16string& text, bool bWide);
BiffRecordDef BoolErr(uint16_t row, uint16_t column, uint8_t value, bool bError);
BiffRecordDef Blank(uint16_t row, uint16_t column);
BiffRecordDef MulBlank(uint16_t row, uint16_t firstColumn, uint16_t count);
// FORMULA with a number result, or a special result (type 0 string,
// 1 boolean, 2 error, 3 empty string) with its value byte.
BiffRecordDef FormulaNumber(uint16_t row, uint16_t column, double value);
BiffRecordDef FormulaSpecial(uint16_t row, uint16_t column, uint8_t type, uint8_t value);
// XLUnicodeString body: count, flags, characters.
Bytes UnicodeString(const std::u16string& text, bool bWide);

struct ZipItem {
    std::string name;
    std::string data;
    bool bDeflate = true;
};
Bytes MakeZip(const std::vector<ZipItem>& entries);

// A minimal package with one sheet; no shared strings part when empty.
Bytes MakeXlsx(const std::string& sheetData, const std::string& sharedStrings = "",
               bool bDeflate = true);
