#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "label_compose.h"
#include "label_fields.h"
#include "units.h"

namespace {

// A data source of plain rows and a translator that upper-cases, so results
// show both the merge and the translation.
class FakeServices : public LabelServices {
  public:
    std::vector<std::vector<std::string>> rows;
    bool openFails = false;
    uint32_t tables = 7;
    int opens = 0, closes = 0, loads = 0, unloads = 0, outstanding = 0;

    uint32_t OpenSource(AppState& state) override {
        ++opens;
        state.hDataSource = openFails ? 0 : 1;
        return state.hDataSource;
    }
    void CloseSource(AppState& state) override {
        ++closes;
        state.hDataSource = 0;
    }
    int32_t RowCount(AppState&) override { return static_cast<int32_t>(rows.size()); }
    char* Cell(AppState&, int32_t row, int32_t column) override {
        if (row < 1 || row > static_cast<int32_t>(rows.size()) || column < 1 ||
            column > static_cast<int32_t>(rows[row - 1].size())) {
            return nullptr;
        }
        ++outstanding;
        return strdup(rows[row - 1][column - 1].c_str());
    }
    void FreeCell(AppState&, char* text) override {
        if (text) {
            --outstanding;
        }
        std::free(text);
    }
    uint32_t LoadTables(const AppState&) override {
        ++loads;
        return tables;
    }
    void UnloadTables() override { ++unloads; }
    void Translate(const char* source, char* braille) override {
        size_t i = 0;
        for (; source[i] && i < kBrailleTextSize - 1; ++i) {
            const char c = source[i];
            braille[i] = c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c;
        }
        braille[i] = '\0';
    }
};

class RecordingView : public PreviewView {
  public:
    bool enabled = false;
    int32_t record = 0, count = 0;
    std::string text, typed; // what is shown; the label's text behind it
    bool braille = false;

    void EnableControls(bool on) override { enabled = on; }
    void ShowCounter(int32_t r, int32_t c) override {
        record = r;
        count = c;
    }
    void ShowText(const char* t, const char* b) override {
        text = b ? b : t;
        typed = t;
        braille = b != nullptr;
    }
};

class ComposeTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ResetAppState(&state_);
        state_.Sheet.wTextWidth = static_cast<uint16_t>(MmToTwips(50, 0));
        std::strcpy(state_.szDatabaseFile, "c:\\data\\names.csv");
        fake_.rows = {{"Ann", "Smith"}, {"Bo", "Li"}};
    }
    void TearDown() override { std::free(state_.pFields); }

    void SetText(const char* text) {
        std::strcpy(state_.szLabelText, text);
        ScanLabelFields(&state_);
    }

    // The composed lines, up to the double NUL.
    std::vector<std::string> Compose(int32_t record, int* result = nullptr) {
        char buffer[4096];
        std::memset(buffer, '#', sizeof buffer);
        const int done = ComposeLabelText(buffer, record, &state_, fake_);
        if (result) {
            *result = done;
        }
        std::vector<std::string> lines;
        for (const char* line = buffer; done == 1 && *line; line += std::strlen(line) + 1) {
            lines.push_back(line);
        }
        return lines;
    }

    AppState state_{};
    FakeServices fake_;
};

TEST_F(ComposeTest, MergesTranslatesAndClips) {
    SetText("{A} {B}\n\nnumber {C}\nvery long line");
    EXPECT_EQ((std::vector<std::string>{"ANN SMIT", "NUMBER {", "VERY LON"}), Compose(1));
    EXPECT_EQ((std::vector<std::string>{"BO LI", "NUMBER {", "VERY LON"}), Compose(2));
    EXPECT_EQ(0, fake_.outstanding);
    EXPECT_EQ(1, fake_.opens) << "the source stays open for the next label";
    EXPECT_EQ(1, fake_.loads);
}

TEST_F(ComposeTest, EndsWithTwoNuls) {
    SetText("a\nb");
    char buffer[4096];
    std::memset(buffer, '#', sizeof buffer);
    ASSERT_EQ(1, ComposeLabelText(buffer, 1, &state_, fake_));
    EXPECT_EQ(0, std::memcmp("A\0B\0\0", buffer, 5));
}

TEST_F(ComposeTest, EmptyTextGivesTwoNuls) {
    SetText("");
    char buffer[4096];
    std::memset(buffer, '#', sizeof buffer);
    ASSERT_EQ(1, ComposeLabelText(buffer, 1, &state_, fake_));
    EXPECT_EQ(0, std::memcmp("\0\0", buffer, 2));
}

TEST_F(ComposeTest, WithoutDataSourceComposesTheTextAlone) {
    state_.szDatabaseFile[0] = '\0';
    SetText("hello {A}");
    EXPECT_EQ((std::vector<std::string>{"HELLO {A"}), Compose(1));
    EXPECT_EQ(0, fake_.opens);
}

// A job ends at a label whose data file or tables cannot be had, rather
// than emboss it blank; a record past the last row is still a label.
TEST_F(ComposeTest, ResultWhenSourceOrTablesAreMissing) {
    const struct {
        const char* name;
        bool hasPath, openFails;
        uint32_t tables;
        int32_t record;
        int result;
        std::vector<std::string> lines;
    } cases[] = {
        {"data file will not open", true, true, 7, 1, kComposeSourceNotOpened, {}},
        {"tables will not load", true, false, 0, 1, kComposeNoTables, {}},
        {"neither: the data file first", true, true, 0, 1, kComposeSourceNotOpened, {}},
        {"no data file, no tables", false, false, 0, 1, kComposeNoTables, {}},
        {"record past the last row", true, false, 7, 3, 1, {"{A}"}},
        {"record below 1", true, false, 7, -1, 0, {}},
    };
    SetText("{A}");
    for (const auto& c : cases) {
        std::strcpy(state_.szDatabaseFile, c.hasPath ? "c:\\data\\names.csv" : "");
        state_.hDataSource = 0;
        fake_.openFails = c.openFails;
        fake_.tables = c.tables;
        int result = 2;
        EXPECT_EQ(c.lines, Compose(c.record, &result)) << c.name;
        EXPECT_EQ(c.result, result) << c.name;
    }
}

TEST_F(ComposeTest, HugeCellsStayInsideTheBuffer) {
    fake_.rows = {{std::string(10000, 'x')}};
    SetText("{A}{A}{A}");
    const auto lines = Compose(1);
    ASSERT_EQ(1u, lines.size());
    EXPECT_EQ(std::string(8, 'X'), lines[0]);
}

TEST(UpdateLabelRange, KeepsFromAndToInside) {
    const struct {
        int32_t from, to, max;
        int32_t wantFrom, wantTo;
    } cases[] = {
        {1, 0, 10, 1, 10}, {5, 7, 10, 5, 7},  {0, 3, 10, 1, 3},
        {12, 3, 10, 1, 3}, {4, 2, 10, 4, 10}, {4, 20, 10, 4, 10},
    };
    for (const auto& c : cases) {
        AppState state{};
        state.nFromLabel = c.from;
        state.nToLabel = c.to;
        UpdateLabelRange(state, c.max);
        EXPECT_EQ(1, state.nMinLabel);
        EXPECT_EQ(c.max, state.nMaxLabel);
        EXPECT_EQ(c.wantFrom, state.nFromLabel) << c.from << ".." << c.to;
        EXPECT_EQ(c.wantTo, state.nToLabel) << c.from << ".." << c.to;
    }
}

TEST_F(ComposeTest, PreviewShowsTheRecordAsTypedWithItsCounter) {
    SetText("{A}\n{B}");
    RecordingView view;
    ASSERT_EQ(1, PreviewLabelRange(&state_, fake_));
    EXPECT_EQ(2, state_.nMaxLabel);
    ASSERT_EQ(1, ReopenLabelPreview(&state_, 0, false, fake_, view));
    EXPECT_TRUE(view.enabled);
    EXPECT_EQ(1, view.record);
    EXPECT_EQ(2, view.count);
    EXPECT_EQ("Ann\nSmith", view.text);
    EXPECT_FALSE(view.braille);
    EXPECT_EQ(0, fake_.loads);

    ASSERT_EQ(1, ShowLabelPreview(&state_, 1, fake_, view));
    EXPECT_EQ("Bo\nLi", view.text);

    EXPECT_EQ(0, ShowLabelPreview(&state_, 2, fake_, view));
    EXPECT_EQ("Bo\nLi", view.text) << "a record past the last leaves the preview";
    EXPECT_EQ(0u, state_.hDataSource);

    ReleaseLabelPreview(&state_, fake_, view);
    EXPECT_FALSE(view.enabled);
    EXPECT_EQ(0, fake_.outstanding);
}

TEST_F(ComposeTest, TranslatedPreviewLoadsAndReleasesItsTables) {
    SetText("{A}");
    RecordingView view;
    ASSERT_EQ(1, ReopenLabelPreview(&state_, 0, true, fake_, view));
    EXPECT_EQ("ANN", view.text);
    EXPECT_TRUE(view.braille);
    EXPECT_EQ("Ann", view.typed) << "the text behind the cells goes with them";
    ASSERT_EQ(1, ReopenLabelPreview(&state_, 0, true, fake_, view));
    EXPECT_EQ(2, fake_.loads);
    EXPECT_EQ(1, fake_.unloads) << "tables held are let go before loading again";
    ReleaseLabelPreview(&state_, fake_, view);
    EXPECT_EQ(2, fake_.unloads);
    EXPECT_EQ(0u, state_.hDataSource);
}

TEST_F(ComposeTest, PreviewWithoutSourceCountsTenThousand) {
    state_.szDatabaseFile[0] = '\0';
    SetText("plain");
    RecordingView view;
    ASSERT_EQ(1, PreviewLabelRange(&state_, fake_));
    ASSERT_EQ(1, ReopenLabelPreview(&state_, 0, false, fake_, view));
    EXPECT_EQ(10000, view.count);
    EXPECT_EQ("plain", view.text);
}

} // namespace
