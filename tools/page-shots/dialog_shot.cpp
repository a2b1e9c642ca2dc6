#include "dialog_shot.h"

#include <cstring>

#include "window_picture.h"

namespace {

struct Shot {
    HWND frame;
    std::string path;
    bool saved;
};
Shot g_shot;

HWND OpenDialog() {
    HWND found = nullptr;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM data) -> BOOL {
            char name[16] = "";
            GetClassNameA(window, name, sizeof name);
            if (window != g_shot.frame && IsWindowVisible(window) &&
                std::strcmp(name, "#32770") == 0) {
                *reinterpret_cast<HWND*>(data) = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

// Runs inside the dialog's own modal loop, once the dialog has drawn.
void CALLBACK PictureAndCancel(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    if (HWND dialog = OpenDialog()) {
        SetWindowPos(dialog, HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE);
        g_shot.saved = SaveWindowPicture(dialog, g_shot.path);
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDCANCEL)));
    }
}

} // namespace

bool SaveDialogPicture(HWND frame, HWND page, int button, const std::string& path) {
    g_shot = {frame, path, false};
    // Without a dialog the button returns at once and the timer never fires
    // here: it is killed below.
    const UINT_PTR timer = SetTimer(nullptr, 0, 1500, PictureAndCancel);
    SendMessageA(page, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(page, button)));
    KillTimer(nullptr, timer);
    Pump(300);
    return g_shot.saved;
}
