#include "emboss_run.h"

#include "job_framing.h"
#include "label_compose.h"
#include "spool_send.h"

namespace {

JobOutcome ComposeFailureOutcome(int nComposeFailure) {
    switch (nComposeFailure) {
    case kComposeSourceNotOpened:
        return kJobNoDataFile;
    case kComposeNoTables:
        return kJobNoTables;
    default:
        return kJobSourceFailed;
    }
}

// Tells a write that failed from a label that could not be placed.
class WatchedSink : public JobSink {
  public:
    explicit WatchedSink(JobSink& sink) : sink_(sink) {}
    int Write(const void* pData, size_t cb) override {
        const int written = sink_.Write(pData, cb);
        failed_ = failed_ || !written;
        return written;
    }
    bool Failed() const { return failed_; }

  private:
    JobSink& sink_;
    bool failed_ = false;
};

JobOutcome WriteLabels(LabelJob& job, int32_t nFrom, int32_t nStartPos, uint32_t nImpacts,
                       JobControl& control) {
    const SheetFormat& f = job.pState->Sheet;
    job.bPagePending = 0;
    if (!WriteJobHeader(*job.pSink, PaperWholeInches(f.wPaperWidth),
                        PaperWholeInches(f.wPaperHeight), nImpacts))
        return kJobFailed;
    // The count shown stays that of the range at the start, even when the
    // last label is changed during the job.
    const int64_t count = int64_t{control.LastLabel()} - nFrom + 1;
    const int32_t shownCount = count > 0 ? static_cast<int32_t>(count) : 0;
    // 64 bits, so a last label of INT32_MAX cannot wrap the loop around.
    int64_t slot = nStartPos;
    for (int64_t label = nFrom; label <= control.LastLabel(); ++label, ++slot) {
        if (!control.Running())
            return kJobStopped;
        control.Processing(static_cast<int32_t>(label), static_cast<int32_t>(label - nFrom + 1),
                           shownCount);
        // A typed range may run through label -1, which must take its slot
        // like any other rather than end the pages in the middle of the job.
        if (slot > INT32_MAX ||
            !PlaceLabel(job, static_cast<int32_t>(label), static_cast<int32_t>(slot)))
            return kJobFailed;
    }
    if (!EndLabelPages(job) || !WriteJobEnd(*job.pSink))
        return kJobFailed;
    return kJobComplete;
}

} // namespace

JobOutcome WriteEmbossJob(LabelJob& job, int32_t nFrom, int32_t nStartPos, uint32_t nImpacts,
                          JobControl& control) {
    WatchedSink sink(*job.pSink);
    LabelJob watched = job;
    watched.pSink = &sink;
    const JobOutcome outcome = WriteLabels(watched, nFrom, nStartPos, nImpacts, control);
    job.bPagePending = watched.bPagePending;
    job.nComposeFailure = watched.nComposeFailure;
    if (outcome != kJobFailed)
        return outcome;
    if (watched.nComposeFailure)
        return ComposeFailureOutcome(watched.nComposeFailure);
    return sink.Failed() ? kJobWriteFailed : kJobFailed;
}

int JobResultCode(JobOutcome outcome, int bSpoolClosed) {
    switch (outcome) {
    case kJobStopped:
        return kJobUserAbort;
    case kJobFailed:
        return kJobNoMemory;
    case kJobWriteFailed:
        return kJobSpoolNotWritten;
    case kJobSourceFailed:
    case kJobNoDataFile:
    case kJobNoTables:
        // A message of its own has said what failed: the spreadsheet
        // application's, or the page's naming the file.
        return kPrintNoJob;
    case kJobComplete:
        break;
    }
    // The last bytes may reach the disk only as the file is closed.
    return bSpoolClosed ? kPrintDone : kJobSpoolNotWritten;
}
