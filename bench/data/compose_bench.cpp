// Composing a job's labels: 10,000 labels from a 100,000-row file,
// translated with the UEB grade 2 table. A job of this size should take
// well under a second.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "label_compose.h"
#include "label_fields.h"
#include "qrf_table.h"
#include "translate.h"
#include "units.h"

namespace {

class EngineServices : public DataSourceServices {
  public:
    explicit EngineServices(const tactr::Table& table) : table_(table) {}
    uint32_t LoadTables(const AppState&) override { return 1; }
    void UnloadTables() override {}
    void Translate(const char* source, char* braille) override {
        tactr::Translate(table_, nullptr, source, braille, kBrailleTextSize);
    }

  private:
    const tactr::Table& table_;
};

std::string WriteRecords() {
    const std::string path =
        (std::filesystem::temp_directory_path() / "dotwell-compose-bench.csv").string();
    std::FILE* file = std::fopen(path.c_str(), "wb");
    for (int row = 0; row < 100000; ++row) {
        std::fprintf(file, "Patient %d;Amoxicillin %d mg;Take one capsule three times a day\n", row,
                     250 + row % 4 * 250);
    }
    std::fclose(file);
    return path;
}

void ComposeJob(benchmark::State& run) {
    tactr::Table table;
    std::string error;
    const std::string tablePath = DOTWELL_SOURCE_DIR "/libs/tactr32/tables/en-ueb-g2.qrf";
    if (!tactr::CompileTable(tablePath, tactr::TableKind::kTranslation, tactr::ReadWholeFile, table,
                             error)) {
        run.SkipWithError(error.c_str());
        return;
    }
    const std::string csv = WriteRecords();
    EngineServices services(table);
    static AppState state;
    ResetAppState(&state);
    std::strcpy(state.szDatabaseFile, csv.c_str());
    std::strcpy(state.szLabelText, "{A}\r\n{B}\r\n{C}");
    state.Sheet.wTextWidth = static_cast<uint16_t>(MmToTwips(90, 0));
    ScanLabelFields(&state);
    char buffer[4096];
    for (auto _ : run) {
        for (int32_t label = 45001; label <= 55000; ++label) {
            if (!ComposeLabelText(buffer, label, &state, services)) {
                run.SkipWithError("a label was not composed");
                break;
            }
        }
        benchmark::DoNotOptimize(buffer);
        // Every job opens its source afresh, as the Emboss page's do.
        services.CloseSource(state);
    }
    std::free(state.pFields);
    state.pFields = nullptr;
    std::filesystem::remove(csv);
}
BENCHMARK(ComposeJob)->Unit(benchmark::kMillisecond);

} // namespace
