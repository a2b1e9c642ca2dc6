#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <memory>

#include "app_state.h"

namespace {

struct ReleaseLog {
    int unloads = 0;
    int closes = 0;
} g_log;

void CountUnload(uint32_t) {
    ++g_log.unloads;
}
uint32_t CountClose(AppState*) {
    ++g_log.closes;
    return 0;
}

class AppStateTest : public ::testing::Test {
  protected:
    void SetUp() override {
        g_log = {};
        SetAppStateServices({CountUnload, CountClose});
        state = std::make_unique<AppState>();
    }
    void TearDown() override { SetAppStateServices({}); }
    std::unique_ptr<AppState> state;
};

TEST_F(AppStateTest, ResetLeavesOnlyTheFourDefaults) {
    std::memset(state.get(), 0xAB, sizeof *state);
    ResetAppState(state.get());
    EXPECT_EQ(state->dwMagic, 0x12345678u);
    EXPECT_EQ(state->dwVersion, 2u);
    EXPECT_EQ(state->nFromLabel, 1);
    EXPECT_EQ(state->nStartPos, 1);
    AppState expected;
    std::memset(&expected, 0, sizeof expected);
    expected.dwMagic = 0x12345678;
    expected.dwVersion = 2;
    expected.nFromLabel = 1;
    expected.nStartPos = 1;
    EXPECT_EQ(std::memcmp(state.get(), &expected, sizeof expected), 0);
}

TEST_F(AppStateTest, ReleaseClosesWhatIsOpenOnceAndResets) {
    ResetAppState(state.get());
    state->bAutoEmboss = 1;
    state->hTranslator = 7;
    state->hDataSource = 3;
    state->pFields = static_cast<LabelField*>(std::malloc(sizeof(LabelField)));
    state->nFieldCount = 1;
    std::strcpy(state->szLabelText, "{A}");

    ReleaseAppState(state.get());
    ReleaseAppState(state.get());

    EXPECT_EQ(g_log.unloads, 1);
    EXPECT_EQ(g_log.closes, 1);
    EXPECT_EQ(state->bAutoEmboss, 0u) << "the /p switch must not survive a release";
    EXPECT_EQ(state->pFields, nullptr);
    EXPECT_EQ(state->szLabelText[0], '\0');
    EXPECT_EQ(state->dwMagic, 0x12345678u);
}

TEST_F(AppStateTest, ReleaseOfNothingIsHarmless) {
    ReleaseAppState(nullptr);
    ResetAppState(state.get());
    ReleaseAppState(state.get());
    EXPECT_EQ(g_log.unloads + g_log.closes, 0);
}

} // namespace
