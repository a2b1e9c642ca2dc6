#pragma once
#include <cstddef>
#include <string>

#include "virtual_queues.h"

// (Re)adds a virtual queue whose port file lies in the temporary folder; the
// port file's Windows path goes to `portFile` when it is given.
bool AddTempQueue(const VirtualQueue& queue, std::string* portFile = nullptr);

// The Windows path of the port file of a queue added by AddTempQueue.
std::string TempQueuePortFile(const char* queue);

// The standard queues, printing into the temporary folder.
bool AddStandardTempQueues();

// Sends `bytes` to a queue as one RAW job, in blocks of `block` bytes (as
// the wizard sends a spool file) or in one write.
bool SendRawJob(const char* queue, const std::string& bytes, size_t block = 0);

// The spooler writes a port file on its own time: waits until it holds
// `size` bytes, and returns what it holds then.
std::string ReadWhenComplete(const std::string& path, size_t size);
