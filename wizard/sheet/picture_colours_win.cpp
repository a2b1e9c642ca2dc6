#include "picture_colours_win.h"

namespace {

bool (*g_highContrastQuery)() = nullptr;

bool AskWindows() {
    HIGHCONTRASTA contrast{};
    contrast.cbSize = sizeof contrast;
    return SystemParametersInfoA(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0) &&
           (contrast.dwFlags & HCF_HIGHCONTRASTON);
}

} // namespace

bool HighContrastOn() {
    return g_highContrastQuery ? g_highContrastQuery() : AskWindows();
}

void SetHighContrastQuery(bool (*query)()) {
    g_highContrastQuery = query;
}

SheetColours SheetPictureColours() {
    if (HighContrastOn()) {
        return {GetSysColor(COLOR_WINDOW),    GetSysColor(COLOR_WINDOWTEXT),
                GetSysColor(COLOR_WINDOW),    GetSysColor(COLOR_WINDOWTEXT),
                GetSysColor(COLOR_HIGHLIGHT), true};
    }
    return {RGB(192, 192, 192), RGB(0, 0, 0),       RGB(255, 255, 255),
            RGB(40, 80, 160),   RGB(128, 128, 128), false};
}

HBRUSH LabelAreaSystemBrush() {
    return HighContrastOn() ? GetSysColorBrush(COLOR_WINDOW) : nullptr;
}
