#include <gtest/gtest.h>

#include <cmath>

#include "units.h"

namespace {

SheetFormat Format(uint32_t inch) {
    SheetFormat format{};
    format.bInch = inch;
    return format;
}

struct Conversion {
    const char* what;
    double (*convert)(double, int);
    double input;
    int decimals;
    double expected;
};

TEST(Units, ConversionsRoundHalfUpAtTheirDecimals) {
    const Conversion cases[] = {
        {"210 mm at display precision", MmToTwips, 210, 1, 11905.5},
        {"210 mm as a computed default", MmToTwips, 210, 0, 11906},
        {"6 mm", MmToTwips, 6, 1, 340.2},
        {"297 mm", MmToTwips, 297, 1, 16837.8},
        {"0 mm", MmToTwips, 0, 1, 0},
        {"8.27 inch", InchToTwips, 8.27, 2, 11908.8},
        {"13 inch", InchToTwips, 13, 2, 18720},
        {"0 inch", InchToTwips, 0, 2, 0},
        {"11905 twips in mm", TwipsToMm, 11905, 1, 210.0},
        {"A4 height in whole mm", TwipsToMm, 16838, 0, 297},
        {"0 twips in mm", TwipsToMm, 0, 1, 0},
        {"11905 twips in inch", TwipsToInch, 11905, 2, 8.27},
        {"11908 twips in inch", TwipsToInch, 11908, 2, 8.27},
        {"0 twips in inch", TwipsToInch, 0, 2, 0},
    };
    for (const Conversion& c : cases) {
        EXPECT_DOUBLE_EQ(c.expected, c.convert(c.input, c.decimals)) << c.what;
    }
}

TEST(Units, HugeValuesSaturateInsteadOfWrapping) {
    EXPECT_GT(MmToTwips(1e12, 1), 65535.0);
    EXPECT_GT(InchToTwips(1e300, 2), 65535.0);
    EXPECT_EQ(0.0, MmToTwips(NAN, 1));
}

TEST(Units, TypedLengthsAreCutToWholeTwipsAtTheUnitsPrecision) {
    struct Case {
        double typed;
        uint32_t inch;
        int64_t twips;
        double shownAgain;
    } cases[] = {
        {210.0, 0, 11905, 210.0}, {297.0, 0, 16837, 297.0}, {6.0, 0, 340, 6.0},
        {8.27, 1, 11908, 8.27},   {0.0, 1, 0, 0.0},
    };
    for (const Case& c : cases) {
        const SheetFormat format = Format(c.inch);
        const int64_t twips = TypedLengthToTwips(c.typed, format);
        EXPECT_EQ(c.twips, twips) << c.typed << (c.inch ? " inch" : " mm");
        EXPECT_DOUBLE_EQ(c.shownAgain, TwipsToDisplay(static_cast<double>(twips), format));
    }
    EXPECT_GT(TypedLengthToTwips(99999999.0, Format(0)), 65535) << "not cut to 16 bits";
}

TEST(Units, DecimalsAndStepFollowTheUnit) {
    EXPECT_EQ(1, UnitDecimals(Format(0)));
    EXPECT_EQ(2, UnitDecimals(Format(1)));
    EXPECT_EQ(2, UnitDecimals(Format(7)));
    EXPECT_DOUBLE_EQ(5.7, UnitStep(Format(0)));
    EXPECT_DOUBLE_EQ(14.4, UnitStep(Format(1)));
    EXPECT_DOUBLE_EQ(0.1, TwipsToDisplay(UnitStep(Format(0)), Format(0)));
    EXPECT_DOUBLE_EQ(0.01, TwipsToDisplay(UnitStep(Format(1)), Format(1)));
}

} // namespace
