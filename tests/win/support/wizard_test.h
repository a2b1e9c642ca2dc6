#pragma once
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <cstring>
#include <memory>
#include <string>

#include "page_table_win.h"
#include "project_codec.h"
#include "startup.h"
#include "win_test_support.h"
#include "wizard_frame_win.h"

// The wizard runs modeless in the test's own thread, from the real page
// table and the real resources.
class WizardTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { PrepareProgram(); }

    void Start(const char* commandLine = "") {
        PrepareWizard(&sheet_, nullptr, commandLine, GetModuleHandleA(nullptr));
        sheet_.header.dwFlags |= PSH_MODELESS;
        frame_ = reinterpret_cast<HWND>(PropertySheetA(&sheet_.header));
        ASSERT_NE(frame_, nullptr);
        PumpPending();
    }

    void TearDown() override {
        if (frame_ && IsWindow(frame_)) {
            DestroyWindow(frame_);
        }
        PumpPending();
        ReleaseAppState(TheAppState());
    }

    int PageIndex() const {
        return static_cast<int>(
            SendMessageA(frame_, PSM_HWNDTOINDEX,
                         reinterpret_cast<WPARAM>(PropSheet_GetCurrentPageHwnd(frame_)), 0));
    }

    std::string Title() const {
        char text[600] = "";
        GetWindowTextA(frame_, text, sizeof text);
        return text;
    }

    bool WaitForTitle(const std::string& expected) {
        return PumpUntil([&] { return Title() == expected; });
    }

    void Press(int button) {
        PropSheet_PressButton(frame_, button);
        PumpPending();
    }

    void GoTo(int index) {
        PropSheet_SetCurSel(frame_, nullptr, index);
        PumpPending();
        ASSERT_EQ(PageIndex(), index);
    }

    WizardSheet sheet_{};
    HWND frame_ = nullptr;
    // Pages may warn (no embosser, no tables); nothing may wait for a person.
    DialogAnswerer quiet_;
};

// With a folder of the test's own for project files.
class ProjectWizardTest : public WizardTest {
  protected:
    // A project of a label text with a field and a start position of 4.
    std::string WriteProject(const std::string& name) {
        auto state = std::make_unique<AppState>();
        ResetAppState(state.get());
        std::strcpy(state->szLabelText, "Hello {A}");
        state->nStartPos = 4;
        uint8_t bytes[kProjectFileSizeV2];
        EncodeProject(*state, bytes);
        const std::string path = folder_.File(name);
        WriteFileBytes(path, std::string(reinterpret_cast<char*>(bytes), sizeof bytes));
        return path;
    }
    TempFolder folder_;
};
