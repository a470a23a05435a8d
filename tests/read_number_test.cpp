#include <gtest/gtest.h>

#include <bit>
#include <chrono>
#include <cmath>
#include <limits>
#include <optional>
#include <random>
#include <string>

#include "forecast.h"

namespace {

using forecast::FormatNumber;
using forecast::ReadNumber;

struct ReadCase {
    const char* text;
    double expected;
};

TEST(ReadNumber, ReadsTheNumberAtTheStart) {
    const ReadCase cases[] = {
        {"", 0},
        {"abc", 0},
        {"120", 120},
        {"-5", -5},
        {"+5", 5},
        {"5.", 5},
        {".5", 0.5},
        {"-.5", -0.5},
        {".", 0},
        {"-", 0},
        {"+", 0},
        {"100.2500", 100.25},
        {"007", 7},
        {"1.5e3", 1500},
        {"1.5E-3", 0.0015},
        {"2e+2", 200},
        {"12e", 12},
        {"12e+", 12},
        {"12e-x", 12},
        {"12E", 12},
        {"3.5.6", 3.5},
        {"1 2", 1},
        {"120円", 120},
        {"1000株", 1000},
        {"   42", 42},
        {"\t\r\n\v\f42", 42},
        {"\u00A042", 42},
        {"\u3000\u300042", 42},
        {"   ", 0},
        {"\u3000", 0},
        {"x42", 0},
        {"- 5", 0},
        {"0x1A", 0},
        {"&H1A", 0},
        {"inf", 0},
        {"-inf", 0},
        {"nan", 0},
        {"infinity", 0},
        {"1e-400", 0},
        {"-1e-400", 0},
        {"0e999999", 0},
        {"4.9e-324", 4.9e-324},
        {"1.7976931348623157e308", std::numeric_limits<double>::max()},
        // Full-width forms typed through a Japanese input method.
        {"１２０円", 120},
        {"－５", -5},
        {"\u22125", -5},
        {"＋５", 5},
        {"１．５", 1.5},
        {"１ｅ３", 1000},
        {"１Ｅ－３", 0.001},
        {"１，２００", 1200},
        // Grouping commas: exactly three digits after each comma.
        {"1,200", 1200},
        {"12,345,678.5", 12345678.5},
        {"1,234円", 1234},
        {"1234,567", 1234567},
        {"1,23", 1},
        {"1,2345", 1},
        {"1,", 1},
        {"1,,200", 1},
        {"1,200.5,000", 1200.5},
        {",200", 0},
        {"1.5,000", 1.5},
        {"1,2３4", 1234},
        {"1e3,000", 1000},
    };
    for (const auto& [text, expected] : cases) {
        SCOPED_TRACE(text);
        const std::optional<double> value = ReadNumber(text);
        ASSERT_TRUE(value.has_value());
        EXPECT_EQ(*value, expected);
    }
}

TEST(ReadNumber, NegativeZeroReadsAsZero) {
    for (const char* text : {"-0", "-0.0", "-0e5", "-1e-400", "－０"}) {
        SCOPED_TRACE(text);
        const std::optional<double> value = ReadNumber(text);
        ASSERT_TRUE(value.has_value());
        EXPECT_EQ(*value, 0.0);
        EXPECT_FALSE(std::signbit(*value));
    }
}

TEST(ReadNumber, MagnitudeTooLargeForADoubleIsNotAValue) {
    const std::string cases[] = {
        "1e400", "-1e400", "1.8e308", "0.0001e400", "1e99999999999999999999", std::string(400, '9'),
    };
    for (const std::string& text : cases) {
        SCOPED_TRACE(text);
        EXPECT_EQ(ReadNumber(text), std::nullopt);
    }
}

TEST(ReadNumber, InvalidUtf8EndsTheNumber) {
    for (const char* text : {"12\xFF" "3", "12\xEF\xBC", "12\xE2\x88", "\xC2" "5"}) {
        SCOPED_TRACE(text);
        const std::optional<double> value = ReadNumber(text);
        ASSERT_TRUE(value.has_value());
        EXPECT_EQ(*value, std::string_view(text).starts_with("12") ? 12 : 0);
    }
}

TEST(ReadNumber, TimeIsLinearInTheLengthOfTheText) {
    constexpr std::size_t kLength = 1'000'000;
    std::string grouped = "1";
    while (grouped.size() < kLength) grouped += ",000";
    const std::string cases[] = {
        std::string(kLength, '9'),
        std::string(kLength, '0') + "1",
        "0." + std::string(kLength, '0') + "1",
        "1e" + std::string(kLength, '0') + "1",
        std::string(kLength, ' ') + "1",
        grouped,
        std::string(kLength, ','),
    };
    for (const std::string& text : cases) {
        SCOPED_TRACE(text.substr(0, 12) + "...");
        const auto start = std::chrono::steady_clock::now();
        (void)ReadNumber(text);
        const auto elapsed = std::chrono::steady_clock::now() - start;
        // A million characters take a few milliseconds; anything quadratic takes minutes.
        EXPECT_LT(elapsed, std::chrono::milliseconds(500));
    }
}

struct FormatCase {
    double value;
    const char* expected;
};

TEST(FormatNumber, WritesThePlainShortestText) {
    const FormatCase cases[] = {
        {0, "0"},
        {-0.0, "0"},
        {120, "120"},
        {-5, "-5"},
        {0.5, "0.5"},
        {100.25, "100.25"},
        {0.1, "0.1"},
        {1234567, "1234567"},
        {1e6, "1000000"},
        {1e-6, "0.000001"},
        {1e20, "100000000000000000000"},
        {1e21, "1e+21"},
        {1e-7, "1e-07"},
        {1.5e300, "1.5e+300"},
        {-2.5e-10, "-2.5e-10"},
        {4.9e-324, "5e-324"},
    };
    for (const auto& [value, expected] : cases) {
        SCOPED_TRACE(expected);
        EXPECT_EQ(FormatNumber(value), expected);
    }
}

void ExpectReadsBack(double value) {
    const std::string text = FormatNumber(value);
    SCOPED_TRACE(text);
    const std::optional<double> back = ReadNumber(text);
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(*back, value);
}

TEST(FormatNumber, ReadsBackToTheSameValue) {
    using limits = std::numeric_limits<double>;
    const double awkward[] = {
        0.1, 0.2, 0.3, 1.0 / 3, 2.0 / 3, 1e-6, std::nextafter(1e-6, 0.0),
        std::nextafter(1e-6, 1.0), 1e21, std::nextafter(1e21, 0.0), 1e20, 1e22,
        limits::max(), -limits::max(), limits::min(), limits::denorm_min(),
        std::nextafter(limits::min(), 0.0), 9007199254740993.0, 123456789012345678.0,
    };
    for (const double value : awkward) {
        ExpectReadsBack(value);
        ExpectReadsBack(-value);
    }
    std::mt19937_64 random(20261211);
    std::uniform_int_distribution<std::uint64_t> bits;
    for (int i = 0; i < 200'000; ++i) {
        const double value = std::bit_cast<double>(bits(random));
        if (std::isfinite(value)) ExpectReadsBack(value);
    }
}

}  // namespace
