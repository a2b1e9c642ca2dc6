// The wizard's small dialogs, from their templates: names, mnemonics and
// texts as a screen reader, a keyboard and a larger font meet them.
#include <gtest/gtest.h>
#include <gmock/gmock.h>

#include <windows.h>
#include <objbase.h>

#include "accessibility_checks.h"
#include "resource.h"

namespace {

using ::testing::IsEmpty;

INT_PTR CALLBACK InertProc(HWND, UINT, WPARAM, LPARAM) {
    return FALSE;
}

class WizardDialogs : public ::testing::TestWithParam<int> {
  protected:
    void SetUp() override {
        CoInitialize(nullptr);
        owner_ = CreateWindowExA(0, "Static", "owner", WS_POPUP, 0, 0, 1000, 700, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(owner_, nullptr);
        dialog_ = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(GetParam()),
                                     owner_, InertProc, 0);
        ASSERT_NE(dialog_, nullptr);
    }
    void TearDown() override {
        DestroyWindow(owner_);
        CoUninitialize();
    }

    HWND owner_ = nullptr;
    HWND dialog_ = nullptr;
};

TEST_P(WizardDialogs, EveryFocusableControlHasAName) {
    EXPECT_THAT(UnnamedControls(dialog_), IsEmpty());
}

TEST_P(WizardDialogs, MnemonicsAreOnEveryLabelAndUnique) {
    EXPECT_THAT(RepeatedMnemonics({dialog_}), IsEmpty());
    EXPECT_THAT(LabelsWithoutMnemonic(dialog_), IsEmpty());
}

TEST_P(WizardDialogs, TextsFitTheirControls) {
    EXPECT_THAT(CutTexts(dialog_), IsEmpty());
}

INSTANTIATE_TEST_SUITE_P(All, WizardDialogs,
                         ::testing::Values(IDD_FORMAT_NAME, IDD_SAVE_TEMPLATE, IDD_SAVE_CHANGES,
                                           IDD_CLOSE_PROJECT));

} // namespace
