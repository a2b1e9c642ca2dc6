#include <gtest/gtest.h>
#include <gmock/gmock.h>

#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include <string>

#include "accessibility_checks.h"
#include "dialog_ids.h"
#include "tactr32_dialogs_win.h"
#include "win_test_support.h"

namespace {

class DialogTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_LISTVIEW_CLASSES};
        InitCommonControlsEx(&controls);
    }

    void TearDown() override {
        if (dialog_ && IsWindow(dialog_)) {
            DestroyWindow(dialog_);
        }
        PumpPending();
    }

    void Create(int id, DLGPROC proc, LPARAM data) {
        dialog_ = CreateDialogParamA(DialogModule(), MAKEINTRESOURCEA(id), nullptr, proc, data);
        ASSERT_NE(nullptr, dialog_);
        ShowWindow(dialog_, SW_SHOW);
        PumpPending();
    }

    void Press(int id) {
        SendMessageA(dialog_, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog_, id)));
        PumpPending();
    }

    std::string Text(int id) const {
        char text[1024] = "";
        GetDlgItemTextA(dialog_, id, text, sizeof text);
        return text;
    }

    std::string Folder() const { return folder_.path() + "\\"; }

    TempFolder folder_;
    HWND dialog_ = nullptr;
};

class TablePropertiesTest : public DialogTest {
  protected:
    void SetUp() override {
        ASSERT_TRUE(WriteFileBytes(folder_.File("en-a.qrf"),
                                   "name Table A\r\nlanguage en\r\ngrade 2\r\n"
                                   "description Two\r\ndescription lines\r\nletter a A 1\r\n"));
        ASSERT_TRUE(WriteFileBytes(folder_.File("en-b.qrf"),
                                   "name Table B\nlanguage en\nletter a A 127\n"));
        ASSERT_TRUE(WriteFileBytes(folder_.File("de.qrf"), "name Tabelle\nlanguage de\n"));
        Open(folder_.File("en-a.qrf"));
    }

    void Open(const std::string& table) {
        if (dialog_) {
            DestroyWindow(dialog_);
        }
        table_ = table;
        args_ = {table_.c_str(), buffer_, sizeof buffer_, 0};
        Create(IDD_TABLE_PROPERTIES, TablePropertiesProc, reinterpret_cast<LPARAM>(&args_));
    }

    std::string table_;
    char buffer_[260] = {};
    TablePropertiesArgs args_{};
};

TEST_F(TablePropertiesTest, ShowsTheTableAndItsRelatives) {
    EXPECT_EQ("Table A", Text(IDC_TP_NAME));
    EXPECT_EQ("en", Text(IDC_TP_LANGUAGE));
    EXPECT_EQ("Contracted", Text(IDC_TP_GRADE));
    EXPECT_EQ("Ready to use", Text(IDC_TP_STATUS));
    EXPECT_EQ("Two\r\nlines", Text(IDC_TP_DESCRIPTION));
    HWND list = GetDlgItem(dialog_, IDC_TP_RELATED);
    ASSERT_EQ(2, SendMessageA(list, LB_GETCOUNT, 0, 0)) << "the German table is not related";
    EXPECT_EQ(0, SendMessageA(list, LB_GETCURSEL, 0, 0));
    EXPECT_TRUE(TableHasProperties(table_.c_str()));
    EXPECT_FALSE(TableHasProperties(folder_.File("missing.qrf").c_str()));
}

TEST_F(TablePropertiesTest, TheChosenRelatedTableComesBackAsAPath) {
    SendDlgItemMessageA(dialog_, IDC_TP_RELATED, LB_SETCURSEL, 1, 0);
    SendMessageA(dialog_, WM_COMMAND, MAKEWPARAM(IDC_TP_RELATED, LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog_, IDC_TP_RELATED)));
    EXPECT_EQ("Table B", Text(IDC_TP_NAME));
    EXPECT_NE(std::string::npos, Text(IDC_TP_STATUS).find("Cannot be used")) << "bad dots";
    Press(IDOK);
    EXPECT_EQ(1u, args_.nChosen);
    EXPECT_EQ(folder_.File("en-b.qrf"), std::string(buffer_));
}

TEST_F(TablePropertiesTest, ShowsEscapedCharactersAsTheCompilerReadsThem) {
    ASSERT_TRUE(WriteFileBytes(folder_.File("fr-a.qrf"),
                               "name Fran\\xE7ais int\\xE9gral\r\nlanguage \\x66r\r\n"
                               "description \\xAB\\sa\\\\b\\s\\xBB\r\nletter a A 1\r\n"));
    ASSERT_TRUE(WriteFileBytes(folder_.File("fr-b.qrf"), "name Autre\nlanguage fr\n"));
    Open(folder_.File("fr-a.qrf"));
    EXPECT_EQ("Fran\xE7"
              "ais int\xE9gral",
              Text(IDC_TP_NAME));
    EXPECT_EQ("fr", Text(IDC_TP_LANGUAGE));
    EXPECT_EQ("\xAB a\\b \xBB", Text(IDC_TP_DESCRIPTION));
    EXPECT_EQ("Ready to use", Text(IDC_TP_STATUS));
    EXPECT_EQ(2, SendDlgItemMessageA(dialog_, IDC_TP_RELATED, LB_GETCOUNT, 0, 0))
        << "the language is compared decoded";
}

TEST_F(TablePropertiesTest, CancelLeavesTheBufferEmpty) {
    SendMessageA(dialog_, WM_COMMAND, IDCANCEL, 0);
    EXPECT_EQ(0u, args_.nChosen);
    EXPECT_STREQ("", buffer_);
}

class ExceptionEditorTest : public DialogTest {
  protected:
    void SetUp() override {
        ASSERT_TRUE(WriteFileBytes(folder_.File("names.qrf"),
                                   "name Names\r\n# a note\r\nword Reagan 1235\r\n"));
        rules_ = SourcePath("libs/tactr32/tables/");
        exceptions_ = Folder();
        args_ = {exceptions_.c_str(), rules_.c_str()};
        Create(IDD_EXCEPTION_LISTS, ExceptionListsProc, reinterpret_cast<LPARAM>(&args_));
    }

    int Count() const {
        return static_cast<int>(
            SendDlgItemMessageA(dialog_, IDC_EL_ENTRIES, LVM_GETITEMCOUNT, 0, 0));
    }

    void SelectEntry(int row) {
        LVITEMA state{};
        state.stateMask = state.state = LVIS_SELECTED | LVIS_FOCUSED;
        SendDlgItemMessageA(dialog_, IDC_EL_ENTRIES, LVM_SETITEMSTATE, row,
                            reinterpret_cast<LPARAM>(&state));
        PumpPending();
    }

    void Type(const char* word, int kind, const char* value) {
        SetDlgItemTextA(dialog_, IDC_EL_WORD, word);
        SendDlgItemMessageA(dialog_, IDC_EL_KIND, CB_SETCURSEL, kind, 0);
        SetDlgItemTextA(dialog_, IDC_EL_VALUE, value);
    }

    // "Zug" as dots 1-2 added to the unsaved list, then `word` tried with
    // the German table.
    void AddZugAndTry(const char* word) {
        Type("Zug", 0, "1-2");
        Press(IDC_EL_ADD);
        SendDlgItemMessageA(dialog_, IDC_EL_TABLE, CB_SELECTSTRING, static_cast<WPARAM>(-1),
                            reinterpret_cast<LPARAM>("de-g0.qrf"));
        SetDlgItemTextA(dialog_, IDC_EL_TRY_WORD, word);
        Press(IDC_EL_TRY);
    }

    std::string rules_, exceptions_;
    ExceptionListsArgs args_{};
};

TEST_F(ExceptionEditorTest, AddChangeDeleteAndSave) {
    ASSERT_EQ(1, Count());
    Type("Zug", 0, "1-2");
    Press(IDC_EL_ADD);
    EXPECT_EQ(2, Count());
    Type("Noel", 1, "No\xEBl");
    Press(IDC_EL_ADD);
    EXPECT_EQ(3, Count());

    SelectEntry(0);
    EXPECT_EQ("Reagan", Text(IDC_EL_WORD)) << "the chosen entry fills the fields";
    SetDlgItemTextA(dialog_, IDC_EL_VALUE, "1235-15");
    Press(IDC_EL_CHANGE);
    SelectEntry(1);
    Press(IDC_EL_DELETE);
    EXPECT_EQ(2, Count());

    Type("broken", 0, "9");
    Press(IDC_EL_ADD);
    EXPECT_EQ(2, Count());
    EXPECT_NE(std::string::npos, Text(IDC_EL_STATUS).find("Bad braille")) << Text(IDC_EL_STATUS);

    Press(IDC_EL_SAVE);
    EXPECT_EQ("name Names\r\n# a note\r\nword Reagan 1235-15\r\nreplace Noel No\\xEBl\r\n",
              ReadFileBytes(folder_.File("names.qrf")));
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((exceptions_ + "*.tmp").c_str(), &found);
    EXPECT_EQ(INVALID_HANDLE_VALUE, search) << "no temporary file is left behind";
    if (search != INVALID_HANDLE_VALUE) {
        FindClose(search);
    }
}

TEST_F(ExceptionEditorTest, TriesAWordWithTheUnsavedList) {
    AddZugAndTry("zug");
    EXPECT_EQ("Dots: 1-2", Text(IDC_EL_TRY_RESULT));
}

TEST_F(ExceptionEditorTest, EscapeWithChangesAsksAndNoKeepsTheFile) {
    const std::string before = ReadFileBytes(folder_.File("names.qrf"));
    SelectEntry(0);
    Press(IDC_EL_DELETE);
    {
        DialogAnswerer answerer({IDNO});
        SendMessageA(dialog_, WM_COMMAND, IDCANCEL, 0);
        PumpUntil([&] { return !answerer.seen().empty(); });
        // The editor coming back to the front is seen too.
        ASSERT_FALSE(answerer.seen().empty());
        EXPECT_NE(std::string::npos, answerer.seen()[0].text.find("names.qrf"));
    }
    EXPECT_EQ(before, ReadFileBytes(folder_.File("names.qrf")));
}

// What a screen reader and a keyboard find in a dialog: a name for every
// control it can reach, a key for every label, and every text whole.
void ExpectAccessible(HWND dialog) {
    using ::testing::IsEmpty;
    CoInitialize(nullptr);
    EXPECT_THAT(UnnamedControls(dialog), IsEmpty());
    EXPECT_THAT(RepeatedMnemonics({dialog}), IsEmpty());
    EXPECT_THAT(LabelsWithoutMnemonic(dialog), IsEmpty());
    EXPECT_THAT(CutTexts(dialog), IsEmpty());
    CoUninitialize();
}

TEST_F(TablePropertiesTest, IsAccessible) {
    ExpectAccessible(dialog_);
}

TEST_F(ExceptionEditorTest, IsAccessible) {
    AddZugAndTry("Zug"); // the list and the result line filled
    ExpectAccessible(dialog_);
    EXPECT_EQ("Entries of the exception list", AccessibleName(GetDlgItem(dialog_, IDC_EL_ENTRIES)));
}

INT_PTR CALLBACK InertProc(HWND, UINT, WPARAM, LPARAM) {
    return FALSE;
}

TEST_F(DialogTest, NewListDialogIsAccessible) {
    Create(IDD_NEW_EXCEPTION_LIST, InertProc, 0);
    ExpectAccessible(dialog_);
}

} // namespace
