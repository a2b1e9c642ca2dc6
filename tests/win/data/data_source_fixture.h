#pragma once
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "data_services_win.h"
#include "data_source.h"
#include "data_source_cell.h"
#include "excel_automation_win.h"
#include "win_test_support.h"

// A record of the test's own, read through the wizard's data services; the
// messages of failing automation are recorded instead of shown.
class DataSourceFixture : public ::testing::Test {
  protected:
    void SetUp() override {
        InstallDataServices();
        ResetAppState(&state_);
        errors_.clear();
        SetAutomationErrorSink(RecordError);
    }
    void TearDown() override {
        ReleaseAppState(&state_);
        SetAutomationErrorSink(nullptr);
    }

    // Writes a data file into the test's folder and makes it the record's.
    void Use(const std::string& name, const std::string& bytes) {
        path_ = folder_.File(name);
        ASSERT_TRUE(WriteFileBytes(path_, bytes));
        std::strcpy(state_.szDatabaseFile, path_.c_str());
    }

    std::string Cell(int32_t row, int32_t column) { return CellText(&state_, row, column); }

    static void RecordError(const char* text, const char*) { errors_.push_back(text); }

    static inline std::vector<std::string> errors_;
    TempFolder folder_;
    std::string path_;
    AppState state_{};
};
