#include <gtest/gtest.h>

#include "workbook_test_util.h"

namespace {

Bytes Wide(const std::u16string& text) {
    Bytes b;
    for (char16_t c : text)
        PutU16(b, c);
    return b;
}

Bytes Join(std::initializer_list<Bytes> parts) {
    Bytes out;
    for (const Bytes& p : parts)
        out.insert(out.end(), p.begin(), p.end());
    return out;
}

// Four shared strings laid out the way long tables are: the first string's
// characters change from 8-bit to UTF-16 in a CONTINUE record, the second
// one's rich-text runs straddle the next CONTINUE, the third has phonetic
// data, the fourth is empty.
std::vector<BiffRecordDef> ContinuedSst() {
    Bytes sst;
    PutU32(sst, 4);
    PutU32(sst, 4);
    PutU16(sst, 9);
    sst.push_back(0);
    for (uint8_t c : {uint8_t('G'), uint8_t('r'), uint8_t(0xFC), uint8_t(0xDF), uint8_t('e')})
        sst.push_back(c);
    Bytes first = Join({{0x01}, Wide(u", \u03A9\u03BC")});
    PutU16(first, 4);
    first.push_back(0x09);
    PutU16(first, 1);
    first = Join({first, Wide(u"Rich"), {0x00, 0x00}});
    Bytes second = {0x05, 0x00};
    PutU16(second, 3);
    second.push_back(0x04);
    PutU32(second, 2);
    second = Join({second, {'a', 'b', 'c', 0xAA, 0xBB}});
    PutU16(second, 0);
    second.push_back(0);
    return {{0x00FC, sst}, {0x003C, first}, {0x003C, second}};
}

struct XlsCase {
    const char* name;
    std::vector<BiffRecordDef> records;
    Grid expected;
};

uint32_t RkInt(int32_t v, bool bTimes100 = false) {
    return (uint32_t(v) << 2) | 2u | (bTimes100 ? 1u : 0u);
}

std::vector<XlsCase> Cases() {
    Bytes stringRecord;
    PutU16(stringRecord, 6);
    stringRecord.push_back(0);
    stringRecord.insert(stringRecord.end(), {'a', 'b', 'c'});
    Bytes stringContinue = Join({{0x01}, Wide(u"\u0434\u0435\u043B")});
    return {
        {"DataStartingAtC3IsRowOneColumnOne",
         {LabelSst(2, 2, 2), Number(3, 3, 3)},
         {{"abc", ""}, {"", "3"}}},
        {"NumberRecords",
         {Number(0, 0, 3), Number(0, 1, 2.5), Number(0, 2, 1.05), Number(0, 3, 0),
          Number(0, 4, -4.25), Number(0, 5, 1.0 / 3)},
         {{"3", "2.5", "1.05", "0", "-4.25", "0.3333333333"}}},
        {"RkForms",
         {Rk(0, 0, RkInt(3)), Rk(0, 1, RkInt(250, true)), Rk(0, 2, RkInt(-425, true)),
          Rk(0, 3, 0x3FE00000), Rk(0, 4, 0x40938800 | 1)},
         {{"3", "2.5", "-4.25", "0.5", "12.5"}}},
        {"MulRkFillsAdjacentColumns",
         {MulRk(1, 1, {RkInt(1), RkInt(105, true), RkInt(-7)})},
         {{"1", "1.05", "-7"}}},
        {"SharedStringsAcrossContinueRecords",
         {LabelSst(0, 0, 0), LabelSst(0, 1, 1), LabelSst(0, 2, 2), LabelSst(0, 3, 3)},
         {{"Gr\u00FC\u00DFe, \u03A9\u03BC", "Rich", "abc", ""}}},
        {"LabelsLatin1AndUtf16",
         {Label(0, 0, u"Caf\u00E9 cr\u00E8me", false), Label(0, 1, u"\u041C\u0438\u0440", true),
          Label(0, 2, u"\u6771\u4EAC", true)},
         {{"Caf\u00E9 cr\u00E8me", "\u041C\u0438\u0440", "\u6771\u4EAC"}}},
        {"BooleansAndErrors",
         {BoolErr(0, 0, 1, false), BoolErr(0, 1, 0, false), BoolErr(0, 2, 0x07, true),
          BoolErr(0, 3, 0x2A, true)},
         {{"TRUE", "FALSE", "#DIV/0!", "#N/A"}}},
        {"BlankCellsWidenTheUsedRange",
         {Blank(0, 0), Number(1, 1, 5), MulBlank(2, 1, 3)},
         {{"", "", "", ""}, {"", "5", "", ""}, {"", "", "", ""}}},
        {"FormulaCachedValues",
         {FormulaNumber(0, 0, 42.5),
          FormulaSpecial(0, 1, 0, 0),
          {0x0207, stringRecord},
          {0x003C, stringContinue},
          FormulaSpecial(0, 2, 1, 1),
          FormulaSpecial(0, 3, 2, 0x17),
          FormulaSpecial(0, 4, 3, 0)},
         {{"42.5", "abc\u0434\u0435\u043B", "TRUE", "#REF!", ""}}},
        {"LaterRecordReplacesEarlierInSameCell",
         {Number(0, 0, 1), Number(0, 0, 2), Number(0, 1, 9), Blank(0, 1)},
         {{"2", ""}}},
        {"NoCellsGivesOneEmptyCell", {}, {{""}}},
    };
}

TEST(XlsReader, ReadsFirstSheetCells) {
    for (bool bRegular : {true, false}) {
        for (const XlsCase& c : Cases()) {
            WorkbookPtr book = Open(MakeXls(ContinuedSst(), c.records, bRegular));
            ASSERT_NE(book, nullptr) << c.name;
            EXPECT_EQ(ReadGrid(book.get()), c.expected)
                << c.name << (bRegular ? " (regular sectors)" : " (mini stream)");
        }
    }
}

TEST(XlsReader, CellKindsAndValuesForTheAutomationServer) {
    WorkbookPtr book =
        Open(MakeXls(ContinuedSst(), {Number(0, 0, 2.5), LabelSst(0, 1, 2), BoolErr(0, 2, 1, false),
                                      BoolErr(0, 3, 0x07, true), Blank(0, 4)}));
    ASSERT_NE(book, nullptr);
    const struct {
        int column, kind;
        double number;
    } expected[] = {{1, WB_NUMBER, 2.5}, {2, WB_TEXT, 0},  {3, WB_BOOLEAN, 1},
                    {4, WB_ERROR, 7},    {5, WB_EMPTY, 0}, {6, WB_EMPTY, 0}};
    for (const auto& e : expected) {
        EXPECT_EQ(WorkbookCellKind(book.get(), 1, e.column), e.kind) << "column " << e.column;
        EXPECT_EQ(WorkbookCellNumber(book.get(), 1, e.column), e.number) << "column " << e.column;
    }
}

TEST(XlsReader, OutsideTheUsedRangeIsEmptyText) {
    WorkbookPtr book = Open(MakeXls({}, {Number(4, 4, 1)}));
    ASSERT_NE(book, nullptr);
    for (auto [row, column] : {std::pair{0, 1}, {1, 0}, {2, 1}, {1, 2}, {-5, -5}}) {
        EXPECT_STREQ(WorkbookCellText(book.get(), row, column), "") << row << "," << column;
        EXPECT_EQ(WorkbookCellKind(book.get(), row, column), WB_EMPTY);
    }
}

TEST(WorkbookApi, NullWorkbook) {
    EXPECT_EQ(WorkbookOpen(nullptr, 10), nullptr);
    EXPECT_EQ(WorkbookRowCount(nullptr), -1);
    EXPECT_EQ(WorkbookColumnCount(nullptr), -1);
    EXPECT_STREQ(WorkbookCellText(nullptr, 1, 1), "");
    WorkbookClose(nullptr);
}

} // namespace
