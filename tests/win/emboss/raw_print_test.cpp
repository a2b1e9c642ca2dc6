#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app_state.h"
#include "emboss_job_win.h"
#include "raw_print_win.h"
#include "resource.h"
#include "spool_folder_win.h"
#include "embosser_queue.h"
#include "win_test_support.h"

namespace {

constexpr char kQueue[] = "Print Test Ridgeline";
constexpr char kOfflineQueue[] = "Print Test Offline";

// What the page window was told: status texts and the job's outcome.
struct PageLog {
    std::vector<std::string> statuses;
    std::vector<std::pair<UINT, WPARAM>> results;
};
PageLog g_log;
WNDPROC g_staticProc;

LRESULT CALLBACK StatusProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SETTEXT && lParam)
        g_log.statuses.push_back(reinterpret_cast<const char*>(lParam));
    return CallWindowProcA(g_staticProc, window, message, wParam, lParam);
}

LRESULT CALLBACK PageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kJobDoneMessage || message == kJobFailedMessage) {
        g_log.results.push_back({message, wParam});
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

std::string JobBytes(size_t size) {
    std::string bytes;
    for (size_t i = 0; i < size; ++i)
        bytes.push_back(static_cast<char>(i * 13 + 1));
    return bytes;
}

class RawPrintTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_PROGRESS_CLASS};
        InitCommonControlsEx(&controls);
        WNDCLASSA pageClass{};
        pageClass.lpfnWndProc = PageProc;
        pageClass.hInstance = GetModuleHandleA(nullptr);
        pageClass.lpszClassName = "RawPrintTestPage";
        RegisterClassA(&pageClass);
        ASSERT_TRUE(AddTempQueue({kQueue, "Ridgeline", 0}));
        ASSERT_TRUE(AddTempQueue({kOfflineQueue, "Ridgeline V3", 1}));
    }
    static void TearDownTestSuite() {
        RemoveVirtualQueue(kQueue);
        RemoveVirtualQueue(kOfflineQueue);
    }

    void SetUp() override {
        g_log = {};
        page_ = CreateWindowA("RawPrintTestPage", "", WS_OVERLAPPEDWINDOW, 0, 0, 400, 200, nullptr,
                              nullptr, GetModuleHandleA(nullptr), nullptr);
        HWND status = CreateWindowA("STATIC", "", WS_CHILD, 0, 0, 300, 20, page_,
                                    reinterpret_cast<HMENU>(IDC_STATUS), nullptr, nullptr);
        g_staticProc = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(status, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(StatusProc)));
        progress_ = CreateWindowA(PROGRESS_CLASSA, "", WS_CHILD, 0, 30, 300, 20, page_,
                                  reinterpret_cast<HMENU>(IDC_PROGRESS), nullptr, nullptr);
        DeleteFileA(TempQueuePortFile(kQueue).c_str());
        DeleteFileA(TempQueuePortFile(kOfflineQueue).c_str());
    }
    void TearDown() override { DestroyWindow(page_); }

    std::string Spool(size_t size) {
        std::string path = temp_.File("VTF1.tmp");
        EXPECT_TRUE(WriteFileBytes(path, JobBytes(size)));
        return path;
    }

    TempFolder temp_;
    HWND page_ = nullptr;
    HWND progress_ = nullptr;
};

TEST_F(RawPrintTest, BlocksReachTheQueueWithTheirStatusTexts) {
    std::string spool = Spool(2500);
    EXPECT_EQ(RawPrint(page_, progress_, spool.c_str(), kQueue, 0), -1);
    EXPECT_EQ(g_log.statuses,
              (std::vector<std::string>{"Spooling 1024 of 2500", "Spooling 2048 of 2500",
                                        "Spooling 3072 of 2500", "Spooling 2500 of 2500"}));
    EXPECT_EQ(SendMessageA(progress_, PBM_GETRANGE, FALSE, 0), 2);
    EXPECT_EQ(SendMessageA(progress_, PBM_GETPOS, 0, 0), 2);
    EXPECT_EQ(ReadWhenComplete(TempQueuePortFile(kQueue), 2500), JobBytes(2500));
}

TEST_F(RawPrintTest, FailuresGiveTheirCodes) {
    std::string spool = Spool(100);
    struct Case {
        const char* printer;
        std::string spool;
        int toFile;
        int code;
    } cases[] = {
        {kOfflineQueue, spool, 0, 2},
        {"No Such Queue", spool, 0, 2},
        {kQueue, temp_.File("missing.tmp"), 0, 1},
        {kQueue, spool, 1, 3}, // the file dialog is cancelled
    };
    for (const Case& c : cases) {
        DialogAnswerer answerer({IDCANCEL});
        EXPECT_EQ(RawPrint(page_, progress_, c.spool.c_str(), c.printer, c.toFile), c.code)
            << c.printer << " " << c.spool;
    }
    // The offline queue never started a document.
    PumpUntil([] { return false; }, 300);
    EXPECT_EQ(ReadFileBytes(TempQueuePortFile(kOfflineQueue)), "");
}

TEST_F(RawPrintTest, PrintToFileWritesTheChosenFile) {
    std::string spool = Spool(3000);
    std::string target = temp_.File("job.prn");
    DialogAnswerer answerer({IDOK});
    answerer.TypeFileName(target);
    EXPECT_EQ(RawPrint(page_, progress_, spool.c_str(), kQueue, 1), -1);
    ASSERT_EQ(answerer.seen().size(), 1u);
    EXPECT_EQ(answerer.seen()[0].caption, "Save your print job.");
    EXPECT_EQ(ReadWhenComplete(target, 3000), JobBytes(3000));
}

TEST_F(RawPrintTest, SpoolFolderKeepsFivePairs) {
    char folder[MAX_PATH];
    ASSERT_TRUE(GetSpoolFolder(folder));
    std::string base = std::string(folder) + "\\";
    auto clear = [&] {
        WIN32_FIND_DATAA found;
        HANDLE find = FindFirstFileA((base + "*.*").c_str(), &found);
        if (find == INVALID_HANDLE_VALUE)
            return;
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                DeleteFileA((base + found.cFileName).c_str());
        } while (FindNextFileA(find, &found));
        FindClose(find);
    };
    clear();
    for (int n = 1; n <= 5; ++n) {
        WriteFileBytes(base + "label" + std::to_string(n) + ".prn", "old");
        WriteFileBytes(base + "Project" + std::to_string(n) + ".dwp", "old");
    }
    AppState state;
    ResetAppState(&state);
    std::string project = temp_.File("job.dwp");
    lstrcpynA(state.szProjectFile, project.c_str(), sizeof state.szProjectFile);
    std::string spool = Spool(1500);
    SpoolAndPrint(page_, progress_, spool.c_str(), kQueue, 0, &state);

    ASSERT_EQ(g_log.results.size(), 1u);
    EXPECT_EQ(g_log.results[0].first, kJobDoneMessage);
    for (int n = 1; n <= 6; ++n) {
        const bool kept = n >= 2;
        EXPECT_EQ(GetFileAttributesA((base + "label" + std::to_string(n) + ".prn").c_str()) !=
                      INVALID_FILE_ATTRIBUTES,
                  kept)
            << n;
        EXPECT_EQ(GetFileAttributesA((base + "Project" + std::to_string(n) + ".dwp").c_str()) !=
                      INVALID_FILE_ATTRIBUTES,
                  kept)
            << n;
    }
    EXPECT_EQ(ReadFileBytes(base + "label6.prn"), JobBytes(1500));
    std::string snapshot = ReadFileBytes(base + "Project6.dwp");
    EXPECT_EQ(snapshot.size(), 6072u);
    EXPECT_EQ(snapshot.substr(0, 4), std::string("\x78\x56\x34\x12", 4));
    clear();
}

} // namespace
