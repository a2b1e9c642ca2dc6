// Looks at an installed Dotwell from inside Wine, for install_test.sh:
//   install_probe fonts
//   install_probe tables TACTR32_DLL RULE_FOLDER EXCEPTION_FOLDER
//   install_probe run PROGRAM TITLE TIMEOUT_MS
// Prints what it finds; exit code 0 when everything holds.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr char kBrailleFace[] = "Vantor Font";
constexpr char kTextFace[] = "Vantor Black Text Font";

int failures = 0;

void Expect(bool ok, const char* what) {
    std::printf("%s: %s\n", ok ? "ok" : "FAIL", what);
    if (!ok)
        ++failures;
}

// The wizard asks for the faces the way its label font does: ANSI, fixed
// pitch, by name. GDI silently substitutes a missing face, so the face it
// actually chose is compared.
HFONT LabelFont(const char* face, int height) {
    LOGFONTA lf = {};
    lf.lfHeight = -height;
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = ANSI_CHARSET;
    lf.lfPitchAndFamily = FIXED_PITCH;
    std::strncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
    return CreateFontIndirectA(&lf);
}

struct Ink {
    long count;
    double centreX;
};

// Draws one character black on white and measures where the ink lies.
Ink InkOf(HDC dc, HFONT font, char c, int* advance) {
    constexpr int kSize = 160;
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = kSize;
    bi.bmiHeader.biHeight = -kSize;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP bmp = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    Ink ink = {0, 0};
    if (!bmp)
        return ink;
    HGDIOBJ oldBmp = SelectObject(dc, bmp);
    HGDIOBJ oldFont = SelectObject(dc, font);
    RECT all = {0, 0, kSize, kSize};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkMode(dc, TRANSPARENT);
    TextOutA(dc, 0, 0, &c, 1);
    GdiFlush();
    SIZE size = {};
    GetTextExtentPoint32A(dc, &c, 1, &size);
    *advance = size.cx;
    const auto* px = static_cast<const DWORD*>(bits);
    double sumX = 0;
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x)
            if ((px[y * kSize + x] & 0xFF) < 128) {
                ++ink.count;
                sumX += x;
            }
    ink.centreX = ink.count ? sumX / ink.count : 0;
    SelectObject(dc, oldFont);
    SelectObject(dc, oldBmp);
    DeleteObject(bmp);
    return ink;
}

// The label box is measured in 10 mm lines and 6 mm cells and the wizard
// asks for a 10 mm em, so a face must give lines one em high and characters
// 0.6 em wide, or the box cuts its last line off.
bool FaceIsReal(HDC dc, HFONT font, const char* face, int em) {
    HGDIOBJ old = SelectObject(dc, font);
    char chosen[LF_FACESIZE] = {};
    GetTextFaceA(dc, sizeof chosen, chosen);
    TEXTMETRICA tm = {};
    GetTextMetricsA(dc, &tm);
    SIZE cell = {};
    GetTextExtentPoint32A(dc, "M", 1, &cell);
    SelectObject(dc, old);
    // TMPF_FIXED_PITCH set means variable pitch (the flag is named backwards).
    std::printf("  asked %s, got %s, pitch flags 0x%02X, line %ld + %ld for em %d, cell %ld\n",
                face, chosen, tm.tmPitchAndFamily, tm.tmHeight, tm.tmExternalLeading, em, cell.cx);
    bool grid = std::abs(tm.tmHeight + tm.tmExternalLeading - em) <= 1 &&
                std::abs(cell.cx * 10 - em * 6) <= 10;
    return std::strcmp(chosen, face) == 0 && !(tm.tmPitchAndFamily & TMPF_FIXED_PITCH) &&
           (tm.tmPitchAndFamily & TMPF_TRUETYPE) && grid;
}

int CheckFonts() {
    HDC dc = CreateCompatibleDC(nullptr);
    HFONT braille = LabelFont(kBrailleFace, 100);
    HFONT text = LabelFont(kTextFace, 60);
    Expect(dc && braille && text, "created the device context and fonts");
    if (failures)
        return 1;
    Expect(FaceIsReal(dc, braille, kBrailleFace, 100),
           "GDI finds the braille face: TrueType, fixed pitch, 1 em lines, 0.6 em cells");
    Expect(FaceIsReal(dc, text, kTextFace, 60),
           "GDI finds the black-text face: TrueType, fixed pitch, 1 em lines, 0.6 em cells");

    // 'G' is dots 1-2-3 (left column), 'x' dots 4-5-6 (right column), '@' the
    // empty cell and DEL the full one.
    int wLeft = 0, wRight = 0, wEmpty = 0, wFull = 0, wSpace = 0;
    Ink left = InkOf(dc, braille, 'G', &wLeft);
    Ink right = InkOf(dc, braille, 'x', &wRight);
    Ink empty = InkOf(dc, braille, '@', &wEmpty);
    Ink full = InkOf(dc, braille, '\x7f', &wFull);
    InkOf(dc, braille, ' ', &wSpace);
    std::printf(
        "  widths G=%d x=%d @=%d DEL=%d space=%d; ink G at %.1f, x at %.1f, @ %ld, DEL %ld\n",
        wLeft, wRight, wEmpty, wFull, wSpace, left.centreX, right.centreX, empty.count, full.count);
    Expect(wLeft > 0 && wLeft == wRight && wLeft == wEmpty && wLeft == wFull && wLeft == wSpace,
           "every braille cell has the same advance");
    Expect(left.count > 0 && left.centreX < wLeft / 2.0, "dots 1-2-3 are drawn in the left column");
    Expect(right.count > 0 && right.centreX > wRight / 2.0,
           "dots 4-5-6 are drawn in the right column");
    Expect(full.count > 3 * empty.count, "raised dots carry far more ink than unraised positions");

    int wI = 0, wW = 0;
    InkOf(dc, text, 'i', &wI);
    InkOf(dc, text, 'W', &wW);
    Expect(wI > 0 && wI == wW, "black-text letters share one advance");
    DeleteObject(braille);
    DeleteObject(text);
    DeleteDC(dc);
    return failures ? 1 : 0;
}

using LoadTablesFn = UINT32(WINAPI*)(const char*, const char*);
using UnloadTablesFn = UINT32(WINAPI*)();
using TranslateFn = UINT32(WINAPI*)(const char*, char*, char*, UINT32, UINT32, UINT32);

// A shipped table that includes a file setup left behind would load in the
// source tree and fail only here, so every installed table is loaded with
// every installed exception list (and with none) and translates a word.
int CheckTables(const char* dll, const char* ruleFolder, const char* exceptionFolder) {
    HMODULE lib = LoadLibraryA(dll);
    Expect(lib != nullptr, "the installed translator library loads");
    if (!lib)
        return 1;
    auto load = reinterpret_cast<LoadTablesFn>(GetProcAddress(lib, MAKEINTRESOURCEA(17)));
    auto unload = reinterpret_cast<UnloadTablesFn>(GetProcAddress(lib, MAKEINTRESOURCEA(18)));
    auto translate = reinterpret_cast<TranslateFn>(GetProcAddress(lib, MAKEINTRESOURCEA(5)));
    Expect(load && unload && translate, "the translator exports ordinals 17, 18 and 5");
    if (failures)
        return 1;

    char pattern[MAX_PATH];
    std::snprintf(pattern, sizeof pattern, "%s*.qrf", exceptionFolder);
    char exceptionLists[16][MAX_PATH];
    int listCount = 0;
    std::snprintf(exceptionLists[listCount++], MAX_PATH, "%s", exceptionFolder);
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA(pattern, &found);
    if (find != INVALID_HANDLE_VALUE) {
        do
            if (listCount < 16)
                std::snprintf(exceptionLists[listCount++], MAX_PATH, "%s%s", exceptionFolder,
                              found.cFileName);
        while (FindNextFileA(find, &found));
        FindClose(find);
    }

    std::snprintf(pattern, sizeof pattern, "%s*.qrf", ruleFolder);
    int tables = 0;
    find = FindFirstFileA(pattern, &found);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            ++tables;
            char table[MAX_PATH];
            std::snprintf(table, sizeof table, "%s%s", ruleFolder, found.cFileName);
            for (int i = 0; i < listCount; ++i) {
                char what[3 * MAX_PATH];
                UINT32 loaded = load(table, exceptionLists[i]);
                std::snprintf(what, sizeof what, "%s loads with %s", found.cFileName,
                              exceptionLists[i]);
                Expect(loaded != 0, what);
                if (!loaded)
                    continue;
                char work[1008] = {};
                char braille[1024] = {};
                translate("Label 12", work, braille, 0, 0, 1);
                bool cells = braille[0] != 0;
                for (const char* b = braille; *b; ++b)
                    cells = cells && ((*b & 0xC0) == 0x40 || *b == '\r' || *b == '\n');
                std::snprintf(what, sizeof what, "%s translates to braille cells", found.cFileName);
                Expect(cells, what);
                unload();
            }
        } while (FindNextFileA(find, &found));
        FindClose(find);
    }
    Expect(tables > 0, "the rule-file folder holds tables");
    FreeLibrary(lib);
    return failures ? 1 : 0;
}

struct WindowSearch {
    DWORD pid;
    const char* title;
    HWND found;
};

BOOL CALLBACK OnTopWindow(HWND hwnd, LPARAM lp) {
    auto* s = reinterpret_cast<WindowSearch*>(lp);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    char text[256] = {};
    GetWindowTextA(hwnd, text, sizeof text);
    if (pid == s->pid && IsWindowVisible(hwnd) && std::strcmp(text, s->title) == 0) {
        s->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

// Starts the program, waits for its window with the exact title, closes it
// as the user would and waits for the program to end.
int RunUntilWindow(const char* program, const char* title, DWORD timeoutMs) {
    char commandLine[MAX_PATH + 3];
    std::snprintf(commandLine, sizeof commandLine, "\"%s\"", program);
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessA(program, commandLine, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                        &pi)) {
        std::printf("FAIL: could not start %s (error %lu)\n", program, GetLastError());
        return 1;
    }
    WindowSearch search = {pi.dwProcessId, title, nullptr};
    DWORD start = GetTickCount();
    while (!search.found && GetTickCount() - start < timeoutMs) {
        EnumWindows(OnTopWindow, reinterpret_cast<LPARAM>(&search));
        if (search.found)
            break;
        // Wakes early when the program ends.
        if (WaitForSingleObject(pi.hProcess, 100) == WAIT_OBJECT_0)
            break;
    }
    Expect(search.found != nullptr, "the program showed its window with the expected title");
    if (search.found)
        PostMessageA(search.found, WM_CLOSE, 0, 0);
    DWORD waited = WaitForSingleObject(pi.hProcess, timeoutMs);
    if (waited != WAIT_OBJECT_0)
        TerminateProcess(pi.hProcess, 1);
    Expect(waited == WAIT_OBJECT_0, "the program ended after its window was closed");
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return failures ? 1 : 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::strcmp(argv[1], "fonts") == 0)
        return CheckFonts();
    if (argc == 5 && std::strcmp(argv[1], "tables") == 0)
        return CheckTables(argv[2], argv[3], argv[4]);
    if (argc == 5 && std::strcmp(argv[1], "run") == 0)
        return RunUntilWindow(argv[2], argv[3],
                              static_cast<DWORD>(std::strtoul(argv[4], nullptr, 10)));
    std::fprintf(
        stderr,
        "usage: install_probe fonts | tables DLL RULES EXCEPTIONS | run PROGRAM TITLE MS\n");
    return 2;
}
