#include "raw_print_win.h"

#include <commctrl.h>
#include <commdlg.h>
#include <winspool.h>

#include <cstdarg>
#include <cstdio>
#include <cstdlib>

#include "emboss_job_win.h"
#include "resource.h"
#include "settings_win.h"
#include "spool_folder_win.h"
#include "spool_send.h"

namespace {

class PrinterTarget : public SpoolTarget {
  public:
    PrinterTarget(HWND page, HWND progress, HANDLE printer)
        : page_(page), progress_(progress), printer_(printer) {}

    int Write(const uint8_t* pData, uint32_t cb, uint32_t* pWritten) override {
        DWORD written = 0;
        BOOL ok = WritePrinter(printer_, const_cast<uint8_t*>(pData), cb, &written);
        *pWritten = written;
        return ok ? 1 : 0;
    }
    void SetProgressRange(int32_t nMax) override {
        SendMessageA(progress_, PBM_SETRANGE32, 0, nMax);
    }
    void SetProgress(int32_t nPosition) override {
        SendMessageA(progress_, PBM_SETPOS, nPosition, 0);
    }
    void StepProgress() override { SendMessageA(progress_, PBM_DELTAPOS, 1, 0); }
    void ShowSpooling(int32_t nSent, int32_t nSize) override {
        ShowStatus(page_, IDS_SPOOLING, nSent, nSize);
    }

  private:
    HWND page_;
    HWND progress_;
    HANDLE printer_;
};

int64_t FileSize(const char* szPath) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(szPath, GetFileExInfoStandard, &data))
        return -1;
    return (int64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow;
}

// The outcome of the spool-folder steps is not reported: printing goes
// ahead whatever happens to the copies.
void KeepJobCopies(HWND page, const char* szSpoolFile, AppState* state) {
    char folder[MAX_PATH];
    if (!GetSpoolFolder(folder))
        return;
    if (CountLabelFiles(folder) >= 5) {
        DeleteOldestLabelFile(folder);
        DeleteOldestProjectFile(folder);
    }
    char labelFile[MAX_PATH], projectFile[MAX_PATH];
    NextLabelFileName(folder, labelFile);
    NextProjectFileName(folder, projectFile);
    if (*labelFile)
        CopyFileA(szSpoolFile, labelFile, FALSE);
    if (*projectFile)
        WriteProjectSnapshot(page, state, projectFile);
}

} // namespace

void ShowStatus(HWND page, UINT nStringId, ...) {
    char format[261] = "";
    LoadStringA(GetModuleHandleA(nullptr), nStringId, format, sizeof format);
    char text[600];
    va_list args;
    va_start(args, nStringId);
    vsnprintf(text, sizeof text, format, args);
    va_end(args);
    SetDlgItemTextA(page, IDC_STATUS, text);
}

int AskPrintFileName(HWND page, char* szPath) {
    char folder[MAX_PATH] = "";
    if (!GetLastDir(folder, sizeof folder))
        GetPersonalFolder(folder, sizeof folder);
    char title[128] = "";
    LoadStringA(GetModuleHandleA(nullptr), IDS_SAVE_PRINT_JOB_TITLE, title, sizeof title);
    szPath[0] = 0;
    OPENFILENAMEA dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = page;
    dialog.lpstrFilter = "Dotwell print file\0*.prn\0";
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = szPath;
    dialog.nMaxFile = MAX_PATH;
    dialog.lpstrInitialDir = *folder ? folder : nullptr;
    dialog.lpstrTitle = title;
    dialog.lpstrDefExt = "prn";
    // A print file is a new file: asking for one that already exists would
    // refuse every new name.
    dialog.Flags = OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_SHOWHELP | OFN_OVERWRITEPROMPT;
    if (!GetSaveFileNameA(&dialog))
        return 0;
    SetLastDir(szPath);
    return 1;
}

int PrinterIsUsable(HANDLE printer) {
    DWORD needed = 0;
    GetPrinterA(printer, 2, nullptr, 0, &needed);
    if (needed == 0)
        return 0;
    auto* info = static_cast<PRINTER_INFO_2A*>(malloc(needed));
    if (!info)
        return 0;
    int usable = GetPrinterA(printer, 2, reinterpret_cast<BYTE*>(info), needed, &needed) &&
                 !(info->Attributes & PRINTER_ATTRIBUTE_WORK_OFFLINE);
    free(info);
    return usable;
}

int RawPrint(HWND page, HWND progress, const char* szSpoolFile, const char* szPrinter,
             int bToFile) {
    char name[MAX_PATH];
    lstrcpynA(name, szPrinter, sizeof name);
    HANDLE printer = nullptr;
    if (!OpenPrinterA(name, &printer, nullptr))
        return kPrintNoPrinter;
    if (!PrinterIsUsable(printer)) {
        ClosePrinter(printer);
        return kPrintNoPrinter;
    }
    char docName[MAX_PATH], outputFile[MAX_PATH] = "";
    lstrcpynA(docName, szSpoolFile, sizeof docName);
    DOC_INFO_1A doc = {docName, nullptr, nullptr};
    if (bToFile) {
        if (!AskPrintFileName(page, outputFile)) {
            ClosePrinter(printer);
            return kPrintNoJob;
        }
        doc.pOutputFile = outputFile;
    }
    const int64_t size = FileSize(szSpoolFile);
    FILE* spool = size >= 0 ? fopen(szSpoolFile, "rb") : nullptr;
    if (!spool) {
        ClosePrinter(printer);
        return kPrintSpoolUnreadable;
    }
    int result = kPrintWriteFailed;
    if (StartDocPrinterA(printer, 1, reinterpret_cast<BYTE*>(&doc))) {
        StartPagePrinter(printer);
        PrinterTarget target(page, progress, printer);
        result = SendSpoolBlocks(spool, size, target);
        EndPagePrinter(printer);
        // Also after a failed write, so that no document is left open on
        // the queue.
        EndDocPrinter(printer);
    }
    fclose(spool);
    ClosePrinter(printer);
    return result;
}

void SpoolAndPrint(HWND page, HWND progress, const char* szSpoolFile, const char* szPrinter,
                   int bToFile, AppState* state) {
    KeepJobCopies(page, szSpoolFile, state);
    int result = RawPrint(page, progress, szSpoolFile, szPrinter, bToFile);
    // The report comes last: once the page has it, the next job may start.
    SendMessageA(progress, PBM_SETPOS, 0, 0);
    if (result == kPrintDone)
        SendMessageA(page, kJobDoneMessage, 0, reinterpret_cast<LPARAM>(szSpoolFile));
    else
        SendMessageA(page, kJobFailedMessage, result, reinterpret_cast<LPARAM>(szSpoolFile));
}
