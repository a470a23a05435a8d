// Runs the forecast engine on six entries given on the command line.

#include <cstdio>
#include <cstring>
#include <string>

#include "forecast.h"

namespace {

constexpr const char* kUsage =
    "usage: yotsubane-forecast CLOSE0 VOLUME0 CLOSE1 VOLUME1 CLOSE2 VOLUME2\n"
    "\n"
    "Day 0 is today, 1 yesterday, 2 the day before yesterday. Prints the six\n"
    "entries rewritten as plain numbers, tab-separated, then the verdict.\n"
    "Exit status: 0 verdict, 1 a number too large to forecast, 2 bad usage.\n";

}  // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::strcmp(argv[1], "--help") == 0) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (argc != 1 + 2 * forecast::kDays) {
        std::fputs(kUsage, stderr);
        return 2;
    }

    // The arguments follow the window's keyboard order: close, then volume, day by day.
    forecast::ForecastEntries entries;
    for (std::size_t day = 0; day < forecast::kDays; ++day) {
        entries.owarine[day] = argv[1 + 2 * day];
        entries.dekidaka[day] = argv[2 + 2 * day];
    }
    const forecast::ForecastResult result = forecast::RunForecast(entries);

    std::string out;
    for (std::size_t day = 0; day < forecast::kDays; ++day) {
        out += entries.owarine[day] + '\t' + entries.dekidaka[day];
        out += day + 1 < forecast::kDays ? '\t' : '\n';
    }
    out.append(result.text) += '\n';
    std::fwrite(out.data(), 1, out.size(), stdout);
    return result.has_verdict ? 0 : 1;
}
