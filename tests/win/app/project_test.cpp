#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <cstring>
#include <string>

#include "file_locations.h"
#include "page_services_win.h"
#include "project_codec.h"
#include "project_dialogs_win.h"
#include "project_file_io_win.h"
#include "resource.h"
#include "startup.h"
#include "win_test_support.h"
#include "wizard_frame_win.h"

namespace {

class ProjectFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ResetAppState(&state_);
        path_ = folder_.File("labels.dwp");
        std::strcpy(state_.szProjectFile, path_.c_str());
        std::strcpy(state_.szLabelText, "{A} {B}");
        std::strcpy(state_.szSelectedPrinter, "Embosser 1");
    }
    void TearDown() override {
        SetFileAttributesA(path_.c_str(), FILE_ATTRIBUTE_NORMAL);
        ReleaseAppState(&state_);
    }
    TempFolder folder_;
    std::string path_;
    AppState state_;
};

TEST_F(ProjectFileTest, WriteStoresVersion2WithoutHandles) {
    state_.hDataSource = 0x11223344;
    state_.hTranslator = 0x55667788;
    ASSERT_EQ(WriteProject(nullptr, &state_, 0), 1);
    const std::string bytes = ReadFileBytes(path_);
    ASSERT_EQ(bytes.size(), 6072u);
    EXPECT_EQ(bytes.substr(0, 8), std::string("\x78\x56\x34\x12\x02\x00\x00\x00", 8));
    EXPECT_EQ(bytes.substr(548, 4), std::string(4, '\0'));
    EXPECT_EQ(bytes.substr(556, 4), std::string(4, '\0'));
    EXPECT_EQ(GetFileAttributesA(path_.c_str()) & FILE_ATTRIBUTE_READONLY, 0u);
}

TEST_F(ProjectFileTest, ReadOnlyFlagLocksTheFile) {
    ASSERT_EQ(WriteProject(nullptr, &state_, 1), 1);
    EXPECT_NE(GetFileAttributesA(path_.c_str()) & FILE_ATTRIBUTE_READONLY, 0u);
    EXPECT_EQ(IsReadOnlyProject(nullptr, &state_), 1);
    EXPECT_EQ(WriteProject(nullptr, &state_, 0), 0) << "a locked project is not overwritten";
}

TEST_F(ProjectFileTest, FailedSaveLeavesTheOldFileIntact) {
    ASSERT_EQ(WriteProject(nullptr, &state_, 0), 1);
    const std::string before = ReadFileBytes(path_);
    // Another program holds the file open: it cannot be replaced.
    HANDLE holder = CreateFileA(path_.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    std::strcpy(state_.szLabelText, "changed");
    EXPECT_EQ(WriteProject(nullptr, &state_, 0), 0);
    CloseHandle(holder);
    EXPECT_EQ(ReadFileBytes(path_), before);
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(folder_.File("*").c_str(), &found);
    int files = 0;
    do {
        files += !(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    EXPECT_EQ(files, 1) << "no temporary file is left behind";
}

TEST_F(ProjectFileTest, ChangedMeansWhatTheUserChose) {
    ASSERT_EQ(WriteProject(nullptr, &state_, 0), 1);
    EXPECT_EQ(ProjectChanged(nullptr, &state_), 0);
    state_.nSourceKind = 2;
    state_.hDataSource = 9;
    EXPECT_EQ(ProjectChanged(nullptr, &state_), 0) << "source kind and handles do not count";
    std::strcpy(state_.szSelectedPrinter, "Embosser 2");
    EXPECT_EQ(ProjectChanged(nullptr, &state_), 1) << "a new embosser does";
    std::strcpy(state_.szSelectedPrinter, "Embosser 1");
    state_.nToLabel = 7;
    EXPECT_EQ(ProjectChanged(nullptr, &state_), 1);
    state_.nToLabel = 0;
    state_.Sheet.wTextTop = 5;
    EXPECT_EQ(ProjectChanged(nullptr, &state_), 1);
}

TEST(DefaultProjectNameTest, CountsPastTakenNames) {
    TempFolder folder;
    char previous[MAX_PATH];
    GetCurrentDirectoryA(sizeof previous, previous);
    SetCurrentDirectoryA(folder.path().c_str());
    char name[MAX_PATH];
    DefaultProjectName(nullptr, name);
    EXPECT_STREQ(name, "untitled.dwp");
    WriteFileBytes(folder.File("untitled.dwp"), "x");
    DefaultProjectName(nullptr, name);
    EXPECT_STREQ(name, "untitled.dwp1.dwp");
    SetCurrentDirectoryA(previous);
}

// The end questions, answered through the real dialogs.
class SaveOrCloseTest : public ProjectFileTest {};

TEST_F(SaveOrCloseTest, NeverSavedAsksYesNoCancel) {
    std::strcpy(state_.szProjectFile, "untitled.dwp");
    {
        DialogAnswerer answerer({IDCANCEL});
        EXPECT_EQ(SaveOrClose(nullptr, &state_), kStayOpen);
        ASSERT_EQ(answerer.seen().size(), 1u);
        EXPECT_NE(answerer.seen()[0].text.find("Would you like to save your session"),
                  std::string::npos);
    }
    DialogAnswerer answerer({IDNO});
    EXPECT_EQ(SaveOrClose(nullptr, &state_), 2);
    EXPECT_EQ(GetFileAttributesA(path_.c_str()), INVALID_FILE_ATTRIBUTES) << "nothing written";
}

TEST_F(SaveOrCloseTest, ChangedProjectAsksToSave) {
    ASSERT_EQ(WriteProject(nullptr, &state_, 0), 1);
    std::strcpy(state_.szLabelText, "new text");
    {
        DialogAnswerer answerer({IDC_SAVE_CANCEL});
        EXPECT_EQ(SaveOrClose(nullptr, &state_), kStayOpen);
        ASSERT_EQ(answerer.seen().size(), 1u);
        EXPECT_EQ(answerer.seen()[0].caption, "Dotwell");
    }
    {
        DialogAnswerer answerer({IDC_SAVE_NO});
        EXPECT_EQ(SaveOrClose(nullptr, &state_), 2);
    }
    DialogAnswerer answerer({IDC_SAVE_YES});
    EXPECT_EQ(SaveOrClose(nullptr, &state_), 1);
    EXPECT_EQ(ProjectChanged(nullptr, &state_), 0) << "Yes saved the change";
}

TEST_F(SaveOrCloseTest, UnchangedProjectCanBeLocked) {
    ASSERT_EQ(WriteProject(nullptr, &state_, 0), 1);
    {
        DialogAnswerer answerer({IDCANCEL});
        EXPECT_EQ(SaveOrClose(nullptr, &state_), kStayOpen) << "No keeps the wizard open";
        ASSERT_EQ(answerer.seen().size(), 1u);
        EXPECT_NE(answerer.seen()[0].text.find("Close project?"), std::string::npos);
    }
    DialogAnswerer answerer({IDOK});
    answerer.CheckBeforeAnswer(IDC_MAKE_READONLY);
    EXPECT_EQ(SaveOrClose(nullptr, &state_), 1);
    EXPECT_NE(GetFileAttributesA(path_.c_str()) & FILE_ATTRIBUTE_READONLY, 0u);
}

TEST_F(SaveOrCloseTest, ASaveThatFailsKeepsTheWizardOpen) {
    ASSERT_EQ(WriteProject(nullptr, &state_, 0), 1);
    std::strcpy(state_.szLabelText, "unsaved work");
    HANDLE holder = CreateFileA(path_.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    // Locked, so "Yes" leads to the save dialog; the same name is chosen,
    // the overwrite question answered, and the failure must be reported.
    DialogAnswerer answerer({IDC_SAVE_YES, IDOK, IDYES, IDOK});
    answerer.TypeFileName(path_);
    EXPECT_EQ(SaveOrClose(nullptr, &state_), kStayOpen);
    CloseHandle(holder);
    bool reported = false;
    for (const auto& seen : answerer.seen()) {
        reported |= seen.text.find("could not be saved") != std::string::npos;
    }
    EXPECT_TRUE(reported);
}

// A name chosen in the save dialog but never written to is forgotten, so
// the next Finish asks the same question again instead of "Close project?".
TEST_F(SaveOrCloseTest, AFailedSaveAsKeepsThePreviousName) {
    ASSERT_EQ(WriteProject(nullptr, &state_, 0), 1);
    const std::string other = folder_.File("other.dwp");
    const struct {
        const char* previous;
        int askSaveAs;
        const char* question;
    } cases[] = {
        {"untitled.dwp", IDYES, "Would you like to save your session"},
        {path_.c_str(), IDC_SAVE_AS, "Save changes ?"},
    };
    for (const auto& c : cases) {
        std::strcpy(state_.szProjectFile, c.previous);
        std::strcpy(state_.szLabelText, "unsaved work");
        ASSERT_TRUE(WriteFileBytes(other, "held"));
        HANDLE holder = CreateFileA(other.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, 0, nullptr);
        {
            // Save as..., the other name, overwrite it, the failure reported.
            DialogAnswerer answerer({c.askSaveAs, IDOK, IDYES, IDOK});
            answerer.TypeFileName(other);
            EXPECT_EQ(SaveOrClose(nullptr, &state_), kStayOpen) << c.previous;
        }
        CloseHandle(holder);
        DeleteFileA(other.c_str());
        EXPECT_STREQ(state_.szProjectFile, c.previous);
        DialogAnswerer answerer({IDCANCEL});
        EXPECT_EQ(SaveOrClose(nullptr, &state_), kStayOpen) << c.previous;
        ASSERT_EQ(answerer.seen().size(), 1u) << c.previous;
        EXPECT_NE(answerer.seen()[0].text.find(c.question), std::string::npos)
            << c.previous << ": " << answerer.seen()[0].text;
    }
}

} // namespace
