#include "win_test_support.h"

#include <commctrl.h>

namespace {
DialogAnswerer* g_answerer;
// The list of file types of the system file dialogs.
constexpr int kFileTypes = 0x470;
} // namespace

bool PumpUntil(const std::function<bool()>& done, DWORD milliseconds) {
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > milliseconds) {
            return false;
        }
        MSG message;
        if (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        } else {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        }
    }
    return true;
}

void PumpPending() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

bool WaitForSentMessage(DWORD milliseconds) {
    const DWORD start = GetTickCount();
    while (!(HIWORD(GetQueueStatus(QS_SENDMESSAGE)) & QS_SENDMESSAGE)) {
        if (GetTickCount() - start > milliseconds) {
            return false;
        }
        SwitchToThread();
    }
    return true;
}

namespace {
UINT CALLBACK CreatePageCallback(HWND, UINT message, LPPROPSHEETPAGEA) {
    return message == PSPCB_CREATE ? 1 : 0;
}
} // namespace

HWND OpenSinglePageWizard(UINT templateId, DLGPROC procedure, void* row) {
    PROPSHEETPAGEA page{};
    page.dwSize = sizeof page;
    page.dwFlags = PSP_USECALLBACK;
    page.hInstance = GetModuleHandleA(nullptr);
    page.pszTemplate = MAKEINTRESOURCEA(templateId);
    page.pfnDlgProc = procedure;
    page.lParam = reinterpret_cast<LPARAM>(row);
    page.pfnCallback = CreatePageCallback;
    PROPSHEETHEADERA header{};
    header.dwSize = sizeof header;
    header.dwFlags = PSH_PROPSHEETPAGE | PSH_WIZARD | PSH_MODELESS;
    header.hInstance = GetModuleHandleA(nullptr);
    header.nPages = 1;
    header.ppsp = &page;
    return reinterpret_cast<HWND>(PropertySheetA(&header));
}

DialogAnswerer::DialogAnswerer(std::vector<int> buttons)
    : hook_(SetWindowsHookExA(WH_CBT, Hook, nullptr, GetCurrentThreadId())),
      answerHook_(SetWindowsHookExA(WH_GETMESSAGE, AnswerTaken, nullptr, GetCurrentThreadId())),
      previous_(g_answerer), buttons_(std::move(buttons)) {
    g_answerer = this;
}

DialogAnswerer::~DialogAnswerer() {
    UnhookWindowsHookEx(answerHook_);
    UnhookWindowsHookEx(hook_);
    g_answerer = previous_;
}

// A file dialog fills its list of types after it is shown and empties it
// when it acts on the answer; the answer taken from the queue finds it full.
LRESULT CALLBACK DialogAnswerer::AnswerTaken(int code, WPARAM wParam, LPARAM lParam) {
    const MSG* message = reinterpret_cast<const MSG*>(lParam);
    if (code == HC_ACTION && wParam == PM_REMOVE && message->message == WM_COMMAND && g_answerer) {
        g_answerer->RecordFileTypes(message->hwnd);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK DialogAnswerer::Hook(int code, WPARAM wParam, LPARAM lParam) {
    // With nested answerers every hook sees the same activation; the first
    // one answers for all.
    static bool answering = false;
    if (code == HCBT_ACTIVATE && g_answerer && !answering) {
        HWND window = reinterpret_cast<HWND>(wParam);
        char className[32] = "";
        GetClassNameA(window, className, sizeof className);
        // Property sheets are dialogs too, but they are what the tests drive.
        const bool isSheet = FindWindowExA(window, nullptr, "SysTabControl32", nullptr) != nullptr;
        if (std::string(className) == "#32770" && !isSheet) {
            g_answerer->Answer(window);
        }
        answering = true;
        const LRESULT result = CallNextHookEx(nullptr, code, wParam, lParam);
        answering = false;
        return result;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void DialogAnswerer::Answer(HWND dialog) {
    Seen seen;
    char text[1024];
    GetWindowTextA(dialog, text, sizeof text);
    seen.caption = text;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char className[32] = "";
        GetClassNameA(child, className, sizeof className);
        if (std::string(className) == "Static" && GetWindowTextA(child, text, sizeof text) > 0) {
            seen.text += seen.text.empty() ? text : std::string("\n") + text;
        }
    }
    seen_.push_back(seen);
    if (GetDlgItem(dialog, kFileTypes)) {
        fileDialogs_.emplace_back(dialog, seen_.size() - 1);
    }
    for (int id : checkIds_) {
        CheckDlgButton(dialog, id, BST_CHECKED);
    }
    checkIds_.clear();
    // The file name box of the system file dialogs: a combo box in the
    // explorer style, an edit box in the old one.
    HWND nameBox = GetDlgItem(dialog, 0x47C);
    if (!nameBox) {
        nameBox = GetDlgItem(dialog, 0x480);
    }
    if (nameBox && !fileName_.empty()) {
        SetWindowTextA(nameBox, fileName_.c_str());
        fileName_.clear();
    }
    int button = IDCANCEL;
    if (!buttons_.empty()) {
        button = buttons_.front();
        buttons_.erase(buttons_.begin());
    }
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, button)));
}

void DialogAnswerer::RecordFileTypes(HWND window) {
    for (auto entry = fileDialogs_.begin(); entry != fileDialogs_.end(); ++entry) {
        if (entry->first != window) {
            continue;
        }
        HWND types = GetDlgItem(window, kFileTypes);
        const LRESULT count = SendMessageA(types, CB_GETCOUNT, 0, 0);
        for (LRESULT i = 0; i < count; ++i) {
            char text[256] = "";
            if (SendMessageA(types, CB_GETLBTEXTLEN, i, 0) < LRESULT{sizeof text}) {
                SendMessageA(types, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
                seen_[entry->second].fileTypes.push_back(text);
            }
        }
        fileDialogs_.erase(entry);
        return;
    }
}

std::string WinePath(const std::string& unixPath) {
    std::string path = "Z:" + unixPath;
    for (char& c : path)
        if (c == '/')
            c = '\\';
    return path;
}

std::string SourcePath(const std::string& relative) {
    return WinePath(std::string(DOTWELL_SOURCE_DIR) + "/" + relative);
}
