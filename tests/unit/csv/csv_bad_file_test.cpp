#include <gtest/gtest.h>

#include <random>

#include "csv_test_util.h"

namespace {

// Every row and cell of a table is reachable both ways and stays inside the
// parsed bytes.
void ExpectConsistent(const CsvTable* table, size_t inputSize) {
    int32_t rows = 0;
    for (const CsvRow* row = table->pFirstRow; row != nullptr; row = row->pNext, ++rows) {
        ASSERT_EQ(row->nRow, rows);
        ASSERT_NE(row->pFirstCell, nullptr);
        for (const CsvCell* cell = row->pFirstCell; cell != nullptr; cell = cell->pNext) {
            ASSERT_LT(cell->nColumn, CsvColumnCount(table));
            ASSERT_EQ(CsvTableCell(table, rows, cell->nColumn), cell->pszText);
            ASSERT_LE(strlen(cell->pszText), inputSize / 2 * 3 + 3); // UTF-16 grows
        }
    }
    ASSERT_EQ(rows, CsvRowCount(table));
}

TEST(CsvBadFiles, BinaryGarbage) {
    std::mt19937 random(99);
    for (int round = 0; round < 300; ++round) {
        std::string bytes(random() % 2000, '\0');
        // Mostly the bytes that steer the parser, some of anything else.
        static const char steering[] = "\"\";,\t\r\n\xEF\xBB\xBF";
        for (auto& b : bytes) {
            b = random() % 4 ? steering[random() % (sizeof steering - 1)]
                             : static_cast<char>(random());
        }
        CsvTable* table = CsvTableFromBytes(bytes.data(), bytes.size());
        ASSERT_NE(table, nullptr);
        ExpectConsistent(table, bytes.size());
        CsvClose(table);
    }
}

TEST(CsvBadFiles, HugeSingleField) {
    const size_t size = 50u << 20;
    for (bool quoted : {false, true}) {
        std::string bytes(size, 'x');
        if (quoted) {
            bytes.front() = '"';
            bytes.back() = '"';
            bytes[size / 2] = ';';
        }
        CsvTable* table = CsvTableFromBytes(bytes.data(), bytes.size());
        ASSERT_NE(table, nullptr);
        ASSERT_EQ(CsvRowCount(table), 1);
        ASSERT_EQ(CsvColumnCount(table), 1);
        EXPECT_EQ(strlen(CsvTableCell(table, 0, 0)), quoted ? size - 2 : size);
        CsvClose(table);
    }
}

TEST(CsvBadFiles, EmbeddedNulsAndUnterminatedQuotes) {
    struct {
        const char* name;
        std::string bytes;
        Rows expected;
    } cases[] = {
        {"NUL cuts the cell's text, not the row",
         std::string("a\0b;c\nd;e\n", 10),
         {{"a", "c"}, {"d", "e"}}},
        {"NUL only", std::string("\0", 1), {{""}}},
        {"unterminated quote reads as text", "a;\"b\nc;d\n", {{"a", "\"b"}, {"c", "d"}}},
        {"unterminated at the end", "\"abc", {{"\"abc"}}},
        {"a lone quote", "\"", {{"\""}}},
        {"quote then line end", "\"\n", {{"\""}}},
    };
    for (const auto& c : cases) {
        Rows actual = Parse(c.bytes);
        EXPECT_EQ(actual, c.expected)
            << c.name << ": expected " << Show(c.expected) << " got " << Show(actual);
    }
}

// Each unterminated quote must not send the parser to the end of the data
// again: this file would take hours if it did.
TEST(CsvBadFiles, ManyUnterminatedQuotesStayLinear) {
    std::string bytes;
    for (int i = 0; i < 200000; ++i) {
        bytes += "\"x;y\n";
    }
    CsvTable* table = CsvTableFromBytes(bytes.data(), bytes.size());
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(CsvRowCount(table), 200000);
    EXPECT_STREQ(CsvTableCell(table, 199999, 0), "\"x");
    CsvClose(table);
}

} // namespace
