#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "cell_store.h"
#include "csv.h"
#include "csv_save.h"
#include "csv_walk.h"

// A data file of the largest size the editor takes in rows: 32,000 records
// of 8 fields, the kind of names-and-addresses list labels are made from,
// quoted as the editor saves it. GRID_BENCH_FILE names it (and is written
// when missing, and kept), so bench/csv/compare.py reads the very same bytes.
static std::string MakeFile() {
    const char* env = std::getenv("GRID_BENCH_FILE");
    std::string path =
        env != nullptr ? env
                       : (std::filesystem::temp_directory_path() / "grid_benchmark.csv").string();
    if (env != nullptr && std::filesystem::exists(path)) {
        return path;
    }
    std::ofstream out(path, std::ios::binary);
    for (int row = 0; row < 32000; ++row) {
        out << "Name " << row << ";\"Street " << row % 977 << ", 2nd floor\";" << 10000 + row
            << ";Springfield;TRUE;\"12,50\";\"a;b\";\"say \"\"hi\"\"\"\n";
    }
    return path;
}

static void RemoveFile(const std::string& path) {
    if (std::getenv("GRID_BENCH_FILE") == nullptr) {
        std::remove(path.c_str());
    }
}

static void LoadIntoStore(const std::string& path, CellStore& store, int& rows, int& cols) {
    CsvTable* table = CsvOpen(path.c_str());
    rows = 1;
    cols = 1;
    TakeCsvCells(table, [&](int row, int col, const char* text) {
        rows = row + 1 > rows ? row + 1 : rows;
        cols = col + 1 > cols ? col + 1 : cols;
        store.Set(row + 1, col + 1, text, 'U');
    });
    CsvClose(table);
}

static void BM_LoadCsvIntoCellStore(benchmark::State& state) {
    std::string path = MakeFile();
    for (auto _ : state) {
        CellStore store;
        int rows = 0;
        int cols = 0;
        LoadIntoStore(path, store, rows, cols);
        if (rows != 32000 || cols != 8) {
            state.SkipWithError("file not loaded whole");
        }
        benchmark::DoNotOptimize(store.Count());
    }
    RemoveFile(path);
}
BENCHMARK(BM_LoadCsvIntoCellStore)->Unit(benchmark::kMillisecond);

static void BM_SaveCellStoreAsCsv(benchmark::State& state) {
    std::string path = MakeFile();
    CellStore store;
    int rows = 0;
    int cols = 0;
    LoadIntoStore(path, store, rows, cols);
    for (auto _ : state) {
        std::string bytes = FormatGridCsv(
            rows, cols, [&](int row, int col, char* buffer) { store.CopyText(row, col, buffer); });
        std::ofstream(path, std::ios::binary) << bytes;
        benchmark::DoNotOptimize(bytes.size());
    }
    RemoveFile(path);
}
BENCHMARK(BM_SaveCellStoreAsCsv)->Unit(benchmark::kMillisecond);
