#include "job_sink.h"

int FileJobSink::Write(const void* pData, size_t cb) {
    return fwrite(pData, 1, cb, file_) == cb ? 1 : 0;
}
