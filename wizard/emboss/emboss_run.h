#pragma once
#include <cstdint>

#include "label_placement.h"
#include "spool_send.h"

// What a running job asks of the page that started it. The page's thread
// may change the answers while the job runs.
class JobControl {
  public:
    virtual ~JobControl() = default;
    // 0 once the user asked the job to stop.
    virtual int Running() = 0;
    // The last label number to emboss, read afresh before each label.
    virtual int32_t LastLabel() = 0;
    // Label nOrdinal (from 1) of nCount is being placed.
    virtual void Processing(int32_t nLabel, int32_t nOrdinal, int32_t nCount) = 0;
};

enum JobOutcome {
    kJobComplete,     // header, every label, last page and job end written
    kJobStopped,      // stopped by the user before a label; no job end
    kJobFailed,       // a label could not be placed
    kJobWriteFailed,  // a write to the sink failed
    kJobSourceFailed, // the data source failed; the user has been told why
    kJobNoDataFile,   // the data file would not open
    kJobNoTables,     // the translation tables would not load
};

// Failures of the job itself, after printing's codes 0..3 (spool_send.h).
constexpr int kJobNoMemory = 4;    // no page grid, or a label could not be placed
constexpr int kJobNoSpoolFile = 5; // the temporary spool file cannot be created
constexpr int kJobUserAbort = 6;
// A write to the spool file failed. No text of the page says so; the one of
// the spool file that could not be made comes nearest, and sends the user to
// the disk rather than to memory or the printer.
constexpr int kJobSpoolNotWritten = kPrintSpoolUnreadable;

// What the page is told of a job written into the spool file: kPrintDone
// when the file holds the whole job and may be printed, else the code of
// the failure. bSpoolClosed: the file was closed without an error.
int JobResultCode(JobOutcome outcome, int bSpoolClosed);

// Writes a whole job into job.pSink: the header for the sheet's paper and
// nImpacts, labels nFrom to LastLabel() from slot nStartPos on, the last
// partly filled sheet and the job end.
JobOutcome WriteEmbossJob(LabelJob& job, int32_t nFrom, int32_t nStartPos, uint32_t nImpacts,
                          JobControl& control);
