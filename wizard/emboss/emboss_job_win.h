#pragma once
#include <windows.h>

#include <atomic>
#include <cstdint>

#include "app_state.h"

// Sent by the worker to the Emboss page. lParam is the temporary spool
// file's path, valid while the message is handled.
constexpr UINT kJobDoneMessage = WM_APP;       // printed or written to file
constexpr UINT kJobFailedMessage = WM_APP + 1; // wParam: result code 0..6
// Sent by the worker when it prints: the page copies the chosen embosser's
// name into the MAX_PATH bytes at lParam, so the name is read on the thread
// that writes it.
constexpr UINT kCopyPrinterMessage = WM_APP + 2;
// Sent by the worker before the failure message when the job could not read
// a file that every label needs: the page shows string wParam, a format
// naming the file whose path is at lParam.
constexpr UINT kUnreadFileMessage = WM_APP + 3;

// What the page hands its worker.
struct EmbossJob {
    AppState* pState;
    HWND hProgress;
    HWND hPage;
    int bToFile;
    std::atomic<int32_t>* pRunning; // cleared by the page to stop the job
};

// Sets the running flag, shows "Abort..." and starts the worker. 1, or 0
// when no thread could be started (the flag is then cleared again).
int StartEmbossJob(HWND page, AppState* state, int bToFile, std::atomic<int32_t>* pRunning);

// The Emboss button's text: "Abort..." while a job runs, else "Emboss...".
void SetEmbossButton(HWND page, int bRunning);

DWORD WINAPI EmbossJobThread(LPVOID job);
