#pragma once
#include <cstdint>
#include <vector>

#include "emboss_run.h"

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

// A job that runs to its last label unhindered.
class WholeRange : public JobControl {
  public:
    explicit WholeRange(int32_t last) : last_(last) {}
    int Running() override { return 1; }
    int32_t LastLabel() override { return last_; }
    void Processing(int32_t, int32_t, int32_t) override {}

  private:
    int32_t last_;
};
