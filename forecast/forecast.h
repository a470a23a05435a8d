#pragma once

// The forecast engine: six hand-typed entries in, six plain numbers and a
// one-line verdict out. Standard library only; nothing here depends on the
// locale, keeps state between calls or touches any I/O.
//
// Texts are UTF-8. Bytes that are not valid UTF-8 are never rejected: they
// simply end a number like any other character that cannot continue it.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace forecast {

// Day index: 0 today, 1 yesterday, 2 the day before yesterday.
inline constexpr int kDays = 3;

struct ForecastEntries {
    std::array<std::string, kDays> owarine;   // closing prices
    std::array<std::string, kDays> dekidaka;  // volumes
};

// Shown in place of a verdict when a number cannot be held in a double.
inline constexpr std::string_view kTooLargeMessage =
    "数値が大きすぎるため予想できません";

// Reads the number at the start of `text`; whatever follows it is ignored.
//
// Accepted, after leading blanks (space, tab, CR, LF, VT, FF, U+00A0, U+3000):
// an optional sign, decimal digits with at most one '.', and an optional
// exponent ('e' or 'E', an optional sign, at least one digit). The full-width
// forms an input method types (０-９ ． ＋ － ｅ Ｅ ，) and the minus sign U+2212
// read like their ASCII twins. In the integer part a comma followed by exactly
// three digits (and no fourth) groups thousands and is skipped: "1,200" reads
// 1200, while "1,23" and "1,2345" read 1.
//
// Text that does not begin with a number (the empty text, "abc", ".", "-",
// "0x1A", "inf", "nan") reads as 0, and so does a magnitude too small for a
// double. Negative zero reads as 0.
//
// Returns nullopt only when the magnitude is too large for a double
// ("1e400"). Time is linear in the length of the text.
std::optional<double> ReadNumber(std::string_view text);

// Writes a finite value as the shortest text that ReadNumber reads back to the
// same double: fixed notation for magnitudes from 1e-6 up to below 1e21
// ("1000000", "0.000001"), scientific otherwise ("1e+21", "1.5e-07"). No
// grouping, no trailing zeros, "-" only in front of values below zero, so
// negative zero is written "0".
std::string FormatNumber(double value);

struct EntryValues {
    std::array<double, kDays> closes;   // C0, C1, C2
    std::array<double, kDays> volumes;  // V0, V1, V2
};

// Rewrites the entries in the order owarine(0), dekidaka(0), owarine(1), ...
// as FormatNumber(ReadNumber(entry)) and returns the values read back from the
// rewritten texts. An entry whose number is too large for a double is left
// exactly as typed; the others are still rewritten, and the result is nullopt.
std::optional<EntryValues> NormalizeEntries(ForecastEntries& entries);

// The sum of the five rule weights, from -2 to +2. Every comparison is strict.
std::int32_t ComputeScore(const EntryValues& values, double close_mean,
                          double volume_mean);

// The verdict sentence for a score from -2 to +2; a score outside that range
// gets the sentence of the nearest end.
std::string_view VerdictFor(std::int32_t score);

struct ForecastResult {
    std::string_view text;  // a verdict sentence, or kTooLargeMessage
    bool has_verdict;       // false when text is kTooLargeMessage
};

// The whole forecast: normalises the entries in place, forms the three-day
// means and returns the verdict. When an entry, a sum or a mean cannot be held
// in a double, returns kTooLargeMessage instead; never computes a verdict from
// an infinity.
ForecastResult RunForecast(ForecastEntries& entries);

}  // namespace forecast
