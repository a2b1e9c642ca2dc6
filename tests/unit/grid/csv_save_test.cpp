#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "csv_save.h"
#include "csv_walk.h"
#include "cell_store.h"

using Cells = std::map<std::pair<int, int>, std::string>;

static std::string Save(int rows, int cols, const Cells& cells) {
    return FormatGridCsv(rows, cols, [&](int row, int col, char* buffer) {
        auto it = cells.find({row, col});
        if (it != cells.end()) {
            std::strcpy(buffer, it->second.c_str());
        }
    });
}

TEST(SaveFormat, TwoByThreeExample) {
    EXPECT_EQ(Save(2, 3, {{{1, 1}, "a"}, {{1, 2}, "b"}, {{1, 3}, ""}}), "a;b;\n;;\n");
}

TEST(SaveFormat, EmptyAndOutsideCells) {
    EXPECT_EQ(Save(0, 5, {{{1, 1}, "x"}}), "") << "0 rows gives an empty file";
    EXPECT_EQ(Save(1, 1, {{{1, 2}, "outside"}, {{2, 1}, "below"}}), "\"\"\n");
    EXPECT_EQ(Save(2, 2, {{{2, 2}, "z"}}), ";\n;z\n");
    EXPECT_EQ(Save(3, 1, {{{2, 1}, "b"}}), "\"\"\nb\n\"\"\n") << "one column: no blank lines";
}

struct QuoteCase {
    const char* cell;
    const char* saved;
};

TEST(SaveFormat, FieldsHoldingASeparatorQuoteOrLineBreakAreQuoted) {
    const QuoteCase cases[] = {
        {"x;y", "\"x;y\""},
        {"\"x;y\"", "\"\"\"x;y\"\"\""},
        {"\"x;y", "\"\"\"x;y\""},
        {"x;y\"", "\"x;y\"\"\""},
        {"\"hi\"", "\"\"\"hi\"\"\""},
        {"Smith, John", "\"Smith, John\""},
        {"a\tb", "\"a\tb\""},
        {"say \"no\"", "\"say \"\"no\"\"\""},
        {"two\nlines", "\"two\nlines\""},
        {"cr\r", "\"cr\r\""},
        {";", "\";\""},
        {" blanks around ", " blanks around "},
        {"sep=|", "\"sep=|\""},
        {"SEP=x", "\"SEP=x\""},
        {"\xEF\xBB\xBFmark", "\"\xEF\xBB\xBFmark\""},
        {"\xFF\xFEmark", "\"\xFF\xFEmark\""},
        {"M\xC3\xBCller", "M\xC3\xBCller"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Save(1, 1, {{{1, 1}, c.cell}}), std::string(c.saved) + "\n") << c.cell;
    }
}

TEST(SaveFormat, OnlyTheFirstFieldOfTheFileIsGuardedAgainstMarkers) {
    EXPECT_EQ(Save(2, 2, {{{1, 2}, "sep=|"}, {{2, 1}, "sep=|"}, {{2, 2}, "\xEF\xBB\xBF"}}),
              ";sep=|\nsep=|;\xEF\xBB\xBF\n");
}

// A table built the way the csv library lays out its lists.
struct FakeTable {
    std::vector<std::vector<std::pair<int, std::string>>> rows;
    std::vector<CsvRow> rowRecords;
    std::vector<std::vector<CsvCell>> cellRecords;
    CsvTable table{};

    CsvTable* Build(const std::vector<int>& rowIndices) {
        rowRecords.resize(rows.size());
        cellRecords.resize(rows.size());
        for (size_t r = 0; r < rows.size(); ++r) {
            cellRecords[r].resize(rows[r].size());
            for (size_t c = 0; c < rows[r].size(); ++c) {
                cellRecords[r][c].nColumn = rows[r][c].first;
                cellRecords[r][c].pszText = rows[r][c].second.data();
                cellRecords[r][c].pNext = c + 1 < rows[r].size() ? &cellRecords[r][c + 1] : nullptr;
            }
            rowRecords[r].nRow = rowIndices[r];
            rowRecords[r].pFirstCell = rows[r].empty() ? nullptr : &cellRecords[r][0];
            rowRecords[r].pNext = r + 1 < rows.size() ? &rowRecords[r + 1] : nullptr;
        }
        table.nRowCount = static_cast<int32_t>(rows.size());
        table.pFirstRow = rows.empty() ? nullptr : &rowRecords[0];
        return &table;
    }
};

TEST(LoadWalk, TakesEveryCellAndEmptiesTheLists) {
    FakeTable fake;
    fake.rows = {{{0, "a"}, {1, "b"}}, {}, {{2, "c"}, {0, "d"}}};
    CsvTable* table = fake.Build({0, 1, 2});
    std::vector<std::string> seen;
    TakeCsvCells(table, [&](int row, int col, const char* text) {
        seen.push_back(std::to_string(row) + "," + std::to_string(col) + "=" + text);
    });
    EXPECT_EQ(seen, (std::vector<std::string>{"0,0=a", "0,1=b", "2,2=c", "2,0=d"}));
    EXPECT_EQ(table->pFirstRow, nullptr);
    EXPECT_EQ(fake.rowRecords[0].pFirstCell, nullptr);
    EXPECT_EQ(fake.rowRecords[2].pFirstCell, nullptr);
}

TEST(LoadWalk, LongTextsAreCutAtACharacterBoundary) {
    FakeTable fake;
    std::string longText(984, 'x');
    longText += "\xE2\x82\xAC\xE2\x82\xAC"; // two 3-byte characters across the limit
    fake.rows = {{{0, longText}}};
    CsvTable* table = fake.Build({0});
    std::string got;
    TakeCsvCells(table, [&](int, int, const char* text) { got = text; });
    EXPECT_EQ(got, std::string(984, 'x'));
    EXPECT_LE(got.size(), kMaxCellText);
}
