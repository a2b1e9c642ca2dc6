#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include "editor_win.h"
#include "resource.h"

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR commandLine, int) {
    InitCommonControls();
    // Screen readers reach the grid's cells through COM on this thread.
    const bool bCom = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    const int result =
        static_cast<int>(DialogBoxParamA(hInstance, MAKEINTRESOURCEA(IDD_EDITOR), nullptr,
                                         EditorDialogProc, reinterpret_cast<LPARAM>(commandLine)));
    if (bCom) {
        CoUninitialize();
    }
    return result;
}
