#include "embosser_queue.h"

#include <windows.h>
#include <winspool.h>

#include <algorithm>

#include "win_test_support.h"

namespace {
std::string TempPath() {
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    return temp;
}
} // namespace

bool AddTempQueue(const VirtualQueue& queue, std::string* portFile) {
    char folder[kPortPathSize], port[kPortPathSize];
    if (!ToUnixFolder(TempPath().c_str(), folder, sizeof folder) ||
        !AddVirtualQueue(queue, folder, port, sizeof port))
        return false;
    if (portFile)
        *portFile = TempQueuePortFile(queue.szQueue);
    return true;
}

std::string TempQueuePortFile(const char* queue) {
    std::string name = queue;
    std::replace(name.begin(), name.end(), ' ', '_');
    return TempPath() + name + ".prn";
}

bool AddStandardTempQueues() {
    for (size_t i = 0; i < kStandardQueueCount; ++i)
        if (!AddTempQueue(kStandardQueues[i]))
            return false;
    return true;
}

bool SendRawJob(const char* queue, const std::string& bytes, size_t block) {
    std::string name = queue;
    HANDLE printer = nullptr;
    if (!OpenPrinterA(name.data(), &printer, nullptr))
        return false;
    char docName[] = "job", datatype[] = "RAW";
    DOC_INFO_1A doc = {docName, nullptr, datatype};
    bool ok = StartDocPrinterA(printer, 1, reinterpret_cast<LPBYTE>(&doc)) != 0;
    const size_t step = block ? block : std::max<size_t>(bytes.size(), 1);
    for (size_t at = 0; ok && at < bytes.size(); at += step) {
        const DWORD n = static_cast<DWORD>(std::min(step, bytes.size() - at));
        DWORD written = 0;
        ok = WritePrinter(printer, const_cast<char*>(bytes.data() + at), n, &written) &&
             written == n;
    }
    ok = EndDocPrinter(printer) && ok;
    ClosePrinter(printer);
    return ok;
}

std::string ReadWhenComplete(const std::string& path, size_t size) {
    std::string data;
    PumpUntil(
        [&] {
            data = ReadFileBytes(path);
            return data.size() >= size;
        },
        20000);
    return data;
}
