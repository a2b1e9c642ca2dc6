#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "csv_test_util.h"

namespace {

// Writes a grid the way the grid editor saves it: semicolons, a line feed
// after every row, quotes added only around cells holding a semicolon (and
// not where the cell already starts or ends with one), inner quotes as they
// are.
std::string WriteLikeEditor(const Rows& grid) {
    std::string bytes;
    for (const auto& row : grid) {
        for (size_t column = 0; column < row.size(); ++column) {
            std::string text = row[column];
            if (text.find(';') != std::string::npos) {
                text = (text.front() != '"' ? "\"" : "") + text + (text.back() != '"' ? "\"" : "");
            }
            bytes += text;
            bytes += column + 1 < row.size() ? ";" : "\n";
        }
    }
    return bytes;
}

struct GridCase {
    const char* name;
    Rows grid;
};

TEST(CsvEditorFiles, ReadBackExactly) {
    const std::vector<GridCase> cases = {
        {"empty cells and an empty row", {{"a", "b", ""}, {"", "", ""}}},
        {"commas and quotes in plain cells", {{"Smith, John", "he said \"hi\""}, {"5\"", "x"}}},
        {"semicolon cells", {{"x;y", "a"}, {"a \"b\" c;d", ";"}, {";;", "x \"y\" ;z"}}},
        {"line break in a semicolon cell", {{"one\ntwo;three", "q"}, {"r", "s"}}},
        {"CRLF in a semicolon cell", {{"one\r\ntwo;", "q"}}},
        {"UTF-8 text",
         {{"M\xC3\xBCller", "Stra\xC3\x9F"
                            "e;5"},
          {"\xE2\x82\xAC", ""}}},
        {"one column with empty rows", {{"a"}, {""}, {""}, {"b"}}},
        {"cell starting with a quote, no quote before a separator later",
         {{"\"Bud\" Smith", "x"}, {"y", "z"}}},
        {"ragged source saved rectangular", {{"a", "", ""}, {"b", "c", "d"}}},
    };
    for (const auto& c : cases) {
        std::string bytes = WriteLikeEditor(c.grid);
        Rows actual = Parse(bytes);
        EXPECT_EQ(actual, c.grid) << c.name << ": file \"" << bytes << "\" read as "
                                  << Show(actual);
    }
}

// Cells the editor's rules can carry: quotes never next to a semicolon or a
// line end, never doubled, never first or last; line breaks only together
// with a semicolon.
std::string RandomCell(std::mt19937& random) {
    static const std::vector<std::string> pieces = {"a", "Z",  "0",        " ",  ",",
                                                    ";", "\t", "\xC3\xBC", "\"q"};
    std::string cell;
    size_t length = random() % 6;
    for (size_t i = 0; i < length; ++i) {
        cell += pieces[random() % pieces.size()];
    }
    // A tab would make the file tab-separated.
    cell.erase(std::remove(cell.begin(), cell.end(), '\t'), cell.end());
    size_t semicolon = cell.find(';');
    if (semicolon != std::string::npos && random() % 3 == 0) {
        cell = cell.substr(0, semicolon) + "\n" + cell.substr(semicolon);
    }
    return !cell.empty() && cell.front() == '"' ? "x" + cell : cell;
}

TEST(CsvEditorFiles, RandomGridsReadBackExactly) {
    std::mt19937 random(4711);
    for (int round = 0; round < 500; ++round) {
        size_t rows = 1 + random() % 5, columns = 2 + random() % 4;
        Rows grid(rows, std::vector<std::string>(columns));
        for (auto& row : grid) {
            for (auto& cell : row) {
                cell = RandomCell(random);
            }
        }
        std::string bytes = WriteLikeEditor(grid);
        Rows actual = Parse(bytes);
        ASSERT_EQ(actual, grid) << "file \"" << bytes << "\" read as " << Show(actual);
    }
}

} // namespace
