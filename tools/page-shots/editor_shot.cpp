#include "editor_shot.h"

#include <windows.h>

#include "babygrid_win.h"
#include "window_picture.h"

namespace {

struct ProcessWindow {
    DWORD process;
    HWND found;
};

HWND MainWindowOf(DWORD process) {
    ProcessWindow search{process, nullptr};
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            auto* s = reinterpret_cast<ProcessWindow*>(data);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == s->process && IsWindowVisible(window) && !GetWindow(window, GW_OWNER)) {
                s->found = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Widens the columns of names, streets and postcodes, as a person would drag
// them, so the picture shows whole entries.
void WidenColumns(HWND window) {
    HWND grid = FindWindowExA(window, nullptr, BABYGRID_CLASS, nullptr);
    const int widths[] = {150, 200, 80};
    for (int column = 1; grid && column <= 3; ++column) {
        SendMessageA(grid, GRM_SETCOLUMNWIDTH, column, widths[column - 1]);
    }
}

} // namespace

bool SaveEditorPicture(const std::string& program, const std::string& file,
                       const std::string& picture) {
    std::string commandLine = "\"" + program + "\" " + file;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process)) {
        return false;
    }
    WaitForInputIdle(process.hProcess, 10000);
    HWND window = nullptr;
    for (int tries = 0; tries < 100 && !window; ++tries) {
        Pump(100);
        window = MainWindowOf(process.dwProcessId);
    }
    bool ok = false;
    if (window) {
        SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE);
        WidenColumns(window);
        Pump(1500);
        ok = SaveWindowPicture(window, picture);
        // Nothing was edited, so the editor closes without a question.
        PostMessageA(window, WM_CLOSE, 0, 0);
    }
    if (WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0) {
        TerminateProcess(process.hProcess, 1);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return ok;
}
