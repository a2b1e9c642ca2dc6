#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <richedit.h>

#include <cstring>
#include <string>
#include <vector>

#include "accessible_probe.h"
#include "data_services_win.h"
#include "external_editor_win.h"
#include "file_locations.h"
#include "label_fields.h"
#include "office_registry.h"
#include "resource.h"
#include "settings_win.h"
#include "single_page_test.h"

namespace {

constexpr int kWizardNext = 0x3024;

// What the page asked to start, and the file the fake editor "saves".
std::vector<std::string> g_commands;
std::string g_savedByEditor;

int FakeRun(const char* commandLine) {
    g_commands.push_back(commandLine);
    if (!g_savedByEditor.empty()) {
        const std::string key = std::string(SettingsKeyPath()) + "\\csv";
        RegWriteValue(HKEY_CURRENT_USER, key.c_str(), "LastSaved", REG_SZ, g_savedByEditor.c_str(),
                      static_cast<DWORD>(g_savedByEditor.size() + 1));
    }
    return 1;
}

int FakeOpen(const char* path) {
    g_commands.push_back(std::string("open ").append(path));
    return 1;
}

class DatabasePageTest : public SinglePageTest {
  protected:
    DatabasePageTest() : SinglePageTest(5) {}

    static void SetUpTestSuite() {
        SinglePageTest::SetUpTestSuite();
        LoadLibraryA("riched20.dll");
        InstallDataServices();
    }

    void SetUp() override {
        ForgetLastSaved();
        g_commands.clear();
        g_savedByEditor.clear();
        SetEditorLauncher({FakeRun, FakeOpen});
        ResetAppState(&state_);
        state_.Sheet.wTextWidth = 11340; // 200 mm
        std::strcpy(state_.szLabelText, "{A}\r\n{B}");
        ScanLabelFields(&state_);
        names_ = folder_.File("names.csv");
        ASSERT_TRUE(WriteFileBytes(names_, "Ann;Smith\nM\xC3\xBCller;Bo\n"));
    }

    void TearDown() override {
        SinglePageTest::TearDown();
        ReleaseAppState(&state_);
        SetEditorLauncher({nullptr, nullptr});
        ForgetLastSaved();
    }

    static void ForgetLastSaved() {
        const std::string key = std::string(SettingsKeyPath()) + "\\csv";
        HKEY handle;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, KEY_WRITE, &handle) == ERROR_SUCCESS) {
            RegDeleteValueA(handle, "LastSaved");
            RegCloseKey(handle);
        }
    }

    std::wstring PreviewText() const {
        wchar_t text[512] = L"";
        GETTEXTEX get{sizeof text, GT_DEFAULT, 1200, nullptr, nullptr};
        SendDlgItemMessageW(page_, IDC_LABEL_TEXT, EM_GETTEXTEX, reinterpret_cast<WPARAM>(&get),
                            reinterpret_cast<LPARAM>(text));
        return text;
    }

    void TypePath(const std::string& path) {
        SetDlgItemTextA(page_, IDC_DATABASE_PATH, path.c_str());
        PumpPending();
    }

    void Spin(int position, int delta) { SpinBy(IDC_RECORD_SPIN, position, delta); }

    bool NextEnabledBecomes(bool enabled) {
        return PumpUntil(
            [&] { return (IsWindowEnabled(GetDlgItem(frame_, kWizardNext)) != FALSE) == enabled; });
    }

    TempFolder folder_;
    std::string names_;
};

TEST_F(DatabasePageTest, CreateStartsTheEditorEmptyAndTakesWhatItSaved) {
    Open();
    EXPECT_EQ("&Create...", Text(IDC_DATABASE_EDIT));
    EXPECT_TRUE(NextEnabledBecomes(false));
    g_savedByEditor = names_;
    Press(IDC_DATABASE_EDIT);
    ASSERT_EQ(1u, g_commands.size());
    char program[MAX_PATH];
    GetModuleFileNameA(nullptr, program, sizeof program);
    const std::string module(program);
    std::string expected(1, '"');
    expected.append(module, 0, module.rfind('\\')).append("\\gridpad.exe\"");
    EXPECT_EQ(expected, g_commands[0]);
    EXPECT_EQ(names_, Text(IDC_DATABASE_PATH));
    // Opening the source lowercases the stored path.
    EXPECT_EQ(0, lstrcmpiA(names_.c_str(), state_.szDatabaseFile)) << state_.szDatabaseFile;
    EXPECT_EQ("&Edit...", Text(IDC_DATABASE_EDIT));
    EXPECT_TRUE(NextEnabledBecomes(true));
    EXPECT_EQ("Label 1 of max 2 labels", Text(IDC_RECORD_COUNTER));
    EXPECT_TRUE(IsWindowVisible(frame_));
}

TEST_F(DatabasePageTest, EditHandsPathsWithBlanksToTheEditorWhole) {
    const std::string spaced = folder_.File("my names.csv");
    ASSERT_TRUE(WriteFileBytes(spaced, "a;b\n"));
    std::strcpy(state_.szDatabaseFile, spaced.c_str());
    Open();
    Press(IDC_DATABASE_EDIT);
    ASSERT_EQ(1u, g_commands.size());
    std::string lowered = spaced;
    for (char& c : lowered) {
        c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
    }
    std::string tail(" \"");
    tail.append(lowered).append(1, '"');
    EXPECT_EQ(tail, g_commands[0].substr(g_commands[0].size() - tail.size()));
    EXPECT_EQ(lowered, std::string(state_.szDatabaseFile)) << "nothing saved: the path stays";
}

TEST_F(DatabasePageTest, WorkbookWithoutSpreadsheetApplicationOpensWithItsProgram) {
    const std::string book = folder_.File("book.xls");
    ASSERT_TRUE(WriteFileBytes(book, "x"));
    std::strcpy(state_.szDatabaseFile, book.c_str());
    Open();
    Press(IDC_DATABASE_EDIT);
    ASSERT_EQ(1u, g_commands.size());
    EXPECT_EQ(0u, g_commands[0].rfind("open ", 0)) << g_commands[0];
}

TEST_F(DatabasePageTest, TypedPathEnablesNextButStaysOutOfTheRecord) {
    Open();
    TypePath(names_);
    EXPECT_TRUE(NextEnabledBecomes(true));
    EXPECT_STREQ("", state_.szDatabaseFile);
    TypePath(folder_.File("missing.csv"));
    EXPECT_TRUE(NextEnabledBecomes(false));
}

// A screen reader hears the record and its lines in words, and is told when
// the spin brings another record.
TEST_F(DatabasePageTest, PreviewShowsRecordsAndStopsAtTheLast) {
    std::strcpy(state_.szDatabaseFile, names_.c_str());
    Open();
    HWND preview = GetDlgItem(page_, IDC_LABEL_TEXT);
    WinEventRecorder events(preview);
    EXPECT_EQ("Label 1 of max 2 labels", Text(IDC_RECORD_COUNTER));
    EXPECT_EQ(L"Ann\rSmith", PreviewText().substr(0, 9));
    EXPECT_TRUE(IsWindowEnabled(preview));
    ClientWords words = ReadClientWords(preview);
    EXPECT_EQ("Label 1 of 2:", words.name);
    EXPECT_EQ("Ann\nSmith", words.value);

    Spin(1, 1);
    EXPECT_EQ("Label 2 of max 2 labels", Text(IDC_RECORD_COUNTER));
    words = ReadClientWords(preview);
    EXPECT_EQ("Label 2 of 2:", words.name);
    if (GetACP() == 1252) {
        EXPECT_EQ(std::wstring(L"M\u00fcller"), PreviewText().substr(0, 6));
        EXPECT_EQ("M\u00fcller\nBo", words.value);
    }
    const int told = events.Count(EVENT_OBJECT_NAMECHANGE);
    EXPECT_GE(told, 1);
    EXPECT_EQ(1, events.Count(EVENT_OBJECT_VALUECHANGE));
    Spin(2, 1);
    EXPECT_EQ("Label 2 of max 2 labels", Text(IDC_RECORD_COUNTER));
    EXPECT_EQ(2, state_.nMaxLabel);
    EXPECT_EQ(told, events.Count(EVENT_OBJECT_NAMECHANGE)) << "nothing new to tell";
}

TEST_F(DatabasePageTest, BrowseOffersWorkbooksWithoutTheSpreadsheetApplication) {
    ASSERT_EQ(0, ExcelInstalled());
    Open();
    DialogAnswerer answerer({IDCANCEL});
    Press(IDC_DATABASE_BROWSE);
    ASSERT_EQ(1u, answerer.seen().size());
    EXPECT_EQ((std::vector<std::string>{"Exel workbooks (*.xls)", "Comma separeted files(*.csv)"}),
              answerer.seen()[0].fileTypes);
}

TEST_F(DatabasePageTest, BrowsingCountsTheRangeInTheNewFile) {
    std::strcpy(state_.szDatabaseFile, names_.c_str());
    Open();
    ASSERT_EQ(2, state_.nMaxLabel);
    const std::string three = folder_.File("three.csv");
    ASSERT_TRUE(WriteFileBytes(three, "a;b\nc;d\ne;f\n"));
    DialogAnswerer answerer({IDOK});
    answerer.TypeFileName(three);
    Press(IDC_DATABASE_BROWSE);
    EXPECT_EQ(0, lstrcmpiA(three.c_str(), state_.szDatabaseFile)) << state_.szDatabaseFile;
    EXPECT_EQ(3, state_.nMaxLabel);
    EXPECT_EQ("Label 1 of max 3 labels", Text(IDC_RECORD_COUNTER));
}

// A spreadsheet application "installed" in the test prefix: the Office
// version under the classes root, its folder under the local machine.
class InstalledSpreadsheet {
  public:
    explicit InstalledSpreadsheet(const std::string& folder) {
        const char version[] = "Word.Application.11";
        RegWriteValue(HKEY_CLASSES_ROOT, "Word.Application\\CurVer", "", REG_SZ, version,
                      sizeof version);
        RegWriteValue(HKEY_LOCAL_MACHINE, kInstallRoot, "Path", REG_SZ, folder.c_str(),
                      static_cast<DWORD>(folder.size() + 1));
    }
    ~InstalledSpreadsheet() {
        RegDeleteKeyA(HKEY_CLASSES_ROOT, "Word.Application\\CurVer");
        RegDeleteKeyA(HKEY_CLASSES_ROOT, "Word.Application");
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, kInstallRoot);
    }

  private:
    static constexpr char kInstallRoot[] = "Software\\Microsoft\\Office\\11.0\\Excel\\InstallRoot";
};

TEST_F(DatabasePageTest, WorkbookOpensInTheInstalledSpreadsheetApplication) {
    TempFolder office;
    InstalledSpreadsheet installed(office.path());
    char version[64] = "";
    ASSERT_EQ(1, OfficeVersion(version));
    EXPECT_STREQ("11", version);
    char folder[MAX_PATH] = "";
    ASSERT_EQ(1, ExcelFolder(folder, sizeof folder));
    EXPECT_EQ(office.path() + "\\", std::string(folder));
    EXPECT_EQ(0, ExcelInstalled()) << "no excel.exe in the folder yet";
    ASSERT_TRUE(WriteFileBytes(office.File("excel.exe"), "MZ"));
    EXPECT_EQ(1, ExcelInstalled());

    const std::string book = folder_.File("book.xls");
    ASSERT_TRUE(WriteFileBytes(book, "x"));
    std::strcpy(state_.szDatabaseFile, book.c_str());
    Open();
    g_savedByEditor = names_;
    Press(IDC_DATABASE_EDIT);
    ASSERT_EQ(1u, g_commands.size());
    std::string command(1, '"');
    command.append(folder).append("excel.exe\" \"").append(state_.szDatabaseFile).append(1, '"');
    EXPECT_EQ(0, lstrcmpiA(command.c_str(), g_commands[0].c_str())) << g_commands[0];
    EXPECT_EQ(0, lstrcmpiA(book.c_str(), state_.szDatabaseFile))
        << "the grid editor's last file is not taken for a workbook";
}

} // namespace
