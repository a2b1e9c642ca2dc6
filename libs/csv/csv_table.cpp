#include "csv_table.h"

#include <cstdlib>
#include <cstring>
#include <new>

#include "csv_tokenize.h"
#include "csv_utf16.h"

namespace {

// The handle callers hold points at `table`, the first member; everything
// else the table owns hangs here, so closing frees it all even when a
// caller has unlinked rows or cells from the lists.
struct CsvHandle {
    CsvTable table;
    char* pBuffer;
    CsvRow* pRows;
    CsvCell* pCells;
    uint32_t* pRowStart; // first cell of each row, one entry past the last row
    int32_t nRows;       // kept apart from the public count, which callers can write
    int32_t nColumns;
    bool bUtf8;
};

const CsvHandle* HandleOf(const CsvTable* table) {
    return reinterpret_cast<const CsvHandle*>(table);
}

void FreeHandle(CsvHandle* handle) {
    std::free(handle->pBuffer);
    std::free(handle->pRows);
    std::free(handle->pCells);
    std::free(handle->pRowStart);
    delete handle;
}

// The first pass counts, so that the lists are allocated once at their
// exact size: growing them would cost up to twice their memory.
void CountFields(char* data, size_t size, char separator, size_t* rows, size_t* cells) {
    CsvCursor cursor;
    CsvField field;
    CsvCursorInit(&cursor, data, size, separator, false);
    *rows = 0;
    *cells = 0;
    while (CsvNextField(&cursor, &field)) {
        ++*cells;
        if (field.bRowEnd) {
            ++*rows;
        }
    }
}

void FillLists(CsvHandle* handle, char* data, size_t size, char separator) {
    CsvCursor cursor;
    CsvField field;
    CsvCursorInit(&cursor, data, size, separator, true);
    uint32_t cell = 0;
    uint32_t row = 0;
    int32_t column = 0;
    handle->pRowStart[0] = 0;
    while (CsvNextField(&cursor, &field)) {
        CsvCell* current = &handle->pCells[cell];
        current->nColumn = column;
        current->pszText = field.pText;
        current->pNext = nullptr;
        if (column > 0) {
            current[-1].pNext = current;
        }
        ++cell;
        ++column;
        if (!field.bRowEnd) {
            continue;
        }
        CsvRow* rowRecord = &handle->pRows[row];
        rowRecord->nRow = static_cast<int32_t>(row);
        rowRecord->pFirstCell = &handle->pCells[handle->pRowStart[row]];
        rowRecord->pNext = nullptr;
        if (row > 0) {
            rowRecord[-1].pNext = rowRecord;
        }
        if (column > handle->nColumns) {
            handle->nColumns = column;
        }
        column = 0;
        handle->pRowStart[++row] = cell;
    }
}

// A UTF-16 file is parsed as a UTF-8 copy, which replaces the buffer; any
// other buffer is given back as it is. Null (the buffer freed) when the
// copy cannot be made.
char* Utf8FromUtf16(char* buffer, size_t* size) {
    int order = CsvUtf16Order(buffer, *size);
    if (order == 0) {
        return buffer;
    }
    size_t utf8Size = 0;
    char* utf8 = CsvUtf16ToUtf8(buffer + 2, *size - 2, order == 2, &utf8Size);
    std::free(buffer);
    if (utf8 == nullptr || utf8Size > kCsvMaxFileSize) {
        std::free(utf8);
        return nullptr;
    }
    *size = utf8Size;
    char* shrunk = static_cast<char*>(std::realloc(utf8, utf8Size + 1));
    return shrunk != nullptr ? shrunk : utf8;
}

// Blank lines at the very end of a file are left over from editing, not
// records: read as rows, each would be embossed as an empty label. Blank
// lines between records stay rows (a one-column file has them for empty
// cells).
size_t WithoutTrailingBlankLines(const char* data, size_t size) {
    auto isLineEnd = [](char c) { return c == '\r' || c == '\n'; };
    while (size >= 2 && isLineEnd(data[size - 1]) && isLineEnd(data[size - 2])) {
        --size;
    }
    return size;
}

} // namespace

CsvTable* CsvTableAdopt(char* buffer, size_t size) {
    if (buffer == nullptr) {
        return nullptr;
    }
    CsvHandle* handle = new (std::nothrow) CsvHandle{};
    if (handle == nullptr || size > kCsvMaxFileSize) {
        std::free(buffer);
        delete handle;
        return nullptr;
    }
    buffer = Utf8FromUtf16(buffer, &size);
    if (buffer == nullptr) {
        delete handle;
        return nullptr;
    }
    handle->pBuffer = buffer;
    buffer[size] = '\0';
    size_t bom = CsvBomLength(buffer, size);
    char* data = buffer + bom;
    size -= bom;
    char separator = '\0';
    size_t separatorLine = CsvSeparatorLine(data, size, &separator);
    data += separatorLine;
    size -= separatorLine;
    size = WithoutTrailingBlankLines(data, size);
    handle->bUtf8 = CsvIsValidUtf8(data, size);
    if (separatorLine == 0) {
        separator = CsvDetectSeparator(data, size);
    }

    size_t rows = 0, cells = 0;
    CountFields(data, size, separator, &rows, &cells);
    if (rows > 0) {
        handle->pRows = static_cast<CsvRow*>(std::malloc(rows * sizeof(CsvRow)));
        handle->pCells = static_cast<CsvCell*>(std::malloc(cells * sizeof(CsvCell)));
    }
    handle->pRowStart = static_cast<uint32_t*>(std::malloc((rows + 1) * sizeof(uint32_t)));
    if (handle->pRowStart == nullptr || (rows > 0 && (!handle->pRows || !handle->pCells))) {
        FreeHandle(handle);
        return nullptr;
    }
    FillLists(handle, data, size, separator);
    handle->nRows = static_cast<int32_t>(rows);
    handle->table.nRowCount = handle->nRows;
    handle->table.pFirstRow = rows > 0 ? handle->pRows : nullptr;
    return &handle->table;
}

CsvTable* CsvTableFromBytes(const char* data, size_t size) {
    if (size > kCsvMaxFileSize) {
        return nullptr;
    }
    char* buffer = static_cast<char*>(std::malloc(size + 1));
    if (buffer == nullptr) {
        return nullptr;
    }
    if (size > 0) {
        std::memcpy(buffer, data, size);
    }
    return CsvTableAdopt(buffer, size);
}

const char* CsvTableCell(const CsvTable* table, int32_t row, int32_t column) {
    if (table == nullptr || row < 0 || column < 0) {
        return nullptr;
    }
    const CsvHandle* handle = HandleOf(table);
    if (row >= handle->nRows || column >= handle->nColumns) {
        return nullptr;
    }
    uint32_t first = handle->pRowStart[row];
    if (static_cast<uint32_t>(column) >= handle->pRowStart[row + 1] - first) {
        return "";
    }
    return handle->pCells[first + static_cast<uint32_t>(column)].pszText;
}

bool CsvTableIsUtf8(const CsvTable* table) {
    return table != nullptr && HandleOf(table)->bUtf8;
}

void CsvClose(CsvTable* table) {
    if (table != nullptr) {
        FreeHandle(reinterpret_cast<CsvHandle*>(table));
    }
}

int32_t CsvRowCount(const CsvTable* table) {
    return table != nullptr ? HandleOf(table)->nRows : 0;
}

int32_t CsvColumnCount(const CsvTable* table) {
    return table != nullptr ? HandleOf(table)->nColumns : 0;
}
