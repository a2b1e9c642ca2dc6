#pragma once
/* The csv library: reads a comma-, semicolon- or tab-separated file into a
 * table, or one whose first line "sep=X" names its separator X. csv.dll
 * exports these six functions by ordinal only (no names); programs link its
 * import library. Native builds link the same functions statically.
 *
 *   1 CsvOpen         parse a file; null on failure
 *   2 CsvClose        release a table (null is ignored)
 *   3 CsvRowCount     number of rows (records)
 *   4 CsvColumnCount  number of columns (the widest row)
 *   5 CsvCellText     a heap copy of one cell, owned by the caller
 *   6 CsvFreeText     release a text from CsvCellText (null is ignored)
 */
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* The parsed rows as lists that a caller may walk and unlink directly. The
 * records live in the table's own memory; CsvClose frees all of it, also
 * when the caller has unlinked rows or cells from the lists. Every row of
 * the file has a record (blank lines at its very end and a "sep=" line are
 * not rows), and every field of a row has a cell, an empty field an empty
 * text. Texts are the file's own bytes, NUL-terminated (a UTF-16 file's
 * text as UTF-8). */
typedef struct CsvCell {
    int32_t nColumn; /* from 0 */
    char* pszText;
    struct CsvCell* pNext; /* next cell of the row, null at the end */
} CsvCell;

typedef struct CsvRow {
    int32_t nRow;         /* from 0 */
    CsvCell* pFirstCell;  /* null when the row has no cells */
    struct CsvRow* pNext; /* null at the end */
} CsvRow;

typedef struct CsvTable {
    int32_t nRowCount; /* rows parsed; not changed by unlinking */
    CsvRow* pFirstRow; /* null when there are no rows */
} CsvTable;

/* Ordinal 1. An empty file gives a table without rows; a file that cannot be
 * read, or that is too large, gives null. */
CsvTable* CsvOpen(const char* pszPath);

/* Ordinal 2. The table is dead afterwards. */
void CsvClose(CsvTable* pTable);

/* Ordinals 3 and 4. A null table counts 0. */
int32_t CsvRowCount(const CsvTable* pTable);
int32_t CsvColumnCount(const CsvTable* pTable);

/* Ordinal 5. Row and column count from 0. A position inside the row and
 * column counts gives a text, empty where a short row has no field; any
 * other position, or a null table, gives null. In csv.dll the text is in
 * the ANSI code page when the file is valid UTF-8 (other files pass their
 * bytes unchanged); native builds always give the file's bytes. */
char* CsvCellText(const CsvTable* pTable, int32_t nRow, int32_t nColumn);

/* Ordinal 6. */
void CsvFreeText(char* pszText);

/* For callers that bind the library at run time by ordinal. */
typedef CsvTable* (*CsvOpenProc)(const char* pszPath);
typedef void (*CsvCloseProc)(CsvTable* pTable);
typedef int32_t (*CsvCountProc)(const CsvTable* pTable);
typedef char* (*CsvCellTextProc)(const CsvTable* pTable, int32_t nRow, int32_t nColumn);
typedef void (*CsvFreeTextProc)(char* pszText);

enum {
    kCsvOrdinalOpen = 1,
    kCsvOrdinalClose = 2,
    kCsvOrdinalRowCount = 3,
    kCsvOrdinalColumnCount = 4,
    kCsvOrdinalCellText = 5,
    kCsvOrdinalFreeText = 6
};

#ifdef __cplusplus
}
#endif
