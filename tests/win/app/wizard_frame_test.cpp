#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <string>

#include "file_locations.h"
#include "page_services_win.h"
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

class CommandLineTest : public ProjectWizardTest {};

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
