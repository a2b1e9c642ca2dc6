// Every dialog template of the wizard, created from the linked resources
// with a procedure that does nothing, so what is checked is the template
// alone: ids, classes, styles, captions and, where the layout is fixed, the
// position in dialog units.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "resource.h"

namespace {

INT_PTR CALLBACK InertProc(HWND, UINT, WPARAM, LPARAM) {
    return FALSE;
}

// Which parts of a control's rectangle the template alone decides.
enum class Sizing {
    Whole,
    NoHeight,  // combo boxes and list boxes choose their own height
    PlaceOnly, // up-downs choose their own width
};

struct ControlCase {
    int id;
    const char* className;
    DWORD mask; // (style & mask) must equal value
    DWORD value;
    const char* text; // nullptr: not checked
    RECT dlu;         // left, top, width, height; left < 0: not checked
    Sizing sizing;
};

constexpr RECT kAnywhere = {-1, -1, -1, -1};

constexpr DWORD kHeaderMask = SS_TYPEMASK | SS_SUNKEN;
constexpr DWORD kHeader = SS_CENTER | SS_SUNKEN;
constexpr DWORD kSpinMask = UDS_WRAP | UDS_SETBUDDYINT | UDS_ARROWKEYS;
constexpr DWORD kSpin = UDS_ARROWKEYS;
constexpr DWORD kComboMask = 0x3 | CBS_SORT;
constexpr DWORD kSortedList = CBS_DROPDOWNLIST | CBS_SORT;
constexpr DWORD kNumberMask = ES_AUTOHSCROLL;

ControlCase Header(int height) {
    return {IDC_PAGE_HEADER,     "Static",     kHeaderMask, kHeader, nullptr,
            {7, 7, 493, height}, Sizing::Whole};
}
ControlCase Button(int id, const char* text, DWORD type = BS_PUSHBUTTON, RECT dlu = kAnywhere) {
    return {id, "Button", BS_TYPEMASK, type, text, dlu, Sizing::Whole};
}
ControlCase NumberEdit(int id, RECT dlu = kAnywhere) {
    return {id, "Edit", kNumberMask, kNumberMask, nullptr, dlu, Sizing::Whole};
}
ControlCase Spin(int id, RECT dlu = kAnywhere) {
    return {id, "msctls_updown32", kSpinMask, kSpin, nullptr, dlu, Sizing::PlaceOnly};
}
ControlCase Other(int id, const char* cls, DWORD mask = 0, DWORD value = 0, RECT dlu = kAnywhere,
                  Sizing sizing = Sizing::Whole) {
    return {id, cls, mask, value, nullptr, dlu, sizing};
}

struct TemplateCase {
    int dialog;
    std::vector<ControlCase> controls;
    std::vector<const char*> texts; // captions of unnumbered statics and groups
};

// A length field of the Sheet Format page: a 40 x 14 edit, its up-down beside.
void LengthField(std::vector<ControlCase>& out, int edit, int spin, int x, int y) {
    out.push_back(NumberEdit(edit, {x, y, 40, 14}));
    out.push_back(Spin(spin, {x + 40, y, 11, 14}));
}

std::vector<TemplateCase> Templates() {
    std::vector<TemplateCase> all;

    all.push_back({IDD_WELCOME, {Header(32)}, {}});

    all.push_back(
        {IDD_PROJECT,
         {Header(32),
          Button(IDC_PROJECT_OPEN_EXISTING, "&Select an existing Label project",
                 BS_AUTORADIOBUTTON),
          Button(IDC_PROJECT_CREATE_NEW, "&Create a new Label project", BS_AUTORADIOBUTTON),
          Other(IDC_PROJECT_PATH, "Edit"), Button(IDC_PROJECT_BROWSE, "B&rowse...")},
         {}});

    TemplateCase sheet{
        IDD_SHEET_FORMAT,
        {Header(32),
         Other(IDC_FORMAT_LIST, "ListBox", LBS_NOTIFY | LBS_SORT, LBS_NOTIFY, {18, 54, 184, 53},
               Sizing::NoHeight),
         Button(IDC_NEW_FORMAT, "New For&mat", BS_PUSHBUTTON, {209, 54, 50, 14}),
         Button(IDC_SAVE_FORMAT, "S&ave Format", BS_PUSHBUTTON, {209, 73, 50, 14}),
         Button(IDC_DELETE_FORMAT, "&Delete Format", BS_PUSHBUTTON, {209, 92, 50, 14}),
         Other(IDC_UNITS, "ComboBox", kComboMask, kSortedList, {157, 123, 68, 57},
               Sizing::NoHeight),
         Other(IDC_SHEET_PREVIEW, "Static", SS_TYPEMASK, SS_LEFT, {276, 46, 224, 246})},
        {"Label &Sheet Format:", "&Units:", "Paper Size:", "First Label Position:", "Label Size:",
         "Number of labels:", "Separation:", "&Width", "&Height:", "&Left", "&Top", "W&idth",
         "H&eight:", "&Vertical:", "H&orizontal:", "Ve&rtical:", "Hori&zontal:"}};
    LengthField(sheet.controls, IDC_PAPER_WIDTH, IDC_PAPER_WIDTH_SPIN, 69, 123);
    LengthField(sheet.controls, IDC_PAPER_HEIGHT, IDC_PAPER_HEIGHT_SPIN, 69, 141);
    LengthField(sheet.controls, IDC_FIRST_LEFT, IDC_FIRST_LEFT_SPIN, 69, 181);
    LengthField(sheet.controls, IDC_FIRST_TOP, IDC_FIRST_TOP_SPIN, 69, 199);
    LengthField(sheet.controls, IDC_LABEL_WIDTH, IDC_LABEL_WIDTH_SPIN, 194, 182);
    LengthField(sheet.controls, IDC_LABEL_HEIGHT, IDC_LABEL_HEIGHT_SPIN, 194, 198);
    LengthField(sheet.controls, IDC_NUM_VERTICAL, IDC_NUM_VERTICAL_SPIN, 69, 240);
    LengthField(sheet.controls, IDC_NUM_HORIZONTAL, IDC_NUM_HORIZONTAL_SPIN, 69, 256);
    LengthField(sheet.controls, IDC_SEP_VERTICAL, IDC_SEP_VERTICAL_SPIN, 198, 241);
    LengthField(sheet.controls, IDC_SEP_HORIZONTAL, IDC_SEP_HORIZONTAL_SPIN, 198, 257);
    all.push_back(sheet);

    constexpr DWORD kTextBox = ES_MULTILINE | ES_WANTRETURN | ES_AUTOHSCROLL | WS_TABSTOP;
    all.push_back(
        {IDD_LABEL_LAYOUT,
         {Header(22), Other(IDC_LABEL_AREA, "Static", SS_SUNKEN, SS_SUNKEN, {31, 36, 369, 169}),
          Other(IDC_LABEL_TEXT, "RichEdit20A", kTextBox, kTextBox, {31, 36, 369, 169}),
          NumberEdit(IDC_TEXT_TOP, {77, 220, 28, 14}), Spin(IDC_TEXT_TOP_SPIN, {105, 220, 11, 14}),
          NumberEdit(IDC_TEXT_LEFT, {158, 220, 28, 14}),
          Spin(IDC_TEXT_LEFT_SPIN, {186, 220, 11, 14}),
          NumberEdit(IDC_TEXT_WIDTH, {247, 220, 28, 14}),
          Spin(IDC_TEXT_WIDTH_SPIN, {275, 220, 11, 14}),
          NumberEdit(IDC_TEXT_HEIGHT, {335, 220, 28, 14}),
          Spin(IDC_TEXT_HEIGHT_SPIN, {365, 220, 11, 14})},
         {"Position:", "Size:", "&Top:", "&Left:", "&Width:", "&Height:"}});

    constexpr DWORD kDetails = ES_MULTILINE | ES_READONLY;
    all.push_back({IDD_TRANSLATION,
                   {Header(22), Other(IDC_RULE_FILE, "ComboBox", kComboMask, kSortedList),
                    Button(IDC_RULE_PROPERTIES, "&Properties"),
                    Other(IDC_RULE_DETAILS, "Edit", kDetails, kDetails),
                    Other(IDC_EXCEPTION_FILE, "ComboBox", kComboMask, kSortedList),
                    Button(IDC_EXCEPTION_OPTIONS, "&Options"),
                    Button(IDC_TRANSLATION_GROUP, "Translation", BS_GROUPBOX)},
                   {"&Rule File:", "&Details:", "&Exception File:", "Exception"}});

    all.push_back({IDD_DATABASE,
                   {Header(22), Other(IDC_DATABASE_PATH, "Edit"),
                    Button(IDC_DATABASE_BROWSE, "B&rowse..."), Button(IDC_DATABASE_EDIT, nullptr),
                    Other(IDC_LABEL_TEXT, "RichEdit20A", ES_MULTILINE, ES_MULTILINE),
                    Other(IDC_RECORD_COUNTER, "Static"), Other(IDC_RECORD_SPIN, "msctls_updown32")},
                   {"&Select database file (cvs or xls):"}});

    all.push_back(
        {IDD_EMBOSS,
         {Header(22), Other(IDC_LABEL_AREA, "Static"),
          Other(IDC_LABEL_TEXT, "RichEdit20A", ES_MULTILINE, ES_MULTILINE),
          Other(IDC_RECORD_COUNTER, "Static"), Other(IDC_RECORD_SPIN, "msctls_updown32"),
          Other(IDC_START_PREVIEW, "Static"), NumberEdit(IDC_START_POSITION),
          Spin(IDC_START_POSITION_SPIN), NumberEdit(IDC_FROM_LABEL), Spin(IDC_FROM_LABEL_SPIN),
          NumberEdit(IDC_TO_LABEL), Spin(IDC_TO_LABEL_SPIN),
          Other(IDC_EMBOSSER, "ComboBox", kComboMask, CBS_DROPDOWNLIST), NumberEdit(IDC_IMPACTS),
          Spin(IDC_IMPACTS_SPIN), Button(IDC_PRINT_TO_FILE, "&Print to File", BS_AUTOCHECKBOX),
          Other(IDC_PROGRESS, "msctls_progress32"), Other(IDC_STATUS, "Static"),
          Button(IDC_EMBOSS, "&Emboss")},
         {"&Start position on first sheet:", "Emboss from &label number:", "&to:", "Embosse&r:",
          "&Multiple Impacts:"}});

    all.push_back({IDD_FORMAT_NAME,
                   {Other(IDC_FORMAT_NAME, "Edit", 0, 0, {165, 7, 189, 14}),
                    Button(IDOK, "OK", BS_DEFPUSHBUTTON, {373, 7, 50, 14}),
                    Button(IDCANCEL, "Cancel", BS_PUSHBUTTON, {373, 24, 50, 14})},
                   {"&Enter a descriptive name for your Sheet format:"}});

    all.push_back(
        {IDD_SAVE_TEMPLATE, {Button(IDC_SAVE_READONLY, "Read&only", BS_AUTOCHECKBOX)}, {}});

    all.push_back(
        {IDD_SAVE_CHANGES,
         {Button(IDC_SAVE_AS, "&Save as..."), Button(IDC_SAVE_YES, "&Yes"),
          Button(IDC_SAVE_NO, "&No"), Button(IDC_SAVE_CANCEL, "Cancel", BS_DEFPUSHBUTTON)},
         {"Save changes ?"}});

    all.push_back({IDD_CLOSE_PROJECT,
                   {Button(IDOK, "&Yes", BS_DEFPUSHBUTTON), Button(IDCANCEL, "&No"),
                    Button(IDC_MAKE_READONLY, "&Make it readonly", BS_AUTOCHECKBOX)},
                   {"Close project?"}});
    return all;
}

std::string ClassOf(HWND control) {
    char name[64] = {};
    GetClassNameA(control, name, sizeof name);
    return name;
}

std::string TextOf(HWND control) {
    char text[512] = {};
    GetWindowTextA(control, text, sizeof text);
    return text;
}

std::vector<HWND> Children(HWND dialog) {
    std::vector<HWND> out;
    for (HWND c = GetWindow(dialog, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        out.push_back(c);
    }
    return out;
}

// The control's rectangle in the dialog's client coordinates.
RECT PlacedRect(HWND dialog, HWND control) {
    RECT r;
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

class WizardTemplates : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        INITCOMMONCONTROLSEX icc = {sizeof icc,
                                    ICC_STANDARD_CLASSES | ICC_UPDOWN_CLASS | ICC_PROGRESS_CLASS};
        InitCommonControlsEx(&icc);
        // The pages' rich edit class lives in this library.
        LoadLibraryA("riched20.dll");
    }

    void SetUp() override {
        owner_ = CreateWindowExA(0, "Static", "owner", WS_POPUP, 0, 0, 1000, 700, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(owner_, nullptr);
    }

    void TearDown() override { DestroyWindow(owner_); }

    HWND Create(int dialog) {
        return CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(dialog), owner_,
                                  InertProc, 0);
    }

    HWND owner_ = nullptr;
};

TEST_F(WizardTemplates, ControlsHaveTheirIdsClassesStylesAndPlaces) {
    for (const auto& page : Templates()) {
        SCOPED_TRACE("dialog " + std::to_string(page.dialog));
        HWND dialog = Create(page.dialog);
        ASSERT_NE(dialog, nullptr);
        for (const auto& c : page.controls) {
            SCOPED_TRACE("control " + std::to_string(c.id));
            HWND control = GetDlgItem(dialog, c.id);
            ASSERT_NE(control, nullptr);
            EXPECT_EQ(_stricmp(ClassOf(control).c_str(), c.className), 0) << ClassOf(control);
            DWORD style = static_cast<DWORD>(GetWindowLongA(control, GWL_STYLE));
            EXPECT_EQ(style & c.mask, c.value) << std::hex << "style " << style;
            if (c.text) {
                EXPECT_EQ(TextOf(control), c.text);
            }
            if (c.dlu.left >= 0) {
                // Position and size are each scaled on their own, as the
                // dialog manager does.
                RECT want = c.dlu;
                MapDialogRect(dialog, &want);
                RECT got = PlacedRect(dialog, control);
                EXPECT_EQ(got.left, want.left);
                EXPECT_EQ(got.top, want.top);
                if (c.sizing != Sizing::PlaceOnly) {
                    EXPECT_EQ(got.right - got.left, want.right);
                }
                if (c.sizing == Sizing::Whole) {
                    EXPECT_EQ(got.bottom - got.top, want.bottom);
                }
            }
        }
        DestroyWindow(dialog);
    }
}

TEST_F(WizardTemplates, LabelsAndGroupsAreThere) {
    for (const auto& page : Templates()) {
        SCOPED_TRACE("dialog " + std::to_string(page.dialog));
        HWND dialog = Create(page.dialog);
        ASSERT_NE(dialog, nullptr);
        std::map<std::string, int> shown;
        for (HWND c : Children(dialog)) {
            ++shown[TextOf(c)];
        }
        for (const char* text : page.texts) {
            EXPECT_GT(shown[text], 0) << '"' << text << '"';
        }
        DestroyWindow(dialog);
    }
}

TEST_F(WizardTemplates, NoTwoControlsShareAnIdAndAllFitOnTheDialog) {
    for (const auto& page : Templates()) {
        SCOPED_TRACE("dialog " + std::to_string(page.dialog));
        HWND dialog = Create(page.dialog);
        ASSERT_NE(dialog, nullptr);
        RECT client;
        GetClientRect(dialog, &client);
        std::map<int, int> ids;
        for (HWND c : Children(dialog)) {
            int id = GetDlgCtrlID(c);
            if (id != IDC_STATIC && id != 0xFFFF) {
                EXPECT_EQ(++ids[id], 1) << "id " << id << " used twice";
            }
            RECT r = PlacedRect(dialog, c);
            EXPECT_TRUE(r.left >= 0 && r.top >= 0 && r.right <= client.right &&
                        r.bottom <= client.bottom)
                << "control " << id << " \"" << TextOf(c) << "\" reaches " << r.right << ","
                << r.bottom << " of " << client.right << "," << client.bottom;
        }
        DestroyWindow(dialog);
    }
}

TEST_F(WizardTemplates, PagesShareOneSize) {
    // The property sheet takes the largest page; pages of one size keep
    // every page's layout where it was drawn.
    for (int id : {IDD_WELCOME, IDD_PROJECT, IDD_SHEET_FORMAT, IDD_LABEL_LAYOUT, IDD_TRANSLATION,
                   IDD_DATABASE, IDD_EMBOSS}) {
        HWND dialog = Create(id);
        ASSERT_NE(dialog, nullptr) << id;
        RECT r = {0, 0, 507, 300};
        MapDialogRect(dialog, &r);
        RECT client;
        GetClientRect(dialog, &client);
        EXPECT_EQ(client.right, r.right) << "dialog " << id;
        EXPECT_EQ(client.bottom, r.bottom) << "dialog " << id;
        DestroyWindow(dialog);
    }
}

TEST_F(WizardTemplates, WelcomePageShowsTheBitmapWithoutResizing) {
    HWND dialog = Create(IDD_WELCOME);
    ASSERT_NE(dialog, nullptr);
    HWND picture = nullptr;
    for (HWND c : Children(dialog)) {
        if ((GetWindowLongA(c, GWL_STYLE) & SS_TYPEMASK) == SS_BITMAP) {
            picture = c;
        }
    }
    ASSERT_NE(picture, nullptr);
    auto bitmap = reinterpret_cast<HBITMAP>(SendMessageA(picture, STM_GETIMAGE, IMAGE_BITMAP, 0));
    ASSERT_NE(bitmap, nullptr);
    BITMAP info = {};
    GetObjectA(bitmap, sizeof info, &info);
    EXPECT_EQ(info.bmWidth, 740);
    EXPECT_EQ(info.bmHeight, 465);
    // Below the header band, inside the page.
    RECT header = PlacedRect(dialog, GetDlgItem(dialog, IDC_PAGE_HEADER));
    RECT r = PlacedRect(dialog, picture);
    EXPECT_GE(r.top, header.bottom);
    DestroyWindow(dialog);
}

TEST_F(WizardTemplates, ProjectRadioButtonsExcludeEachOther) {
    // One group: the path box after them starts the next.
    HWND dialog = Create(IDD_PROJECT);
    ASSERT_NE(dialog, nullptr);
    HWND open = GetDlgItem(dialog, IDC_PROJECT_OPEN_EXISTING);
    HWND create = GetDlgItem(dialog, IDC_PROJECT_CREATE_NEW);
    SendMessageA(open, BM_CLICK, 0, 0);
    EXPECT_EQ(SendMessageA(open, BM_GETCHECK, 0, 0), BST_CHECKED);
    SendMessageA(create, BM_CLICK, 0, 0);
    EXPECT_EQ(SendMessageA(create, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(SendMessageA(open, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    DestroyWindow(dialog);
}

} // namespace
