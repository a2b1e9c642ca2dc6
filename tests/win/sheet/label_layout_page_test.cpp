#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "resource.h"
#include "wizard_test.h"

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

TEST_F(LabelLayoutTest, AValueStillInItsBoxIsKeptWhenThePageIsLeft) {
    HWND page = OpenLayoutPage();
    HWND height = GetDlgItem(page, IDC_TEXT_HEIGHT);
    SetFocus(height);
    SetWindowTextA(height, "20.0");
    Press(PSBTN_NEXT);
    EXPECT_EQ(TheAppState()->Sheet.wTextHeight, 1133) << "20 mm, cut to whole twips";
}

} // namespace
