#include <gtest/gtest.h>

#include "workbook_test_util.h"
#include "xlsx_reader.h"

namespace {

struct XlsxCase {
    const char* name;
    std::string sheetData;
    std::string sharedStrings;
    Grid expected;
};

const std::string kShared = "<si><t>Name</t></si>"
                            "<si><r><rPr><b/></rPr><t>Bo</t></r><r><t xml:space=\"preserve\">ld "
                            "</t></r><rPh sb=\"0\" eb=\"1\"><t>ignored</t></rPh></si>"
                            "<si><t>Gr\xC3\xBC\xC3\x9F"
                            "e &amp; \xCE\xA9</t></si>"
                            "<si/>";

std::vector<XlsxCase> Cases() {
    return {
        {"DataStartingAtC3IsRowOneColumnOne",
         "<row r=\"3\"><c r=\"C3\" t=\"s\"><v>0</v></c></row>"
         "<row r=\"4\"><c r=\"D4\"><v>3</v></c></row>",
         kShared,
         {{"Name", ""}, {"", "3"}}},
        {"Numbers",
         "<row r=\"1\"><c r=\"A1\"><v>3</v></c><c r=\"B1\"><v>2.50</v></c>"
         "<c r=\"C1\" t=\"n\"><v>1.05</v></c><c r=\"D1\"><v>0</v></c><c r=\"E1\"><v>-4.25</v></c>"
         "<c r=\"F1\"><v>0.33333333333333331</v></c><c r=\"G1\"><v>1E-3</v></c></row>",
         "",
         {{"3", "2.5", "1.05", "0", "-4.25", "0.3333333333", "0.001"}}},
        {"SharedStringsRichTextAndEntities",
         "<row r=\"1\"><c r=\"A1\" t=\"s\"><v>1</v></c><c r=\"B1\" t=\"s\"><v>2</v></c>"
         "<c r=\"C1\" t=\"s\"><v>3</v></c></row>",
         kShared,
         {{"Bold ", "Gr\u00FC\u00DFe & \u03A9", ""}}},
        {"InlineStringsAndEscapes",
         "<row r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is><t>\xE6\x9D\xB1\xE4\xBA\xAC</t></is></c>"
         "<c r=\"B1\" t=\"inlineStr\"><is><r><t>a</t></r><r><t>b</t></r></is></c>"
         "<c r=\"C1\" t=\"inlineStr\"><is><t>x_x000D_y &#233;&#x3A9;</t></is></c>"
         "<c r=\"D1\" t=\"inlineStr\"><is><t><![CDATA[<raw>]]></t></is></c></row>",
         "",
         {{"\u6771\u4EAC", "ab", "x\ry \u00E9\u03A9", "<raw>"}}},
        {"BooleansErrorsAndFormulaStrings",
         "<row r=\"1\"><c r=\"A1\" t=\"b\"><v>1</v></c><c r=\"B1\" t=\"b\"><v>0</v></c>"
         "<c r=\"C1\" t=\"e\"><f>1/0</f><v>#DIV/0!</v></c>"
         "<c r=\"D1\" t=\"str\"><f>A2&amp;\"x\"</f><v>mixed x</v></c>"
         "<c r=\"E1\"><f>2+2</f><v>4</v></c><c r=\"F1\" t=\"str\"><f>\"\"</f><v></v></c></row>",
         "",
         {{"TRUE", "FALSE", "#DIV/0!", "mixed x", "4", ""}}},
        {"CellsWithoutReferencesFollowOneAnother",
         "<row r=\"2\"><c><v>1</v></c><c><v>2</v></c></row><row><c><v>3</v></c></row>",
         "",
         {{"1", "2"}, {"3", ""}}},
        {"StyledEmptyCellsWidenTheUsedRange",
         "<row r=\"1\"><c r=\"B1\"><v>7</v></c><c r=\"D1\" s=\"2\"/></row>"
         "<row r=\"2\"><c r=\"B2\" s=\"1\"><v></v></c></row>",
         "",
         {{"7", "", ""}, {"", "", ""}}},
        {"PrefixedNamespace",
         "<x:row r=\"1\"><x:c r=\"A1\" t=\"inlineStr\"><x:is><x:t>ok</x:t></x:is></x:c></x:row>",
         "",
         {{"ok"}}},
        {"EmptySheet", "", "", {{""}}},
    };
}

TEST(XlsxReader, ReadsFirstSheetCells) {
    for (bool bDeflate : {true, false}) {
        for (const XlsxCase& c : Cases()) {
            WorkbookPtr book = Open(MakeXlsx(c.sheetData, c.sharedStrings, bDeflate));
            ASSERT_NE(book, nullptr) << c.name;
            EXPECT_EQ(ReadGrid(book.get()), c.expected)
                << c.name << (bDeflate ? " (deflated)" : " (stored)");
        }
    }
}

TEST(XlsxReader, CellReferences) {
    const struct {
        const char* ref;
        bool ok;
        uint32_t row, column;
    } cases[] = {
        {"A1", true, 1, 1},
        {"C3", true, 3, 3},
        {"z9", true, 9, 26},
        {"AA10", true, 10, 27},
        {"XFD1048576", true, 1048576, 16384},
        {"XFE1", false, 0, 0},
        {"A1048577", false, 0, 0},
        {"AAAA1", false, 0, 0},
        {"A0", false, 0, 0},
        {"1", false, 0, 0},
        {"A", false, 0, 0},
        {"A1B", false, 0, 0},
        {"", false, 0, 0},
        {"A99999999999", false, 0, 0},
    };
    for (const auto& c : cases) {
        uint32_t row = 0, column = 0;
        EXPECT_EQ(ParseCellReference(c.ref, row, column), c.ok) << c.ref;
        if (c.ok) {
            EXPECT_EQ(row, c.row) << c.ref;
            EXPECT_EQ(column, c.column) << c.ref;
        }
    }
}

} // namespace
