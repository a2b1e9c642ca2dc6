#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "data_source_cell.h"
#include "fixture_writer.h"
#include "test_files.h"

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
    void SetUp() override { ResetAppState(&state_); }
    void TearDown() override { DataSourceClose(&state_); }

    // Opening lowercases the path; the folder's name is lowercase already.
    void WriteSource(const char* name, const std::string& bytes) {
        std::strcpy(state_.szDatabaseFile, folder_.Write(name, bytes).c_str());
    }

    std::string Cell(int32_t row, int32_t column) { return CellText(&state_, row, column); }

    TempFolder folder_;
    AppState state_{};
};

TEST_F(DataSourceTest, NothingOpenGivesNoCountsAndNoCells) {
    std::strcpy(state_.szDatabaseFile, "c:\\notes.txt");
    EXPECT_EQ(0u, DataSourceOpen(&state_));
    EXPECT_EQ(kSourceNone, state_.nSourceKind);
    EXPECT_EQ(-1, DataSourceRowCount(&state_));
    EXPECT_EQ("<null>", Cell(1, 1));
}

TEST_F(DataSourceTest, CsvRowsAndColumnsCountFromOne) {
    WriteSource("names.csv", "Ann;Smith\nBo;Li;x\n");
    ASSERT_NE(0u, DataSourceOpen(&state_));
    EXPECT_EQ(kSourceCsv, state_.nSourceKind);
    EXPECT_EQ(2, DataSourceRowCount(&state_));
    EXPECT_EQ("Ann", Cell(1, 1));
    EXPECT_EQ("Li", Cell(2, 2));
    // A short row reads empty up to the longest row's end.
    EXPECT_EQ("", Cell(1, 3));
    EXPECT_EQ("<null>", Cell(1, 4));
    EXPECT_EQ("<null>", Cell(3, 1));
    EXPECT_EQ("<null>", Cell(1, -1));
    EXPECT_EQ(0u, DataSourceClose(&state_));
    EXPECT_EQ(0u, state_.hDataSource);
    EXPECT_EQ(kSourceNone, state_.nSourceKind);
}

TEST_F(DataSourceTest, MissingFileLeavesTheHandleZeroButSetsTheKind) {
    std::strcpy(state_.szDatabaseFile, folder_.File("missing.csv").c_str());
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
    WriteSource("book.xls", std::string(book.begin(), book.end()));
    ASSERT_NE(0u, DataSourceOpen(&state_));
    EXPECT_EQ(kSourceWorkbook, state_.nSourceKind);
    EXPECT_EQ(7, DataSourceRowCount(&state_));
    const struct {
        int32_t row, column;
        std::string text;
    } cases[] = {
        {1, 1, "Name"},         {2, 1, "Ann"}, {2, 2, "2.5"},  {3, 2, "1.05"},   {4, 2, "-4.25"},
        {5, 2, "0.3333333333"}, {3, 1, ""},    {7, 2, "TRUE"}, {1, 0, "<null>"}, {1, 3, ""},
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
    WriteSource("a.csv", "a\n");
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
