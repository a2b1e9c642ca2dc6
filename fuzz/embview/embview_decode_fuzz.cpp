// Arbitrary bytes as an embosser job: the decoder must reject or read them
// without touching memory it does not own, and whatever it read must be
// readable as cells and drawable, with and without a sheet format.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "embview_cells.h"
#include "embview_decode.h"
#include "embview_render.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The first bytes, when there are enough, shape a sheet format.
    SheetFormat format{};
    const bool hasFormat = size > sizeof format;
    if (hasFormat) {
        memcpy(&format, data, sizeof format);
        data += sizeof format;
        size -= sizeof format;
    }
    EmbJob job;
    DecodeError err;
    DecodeJob(data, size, &job, &err);
    const SheetFormat* shape = hasFormat ? &format : nullptr;
    if (shape)
        CheckPaper(job, *shape, &err);
    for (const EmbSheet& sheet : job.sheets)
        ReadSheetCells(sheet, shape);
    JobText(job, shape);
    JobSvg(job, shape);
    return 0;
}
