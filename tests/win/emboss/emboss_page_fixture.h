#pragma once
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>

#include "data_services_win.h"
#include "embosser_queue.h"
#include "resource.h"
#include "rule_tables.h"
#include "sample_sheets.h"
#include "settings_win.h"
#include "single_page_test.h"

constexpr char kQueue[] = "Page Test Ridgeline";
constexpr VirtualQueue kPageQueue = {kQueue, "Vantor Tarn V4", 0};
constexpr int kBackButton = 0x3023, kFinishButton = 0x3025;
constexpr UINT_PTR kPreviewTimer = 1;

inline std::set<std::string> TempSpoolFiles() {
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    std::set<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((std::string(temp) + "VTF*.tmp").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE)
        return names;
    do
        names.insert(found.cFileName);
    while (FindNextFileA(find, &found));
    FindClose(find);
    return names;
}

// The Emboss page alone in a modeless wizard, on a record of the test's own:
// a sheet of 2 x 3 labels, a label without fields (so 10000 labels can be
// embossed) and an embosser queue of the test prefix.
class EmbossPageTest : public SinglePageTest {
  protected:
    EmbossPageTest() : SinglePageTest(6) {}

    static void SetUpTestSuite() {
        SinglePageTest::SetUpTestSuite();
        InstallDataServices();
        LoadLibraryA("riched20.dll");
        tables_ = std::make_unique<CopiedRuleTables>(std::initializer_list<const char*>{
            "en-ueb-g2.qrf", "en-ueb-chars.qri", "en-ueb-shortforms.qri", "en-ueb-boundaries.qri"});
        ASSERT_TRUE(tables_->copied());
        ASSERT_TRUE(AddTempQueue(kPageQueue, &portFile_));
    }
    static void TearDownTestSuite() {
        RemoveVirtualQueue(kQueue);
        tables_.reset();
    }

    void SetUp() override {
        ResetAppState(&state_);
        state_.Sheet = A4TwoByThree();
        state_.Sheet.wTextWidth = 4535;
        state_.Sheet.wTextHeight = 2835;
        lstrcpyA(state_.szLabelText, "abc");
        // A job ends at once without its tables.
        lstrcpyA(state_.szRuleFile, "en-ueb-g2.qrf");
        lstrcpyA(state_.szSelectedPrinter, kQueue);
        lstrcpyA(state_.szProjectFile, project_.File("p.dwp").c_str());
        state_.nToLabel = 3;
        WriteMultipleImpacts(2);
        DeleteFileA(portFile_.c_str());
    }

    void TearDown() override {
        if (page_ && Text(IDC_EMBOSS) == "&Abort...") {
            Click(IDC_EMBOSS);
            PumpUntil([&] { return Text(IDC_EMBOSS) == "&Emboss..."; }, 20000);
        }
        SinglePageTest::TearDown();
        ReleaseAppState(&state_);
    }

    void Type(int id, const char* text) {
        SetDlgItemTextA(page_, id, text);
        SendMessageA(page_, WM_COMMAND, MAKEWPARAM(id, EN_KILLFOCUS),
                     reinterpret_cast<LPARAM>(GetDlgItem(page_, id)));
    }

    // A left click on the page at a point of the sheet picture, given in
    // the picture's client coordinates.
    void ClickPicture(int x, int y) {
        POINT point{x, y};
        MapWindowPoints(GetDlgItem(page_, IDC_START_PREVIEW), page_, &point, 1);
        SendMessageA(page_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(point.x, point.y));
    }

    // The frame's own buttons answer at once; PSM_PRESSBUTTON waits for the
    // next pump.
    void ClickFrameButton(int id) {
        SendMessageA(frame_, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(frame_, id)));
    }

    // Which of Back, Finish and Cancel can be pressed, e.g. "BFC" or "".
    std::string EnabledFrameButtons() {
        std::string enabled;
        for (auto [id, letter] :
             {std::pair{kBackButton, 'B'}, {kFinishButton, 'F'}, {IDCANCEL, 'C'}})
            if (IsWindowEnabled(GetDlgItem(frame_, id)))
                enabled += letter;
        return enabled;
    }

    bool WaitForStatus(const std::string& text, DWORD milliseconds = 30000) {
        return PumpUntil([&] { return Text(IDC_STATUS) == text; }, milliseconds);
    }

    static inline std::string portFile_;
    static inline std::unique_ptr<CopiedRuleTables> tables_;
    TempFolder project_;
};
