#include <windows.h>
#include <commctrl.h>

#include "editor.h"
#include "resource.h"

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR commandLine, int) {
    InitCommonControls();
    return static_cast<int>(DialogBoxParamA(hInstance, MAKEINTRESOURCEA(IDD_EDITOR), nullptr,
                                            EditorDialogProc,
                                            reinterpret_cast<LPARAM>(commandLine)));
}
