#pragma once
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <string>

#include "app_state.h"
#include "page_table_win.h"
#include "win_test_support.h"

// One wizard page alone in a modeless wizard, working on a page table and a
// record of the test's own (the program's table with the record swapped).
class SinglePageTest : public ::testing::Test {
  protected:
    explicit SinglePageTest(int index) : index_(index) {
        for (int i = 0; i < kPageCount; ++i) {
            rows_[i] = WizardPages()[i];
            rows_[i].pState = &state_;
        }
    }

    static void SetUpTestSuite() {
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
        InitCommonControlsEx(&controls);
    }

    void TearDown() override {
        if (frame_ && IsWindow(frame_))
            DestroyWindow(frame_);
        PumpPending();
    }

    void Open() {
        PageEntry& row = rows_[index_];
        frame_ = OpenSinglePageWizard(row.nDialogId, row.pfnDialog, &row);
        ASSERT_NE(nullptr, frame_);
        page_ = PropSheet_GetCurrentPageHwnd(frame_);
        ASSERT_NE(nullptr, page_);
        PumpPending();
    }

    std::string Text(int id) const {
        char text[300] = "";
        GetDlgItemTextA(page_, id, text, sizeof text);
        return text;
    }

    void Click(int id) {
        SendMessageA(page_, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(page_, id)));
    }

    // An up-down control's arrow pressed: what it tells the page.
    void SpinBy(int spinId, int position, int delta) {
        NMUPDOWN change{};
        change.hdr.hwndFrom = GetDlgItem(page_, spinId);
        change.hdr.idFrom = static_cast<UINT_PTR>(spinId);
        change.hdr.code = UDN_DELTAPOS;
        change.iPos = position;
        change.iDelta = delta;
        SendMessageA(page_, WM_NOTIFY, spinId, reinterpret_cast<LPARAM>(&change));
        PumpPending();
    }

    // A click, and what it queued dispatched.
    void Press(int id) {
        Click(id);
        PumpPending();
    }

    AppState state_{};
    PageEntry rows_[kPageCount];
    HWND frame_ = nullptr;
    HWND page_ = nullptr;

  private:
    int index_;
};
