#include "grid_test_support.h"

#include <sstream>

static std::vector<Notification> g_recorded;

std::string Describe(const std::vector<Notification>& list) {
    std::ostringstream out;
    for (const auto& n : list) {
        out << "{" << n.id << ", " << n.code << ", row " << LOWORD(n.lParam) << " col "
            << HIWORD(n.lParam) << "} ";
    }
    return out.str();
}

static LRESULT CALLBACK HostProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_COMMAND && HIWORD(wParam) != 0) {
        g_recorded.push_back({LOWORD(wParam), HIWORD(wParam), lParam});
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

GridHost::GridHost() {
    static bool s_bRegistered;
    HINSTANCE instance = GetModuleHandleA(nullptr);
    if (!s_bRegistered) {
        WNDCLASSA wc{};
        wc.lpfnWndProc = HostProc;
        wc.hInstance = instance;
        wc.lpszClassName = "GridTestHost";
        wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
        RegisterClassA(&wc);
        s_bRegistered = true;
    }
    RegisterGridClass(instance);
    // One parent for the whole run: without a window manager, Wine waits two
    // seconds for every top-level window that goes away.
    static HWND s_hParent;
    if (s_hParent == nullptr) {
        s_hParent =
            CreateWindowExA(0, "GridTestHost", "grid test", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10,
                            10, 600, 400, nullptr, nullptr, instance, nullptr);
    }
    m_hParent = s_hParent;
    g_recorded.clear();
}

static BOOL CALLBACK DestroyChild(HWND child, LPARAM) {
    if (GetParent(child) != nullptr) {
        DestroyWindow(child);
    }
    return TRUE;
}

GridHost::~GridHost() {
    EnumChildWindows(m_hParent, DestroyChild, 0);
    PumpPending();
    g_recorded.clear();
}

HWND GridHost::AddGrid(int id, const char* title) {
    HWND grid = CreateWindowExA(
        WS_EX_CLIENTEDGE, BABYGRID_CLASS, title, WS_CHILD | WS_VISIBLE, 0, 0, 560, 340, m_hParent,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
    PumpPending();
    return grid;
}

std::vector<Notification> GridHost::Take() {
    PumpPending();
    std::vector<Notification> out;
    out.swap(g_recorded);
    return out;
}

std::vector<Notification> GridHost::TakeCodes(std::initializer_list<int> codes) {
    std::vector<Notification> out;
    for (const auto& n : Take()) {
        for (int code : codes) {
            if (n.code == code) {
                out.push_back(n);
            }
        }
    }
    return out;
}

LPARAM Cursor(int row, int col) {
    return MAKELPARAM(row, col);
}

void SetText(HWND grid, int row, int col, const char* text) {
    CellRef cell{row, col};
    SendMessageA(grid, GRM_SETCELLTEXT, reinterpret_cast<WPARAM>(&cell),
                 reinterpret_cast<LPARAM>(text));
}

std::string GetText(HWND grid, int row, int col) {
    char buffer[1024] = "unchanged";
    CellRef cell{row, col};
    SendMessageA(grid, GRM_GETCELLTEXT, reinterpret_cast<WPARAM>(&cell),
                 reinterpret_cast<LPARAM>(buffer));
    return buffer;
}

void Key(HWND grid, WPARAM vk) {
    SendMessageA(grid, WM_KEYDOWN, vk, 1);
    if (vk == VK_RETURN || vk == VK_BACK || vk == VK_ESCAPE) {
        SendMessageW(grid, WM_CHAR, vk == VK_RETURN ? '\r' : vk == VK_BACK ? '\b' : 27, 1);
    }
    SendMessageA(grid, WM_KEYUP, vk, 0xC0000001);
}

void Type(HWND grid, const wchar_t* text) {
    for (const wchar_t* p = text; *p; ++p) {
        SHORT scan = VkKeyScanW(*p);
        WPARAM vk = scan == -1 ? 0 : LOBYTE(scan);
        SendMessageW(grid, WM_KEYDOWN, vk, 1);
        SendMessageW(grid, WM_CHAR, *p, 1);
        SendMessageW(grid, WM_KEYUP, vk, 0xC0000001);
    }
}
