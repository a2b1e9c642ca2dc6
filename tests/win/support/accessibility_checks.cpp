#include "accessibility_checks.h"

#include <oleacc.h>

#include <map>

namespace {

std::string TextOf(HWND window) {
    char text[1024] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

std::string ClassOf(HWND window) {
    char name[64] = "";
    GetClassNameA(window, name, sizeof name);
    return name;
}

LONG StyleOf(HWND window) {
    return GetWindowLongA(window, GWL_STYLE);
}

std::string Describe(HWND control) {
    return "control " + std::to_string(GetDlgCtrlID(control)) + " (" + ClassOf(control) + " \"" +
           TextOf(control) + "\")";
}

bool IsButton(HWND control) {
    const LRESULT code = SendMessageA(control, WM_GETDLGCODE, 0, 0);
    return (code & (DLGC_BUTTON | DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON | DLGC_RADIOBUTTON)) &&
           !(code & DLGC_STATIC);
}

bool IsStatic(HWND control) {
    return (SendMessageA(control, WM_GETDLGCODE, 0, 0) & DLGC_STATIC) != 0;
}

bool ShowsPrefix(HWND control) {
    return !(ClassOf(control) == "Static" && (StyleOf(control) & SS_NOPREFIX));
}

std::string ShownText(HWND control) {
    return ShowsPrefix(control) ? WithoutMnemonic(TextOf(control)) : TextOf(control);
}

HWND LabelBefore(HWND control) {
    for (HWND w = GetWindow(control, GW_HWNDPREV); w; w = GetWindow(w, GW_HWNDPREV)) {
        const LONG style = StyleOf(w);
        if (!(style & WS_VISIBLE))
            continue;
        if (IsStatic(w))
            return w;
        if (style & (WS_GROUP | WS_TABSTOP))
            break;
    }
    return nullptr;
}

std::string NameFrom(IAccessible* object) {
    VARIANT self;
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR name = nullptr;
    std::string out;
    if (object->get_accName(self, &name) == S_OK && name) {
        char text[1024] = "";
        WideCharToMultiByte(CP_ACP, 0, name, -1, text, sizeof text, nullptr, nullptr);
        out = text;
    }
    SysFreeString(name);
    object->Release();
    return out;
}

// The control's own object, when it answers for itself.
bool OwnName(HWND control, std::string* name) {
    const LRESULT answer = SendMessageW(control, WM_GETOBJECT, 0, OBJID_CLIENT);
    IAccessible* object = nullptr;
    if (!answer || FAILED(ObjectFromLresult(answer, __uuidof(IAccessible), 0,
                                            reinterpret_cast<void**>(&object))))
        return false;
    *name = NameFrom(object);
    return true;
}

// What Wine's standard object says; empty where it has no answer.
std::string StandardName(HWND control) {
    IAccessible* object = nullptr;
    if (FAILED(CreateStdAccessibleObject(control, OBJID_CLIENT, __uuidof(IAccessible),
                                         reinterpret_cast<void**>(&object))))
        return "";
    return NameFrom(object);
}

std::vector<HWND> Children(HWND parent) {
    std::vector<HWND> out;
    for (HWND c = GetWindow(parent, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
        out.push_back(c);
    return out;
}

bool IsFocusable(HWND control) {
    const LONG style = StyleOf(control);
    return (style & WS_VISIBLE) && (style & WS_TABSTOP) && !(style & WS_DISABLED);
}

// Room a button leaves for its text, in pixels: the frame and focus rectangle
// of a push button, the box of a check box, the indent of a group's title.
int TextRoom(HWND button, int width) {
    switch (StyleOf(button) & BS_TYPEMASK) {
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
    case BS_3STATE:
    case BS_AUTO3STATE:
        return width - GetSystemMetrics(SM_CXMENUCHECK) - 4;
    case BS_GROUPBOX:
        return width - 16;
    default:
        return width - 6;
    }
}

// Statics that show text, and whether they wrap.
bool StaticShowsText(LONG style, bool* wraps) {
    if (style & SS_ELLIPSISMASK)
        return false; // made to shorten what does not fit
    switch (style & SS_TYPEMASK) {
    case SS_LEFT:
    case SS_CENTER:
    case SS_RIGHT:
        *wraps = true;
        return true;
    case SS_SIMPLE:
    case SS_LEFTNOWORDWRAP:
        *wraps = false;
        return true;
    default:
        return false;
    }
}

} // namespace

std::string WithoutMnemonic(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&' && i + 1 < text.size())
            ++i;
        out += text[i];
    }
    return out;
}

char MnemonicOf(const std::string& text) {
    for (size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != '&')
            continue;
        if (text[i + 1] != '&')
            return static_cast<char>(tolower(static_cast<unsigned char>(text[i + 1])));
        ++i;
    }
    return 0;
}

std::string AccessibleName(HWND control) {
    std::string name;
    if (OwnName(control, &name))
        return name;
    if (IsButton(control))
        return WithoutMnemonic(TextOf(control));
    HWND label = LabelBefore(control);
    return label ? ShownText(label) : "";
}

std::vector<std::string> UnnamedControls(HWND dialog) {
    std::vector<std::string> out;
    for (HWND c : Children(dialog)) {
        if (!IsFocusable(c))
            continue;
        const std::string name = AccessibleName(c);
        if (name.empty()) {
            out.push_back(Describe(c) + " has no name");
            continue;
        }
        std::string own;
        const std::string cls = ClassOf(c);
        if (!OwnName(c, &own) && (cls == "Button" || cls == "Edit")) {
            const std::string wine = StandardName(c);
            if (!wine.empty() && wine != name)
                out.push_back(Describe(c) + " is \"" + wine + "\" to Wine, not \"" + name + "\"");
        }
    }
    return out;
}

std::vector<std::string> RepeatedMnemonics(const std::vector<HWND>& windows) {
    std::map<char, std::vector<std::string>> users;
    for (HWND parent : windows) {
        for (HWND c : Children(parent)) {
            if (!(StyleOf(c) & WS_VISIBLE) || !ShowsPrefix(c) || ClassOf(c) == "#32770")
                continue;
            if (char letter = MnemonicOf(TextOf(c)))
                users[letter].push_back(TextOf(c));
        }
    }
    std::vector<std::string> out;
    for (const auto& [letter, texts] : users) {
        if (texts.size() < 2)
            continue;
        std::string line = std::string("'") + letter + "':";
        for (const std::string& text : texts)
            line += " \"" + text + "\"";
        out.push_back(line);
    }
    return out;
}

std::vector<std::string> LabelsWithoutMnemonic(HWND dialog) {
    std::vector<std::string> out;
    for (HWND c : Children(dialog)) {
        const std::string text = WithoutMnemonic(TextOf(c));
        const bool ours = IsButton(c) && text != "OK" && text != "Cancel" && text != "Close";
        if (ours && !MnemonicOf(TextOf(c)))
            out.push_back(Describe(c));
        if (!(StyleOf(c) & WS_TABSTOP) || IsButton(c))
            continue;
        // Labels set at run time (counters and the like) name, but are not keys.
        HWND label = LabelBefore(c);
        if (label && GetDlgCtrlID(label) == static_cast<int>(static_cast<WORD>(-1)) &&
            !MnemonicOf(TextOf(label)))
            out.push_back(Describe(label) + ", the label of " + Describe(c));
    }
    return out;
}

std::vector<std::string> CutTexts(HWND dialog) {
    std::vector<std::string> out;
    for (HWND c : Children(dialog)) {
        const LONG style = StyleOf(c);
        const std::string text = TextOf(c);
        if (!(style & WS_VISIBLE) || text.empty())
            continue;
        RECT client;
        GetClientRect(c, &client);
        UINT format = DT_CALCRECT | DT_EXPANDTABS | (ShowsPrefix(c) ? 0 : DT_NOPREFIX);
        int room = client.right;
        const std::string cls = ClassOf(c);
        bool wraps = false;
        if (cls == "Static") {
            if (!StaticShowsText(style, &wraps))
                continue;
        } else if (cls == "Button") {
            wraps = (style & BS_MULTILINE) != 0;
            room = TextRoom(c, client.right);
        } else {
            continue;
        }
        format |= wraps ? DT_WORDBREAK : DT_SINGLELINE;
        HDC dc = GetDC(c);
        HGDIOBJ old =
            SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(c, WM_GETFONT, 0, 0)));
        RECT need = {0, 0, room, 0};
        DrawTextA(dc, text.c_str(), -1, &need, format);
        SelectObject(dc, old);
        ReleaseDC(c, dc);
        if (need.right > room || need.bottom > client.bottom)
            out.push_back(Describe(c) + " needs " + std::to_string(need.right) + " x " +
                          std::to_string(need.bottom) + ", has " + std::to_string(room) + " x " +
                          std::to_string(client.bottom));
    }
    return out;
}
