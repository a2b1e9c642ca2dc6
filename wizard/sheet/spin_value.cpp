#include "spin_value.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

// Decimals come from callers and messages; keep them within what printf
// can show sensibly.
int SaneDecimals(int decimals) {
    return std::clamp(decimals, 0, 15);
}

double Tolerance(double reference) {
    return std::max(std::fabs(reference * 1e-9), 1e-9);
}

} // namespace

int SpinCount(double min, double max, double step) {
    if (step == 0.0) {
        return -1;
    }
    const double steps = std::fabs((max - min) / step);
    if (!(steps <= kSpinMaxCount)) {
        return kSpinMaxCount;
    }
    return static_cast<int>(steps);
}

int SpinPosition(double value, double min, double max, int count) {
    if (max == min) {
        return -1;
    }
    if (value < min) {
        return 0;
    }
    if (value > max) {
        return count;
    }
    return static_cast<int>((value - min) / (max - min) * count + 0.5);
}

double SpinStepValue(double value, int delta, double step, double min, double max, bool wrap) {
    double next = value + delta * step;
    // Several steps at once can leave a rounding residue such as -5.6e-17
    // where the user expects 0; it would be written in exponent form and
    // then fail the page's number check.
    if (std::fabs(next) < 1e-9) {
        next = 0.0;
    }
    if (delta < 0) {
        if (min - next > Tolerance(std::max(next, min))) {
            next = wrap ? max : min;
        }
    } else if (next - max > Tolerance(std::max(max, next))) {
        next = wrap ? min : step != 0.0 ? std::trunc(max / step) * step : max;
    }
    return next;
}

void FormatSpinValue(double value, int decimals, char* dest, size_t size) {
    char probe[64];
    std::snprintf(probe, sizeof probe, "%g", value);
    const int places = SaneDecimals(decimals);
    if (std::strchr(probe, 'e')) {
        std::snprintf(dest, size, "%.*e", places, value);
    } else {
        std::snprintf(dest, size, "%.*f", places, value);
    }
}

namespace {

size_t DigitsAt(const char* p) {
    return std::strspn(p, "0123456789");
}

// Length of the decimal number at the start of `p`: sign, digits with an
// optional point, an exponent only when it has digits; 0 when there is none.
size_t DecimalPrefixLength(const char* p) {
    size_t n = (*p == '+' || *p == '-') ? 1 : 0;
    size_t digits = DigitsAt(p + n);
    n += digits;
    if (p[n] == '.') {
        const size_t fraction = DigitsAt(p + n + 1);
        digits += fraction;
        n += 1 + fraction;
    }
    if (digits == 0) {
        return 0;
    }
    if (p[n] == 'e' || p[n] == 'E') {
        const size_t sign = (p[n + 1] == '+' || p[n + 1] == '-') ? 1 : 0;
        const size_t exponent = DigitsAt(p + n + 1 + sign);
        if (exponent > 0) {
            n += 1 + sign + exponent;
        }
    }
    return n;
}

} // namespace

double SpinTextValue(const char* text) {
    // strtod alone would also read "inf", "nan" and hexadecimal numbers,
    // which a length field must take as no number.
    while (std::isspace(static_cast<unsigned char>(*text))) {
        ++text;
    }
    const std::string number(text, DecimalPrefixLength(text));
    return number.empty() ? 0.0 : std::strtod(number.c_str(), nullptr);
}

int ParseNumberText(const char* text, double* value) {
    if (!text || !*text || text[std::strspn(text, "0123456789.")] != '\0') {
        return 0;
    }
    *value = SpinTextValue(text);
    return 1;
}
