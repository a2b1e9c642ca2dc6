#pragma once
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "job_sink.h"

// Collects a job's bytes; can be told to refuse writes after a number of
// bytes, as a full disk would.
class MemorySink : public JobSink {
  public:
    int Write(const void* pData, size_t cb) override {
        if (bytes.size() + cb > limit)
            return 0;
        const auto* p = static_cast<const uint8_t*>(pData);
        bytes.insert(bytes.end(), p, p + cb);
        return 1;
    }
    std::vector<uint8_t> bytes;
    size_t limit = SIZE_MAX;
};

inline std::vector<uint8_t> Bytes(std::initializer_list<int> values) {
    std::vector<uint8_t> out;
    for (int v : values)
        out.push_back(static_cast<uint8_t>(v));
    return out;
}

inline void Append(std::vector<uint8_t>& out, const std::vector<uint8_t>& more) {
    out.insert(out.end(), more.begin(), more.end());
}

inline std::vector<uint8_t> LineSpacing(int rows) {
    return Bytes({0x1B, 0x0B, 0x04, 0x05, 0x00, 5 * rows});
}
