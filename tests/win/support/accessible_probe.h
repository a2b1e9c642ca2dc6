#pragma once
#include <windows.h>
#include <oleacc.h>

#include <string>
#include <vector>

// The client object of a window as a screen reader gets it, with COM
// initialised for as long as it lives.
class ClientObject {
  public:
    explicit ClientObject(HWND window);
    ~ClientObject();
    ClientObject(const ClientObject&) = delete;
    ClientObject& operator=(const ClientObject&) = delete;
    IAccessible* operator->() const { return object_; }
    explicit operator bool() const { return object_ != nullptr; }
    std::wstring Name(long child) const;
    std::wstring Value(long child) const;
    std::wstring Description(long child) const;
    // -1 when the object gives none.
    long Role(long child) const;
    long State(long child) const;
    // The child a navigation reaches; 0 when none.
    long Navigate(long child, long direction) const;
    long Focus() const;

  private:
    IAccessible* object_ = nullptr;
    bool comStarted_;
};

VARIANT ChildVariant(long child);

// What a screen reader gets from a window's client object, in UTF-8; empty
// when there is no object or no such text.
struct ClientWords {
    bool found = false;
    std::string name, value;
    long role = 0;
};
ClientWords ReadClientWords(HWND window);

// One win event raised for a window's client object or one of its children.
struct HeardEvent {
    DWORD event;
    LONG child;
    bool operator==(const HeardEvent&) const = default;
};
std::string Describe(const std::vector<HeardEvent>& list);

// The win events raised for one window's client object and its children
// while it lives (out of context: delivered while this thread pumps
// messages). Recorders of several windows may live at once.
class WinEventRecorder {
  public:
    explicit WinEventRecorder(HWND window);
    ~WinEventRecorder();
    WinEventRecorder(const WinEventRecorder&) = delete;
    WinEventRecorder& operator=(const WinEventRecorder&) = delete;

    // What arrived since the last take, after what is queued is dispatched.
    std::vector<HeardEvent> Take();
    std::vector<HeardEvent> TakeOnly(DWORD event);
    // How many of `event` for the object itself arrived, after what is
    // queued is dispatched; nothing is taken.
    int Count(DWORD event);
    void Clear() { heard_.clear(); }

  private:
    static void CALLBACK Hook(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child,
                              DWORD, DWORD);
    HWND window_;
    HWINEVENTHOOK hook_;
    std::vector<HeardEvent> heard_;
};
