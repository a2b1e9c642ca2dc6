#pragma once
#include <cstdint>

#include "app_state.h"

// Kinds of data source, as stored in `nSourceKind`.
enum DataSourceKind : int32_t {
    kSourceWorkbook = 0,
    kSourceCsv = 1,
    kSourceNone = 2,
};

// The kind a path names. Lowercases the path in place; ".xls" anywhere wins
// over ".csv" anywhere.
int32_t DataSourceKindOf(char* path);

// Opens `szDatabaseFile` and stores the handle (0 on failure). Does not close
// a source that is already open. Returns the handle.
uint32_t DataSourceOpen(AppState* state);

// Closes the source; the handle becomes 0 and the kind "none". Returns 0.
uint32_t DataSourceClose(AppState* state);

// -1 when no source is open.
int32_t DataSourceRowCount(AppState* state);

// A heap text of the cell (row and column from 1), or null. Hand it back to
// DataSourceFreeCell.
char* DataSourceCell(AppState* state, int32_t row, int32_t column);
void DataSourceFreeCell(AppState* state, char* text);

// 1 when the spreadsheet application failed the source: its last open, or a
// read of the open source (which then reads nothing more). The user has
// been told; a job must end rather than emboss labels without their fields.
int DataSourceFailed(AppState* state);

// How workbooks are read when a spreadsheet application is there to drive.
// `open` gives 1 with a connection, 0 when the application failed, and -1
// when there is no application: the workbook is then read directly. Cell
// texts are malloc()ed. `failed` gives 1 once a read has failed.
struct WorkbookAutomation {
    int (*open)(const char* path, void** connection);
    void (*close)(void* connection);
    int32_t (*rowCount)(void* connection);
    char* (*cell)(void* connection, int32_t row, int32_t column);
    int (*failed)(void* connection);
};

// `automation` may have null members: workbooks are then always read
// directly. `fromUtf8` turns a directly read cell text (UTF-8) into the
// program's 8-bit text, in place or into a new malloc()ed text; null keeps
// UTF-8.
void SetDataSourcePlatform(const WorkbookAutomation& automation, char* (*fromUtf8)(char* text));
