#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>

#include "file_locations.h"
#include "page_services_win.h"
#include "settings_win.h"
#include "project_codec.h"
#include "resource.h"
#include "startup.h"
#include "win_test_support.h"
#include "wizard_frame_win.h"
#include "wizard_test.h"

namespace {

TEST_F(WizardTest, WelcomeTitleEndsWithABlank) {
    Start();
    EXPECT_EQ(PageIndex(), 0);
    EXPECT_TRUE(WaitForTitle("Dotwell 5.0.3.6268 ")) << "title was \"" << Title() << "\"";
}

TEST_F(WizardTest, LaterPagesShowTheirTitleAndTheProject) {
    Start();
    Press(PSBTN_NEXT);
    ASSERT_EQ(PageIndex(), 1);
    const std::string project = TheAppState()->szProjectFile;
    EXPECT_EQ(project.rfind("untitled.dwp", 0), 0u) << "a default name fills the empty path";
    EXPECT_TRUE(WaitForTitle("Project: " + project)) << "title was \"" << Title() << "\"";
}

TEST_F(WizardTest, PagesHaveTheirHeaderText) {
    Start();
    char text[256] = "";
    GetDlgItemTextA(PropSheet_GetCurrentPageHwnd(frame_), IDC_PAGE_HEADER, text, sizeof text);
    EXPECT_STREQ(text, "\nThis wizard will help you emboss labels on any Vantor Embosser.\nPress "
                       "Next to continue.");
}

TEST_F(WizardTest, NavigationSkipsTheDisabledDatabasePage) {
    Start();
    PageEntry* rows = WizardPages();
    SetPageEnabled(&rows[3], IDD_DATABASE, 0);
    EXPECT_EQ(rows[5].bEnabled, 0u);

    GoTo(4);
    Press(PSBTN_NEXT);
    EXPECT_EQ(PageIndex(), 6) << "Next from Translation skips Database connection";
    Press(PSBTN_BACK);
    EXPECT_EQ(PageIndex(), 4) << "Back from Emboss lands on Translation";

    SetPageEnabled(&rows[6], IDD_DATABASE, 1);
    Press(PSBTN_NEXT);
    EXPECT_EQ(PageIndex(), 5);
}

TEST_F(WizardTest, NextOnEmbossStaysAndBackFromProjectReachesWelcome) {
    Start();
    WizardPages()[0].bEnabled = 0;
    GoTo(6);
    Press(PSBTN_NEXT);
    EXPECT_EQ(PageIndex(), 6);
    GoTo(1);
    Press(PSBTN_BACK);
    EXPECT_EQ(PageIndex(), 0);
}

// Leaving the Database connection page by keyboard moves the focus out of
// its path box; the last page must still offer Back and Finish, not Next.
TEST_F(WizardTest, EmbossPageReachedFromThePathBoxOffersFinish) {
    Start();
    TempFolder folder;
    const std::string names = folder.File("names.csv");
    ASSERT_TRUE(WriteFileBytes(names, "Ann;Smith\n"));
    lstrcpyA(TheAppState()->szDatabaseFile, names.c_str());
    GoTo(5);
    SetFocus(GetDlgItem(PropSheet_GetCurrentPageHwnd(frame_), IDC_DATABASE_PATH));
    PumpPending();
    Press(PSBTN_NEXT);
    ASSERT_EQ(PageIndex(), 6);
    PumpPending();
    constexpr int kNext = 0x3024, kFinish = 0x3025;
    EXPECT_TRUE(IsWindowVisible(GetDlgItem(frame_, kFinish)));
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(frame_, kFinish)));
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(frame_, kNext)));
}

TEST_F(WizardTest, UnknownIdLeavesThePageTableAlone) {
    Start();
    SetPageEnabled(&WizardPages()[2], 999, 0);
    for (int i = 0; i < kPageCount; ++i) {
        EXPECT_EQ(WizardPages()[i].bEnabled, 1u) << "row " << i;
    }
}

class CommandLineTest : public WizardTest {
  protected:
    std::string WriteProject(const std::string& name) {
        auto state = std::make_unique<AppState>();
        ResetAppState(state.get());
        std::strcpy(state->szLabelText, "Hello {A}");
        state->nStartPos = 4;
        uint8_t bytes[kProjectFileSizeV2];
        EncodeProject(*state, bytes);
        const std::string path = folder_.File(name);
        WriteFileBytes(path, std::string(reinterpret_cast<char*>(bytes), sizeof bytes));
        return path;
    }
    TempFolder folder_;
};

TEST_F(CommandLineTest, QuotedProjectWithAutoSwitchStartsOnEmboss) {
    const std::string path = WriteProject("my labels.dwp");
    Start(("\"" + path + "\" /p").c_str());
    EXPECT_EQ(PageIndex(), 6);
    const AppState* state = TheAppState();
    EXPECT_EQ(state->bAutoEmboss, 1u);
    EXPECT_EQ(state->szProjectFile, path);
    EXPECT_EQ(state->nStartPos, 4);
    ASSERT_EQ(state->nFieldCount, 1) << "the field list is rebuilt after reading";
    EXPECT_STREQ(state->pFields[0].szName, "A");
}

TEST_F(CommandLineTest, NameThatIsNoFileStartsOnWelcomeAndKeepsTheSwitch) {
    Start((folder_.File("missing.dwp") + " /p").c_str());
    EXPECT_EQ(PageIndex(), 0);
    EXPECT_EQ(TheAppState()->bAutoEmboss, 1u);
    EXPECT_EQ(std::string(TheAppState()->szProjectFile).rfind("untitled.dwp", 0), 0u)
        << "a fresh record gets the default name";
}

TEST_F(CommandLineTest, FileThatIsNoProjectIsReportedAndStartsOnWelcome) {
    const std::string path = folder_.File("notes.dwp");
    WriteFileBytes(path, "just some text, long enough to have a header");
    DialogAnswerer answerer({IDOK});
    Start(path.c_str());
    EXPECT_EQ(PageIndex(), 0);
    ASSERT_EQ(answerer.seen().size(), 1u);
    EXPECT_EQ(answerer.seen()[0].caption, "Dotwell");
    EXPECT_NE(answerer.seen()[0].text.find("This file is not a Dotwell Project."),
              std::string::npos)
        << answerer.seen()[0].text;
}

TEST_F(CommandLineTest, OverlongPathStartsWithNoProject) {
    const std::string path = "C:\\" + std::string(300, 'a') + ".dwp";
    Start(path.c_str());
    EXPECT_EQ(PageIndex(), 0);
    EXPECT_EQ(std::string(TheAppState()->szProjectFile).rfind("untitled.dwp", 0), 0u);
}

TEST(FileExistsTest, OnlyReadableFilesExist) {
    TempFolder folder;
    const std::string file = folder.File("a.txt");
    WriteFileBytes(file, "x");
    EXPECT_EQ(FileExists(file.c_str()), 1);
    EXPECT_EQ(FileExists(folder.File("b.txt").c_str()), 0);
    EXPECT_EQ(FileExists(folder.path().c_str()), 0) << "a folder is not a file";
    EXPECT_EQ(FileExists(""), 0);
    EXPECT_EQ(FileExists(nullptr), 0);
}

} // namespace

namespace {

// The Project page, driven through its own controls.
class ProjectPageTest : public CommandLineTest {
  protected:
    void SetUp() override { RegDeleteTreeA(HKEY_CURRENT_USER, SettingsKeyPath()); }
    void TearDown() override {
        CommandLineTest::TearDown();
        RegDeleteTreeA(HKEY_CURRENT_USER, SettingsKeyPath());
    }

    HWND OpenProjectPage() {
        Start();
        Press(PSBTN_NEXT);
        EXPECT_EQ(PageIndex(), 1);
        return PropSheet_GetCurrentPageHwnd(frame_);
    }

    void Choose(HWND page, int radio) {
        SendDlgItemMessageA(page, radio, BM_CLICK, 0, 0);
        PumpPending();
    }

    void TypePath(HWND page, const std::string& path) {
        SetDlgItemTextA(page, IDC_PROJECT_PATH, path.c_str());
        PumpPending();
    }
};

TEST_F(ProjectPageTest, NewProjectResetsTheRecordOnEveryEdit) {
    HWND page = OpenProjectPage();
    Choose(page, IDC_PROJECT_CREATE_NEW);
    std::strcpy(TheAppState()->szLabelText, "left over");
    TypePath(page, "x");
    EXPECT_STREQ(TheAppState()->szLabelText, "");
    std::strcpy(TheAppState()->szLabelText, "left over");
    Choose(page, IDC_PROJECT_CREATE_NEW);
    EXPECT_STREQ(TheAppState()->szLabelText, "");
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(page, IDC_PROJECT_PATH)));
    Press(PSBTN_NEXT);
    EXPECT_EQ(PageIndex(), 2);
}

TEST_F(ProjectPageTest, ExistingProjectOpens) {
    const std::string path = WriteProject("shop.dwp");
    HWND page = OpenProjectPage();
    Choose(page, IDC_PROJECT_OPEN_EXISTING);
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(page, IDC_PROJECT_PATH)));
    TypePath(page, path);
    Press(PSBTN_NEXT);
    EXPECT_EQ(PageIndex(), 2);
    EXPECT_STREQ(TheAppState()->szLabelText, "Hello {A}");
    EXPECT_EQ(TheAppState()->nStartPos, 4);
    char remembered[260];
    EXPECT_EQ(ReadLastProject(remembered, sizeof remembered), 1u);
    EXPECT_EQ(remembered, path);
}

TEST_F(ProjectPageTest, ReadOnlyProjectGoesStraightToEmboss) {
    const std::string path = WriteProject("locked.dwp");
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
    HWND page = OpenProjectPage();
    Choose(page, IDC_PROJECT_OPEN_EXISTING);
    TypePath(page, path);
    Press(PSBTN_NEXT);
    EXPECT_EQ(PageIndex(), 6);
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(ProjectPageTest, FileThatIsNoProjectIsReportedAndThePageStays) {
    const std::string path = folder_.File("letter.dwp");
    WriteFileBytes(path, std::string(7000, 'x'));
    HWND page = OpenProjectPage();
    Choose(page, IDC_PROJECT_OPEN_EXISTING);
    TypePath(page, path);
    DialogAnswerer answerer({IDOK});
    Press(PSBTN_NEXT);
    EXPECT_EQ(PageIndex(), 1);
    ASSERT_EQ(answerer.seen().size(), 1u);
    EXPECT_NE(answerer.seen()[0].text.find("This file is not a Dotwell Project."),
              std::string::npos);
}

TEST_F(ProjectPageTest, MissingExistingProjectOffersBackOnly) {
    HWND page = OpenProjectPage();
    Choose(page, IDC_PROJECT_OPEN_EXISTING);
    TypePath(page, folder_.File("missing.dwp"));
    HWND next = GetDlgItem(frame_, 0x3024);
    EXPECT_TRUE(PumpUntil([&] { return !IsWindowEnabled(next); }));
    TypePath(page, WriteProject("there.dwp"));
    EXPECT_TRUE(PumpUntil([&] { return IsWindowEnabled(next) != FALSE; }));
}

} // namespace

namespace {

// The Label Layout page on a 100 x 50 mm label.
class LabelLayoutTest : public WizardTest {
  protected:
    // A text of 4096 characters fills its array with no terminator.
    HWND OpenLayoutPage(const std::string& text = "", const char* ruleFile = "") {
        Start();
        AppState* state = TheAppState();
        state->Sheet.wLabelWidth = 5669;
        state->Sheet.wLabelHeight = 2835;
        std::memset(state->szLabelText, 0, sizeof state->szLabelText);
        std::memcpy(state->szLabelText, text.data(),
                    std::min(text.size(), sizeof state->szLabelText));
        std::strcpy(state->szRuleFile, ruleFile);
        GoTo(3);
        return PropSheet_GetCurrentPageHwnd(frame_);
    }

    static std::string Text(HWND page, int id) {
        char text[64] = "";
        GetDlgItemTextA(page, id, text, sizeof text);
        return text;
    }

    static void Commit(HWND page, int id, const char* text) {
        SetDlgItemTextA(page, id, text);
        SendMessageA(page, WM_COMMAND, MAKEWPARAM(id, EN_KILLFOCUS),
                     reinterpret_cast<LPARAM>(GetDlgItem(page, id)));
    }
};

TEST_F(LabelLayoutTest, ZeroedBoxFillsTheLabelInWholeCellsAndLines) {
    HWND page = OpenLayoutPage("1\n2\n3\n4\n5\n6\n7");
    const SheetFormat& sheet = TheAppState()->Sheet;
    EXPECT_EQ(Text(page, IDC_TEXT_WIDTH), "96.0");
    EXPECT_EQ(Text(page, IDC_TEXT_HEIGHT), "49.9");
    EXPECT_EQ(sheet.wTextWidth, 5442);
    EXPECT_EQ(sheet.wTextHeight, 2829);
    EXPECT_STREQ(TheAppState()->szLabelText, "1\n2\n3\n4\n5") << "five lines fit";
}

TEST_F(LabelLayoutTest, ATextFillingItsArrayShowsAndStoresNothingAfterIt) {
    HWND page = OpenLayoutPage(std::string(4096, 'x'), "rules.qrf");
    const int shown = GetWindowTextLengthA(GetDlgItem(page, IDC_LABEL_TEXT));
    EXPECT_EQ(shown, 4096) << "the following field is not shown";
    Press(PSBTN_NEXT);
    EXPECT_EQ(std::string(TheAppState()->szLabelText), std::string(4095, 'x'));
    EXPECT_STREQ(TheAppState()->szRuleFile, "rules.qrf");
}

TEST_F(LabelLayoutTest, CommitsInsideTheLabelOnly) {
    HWND page = OpenLayoutPage();
    SheetFormat& sheet = TheAppState()->Sheet;
    Commit(page, IDC_TEXT_HEIGHT, "12.0");
    EXPECT_EQ(sheet.wTextHeight, 680);
    const uint16_t top = sheet.wTextTop;
    Commit(page, IDC_TEXT_TOP, "45.0");
    EXPECT_EQ(sheet.wTextTop, top) << "45 mm + 12 mm is past the label's edge";
    Commit(page, IDC_TEXT_TOP, "abc");
    EXPECT_EQ(sheet.wTextTop, top);
    Commit(page, IDC_TEXT_TOP, "10.0");
    EXPECT_EQ(sheet.wTextTop, 566);
}

TEST_F(LabelLayoutTest, NextTakesTheFieldsAndChoosesTheDatabasePage) {
    HWND page = OpenLayoutPage();
    SetDlgItemTextA(page, IDC_LABEL_TEXT, "Name: {A} {B}");
    Press(PSBTN_NEXT);
    EXPECT_EQ(PageIndex(), 4);
    AppState* state = TheAppState();
    ASSERT_EQ(state->nFieldCount, 2);
    EXPECT_EQ(state->pFields[0].nPos, 6);
    EXPECT_EQ(state->pFields[1].nPos, 10);
    EXPECT_EQ(WizardPages()[5].bEnabled, 1u);

    Press(PSBTN_BACK);
    std::strcpy(state->szDatabaseFile, "C:\\data.csv");
    SetDlgItemTextA(PropSheet_GetCurrentPageHwnd(frame_), IDC_LABEL_TEXT, "{A");
    Press(PSBTN_NEXT);
    EXPECT_EQ(state->nFieldCount, 0);
    EXPECT_STREQ(state->szDatabaseFile, "") << "the data file is forgotten";
    EXPECT_EQ(WizardPages()[5].bEnabled, 0u);
}

} // namespace

namespace {

TEST_F(LabelLayoutTest, AValueStillInItsBoxIsKeptWhenThePageIsLeft) {
    HWND page = OpenLayoutPage();
    HWND height = GetDlgItem(page, IDC_TEXT_HEIGHT);
    SetFocus(height);
    SetWindowTextA(height, "20.0");
    Press(PSBTN_NEXT);
    EXPECT_EQ(TheAppState()->Sheet.wTextHeight, 1133) << "20 mm, cut to whole twips";
}

} // namespace
