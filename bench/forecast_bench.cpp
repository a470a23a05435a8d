#include <benchmark/benchmark.h>

#include <charconv>
#include <string>

#include "forecast.h"

namespace {

const forecast::ForecastEntries kEntries = {{"120", "110", "100"}, {"3000", "2000", "1000"}};

void BM_RunForecast(benchmark::State& state) {
    for (auto _ : state) {
        forecast::ForecastEntries entries = kEntries;
        benchmark::DoNotOptimize(forecast::RunForecast(entries));
        benchmark::DoNotOptimize(entries);
    }
}
BENCHMARK(BM_RunForecast);

// The least the same work can cost: read each text, write it back, read it again.
void RoundTrip(std::string& text) {
    double value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    char buffer[48];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, value);
    text.assign(buffer, written.ptr);
    std::from_chars(text.data(), text.data() + text.size(), value);
    benchmark::DoNotOptimize(value);
}

void BM_Floor(benchmark::State& state) {
    for (auto _ : state) {
        forecast::ForecastEntries entries = kEntries;
        for (std::size_t day = 0; day < forecast::kDays; ++day) {
            RoundTrip(entries.owarine[day]);
            RoundTrip(entries.dekidaka[day]);
        }
        benchmark::DoNotOptimize(entries);
    }
}
BENCHMARK(BM_Floor);

}  // namespace
