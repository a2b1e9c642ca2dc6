#include <cstring>
#include <new>

#include "babygrid_win.h"
#include "editor_win.h"
#include "resource.h"
#include "table_commands.h"

static CsvDocument* g_pDocument;
static HWND g_hGrid;
static char g_szTextBeforeEdit[kCellBuffer];

static int DefaultMessageBox(HWND owner, const char* text, const char* caption, UINT type) {
    return MessageBoxA(owner, text, caption, type);
}
static EditorMessageBoxFn g_pfnMessageBox = DefaultMessageBox;

void SetEditorMessageBox(EditorMessageBoxFn fn) {
    g_pfnMessageBox = fn ? fn : DefaultMessageBox;
}

CsvDocument* CurrentDocument() {
    return g_pDocument;
}

int ShowEditorMessage(HWND owner, UINT textId, UINT type) {
    char text[1024];
    char caption[1024];
    HINSTANCE instance = GetModuleHandleA(nullptr);
    LoadStringA(instance, textId, text, sizeof text);
    LoadStringA(instance, IDS_EDITOR_TITLE, caption, sizeof caption);
    return g_pfnMessageBox(owner, text, caption, type);
}

static CsvDocument* NewDocument() {
    return new (std::nothrow) CsvDocument{};
}

static void DiscardDocument(CsvDocument*& doc) {
    if (doc != nullptr) {
        CsvClose(doc->hReader);
        delete doc;
        doc = nullptr;
    }
}

void SetEditorTitle(HWND hDlg) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    char title[kPathBuffer + 300];
    char untitled[256];
    LoadStringA(instance, IDS_EDITOR_TITLE, title, 256);
    LoadStringA(instance, IDS_UNTITLED, untitled, sizeof untitled);
    std::strcat(title, " - ");
    bool bTitled = g_pDocument != nullptr && g_pDocument->szPath[0] != '\0';
    std::strcat(title, bTitled ? g_pDocument->szPath : untitled);
    SetWindowTextA(hDlg, title);
}

static void ResetGrid(HWND hGrid) {
    SendMessageA(hGrid, GRM_SETEDITABLE, TRUE, 0);
    SendMessageA(hGrid, GRM_SETCOLUMNRESIZE, TRUE, 0);
    SendMessageA(hGrid, GRM_SETDIMENSIONS, 100, 10);
}

static void CenterDialog(HWND hDlg) {
    RECT desktop;
    RECT window;
    GetWindowRect(GetDesktopWindow(), &desktop);
    GetWindowRect(hDlg, &window);
    int width = window.right - window.left;
    int height = window.bottom - window.top;
    HDC hdc = GetDC(hDlg);
    int screenWidth = GetDeviceCaps(hdc, HORZRES);
    int screenHeight = GetDeviceCaps(hdc, VERTRES);
    ReleaseDC(hDlg, hdc);
    int x = desktop.left + (desktop.right - desktop.left - width) / 2;
    int y = desktop.top + (desktop.bottom - desktop.top - height) / 2;
    x = x > screenWidth - width ? screenWidth - width : x;
    y = y > screenHeight - height ? screenHeight - height : y;
    SetWindowPos(hDlg, nullptr, x < 0 ? 0 : x, y < 0 ? 0 : y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

static void OnInitDialog(HWND hDlg, const char* commandLine) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    RegisterGridClass(instance);
    RECT outer;
    GetWindowRect(hDlg, &outer);
    g_hGrid =
        CreateWindowExA(WS_EX_CLIENTEDGE, BABYGRID_CLASS, "", WS_CHILD | WS_VISIBLE, 0, 0,
                        outer.right - outer.left, outer.bottom - outer.top, hDlg,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_GRID)), instance, nullptr);
    ResetGrid(g_hGrid);
    g_pDocument = NewDocument();
    SendMessageA(hDlg, WM_SETICON, ICON_BIG,
                 reinterpret_cast<LPARAM>(LoadIconA(instance, MAKEINTRESOURCEA(IDI_EDITOR))));
    if (g_pDocument != nullptr && commandLine != nullptr && commandLine[0] != '\0' &&
        UnquoteCommandLine(commandLine, g_pDocument->szPath)) {
        LoadCsvIntoGrid(hDlg, g_pDocument);
    }
    SetEditorTitle(hDlg);
    CenterDialog(hDlg);
    RECT client;
    GetClientRect(hDlg, &client);
    SendMessageA(hDlg, WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.right, client.bottom));
}

// True when the grid is on disk. The document takes a newly chosen name only
// once the file is written, so after a failure it is the document it was.
static bool Save(HWND hDlg, bool bAskForName) {
    if (g_pDocument == nullptr) {
        return false;
    }
    char path[kPathBuffer];
    std::strcpy(path, g_pDocument->szPath);
    bool bUntitled = path[0] == '\0';
    if ((bUntitled || bAskForName) && !AskForCsvFile(hDlg, true, path)) {
        if (bUntitled) {
            WriteEditorValue("LastSaved", "");
        }
        return false;
    }
    char previous[kPathBuffer];
    std::strcpy(previous, g_pDocument->szPath);
    std::strcpy(g_pDocument->szPath, path);
    if (!SaveGridAsCsv(hDlg, g_pDocument)) {
        std::strcpy(g_pDocument->szPath, previous);
        ShowEditorMessage(hDlg, IDS_SAVE_FAILED, MB_OK | MB_ICONERROR);
        return false;
    }
    // Only a file that is on disk is reported to the wizard as saved.
    WriteEditorValue("LastSaved", g_pDocument->szPath);
    return true;
}

// True when the command that asked may go on: the answer was No, or the
// changes were saved. A save that did not happen keeps the document open.
static bool PromptToSave(HWND hDlg) {
    return ShowEditorMessage(hDlg, IDS_SAVE_CHANGES, MB_YESNO) != IDYES || Save(hDlg, false);
}

static void OnNew(HWND hDlg) {
    if (g_pDocument == nullptr || g_hGrid == nullptr) {
        return;
    }
    if (g_pDocument->bModified && !PromptToSave(hDlg)) {
        return;
    }
    SendMessageA(g_hGrid, GRM_CLEAR, 0, 0);
    DiscardDocument(g_pDocument);
    g_pDocument = NewDocument();
    ResetGrid(g_hGrid);
    RECT client;
    GetClientRect(hDlg, &client);
    SendMessageA(hDlg, WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.right, client.bottom));
    SetEditorTitle(hDlg);
}

static void OnOpen(HWND hDlg) {
    if (g_pDocument != nullptr && g_pDocument->bModified && !PromptToSave(hDlg)) {
        return;
    }
    DiscardDocument(g_pDocument);
    CsvDocument* doc = NewDocument();
    if (doc == nullptr || !AskForCsvFile(hDlg, false, doc->szPath)) {
        DiscardDocument(doc);
        return;
    }
    SendMessageA(g_hGrid, GRM_CLEAR, 0, 0);
    if (!LoadCsvIntoGrid(hDlg, doc)) {
        DiscardDocument(doc);
        return;
    }
    g_pDocument = doc;
    SetEditorTitle(hDlg);
}

static void EndEditor(HWND hDlg, INT_PTR result) {
    EndDialog(hDlg, result);
    DiscardDocument(g_pDocument);
}

static void OnExit(HWND hDlg) {
    if (g_pDocument != nullptr && g_pDocument->bModified && !PromptToSave(hDlg)) {
        return;
    }
    if (g_pDocument != nullptr && g_pDocument->szPath[0] == '\0') {
        WriteEditorValue("LastSaved", "");
    }
    EndEditor(hDlg, 0);
}

class MessageGrid : public GridAccess {
  public:
    explicit MessageGrid(HWND hGrid) : m_hGrid(hGrid) {}
    int Rows() override { return Query(GRM_GETROWS); }
    int Columns() override { return Query(GRM_GETCOLUMNS); }
    int CursorRow() override { return Query(GRM_GETCURSORROW); }
    int CursorColumn() override { return Query(GRM_GETCURSORCOLUMN); }
    void ReadCell(int row, int col, char buffer[kCellBuffer]) override {
        ReadGridCell(m_hGrid, row - 1, col - 1, buffer);
    }
    void WriteCellGrow(int row, int col, const char* text) override {
        SetCellGrow(m_hGrid, row - 1, col - 1, text);
    }
    void RemoveCell(int row, int col) override {
        CellRef cell{row, col};
        SendMessageA(m_hGrid, GRM_DELETECELL, reinterpret_cast<WPARAM>(&cell), 0);
    }
    void SetDimensions(int rows, int cols) override {
        SendMessageA(m_hGrid, GRM_SETDIMENSIONS, rows, cols);
    }

  private:
    int Query(UINT msg) { return static_cast<int>(SendMessageA(m_hGrid, msg, 0, 0)); }
    HWND m_hGrid;
};

static void OnTableCommand(TableCommand command) {
    if (g_hGrid == nullptr) {
        return;
    }
    MessageGrid grid(g_hGrid);
    if (!RunTableCommand(grid, command)) {
        MessageBeep(0);
        return;
    }
    if (g_pDocument != nullptr) {
        g_pDocument->bModified = 1;
    }
}

static void OnGridNotify(int code, LPARAM lParam) {
    if (g_pDocument == nullptr || g_hGrid == nullptr) {
        return;
    }
    int row = LOWORD(lParam);
    int col = HIWORD(lParam);
    if (code == GRN_EDITBEGIN) {
        ReadGridCell(g_hGrid, row - 1, col - 1, g_szTextBeforeEdit);
    } else if (code == GRN_EDITEND) {
        char now[kCellBuffer];
        ReadGridCell(g_hGrid, row - 1, col - 1, now);
        if (std::strcmp(now, g_szTextBeforeEdit) != 0) {
            g_pDocument->bModified = 1;
        }
    }
}

static void OnCommand(HWND hDlg, WPARAM wParam, LPARAM lParam) {
    switch (LOWORD(wParam)) {
    case IDC_GRID:
        OnGridNotify(HIWORD(wParam), lParam);
        break;
    case IDM_FILE_NEW:
    case IDM_FILE_CLOSE:
        OnNew(hDlg);
        break;
    case IDM_FILE_OPEN:
        OnOpen(hDlg);
        break;
    case IDM_FILE_SAVE:
        Save(hDlg, false);
        break;
    case IDM_FILE_SAVE_AS:
        Save(hDlg, true);
        break;
    case IDM_FILE_EXIT:
    case IDCANCEL:
        OnExit(hDlg);
        break;
    case IDOK:
        EndEditor(hDlg, 1);
        break;
    case IDM_INSERT_COLUMN_BEFORE:
        OnTableCommand(TABLE_INSERT_COLUMN_BEFORE);
        break;
    case IDM_INSERT_COLUMN_AFTER:
        OnTableCommand(TABLE_INSERT_COLUMN_AFTER);
        break;
    case IDM_INSERT_ROW_BEFORE:
        OnTableCommand(TABLE_INSERT_ROW_BEFORE);
        break;
    case IDM_INSERT_ROW_AFTER:
        OnTableCommand(TABLE_INSERT_ROW_AFTER);
        break;
    case IDM_DELETE_COLUMN:
        OnTableCommand(TABLE_DELETE_COLUMN);
        break;
    case IDM_DELETE_ROW:
        OnTableCommand(TABLE_DELETE_ROW);
        break;
    default:
        break;
    }
}

static void OnSize(int width, int height) {
    if (g_hGrid == nullptr) {
        return;
    }
    MoveWindow(g_hGrid, 0, 0, width, height, TRUE);
    UpdateWindow(g_hGrid);
    SendMessageA(g_hGrid, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(g_hGrid, nullptr, TRUE);
}

INT_PTR CALLBACK EditorDialogProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_INITDIALOG:
        OnInitDialog(hDlg, reinterpret_cast<const char*>(lParam));
        return TRUE;
    case WM_SIZE:
        OnSize(LOWORD(lParam), HIWORD(lParam));
        return TRUE;
    case WM_COMMAND:
        OnCommand(hDlg, wParam, lParam);
        return TRUE;
    case WM_DESTROY:
        DiscardDocument(g_pDocument);
        g_hGrid = nullptr;
        return FALSE;
    default:
        return FALSE;
    }
}
