#pragma once
// Round trips shared by the native tests and the Wine tests of csv.dll: grids
// the editor saves, and tables other writers saved.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "cell_store.h"
#include "csv_save.h"
#include "csv_test_util.h"
#include "test_files.h"

// A cell the editor can hold, built from the bytes that steer writers and
// readers: separators, quotes, line breaks, blanks, a "sep=" or a byte-order
// mark that may start the file. Now and then one as long as the grid takes.
inline std::string RandomGridCell(std::mt19937& random) {
    static const char* const pieces[] = {
        "a",  "Z",  "0",    " ", ",",    ";",        "\t",           "\"",          "\"\"",
        "\r", "\n", "\r\n", "|", "sep=", "\xC3\xBC", "\xE2\x82\xAC", "\xEF\xBB\xBF"};
    size_t pieceCount = random() % 50 == 0 ? kMaxCellText : random() % 7;
    std::string cell;
    for (size_t i = 0; i < pieceCount; ++i) {
        const char* piece = pieces[random() % (sizeof pieces / sizeof pieces[0])];
        if (cell.size() + std::strlen(piece) > kMaxCellText) {
            break;
        }
        cell += piece;
    }
    return cell;
}

// One to six rows of one to five columns.
inline Rows RandomGrid(std::mt19937& random) {
    Rows grid(1 + random() % 6, std::vector<std::string>(1 + random() % 5));
    for (auto& row : grid) {
        for (auto& cell : row) {
            cell = RandomGridCell(random);
        }
    }
    return grid;
}

// The file the editor saves for a grid.
inline std::string SaveLikeEditor(const Rows& grid) {
    int rows = static_cast<int>(grid.size());
    int columns = rows > 0 ? static_cast<int>(grid[0].size()) : 0;
    return FormatGridCsv(rows, columns, [&](int row, int col, char* buffer) {
        const std::string& text = grid[row - 1][col - 1];
        std::memcpy(buffer, text.c_str(), text.size() + 1);
    });
}

struct WrittenTable {
    std::string name;
    std::string bytes;
    Rows cells;
};

// The tables in tests/unit/csv/other_writers.corpus (see other_writers.py,
// which writes it); empty when the file cannot be read.
inline std::vector<WrittenTable> ReadOtherWritersCorpus() {
    const char* root = std::getenv("DOTWELL_SOURCE_DIR");
    const std::string all = ReadFileBytes(std::string(root ? root : DOTWELL_SOURCE_DIR) +
                                          "/tests/unit/csv/other_writers.corpus");
    size_t pos = 0;
    auto line = [&] {
        size_t end = all.find('\n', pos);
        std::string text = all.substr(pos, end - pos);
        pos = end == std::string::npos ? all.size() : end + 1;
        return text;
    };
    auto counted = [&] {
        size_t length = std::stoul(line());
        std::string bytes = all.substr(pos, length);
        pos += length + 1;
        return bytes;
    };
    std::vector<WrittenTable> tables;
    while (pos < all.size()) {
        WrittenTable table;
        table.name = line();
        table.bytes = counted();
        table.cells.resize(std::stoul(line()));
        for (auto& row : table.cells) {
            row.resize(std::stoul(line()));
            for (auto& cell : row) {
                cell = counted();
            }
        }
        tables.push_back(table);
    }
    return tables;
}

// How a reader takes a file's bytes into cells.
using ReadCells = std::function<Rows(const std::string& bytes)>;

// Random grids the editor saves read back exactly; stops at the first that
// does not.
inline void ExpectEditorFilesReadBack(int rounds, const ReadCells& read) {
    std::mt19937 random(4711);
    for (int round = 0; round < rounds; ++round) {
        Rows grid = RandomGrid(random);
        std::string bytes = SaveLikeEditor(grid);
        Rows actual = read(bytes);
        ASSERT_EQ(actual, grid) << "file \"" << bytes << "\" read as " << Show(actual);
    }
}

inline void ExpectOtherWritersReadBack(const ReadCells& read) {
    auto tables = ReadOtherWritersCorpus();
    ASSERT_EQ(tables.size(), 360u);
    for (const auto& table : tables) {
        Rows actual = read(table.bytes);
        EXPECT_EQ(actual, table.cells)
            << table.name << ": file \"" << table.bytes << "\" read as " << Show(actual);
    }
}
