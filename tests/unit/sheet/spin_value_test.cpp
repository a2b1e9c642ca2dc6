#include <gtest/gtest.h>

#include <cstring>

#include "spin_value.h"

namespace {

TEST(SpinCount, IsTheNumberOfStepsCappedAt32767) {
    EXPECT_EQ(2970, SpinCount(0, 297, 0.1));
    EXPECT_EQ(32767, SpinCount(0, 1155.9, 0.01));
    EXPECT_EQ(32767, SpinCount(0, 1e300, 1e-300));
    EXPECT_EQ(10, SpinCount(10, 0, 1));
    EXPECT_EQ(0, SpinCount(5, 5, 1));
    EXPECT_EQ(-1, SpinCount(0, 10, 0.0));
}

TEST(SpinPosition, MirrorsTheValueProportionally) {
    EXPECT_EQ(-1, SpinPosition(5, 5, 5, 100)) << "min equal to max sets no position";
    EXPECT_EQ(0, SpinPosition(-1, 0, 10, 100));
    EXPECT_EQ(100, SpinPosition(11, 0, 10, 100));
    EXPECT_EQ(50, SpinPosition(5, 0, 10, 100));
    EXPECT_EQ(2100, SpinPosition(210, 0, 297, 2970));
}

TEST(SpinStepValue, StopsAtTheBounds) {
    const struct {
        const char* what;
        double value;
        int delta;
        double step, min, max;
        bool wrap;
        double expected;
    } cases[] = {
        {"plain step up", 10.0, 1, 0.1, 0, 297, false, 10.1},
        {"accelerated step", 10.0, 5, 1, 0, 297, false, 15},
        {"up at max 297", 297.0, 1, 0.1, 0, 297, false, 297.0},
        {"up at max 12.7 lands on whole steps", 12.7, 1, 0.1, 0, 12.7, false, 12.6},
        {"down below min", 0.05, -1, 0.1, 0, 297, false, 0.0},
        {"down within tolerance is kept", 1.0, -1, 1, 0, 10, false, 0.0},
        {"up with wrap", 297.0, 1, 0.1, 0, 297, true, 0.0},
        {"down with wrap", 0.0, -1, 0.1, 0, 297, true, 297.0},
        {"three steps down to zero leave no residue", 0.3, -3, 0.1, 0, 297, false, 0.0},
        {"zero step above max", 20.0, 1, 0.0, 0, 10, false, 10.0},
        {"count up", 3, 1, 1, 1, 3, false, 3},
    };
    for (const auto& c : cases) {
        const double next = SpinStepValue(c.value, c.delta, c.step, c.min, c.max, c.wrap);
        EXPECT_NEAR(c.expected, next, 1e-12) << c.what;
        char text[64];
        FormatSpinValue(next, 1, text, sizeof text);
        EXPECT_EQ(nullptr, std::strchr(text, 'e')) << c.what << ": " << text;
    }
}

TEST(FormatSpinValue, UsesFixedOrExponentForm) {
    const struct {
        double value;
        int decimals;
        const char* text;
    } cases[] = {
        {210.0, 1, "210.0"},
        {8.27, 2, "8.27"},
        {0.0, 1, "0.0"},
        {12.600000000000001, 1, "12.6"},
        {3, 0, "3"},
        {1e7, 1, "1.0e+07"},
        {0.00001, 2, "1.00e-05"},
        {5.0, -3, "5"},
        {5.0, 1000, "5.000000000000000"},
    };
    for (const auto& c : cases) {
        char text[64];
        FormatSpinValue(c.value, c.decimals, text, sizeof text);
        EXPECT_STREQ(c.text, text) << c.value << " with " << c.decimals;
    }
}

TEST(ParseNumberText, AcceptsOnlyUnsignedDecimals) {
    const struct {
        const char* text;
        int ok;
        double value;
    } cases[] = {
        {"210", 1, 210}, {"8.27", 1, 8.27}, {"1.2.3", 1, 1.2}, {".", 1, 0},
        {"0", 1, 0},     {"", 0, 0},        {"1,5", 0, 0},     {"-1", 0, 0},
        {" 1", 0, 0},    {"1e3", 0, 0},     {"nan", 0, 0},
    };
    for (const auto& c : cases) {
        double value = -1;
        EXPECT_EQ(c.ok, ParseNumberText(c.text, &value)) << '"' << c.text << '"';
        if (c.ok) {
            EXPECT_DOUBLE_EQ(c.value, value) << '"' << c.text << '"';
        }
    }
    EXPECT_EQ(0, ParseNumberText(nullptr, nullptr));
}

TEST(SpinTextValue, ReadsTheLongestDecimalPrefix) {
    const struct {
        const char* text;
        double value;
    } cases[] = {
        {"  12.5mm", 12.5}, {"abc", 0},        {"nan", 0},     {"inf", 0},
        {"-infinity", 0},   {"0x10", 0},       {"0X1p4", 0},   {"1e2", 100},
        {"1e", 1},          {"2.5e-1x", 0.25}, {"-3.5", -3.5}, {"+.5", 0.5},
        {".", 0},           {"1.2.3", 1.2},    {"\t7", 7},     {"", 0},
        {"-", 0},           {"5.e+1", 50},     {"1,5", 1},     {"12 3", 12},
    };
    for (const auto& c : cases) {
        EXPECT_DOUBLE_EQ(c.value, SpinTextValue(c.text)) << '"' << c.text << '"';
    }
}

} // namespace
