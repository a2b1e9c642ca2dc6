#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "editor_win.h"
#include "accessibility_checks.h"
#include "grid_test_support.h"
#include "resource.h"

static const char kKeyPath[] = "Software\\Vantor\\Dotwell 5.0\\csv";

static std::string ModuleFolder() {
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path);
    return folder.substr(0, folder.rfind('\\') + 1);
}

static bool ReadLastSaved(std::string& value) {
    char buffer[MAX_PATH] = "";
    DWORD size = sizeof buffer;
    if (RegGetValueA(HKEY_CURRENT_USER, kKeyPath, "LastSaved", RRF_RT_REG_SZ, nullptr, buffer,
                     &size) != ERROR_SUCCESS) {
        return false;
    }
    value = buffer;
    return true;
}

// What the replaceable message box and file dialogs saw and answer.
static std::vector<std::string> g_messages;
static int g_answer = IDNO;
static std::string g_pickedFile;
static std::string g_proposedFile;
static int g_dialogsShown;

static int RecordMessage(HWND, const char* text, const char*, UINT) {
    g_messages.push_back(text);
    return g_answer;
}

static BOOL PickFile(OPENFILENAMEA* ofn) {
    ++g_dialogsShown;
    g_proposedFile = ofn->lpstrFile;
    if (g_pickedFile.empty()) {
        return FALSE;
    }
    std::snprintf(ofn->lpstrFile, ofn->nMaxFile, "%s", g_pickedFile.c_str());
    return TRUE;
}

class Editor : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        // The settings key comes from the wizard's program file beside the
        // editor: this test carries the same version resource.
        char self[MAX_PATH];
        GetModuleFileNameA(nullptr, self, MAX_PATH);
        CopyFileA(self, (ModuleFolder() + "dotwell.exe").c_str(), FALSE);
    }
    void SetUp() override {
        folder = temp_.path() + "\\";
        RegDeleteKeyA(HKEY_CURRENT_USER, kKeyPath);
        g_messages.clear();
        g_answer = IDNO;
        g_pickedFile.clear();
        g_proposedFile.clear();
        g_dialogsShown = 0;
        SetEditorMessageBox(RecordMessage);
        SetEditorFileDialogs(PickFile, PickFile);
    }
    void TearDown() override {
        if (dlg != nullptr && IsWindow(dlg)) {
            DestroyWindow(dlg);
        }
        PumpPending();
        SetEditorMessageBox(nullptr);
        SetEditorFileDialogs(nullptr, nullptr);
    }
    void Start(const std::string& commandLine) {
        if (dlg != nullptr && IsWindow(dlg)) {
            DestroyWindow(dlg);
        }
        dlg = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_EDITOR), nullptr,
                                 EditorDialogProc, reinterpret_cast<LPARAM>(commandLine.c_str()));
        ASSERT_NE(dlg, nullptr);
        ShowWindow(dlg, SW_SHOW);
        grid = GetDlgItem(dlg, IDC_GRID);
        ASSERT_NE(grid, nullptr);
        PumpPending();
    }
    void Command(int id) {
        SendMessageA(dlg, WM_COMMAND, id, 0);
        PumpPending();
    }
    std::string Title() {
        char title[512];
        GetWindowTextA(dlg, title, sizeof title);
        return title;
    }
    int Rows() { return static_cast<int>(SendMessageA(grid, GRM_GETROWS, 0, 0)); }
    int Cols() { return static_cast<int>(SendMessageA(grid, GRM_GETCOLUMNS, 0, 0)); }
    bool Ended() { return !IsWindowVisible(dlg); }
    void DialogKey(WPARAM vk) {
        SetFocus(grid);
        MSG msg{grid, WM_KEYDOWN, vk, 1, GetTickCount(), {0, 0}};
        if (!IsDialogMessageA(dlg, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        PumpPending();
    }

    TempFolder temp_;
    std::string folder;
    HWND dlg = nullptr;
    HWND grid = nullptr;
};

TEST_F(Editor, StartsUntitledWithAnEmptyGrid) {
    Start("");
    EXPECT_EQ(Title(), "Csv Editor - Untitled.csv");
    EXPECT_EQ(Rows(), 100);
    EXPECT_EQ(Cols(), 10);
}

TEST_F(Editor, AQuotedPathOnTheCommandLineIsLoaded) {
    CreateDirectoryA((folder + "My Data").c_str(), nullptr);
    std::string path = folder + "My Data\\list.csv";
    WriteFileBytes(path, "a;b\nc;d\n");
    Start("\"" + path + "\"");
    EXPECT_EQ(Title(), "Csv Editor - " + path);
    ASSERT_NE(CurrentDocument(), nullptr);
    EXPECT_EQ(std::string(CurrentDocument()->szPath), path);
    EXPECT_EQ(Rows(), 2);
    EXPECT_EQ(Cols(), 2);
    EXPECT_EQ(GetText(grid, 2, 2), "d");
}

TEST_F(Editor, LoadAndSaveWriteTheExactBytes) {
    std::string path = folder + "ragged.csv";
    WriteFileBytes(path, "a;b;c\n\"x;y\";2\nlast\n");
    Start(path);
    EXPECT_EQ(Rows(), 3);
    EXPECT_EQ(Cols(), 3);
    Command(IDM_FILE_SAVE);
    EXPECT_EQ(ReadFileBytes(path), "a;b;c\n\"x;y\";2;\nlast;;\n");
    EXPECT_EQ(CurrentDocument()->bModified, 0);
}

TEST_F(Editor, AWideFileLoadsIts256FirstColumns) {
    std::string line;
    for (int i = 1; i <= 300; ++i) {
        line += std::to_string(i) + (i < 300 ? ";" : "\n");
    }
    std::string path = folder + "wide.csv";
    WriteFileBytes(path, line);
    Start(path);
    EXPECT_EQ(Cols(), 256);
    EXPECT_EQ(GetText(grid, 1, 256), "256");
    Command(IDM_INSERT_COLUMN_BEFORE);
    EXPECT_EQ(GetText(grid, 1, 1), "1") << "no room for another column: nothing moves";
    EXPECT_EQ(GetText(grid, 1, 256), "256");
    EXPECT_EQ(CurrentDocument()->bModified, 0);
}

TEST_F(Editor, ASaveThatCannotCreateItsFileSaysSoAndStaysModified) {
    std::string path = folder + "missing\\folder\\out.csv";
    Start(path);
    Command(IDM_INSERT_ROW_AFTER);
    ASSERT_EQ(CurrentDocument()->bModified, 1);
    Command(IDM_FILE_SAVE);
    ASSERT_EQ(g_messages.size(), 1u);
    EXPECT_NE(g_messages[0].find("could not be saved"), std::string::npos) << g_messages[0];
    EXPECT_EQ(CurrentDocument()->bModified, 1);
    EXPECT_EQ(GetFileAttributesA(path.c_str()), INVALID_FILE_ATTRIBUTES);
    std::string lastSaved;
    EXPECT_FALSE(ReadLastSaved(lastSaved)) << "the wizard is not told of a file never written";
}

TEST_F(Editor, SavingReplacesTheOldFileAndLeavesNoTemporaryFile) {
    std::string path = folder + "names.csv";
    WriteFileBytes(path, "old;text;that;is;longer;than;the;new;one\n");
    Start(path);
    SendMessageA(grid, GRM_CLEAR, 0, 0);
    SetText(grid, 1, 1, "new");
    SendMessageA(grid, GRM_SETDIMENSIONS, 1, 1);
    Command(IDM_FILE_SAVE);
    EXPECT_EQ(g_dialogsShown, 0) << "a titled document is saved without a dialog";
    EXPECT_EQ(ReadFileBytes(path), "new\n");
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((folder + "*").c_str(), &found);
    int files = 0;
    do {
        files += !(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
    } while (FindNextFileA(find, &found));
    FindClose(find);
    EXPECT_EQ(files, 1);
    std::string lastSaved;
    ASSERT_TRUE(ReadLastSaved(lastSaved));
    EXPECT_EQ(lastSaved, path);
}

TEST_F(Editor, SaveAsAlwaysAsksForAName) {
    std::string path = folder + "titled.csv";
    WriteFileBytes(path, "a\n");
    const std::string cases[] = {"", folder + "copy.csv"};
    for (const std::string& picked : cases) {
        SCOPED_TRACE(picked.empty() ? "cancelled" : "picked");
        RegDeleteKeyA(HKEY_CURRENT_USER, kKeyPath);
        g_dialogsShown = 0;
        g_pickedFile = picked;
        Start(path);
        Command(IDM_FILE_SAVE_AS);
        EXPECT_EQ(g_dialogsShown, 1);
        EXPECT_EQ(g_proposedFile, path);
        std::string now = picked.empty() ? path : picked;
        EXPECT_EQ(std::string(CurrentDocument()->szPath), now);
        EXPECT_EQ(Title(), "Csv Editor - " + now);
        EXPECT_EQ(ReadFileBytes(now), "a\n");
        std::string lastSaved;
        EXPECT_EQ(ReadLastSaved(lastSaved), !picked.empty())
            << "a cancelled dialog reports nothing";
        EXPECT_EQ(lastSaved, picked);
    }
}

TEST_F(Editor, ZeroRowsSaveAnEmptyFile) {
    std::string path = folder + "empty.csv";
    WriteFileBytes(path, "x\n");
    Start(path);
    SendMessageA(grid, GRM_CLEAR, 0, 0);
    Command(IDM_FILE_SAVE);
    EXPECT_EQ(ReadFileBytes(path), "");
}

TEST_F(Editor, UntitledSaveAsksForAPathAndReportsIt) {
    Start("");
    g_pickedFile = folder + "picked.csv";
    SetText(grid, 1, 1, "v");
    SendMessageA(grid, GRM_SETDIMENSIONS, 1, 2);
    Command(IDM_FILE_SAVE);
    EXPECT_EQ(g_dialogsShown, 1);
    EXPECT_EQ(ReadFileBytes(g_pickedFile), "v;\n");
    EXPECT_EQ(Title(), "Csv Editor - " + g_pickedFile);
    Command(IDM_FILE_EXIT);
    EXPECT_TRUE(Ended());
    std::string lastSaved;
    ASSERT_TRUE(ReadLastSaved(lastSaved));
    EXPECT_EQ(lastSaved, g_pickedFile) << "Exit keeps the path saved to";
}

TEST_F(Editor, CancelledSaveDialogReportsNothingSaved) {
    Start("");
    Command(IDM_FILE_SAVE);
    std::string lastSaved = "unset";
    ASSERT_TRUE(ReadLastSaved(lastSaved));
    EXPECT_EQ(lastSaved, "");
}

TEST_F(Editor, ExitRightAfterStartReportsNothingWithoutAPrompt) {
    Start("");
    Command(IDM_FILE_EXIT);
    EXPECT_TRUE(Ended());
    EXPECT_TRUE(g_messages.empty());
    std::string lastSaved = "unset";
    ASSERT_TRUE(ReadLastSaved(lastSaved));
    EXPECT_EQ(lastSaved, "");
}

TEST_F(Editor, NoWizardBesideTheEditorMeansNoSettings) {
    std::string wizard = ModuleFolder() + "dotwell.exe";
    std::string parked = ModuleFolder() + "dotwell.parked";
    ASSERT_TRUE(MoveFileExA(wizard.c_str(), parked.c_str(), MOVEFILE_REPLACE_EXISTING));
    Start("");
    Command(IDM_FILE_EXIT);
    MoveFileExA(parked.c_str(), wizard.c_str(), MOVEFILE_REPLACE_EXISTING);
    HKEY key;
    EXPECT_NE(RegOpenKeyExA(HKEY_CURRENT_USER, kKeyPath, 0, KEY_READ, &key), ERROR_SUCCESS);
}

TEST_F(Editor, KeyPathComesFromTheWizardsVersion) {
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    char keyPath[MAX_PATH];
    ASSERT_TRUE(EditorKeyPathFromFile(self, keyPath, sizeof keyPath));
    EXPECT_STREQ(keyPath, kKeyPath);
    EXPECT_FALSE(EditorKeyPathFromFile((folder + "none.exe").c_str(), keyPath, sizeof keyPath));
}

TEST_F(Editor, EnterStoresTheEditWithoutEndingTheDialog) {
    Start("");
    Type(grid, L"hello");
    DialogKey(VK_RETURN);
    EXPECT_FALSE(Ended());
    EXPECT_EQ(GetText(grid, 1, 1), "hello");
    EXPECT_EQ(SendMessageA(grid, GRM_GETCURSORROW, 0, 0), 2);
    EXPECT_EQ(CurrentDocument()->bModified, 1);
}

TEST_F(Editor, EscapeCancelsTheEditAndEndsTheEditorWithoutAPrompt) {
    Start("");
    SetText(grid, 1, 1, "abc");
    Type(grid, L"x");
    DialogKey(VK_ESCAPE);
    EXPECT_EQ(GetText(grid, 1, 1), "abc");
    EXPECT_TRUE(Ended());
    EXPECT_TRUE(g_messages.empty());
}

TEST_F(Editor, ExitAfterAChangePromptsAndYesSaves) {
    std::string path = folder + "prompt.csv";
    WriteFileBytes(path, "a\n");
    Start(path);
    Type(grid, L"b");
    DialogKey(VK_RETURN);
    g_answer = IDYES;
    Command(IDM_FILE_EXIT);
    ASSERT_EQ(g_messages.size(), 1u);
    EXPECT_EQ(g_messages[0], "Save your changes?");
    EXPECT_EQ(ReadFileBytes(path), "b\n");
}

// Yes to the prompt and then no file on disk: the command stops, and the
// changes can still be saved under another name, as the failure text says.
TEST_F(Editor, ASaveThatFailsFromThePromptKeepsTheDocument) {
    const std::string kFailed =
        "The file could not be saved. Your changes are still in the editor; save them under "
        "another name.";
    const int commands[] = {IDM_FILE_EXIT, IDCANCEL, IDM_FILE_NEW, IDM_FILE_CLOSE, IDM_FILE_OPEN};
    std::string unwritable = folder + "missing\\out.csv";
    // An untitled document fails to save when its Save dialog is cancelled.
    for (bool bUntitled : {false, true}) {
        Start(bUntitled ? "" : unwritable);
        std::string title = Title();
        Type(grid, L"kept");
        DialogKey(VK_RETURN);
        for (int command : commands) {
            SCOPED_TRACE("command " + std::to_string(command) + (bUntitled ? " untitled" : ""));
            g_messages.clear();
            g_dialogsShown = 0;
            g_pickedFile.clear();
            g_answer = IDYES;
            Command(command);
            EXPECT_FALSE(Ended());
            std::vector<std::string> expected = {"Save your changes?"};
            if (!bUntitled) {
                expected.push_back(kFailed);
            }
            EXPECT_EQ(g_messages, expected);
            EXPECT_EQ(g_dialogsShown, bUntitled ? 1 : 0) << "only the Save dialog";
            ASSERT_NE(CurrentDocument(), nullptr);
            EXPECT_EQ(CurrentDocument()->bModified, 1);
            EXPECT_EQ(std::string(CurrentDocument()->szPath), bUntitled ? "" : unwritable);
            EXPECT_EQ(Title(), title);
            EXPECT_EQ(GetText(grid, 1, 1), "kept");
        }
        g_pickedFile = folder + (bUntitled ? "untitled.csv" : "rescued.csv");
        Command(IDM_FILE_SAVE_AS);
        EXPECT_EQ(ReadFileBytes(g_pickedFile).substr(0, 5), "kept;");
        EXPECT_EQ(CurrentDocument()->bModified, 0);
    }
}

TEST_F(Editor, AnEditThatChangesNothingLeavesTheDocumentUnmodified) {
    std::string path = folder + "same.csv";
    WriteFileBytes(path, "a\n");
    Start(path);
    Type(grid, L"a");
    DialogKey(VK_RETURN);
    EXPECT_EQ(CurrentDocument()->bModified, 0);
}

TEST_F(Editor, TableCommandsOnSmallGrids) {
    std::string path = folder + "table.csv";
    WriteFileBytes(path, "a;b\nc;d\ne;f\n");
    Start(path);
    Command(IDM_INSERT_COLUMN_BEFORE);
    EXPECT_EQ(Cols(), 3);
    EXPECT_EQ(GetText(grid, 1, 1), "");
    EXPECT_EQ(GetText(grid, 3, 3), "f");
    EXPECT_EQ(CurrentDocument()->bModified, 1);

    SendMessageA(grid, GRM_SETCURSOR, 3, 1);
    Command(IDM_DELETE_ROW);
    EXPECT_EQ(Rows(), 2);
    Type(grid, L"z");
    DialogKey(VK_UP);
    EXPECT_EQ(Rows(), 2) << "the deleted row stays deleted";

    SendMessageA(grid, GRM_CLEAR, 0, 0);
    Command(IDM_DELETE_ROW);
    EXPECT_EQ(Rows(), 0) << "nothing to delete";
    Command(IDM_INSERT_COLUMN_AFTER);
    EXPECT_EQ(Rows(), 0);
}

TEST_F(Editor, TableCommandsAreHeardAsNewCells) {
    std::string path = folder + "heard.csv";
    WriteFileBytes(path, "a;b\nc;d\n");
    Start(path);
    WinEventRecorder heard(grid);
    const int commands[] = {IDM_INSERT_COLUMN_BEFORE, IDM_INSERT_COLUMN_AFTER,
                            IDM_INSERT_ROW_BEFORE,    IDM_INSERT_ROW_AFTER,
                            IDM_DELETE_COLUMN,        IDM_DELETE_ROW};
    for (int id : commands) {
        Command(id);
        EXPECT_EQ(heard.TakeOnly(EVENT_OBJECT_REORDER),
                  (std::vector<HeardEvent>{{EVENT_OBJECT_REORDER, CHILDID_SELF}}))
            << "command " << id;
    }
}

TEST_F(Editor, TheGridIsNamedAndHasTheKeyboard) {
    Start("");
    EXPECT_EQ(GetFocus(), grid);
    ClientObject table(grid);
    ASSERT_TRUE(table);
    EXPECT_EQ(table.Name(CHILDID_SELF), L"Csv Editor - Untitled.csv") << "the document it shows";
    DialogKey(VK_TAB);
    EXPECT_EQ(GetFocus(), grid) << "the only control keeps the focus";
}

// Within each menu a letter leads to one item only.
static void ExpectUniqueMnemonics(HMENU menu, const std::string& path) {
    std::string letters;
    for (int i = 0, count = GetMenuItemCount(menu); i < count; ++i) {
        char text[128] = "";
        GetMenuStringA(menu, i, text, sizeof text, MF_BYPOSITION);
        if (const char letter = MnemonicOf(text)) {
            EXPECT_EQ(letters.find(letter), std::string::npos) << path << ": " << text;
            letters += letter;
        }
        if (HMENU sub = GetSubMenu(menu, i)) {
            ExpectUniqueMnemonics(sub, path + "/" + text);
        }
    }
}

TEST_F(Editor, MenuMnemonicsDoNotRepeat) {
    Start("");
    ExpectUniqueMnemonics(GetMenu(dlg), "menu");
}

TEST_F(Editor, DeletedRowsAndColumnsStayDeletedWhenSaved) {
    std::string path = folder + "deleted.csv";
    WriteFileBytes(path, "a;b;c\nd;e;f\ng;h;i\n");
    Start(path);
    SendMessageA(grid, GRM_SETCURSOR, 1, 3);
    Command(IDM_DELETE_COLUMN);
    SendMessageA(grid, GRM_SETCURSOR, 3, 1);
    Command(IDM_DELETE_ROW);
    SetText(grid, 1, 1, "z");
    EXPECT_EQ(Rows(), 2);
    Command(IDM_FILE_SAVE);
    EXPECT_EQ(ReadFileBytes(path), "z;b\nd;e\n");
}

TEST_F(Editor, CancelledOpenLeavesNoDocument) {
    std::string path = folder + "kept.csv";
    WriteFileBytes(path, "k\n");
    Start(path);
    Command(IDM_FILE_OPEN);
    EXPECT_EQ(CurrentDocument(), nullptr);
    EXPECT_EQ(GetText(grid, 1, 1), "k") << "the grid keeps showing the old contents";
    Command(IDM_FILE_NEW);
    EXPECT_EQ(Title(), "Csv Editor - " + path);

    g_pickedFile = path;
    WriteFileBytes(path, "k;l\n");
    Command(IDM_FILE_OPEN);
    ASSERT_NE(CurrentDocument(), nullptr);
    EXPECT_EQ(GetText(grid, 1, 2), "l");
    char lastDir[MAX_PATH] = "";
    DWORD size = sizeof lastDir;
    ASSERT_EQ(RegGetValueA(HKEY_CURRENT_USER, kKeyPath, "LastDir", RRF_RT_REG_SZ, nullptr, lastDir,
                           &size),
              ERROR_SUCCESS);
    EXPECT_EQ(std::string(lastDir) + "\\", folder) << "the folder of the opened file";
}

TEST_F(Editor, NewClearsTheGridAndTheTitle) {
    std::string path = folder + "new.csv";
    WriteFileBytes(path, "n\n");
    Start(path);
    Command(IDM_FILE_CLOSE);
    EXPECT_EQ(Title(), "Csv Editor - Untitled.csv");
    EXPECT_EQ(Rows(), 100);
    EXPECT_EQ(Cols(), 10);
    EXPECT_EQ(GetText(grid, 1, 1), "");
}

TEST_F(Editor, ALargeFileLoadsAndSavesInReasonableTime) {
    std::string path = folder + "large.csv";
    std::string bytes;
    for (int row = 0; row < 32000; ++row) {
        bytes += "Name " + std::to_string(row) + ";Main St;" + std::to_string(10000 + row) +
                 ";Springfield;TRUE;12.50;x;Note\n";
    }
    WriteFileBytes(path, bytes);
    DWORD start = GetTickCount();
    Start(path);
    DWORD loaded = GetTickCount();
    EXPECT_EQ(Rows(), 32000);
    EXPECT_EQ(Cols(), 8);
    Command(IDM_FILE_SAVE);
    DWORD saved = GetTickCount();
    EXPECT_EQ(ReadFileBytes(path), bytes);
    std::printf("32000 x 8: loaded in %lu ms, saved in %lu ms\n", loaded - start, saved - loaded);
    EXPECT_LT(loaded - start, 15000u);
    EXPECT_LT(saved - loaded, 10000u);
}

TEST_F(Editor, OverlongFieldsAreCutAtACharacterBoundary) {
    std::string path = folder + "long.csv";
    std::string field = std::string(985, 'a') + "\xC3\xA9" + std::string(1500, 'b');
    WriteFileBytes(path, "short;" + field + "\n");
    Start(path);
    EXPECT_EQ(GetText(grid, 1, 2), std::string(985, 'a'));
    Command(IDM_FILE_SAVE);
    EXPECT_EQ(ReadFileBytes(path), "short;" + std::string(985, 'a') + "\n");
}
