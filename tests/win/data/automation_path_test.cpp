#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <string>

#include "data_source_fixture.h"
#include "direct_workbook.h"
#include "external_editor_win.h"
#include "fixture_writer.h"

namespace {

class AutomationPathTest : public DataSourceFixture {
  protected:
    static void SetUpTestSuite() {
        ASSERT_EQ(1, RunAndWait("\"%s\" /regserver", WinePath(AUTOMATION_SERVER_EXE).c_str()));
    }
    static void TearDownTestSuite() {
        RunAndWait("\"%s\" /unregserver", WinePath(AUTOMATION_SERVER_EXE).c_str());
    }

    void SetUp() override {
        ASSERT_EQ(1, ExcelRegistered());
        DataSourceFixture::SetUp();
    }

    void Use(const std::string& name, const Bytes& bytes) {
        DataSourceFixture::Use(name, std::string(bytes.begin(), bytes.end()));
    }
};

TEST_F(AutomationPathTest, ReadsCellsFromTheUsedRangeLikeTheDirectReader) {
    Use("Doses.xls", MakeXls({}, {
                                     Label(2, 2, u"Name", false),
                                     Label(2, 3, u"Dose", false),
                                     Label(3, 2, u"M\u00fcller", false),
                                     Number(3, 3, 2.5),
                                     Number(4, 3, 1.05),
                                     Number(5, 3, 0),
                                     Number(6, 3, -4.25),
                                     Number(7, 3, 1.0 / 3.0),
                                     BoolErr(8, 3, 1, false),
                                     Number(8, 2, 3),
                                 }));
    ASSERT_NE(0u, DataSourceOpen(&state_)) << (errors_.empty() ? "" : errors_[0]);
    EXPECT_EQ(7, DataSourceRowCount(&state_));
    const struct {
        int32_t row, column;
        const char* text;
    } cases[] = {
        {1, 1, "Name"}, {2, 2, "2.5"},   {3, 2, "1.05"},
        {4, 2, "0"},    {5, 2, "-4.25"}, {6, 2, "0.3333333333"},
        {3, 1, ""},     {7, 2, "TRUE"},  {7, 1, "3"},
        {1, 3, ""}, // a field past the used range
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.text, Cell(c.row, c.column)) << c.row << "," << c.column;
    }

    // Cell for cell the same texts as without the application (as UTF-8
    // there, ANSI here).
    DirectWorkbook* direct = DirectWorkbookOpen(path_.c_str());
    ASSERT_NE(nullptr, direct);
    for (int32_t row = 1; row <= 7; ++row) {
        for (int32_t column = 1; column <= 2; ++column) {
            char* text = Utf8ToAnsiText(DirectWorkbookCell(direct, row, column));
            EXPECT_EQ(std::string(text), Cell(row, column)) << row << "," << column;
            std::free(text);
        }
    }
    DirectWorkbookClose(direct);
    EXPECT_TRUE(errors_.empty());
}

TEST_F(AutomationPathTest, UnreadableWorkbookIsReportedAndLeavesNothingOpen) {
    Use("broken.xls", Bytes{'n', 'o', 't', ' ', 'a', ' ', 'b', 'o', 'o', 'k'});
    EXPECT_EQ(0u, DataSourceOpen(&state_));
    EXPECT_EQ(0u, state_.hDataSource);
    ASSERT_FALSE(errors_.empty());
    EXPECT_NE(std::string::npos, errors_[0].find("Open")) << errors_[0];
    EXPECT_EQ(-1, DataSourceRowCount(&state_));
    EXPECT_EQ(1, DataSourceFailed(&state_));
    // A label without a data source is not failed by it.
    char label[4096];
    state_.szDatabaseFile[0] = '\0';
    EXPECT_NE(kComposeSourceFailed, ComposeLabelText(label, 1, &state_));

    // The process goes on, and the next workbook opens.
    Use("good.xls", MakeXls({}, {Number(0, 0, 7)}));
    ASSERT_NE(0u, DataSourceOpen(&state_));
    EXPECT_EQ(0, DataSourceFailed(&state_));
    EXPECT_EQ("7", Cell(1, 1));
}

// A failing read is shown once; the source then reads nothing more, so that
// no caller shows one message per record, and is closed without another.
TEST_F(AutomationPathTest, FailedReadIsShownOnce) {
    Use("book.xls", MakeXls({}, {Number(0, 0, 7), Number(1, 0, 8)}));
    ASSERT_NE(0u, DataSourceOpen(&state_));
    EXPECT_EQ("<null>", Cell(1, 16385)); // beyond the sheet's last column
    EXPECT_EQ(1, DataSourceFailed(&state_));
    EXPECT_EQ("<null>", Cell(2, 1));
    DataSourceClose(&state_);
    EXPECT_EQ(1u, errors_.size());
}

} // namespace
