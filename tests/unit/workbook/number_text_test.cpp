#include <gtest/gtest.h>

#include "number_text.h"

struct NumberCase {
    double value;
    const char* expected;
};

TEST(NumberText, TenSignificantDigitsFixedNotationNoTrailingZeros) {
    const NumberCase cases[] = {
        {3, "3"},
        {2.5, "2.5"},
        {2.50, "2.5"},
        {1.05, "1.05"},
        {0.05, "0.05"},
        {0, "0"},
        {-0.0, "0"},
        {-4.25, "-4.25"},
        {1.0 / 3, "0.3333333333"},
        {2.0 / 3, "0.6666666667"},
        {0.1 + 0.2, "0.3"},
        {1e-5, "0.00001"},
        {123456.789, "123456.789"},
        {1234567890123.0, "1234567890123"},
        {1e15, "1000000000000000"},
        {9.99999999999, "10"},
        {-1234.5, "-1234.5"},
        {44197, "44197"}, // a date serial
    };
    for (const NumberCase& c : cases)
        EXPECT_EQ(FormatCellNumber(c.value), c.expected) << "value " << c.value;
}

TEST(NumberText, ExtremesStayInFixedNotation) {
    std::string huge = FormatCellNumber(1.7976931348623157e308);
    EXPECT_EQ(huge.size(), 309u);
    EXPECT_EQ(huge.substr(0, 10), "1797693134");
    std::string tiny = FormatCellNumber(-2.5e-300);
    EXPECT_EQ(tiny.substr(0, 5), "-0.00");
    EXPECT_EQ(tiny.substr(tiny.size() - 2), "25");
}
