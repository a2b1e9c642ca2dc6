// Translation speed of our English tables against the reference translator
// over the label corpus, and the time to load a table.
#include <benchmark/benchmark.h>
#include <liblouis/liblouis.h>

#include <fstream>
#include <string>
#include <vector>

#include "qrf_table.h"
#include "translate.h"

namespace {

const std::string kSource = DOTWELL_SOURCE_DIR;

struct Line {
    std::string ansi;
    std::vector<widechar> wide;
};

// The corpus is UTF-8; Latin-1 covers its characters.
const std::vector<Line>& Corpus() {
    static const std::vector<Line> lines = [] {
        std::vector<Line> out;
        std::ifstream in(kSource + "/tests/unit/tactr32/corpus/en.txt");
        for (std::string s; std::getline(in, s);) {
            Line l;
            for (size_t i = 0; i < s.size();) {
                unsigned char c = static_cast<unsigned char>(s[i]);
                unsigned cp = c;
                if (c >= 0xC0 && i + 1 < s.size()) {
                    cp = ((c & 0x1F) << 6) | (s[i + 1] & 0x3F);
                    ++i;
                }
                ++i;
                l.ansi += static_cast<char>(cp);
                l.wide.push_back(static_cast<widechar>(cp));
            }
            out.push_back(l);
        }
        return out;
    }();
    return lines;
}

size_t CorpusChars() {
    size_t n = 0;
    for (const Line& l : Corpus())
        n += l.ansi.size();
    return n;
}

void BM_Ours(benchmark::State& state, const char* table) {
    tactr::Table t;
    std::string error;
    if (!tactr::CompileTable(kSource + "/libs/tactr32/tables/" + table,
                             tactr::TableKind::kTranslation, tactr::ReadWholeFile, t, error)) {
        state.SkipWithError(error.c_str());
        return;
    }
    char out[tactr::kBrailleBufferSize];
    for (auto _ : state)
        for (const Line& l : Corpus())
            benchmark::DoNotOptimize(tactr::Translate(t, nullptr, l.ansi.c_str(), out, sizeof out));
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * CorpusChars()));
}

void BM_Reference(benchmark::State& state, const char* table) {
    widechar out[tactr::kBrailleBufferSize];
    for (const Line& l : Corpus()) { // loads the table outside the timing
        int inLen = static_cast<int>(l.wide.size()), outLen = tactr::kBrailleBufferSize;
        if (!lou_translateString(table, l.wide.data(), &inLen, out, &outLen, nullptr, nullptr, 0)) {
            state.SkipWithError("reference table does not load");
            return;
        }
    }
    for (auto _ : state) {
        for (const Line& l : Corpus()) {
            int inLen = static_cast<int>(l.wide.size()), outLen = tactr::kBrailleBufferSize;
            benchmark::DoNotOptimize(lou_translateString(table, l.wide.data(), &inLen, out, &outLen,
                                                         nullptr, nullptr, 0));
        }
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * CorpusChars()));
}

void BM_LoadTable(benchmark::State& state, const char* table) {
    for (auto _ : state) {
        tactr::Table t;
        std::string error;
        benchmark::DoNotOptimize(tactr::CompileTable(kSource + "/libs/tactr32/tables/" + table,
                                                     tactr::TableKind::kTranslation,
                                                     tactr::ReadWholeFile, t, error));
    }
    state.SetLabel("target < 10 ms");
}

BENCHMARK_CAPTURE(BM_Ours, en_ueb_g1, "en-ueb-g1.qrf");
BENCHMARK_CAPTURE(BM_Reference, en_ueb_g1, "en-ueb-g1.ctb");
BENCHMARK_CAPTURE(BM_Ours, en_ueb_g2, "en-ueb-g2.qrf");
BENCHMARK_CAPTURE(BM_Reference, en_ueb_g2, "en-ueb-g2.ctb");
BENCHMARK_CAPTURE(BM_LoadTable, en_ueb_g1, "en-ueb-g1.qrf")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_LoadTable, en_ueb_g2, "en-ueb-g2.qrf")->Unit(benchmark::kMillisecond);

} // namespace
