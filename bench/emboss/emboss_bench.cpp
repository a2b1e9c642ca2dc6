#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <cstdio>
#include <cstring>

#include "job_framing.h"
#include "label_placement.h"
#include "page_grid.h"

namespace {

// Three full lines of ten cells: the most a 60 x 30 mm text box holds.
int FixedLabel(char* pBuffer, int32_t, AppState*) {
    size_t pos = 0;
    for (int line = 0; line < 3; ++line) {
        for (int c = 0; c < 10; ++c)
            pBuffer[pos++] = static_cast<char>(0x40 | ((line * 10 + c) % 63 + 1));
        pBuffer[pos++] = 0;
    }
    pBuffer[pos] = 0;
    return 1;
}

long MaxResidentKb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// A whole job of A4 sheets with 3 x 8 labels, written to a file.
void BM_EmbossJob(benchmark::State& state) {
    AppState app{};
    SheetFormat& f = app.Sheet;
    f.wPaperWidth = 11906;
    f.wPaperHeight = 16838;
    f.wLabelWidth = 3968;
    f.wLabelHeight = 2104;
    f.wNumHorizontal = 3;
    f.wNumVertical = 8;
    f.wTextLeft = 283;
    f.wTextTop = 283;
    const int32_t labels = static_cast<int32_t>(state.range(0));
    for (auto _ : state) {
        FILE* file = fopen("/dev/null", "wb");
        if (!file) {
            state.SkipWithError("cannot open /dev/null");
            return;
        }
        FileJobSink sink(file);
        uint32_t W = PageGridWidth(f.wPaperWidth), H = PageGridHeight(f.wPaperHeight);
        uint8_t* grid = AllocPageGrid(W, H);
        LabelJob job = MakeLabelJob(&app, grid, W, H, &sink, FixedLabel);
        int ok = WriteJobHeader(sink, PaperWholeInches(f.wPaperWidth),
                                PaperWholeInches(f.wPaperHeight), 1);
        for (int32_t n = 1; ok && n <= labels; ++n)
            ok = PlaceNextLabel(job, n, n);
        ok = ok && PlaceNextLabel(job, -1, 0) && WriteJobEnd(sink);
        FreePageGrid(grid);
        fclose(file);
        if (!ok)
            state.SkipWithError("job failed");
    }
    state.counters["labels"] = labels;
    state.counters["max_rss_kb"] = static_cast<double>(MaxResidentKb());
}

BENCHMARK(BM_EmbossJob)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

} // namespace
