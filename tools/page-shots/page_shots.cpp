// Walks the wizard through a project as a person would, with Next from the
// Welcome page, and saves a picture of each page, of the translator's two
// dialogs, of the help window and of the CSV editor:
//   page_shots.exe OUTPUT_FOLDER [PROJECT [CSV]]
// Pictures are 24-bit BMP files: page-<index>.bmp, table-properties.bmp,
// exception-lists.bmp, emboss-during.bmp and emboss-after.bmp (a job sent to
// the queue), help.bmp and, with a CSV file, editor.bmp. The project is offered on the
// Project page as the last one opened; without one a new project is made. Run it from the installed
// program folder, where the help file, the sheet library and the editor
// lie, in a prefix with an embosser queue (tools/virtual-embosser): without
// one the Emboss page says so in a message box, which waits for a person.
// tools/page-shots/page-shots prepares such a prefix.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "dialog_shot.h"
#include "editor_shot.h"
#include "paths.h"
#include "resource.h"
#include "settings_win.h"
#include "startup.h"
#include "window_picture.h"
#include "wizard_frame_win.h"

namespace {

HWND HelpWindow() {
    HWND found = nullptr;
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            char name[64] = "";
            GetClassNameA(window, name, sizeof name);
            DWORD process = 0;
            GetWindowThreadProcessId(window, &process);
            if (std::strcmp(name, "HH Parent") == 0 && process == GetCurrentProcessId() &&
                IsWindowVisible(window)) {
                *reinterpret_cast<HWND*>(data) = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

// Presses the wizard's Help button and pictures the window it opens.
bool SaveHelpPicture(HWND frame, const std::string& path) {
    SendMessageA(frame, WM_COMMAND, MAKEWPARAM(IDHELP, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(frame, IDHELP)));
    HWND help = nullptr;
    for (int tries = 0; tries < 100 && !help; ++tries) {
        Pump(100);
        help = HelpWindow();
    }
    if (!help) {
        std::fprintf(stderr, "page_shots: no help window opened\n");
        return false;
    }
    SetWindowPos(help, HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE);
    Pump(1500);
    const bool ok = SaveWindowPicture(help, path);
    SendMessageA(help, WM_CLOSE, 0, 0);
    Pump(300);
    return ok;
}

// On the Translation page, the dialogs its buttons open from the translator.
int SaveTranslatorDialogs(HWND frame, const std::string& folder) {
    HWND page = PropSheet_GetCurrentPageHwnd(frame);
    if (!GetDlgItem(page, IDC_RULE_PROPERTIES)) {
        return 0;
    }
    return !SaveDialogPicture(frame, page, IDC_RULE_PROPERTIES, folder + "\\table-properties.bmp") +
           !SaveDialogPicture(frame, page, IDC_EXCEPTION_OPTIONS, folder + "\\exception-lists.bmp");
}

std::string DialogText(HWND page, int id) {
    char text[256] = "";
    GetDlgItemTextA(page, id, text, sizeof text);
    return text;
}

// On the Emboss page, a job sent to the queue: the page while the job runs
// (when it is caught running) and after it ended.
int SaveEmbossPictures(HWND frame, const std::string& folder) {
    HWND page = PropSheet_GetCurrentPageHwnd(frame);
    const std::string idle = DialogText(page, IDC_EMBOSS);
    SendMessageA(page, WM_COMMAND, MAKEWPARAM(IDC_EMBOSS, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(page, IDC_EMBOSS)));
    int failures = 0;
    bool during = false;
    for (int tries = 0; tries < 3000; ++tries) {
        Pump(10);
        const bool running = DialogText(page, IDC_EMBOSS) != idle;
        if (running && !during && DialogText(page, IDC_STATUS).rfind("Processing", 0) == 0) {
            during = true;
            failures += !SaveWindowPicture(frame, folder + "\\emboss-during.bmp");
        }
        if (!running && !DialogText(page, IDC_STATUS).empty()) {
            Pump(300);
            return failures + !SaveWindowPicture(frame, folder + "\\emboss-after.bmp");
        }
    }
    std::fprintf(stderr, "page_shots: the job did not end\n");
    return failures + 1;
}

int PageIndex(HWND frame) {
    return static_cast<int>(SendMessageA(
        frame, PSM_HWNDTOINDEX, reinterpret_cast<WPARAM>(PropSheet_GetCurrentPageHwnd(frame)), 0));
}

// Pictures the page shown, then presses Next, until the last page is
// pictured or Next leads nowhere new. A skipped page has no picture.
int SavePagePictures(HWND frame, const std::string& folder) {
    int failures = 0;
    for (int index = PageIndex(frame); index >= 0;) {
        Pump(1000);
        const std::string path = folder + "\\page-" + std::to_string(index) + ".bmp";
        failures += !SaveWindowPicture(frame, path);
        failures += SaveTranslatorDialogs(frame, folder);
        if (index == kPageCount - 1) {
            failures += SaveEmbossPictures(frame, folder);
            break;
        }
        PropSheet_PressButton(frame, PSBTN_NEXT);
        Pump(300);
        const int next = PageIndex(frame);
        if (next <= index) {
            std::fprintf(stderr, "page_shots: Next stays on page %d\n", index);
            return failures + 1;
        }
        index = next;
    }
    return failures;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: page_shots OUTPUT_FOLDER [PROJECT [CSV]]\n");
        return 2;
    }
    const std::string folder = argv[1];
    const char* project = argc > 2 ? argv[2] : "";
    const char* csv = argc > 3 ? argv[3] : nullptr;

    PrepareProgram();
    if (*project) {
        WriteLastProject(1, project);
    }
    static WizardSheet sheet;
    PrepareWizard(&sheet, nullptr, "", GetModuleHandleA(nullptr));
    sheet.header.dwFlags |= PSH_MODELESS;
    HWND frame = reinterpret_cast<HWND>(PropertySheetA(&sheet.header));
    if (!frame) {
        std::fprintf(stderr, "page_shots: the wizard did not open\n");
        return 1;
    }
    SetWindowPos(frame, HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE);
    int failures = SavePagePictures(frame, folder);
    failures += !SaveHelpPicture(frame, folder + "\\help.bmp");
    DestroyWindow(frame);

    if (csv) {
        char editor[MAX_PATH];
        ModuleFolderPath(editor, sizeof editor, "gridpad.exe");
        if (!SaveEditorPicture(editor, csv, folder + "\\editor.bmp")) {
            std::fprintf(stderr, "page_shots: no picture of %s\n", editor);
            ++failures;
        }
    }
    return failures ? 1 : 0;
}
