#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "data_source.h"
#include "fixture_writer.h"

namespace {

TEST(DataSourceKindOf, LowercasesAndLooksAnywhere) {
    const struct {
        const char* path;
        int32_t kind;
        const char* lowered;
    } cases[] = {
        {"C:\\Data\\Names.CSV", kSourceCsv, "c:\\data\\names.csv"},
        {"c:\\x.xls.csv", kSourceWorkbook, "c:\\x.xls.csv"},
        {"c:\\book.XLSX", kSourceWorkbook, "c:\\book.xlsx"},
        {"c:\\my.csv.d\\list.txt", kSourceCsv, "c:\\my.csv.d\\list.txt"},
        {"c:\\notes.txt", kSourceNone, "c:\\notes.txt"},
        {"", kSourceNone, ""},
    };
    for (const auto& c : cases) {
        char path[260];
        std::strcpy(path, c.path);
        EXPECT_EQ(c.kind, DataSourceKindOf(path)) << c.path;
        EXPECT_STREQ(c.lowered, path);
    }
}

class DataSourceTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ResetAppState(&state_);
        // Opening lowercases the path, so the folder is lowercase for
        // case-sensitive file systems.
        std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        for (char& c : name) {
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
        folder_ = std::filesystem::temp_directory_path() / ("dotwell-data-" + name);
        std::filesystem::create_directories(folder_);
    }
    void TearDown() override {
        DataSourceClose(&state_);
        std::filesystem::remove_all(folder_);
    }

    void WriteSource(const char* name, const void* bytes, size_t size) {
        const std::string path = (folder_ / name).string();
        std::FILE* file = std::fopen(path.c_str(), "wb");
        ASSERT_NE(nullptr, file);
        std::fwrite(bytes, 1, size, file);
        std::fclose(file);
        std::strcpy(state_.szDatabaseFile, path.c_str());
    }

    std::string Cell(int32_t row, int32_t column) {
        char* text = DataSourceCell(&state_, row, column);
        const std::string result = text ? text : "<null>";
        DataSourceFreeCell(&state_, text);
        return result;
    }

    AppState state_{};
    std::filesystem::path folder_;
};

TEST_F(DataSourceTest, NothingOpenGivesNoCountsAndNoCells) {
    std::strcpy(state_.szDatabaseFile, "c:\\notes.txt");
    EXPECT_EQ(0u, DataSourceOpen(&state_));
    EXPECT_EQ(kSourceNone, state_.nSourceKind);
    EXPECT_EQ(-1, DataSourceRowCount(&state_));
    EXPECT_EQ(-1, DataSourceColumnCount(&state_));
    EXPECT_EQ("<null>", Cell(1, 1));
}

TEST_F(DataSourceTest, CsvRowsAndColumnsCountFromOne) {
    const char csv[] = "Ann;Smith\nBo;Li;x\n";
    WriteSource("names.csv", csv, sizeof csv - 1);
    ASSERT_NE(0u, DataSourceOpen(&state_));
    EXPECT_EQ(kSourceCsv, state_.nSourceKind);
    EXPECT_EQ(2, DataSourceRowCount(&state_));
    EXPECT_EQ(3, DataSourceColumnCount(&state_));
    EXPECT_EQ("Ann", Cell(1, 1));
    EXPECT_EQ("Li", Cell(2, 2));
    EXPECT_EQ("<null>", Cell(3, 1));
    EXPECT_EQ("<null>", Cell(1, -1));
    EXPECT_EQ(0u, DataSourceClose(&state_));
    EXPECT_EQ(0u, state_.hDataSource);
    EXPECT_EQ(kSourceNone, state_.nSourceKind);
}

TEST_F(DataSourceTest, MissingFileLeavesTheHandleZeroButSetsTheKind) {
    std::strcpy(state_.szDatabaseFile, (folder_ / "missing.csv").string().c_str());
    EXPECT_EQ(0u, DataSourceOpen(&state_));
    EXPECT_EQ(kSourceCsv, state_.nSourceKind);
}

TEST_F(DataSourceTest, WorkbookReadsFromTheUsedRangeWithNumbersAsText) {
    // Data from C3: row 1, column 1 is C3.
    const Bytes book = MakeXls({}, {
                                       Label(2, 2, u"Name", false),
                                       Label(2, 3, u"Dose", false),
                                       Label(3, 2, u"Ann", false),
                                       Number(3, 3, 2.5),
                                       Number(4, 3, 1.05),
                                       Number(5, 3, -4.25),
                                       Number(6, 3, 1.0 / 3.0),
                                       Number(7, 3, 1e300),
                                       BoolErr(8, 3, 1, false),
                                   });
    WriteSource("book.xls", book.data(), book.size());
    ASSERT_NE(0u, DataSourceOpen(&state_));
    EXPECT_EQ(kSourceWorkbook, state_.nSourceKind);
    EXPECT_EQ(7, DataSourceRowCount(&state_));
    EXPECT_EQ(2, DataSourceColumnCount(&state_));
    const struct {
        int32_t row, column;
        std::string text;
    } cases[] = {
        {1, 1, "Name"},         {2, 1, "Ann"}, {2, 2, "2.5"},  {3, 2, "1.05"},   {4, 2, "-4.25"},
        {5, 2, "0.3333333333"}, {3, 1, ""},    {7, 2, "TRUE"}, {1, 0, "<null>"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.text, Cell(c.row, c.column)) << c.row << "," << c.column;
    }
    // Far beyond the 100 bytes a number text once had.
    const std::string huge = Cell(6, 2);
    EXPECT_EQ(301u, huge.size());
    EXPECT_EQ("1000000000", huge.substr(0, 10));
}

TEST_F(DataSourceTest, HandlesRunOutWithoutLeakingSources) {
    const char csv[] = "a\n";
    WriteSource("a.csv", csv, sizeof csv - 1);
    AppState states[10];
    int opened = 0;
    for (AppState& state : states) {
        ResetAppState(&state);
        std::strcpy(state.szDatabaseFile, state_.szDatabaseFile);
        opened += DataSourceOpen(&state) != 0;
    }
    EXPECT_GE(opened, 2);
    EXPECT_LT(opened, 10);
    for (AppState& state : states) {
        DataSourceClose(&state);
    }
    EXPECT_NE(0u, DataSourceOpen(&state_));
}

} // namespace
