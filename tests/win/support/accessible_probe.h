#pragma once
#include <windows.h>

#include <string>
#include <vector>

// What a screen reader gets from a window's client object, in UTF-8; empty
// when there is no object or no such text.
struct ClientWords {
    bool found = false;
    std::string name, value;
    long role = 0;
};
ClientWords ReadClientWords(HWND window);

// The win events raised for one window's client object while it lives
// (out of context: delivered while this thread pumps messages).
class WinEventRecorder {
  public:
    explicit WinEventRecorder(HWND window);
    ~WinEventRecorder();
    WinEventRecorder(const WinEventRecorder&) = delete;
    WinEventRecorder& operator=(const WinEventRecorder&) = delete;

    // How many of `event` arrived, after what is queued is dispatched.
    int Count(DWORD event);
    void Clear() { events_.clear(); }

  private:
    static void CALLBACK Hook(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child,
                              DWORD, DWORD);
    HWND window_;
    HWINEVENTHOOK hook_;
    std::vector<DWORD> events_;
};
