#pragma once
#include <cstddef>

// The arithmetic of a numeric spin field, apart from its windows. The value
// of a field is always the text of its edit box.

constexpr int kSpinMaxCount = 32767;

// Upper end of the up-down control's position range for min..max in steps;
// -1 when step is 0 (the range is then left as it was).
int SpinCount(double min, double max, double step);

// Up-down position that mirrors `value`; -1 when min equals max (no position
// is set then).
int SpinPosition(double value, double min, double max, int count);

// The value after a click of `delta` steps. Stepping past a bound stops at
// it (or wraps to the other bound); past the top it stops at the largest
// whole number of steps not above max.
double SpinStepValue(double value, int delta, double step, double min, double max, bool wrap);

// The edit-box text of a value: fixed-point with `decimals` places, or the
// exponent form when "%g" would need an exponent.
void FormatSpinValue(double value, int decimals, char* dest, size_t size);

// Text to number the way the C library does it (leading blanks, longest
// decimal prefix, 0 without one), but never infinity, NaN or hexadecimal.
double SpinTextValue(const char* text);

// A typed number: only digits and points are allowed, and the text must not
// be empty. Returns 1 and stores the value, else 0.
int ParseNumberText(const char* text, double* value);
