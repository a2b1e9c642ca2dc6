#pragma once
#include <cstddef>

// Unix paths of port files can be longer than Windows paths.
constexpr size_t kPortPathSize = 1024;

// Printer queues for tests: each prints RAW jobs verbatim into a file on the
// Unix side, so a test can read back exactly what the wizard sent.
struct VirtualQueue {
    const char* szQueue;
    const char* szDriver;
    int bOffline;
};

// Two embosser queues, one ordinary printer and one embosser set to work
// offline: enough to exercise every branch of the embosser list and of raw
// printing.
extern const VirtualQueue kStandardQueues[];
extern const size_t kStandardQueueCount;

// Installs a driver of this name (any name; the spooler only needs the
// files of Wine's PostScript driver behind it). 1 when it exists afterwards.
int AddVirtualDriver(const char* szDriver);

// (Re)creates the queue with port "<unixFolder>/<queue>.prn", writing that
// port path to szPort. 1 on success.
int AddVirtualQueue(const VirtualQueue& queue, const char* szUnixFolder, char* szPort,
                    size_t cbPort);

// Removes the queue when it exists. 1 when it is gone afterwards.
int RemoveVirtualQueue(const char* szQueue);

// A folder given as a Windows path becomes the Unix path Wine maps it to;
// a Unix path is copied as it stands. 1 on success.
int ToUnixFolder(const char* szFolder, char* szUnix, size_t cbUnix);
