// Opening fixtures and reading a whole used range for comparison.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "fixture_writer.h"
#include "workbook.h"

struct WorkbookCloser {
    void operator()(Workbook* p) const { WorkbookClose(p); }
};
using WorkbookPtr = std::unique_ptr<Workbook, WorkbookCloser>;

inline WorkbookPtr Open(const Bytes& bytes) {
    return WorkbookPtr(WorkbookOpen(bytes.data(), bytes.size()));
}

// Rows of cell texts, e.g. {{"Name", "3"}, {"", "TRUE"}}.
using Grid = std::vector<std::vector<std::string>>;

inline Grid ReadGrid(const Workbook* book) {
    Grid grid;
    for (int r = 1; r <= WorkbookRowCount(book); ++r) {
        grid.emplace_back();
        for (int c = 1; c <= WorkbookColumnCount(book); ++c)
            grid.back().push_back(WorkbookCellText(book, r, c));
    }
    return grid;
}
