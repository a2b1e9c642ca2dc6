#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <oleacc.h>
#include <shlobj.h>

#include <cstring>
#include <string>
#include <vector>

#include "accessible_probe.h"
#include "resource.h"
#include "sheet_library.h"
#include "single_page_test.h"

namespace {

constexpr char kLibrary[] = "[A4 2 x 7]\r\nwPaperWidth=11905\r\nwPaperHeight=16837\r\n"
                            "wFirstLabelPosLeft=260\r\nwFirstLabelPosTop=856\r\n"
                            "wLabelWidth=5618\r\nwLabelHeight=2160\r\nwNumVertical=7\r\n"
                            "wNumHorizontal=2\r\nwSepVertical=0\r\nwSepHorizontal=141\r\n"
                            "bInch=No\r\n"
                            "[A4 1 x 1]\r\nwPaperWidth=11905\r\nwPaperHeight=16837\r\n"
                            "wLabelWidth=11905\r\nwLabelHeight=16837\r\nwNumVertical=1\r\n"
                            "wNumHorizontal=1\r\nbInch=No\r\n"
                            "[Letter]\r\nwPaperWidth=12240\r\nwPaperHeight=15840\r\n"
                            "wLabelWidth=5760\r\nwLabelHeight=1440\r\nwNumVertical=10\r\n"
                            "wNumHorizontal=2\r\nbInch=Yes\r\n";

// The name typed into the "Sheet Format name..." dialog when it opens.
const char* g_typedName;

LRESULT CALLBACK TypeFormatName(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE && g_typedName) {
        HWND dialog = reinterpret_cast<HWND>(wParam);
        if (GetDlgItem(dialog, IDC_FORMAT_NAME)) {
            SetDlgItemTextA(dialog, IDC_FORMAT_NAME, g_typedName);
            PostMessageA(dialog, WM_COMMAND, IDOK, 0);
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// The Sheet Format page alone in a modeless wizard, working on a record of
// the test's own and on the user's library in the test prefix's data folder.
class SheetFormatPageTest : public SinglePageTest {
  protected:
    SheetFormatPageTest() : SinglePageTest(2) {}

    void SetUp() override {
        ASSERT_EQ(1, LabelIniPath(ini_, sizeof ini_));
        std::string folder(ini_);
        folder.resize(folder.rfind('\\'));
        SHCreateDirectoryExA(nullptr, folder.c_str(), nullptr);
        WriteLibrary(kLibrary);
        ResetAppState(&state_);
    }

    void TearDown() override {
        SinglePageTest::TearDown();
        DeleteFileA(ini_);
        WritePrivateProfileStringA(nullptr, nullptr, nullptr, ini_);
    }

    // Written behind the profile functions' back, so their cache is dropped.
    void WriteLibrary(const std::string& text) {
        if (text.empty()) {
            DeleteFileA(ini_);
        } else {
            ASSERT_TRUE(WriteFileBytes(ini_, text));
        }
        WritePrivateProfileStringA(nullptr, nullptr, nullptr, ini_);
    }

    std::vector<std::string> Items() const {
        std::vector<std::string> items;
        HWND list = GetDlgItem(page_, IDC_FORMAT_LIST);
        const int count = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            char text[300] = "";
            SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
            items.push_back(text);
        }
        return items;
    }

    std::string Selected() const {
        HWND list = GetDlgItem(page_, IDC_FORMAT_LIST);
        const LRESULT item = SendMessageA(list, LB_GETCURSEL, 0, 0);
        char text[300] = "";
        if (item >= 0) {
            SendMessageA(list, LB_GETTEXT, item, reinterpret_cast<LPARAM>(text));
        }
        return text;
    }

    bool SaveEnabled() const { return IsWindowEnabled(GetDlgItem(page_, IDC_SAVE_FORMAT)); }

    // What the user does: replace the box's text, then leave the box.
    void Type(int id, const char* text) {
        HWND edit = GetDlgItem(page_, id);
        SendMessageA(edit, EM_SETSEL, 0, -1);
        SendMessageA(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text));
        SendMessageA(page_, WM_COMMAND, MAKEWPARAM(id, EN_KILLFOCUS),
                     reinterpret_cast<LPARAM>(edit));
        PumpPending();
    }

    void Choose(int id, int code, const char* text) {
        HWND control = GetDlgItem(page_, id);
        if (id == IDC_FORMAT_LIST) {
            SendMessageA(control, LB_SELECTSTRING, static_cast<WPARAM>(-1),
                         reinterpret_cast<LPARAM>(text));
        } else {
            SendMessageA(control, CB_SELECTSTRING, static_cast<WPARAM>(-1),
                         reinterpret_cast<LPARAM>(text));
        }
        SendMessageA(page_, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(control));
        PumpPending();
    }

    // The marker follows the painting of the page's statics.
    bool WaitForMarker(bool marked) {
        return PumpUntil([&] {
            RedrawWindow(page_, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
            return (Selected().rfind("* ", 0) == 0) == marked && SaveEnabled() == marked;
        });
    }

    std::string Key(const char* section, const char* key) const {
        char text[260];
        GetPrivateProfileStringA(section, key, "<none>", text, sizeof text, ini_);
        return text;
    }

    char ini_[MAX_PATH] = "";
    SheetFormat& sheet_ = state_.Sheet;
};

TEST_F(SheetFormatPageTest, ShowsTheLibraryAndItsFirstFormat) {
    Open();
    EXPECT_EQ((std::vector<std::string>{"A4 2 x 7", "A4 1 x 1", "Letter"}), Items());
    EXPECT_EQ("A4 2 x 7", Selected());
    EXPECT_STREQ("A4 2 x 7", sheet_.szName);
    const struct {
        int id;
        const char* text;
    } fields[] = {
        {IDC_PAPER_WIDTH, "210.0"},  {IDC_PAPER_HEIGHT, "297.0"}, {IDC_FIRST_LEFT, "4.6"},
        {IDC_FIRST_TOP, "15.1"},     {IDC_LABEL_WIDTH, "99.1"},   {IDC_LABEL_HEIGHT, "38.1"},
        {IDC_NUM_VERTICAL, "7"},     {IDC_NUM_HORIZONTAL, "2"},   {IDC_SEP_VERTICAL, "0.0"},
        {IDC_SEP_HORIZONTAL, "2.5"},
    };
    for (const auto& f : fields) {
        EXPECT_EQ(f.text, Text(f.id)) << "control " << f.id;
    }
    EXPECT_EQ("mm", Text(IDC_UNITS));
    EXPECT_TRUE(WaitForMarker(false));
}

TEST_F(SheetFormatPageTest, CommitsOnlyPlainNumbersWithinTheirRange) {
    Open();
    const struct {
        int id;
        const char* typed;
        const char* shown;
        uint16_t SheetFormat::*field;
        uint16_t stored;
    } cases[] = {
        {IDC_PAPER_WIDTH, "300", "210.0", &SheetFormat::wPaperWidth, 11905},
        {IDC_PAPER_WIDTH, "1,5", "210.0", &SheetFormat::wPaperWidth, 11905},
        {IDC_PAPER_WIDTH, "99999999999", "210.0", &SheetFormat::wPaperWidth, 11905},
        {IDC_NUM_HORIZONTAL, "0", "2", &SheetFormat::wNumHorizontal, 2},
        {IDC_NUM_HORIZONTAL, "5", "2", &SheetFormat::wNumHorizontal, 2},
        {IDC_NUM_VERTICAL, "6", "6", &SheetFormat::wNumVertical, 6},
        {IDC_PAPER_HEIGHT, "290", "290", &SheetFormat::wPaperHeight, 16440},
    };
    for (const auto& c : cases) {
        Type(c.id, c.typed);
        EXPECT_EQ(c.shown, Text(c.id)) << c.typed;
        EXPECT_EQ(c.stored, sheet_.*c.field) << c.typed;
    }
}

TEST_F(SheetFormatPageTest, ChangesAreMarkedAndSaved) {
    Open();
    Type(IDC_LABEL_HEIGHT, "35");
    EXPECT_EQ(1984, sheet_.wLabelHeight);
    ASSERT_TRUE(WaitForMarker(true));
    EXPECT_EQ("* A4 2 x 7", Selected());

    // A marked entry cannot be chosen again; another one drops the edits.
    Choose(IDC_FORMAT_LIST, LBN_SELCHANGE, "* A4 2 x 7");
    EXPECT_EQ(1984, sheet_.wLabelHeight);

    Press(IDC_SAVE_FORMAT);
    EXPECT_EQ("1984", Key("A4 2 x 7", "wLabelHeight"));
    EXPECT_TRUE(WaitForMarker(false));
    EXPECT_EQ("A4 2 x 7", Selected());
}

TEST_F(SheetFormatPageTest, AnotherFormatDropsTheEditsButKeepsTheMarker) {
    Open();
    Type(IDC_LABEL_HEIGHT, "35");
    ASSERT_TRUE(WaitForMarker(true));
    Choose(IDC_FORMAT_LIST, LBN_SELCHANGE, "Letter");
    EXPECT_STREQ("Letter", sheet_.szName);
    EXPECT_EQ(1440, sheet_.wLabelHeight);
    EXPECT_EQ("4.00", Text(IDC_LABEL_WIDTH));
    EXPECT_EQ("Inch", Text(IDC_UNITS));
    EXPECT_EQ("* A4 2 x 7", Items()[0]);
    EXPECT_EQ("2160", Key("A4 2 x 7", "wLabelHeight"));
}

TEST_F(SheetFormatPageTest, SwitchingUnitsShowsAndStoresAtTheNewPrecision) {
    Open();
    Choose(IDC_UNITS, CBN_SELCHANGE, "Inch");
    EXPECT_EQ(1u, sheet_.bInch);
    EXPECT_EQ("8.27", Text(IDC_PAPER_WIDTH));
    EXPECT_EQ(11908, sheet_.wPaperWidth);
    EXPECT_TRUE(WaitForMarker(false)) << "a change of unit alone is no change";
    Choose(IDC_UNITS, CBN_SELCHANGE, "mm");
    EXPECT_EQ("210.0", Text(IDC_PAPER_WIDTH));
    EXPECT_EQ(11905, sheet_.wPaperWidth);
}

// The preview tells a screen reader the format in words, and tells it again
// whenever the format, its values or its unit change.
TEST_F(SheetFormatPageTest, PreviewSaysTheFormatInWords) {
    Open();
    HWND preview = GetDlgItem(page_, IDC_SHEET_PREVIEW);
    EXPECT_EQ(ROLE_SYSTEM_GRAPHIC, ReadClientWords(preview).role);
    WinEventRecorder events(preview);
    const struct {
        int id, code; // 0: as the page opened
        const char* input;
        const char* name;
        const char* value;
    } steps[] = {
        {0, 0, nullptr, "A4 2 x 7, 2 across, 7 down, labels 99.1 x 38.1 mm", "paper 210 x 297 mm"},
        {IDC_LABEL_HEIGHT, EN_KILLFOCUS, "35", "A4 2 x 7, 2 across, 7 down, labels 99.1 x 35 mm",
         "paper 210 x 297 mm"},
        {IDC_UNITS, CBN_SELCHANGE, "Inch", "A4 2 x 7, 2 across, 7 down, labels 3.9 x 1.38 inches",
         "paper 8.27 x 11.69 inches"},
        {IDC_FORMAT_LIST, LBN_SELCHANGE, "Letter", "Letter, 2 across, 10 down, labels 4 x 1 inches",
         "paper 8.5 x 11 inches"},
    };
    for (const auto& step : steps) {
        if (step.code == EN_KILLFOCUS) {
            Type(step.id, step.input);
        } else if (step.code) {
            Choose(step.id, step.code, step.input);
        }
        const ClientWords words = ReadClientWords(preview);
        EXPECT_EQ(step.name, words.name);
        EXPECT_EQ(step.value, words.value);
        if (step.code) {
            EXPECT_GE(events.Count(EVENT_OBJECT_NAMECHANGE), 1) << step.input;
        }
        events.Clear();
    }
}

TEST_F(SheetFormatPageTest, NarrowerPaperLowersCountsFirst) {
    Open();
    Type(IDC_PAPER_WIDTH, "100");
    EXPECT_EQ(5669, sheet_.wPaperWidth);
    EXPECT_EQ(1, sheet_.wNumHorizontal);
    EXPECT_EQ(5669 - 260, sheet_.wLabelWidth);
    EXPECT_EQ(260, sheet_.wFirstLabelPosLeft);
    EXPECT_EQ(0, sheet_.wSepHorizontal);
    EXPECT_EQ("2", Text(IDC_NUM_HORIZONTAL)) << "texts stay until the fields are created again";
    Choose(IDC_UNITS, CBN_SELCHANGE, "mm");
    EXPECT_EQ("1", Text(IDC_NUM_HORIZONTAL));
}

TEST_F(SheetFormatPageTest, LeavingThePageCommitsTheBoxWithTheCaret) {
    Open();
    HWND edit = GetDlgItem(page_, IDC_LABEL_HEIGHT);
    SetFocus(edit);
    SendMessageA(edit, EM_SETSEL, 0, -1);
    SendMessageA(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("35"));
    NMHDR leave{frame_, 0, static_cast<UINT>(PSN_KILLACTIVE)};
    SendMessageA(page_, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&leave));
    EXPECT_EQ(1984, sheet_.wLabelHeight);
    EXPECT_EQ(FALSE, GetWindowLongPtrA(page_, DWLP_MSGRESULT)) << "the page never blocks";
}

TEST_F(SheetFormatPageTest, SpinClicksAreCommitted) {
    Open();
    NMUPDOWN notify{};
    notify.hdr.hwndFrom = GetDlgItem(page_, IDC_PAPER_HEIGHT_SPIN);
    notify.hdr.idFrom = IDC_PAPER_HEIGHT_SPIN;
    notify.hdr.code = UDN_DELTAPOS;
    notify.iDelta = -1;
    SendMessageA(page_, WM_NOTIFY, IDC_PAPER_HEIGHT_SPIN, reinterpret_cast<LPARAM>(&notify));
    PumpPending();
    EXPECT_EQ("296.9", Text(IDC_PAPER_HEIGHT));
    EXPECT_EQ(16832, sheet_.wPaperHeight);
}

TEST_F(SheetFormatPageTest, NewFormatHoldsTheCurrentValues) {
    Open();
    Type(IDC_LABEL_HEIGHT, "35");
    HHOOK hook = SetWindowsHookExA(WH_CBT, TypeFormatName, nullptr, GetCurrentThreadId());
    g_typedName = "My labels";
    Press(IDC_NEW_FORMAT);
    g_typedName = "";
    Press(IDC_NEW_FORMAT);
    g_typedName = nullptr;
    UnhookWindowsHookEx(hook);

    EXPECT_STREQ("My labels", sheet_.szName);
    EXPECT_EQ("1984", Key("My labels", "wLabelHeight"));
    EXPECT_EQ("2160", Key("A4 2 x 7", "wLabelHeight"));
    EXPECT_EQ((std::vector<std::string>{"A4 2 x 7", "A4 1 x 1", "Letter", "My labels"}), Items());
    EXPECT_EQ("My labels", Selected());
    EXPECT_EQ(1984, sheet_.wLabelHeight) << "an empty name leaves the format alone";
}

TEST_F(SheetFormatPageTest, DeleteKeepsTheValuesUnderTheNeighboursName) {
    Open();
    Choose(IDC_FORMAT_LIST, LBN_SELCHANGE, "A4 1 x 1");
    Press(IDC_DELETE_FORMAT);
    EXPECT_EQ((std::vector<std::string>{"A4 2 x 7", "Letter"}), Items());
    EXPECT_STREQ("A4 2 x 7", sheet_.szName);
    EXPECT_EQ(11905, sheet_.wLabelWidth);
    EXPECT_EQ("A4 2 x 7, 1 across, 1 down, labels 210 x 297 mm",
              ReadClientWords(GetDlgItem(page_, IDC_SHEET_PREVIEW)).name);
    EXPECT_TRUE(WaitForMarker(true));
    EXPECT_EQ("* A4 2 x 7", Selected());
}

TEST_F(SheetFormatPageTest, DeletingTheOnlyFormatShowsTheDefault) {
    WriteLibrary("[Letter]\r\nwPaperWidth=12240\r\nwPaperHeight=15840\r\n"
                 "wLabelWidth=5760\r\nwLabelHeight=1440\r\nwNumVertical=10\r\n"
                 "wNumHorizontal=2\r\nbInch=Yes\r\n");
    Open();
    ASSERT_EQ("8.50", Text(IDC_PAPER_WIDTH));
    Press(IDC_DELETE_FORMAT);
    EXPECT_TRUE(Items().empty());
    const struct {
        int id;
        const char* text;
    } fields[] = {
        {IDC_UNITS, "mm"},          {IDC_PAPER_WIDTH, "210.0"}, {IDC_PAPER_HEIGHT, "297.0"},
        {IDC_LABEL_WIDTH, "100.0"}, {IDC_LABEL_HEIGHT, "50.0"}, {IDC_NUM_VERTICAL, "1"},
        {IDC_NUM_HORIZONTAL, "1"},  {IDC_SEP_VERTICAL, "0.0"},
    };
    for (const auto& f : fields) {
        EXPECT_EQ(f.text, Text(f.id)) << "control " << f.id;
    }
    EXPECT_EQ(0u, sheet_.bInch);
    EXPECT_EQ(5669, sheet_.wLabelWidth) << "the record holds what the boxes show";
}

// A project's format of 2 x 5 labels on letter paper, not in the library.
void UseProjectsFormat(SheetFormat& sheet) {
    std::strcpy(sheet.szName, "From a project");
    sheet.wPaperWidth = 12240;
    sheet.wPaperHeight = 15840;
    sheet.wLabelWidth = 5760;
    sheet.wLabelHeight = 2880;
    sheet.wNumVertical = 5;
    sheet.wNumHorizontal = 2;
}

TEST_F(SheetFormatPageTest, AProjectsFormatJoinsTheLibrary) {
    UseProjectsFormat(sheet_);
    sheet_.bInch = 1;
    Open();
    EXPECT_EQ("From a project", Selected());
    EXPECT_EQ("12240", Key("From a project", "wPaperWidth"));
    EXPECT_EQ("Yes", Key("From a project", "bInch"));
    EXPECT_EQ("8.50", Text(IDC_PAPER_WIDTH));
}

TEST_F(SheetFormatPageTest, AReadOnlyLibraryKeepsTheProjectsFormat) {
    UseProjectsFormat(sheet_);
    // Another reader that shares no writing makes every write fail.
    HANDLE reader = CreateFileA(ini_, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, reader);
    Open();
    CloseHandle(reader);
    EXPECT_EQ("<none>", Key("From a project", "wPaperWidth"));
    EXPECT_STREQ("From a project", sheet_.szName);
    EXPECT_EQ(5760, sheet_.wLabelWidth);
    EXPECT_EQ("101.6", Text(IDC_LABEL_WIDTH));
}

TEST_F(SheetFormatPageTest, AnEmptyLibraryShowsTheDefaultFormat) {
    WriteLibrary("");
    sheet_.wTextWidth = 1234;
    Open();
    EXPECT_TRUE(Items().empty());
    EXPECT_EQ("210.0", Text(IDC_PAPER_WIDTH));
    EXPECT_EQ("100.0", Text(IDC_LABEL_WIDTH));
    EXPECT_EQ(1234, sheet_.wTextWidth);
    Type(IDC_LABEL_WIDTH, "90");
    Press(IDC_SAVE_FORMAT);
    EXPECT_EQ((std::vector<std::string>{"MySheetFormat"}), Items());
    EXPECT_EQ("5102", Key("MySheetFormat", "wLabelWidth"));
}

} // namespace
