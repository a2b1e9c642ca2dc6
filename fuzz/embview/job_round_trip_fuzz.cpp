// Any job the viewer reads is written again by the wizard's own writers:
// the same sheets come back, and the bytes are the same ones, apart from
// leading zeros in the header's numbers, which the writer never puts.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "embview_decode.h"
#include "job_framing.h"
#include "page_grid.h"

namespace {

std::vector<uint8_t> Encode(const EmbJob& job) {
    char* buffer = nullptr;
    size_t size = 0;
    FILE* stream = open_memstream(&buffer, &size);
    if (!stream) {
        std::abort();
    }
    FileJobSink sink(stream);
    bool ok = WriteJobHeader(sink, job.nPaperWidth / 1000, job.nPaperLength / 1000,
                             static_cast<uint32_t>(job.nImpacts));
    for (const EmbSheet& sheet : job.sheets) {
        std::vector<uint8_t> grid(sheet.dots.size());
        for (size_t i = 0; i < grid.size(); ++i) {
            grid[i] = sheet.dots[i] ? kDot : kNoDot;
        }
        ok = ok && EmitPage(grid.data(), sink, sheet.W, sheet.H, !sheet.bFormFeed);
    }
    ok = ok && WriteJobEnd(sink);
    std::fclose(stream);
    std::vector<uint8_t> bytes(buffer, buffer + size);
    std::free(buffer);
    if (!ok) {
        std::abort();
    }
    return bytes;
}

bool SameSheets(const EmbJob& a, const EmbJob& b) {
    if (a.nPaperWidth != b.nPaperWidth || a.nPaperLength != b.nPaperLength ||
        a.nImpacts != b.nImpacts || a.sheets.size() != b.sheets.size()) {
        return false;
    }
    for (size_t s = 0; s < a.sheets.size(); ++s) {
        const EmbSheet& x = a.sheets[s];
        const EmbSheet& y = b.sheets[s];
        if (x.W != y.W || x.H != y.H || x.dots != y.dots || x.bFormFeed != y.bFormFeed ||
            x.nGraphicsRows != y.nGraphicsRows) {
            return false;
        }
    }
    return true;
}

bool HasLeadingZero(const uint8_t* data, size_t size) {
    const std::string header(reinterpret_cast<const char*>(data), size < 64 ? size : 64);
    for (const char* key : {"PW0", "PL0", "MI0"}) {
        if (header.find(key) != std::string::npos) {
            return true;
        }
    }
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    EmbJob job;
    DecodeError err;
    if (!DecodeJob(data, size, &job, &err)) {
        return 0;
    }
    const std::vector<uint8_t> written = Encode(job);
    EmbJob again;
    if (!DecodeJob(written.data(), written.size(), &again, &err) || !SameSheets(job, again)) {
        std::abort();
    }
    if (!HasLeadingZero(data, size) &&
        (written.size() != size || std::memcmp(written.data(), data, size) != 0)) {
        std::abort();
    }
    return 0;
}
