#include <gtest/gtest.h>

#include "csv_test_util.h"
#include "test_files.h"

namespace {

struct CellCase {
    int32_t row;
    int32_t column;
    const char* expected; // null: no such cell
};

TEST(CsvTable, CountsAndCells) {
    const std::string bytes = "a;b;c\nd\n;e\n";
    CsvTable* table = CsvTableFromBytes(bytes.data(), bytes.size());
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(CsvRowCount(table), 3);
    EXPECT_EQ(CsvColumnCount(table), 3);
    const CellCase cases[] = {
        {0, 0, "a"},     {0, 2, "c"},      {1, 0, "d"},      {1, 1, ""},
        {1, 2, ""},      {2, 0, ""},       {2, 1, "e"},      {3, 0, nullptr},
        {0, 3, nullptr}, {-1, 0, nullptr}, {0, -1, nullptr}, {INT32_MAX, INT32_MAX, nullptr},
    };
    for (const auto& c : cases) {
        const char* actual = CsvTableCell(table, c.row, c.column);
        if (c.expected == nullptr) {
            EXPECT_EQ(actual, nullptr) << c.row << "," << c.column << " gave " << actual;
        } else {
            ASSERT_NE(actual, nullptr) << c.row << "," << c.column;
            EXPECT_STREQ(actual, c.expected) << c.row << "," << c.column;
        }
    }
    CsvClose(table);
}

TEST(CsvTable, NullTable) {
    EXPECT_EQ(CsvRowCount(nullptr), 0);
    EXPECT_EQ(CsvColumnCount(nullptr), 0);
    EXPECT_EQ(CsvTableCell(nullptr, 0, 0), nullptr);
    CsvClose(nullptr);
    EXPECT_EQ(CsvOpen(nullptr), nullptr);
}

TEST(CsvTable, ListsCarryIndicesInOrder) {
    CsvTable* table = CsvTableFromBytes("a;b\nc\n", 6);
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->nRowCount, 2);
    int32_t expectedRow = 0;
    for (const CsvRow* row = table->pFirstRow; row != nullptr; row = row->pNext) {
        EXPECT_EQ(row->nRow, expectedRow++);
        int32_t expectedColumn = 0;
        for (const CsvCell* cell = row->pFirstCell; cell != nullptr; cell = cell->pNext) {
            EXPECT_EQ(cell->nColumn, expectedColumn++);
        }
    }
    EXPECT_EQ(expectedRow, 2);
    CsvClose(table);

    CsvTable* empty = CsvTableFromBytes("", 0);
    ASSERT_NE(empty, nullptr);
    EXPECT_EQ(empty->pFirstRow, nullptr);
    EXPECT_EQ(CsvRowCount(empty), 0);
    EXPECT_EQ(CsvColumnCount(empty), 0);
    CsvClose(empty);
}

// The editor takes rows and cells off the lists before it closes the table;
// closing must still free everything (the sanitizer build checks for leaks)
// and reading by position must not depend on the lists.
TEST(CsvTable, UnlinkedListsStillCloseAndIndex) {
    CsvTable* table = CsvTableFromBytes("a;b\nc;d\n", 8);
    ASSERT_NE(table, nullptr);
    while (CsvRow* row = table->pFirstRow) {
        table->pFirstRow = row->pNext;
        while (CsvCell* cell = row->pFirstCell) {
            row->pFirstCell = cell->pNext;
        }
    }
    table->nRowCount = 1000;
    EXPECT_STREQ(CsvTableCell(table, 1, 1), "d");
    EXPECT_EQ(CsvTableCell(table, 2, 0), nullptr);
    EXPECT_EQ(CsvRowCount(table), 2);
    CsvClose(table);
}

TEST(CsvTable, Utf8Check) {
    const struct {
        std::string bytes;
        bool utf8;
    } cases[] = {
        {"plain;ascii\n", true},
        {"M\xC3\xBCller;\xE2\x82\xAC;\xF0\x9F\x98\x80\n", true},
        {"\xEF\xBB\xBFM\xC3\xBCller\n", true},
        {"M\xFCller\n", false}, // Windows-1252
        {"\xEF\xBB\xBFM\xFCller\n", false},
        {"\xC0\xAF", false},         // overlong
        {"\xE0\x80\xAF", false},     // overlong
        {"\xED\xA0\x80", false},     // surrogate
        {"\xF4\x90\x80\x80", false}, // above U+10FFFF
        {"abcdefgh\xC3", false},     // cut short
        {"abcdefg\xE2\x82", false},
        {"\x80", false},
        {std::string("a\0b", 3), true},
    };
    for (const auto& c : cases) {
        CsvTable* table = CsvTableFromBytes(c.bytes.data(), c.bytes.size());
        ASSERT_NE(table, nullptr);
        EXPECT_EQ(CsvTableIsUtf8(table), c.utf8) << Show({{c.bytes}});
        CsvClose(table);
    }
}

TEST(CsvFileTest, OpensFilesAndRefusesWhatIsNotOne) {
    TempFolder folder;
    std::string bytes = "\xEF\xBB\xBF\"x;y\";z\r\n1;2\r\n";
    CsvTable* table = CsvOpen(folder.Write("names.csv", bytes).c_str());
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(RowsOf(table), Parse(bytes));
    CsvClose(table);

    CsvTable* empty = CsvOpen(folder.Write("empty.csv", "").c_str());
    ASSERT_NE(empty, nullptr);
    EXPECT_EQ(CsvRowCount(empty), 0);
    CsvClose(empty);

    EXPECT_EQ(CsvOpen(folder.File("missing.csv").c_str()), nullptr);
    EXPECT_EQ(CsvOpen(folder.path().c_str()), nullptr);
}

} // namespace
