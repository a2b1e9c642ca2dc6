#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <random>

#include "csv_round_trip.h"

namespace {

struct GridCase {
    const char* name;
    Rows grid;
};

void ExpectReadBack(const std::vector<GridCase>& cases, std::string (*save)(const Rows&)) {
    for (const auto& c : cases) {
        std::string bytes = save(c.grid);
        Rows actual = Parse(bytes);
        EXPECT_EQ(actual, c.grid) << c.name << ": file \"" << bytes << "\" read as "
                                  << Show(actual);
    }
}

// Grids whose files older versions of the editor already wrote so that they
// read back.
const std::vector<GridCase> kPlainGrids = {
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

TEST(CsvEditorFiles, ReadBackExactly) {
    std::vector<GridCase> cases = kPlainGrids;
    cases.insert(
        cases.end(),
        {
            {"one column with commas", {{"Smith, John"}, {"Doe, Jane"}}},
            {"a tab in a cell", {{"a\tb", "c"}, {"d", "e"}}},
            {"doubled quotes before a separator", {{"contact \"Sam\"; after 5pm, please", "x"}}},
            {"doubled quotes before commas", {{"{\"a\": \"b\", \"c\": 1}"}}},
            {"quoted cells", {{"\"hi\"", "\"x;y\""}, {"x;y\"", "\""}}},
            {"one column ending in empty rows", {{"a"}, {""}, {""}}},
            {"one empty cell", {{""}}},
            {"first cell like a separator line", {{"sep=|"}, {"x|y"}}},
            {"first cell starting with a byte-order mark", {{"\xEF\xBB\xBFx", "y"}}},
            {"the longest cell, all quotes", {{std::string(kMaxCellText, '"'), ";"}}},
        });
    ExpectReadBack(cases, SaveLikeEditor);
}

TEST(CsvEditorFiles, RandomGridsReadBackExactly) {
    ExpectEditorFilesReadBack(3000, Parse);
}

// Older versions of the editor quoted a cell only when it held a semicolon
// (and not where it already started or ended with a quote), and left the
// quotes inside as they were.
std::string SaveLikeOlderEditor(const Rows& grid) {
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

TEST(CsvEditorFiles, OlderEditorFilesReadBackExactly) {
    ExpectReadBack(kPlainGrids, SaveLikeOlderEditor);
}

// Cells the older editor's rules can carry: quotes never next to a
// semicolon or a line end, never doubled, never first or last; line breaks
// only together with a semicolon; no tabs, which made the file
// tab-separated. Nor a comma just before a quote: a record with one can read
// as quoting rules kept with commas, and then the file is taken for a comma
// file.
std::string RandomOlderEditorCell(std::mt19937& random) {
    static const std::vector<std::string> pieces = {"a", "Z",  "0",        " ",  ",",
                                                    ";", "\t", "\xC3\xBC", "\"q"};
    std::string cell;
    size_t length = random() % 6;
    for (size_t i = 0; i < length; ++i) {
        std::string piece = pieces[random() % pieces.size()];
        if (!(piece == "\"q" && !cell.empty() && cell.back() == ',')) {
            cell += piece;
        }
    }
    cell.erase(std::remove(cell.begin(), cell.end(), '\t'), cell.end());
    size_t semicolon = cell.find(';');
    if (semicolon != std::string::npos && random() % 3 == 0) {
        cell = cell.substr(0, semicolon) + "\n" + cell.substr(semicolon);
    }
    return !cell.empty() && cell.front() == '"' ? "x" + cell : cell;
}

TEST(CsvEditorFiles, RandomOlderEditorFilesReadBackExactly) {
    std::mt19937 random(4711);
    for (int round = 0; round < 500; ++round) {
        size_t rows = 1 + random() % 5, columns = 2 + random() % 4;
        Rows grid(rows, std::vector<std::string>(columns));
        for (auto& row : grid) {
            for (auto& cell : row) {
                cell = RandomOlderEditorCell(random);
            }
        }
        std::string bytes = SaveLikeOlderEditor(grid);
        Rows actual = Parse(bytes);
        ASSERT_EQ(actual, grid) << "file \"" << bytes << "\" read as " << Show(actual);
    }
}

TEST(CsvOtherWriters, ReadBackExactly) {
    ExpectOtherWritersReadBack(Parse);
}

} // namespace
