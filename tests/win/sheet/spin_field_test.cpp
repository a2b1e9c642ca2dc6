#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "spin_field_win.h"
#include "win_test_support.h"

namespace {

constexpr int kEdit = 100;
constexpr int kUpDown = 101;
constexpr int kOtherEdit = 102;
constexpr int kOtherUpDown = 103;

struct Command {
    int id;
    int code;
    LPARAM lParam;
};
std::vector<Command> g_commands;

INT_PTR CALLBACK RecordingDialog(HWND, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND && HIWORD(wParam) == EN_KILLFOCUS) {
        g_commands.push_back({LOWORD(wParam), HIWORD(wParam), lParam});
    }
    return message == WM_INITDIALOG;
}

// A bare dialog with two edit boxes, each with an up-down control that
// leaves its buddy's text alone, as on the wizard's pages.
class SpinFieldTest : public ::testing::Test {
  protected:
    void SetUp() override {
        static const struct {
            DLGTEMPLATE header;
            WORD menu, windowClass, title;
        } empty = {{WS_POPUP, 0, 0, 0, 0, 200, 100}, 0, 0, 0};
        dialog_ = CreateDialogIndirectParamA(GetModuleHandleA(nullptr), &empty.header, nullptr,
                                             RecordingDialog, 0);
        ASSERT_NE(nullptr, dialog_);
        AddField(kEdit, kUpDown, 10);
        AddField(kOtherEdit, kOtherUpDown, 40);
        g_commands.clear();
    }

    void TearDown() override {
        if (dialog_) {
            DestroyWindow(dialog_);
        }
        PumpPending();
    }

    void AddField(int editId, int updownId, int y) {
        HWND edit =
            CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, 10, y, 80, 24,
                            dialog_, reinterpret_cast<HMENU>(INT_PTR(editId)), nullptr, nullptr);
        ASSERT_NE(nullptr, edit);
        HWND updown = CreateWindowExA(
            0, UPDOWN_CLASSA, "", WS_CHILD | WS_VISIBLE | UDS_ALIGNRIGHT | UDS_ARROWKEYS, 0, 0, 16,
            24, dialog_, reinterpret_cast<HMENU>(INT_PTR(updownId)), nullptr, nullptr);
        ASSERT_NE(nullptr, updown);
        SendMessageA(updown, UDM_SETBUDDY, reinterpret_cast<WPARAM>(edit), 0);
    }

    std::string Text(int id = kEdit) const {
        char text[300] = "";
        GetDlgItemTextA(dialog_, id, text, sizeof text);
        return text;
    }

    HWND UpDown(int id = kUpDown) const { return GetDlgItem(dialog_, id); }

    // A real click on the up-down's upper or lower half.
    void Click(bool up, int id = kUpDown) {
        RECT box;
        GetClientRect(UpDown(id), &box);
        const LPARAM point = MAKELPARAM(box.right / 2, up ? box.bottom / 4 : box.bottom * 3 / 4);
        SendMessageA(UpDown(id), WM_LBUTTONDOWN, MK_LBUTTON, point);
        SendMessageA(UpDown(id), WM_LBUTTONUP, 0, point);
    }

    void Delta(int delta, int id = kUpDown) {
        NMUPDOWN notify{};
        notify.hdr.hwndFrom = UpDown(id);
        notify.hdr.idFrom = id;
        notify.hdr.code = UDN_DELTAPOS;
        notify.iDelta = delta;
        SendMessageA(dialog_, WM_NOTIFY, id, reinterpret_cast<LPARAM>(&notify));
    }

    HWND dialog_ = nullptr;
};

TEST_F(SpinFieldTest, CreationWritesTheValueAndNotifiesOnce) {
    ASSERT_EQ(1, CreateSpinField(dialog_, kEdit, kUpDown, 0, 297, 0.1, 210.0, 1));
    EXPECT_EQ("210.0", Text());
    ASSERT_EQ(1u, g_commands.size());
    EXPECT_EQ(kEdit, g_commands[0].id);
    EXPECT_EQ(0, g_commands[0].lParam);
    int low = -1, high = -1;
    SendMessageA(UpDown(), UDM_GETRANGE32, reinterpret_cast<WPARAM>(&low),
                 reinterpret_cast<LPARAM>(&high));
    EXPECT_EQ(0, low);
    EXPECT_EQ(2970, high);
    EXPECT_EQ(2100, SendMessageA(UpDown(), UDM_GETPOS32, 0, 0));
}

TEST_F(SpinFieldTest, ClicksStepAndStopAtTheBounds) {
    const struct {
        const char* what;
        double min, max, step, value;
        int decimals;
        bool up;
        const char* text;
    } cases[] = {
        {"up", 0, 297, 0.1, 210.0, 1, true, "210.1"},
        {"down", 0, 297, 0.1, 210.0, 1, false, "209.9"},
        {"up at 297 stays", 0, 297, 0.1, 297.0, 1, true, "297.0"},
        {"up at 12.7 falls back to whole steps", 0, 12.7, 0.1, 12.7, 1, true, "12.6"},
        {"down at 0.05 stops at 0", 0, 297, 0.1, 0.05, 1, false, "0.0"},
        {"inches", 0, 11.69, 0.01, 8.27, 2, true, "8.28"},
        {"count at its top", 1, 3, 1, 3, 0, true, "3"},
    };
    for (const auto& c : cases) {
        ASSERT_EQ(
            1, CreateSpinField(dialog_, kEdit, kUpDown, c.min, c.max, c.step, c.value, c.decimals));
        g_commands.clear();
        Click(c.up);
        PumpPending();
        EXPECT_EQ(c.text, Text()) << c.what;
        ASSERT_EQ(1u, g_commands.size()) << c.what;
        EXPECT_EQ(kEdit, g_commands[0].id) << c.what;
        EXPECT_EQ(0, g_commands[0].lParam) << c.what;
    }
}

TEST_F(SpinFieldTest, AcceleratedDeltasAndArrowKeysStep) {
    ASSERT_EQ(1, CreateSpinField(dialog_, kEdit, kUpDown, 0, 100, 1, 10, 0));
    Delta(5);
    EXPECT_EQ("15", Text());
    Delta(-20);
    EXPECT_EQ("0", Text());
    g_commands.clear();
    SendMessageA(UpDown(), WM_KEYDOWN, VK_UP, 0);
    SendMessageA(UpDown(), WM_KEYUP, VK_UP, 0);
    EXPECT_EQ("1", Text());
    EXPECT_EQ(1u, g_commands.size());
}

TEST_F(SpinFieldTest, FieldsOfOneDialogStayApart) {
    ASSERT_EQ(1, CreateSpinField(dialog_, kEdit, kUpDown, 0, 297, 0.1, 100.0, 1));
    ASSERT_EQ(1, CreateSpinField(dialog_, kOtherEdit, kOtherUpDown, 1, 10, 1, 2, 0));
    // Created again, as pages do on each activation: still subclassed once.
    ASSERT_EQ(1, CreateSpinField(dialog_, kEdit, kUpDown, 0, 297, 0.1, 100.0, 1));
    g_commands.clear();
    Click(true, kOtherUpDown);
    EXPECT_EQ("3", Text(kOtherEdit));
    EXPECT_EQ("100.0", Text());
    ASSERT_EQ(1u, g_commands.size());
    EXPECT_EQ(kOtherEdit, g_commands[0].id);
}

TEST_F(SpinFieldTest, RangeChangesLeaveTheTextAlone) {
    ASSERT_EQ(1, CreateSpinField(dialog_, kEdit, kUpDown, 0, 297, 0.1, 200.0, 1));
    g_commands.clear();
    SetSpinRange(UpDown(), 0, 100, 0.1);
    EXPECT_EQ("200.0", Text());
    EXPECT_TRUE(g_commands.empty());
    EXPECT_EQ(1000, SendMessageA(UpDown(), UDM_GETPOS32, 0, 0));
    Click(false);
    EXPECT_EQ("199.9", Text()) << "stepping down is not snapped into the range";
    Click(true);
    EXPECT_EQ("100.0", Text()) << "stepping up from above the range lands on its top";

    SetSpinRange(UpDown(), 5, 5, 1);
    Click(true);
    EXPECT_EQ("5.0", Text());
    SetSpinRange(UpDown(), 0, 50, 0.0);
    EXPECT_EQ("5.0", Text()) << "a zero step changes nothing visible";
}

TEST_F(SpinFieldTest, DecimalsCanBeChangedAndRead) {
    EXPECT_EQ(0, SendMessageA(UpDown(), SPM_GETDECIMALS, 0, 0));
    EXPECT_EQ(0, SendMessageA(UpDown(), SPM_SETDECIMALS, 0, 3));
    ASSERT_EQ(1, CreateSpinField(dialog_, kEdit, kUpDown, 0, 10, 0.5, 1, 1));
    EXPECT_EQ(1, SendMessageA(UpDown(), SPM_GETDECIMALS, 0, 0));
    EXPECT_EQ(1, SendMessageA(UpDown(), SPM_SETDECIMALS, 0, 3));
    EXPECT_EQ(3, SendMessageA(UpDown(), SPM_GETDECIMALS, 0, 0));
    Click(true);
    EXPECT_EQ("1.500", Text());
}

TEST_F(SpinFieldTest, OtherUpDownNotificationsReachThePage) {
    ASSERT_EQ(1, CreateSpinField(dialog_, kEdit, kUpDown, 0, 10, 1, 1, 0));
    g_commands.clear();
    NMHDR released{UpDown(), kUpDown, static_cast<UINT>(NM_RELEASEDCAPTURE)};
    SendMessageA(dialog_, WM_NOTIFY, kUpDown, reinterpret_cast<LPARAM>(&released));
    EXPECT_EQ("1", Text());
    EXPECT_TRUE(g_commands.empty());
}

TEST_F(SpinFieldTest, DestroyingTheUpDownRemovesTheField) {
    HWND updown = UpDown();
    const LONG_PTR original = GetWindowLongPtrA(updown, GWLP_WNDPROC);
    ASSERT_EQ(1, CreateSpinField(dialog_, kEdit, kUpDown, 0, 10, 1, 1, 0));
    EXPECT_NE(nullptr, GetPropA(updown, "Spin"));
    EXPECT_NE(nullptr, GetPropA(updown, "OldSubClassHwndProc"));
    EXPECT_NE(nullptr, GetPropA(dialog_, "OldSubClassHwndProc"));
    SendMessageA(updown, WM_DESTROY, 0, 0);
    EXPECT_EQ(nullptr, GetPropA(updown, "Spin"));
    EXPECT_EQ(nullptr, GetPropA(updown, "OldSubClassHwndProc"));
    EXPECT_EQ(original, GetWindowLongPtrA(updown, GWLP_WNDPROC));
    EXPECT_EQ(0, SendMessageA(updown, SPM_GETDECIMALS, 0, 0));
}

struct ReadCase {
    const char* text;
    int ok;
    double value;
};

TEST_F(SpinFieldTest, ReadNumberFieldAcceptsPlainNumbersOnly) {
    const ReadCase cases[] = {
        {"210", 1, 210},
        {"1.2.3", 1, 1.2},
        {"1,5", 0, 0},
        {"-1", 0, 0},
        {"1 ", 0, 0},
        {"", 0, 0},
        {"00000000000000000000000000000000000000000000000001", 0, 0},
    };
    HWND edit = GetDlgItem(dialog_, kEdit);
    for (const ReadCase& c : cases) {
        SetWindowTextA(edit, c.text);
        double value = -1;
        EXPECT_EQ(c.ok, ReadNumberField(edit, &value)) << '"' << c.text << '"';
        if (c.ok) {
            EXPECT_DOUBLE_EQ(c.value, value) << '"' << c.text << '"';
        }
    }
}

TEST_F(SpinFieldTest, UndoFieldEditTakesBackTheUsersTyping) {
    HWND edit = GetDlgItem(dialog_, kEdit);
    SetWindowTextA(edit, "12.5");
    SendMessageA(edit, EM_SETSEL, 0, -1);
    SendMessageA(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("abc"));
    UndoFieldEdit(dialog_, kEdit);
    EXPECT_EQ("12.5", Text());
    EXPECT_FALSE(SendMessageA(edit, EM_CANUNDO, 0, 0));
    UndoFieldEdit(dialog_, kEdit);
    EXPECT_EQ("12.5", Text());
}

} // namespace
