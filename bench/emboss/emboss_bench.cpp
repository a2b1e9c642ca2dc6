// A whole embossing job as the Emboss page's worker runs it: labels composed
// from a list of 10,000 names and addresses, translated with the UEB grade 2
// table, placed on A4 sheets of 3 x 8 labels and written as embosser bytes
// to a file. 10,000 labels must take well under a second, and what a job
// holds in memory must not grow with its number of labels.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "emboss_run.h"
#include "label_bench_support.h"
#include "page_grid.h"

namespace {

constexpr int32_t kListRows = 10000;

size_t HeapInUse() {
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

// The process's peak resident set, in kB; 0 when it cannot be read.
double PeakResidentKb() {
    std::FILE* status = std::fopen("/proc/self/status", "r");
    if (!status) {
        return 0;
    }
    char line[256];
    double kb = 0;
    while (std::fgets(line, sizeof line, status)) {
        if (std::strncmp(line, "VmHWM:", 6) == 0) {
            kb = std::strtod(line + 6, nullptr);
        }
    }
    std::fclose(status);
    return kb;
}

// Runs every label to the end and, once per sheet, notes the heap in use:
// state kept per label would make its peak grow with the job.
class SampledRun : public JobControl {
  public:
    SampledRun(int32_t nLast, int32_t nPerSheet) : nLast_(nLast), nPerSheet_(nPerSheet) {}
    int Running() override { return 1; }
    int32_t LastLabel() override { return nLast_; }
    void Processing(int32_t, int32_t nOrdinal, int32_t) override {
        if (nOrdinal % nPerSheet_ == 1) {
            peakHeap_ = std::max(peakHeap_, HeapInUse());
        }
    }
    size_t PeakHeap() const { return peakHeap_; }

  private:
    int32_t nLast_;
    int32_t nPerSheet_;
    size_t peakHeap_ = 0;
};

// The list every job reads, written once per process and removed at exit.
struct AddressListFile {
    AddressListFile() : path(BenchTempPath("emboss-bench.csv")) {
        if (!WriteAddressList(path, kListRows)) {
            std::remove(path.c_str());
            path.clear();
        }
    }
    ~AddressListFile() {
        if (!path.empty()) {
            std::remove(path.c_str());
        }
    }
    std::string path;
};

const std::string& AddressList() {
    static const AddressListFile list;
    return list.path;
}

// One job as the worker writes it: the grid, the spool file, labels 1 to
// control.LastLabel() from slot 1, the source closed at the end. 1 when complete.
int RunJob(AppState* state, const std::string& spoolPath, JobControl& control) {
    const SheetFormat& f = state->Sheet;
    const uint32_t W = PageGridWidth(f.wPaperWidth);
    const uint32_t H = PageGridHeight(f.wPaperHeight);
    uint8_t* grid = AllocPageGrid(W, H);
    std::FILE* spool = grid ? std::fopen(spoolPath.c_str(), "wb") : nullptr;
    if (!spool) {
        FreePageGrid(grid);
        return 0;
    }
    FileJobSink sink(spool);
    LabelJob job = MakeLabelJob(state, grid, W, H, &sink, ComposeBenchLabel);
    const JobOutcome outcome = WriteEmbossJob(job, 1, 1, 1, control);
    CloseAppDataSource(state);
    const bool written = std::fclose(spool) == 0 && outcome == kJobComplete;
    FreePageGrid(grid);
    return written;
}

void EmbossAddressLabels(benchmark::State& run) {
    if (AddressList().empty()) {
        run.SkipWithError("cannot write the address list");
        return;
    }
    InstallBenchServices(DOTWELL_SOURCE_DIR "/libs/tactr32/tables");
    static AppState state;
    DescribeAddressJob(&state, AddressList());
    const int32_t labels = static_cast<int32_t>(run.range(0));
    const int32_t perSheet = state.Sheet.wNumHorizontal * state.Sheet.wNumVertical;
    const std::string spoolPath = BenchTempPath("emboss-bench.prn");
    size_t heapGrowth = 0;
    for (auto _ : run) {
        const size_t heapBefore = HeapInUse();
        SampledRun control(labels, perSheet);
        if (!RunJob(&state, spoolPath, control)) {
            run.SkipWithError("the job did not complete");
            break;
        }
        heapGrowth =
            std::max(heapGrowth, control.PeakHeap() - std::min(control.PeakHeap(), heapBefore));
    }
    run.counters["labels_per_s"] =
        benchmark::Counter(labels, benchmark::Counter::kIsIterationInvariantRate);
    run.counters["heap_growth_kb"] = static_cast<double>(heapGrowth) / 1024;
    run.counters["peak_rss_kb"] = PeakResidentKb();
    ReleaseAppState(&state);
    std::remove(spoolPath.c_str());
}

BENCHMARK(EmbossAddressLabels)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
