#include <gtest/gtest.h>

#include "navigation.h"

namespace {

TEST(Navigation, NextSkipsDisabledPages) {
    unsigned all[7] = {1, 1, 1, 1, 1, 1, 1};
    unsigned noDatabase[7] = {1, 1, 1, 1, 1, 0, 1};
    unsigned noneAfterWelcome[7] = {1, 0, 0, 0, 0, 0, 0};
    const struct {
        unsigned* enabled;
        int from;
        int to;
    } cases[] = {
        {all, 0, 1},        {all, 4, 5},        {noDatabase, 4, 6},
        {all, 6, 6},        {noDatabase, 6, 6}, {noneAfterWelcome, 0, 0},
        {noDatabase, 3, 4},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(NextPageIndex(c.enabled, c.from), c.to) << "from " << c.from;
    }
}

TEST(Navigation, BackSkipsDisabledPagesAndAlwaysReachesWelcome) {
    unsigned all[7] = {1, 1, 1, 1, 1, 1, 1};
    unsigned noDatabase[7] = {1, 1, 1, 1, 1, 0, 1};
    unsigned welcomeOff[7] = {0, 1, 1, 1, 1, 1, 1};
    const struct {
        unsigned* enabled;
        int from;
        int to;
    } cases[] = {
        {noDatabase, 6, 4}, {all, 6, 5}, {all, 1, 0}, {welcomeOff, 1, 0}, {all, 0, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(PreviousPageIndex(c.enabled, c.from), c.to) << "from " << c.from;
    }
}

} // namespace
