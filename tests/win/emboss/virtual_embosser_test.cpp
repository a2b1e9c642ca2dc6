#include <windows.h>
#include <winspool.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "virtual_queues.h"
#include "win_test_support.h"

namespace {

std::string MakeTempFolder() {
    char base[MAX_PATH], name[MAX_PATH];
    GetTempPathA(MAX_PATH, base);
    snprintf(name, sizeof name, "%svemb-%lu-%lu", base, GetCurrentProcessId(), GetTickCount());
    CreateDirectoryA(name, nullptr);
    return name;
}

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

bool SendRaw(const char* queue, const std::string& bytes) {
    char name[256];
    snprintf(name, sizeof name, "%s", queue);
    HANDLE printer = nullptr;
    if (!OpenPrinterA(name, &printer, nullptr))
        return false;
    char docName[] = "raw test", datatype[] = "RAW";
    DOC_INFO_1A doc = {docName, nullptr, datatype};
    bool ok = StartDocPrinterA(printer, 1, reinterpret_cast<LPBYTE>(&doc)) != 0;
    DWORD written = 0;
    ok = ok &&
         WritePrinter(printer, const_cast<char*>(bytes.data()), static_cast<DWORD>(bytes.size()),
                      &written) &&
         written == bytes.size();
    ok = EndDocPrinter(printer) && ok;
    ClosePrinter(printer);
    return ok;
}

// The spooler writes the port file on its own time: wait for all the bytes.
std::string ReadWhenComplete(const std::string& path, size_t size) {
    std::string data;
    DWORD deadline = GetTickCount() + 20000;
    while (static_cast<LONG>(deadline - GetTickCount()) > 0) {
        data.clear();
        if (FILE* f = fopen(path.c_str(), "rb")) {
            char buf[4096];
            size_t got;
            while ((got = fread(buf, 1, sizeof buf, f)) > 0)
                data.append(buf, got);
            fclose(f);
        }
        if (data.size() >= size)
            break;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    }
    return data;
}

class VirtualEmbosser : public ::testing::Test {
  protected:
    void SetUp() override {
        folder_ = MakeTempFolder();
        std::string out;
        ASSERT_EQ(RunTool("\"" + folder_ + "\"", &out), 0) << out;
        output_ = out;
    }
    void TearDown() override {
        WIN32_FIND_DATAA found;
        HANDLE find = FindFirstFileA((folder_ + "\\*.prn").c_str(), &found);
        if (find != INVALID_HANDLE_VALUE) {
            do
                DeleteFileA((folder_ + "\\" + found.cFileName).c_str());
            while (FindNextFileA(find, &found));
            FindClose(find);
        }
        RemoveDirectoryA(folder_.c_str());
    }
    std::string folder_;
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
        ASSERT_TRUE(SendRaw(c.queue, job)) << c.queue;
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
