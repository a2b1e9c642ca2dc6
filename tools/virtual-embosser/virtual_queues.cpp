#include "virtual_queues.h"

#include <windows.h>
#include <winspool.h>

#include <cstdio>
#include <cstring>

const VirtualQueue kStandardQueues[] = {
    {"Ridgeline", "Ridgeline", 0},
    {"Tarn V4", "Vantor Tarn V4", 0},
    {"Office Laser", "Office Laser PCL", 0},
    {"Ridgeline Offline", "Ridgeline V3", 1},
};
const size_t kStandardQueueCount = sizeof(kStandardQueues) / sizeof(kStandardQueues[0]);

int AddVirtualDriver(const char* szDriver) {
    char name[256], env[] = "Windows x64", path[] = "wineps.drv", data[] = "generic.ppd",
                    config[] = "wineps.drv";
    snprintf(name, sizeof name, "%s", szDriver);
    DRIVER_INFO_3A info = {};
    info.cVersion = 3;
    info.pName = name;
    info.pEnvironment = env;
    info.pDriverPath = path;
    info.pDataFile = data;
    info.pConfigFile = config;
    if (AddPrinterDriverA(nullptr, 3, reinterpret_cast<LPBYTE>(&info)))
        return 1;
    return GetLastError() == ERROR_PRINTER_DRIVER_ALREADY_INSTALLED ? 1 : 0;
}

int RemoveVirtualQueue(const char* szQueue) {
    char name[256];
    snprintf(name, sizeof name, "%s", szQueue);
    PRINTER_DEFAULTSA defaults = {nullptr, nullptr, PRINTER_ALL_ACCESS};
    HANDLE printer = nullptr;
    if (!OpenPrinterA(name, &printer, &defaults))
        return 1;
    BOOL deleted = DeletePrinter(printer);
    ClosePrinter(printer);
    return deleted ? 1 : 0;
}

// Queue names may hold blanks but never path separators in their port file.
static void PortFileName(const char* szQueue, char* out, size_t cb) {
    size_t i = 0;
    for (; szQueue[i] && i + 1 < cb; ++i) {
        char c = szQueue[i];
        out[i] = (c == '/' || c == '\\' || c == ' ' || c == ':') ? '_' : c;
    }
    out[i] = 0;
}

int AddVirtualQueue(const VirtualQueue& queue, const char* szUnixFolder, char* szPort,
                    size_t cbPort) {
    if (!AddVirtualDriver(queue.szDriver) || !RemoveVirtualQueue(queue.szQueue))
        return 0;
    char file[256];
    PortFileName(queue.szQueue, file, sizeof file);
    size_t len = strlen(szUnixFolder);
    const char* sep = (len && szUnixFolder[len - 1] == '/') ? "" : "/";
    int n = snprintf(szPort, cbPort, "%s%s%s.prn", szUnixFolder, sep, file);
    if (n < 0 || static_cast<size_t>(n) >= cbPort)
        return 0;

    char name[256], driver[256], processor[] = "winprint", datatype[] = "RAW";
    snprintf(name, sizeof name, "%s", queue.szQueue);
    snprintf(driver, sizeof driver, "%s", queue.szDriver);
    PRINTER_INFO_2A info = {};
    info.pPrinterName = name;
    info.pPortName = szPort;
    info.pDriverName = driver;
    info.pPrintProcessor = processor;
    info.pDatatype = datatype;
    info.Attributes =
        PRINTER_ATTRIBUTE_LOCAL | (queue.bOffline ? PRINTER_ATTRIBUTE_WORK_OFFLINE : 0);
    HANDLE printer = AddPrinterA(nullptr, 2, reinterpret_cast<LPBYTE>(&info));
    if (!printer)
        return 0;
    ClosePrinter(printer);
    return 1;
}

int ToUnixFolder(const char* szFolder, char* szUnix, size_t cbUnix) {
    if (szFolder[0] == '/') {
        int n = snprintf(szUnix, cbUnix, "%s", szFolder);
        return n >= 0 && static_cast<size_t>(n) < cbUnix;
    }
    // Only Wine has this export; on Windows there is no Unix side to map to.
    using ToUnixFn = char* (*)(LPCWSTR);
    auto toUnix = reinterpret_cast<ToUnixFn>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    WCHAR wide[MAX_PATH];
    if (!toUnix || !MultiByteToWideChar(CP_ACP, 0, szFolder, -1, wide, MAX_PATH))
        return 0;
    char* unixName = toUnix(wide);
    if (!unixName)
        return 0;
    int n = snprintf(szUnix, cbUnix, "%s", unixName);
    HeapFree(GetProcessHeap(), 0, unixName);
    return n >= 0 && static_cast<size_t>(n) < cbUnix;
}
