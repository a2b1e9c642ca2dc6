#pragma once
#include <windows.h>
#include <oleacc.h>

#include <functional>
#include <string>
#include <vector>

#include "babygrid_win.h"

// Runs the message loop until the condition holds or two seconds passed.
bool PumpUntil(const std::function<bool()>& condition);
void PumpPending();

struct Notification {
    int id;
    int code;
    LPARAM lParam;
    bool operator==(const Notification&) const = default;
};
std::string Describe(const std::vector<Notification>& list);

// A top-level window that records the WM_COMMAND notifications of its grids.
class GridHost {
  public:
    GridHost();
    ~GridHost();
    HWND Parent() const { return m_hParent; }
    HWND AddGrid(int id, const char* title = "");
    std::vector<Notification> Take();
    std::vector<Notification> TakeCodes(std::initializer_list<int> codes);

  private:
    HWND m_hParent;
};

LPARAM Cursor(int row, int col);
void SetText(HWND grid, int row, int col, const char* text);
std::string GetText(HWND grid, int row, int col);
void Key(HWND grid, WPARAM vk);
void Type(HWND grid, const wchar_t* text);

// What screen readers hear from one window: the WinEvents raised for it.
struct HeardEvent {
    DWORD event;
    LONG child;
    bool operator==(const HeardEvent&) const = default;
};
std::string Describe(const std::vector<HeardEvent>& list);

class EventListener {
  public:
    explicit EventListener(HWND window);
    ~EventListener();
    // Pumps messages, so that events delivered out of context arrive too.
    std::vector<HeardEvent> Take();
    std::vector<HeardEvent> TakeOnly(DWORD event);

  private:
    HWINEVENTHOOK m_hHook;
};

// The client object of a window as a screen reader gets it, with COM
// initialised for as long as it lives.
class ClientObject {
  public:
    explicit ClientObject(HWND window);
    ~ClientObject();
    IAccessible* operator->() const { return m_pObject; }
    explicit operator bool() const { return m_pObject != nullptr; }
    std::wstring Name(long child) const;
    std::wstring Value(long child) const;
    std::wstring Description(long child) const;
    long Role(long child) const;
    long State(long child) const;
    // The child a navigation reaches; 0 when none.
    long Navigate(long child, long direction) const;
    long Focus() const;

  private:
    IAccessible* m_pObject = nullptr;
};

VARIANT ChildVariant(long child);
