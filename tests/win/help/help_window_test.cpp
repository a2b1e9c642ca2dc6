#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <htmlhelp.h>

#include <regex>
#include <string>
#include <vector>

#include "html_help_win.h"
#include "page_table_win.h"
#include "startup.h"
#include "win_test_support.h"
#include "wizard_frame_win.h"
#include "wizard_test.h"

namespace {

// The visible HTML Help windows of this process. Wine's viewer, like the
// original, makes a top-level window of class "HH Parent".
std::vector<HWND> HelpWindows() {
    std::vector<HWND> found;
    EnumWindows(
        [](HWND window, LPARAM list) -> BOOL {
            char name[64] = "";
            GetClassNameA(window, name, sizeof name);
            DWORD process = 0;
            GetWindowThreadProcessId(window, &process);
            if (std::string(name) == "HH Parent" && process == GetCurrentProcessId() &&
                IsWindowVisible(window)) {
                reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

HWND FindDescendant(HWND parent, const char* className) {
    struct Search {
        const char* className;
        HWND found;
    } search{className, nullptr};
    EnumChildWindows(
        parent,
        [](HWND child, LPARAM data) -> BOOL {
            auto* s = reinterpret_cast<Search*>(data);
            char name[64] = "";
            GetClassNameA(child, name, sizeof name);
            if (std::string(name) == s->className) {
                s->found = child;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Every entry of a tree view, depth first.
void CollectTree(HWND tree, HTREEITEM item, std::vector<std::string>* names) {
    for (; item; item = TreeView_GetNextSibling(tree, item)) {
        char text[260] = "";
        TVITEMA entry{};
        entry.mask = TVIF_TEXT;
        entry.hItem = item;
        entry.pszText = text;
        entry.cchTextMax = sizeof text;
        SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&entry));
        names->push_back(text);
        CollectTree(tree, TreeView_GetChild(tree, item), names);
    }
}

// The entry names of the contents file the help is compiled from.
std::vector<std::string> ContentsNames() {
    const std::string toc = ReadFileBytes(SourcePath("docs/help/toc.hhc"));
    const std::regex name(R"(<param name="Name" value="([^"]*)\")", std::regex::icase);
    std::vector<std::string> names;
    for (auto m = std::sregex_iterator(toc.begin(), toc.end(), name); m != std::sregex_iterator();
         ++m) {
        names.push_back((*m)[1]);
    }
    return names;
}

class HelpTest : public WizardTest {
  protected:
    void SetUp() override { Start(); }

    void TearDown() override {
        HtmlHelpCall(nullptr, nullptr, HH_CLOSE_ALL, 0);
        PumpUntil([] { return HelpWindows().empty(); });
        WizardTest::TearDown();
    }

    // Clicks the wizard's own Help button, as a person would.
    ::testing::AssertionResult ClickHelp() {
        HWND button = GetDlgItem(frame_, IDHELP);
        if (!button || !IsWindowVisible(button) || !IsWindowEnabled(button)) {
            return ::testing::AssertionFailure() << "no usable Help button";
        }
        SendMessageA(frame_, WM_COMMAND, MAKEWPARAM(IDHELP, BN_CLICKED),
                     reinterpret_cast<LPARAM>(button));
        return ::testing::AssertionSuccess();
    }

    HWND WaitForHelpWindow() {
        HWND help = nullptr;
        PumpUntil(
            [&] {
                const std::vector<HWND> windows = HelpWindows();
                help = windows.size() == 1 ? windows[0] : nullptr;
                return help != nullptr;
            },
            15000);
        return help;
    }
};

TEST_F(HelpTest, EveryPageOpensTheHelpFileAndNothingElse) {
    for (int index = 0; index < kPageCount; ++index) {
        SCOPED_TRACE("page " + std::to_string(index));
        GoTo(index);
        const size_t dialogsBefore = quiet_.seen().size();

        ASSERT_TRUE(ClickHelp());
        HWND help = WaitForHelpWindow();
        ASSERT_NE(help, nullptr) << "no HTML Help window opened";
        char title[128] = "";
        GetWindowTextA(help, title, sizeof title);
        EXPECT_STREQ(title, "Dotwell Help");
        EXPECT_EQ(GetWindow(help, GW_OWNER), nullptr) << "help has no owner window";
        // A viewer that wants to fetch an HTML engine, or a file it cannot
        // find, would say so in a dialog box.
        EXPECT_EQ(quiet_.seen().size(), dialogsBefore)
            << "a dialog box opened with the help: \"" << quiet_.seen().back().caption << "\"";

        SendMessageA(help, WM_CLOSE, 0, 0);
        ASSERT_TRUE(PumpUntil([] { return HelpWindows().empty(); }));
        EXPECT_TRUE(IsWindow(frame_)) << "closing the help leaves the wizard open";
    }
}

// F1 opens the help wherever the focus is: on a page's control or on one of
// the wizard's own buttons.
TEST_F(HelpTest, F1OpensTheHelpFromThePageAndFromTheWizardButtons) {
    GoTo(1);
    HWND page = PropSheet_GetCurrentPageHwnd(frame_);
    const HWND focusTargets[] = {GetNextDlgTabItem(page, nullptr, FALSE),
                                 GetDlgItem(frame_, IDCANCEL)};
    for (HWND target : focusTargets) {
        ASSERT_NE(target, nullptr);
        SetForegroundWindow(frame_);
        SetFocus(target);
        PumpPending();
        // Through the input queue, as a key press comes.
        INPUT keys[2]{};
        keys[0].type = keys[1].type = INPUT_KEYBOARD;
        keys[0].ki.wVk = keys[1].ki.wVk = VK_F1;
        keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
        ASSERT_EQ(SendInput(2, keys, sizeof keys[0]), 2u);
        HWND help = WaitForHelpWindow();
        ASSERT_NE(help, nullptr) << "F1 opened no help window";
        SendMessageA(help, WM_CLOSE, 0, 0);
        ASSERT_TRUE(PumpUntil([] { return HelpWindows().empty(); }));
    }
}

TEST_F(HelpTest, HelpWindowShowsTheContents) {
    const std::vector<std::string> expected = ContentsNames();
    ASSERT_GE(expected.size(), 2u) << "contents file not read";
    ASSERT_TRUE(ClickHelp());
    HWND help = WaitForHelpWindow();
    ASSERT_NE(help, nullptr);
    HWND tree = FindDescendant(help, WC_TREEVIEWA);
    ASSERT_NE(tree, nullptr) << "no contents tree";
    std::vector<std::string> shown;
    ASSERT_TRUE(PumpUntil([&] {
        shown.clear();
        CollectTree(tree, TreeView_GetRoot(tree), &shown);
        return shown.size() >= expected.size();
    }));
    EXPECT_EQ(shown, expected);
}

} // namespace
