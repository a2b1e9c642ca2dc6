#pragma once
#include <cstddef>
#include <cstdint>
#include <cstdio>

// Spool files go to the printer in blocks of this size.
constexpr size_t kSpoolBlockSize = 1024;

// Where the blocks of a spool file go, and what the page shows meanwhile.
class SpoolTarget {
  public:
    virtual ~SpoolTarget() = default;
    // Writes up to cb bytes; 1 with the count taken in *pWritten, 0 when the
    // write failed.
    virtual int Write(const uint8_t* pData, uint32_t cb, uint32_t* pWritten) = 0;
    virtual void SetProgressRange(int32_t nMax) = 0;
    virtual void SetProgress(int32_t nPosition) = 0;
    virtual void StepProgress() = 0;
    // "Spooling <sent> of <size>".
    virtual void ShowSpooling(int32_t nSent, int32_t nSize) = 0;
};

// Result codes of printing, as the Emboss page shows them.
enum PrintResult : int {
    kPrintDone = -1,
    kPrintWriteFailed = 0,
    kPrintSpoolUnreadable = 1,
    kPrintNoPrinter = 2,
    kPrintNoJob = 3,
};

// Sends the open spool file of nSize bytes in kSpoolBlockSize blocks.
// kPrintDone, or kPrintWriteFailed when the target refuses a write; the rest
// of the job is then not sent.
int SendSpoolBlocks(FILE* spool, int64_t nSize, SpoolTarget& target);
