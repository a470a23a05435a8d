#include <algorithm>
#include <cmath>

#include "forecast.h"

namespace forecast {
namespace {

// Returns the value read back from the rewritten text, or nullopt (and leaves
// the text as typed) when its number is too large to hold.
std::optional<double> NormalizeEntry(std::string& entry) {
    const std::optional<double> value = ReadNumber(entry);
    if (!value) return std::nullopt;
    entry = FormatNumber(*value);
    return ReadNumber(entry);
}

// Summed in day order, ((0 + X0) + X1) + X2: double addition is not
// associative, and the rules compare means formed in exactly this order.
double SumInDayOrder(const std::array<double, kDays>& values) {
    double sum = 0.0;
    for (const double value : values) sum += value;
    return sum;
}

}  // namespace

std::optional<EntryValues> NormalizeEntries(ForecastEntries& entries) {
    EntryValues values{};
    bool all_held = true;
    for (int day = 0; day < kDays; ++day) {
        const auto i = static_cast<std::size_t>(day);
        const std::optional<double> close = NormalizeEntry(entries.owarine[i]);
        const std::optional<double> volume = NormalizeEntry(entries.dekidaka[i]);
        all_held = all_held && close && volume;
        values.closes[i] = close.value_or(0.0);
        values.volumes[i] = volume.value_or(0.0);
    }
    if (!all_held) return std::nullopt;
    return values;
}

std::int32_t ComputeScore(const EntryValues& values, double close_mean, double volume_mean) {
    const auto& [c0, c1, c2] = values.closes;
    const auto& [v0, v1, v2] = values.volumes;
    std::int32_t score = 0;
    if (v1 < v0 && v2 < v1) score -= 1;                       // volume rising two days running
    if (c1 < c0 && c2 < c1) score -= 1;                       // close rising two days running
    if (c1 < c0 && c0 < c2) score += 1;                       // recovery still below two days ago
    if (volume_mean > v0 && close_mean > c0) score += 1;      // today below both means
    if (c1 > c0 && c1 > c2) score += 1;                       // yesterday was the peak
    return score;
}

std::string_view VerdictFor(std::int32_t score) {
    static constexpr std::array<std::string_view, 5> kVerdicts = {
        "明日は下げる確率が高いでしょう",
        "明日は下げる可能性があります",
        "明日は大きな変化はないでしょう",
        "明日は上げる可能性があります",
        "明日は上がる確率が高いでしょう",
    };
    const std::int32_t clamped = std::clamp(score, -2, 2);
    return kVerdicts[static_cast<std::size_t>(clamped + 2)];
}

ForecastResult RunForecast(ForecastEntries& entries) {
    const std::optional<EntryValues> values = NormalizeEntries(entries);
    if (!values) return {kTooLargeMessage, false};
    const double close_mean = SumInDayOrder(values->closes) / kDays;
    const double volume_mean = SumInDayOrder(values->volumes) / kDays;
    if (!std::isfinite(close_mean) || !std::isfinite(volume_mean)) {
        return {kTooLargeMessage, false};
    }
    return {VerdictFor(ComputeScore(*values, close_mean, volume_mean)), true};
}

}  // namespace forecast
