#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "test_files.h"

// Dispatches this thread's messages until `done` holds or `milliseconds`
// pass; returns whether it held.
bool PumpUntil(const std::function<bool()>& done, DWORD milliseconds = 5000);

// Dispatches what is queued now.
void PumpPending();

// Waits, dispatching nothing, until another thread is blocked sending this
// thread a message: a worker is then held where it is until the next pump.
bool WaitForSentMessage(DWORD milliseconds = 5000);

// A modeless wizard holding one page, made from the program's own template;
// `row` becomes the page's lParam. Null when the sheet cannot be made.
HWND OpenSinglePageWizard(UINT templateId, DLGPROC procedure, void* row);

// Answers every dialog box that this thread opens while it lives (message
// boxes and the program's own small dialogs) with the next button of a
// script (Cancel when the script is used up), and records each one's caption
// and text. Nothing visible is ever left waiting for a person. Answerers
// nest: the newest one answers.
class DialogAnswerer {
  public:
    struct Seen {
        std::string caption;
        std::string text;                   // the static texts of the box, joined by '\n'
        std::vector<std::string> fileTypes; // a file dialog's list of types
    };

    explicit DialogAnswerer(std::vector<int> buttons = {});
    ~DialogAnswerer();
    DialogAnswerer(const DialogAnswerer&) = delete;
    DialogAnswerer& operator=(const DialogAnswerer&) = delete;

    // A check box to tick in the next dialog before it is answered.
    void CheckBeforeAnswer(int controlId) { checkIds_.push_back(controlId); }

    // A file name to type into the next file dialog before it is answered.
    void TypeFileName(const std::string& name) { fileName_ = name; }

    const std::vector<Seen>& seen() const { return seen_; }

  private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK AnswerTaken(int code, WPARAM wParam, LPARAM lParam);
    void Answer(HWND dialog);
    void RecordFileTypes(HWND window);

    HHOOK hook_;
    HHOOK answerHook_;
    DialogAnswerer* previous_;
    std::vector<int> buttons_;
    std::vector<int> checkIds_;
    std::string fileName_;
    std::vector<Seen> seen_;
    // File dialogs whose answer is not yet taken, with their entry in seen_.
    std::vector<std::pair<HWND, size_t>> fileDialogs_;
};

// A Unix path of the build as Wine reaches it (drive Z: is the Unix root).
std::string WinePath(const std::string& unixPath);

// A file or folder of the source tree, as Wine reaches it.
std::string SourcePath(const std::string& relative);
