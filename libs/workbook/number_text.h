// How a number cell reads as text: 10 significant digits, fixed notation,
// no trailing zeros.
#pragma once

#include <string>

std::string FormatCellNumber(double value);
