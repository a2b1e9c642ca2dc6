#include <gtest/gtest.h>

#include <windows.h>
#include <shlobj.h>

#include <cstring>
#include <string>

#include "data_source_fixture.h"
#include "external_editor_win.h"
#include "fixture_writer.h"
#include "label_fields.h"
#include "paths.h"
#include "rule_tables.h"

namespace {

using DataSourceWinTest = DataSourceFixture;

TEST_F(DataSourceWinTest, CsvThroughTheLibraryGivesAnsiText) {
    Use("Names.CSV", "Name;City\nM\xC3\xBCller;K\xC3\xB6ln\n");
    ASSERT_NE(0u, DataSourceOpen(&state_));
    EXPECT_EQ(kSourceCsv, state_.nSourceKind);
    EXPECT_EQ(2, DataSourceRowCount(&state_));
    EXPECT_EQ("<null>", Cell(2, 3)) << "a field past the last column";
    if (GetACP() != 1252) {
        GTEST_SKIP() << "the prefix's ANSI code page is " << GetACP();
    }
    EXPECT_EQ("M\xFCller", Cell(2, 1));
    EXPECT_EQ("K\xF6ln", Cell(2, 2));
}

TEST_F(DataSourceWinTest, ReleasingTheRecordClosesTheSource) {
    Use("a.csv", "x\n");
    ASSERT_NE(0u, DataSourceOpen(&state_));
    ReleaseAppState(&state_);
    EXPECT_EQ(0u, state_.hDataSource);
    EXPECT_EQ(-1, DataSourceRowCount(&state_));
}

TEST_F(DataSourceWinTest, WorkbookIsReadDirectlyWithoutSpreadsheetApplication) {
    if (ExcelRegistered()) {
        GTEST_SKIP() << "a spreadsheet application is registered in this prefix";
    }
    const Bytes book = MakeXls({}, {
                                       Label(0, 0, u"M\u00fcller", false),
                                       Number(0, 1, 3),
                                       Number(1, 1, 0.05),
                                   });
    Use("Book.xls", std::string(book.begin(), book.end()));
    ASSERT_NE(0u, DataSourceOpen(&state_));
    EXPECT_EQ(kSourceWorkbook, state_.nSourceKind);
    EXPECT_EQ(2, DataSourceRowCount(&state_));
    EXPECT_EQ("3", Cell(1, 2));
    EXPECT_EQ("", Cell(1, 3)) << "a field past the last column";
    EXPECT_EQ("0.05", Cell(2, 2));
    EXPECT_EQ("", Cell(2, 1));
    if (GetACP() == 1252) {
        EXPECT_EQ("M\xFCller", Cell(1, 1));
    }
    EXPECT_TRUE(errors_.empty());
}

TEST_F(DataSourceWinTest, FailingAutomationIsReportedAndTheProcessGoesOn) {
    EXPECT_EQ(E_POINTER, AutoWrap(DISPATCH_PROPERTYGET, nullptr, nullptr, L"Count", 0));
    ASSERT_EQ(1u, errors_.size());
    EXPECT_EQ("NULL IDispatch passed to AutoWrap()", errors_[0]);
    EXPECT_EQ(-1, ExcelRowCount(nullptr));
    EXPECT_EQ(nullptr, ExcelCell(nullptr, 1, 1));
    ExcelClose(nullptr);
}

TEST(RunAndWait, WaitsForTheProcessAndReportsStartFailures) {
    TempFolder folder;
    const std::string marker = folder.File("ran.txt");
    ASSERT_EQ(1, RunAndWait("cmd.exe /c echo done> \"%s\"", marker.c_str()));
    EXPECT_EQ("done\r\n", ReadFileBytes(marker));
    EXPECT_EQ(0, RunAndWait("\"%s\"", folder.File("no such program.exe").c_str()));
}

// The translator library and a table of the tables folder, as the
// installed program has them.
TEST_F(DataSourceWinTest, ComposesBrailleWithTheTranslatorLibrary) {
    const CopiedRuleTables tables{"en-ueb-g1.qrf", "en-ueb-chars.qri"};
    ASSERT_TRUE(tables.copied());
    std::strcpy(state_.szRuleFile, "en-ueb-g1.qrf");
    std::strcpy(state_.szLabelText, "{A}\r\n\r\n{B}");
    ScanLabelFields(&state_);
    state_.Sheet.wTextWidth = 1020; // 18 mm: three cells
    Use("names.csv", "abcd;bad\n");

    char buffer[4096];
    std::memset(buffer, '#', sizeof buffer);
    ASSERT_EQ(1, ComposeLabelText(buffer, 1, &state_));
    EXPECT_NE(0u, state_.hTranslator);
    // a b c (the fourth cell cut), then b a d; dots as 0x40 + bits.
    EXPECT_EQ(std::string("\x41\x43\x49\0\x43\x41\x59\0\0", 9), std::string(buffer, 9));
}

} // namespace
