#include <gtest/gtest.h>

#include <array>
#include <string>

#include "forecast.h"

namespace {

using forecast::ForecastEntries;
using forecast::RunForecast;

constexpr std::string_view kFallLikely = "明日は下げる確率が高いでしょう";
constexpr std::string_view kMayFall = "明日は下げる可能性があります";
constexpr std::string_view kNoChange = "明日は大きな変化はないでしょう";
constexpr std::string_view kMayRise = "明日は上げる可能性があります";
constexpr std::string_view kRiseLikely = "明日は上がる確率が高いでしょう";

ForecastEntries Entries(std::array<std::string, 3> closes, std::array<std::string, 3> volumes) {
    return {std::move(closes), std::move(volumes)};
}

std::string Describe(const ForecastEntries& e) {
    std::string out = "closes";
    for (const auto& text : e.owarine) out += " [" + text + "]";
    out += " volumes";
    for (const auto& text : e.dekidaka) out += " [" + text + "]";
    return out;
}

struct VerdictCase {
    std::array<std::string, 3> closes;   // today, yesterday, the day before
    std::array<std::string, 3> volumes;
    std::string_view verdict;
};

TEST(RunForecast, GivesTheVerdictOfTheFiveRules) {
    const VerdictCase cases[] = {
        // The worked examples.
        {{"", "", ""}, {"", "", ""}, kNoChange},
        {{"120", "110", "100"}, {"3000", "2000", "1000"}, kFallLikely},   // rules 1, 2
        {{"100", "100", "100"}, {"3000", "2000", "1000"}, kMayFall},      // rule 1
        {{"100", "110", "120"}, {"1000", "2000", "3000"}, kMayRise},      // rule 4
        {{"105", "100", "110"}, {"900", "1000", "1100"}, kMayRise},       // rule 3; mean equals C0
        {{"90", "100", "95"}, {"800", "1000", "1200"}, kRiseLikely},      // rules 4, 5
        // Equal values never fulfil a strict comparison.
        {{"100", "100", "100"}, {"1000", "1000", "1000"}, kNoChange},
        {{"100", "100", "90"}, {"1000", "1000", "1000"}, kNoChange},
        {{"100", "100", "110"}, {"1000", "1000", "1000"}, kNoChange},
        {{"105", "100", "105"}, {"1000", "1000", "1000"}, kNoChange},      // recovery back to C2
        {{"100", "110", "110"}, {"1000", "1000", "1000"}, kNoChange},      // yesterday ties C2
        {{"100", "110", "120"}, {"1000", "1000", "1000"}, kNoChange},      // volume mean equals V0
        {{"100", "100", "100"}, {"1000", "2000", "3000"}, kNoChange},      // close mean equals C0
        {{"100", "100", "100"}, {"2000", "1000", "1000"}, kNoChange},      // volume rose one day only
        // A steady rise in closes alone.
        {{"130", "120", "110"}, {"1000", "1000", "1000"}, kMayFall},
        // Yesterday's peak alone, then with today below both means.
        {{"100", "120", "100"}, {"1000", "1000", "1000"}, kMayRise},
        {{"100", "120", "110"}, {"1000", "1500", "1500"}, kRiseLikely},
        // Rising volume cancels a recovery.
        {{"105", "100", "110"}, {"3000", "2000", "1000"}, kNoChange},
        // Text beside the numbers is rewritten first.
        {{"90円", "100円", "95円"}, {"800", "1000", "1200"}, kRiseLikely},
        {{"1,200", "1,100", "1,000"}, {"3,000", "2,000", "1,000"}, kFallLikely},
        // Three closes of 0.1 sum to just above 0.3: the mean is above C0.
        {{"0.1", "0.1", "0.1"}, {"1000", "2000", "3000"}, kMayRise},
        // Negative values are taken as they are.
        {{"-5", "-10", "-20"}, {"3", "2", "1"}, kFallLikely},
    };
    for (const auto& [closes, volumes, verdict] : cases) {
        ForecastEntries entries = Entries(closes, volumes);
        SCOPED_TRACE(Describe(entries));
        const forecast::ForecastResult result = RunForecast(entries);
        EXPECT_TRUE(result.has_verdict);
        EXPECT_EQ(result.text, verdict);
    }
}

TEST(RunForecast, RewritesEveryEntryAsAPlainNumber) {
    struct RewriteCase {
        const char* typed;
        const char* rewritten;
    };
    const RewriteCase cases[] = {
        {"", "0"},           {"abc", "0"},         {"   ", "0"},
        {"-5", "-5"},        {"120円", "120"},      {"  120", "120"},
        {"100.2500", "100.25"}, {"1,200", "1200"}, {"1,2345", "1"},
        {"１２０円", "120"},   {"-0", "0"},          {"1e-400", "0"},
        {"1e6", "1000000"},  {"0.000000123", "1.23e-07"}, {"120", "120"},
    };
    for (const auto& [typed, rewritten] : cases) {
        SCOPED_TRACE(typed);
        // The same text in every box shows that each of the six is rewritten.
        ForecastEntries entries = Entries({typed, typed, typed}, {typed, typed, typed});
        RunForecast(entries);
        for (int day = 0; day < forecast::kDays; ++day) {
            EXPECT_EQ(entries.owarine[static_cast<std::size_t>(day)], rewritten);
            EXPECT_EQ(entries.dekidaka[static_cast<std::size_t>(day)], rewritten);
        }
    }
}

TEST(RunForecast, SecondRunGivesTheSameTextsAndVerdict) {
    ForecastEntries entries = Entries({"90円", " 100", "95.0"}, {"800株", "1,000", "1200"});
    const forecast::ForecastResult first = RunForecast(entries);
    const ForecastEntries rewritten = entries;
    const forecast::ForecastResult second = RunForecast(entries);
    EXPECT_EQ(first.text, second.text);
    EXPECT_EQ(entries.owarine, rewritten.owarine);
    EXPECT_EQ(entries.dekidaka, rewritten.dekidaka);
    EXPECT_EQ(entries.owarine, (std::array<std::string, 3>{"90", "100", "95"}));
}

// A number beyond the double range once became an infinity in the box and a
// verdict computed from it.
TEST(RunForecast, NumberTooLargeLeavesItsEntryAndGivesTheMessage) {
    ForecastEntries entries = Entries({"120円", "1e400", "100"}, {"3000", "2000", std::string(401, '9')});
    const forecast::ForecastResult result = RunForecast(entries);
    EXPECT_FALSE(result.has_verdict);
    EXPECT_EQ(result.text, forecast::kTooLargeMessage);
    EXPECT_EQ(entries.owarine, (std::array<std::string, 3>{"120", "1e400", "100"}));
    EXPECT_EQ(entries.dekidaka[0], "3000");
    EXPECT_EQ(entries.dekidaka[2], std::string(401, '9'));
}

// Each entry fits a double but the three-day sum does not.
TEST(RunForecast, SumBeyondTheDoubleRangeGivesTheMessage) {
    const std::array<std::string, 3> plain = {"1", "2", "3"};
    const VerdictCase cases[] = {
        {{"1e308", "1e308", "1e308"}, plain, "1e+308"},
        {{"-1e308", "-1e308", "-1e308"}, plain, "-1e+308"},
        {plain, {"1e308", "1e308", "1e308"}, "1"},
    };
    for (const auto& [closes, volumes, todays_close] : cases) {
        ForecastEntries entries = Entries(closes, volumes);
        SCOPED_TRACE(Describe(entries));
        const forecast::ForecastResult result = RunForecast(entries);
        EXPECT_FALSE(result.has_verdict);
        EXPECT_EQ(result.text, forecast::kTooLargeMessage);
        EXPECT_EQ(entries.owarine[0], todays_close);
    }
}

TEST(VerdictFor, OneSentencePerScore) {
    const std::pair<int, std::string_view> cases[] = {
        {-3, kFallLikely}, {-2, kFallLikely}, {-1, kMayFall}, {0, kNoChange},
        {1, kMayRise},     {2, kRiseLikely},  {3, kRiseLikely},
    };
    for (const auto& [score, verdict] : cases) {
        SCOPED_TRACE(score);
        EXPECT_EQ(forecast::VerdictFor(score), verdict);
    }
}

}  // namespace
