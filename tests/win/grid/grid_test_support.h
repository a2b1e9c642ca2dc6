#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "accessible_probe.h"
#include "babygrid_win.h"
#include "win_test_support.h"

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
