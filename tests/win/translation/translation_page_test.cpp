#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <cstring>
#include <string>
#include <vector>

#include "paths.h"
#include "resource.h"
#include "settings_win.h"
#include "table_files.h"
#include "single_page_test.h"

namespace {

constexpr int kWizardNext = 0x3024;
constexpr int kWizardBack = 0x3023;

class TranslationPageTest : public SinglePageTest {
  protected:
    TranslationPageTest() : SinglePageTest(4) {}

    void SetUp() override {
        ResetAppState(&state_);
        WriteLastRuleFile("");
        WriteLastExceptionFile("");
    }

    void TearDown() override {
        SinglePageTest::TearDown();
        ReleaseAppState(&state_);
        WriteLastRuleFile("");
        WriteLastExceptionFile("");
    }

    void PutTables() {
        const std::string rules = RuleFolder();
        ASSERT_FALSE(rules.empty());
        files_.Put(rules, "alpha.qrf",
                   "name Alpha\nlanguage xx\ndescription First line\ndescription Second line\n"
                   "letter a A 1\n");
        files_.Put(rules, "bare.qrf", "letter a A 1\n");
        files_.Put(rules, "CAPS.QRF", "letter a A 1\n");
        files_.Put(rules, "backup.qrf.bak", "letter a A 1\n");
        files_.Folder(rules, "folder.qrf");
        files_.Put(ExceptionFolder(), "names.qrf", "word zug 1-2\n");
    }

    std::vector<std::string> Items(int id) const {
        std::vector<std::string> items;
        const LRESULT count = SendDlgItemMessageA(page_, id, CB_GETCOUNT, 0, 0);
        for (LRESULT i = 0; i < count; ++i) {
            char text[MAX_PATH] = "";
            SendDlgItemMessageA(page_, id, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
            items.push_back(text);
        }
        return items;
    }

    std::string Selected(int id) const {
        const LRESULT at = SendDlgItemMessageA(page_, id, CB_GETCURSEL, 0, 0);
        if (at == CB_ERR) {
            return "(none)";
        }
        char text[MAX_PATH] = "";
        SendDlgItemMessageA(page_, id, CB_GETLBTEXT, at, reinterpret_cast<LPARAM>(text));
        return text;
    }

    void Choose(int id, const char* item) {
        SendDlgItemMessageA(page_, id, CB_SELECTSTRING, static_cast<WPARAM>(-1),
                            reinterpret_cast<LPARAM>(item));
        Notify(id, CBN_SELCHANGE);
    }

    void Notify(int id, int code) {
        SendMessageA(page_, WM_COMMAND, MAKEWPARAM(id, code),
                     reinterpret_cast<LPARAM>(GetDlgItem(page_, id)));
        PumpPending();
    }

    std::string Details() const {
        char text[2048] = "";
        GetDlgItemTextA(page_, IDC_RULE_DETAILS, text, sizeof text);
        return text;
    }

    bool Enabled(int id) const { return IsWindowEnabled(GetDlgItem(frame_, id)) != FALSE; }

    DataFiles files_;
};

TEST_F(TranslationPageTest, ListsTablesByTheirExactExtension) {
    PutTables();
    Open();
    EXPECT_EQ((std::vector<std::string>{"alpha.qrf", "backup.qrf", "bare.qrf"}),
              Items(IDC_RULE_FILE));
    EXPECT_EQ((std::vector<std::string>{"names.qrf"}), Items(IDC_EXCEPTION_FILE));
    EXPECT_EQ("(none)", Selected(IDC_RULE_FILE));
}

TEST_F(TranslationPageTest, TheRememberedTableIsSelectedWhenTheRecordNamesNone) {
    PutTables();
    WriteLastRuleFile("BARE.qrf");
    WriteLastExceptionFile("names.qrf");
    std::strcpy(state_.szExceptionFile, "nothing here");
    Open();
    EXPECT_EQ("bare.qrf", Selected(IDC_RULE_FILE));
    EXPECT_EQ("names.qrf", Selected(IDC_EXCEPTION_FILE)) << "a text without .qrf names nothing";
}

TEST_F(TranslationPageTest, TheRecordWinsOverTheRegistry) {
    PutTables();
    WriteLastRuleFile("bare.qrf");
    std::strcpy(state_.szRuleFile, "alpha.qrf.old");
    Open();
    EXPECT_EQ("alpha.qrf", Selected(IDC_RULE_FILE));
}

TEST_F(TranslationPageTest, NextIsWithdrawnOnlyAtTheFirstNotification) {
    Open();
    PropSheet_SetCurSel(frame_, nullptr, 0);
    EXPECT_TRUE(PumpUntil([&] { return Enabled(kWizardNext); }));
    Notify(IDC_EXCEPTION_FILE, CBN_SETFOCUS);
    EXPECT_TRUE(PumpUntil([&] { return !Enabled(kWizardNext) && Enabled(kWizardBack); }));
}

TEST_F(TranslationPageTest, ChoicesReachTheRecordAndTheRegistry) {
    PutTables();
    Open();
    Choose(IDC_RULE_FILE, "alpha.qrf");
    Choose(IDC_EXCEPTION_FILE, "names.qrf");
    EXPECT_STREQ("alpha.qrf", state_.szRuleFile);
    EXPECT_STREQ("names.qrf", state_.szExceptionFile);
    char remembered[MAX_PATH] = "";
    ReadLastRuleFile(remembered, sizeof remembered);
    EXPECT_STREQ("alpha.qrf", remembered);
    EXPECT_TRUE(PumpUntil([&] { return Enabled(kWizardNext); }));
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(page_, IDC_RULE_PROPERTIES)));
}

TEST_F(TranslationPageTest, DetailsShowCarriageReturnsOrNoDetails) {
    PutTables();
    Open();
    Notify(IDC_RULE_FILE, CBN_SETFOCUS);
    EXPECT_EQ("No Details", Details()) << "no table chosen";
    Choose(IDC_RULE_FILE, "alpha.qrf");
    const std::string details = Details();
    EXPECT_NE(std::string::npos, details.find("Alpha\r\nFirst line\r\nSecond line")) << details;
    Choose(IDC_RULE_FILE, "bare.qrf");
    EXPECT_EQ("No Details", Details());
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(page_, IDC_RULE_PROPERTIES)))
        << "a table without metadata has no properties";
}

TEST_F(TranslationPageTest, PropertiesGiveBackATableNameWithoutItsFolder) {
    PutTables();
    Open();
    Choose(IDC_RULE_FILE, "alpha.qrf");
    std::strcpy(state_.szRuleFile, "stale.qrf");
    {
        DialogAnswerer answerer({IDOK});
        SendMessageA(page_, WM_COMMAND, MAKEWPARAM(IDC_RULE_PROPERTIES, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(page_, IDC_RULE_PROPERTIES)));
        ASSERT_FALSE(answerer.seen().empty());
        EXPECT_EQ("Table Properties", answerer.seen()[0].caption);
    }
    // The dialog opens on the record's table and gives back its path.
    EXPECT_STREQ("stale.qrf", state_.szRuleFile) << "the name without the folder";
    EXPECT_EQ("alpha.qrf", Selected(IDC_RULE_FILE)) << "the list is left as it was";
}

// Next commits what the lists show even when they never notified; Back
// leaves the record and the registry alone. Both go where the page table says.
TEST_F(TranslationPageTest, NextCommitsTheListsAndBackDoesNot) {
    struct Case {
        UINT code;
        UINT expectedPage;
        const char* expectedRule;
        const char* expectedRemembered;
    };
    const Case cases[] = {
        {PSN_WIZBACK, IDD_LABEL_LAYOUT, "", ""},
        {PSN_WIZNEXT, IDD_DATABASE, "alpha.qrf", "names.qrf"},
    };
    PutTables();
    Open();
    SendDlgItemMessageA(page_, IDC_RULE_FILE, CB_SELECTSTRING, static_cast<WPARAM>(-1),
                        reinterpret_cast<LPARAM>("alpha.qrf"));
    SendDlgItemMessageA(page_, IDC_EXCEPTION_FILE, CB_SELECTSTRING, static_cast<WPARAM>(-1),
                        reinterpret_cast<LPARAM>("names.qrf"));
    for (const Case& c : cases) {
        NMHDR header{frame_, 0, c.code};
        SetWindowLongPtrA(page_, DWLP_MSGRESULT, 0);
        SendMessageA(page_, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&header));
        EXPECT_EQ(static_cast<LONG_PTR>(c.expectedPage), GetWindowLongPtrA(page_, DWLP_MSGRESULT))
            << c.code;
        EXPECT_STREQ(c.expectedRule, state_.szRuleFile) << c.code;
        char remembered[MAX_PATH] = "";
        ReadLastExceptionFile(remembered, sizeof remembered);
        EXPECT_STREQ(c.expectedRemembered, remembered) << c.code;
    }
}

} // namespace
