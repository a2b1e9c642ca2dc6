#include "grid_geometry.h"

#include <climits>

static int Width(const GridRecord& rec, int col) {
    return rec.anColWidth[col];
}

GridRect CellRect(const GridRecord& rec, int row, int col) {
    GridRect r{};
    if (col == 0) {
        r.left = 0;
        r.right = Width(rec, 0);
    } else {
        r.left = Width(rec, 0);
        for (int k = rec.nLeftCol; k < col; ++k) {
            r.left += Width(rec, k);
        }
        r.right = r.left + Width(rec, col);
        if (rec.bExtendLastCol && NextVisibleColumn(rec, col, +1) == 0 &&
            rec.nClientWidth > r.right) {
            r.right = rec.nClientWidth;
        }
    }
    if (row == 0) {
        r.top = rec.nTitleHeight;
        r.bottom = r.top + rec.nHeaderHeight;
    } else {
        r.top = rec.nTitleHeight + rec.nHeaderHeight;
        if (row > rec.nTopRow) {
            r.top += (row - rec.nTopRow) * rec.nRowHeight;
        }
        r.bottom = r.top + rec.nRowHeight;
    }
    return r;
}

GridRect CellRectAnywhere(const GridRecord& rec, int row, int col) {
    GridRect r = CellRect(rec, row, col);
    if (row > 0 && row < rec.nTopRow) {
        r.top -= (rec.nTopRow - row) * rec.nRowHeight;
        r.bottom = r.top + rec.nRowHeight;
    }
    if (col > 0 && col < rec.nLeftCol) {
        for (int k = col; k < rec.nLeftCol; ++k) {
            r.left -= Width(rec, k);
        }
        r.right = r.left + Width(rec, col);
    }
    return r;
}

bool CellOnScreen(const GridRecord& rec, int row, int col) {
    if (Width(rec, col) == 0 || (row > 0 && row < rec.nTopRow) || (col > 0 && col < rec.nLeftCol)) {
        return false;
    }
    GridRect r = CellRect(rec, row, col);
    return r.top < rec.nClientHeight && r.left < rec.nClientWidth;
}

int NextVisibleColumn(const GridRecord& rec, int col, int dir) {
    for (int k = col + dir; k >= 1 && k <= rec.nCols; k += dir) {
        if (Width(rec, k) != 0) {
            return k;
        }
    }
    return 0;
}

int RowAtY(const GridRecord& rec, int y) {
    if (y <= rec.nTitleHeight) {
        return -1;
    }
    if (y <= rec.nTitleHeight + rec.nHeaderHeight) {
        return 0;
    }
    int row = (y - rec.nHeaderHeight - rec.nTitleHeight) / rec.nRowHeight + rec.nTopRow;
    return row > rec.nRows ? -1 : row;
}

int ColumnAtX(const GridRecord& rec, int x) {
    if (x <= Width(rec, 0)) {
        return 0;
    }
    int rest = x - Width(rec, 0);
    int k = rec.nLeftCol - 1;
    while (rest > 0 && k < rec.nCols) {
        ++k;
        rest -= Width(rec, k);
    }
    if (rest > 0) {
        return rec.bExtendLastCol ? rec.nCols : -1;
    }
    return k;
}

void ComputePaintedRange(GridRecord& rec) {
    rec.nFirstVisCol = rec.nLeftCol;
    rec.nFirstVisRow = rec.nTopRow;

    int k = rec.nLeftCol;
    int rest = rec.nClientWidth - Width(rec, 0);
    do {
        rest -= Width(rec, k);
        ++k;
    } while (rest >= 0 && k < rec.nCols);
    rec.nLastVisCol = k < rec.nCols ? k : rec.nCols;

    int r = rec.nTopRow;
    rest = rec.nClientHeight - rec.nHeaderHeight;
    do {
        rest -= rec.nRowHeight;
        ++r;
    } while (rest > 0 && r < rec.nRows);
    rec.nLastVisRow = r < rec.nRows ? r : rec.nRows;
}

void ColumnLetters(int col, char out[3]) {
    int high = (col - 1) / 26;
    int low = col % 26;
    out[0] = high == 0 ? ' ' : static_cast<char>('A' + high - 1);
    out[1] = low == 0 ? 'Z' : static_cast<char>('A' + low - 1);
    out[2] = '\0';
}

int32_t ParseGraphicValue(const char* text) {
    const char* p = text;
    if (*p == '~') {
        ++p;
    }
    while (*p == ' ' || (*p >= '\t' && *p <= '\r')) {
        ++p;
    }
    bool negative = false;
    if (*p == '+' || *p == '-') {
        negative = *p == '-';
        ++p;
    }
    long long value = 0;
    for (; *p >= '0' && *p <= '9'; ++p) {
        if (value < INT_MAX) {
            value = value * 10 + (*p - '0');
        }
    }
    if (value > INT_MAX) {
        value = INT_MAX;
    }
    return static_cast<int32_t>(negative ? -value : value);
}

static int DataHeight(const GridRecord& rec) {
    return rec.nClientHeight - rec.nTitleHeight - rec.nHeaderHeight;
}

int VisibleRowCount(const GridRecord& rec) {
    // A row taller than the data area still counts as one: with none,
    // scrolling could pass the last row and paging would not move.
    const int rows = DataHeight(rec) / rec.nRowHeight;
    return rows > 0 ? rows : 1;
}

bool NeedsHScroll(const GridRecord& rec) {
    long long total = Width(rec, 0);
    for (int c = 1; c <= rec.nCols; ++c) {
        total += Width(rec, c);
    }
    return total > rec.nClientWidth;
}

bool NeedsVScroll(const GridRecord& rec) {
    return static_cast<long long>(rec.nRows) * rec.nRowHeight > DataHeight(rec);
}

int VisibleColumnCount(const GridRecord& rec) {
    int count = 0;
    for (int c = 1; c <= rec.nCols; ++c) {
        count += Width(rec, c) != 0;
    }
    return count;
}

int HScrollPosition(const GridRecord& rec) {
    int count = 0;
    for (int c = 1; c <= rec.nLeftCol && c <= kMaxGridCols; ++c) {
        count += Width(rec, c) != 0;
    }
    return count;
}

int ColumnAtHScrollPosition(const GridRecord& rec, int pos) {
    int count = 0;
    for (int c = 1; c <= rec.nCols; ++c) {
        if (Width(rec, c) != 0 && ++count == pos) {
            return c;
        }
    }
    return pos - 1 < 1 ? 1 : pos - 1;
}

int VScrollMax(const GridRecord& rec) {
    int max = rec.nRows - VisibleRowCount(rec) + 1;
    return max < 1 ? 1 : max;
}

int SnappedHeight(int h, int a, int rowHeight) {
    if (a <= rowHeight) {
        return h;
    }
    return h + (a / rowHeight) * rowHeight - a + 4;
}
