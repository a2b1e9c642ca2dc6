#include "label_bench_support.h"

#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>

#include "data_source.h"
#include "demo_project.h"
#include "label_compose.h"
#include "label_fields.h"
#include "loaded_tables.h"

namespace {

const char* const kFirstNames[] = {"Amelia", "Tomasz", "Grace",   "Henrik", "Priya",  "Oliver",
                                   "Sofia",  "Daniel", "Freya",   "Samuel", "Ingrid", "Kwame",
                                   "Lucia",  "Mateo",  "Harriet", "Yusuf",  "Eleanor"};
const char* const kSurnames[] = {"Hartwell", "Nowicki",   "Okafor",     "Lund",      "Raman",
                                 "Benn",     "Marquez",   "Achebe",     "Lindqvist", "Whitlock",
                                 "Thornton", "Abernathy", "Fitzgerald", "Castell",   "Ashdown"};
const char* const kStreets[] = {
    "Orchard Lane",      "Quarry Road",   "Mill Street",     "Harbour View", "Chestnut Close",
    "Station Approach",  "Linden Avenue", "Riverside Walk",  "Beacon Hill",  "Kingfisher Way",
    "Weatherby Gardens", "Thistle Court", "Brotherton Drive"};
const char* const kTowns[] = {"Brighton",  "Leeds",  "Manchester", "Plymouth",
                              "Cambridge", "York",   "Bristol",    "Newcastle",
                              "Exeter",    "Oxford", "Nottingham", "Sheffield"};

template <size_t N> const char* Pick(const char* const (&names)[N], int32_t row, int32_t stride) {
    return names[(static_cast<size_t>(row) * static_cast<size_t>(stride)) % N];
}

std::string TablePath(const std::string& folder, const char* name, size_t size) {
    return folder + "/" + std::string(name, strnlen(name, size));
}

class EngineLabelServices : public DataSourceServices {
  public:
    uint32_t LoadTables(const AppState& state) override {
        return tables_.Load(TablePath(tablesFolder, state.szRuleFile, sizeof state.szRuleFile),
                            TablePath(tablesFolder + "/exceptions", state.szExceptionFile,
                                      sizeof state.szExceptionFile));
    }
    void UnloadTables() override { tables_.Unload(); }
    void Translate(const char* source, char* braille) override {
        tables_.Translate(source, braille, kBrailleTextSize);
    }

    std::string tablesFolder;

  private:
    tactr::LoadedTables tables_;
};

EngineLabelServices& Services() {
    static EngineLabelServices services;
    return services;
}

void UnloadRecordTables(uint32_t) {
    Services().UnloadTables();
}

} // namespace

void InstallBenchServices(const std::string& tablesFolder) {
    Services().tablesFolder = tablesFolder;
    SetAppStateServices({UnloadRecordTables, DataSourceClose});
}

int ComposeBenchLabel(char* buffer, int32_t record, AppState* state) {
    return ComposeLabelText(buffer, record, state, Services());
}

int WriteAddressList(const std::string& path, int32_t rows) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) {
        return 0;
    }
    bool written = true;
    for (int32_t row = 0; row < rows && written; ++row) {
        written = std::fprintf(file, "%s %s;%d %s;%c%c%d %dQJ;%s\r\n", Pick(kFirstNames, row, 1),
                               Pick(kSurnames, row, 7), 1 + row % 197, Pick(kStreets, row, 3),
                               'A' + row % 26, 'A' + row / 26 % 26, 1 + row % 29, row % 10,
                               Pick(kTowns, row, 5)) > 0;
    }
    return std::fclose(file) == 0 && written;
}

std::string BenchTempPath(const char* name) {
    const std::string unique = std::to_string(getpid()) + "-" + name;
    return (std::filesystem::temp_directory_path() / ("dotwell-" + unique)).string();
}

void DescribeAddressJob(AppState* state, const std::string& csvPath) {
    DescribeDemoProject(state, csvPath.c_str(), "");
    ScanLabelFields(state);
}
