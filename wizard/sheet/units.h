#pragma once
#include <cstdint>

#include "sheet_format.h"

// Lengths are stored in twips (1/1440 inch) and shown in millimetres or
// inches. Every conversion rounds half up to `decimals` places.

// Rounds `value` half up to `decimals` places, through a 32-bit whole number.
double RoundToDecimals(double value, int decimals);

double TwipsToMm(double twips, int decimals);
double MmToTwips(double mm, int decimals);
double InchToTwips(double inch, int decimals);
double TwipsToInch(double twips, int decimals);

// The display unit is inches when `inch` is above 0, else millimetres.
double TwipsToUnit(double twips, uint32_t inch, int decimals);
double UnitToTwips(double value, uint32_t inch, int decimals);

// 2 for inches, 1 for millimetres.
int UnitDecimals(const SheetFormat& format);

// One step of the format's unit, in twips: 14.4 (0.01 inch) or 5.7 (0.1 mm).
double UnitStep(const SheetFormat& format);

// A typed length in the format's unit as whole twips: rounded at the display
// precision, then cut toward zero. Not cut to 16 bits, so callers can reject
// values that do not fit.
int64_t TypedLengthToTwips(double value, const SheetFormat& format);

// A stored length in the format's unit, at the unit's precision.
double TwipsToDisplay(double twips, const SheetFormat& format);
