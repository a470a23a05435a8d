#include <charconv>
#include <cmath>

#include "forecast.h"

namespace forecast {

std::string FormatNumber(double value) {
    if (value == 0.0) return "0";  // also negative zero
    const double magnitude = std::fabs(value);
    const auto format = magnitude >= 1e-6 && magnitude < 1e21 ? std::chars_format::fixed
                                                               : std::chars_format::scientific;
    // Enough for the longest shortest form: 21 integer digits in fixed
    // notation, or 17 significant digits after "0.00000" below 1e-5.
    char buffer[48];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, format);
    return std::string(buffer, result.ptr);
}

}  // namespace forecast
