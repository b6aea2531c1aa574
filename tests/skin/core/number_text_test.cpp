#include "skin/core/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace lirvo {
namespace {

// As C99's printf writes them, whatever library does the writing.
TEST(NumberTextTest, FormatsAsC99PrintfDoes) {
    constexpr double kInfinity = std::numeric_limits<double>::infinity();
    const struct {
        const char* format;
        double value;
        const char* expected;
    } cases[] = {
        {"%g", 0.5, "0.5"},
        {"%g", 1e20, "1e+20"},            // two exponent digits, not three
        {"%g", 1e-5, "1e-05"},
        {"%g", -2.5e-100, "-2.5e-100"},   // three when there are three
        {"%g", 1e300, "1e+300"},
        {"%g", 123456789.0, "1.23457e+08"},
        {"%.13g", 1.0 / 3.0, "0.3333333333333"},
        {"%.13g", 2.0, "2"},
        {"%.6g", 100000.0, "100000"},
        {"%.6g", 1000000.0, "1e+06"},
        {"%.3f", 2.5, "2.500"},
        {"%.3f", 1234.56789, "1234.568"},
        {"%.3f", -0.0004, "-0.000"},
        {"%g", kInfinity, "inf"},
        {"%g", -kInfinity, "-inf"},
        {"%.3f", std::nan(""), "nan"},
    };
    for (const auto& c : cases) EXPECT_EQ(FormatDouble(c.format, c.value), c.expected) << c.format << " " << c.value;
}

TEST(NumberTextTest, ReadsAWholeNumberOrNothing) {
    const struct {
        const char* text;
        std::optional<double> expected;
    } cases[] = {
        {"1.5", 1.5},         {"-3e2", -300.0},  {"+.5", 0.5},        {"5.", 5.0},
        {"  7", 7.0},         {"1E-3", 0.001},   {"0.1", 0.1},        {"1e+20", 1e20},
        {"", std::nullopt},   {"  ", std::nullopt}, {"abc", std::nullopt}, {"1.5x", std::nullopt},
        {"1.5 ", std::nullopt}, {".", std::nullopt}, {"e5", std::nullopt}, {"1e", std::nullopt},
        {"1e+", std::nullopt}, {"--1", std::nullopt}, {"0x10", std::nullopt}, {"1,5", std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(ParseNumber(c.text), c.expected) << '"' << c.text << '"';

    EXPECT_EQ(ParseNumber("inf"), std::numeric_limits<double>::infinity());
    EXPECT_EQ(ParseNumber("-Infinity"), -std::numeric_limits<double>::infinity());
    const std::optional<double> notANumber = ParseNumber("NaN");
    ASSERT_TRUE(notANumber.has_value());
    EXPECT_TRUE(std::isnan(*notANumber));
}

// What FormatDouble writes, ParseNumber reads back to the same double.
TEST(NumberTextTest, SeventeenDigitsReadBackExactly) {
    for (const double value : {0.1, 1.0 / 3.0, 2.0 / 3.0 * 1e-300, 1.7976931348623157e308, 4.9e-324, -123.456})
        EXPECT_EQ(ParseNumber(FormatDouble("%.17g", value)), value) << FormatDouble("%.17g", value);
}

}  // namespace
}  // namespace lirvo
