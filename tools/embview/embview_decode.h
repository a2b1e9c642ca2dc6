#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// A job file read back: the header fields and every sheet's dot picture.
struct EmbSheet {
    uint32_t W = 0;            // dot columns (8 per row byte)
    uint32_t H = 0;            // rows covered by the sheet's line feeds
    std::vector<uint8_t> dots; // W x H, 1 where a dot is raised
    size_t nGraphicsRows = 0;
    bool bFormFeed = false; // ended by a form feed
    size_t nOffset = 0;     // where the sheet's first row starts
    bool Dot(int64_t x, int64_t y) const {
        return x >= 0 && y >= 0 && x < W && y < H && dots[static_cast<size_t>(y) * W + x];
    }
};

struct EmbJob {
    int32_t nPaperWidth = 0;  // PW, thousandths of an inch
    int32_t nPaperLength = 0; // PL
    int32_t nImpacts = 0;     // MI
    std::vector<EmbSheet> sheets;
    bool bEnded = false; // the job end bytes were found
};

struct DecodeError {
    size_t nOffset = 0;
    std::string message;
};

// Checks the whole byte stream strictly and decodes it. On failure the
// sheets completed before the error stay in job.
bool DecodeJob(const uint8_t* pData, size_t cb, EmbJob* job, DecodeError* err);
