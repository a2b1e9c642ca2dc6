// Composing labels from a large list: 10,000 labels from the top, the
// middle and the end of a 100,000-row file, translated with the UEB grade 2
// table. A label far down the list should cost no more than one near its
// top. The whole job, placement and writing included, is measured in
// bench/emboss.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "label_bench_support.h"
#include "label_text.h"

namespace {

void ComposeFromLargeList(benchmark::State& run) {
    const std::string csv = BenchTempPath("compose-bench.csv");
    if (!WriteAddressList(csv, 100000)) {
        run.SkipWithError("cannot write the address list");
        return;
    }
    InstallBenchServices(DOTWELL_SOURCE_DIR "/libs/tactr32/tables");
    static AppState state;
    DescribeAddressJob(&state, csv);
    char buffer[kLabelTextBufferSize];
    for (auto _ : run) {
        const int32_t first = static_cast<int32_t>(run.range(0));
        for (int32_t label = first; label < first + 10000; ++label) {
            if (!ComposeBenchLabel(buffer, label, &state)) {
                run.SkipWithError("a label was not composed");
                break;
            }
        }
        benchmark::DoNotOptimize(buffer);
        // Every job opens its source afresh, as the Emboss page's do.
        CloseAppDataSource(&state);
    }
    run.counters["labels_per_s"] =
        benchmark::Counter(10000, benchmark::Counter::kIsIterationInvariantRate);
    ReleaseAppState(&state);
    std::remove(csv.c_str());
}
BENCHMARK(ComposeFromLargeList)
    ->Arg(1)
    ->Arg(45001)
    ->Arg(90001)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

} // namespace
