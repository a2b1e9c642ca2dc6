#include <windows.h>
#include <winspool.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "embosser_queue.h"
#include "win_test_support.h"

namespace {

int RunTool(const std::string& args, std::string* output) {
    SECURITY_ATTRIBUTES sa = {sizeof sa, nullptr, TRUE};
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &sa, 0))
        return -1;
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdOutput = writeEnd;
    si.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION pi = {};
    // Built by appending: GCC 12 warns falsely about "x" + std::string here.
    std::vector<char> line{'"'};
    for (const std::string& part : {WinePath(VIRTUAL_EMBOSSER_EXE), std::string("\" "), args})
        line.insert(line.end(), part.begin(), part.end());
    line.push_back(0);
    BOOL started =
        CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi);
    CloseHandle(writeEnd);
    if (!started) {
        CloseHandle(readEnd);
        return -1;
    }
    char buf[512];
    DWORD got = 0;
    while (ReadFile(readEnd, buf, sizeof buf, &got, nullptr) && got)
        output->append(buf, got);
    CloseHandle(readEnd);
    DWORD code = 1;
    if (WaitForSingleObject(pi.hProcess, 60000) == WAIT_OBJECT_0)
        GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
    return static_cast<int>(code);
}

struct QueueInfo {
    std::string driver;
    std::string port;
    DWORD attributes;
};

bool FindQueue(const char* name, QueueInfo* info) {
    DWORD needed = 0, count = 0;
    EnumPrintersA(PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS, nullptr, 2, nullptr, 0, &needed,
                  &count);
    std::vector<BYTE> buf(needed + 32);
    if (!EnumPrintersA(PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS, nullptr, 2, buf.data(),
                       needed, &needed, &count))
        return false;
    auto* printers = reinterpret_cast<PRINTER_INFO_2A*>(buf.data());
    for (DWORD i = 0; i < count; ++i) {
        if (lstrcmpA(printers[i].pPrinterName, name) == 0) {
            *info = {printers[i].pDriverName, printers[i].pPortName, printers[i].Attributes};
            return true;
        }
    }
    return false;
}

class VirtualEmbosser : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string out;
        ASSERT_EQ(RunTool("\"" + folder_ + "\"", &out), 0) << out;
        output_ = out;
    }
    TempFolder temp_;
    const std::string& folder_ = temp_.path();
    std::string output_;
};

TEST_F(VirtualEmbosser, AddsTheStandardQueues) {
    struct Case {
        const char* queue;
        const char* driver;
        bool offline;
    } cases[] = {
        {"Ridgeline", "Ridgeline", false},
        {"Tarn V4", "Vantor Tarn V4", false},
        {"Office Laser", "Office Laser PCL", false},
        {"Ridgeline Offline", "Ridgeline V3", true},
    };
    char unixFolder[kPortPathSize];
    ASSERT_TRUE(ToUnixFolder(folder_.c_str(), unixFolder, sizeof unixFolder));
    for (const Case& c : cases) {
        QueueInfo info;
        ASSERT_TRUE(FindQueue(c.queue, &info)) << c.queue;
        EXPECT_EQ(info.driver, c.driver) << c.queue;
        EXPECT_EQ((info.attributes & PRINTER_ATTRIBUTE_WORK_OFFLINE) != 0, c.offline) << c.queue;
        EXPECT_EQ(info.port.rfind(unixFolder, 0), 0u) << c.queue << " port " << info.port;
        EXPECT_NE(output_.find(std::string(c.queue) + "\t" + c.driver + "\t" + info.port),
                  std::string::npos)
            << output_;
    }
}

TEST_F(VirtualEmbosser, RawJobArrivesVerbatim) {
    // Every byte value, including NUL, form feed and end-of-file marks.
    std::string job;
    for (int i = 0; i < 3000; ++i)
        job.push_back(static_cast<char>(i * 7));
    struct Case {
        const char* queue;
        const char* file;
    } cases[] = {{"Ridgeline", "Ridgeline.prn"}, {"Tarn V4", "Tarn_V4.prn"}};
    for (const Case& c : cases) {
        ASSERT_TRUE(SendRawJob(c.queue, job)) << c.queue;
        std::string got = ReadWhenComplete(folder_ + "\\" + c.file, job.size());
        EXPECT_EQ(got.size(), job.size()) << c.queue;
        EXPECT_TRUE(got == job) << c.queue;
    }
}

TEST_F(VirtualEmbosser, QueueOfOwnChoiceAndRemoval) {
    std::string out;
    ASSERT_EQ(RunTool("\"" + folder_ + "\" \"!Side Door=Vantor Cirrus PRO V4\"", &out), 0) << out;
    QueueInfo info;
    ASSERT_TRUE(FindQueue("Side Door", &info));
    EXPECT_EQ(info.driver, "Vantor Cirrus PRO V4");
    EXPECT_NE(info.attributes & PRINTER_ATTRIBUTE_WORK_OFFLINE, 0u);

    ASSERT_EQ(RunTool("--remove \"Side Door\"", &out), 0);
    EXPECT_FALSE(FindQueue("Side Door", &info));
    EXPECT_NE(RunTool("\"" + folder_ + "\" NoDriverGiven", &out), 0);
}

} // namespace
