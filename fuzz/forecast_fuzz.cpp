// Arbitrary bytes, invalid UTF-8 included, through the number reader and the
// whole forecast. Properties checked on every input:
// - what FormatNumber writes reads back to the same double;
// - a rewritten entry reads back to the value it was written from, and an
//   entry left as typed is one too large to hold;
// - a verdict is given exactly when every entry could be held, and nothing
//   written ever says inf or nan.

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

#include "forecast.h"

namespace {

void Require(bool property) {
    if (!property) std::abort();
}

bool IsPlainNumber(std::string_view text) {
    return text.find_first_not_of("0123456789.-+e") == std::string_view::npos;
}

void CheckFormatReadsBack(double value) {
    if (!std::isfinite(value)) return;
    const std::string text = forecast::FormatNumber(value);
    Require(IsPlainNumber(text));
    const std::optional<double> back = forecast::ReadNumber(text);
    Require(back.has_value() && *back == value);
}

void CheckForecast(std::string_view data) {
    forecast::ForecastEntries entries;
    std::array<std::string*, 6> boxes{};
    for (std::size_t day = 0; day < forecast::kDays; ++day) {
        boxes[2 * day] = &entries.owarine[day];
        boxes[2 * day + 1] = &entries.dekidaka[day];
    }
    // Six entries separated by NUL bytes; missing ones stay empty.
    for (std::string* box : boxes) {
        const std::size_t end = std::min(data.find('\0'), data.size());
        box->assign(data.substr(0, end));
        data.remove_prefix(std::min(end + 1, data.size()));
    }
    const forecast::ForecastEntries typed = entries;
    const forecast::ForecastResult result = forecast::RunForecast(entries);

    bool all_held = true;
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        const std::string& before = i % 2 == 0 ? typed.owarine[i / 2] : typed.dekidaka[i / 2];
        const std::optional<double> value = forecast::ReadNumber(before);
        if (!value) {
            all_held = false;
            Require(*boxes[i] == before);
            continue;
        }
        Require(std::isfinite(*value));
        Require(IsPlainNumber(*boxes[i]));
        const std::optional<double> back = forecast::ReadNumber(*boxes[i]);
        Require(back.has_value() && *back == *value);
    }
    if (!all_held) Require(!result.has_verdict);
    if (result.has_verdict) {
        bool known = false;
        for (int score = -2; score <= 2; ++score) known = known || result.text == forecast::VerdictFor(score);
        Require(known);
    } else {
        Require(result.text == forecast::kTooLargeMessage);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    if (size >= sizeof(double)) {
        std::uint64_t bits;
        std::memcpy(&bits, data, sizeof bits);
        CheckFormatReadsBack(std::bit_cast<double>(bits));
    }
    const std::optional<double> whole = forecast::ReadNumber(text);
    Require(!whole || std::isfinite(*whole));
    CheckForecast(text);
    return 0;
}
