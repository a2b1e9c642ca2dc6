#include "grid_cell_access.h"

#include "grid_geometry.h"

long CellChildCount(const GridRecord& rec) {
    return (static_cast<long>(rec.nRows) + 1) * (rec.nCols + 1);
}

static bool InGrid(const GridRecord& rec, int row, int col) {
    return row >= 0 && row <= rec.nRows && col >= 0 && col <= rec.nCols;
}

long CellChildId(const GridRecord& rec, int row, int col) {
    if (!InGrid(rec, row, col)) {
        return 0;
    }
    return static_cast<long>(row) * (rec.nCols + 1) + col + 1;
}

long CursorChildId(const GridRecord& rec) {
    if (rec.nCursorRow < 1 || rec.nCursorCol < 1) {
        return 0;
    }
    return CellChildId(rec, rec.nCursorRow, rec.nCursorCol);
}

bool CellFromChildId(const GridRecord& rec, long id, CellRef* cell) {
    if (id < 1 || id > CellChildCount(rec)) {
        return false;
    }
    cell->nRow = static_cast<int32_t>((id - 1) / (rec.nCols + 1));
    cell->nCol = static_cast<int32_t>((id - 1) % (rec.nCols + 1));
    return true;
}

CellKind KindOfCell(const CellRef& cell) {
    if (cell.nRow == 0) {
        return cell.nCol == 0 ? CellKind::Corner : CellKind::ColumnHeader;
    }
    return cell.nCol == 0 ? CellKind::RowHeader : CellKind::Data;
}

// Header text may run over several lines; a name is one.
static std::string OneLine(const GridRecord& rec, int row, int col) {
    const StoredCell* stored = rec.cells.Find(row, col);
    std::string text = stored ? stored->text : std::string();
    for (char& c : text) {
        if (c == '\n' || c == '\r' || c == '\t') {
            c = ' ';
        }
    }
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos) {
        return std::string();
    }
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::string ColumnTitle(const GridRecord& rec, int col) {
    std::string title = OneLine(rec, 0, col);
    if (!title.empty()) {
        return title;
    }
    char letters[3];
    ColumnLetters(col, letters);
    return letters[0] == ' ' ? letters + 1 : letters;
}

std::string CellName(const GridRecord& rec, const CellRef& cell) {
    const std::string row = "row " + std::to_string(cell.nRow);
    switch (KindOfCell(cell)) {
    case CellKind::Corner:
        return OneLine(rec, 0, 0);
    case CellKind::ColumnHeader:
        return ColumnTitle(rec, cell.nCol);
    case CellKind::RowHeader:
        return row;
    case CellKind::Data:
        break;
    }
    return ColumnTitle(rec, cell.nCol) + ", " + row;
}

bool IsCursorCell(const GridRecord& rec, const CellRef& cell) {
    return cell.nRow == rec.nCursorRow && cell.nCol == rec.nCursorCol;
}

const char* CellValue(const GridRecord& rec, const CellRef& cell) {
    if (rec.bEditing && IsCursorCell(rec, cell)) {
        return rec.szEdit;
    }
    const StoredCell* stored = rec.cells.Find(cell.nRow, cell.nCol);
    return stored ? stored->text.c_str() : "";
}

static int ShownColumn(const GridRecord& rec, int col, int dir) {
    for (int k = col + dir; k >= 0 && k <= rec.nCols; k += dir) {
        if (rec.anColWidth[k] != 0) {
            return k;
        }
    }
    return -1;
}

bool StepFromCell(const GridRecord& rec, const CellRef& from, CellStep step, CellRef* to) {
    *to = from;
    switch (step) {
    case CellStep::Left:
    case CellStep::Right:
        to->nCol = ShownColumn(rec, from.nCol, step == CellStep::Left ? -1 : +1);
        break;
    case CellStep::Up:
        --to->nRow;
        break;
    case CellStep::Down:
        ++to->nRow;
        break;
    case CellStep::Next:
    case CellStep::Previous: {
        const long id = CellChildId(rec, from.nRow, from.nCol) + (step == CellStep::Next ? 1 : -1);
        return CellFromChildId(rec, id, to);
    }
    }
    return InGrid(rec, to->nRow, to->nCol);
}
