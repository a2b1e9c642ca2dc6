// Every page of the running wizard: names, mnemonics, keys and texts.
#include <gtest/gtest.h>
#include <gmock/gmock.h>

#include <windows.h>
#include <objbase.h>
#include <commctrl.h>

#include <cstring>
#include <string>

#include "accessibility_checks.h"
#include "app_state.h"
#include "resource.h"
#include "wizard_test.h"

namespace {

using ::testing::IsEmpty;

constexpr const char* kPageNames[] = {"Welcome",     "Project",  "Sheet Format", "Label Layout",
                                      "Translation", "Database", "Emboss"};

class WizardPages : public WizardTest {
  protected:
    void SetUp() override {
        CoInitialize(nullptr);
        ASSERT_TRUE(WriteFileBytes(data_.File("names.csv"), "Ann;Smith\nBo;Jones\nCy;Lee\n"));
        Start();
    }
    void TearDown() override {
        WizardTest::TearDown();
        CoUninitialize();
    }

    // The page at `index`, reached through the pages before it as a user
    // would, with a label of one field and a data file from the Database
    // connection page on, so its preview is live.
    HWND Page(int index) {
        for (int next = PageIndex() + 1; next <= index; ++next) {
            if (next == 5) {
                AppState* state = TheAppState();
                std::strcpy(state->szLabelText, "{A}");
                std::strcpy(state->szDatabaseFile, data_.File("names.csv").c_str());
            }
            GoTo(next);
        }
        return PropSheet_GetCurrentPageHwnd(frame_);
    }

    // A key as the sheet's own message loop hands it on.
    void Key(UINT message, WPARAM key) {
        const LPARAM altDown = message == WM_SYSCHAR || message == WM_SYSKEYDOWN ? 1 << 29 : 0;
        MSG msg{};
        msg.hwnd = GetFocus();
        msg.message = message;
        msg.wParam = key;
        msg.lParam = altDown | 1;
        if (!PropSheet_IsDialogMessage(frame_, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        PumpPending();
    }

    // Tab until `control` has the focus; false when it never comes.
    bool TabTo(HWND control) {
        for (int i = 0; i < 40 && GetFocus() != control; ++i)
            Key(WM_KEYDOWN, VK_TAB);
        return GetFocus() == control;
    }

    std::string Text(HWND page, int id) {
        char text[300] = "";
        GetDlgItemTextA(page, id, text, sizeof text);
        return text;
    }

    TempFolder data_;
};

TEST_F(WizardPages, EveryFocusableControlHasAName) {
    for (int i = 0; i < kPageCount; ++i) {
        SCOPED_TRACE(kPageNames[i]);
        EXPECT_THAT(UnnamedControls(Page(i)), IsEmpty());
    }
}

TEST_F(WizardPages, MnemonicsAreOnEveryLabelAndUniqueWithTheSheetsButtons) {
    for (int i = 0; i < kPageCount; ++i) {
        SCOPED_TRACE(kPageNames[i]);
        HWND page = Page(i);
        EXPECT_THAT(RepeatedMnemonics({frame_, page}), IsEmpty());
        EXPECT_THAT(LabelsWithoutMnemonic(page), IsEmpty());
    }
}

TEST_F(WizardPages, ControlsWithoutALabelSayWhatTheyAre) {
    const struct {
        int page, control;
        const char* name;
    } cases[] = {
        {1, IDC_PROJECT_PATH, "Label project file"},
        {3, IDC_LABEL_TEXT, "Label text"},
        {6, IDC_RECORD_SPIN, "Label 1 of max 3 labels"},
    };
    for (const auto& c : cases) {
        HWND page = Page(c.page);
        EXPECT_EQ(AccessibleName(GetDlgItem(page, c.control)), c.name) << kPageNames[c.page];
    }
}

TEST_F(WizardPages, AltAndALetterReachTheControlItsLabelNames) {
    const struct {
        int page;
        char letter;
        int control;
    } cases[] = {
        {2, 's', IDC_FORMAT_LIST},    {2, 'w', IDC_PAPER_WIDTH},    {2, 'h', IDC_PAPER_HEIGHT},
        {2, 'u', IDC_UNITS},          {2, 'l', IDC_FIRST_LEFT},     {2, 't', IDC_FIRST_TOP},
        {2, 'i', IDC_LABEL_WIDTH},    {2, 'e', IDC_LABEL_HEIGHT},   {2, 'v', IDC_NUM_VERTICAL},
        {2, 'o', IDC_NUM_HORIZONTAL}, {2, 'r', IDC_SEP_VERTICAL},   {2, 'z', IDC_SEP_HORIZONTAL},
        {3, 't', IDC_TEXT_TOP},       {3, 'h', IDC_TEXT_HEIGHT},    {4, 'r', IDC_RULE_FILE},
        {4, 'd', IDC_RULE_DETAILS},   {4, 'e', IDC_EXCEPTION_FILE}, {5, 's', IDC_DATABASE_PATH},
        {6, 's', IDC_START_POSITION}, {6, 'l', IDC_FROM_LABEL},     {6, 't', IDC_TO_LABEL},
        {6, 'm', IDC_IMPACTS},        {6, 'r', IDC_EMBOSSER},
    };
    int shown = -1;
    HWND page = nullptr;
    for (const auto& c : cases) {
        if (c.page != shown) {
            page = Page(c.page);
            shown = c.page;
        }
        SetFocus(GetDlgItem(frame_, IDCANCEL));
        Key(WM_SYSCHAR, c.letter);
        EXPECT_EQ(GetFocus(), GetDlgItem(page, c.control))
            << kPageNames[c.page] << ": Alt+" << c.letter << " went to control "
            << GetDlgCtrlID(GetFocus());
    }
}

TEST_F(WizardPages, EmbossPageStartPositionAndRecordWorkFromTheKeyboard) {
    Page(5);
    TheAppState()->Sheet.wNumHorizontal = 2; // six labels on a sheet
    TheAppState()->Sheet.wNumVertical = 3;
    HWND page = Page(6);
    SetFocus(GetDlgItem(frame_, IDCANCEL));
    ASSERT_TRUE(TabTo(GetDlgItem(page, IDC_START_POSITION)));
    Key(WM_KEYDOWN, VK_UP);
    EXPECT_EQ(Text(page, IDC_START_POSITION), "2");
    EXPECT_EQ(TheAppState()->nStartPos, 2);

    ASSERT_TRUE(TabTo(GetDlgItem(page, IDC_RECORD_SPIN)));
    Key(WM_KEYDOWN, VK_UP);
    Key(WM_KEYUP, VK_UP);
    EXPECT_EQ(Text(page, IDC_RECORD_COUNTER), "Label 2 of max 3 labels");
}

TEST_F(WizardPages, TextsFitTheirControls) {
    for (int i = 0; i < kPageCount; ++i) {
        SCOPED_TRACE(kPageNames[i]);
        EXPECT_THAT(CutTexts(Page(i)), IsEmpty());
    }
}

TEST_F(WizardPages, TextsShownLaterFitTheirControlsToo) {
    const struct {
        int page, control;
        std::vector<UINT> strings;
    } cases[] = {
        {5, IDC_DATABASE_EDIT, {IDS_CREATE, IDS_EDIT}},
        {6, IDC_EMBOSS, {IDS_EMBOSS, IDS_ABORT}},
        {6,
         IDC_STATUS,
         {IDS_ERR_WRITE_PRINTER, IDS_ERR_READ_SPOOL, IDS_ERR_OPEN_PRINTER, IDS_ERR_PRINT_TO_FILE,
          IDS_ERR_NO_MEMORY, IDS_ERR_CREATE_SPOOL, IDS_ERR_USER_ABORT, IDS_JOB_DONE}},
    };
    for (const auto& c : cases) {
        HWND page = Page(c.page);
        for (UINT id : c.strings) {
            char text[512] = "";
            LoadStringA(GetModuleHandleA(nullptr), id, text, sizeof text);
            SetDlgItemTextA(page, c.control, text);
            EXPECT_THAT(CutTexts(page), IsEmpty()) << '"' << text << '"';
        }
    }
    // The widest counts a label range reaches.
    HWND emboss = Page(6);
    SetDlgItemTextA(emboss, IDC_RECORD_COUNTER, "Label 10000 of max 10000 labels");
    SetDlgItemTextA(emboss, IDC_STATUS, "Processing lable 10000 of 10000");
    EXPECT_THAT(CutTexts(emboss), IsEmpty());
}

} // namespace
