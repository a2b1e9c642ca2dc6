#include "units.h"

#include <cmath>
#include <cstdint>

namespace {

// Exactly these doubles: stored lengths written by earlier versions must
// convert back to the same display values.
constexpr double kMmPerTwip = 0.017638888888888888;
constexpr double kTwipsPerMm = 56.69291338582677;
constexpr double kTwipsPerInch = 1440.0;
constexpr double kInchPerTwip = 0.0006944444444444445;

double PowerOfTen(int decimals) {
    double factor = 1.0;
    for (int i = 0; i < decimals; ++i) {
        factor *= 10.0;
    }
    return factor;
}

// Cut toward zero to a 32-bit whole number. Out-of-range values saturate
// instead of wrapping, so a huge typed value stays huge and is rejected by
// the range checks.
double TruncateTo32Bits(double value) {
    if (std::isnan(value)) {
        return 0.0;
    }
    if (value >= 2147483647.0) {
        return 2147483647.0;
    }
    if (value <= -2147483648.0) {
        return -2147483648.0;
    }
    return static_cast<double>(static_cast<int32_t>(value));
}

} // namespace

double RoundToDecimals(double value, int decimals) {
    const double factor = PowerOfTen(decimals);
    return TruncateTo32Bits((value + 0.5 / factor) * factor) / factor;
}

double TwipsToMm(double twips, int decimals) {
    return RoundToDecimals(twips * kMmPerTwip, decimals);
}

double MmToTwips(double mm, int decimals) {
    return RoundToDecimals(mm * kTwipsPerMm, decimals);
}

double InchToTwips(double inch, int decimals) {
    return RoundToDecimals(inch * kTwipsPerInch, decimals);
}

double TwipsToInch(double twips, int decimals) {
    return RoundToDecimals(twips * kInchPerTwip, decimals);
}

double TwipsToUnit(double twips, uint32_t inch, int decimals) {
    return inch > 0 ? TwipsToInch(twips, decimals) : TwipsToMm(twips, decimals);
}

double UnitToTwips(double value, uint32_t inch, int decimals) {
    return inch > 0 ? InchToTwips(value, decimals) : MmToTwips(value, decimals);
}

int UnitDecimals(const SheetFormat& format) {
    return format.bInch ? 2 : 1;
}

double UnitStep(const SheetFormat& format) {
    return format.bInch ? InchToTwips(0.01, 2) : MmToTwips(0.1, 1);
}

int64_t TypedLengthToTwips(double value, const SheetFormat& format) {
    return static_cast<int64_t>(UnitToTwips(value, format.bInch, UnitDecimals(format)));
}

double TwipsToDisplay(double twips, const SheetFormat& format) {
    return TwipsToUnit(twips, format.bInch, UnitDecimals(format));
}
