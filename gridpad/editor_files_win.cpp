#include <cstring>
#include <new>
#include <string>

#include "babygrid_win.h"
#include "csv_save.h"
#include "csv_walk.h"
#include "editor_win.h"
#include "resource.h"

void SetCellGrow(HWND hGrid, int row, int col, const char* text) {
    int rows = static_cast<int>(SendMessageA(hGrid, GRM_GETROWS, 0, 0));
    int cols = static_cast<int>(SendMessageA(hGrid, GRM_GETCOLUMNS, 0, 0));
    SendMessageA(hGrid, GRM_SETDIMENSIONS, rows > row + 1 ? rows : row + 1,
                 cols > col + 1 ? cols : col + 1);
    CellRef cell{row + 1, col + 1};
    SendMessageA(hGrid, GRM_SETCELLTEXT, reinterpret_cast<WPARAM>(&cell),
                 reinterpret_cast<LPARAM>(text));
}

void ReadGridCell(HWND hGrid, int row, int col, char* buffer) {
    CellRef cell{row + 1, col + 1};
    buffer[0] = '\0';
    if (SendMessageA(hGrid, GRM_GETCELLTEXT, reinterpret_cast<WPARAM>(&cell),
                     reinterpret_cast<LPARAM>(buffer)) < 0) {
        buffer[0] = '\0';
    }
}

static void ResetGridForLoad(HWND hGrid) {
    SendMessageA(hGrid, GRM_SETEDITABLE, TRUE, 0);
    SendMessageA(hGrid, GRM_SETCOLUMNRESIZE, TRUE, 0);
    SendMessageA(hGrid, GRM_SETDIMENSIONS, 1, 1);
}

int LoadCsvIntoGrid(HWND hDlg, CsvDocument* doc) {
    doc->hReader = CsvOpen(doc->szPath);
    if (doc->hReader == nullptr) {
        return 0;
    }
    HWND hGrid = GetDlgItem(hDlg, IDC_GRID);
    ResetGridForLoad(hGrid);
    TakeCsvCells(doc->hReader, [hGrid](int row, int col, const char* text) {
        SetCellGrow(hGrid, row, col, text);
    });
    doc->bModified = 0;
    CsvClose(doc->hReader);
    doc->hReader = nullptr;
    return 1;
}

static bool WriteAll(HANDLE file, const std::string& bytes) {
    DWORD written = 0;
    return bytes.empty() ||
           (WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
            written == bytes.size());
}

static bool WriteGridRows(HANDLE file, HWND hGrid) {
    int cols = static_cast<int>(SendMessageA(hGrid, GRM_GETCOLUMNS, 0, 0));
    int rows = static_cast<int>(SendMessageA(hGrid, GRM_GETROWS, 0, 0));
    ReadCellFn read = [hGrid](int row, int col, char* buffer) {
        ReadGridCell(hGrid, row - 1, col - 1, buffer);
    };
    std::string chunk;
    for (int row = 1; row <= rows; ++row) {
        AppendGridCsvRow(row, cols, read, chunk);
        if (chunk.size() >= 65536 || row == rows) {
            if (!WriteAll(file, chunk)) {
                return false;
            }
            chunk.clear();
        }
    }
    return true;
}

// Writes the grid to a new file beside the target and puts it in place only
// when all of it is on disk, so a failed save never leaves half a file.
static bool ReplaceFileWithGrid(const char* path, HWND hGrid) {
    std::string folder(path);
    size_t slash = folder.find_last_of("\\/");
    folder = slash == std::string::npos ? std::string(".") : folder.substr(0, slash + 1);
    char temp[MAX_PATH];
    if (folder.size() >= MAX_PATH - 14 || GetTempFileNameA(folder.c_str(), "gpd", 0, temp) == 0) {
        return false;
    }
    HANDLE file =
        CreateFileA(temp, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        DeleteFileA(temp);
        return false;
    }
    bool bOk = false;
    try {
        bOk = WriteGridRows(file, hGrid);
    } catch (const std::bad_alloc&) {
    }
    bOk = FlushFileBuffers(file) && bOk;
    bOk = CloseHandle(file) && bOk;
    if (bOk) {
        bOk = MoveFileExA(temp, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
    }
    if (!bOk) {
        DeleteFileA(temp);
    }
    return bOk;
}

int SaveGridAsCsv(HWND hDlg, CsvDocument* doc) {
    if (!ReplaceFileWithGrid(doc->szPath, GetDlgItem(hDlg, IDC_GRID))) {
        return 0;
    }
    doc->bModified = 0;
    SetEditorTitle(hDlg);
    return 1;
}
