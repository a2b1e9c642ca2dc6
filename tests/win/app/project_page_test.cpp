#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <cstring>
#include <string>

#include "file_locations.h"
#include "resource.h"
#include "settings_win.h"
#include "wizard_test.h"

namespace {

// The Project page, driven through its own controls.
class ProjectPageTest : public ProjectWizardTest {
  protected:
    void SetUp() override { RegDeleteTreeA(HKEY_CURRENT_USER, SettingsKeyPath()); }
    void TearDown() override {
        ProjectWizardTest::TearDown();
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
