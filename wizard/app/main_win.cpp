#include <windows.h>
#include <commctrl.h>

#include "startup.h"
#include "wizard_frame_win.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    PrepareProgram();
    RunWizard(nullptr, commandLine, instance);
    return 0;
}
