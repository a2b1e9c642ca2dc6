#include "html_help_win.h"

namespace {

using HtmlHelpFn = HWND(WINAPI*)(HWND, LPCSTR, UINT, DWORD_PTR);

HtmlHelpFn BindHtmlHelp() {
    char library[260] = "";
    LONG size = sizeof library;
    HMODULE module = nullptr;
    if (RegQueryValueA(HKEY_CLASSES_ROOT,
                       "CLSID\\{ADB880A6-D8FF-11CF-9377-00AA003B7A11}\\InprocServer32", library,
                       &size) == ERROR_SUCCESS) {
        module = LoadLibraryA(library);
    }
    if (!module) {
        module = LoadLibraryA("hhctrl.ocx");
    }
    if (!module) {
        return nullptr;
    }
    // HtmlHelpA is ordinal 14.
    return reinterpret_cast<HtmlHelpFn>(GetProcAddress(module, MAKEINTRESOURCEA(14)));
}

} // namespace

HWND HtmlHelpCall(HWND owner, const char* file, UINT command, DWORD_PTR data) {
    static bool bound = false;
    static HtmlHelpFn entry = nullptr;
    if (!bound) {
        entry = BindHtmlHelp();
        bound = true;
    }
    return entry ? entry(owner, file, command, data) : nullptr;
}
