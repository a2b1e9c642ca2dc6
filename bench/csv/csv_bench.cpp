#include <benchmark/benchmark.h>

#include <malloc.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "csv_table.h"

namespace {

// An address list of 100,000 rows and 8 columns, about 10 MB, with the
// quoting real exports have: some fields quoted for their commas, some
// quotes doubled.
std::string MakeAddressList() {
    static const char* first[] = {"Anna", "Jonas", "Marie", "Lukas", "Sophie", "Elias",
                                  "Emma", "Noah",  "Mia",   "Paul",  "Hannah", "Ben"};
    static const char* last[] = {"Schneider", "Fischer", "Weber",    "Meyer", "Wagner",
                                 "Becker",    "Schulz",  "Hoffmann", "Koch",  "Richter"};
    static const char* street[] = {"Hauptstrasse",   "Schulweg",  "Am Markt",  "Lindenallee",
                                   "Bahnhofstrasse", "Gartenweg", "Kirchplatz"};
    static const char* city[] = {"Berlin",    "Hamburg", "Muenchen", "Koeln", "Frankfurt am Main",
                                 "Stuttgart", "Leipzig"};
    std::mt19937 random(2026);
    std::string text;
    text.reserve(11u << 20);
    char line[512];
    for (int row = 0; row < 100000; ++row) {
        const char* f = first[random() % 12];
        const char* l = last[random() % 10];
        unsigned r = random();
        const char* note = r % 7 == 0 ? "\"ring twice, \"\"back door\"\"\"" : "regular customer";
        std::snprintf(line, sizeof line,
                      "%06d,\"%s, %s\",%s %u,%05u,%s,+49 %03u %07u,%s.%s@example.org,%s\r\n", row,
                      l, f, street[r % 7], r % 200 + 1, r % 99999, city[(r >> 8) % 7],
                      (r >> 4) % 1000, r % 9999999, f, l, note);
        text += line;
    }
    return text;
}

// The file to read: CSV_BENCH_FILE names it (and is written when missing),
// so the comparison script reads the very same bytes.
const std::string& BenchFile() {
    static const std::string path = [] {
        const char* env = std::getenv("CSV_BENCH_FILE");
        std::string file =
            env != nullptr
                ? env
                : (std::filesystem::temp_directory_path() / "csv_bench_addresses.csv").string();
        if (!std::filesystem::exists(file)) {
            std::ofstream(file, std::ios::binary) << MakeAddressList();
        }
        return file;
    }();
    return path;
}

size_t HeapInUse() {
    struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

void BM_OpenIndexed(benchmark::State& state) {
    const std::string& path = BenchFile();
    size_t size = std::filesystem::file_size(path);
    double peak = 0;
    for (auto _ : state) {
        size_t before = HeapInUse();
        CsvTable* table = CsvOpen(path.c_str());
        peak = static_cast<double>(HeapInUse() - before);
        benchmark::DoNotOptimize(table);
        CsvClose(table);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * size));
    state.counters["heap_per_file_byte"] = peak / static_cast<double>(size);
}

// Open, then read every cell by position: through the table's accessor, and
// through the exported copy the wizard uses.
void BM_OpenReadEveryCell(benchmark::State& state) {
    const std::string& path = BenchFile();
    size_t size = std::filesystem::file_size(path);
    bool copies = state.range(0) != 0;
    for (auto _ : state) {
        CsvTable* table = CsvOpen(path.c_str());
        size_t total = 0;
        for (int32_t row = 0; row < CsvRowCount(table); ++row) {
            for (int32_t column = 0; column < CsvColumnCount(table); ++column) {
                if (copies) {
                    char* text = CsvCellText(table, row, column);
                    total += text[0];
                    CsvFreeText(text);
                } else {
                    total += CsvTableCell(table, row, column)[0];
                }
            }
        }
        benchmark::DoNotOptimize(total);
        CsvClose(table);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * size));
}

} // namespace

BENCHMARK(BM_OpenIndexed)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenReadEveryCell)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
