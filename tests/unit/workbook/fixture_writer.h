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
struct BiffRecordSpec {
    uint16_t type;
    Bytes data;
};
Bytes MakeBiff8Stream(const std::vector<BiffRecordSpec>& sstRecords,
                      const std::vector<BiffRecordSpec>& sheetRecords,
                      const std::vector<BiffRecordSpec>& secondSheetRecords = {
                          {0x0203, {0, 0, 0, 0, 15, 0, 0, 0, 0, 0, 0, 0, 0xF0, 0x3F}}});
// Padded to at least 4096 bytes so it lives in regular sectors.
Bytes MakeXls(const std::vector<BiffRecordSpec>& sstRecords,
              const std::vector<BiffRecordSpec>& sheetRecords, bool bPadToRegular = true);

// Cell records.
BiffRecordSpec Number(uint16_t row, uint16_t column, double value);
BiffRecordSpec Rk(uint16_t row, uint16_t column, uint32_t rk);
BiffRecordSpec MulRk(uint16_t row, uint16_t firstColumn, const std::vector<uint32_t>& rks);
BiffRecordSpec LabelSst(uint16_t row, uint16_t column, uint32_t index);
// A LABEL with 8-bit (Latin-1) or UTF-16 characters.
BiffRecordSpec Label(uint16_t row, uint16_t column, const std::u16string& text, bool bWide);
BiffRecordSpec BoolErr(uint16_t row, uint16_t column, uint8_t value, bool bError);
BiffRecordSpec Blank(uint16_t row, uint16_t column);
BiffRecordSpec MulBlank(uint16_t row, uint16_t firstColumn, uint16_t count);
// FORMULA with a number result, or a special result (type 0 string,
// 1 boolean, 2 error, 3 empty string) with its value byte.
BiffRecordSpec FormulaNumber(uint16_t row, uint16_t column, double value);
BiffRecordSpec FormulaSpecial(uint16_t row, uint16_t column, uint8_t type, uint8_t value);
// XLUnicodeString body: count, flags, characters.
Bytes UnicodeString(const std::u16string& text, bool bWide);

struct ZipSpec {
    std::string name;
    std::string data;
    bool bDeflate = true;
};
Bytes MakeZip(const std::vector<ZipSpec>& entries);

// A minimal package with one sheet; no shared strings part when empty.
Bytes MakeXlsx(const std::string& sheetData, const std::string& sharedStrings = "",
               bool bDeflate = true);
