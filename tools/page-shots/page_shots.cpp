// Opens the wizard on a sample project and saves a picture of each page:
//   page_shots.exe OUTPUT_FOLDER [inch]
// Pictures are 24-bit BMP files named page-<index>.bmp; "inch" shows the
// sample's lengths in inches. Run it in a prefix with an embosser queue
// (tools/virtual-embosser): without one the Emboss page says so in a
// message box, which waits for a person.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "startup.h"
#include "wizard_frame.h"

namespace {

void Pump(DWORD milliseconds) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < milliseconds) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

bool SaveWindowPicture(HWND window, const std::string& path) {
    RECT box;
    GetWindowRect(window, &box);
    const int width = box.right - box.left;
    const int height = box.bottom - box.top;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, box.left, box.top, SRCCOPY);
    SelectObject(memory, old);
    const DWORD rowBytes = (width * 3 + 3) & ~3;
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info.bmiHeader;
    file.bfSize = file.bfOffBits + rowBytes * height;
    FILE* out = std::fopen(path.c_str(), "wb");
    bool ok = out != nullptr;
    if (out) {
        ok = std::fwrite(&file, sizeof file, 1, out) == 1 &&
             std::fwrite(&info.bmiHeader, sizeof info.bmiHeader, 1, out) == 1 &&
             std::fwrite(bits, rowBytes * height, 1, out) == 1;
        std::fclose(out);
    }
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return ok;
}

bool g_inch = false;

void FillSampleProject(AppState* state) {
    SheetFormat& sheet = state->Sheet;
    sheet.bInch = g_inch;
    std::strcpy(sheet.szName, "A4 3 x 8 labels 70 x 37 mm");
    sheet.wPaperWidth = 11906;
    sheet.wPaperHeight = 16838;
    sheet.wFirstLabelPosLeft = 0;
    sheet.wFirstLabelPosTop = 340;
    sheet.wLabelWidth = 3969;
    sheet.wLabelHeight = 2098;
    sheet.wNumVertical = 8;
    sheet.wNumHorizontal = 3;
    std::strcpy(state->szLabelText, "{A}\r\n{B}\r\n{C} {D}");
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: page_shots OUTPUT_FOLDER\n");
        return 2;
    }
    g_inch = argc > 2 && std::strcmp(argv[2], "inch") == 0;
    PrepareProgram();
    static WizardSheet sheet;
    PrepareWizard(&sheet, nullptr, "", GetModuleHandleA(nullptr));
    FillSampleProject(TheAppState());
    sheet.header.dwFlags |= PSH_MODELESS;
    HWND frame = reinterpret_cast<HWND>(PropertySheetA(&sheet.header));
    if (!frame) {
        return 1;
    }
    SetWindowPos(frame, HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE);
    int failures = 0;
    for (int index = 0; index < kPageCount; ++index) {
        PropSheet_SetCurSel(frame, nullptr, index);
        Pump(700);
        if (index == 1) {
            // A new project starts from an empty record: fill it again for
            // the pages that follow.
            FillSampleProject(TheAppState());
        }
        const std::string path = std::string(argv[1]) + "\\page-" + std::to_string(index) + ".bmp";
        failures += !SaveWindowPicture(frame, path);
    }
    DestroyWindow(frame);
    return failures ? 1 : 0;
}
