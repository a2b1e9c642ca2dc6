#include "number_text.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

// The fraction digits are those still significant at 10 significant digits
// once trailing zeros are dropped; the value is then written in fixed
// notation, so large values never turn into exponent form.
std::string FormatCellNumber(double value) {
    if (!std::isfinite(value))
        return "#NUM!";
    if (value == 0)
        value = 0; // no "-0"
    char scientific[32];
    std::snprintf(scientific, sizeof scientific, "%.9e", value);
    const char* e = std::strchr(scientific, 'e');
    int exponent = e ? std::atoi(e + 1) : 0;
    int significant = 9; // digits after the point of the mantissa
    while (significant > 0 && e && e[-(9 - significant) - 1] == '0')
        --significant;
    int precision = significant - exponent;
    if (precision < 0)
        precision = 0;
    // Fixed notation of a double is at most 309 integer digits, or "0." and
    // about 330 fraction digits.
    char text[400];
    std::snprintf(text, sizeof text, "%.*f", precision, value);
    return text;
}
