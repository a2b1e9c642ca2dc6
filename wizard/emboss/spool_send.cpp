#include "spool_send.h"

#include <climits>

namespace {

int32_t Shown(int64_t n) {
    return n > INT32_MAX ? INT32_MAX : static_cast<int32_t>(n);
}

// A queue may take part of a block; the rest is offered again so that no
// byte of the job is lost. A write that takes nothing counts as failed.
bool WriteWholeBlock(SpoolTarget& target, const uint8_t* pData, uint32_t cb) {
    while (cb > 0) {
        uint32_t written = 0;
        if (!target.Write(pData, cb, &written) || written == 0 || written > cb)
            return false;
        pData += written;
        cb -= written;
    }
    return true;
}

} // namespace

int SendSpoolBlocks(FILE* spool, int64_t nSize, SpoolTarget& target) {
    const int64_t blocks = nSize / static_cast<int64_t>(kSpoolBlockSize);
    target.SetProgressRange(Shown(blocks));
    target.SetProgress(0);
    uint8_t block[kSpoolBlockSize];
    for (int64_t sent = kSpoolBlockSize;; sent += kSpoolBlockSize) {
        target.ShowSpooling(Shown(sent), Shown(nSize));
        size_t got = fread(block, 1, sizeof block, spool);
        if (got == 0)
            break;
        target.StepProgress();
        if (!WriteWholeBlock(target, block, static_cast<uint32_t>(got)))
            return kPrintWriteFailed;
        if (got < sizeof block)
            break;
    }
    target.ShowSpooling(Shown(nSize), Shown(nSize));
    target.SetProgress(Shown(blocks));
    return kPrintDone;
}
