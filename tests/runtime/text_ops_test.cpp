#include "runtime/text_ops.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace lirvo::runtime {
namespace {

using Pieces = std::vector<std::string>;

TEST(RightTextTest, CountsBytesFromTheEnd) {
    struct Case {
        std::string text;
        std::int32_t count;
        std::string expected;
    };
    const Case cases[] = {
        {"D:\\", 1, "\\"},
        {"", 1, ""},
        {"abc", 2, "bc"},
        {"abc", 3, "abc"},
        {"abc", 10, "abc"},
        {"abc", 0, ""},
        {"abc", -4, ""},
        // Bytes, not characters: one byte of the last double-byte character.
        {"阅读器", 1, std::string("器").substr(1)},
        {"阅读器", 2, "器"},
    };
    for (const Case& c : cases) EXPECT_EQ(RightText(c.text, c.count), c.expected) << c.text << " " << c.count;
}

TEST(SplitTextTest, CutsAtEveryDelimiterKeepingInnerEmptyPieces) {
    struct Case {
        std::string text;
        std::optional<std::string_view> delimiter;
        std::optional<std::int32_t> maxCount;
        Pieces expected;
    };
    const Case cases[] = {
        {".pdf", "|", {}, {".pdf"}},
        {".pdf|.fdf|.xfdf", "|", {}, {".pdf", ".fdf", ".xfdf"}},
        {"a||b", "|", {}, {"a", "", "b"}},
        {"|a", "|", {}, {"", "a"}},
        {"a|b|", "|", {}, {"a", "b"}},
        {"a|b||", "|", {}, {"a", "b", ""}},
        {"|", "|", {}, {""}},
        {"", "|", {}, {}},
        {"a,b", {}, {}, {"a", "b"}},
        {"a,b", "", {}, {"a,b"}},
        {"a<>b<>c", "<>", {}, {"a", "b", "c"}},
        {"a|b|c", "|", 2, {"a", "b"}},
        {"a|b|c", "|", 0, {}},
        {"a|b|c", "|", -1, {"a", "b", "c"}},
        {"a|b|c", "|", 9, {"a", "b", "c"}},
        {"安装|卸载", "|", {}, {"安装", "卸载"}},
        {"安装和卸载", "和", {}, {"安装", "卸载"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SplitText(c.text, c.delimiter, c.maxCount, IsGbkLeadByte), c.expected) << c.text;
}

TEST(SplitTextTest, NeverCutsInsideADoubleByteCharacter) {
    // 亅 is 81 7C in GBK and 乗 is 81 5C: their second bytes are "|" and "\".
    const std::string text = "亅|乗";
    ASSERT_EQ(text.size(), 5u);
    EXPECT_EQ(SplitText(text, "|", {}, IsGbkLeadByte), (Pieces{"亅", "乗"}));
    EXPECT_EQ(SplitText("乗\\b", "\\", {}, IsGbkLeadByte), (Pieces{"乗", "b"}));
    // The system's ANSI code page is GBK in the tests' prefix.
    EXPECT_EQ(SplitText(text, "|"), (Pieces{"亅", "乗"}));
}

TEST(ToTextTest, WritesEachKindWithItsOwnFormat) {
    struct Case {
        std::string actual;
        std::string expected;
    };
    const Case cases[] = {
        {ToText(0), "0"},
        {ToText(-17), "-17"},
        {ToText(std::numeric_limits<std::int32_t>::min()), "-2147483648"},
        {ToText(std::int64_t{5000000000}), "5000000000"},
        {ToText(0.5), "0.5"},
        {ToText(1.0 / 3.0), "0.3333333333333"},
        {ToText(2.0), "2"},
        {ToText(1e20), "1e+20"},
        {ToText(1.0f / 3.0f), "0.333333"},
        {ToText(std::string_view("安装")), "安装"},
    };
    for (const Case& c : cases) EXPECT_EQ(c.actual, c.expected);
}

TEST(FloorToIntegerTest, RoundsTowardMinusInfinityWithinRange) {
    struct Case {
        double value;
        std::int32_t expected;
    };
    const Case cases[] = {
        {2.9, 2}, {2.0, 2}, {-2.1, -3}, {-2.0, -2}, {0.0, 0}, {-0.5, -1},
        {1e12, std::numeric_limits<std::int32_t>::max()},
        {-1e12, std::numeric_limits<std::int32_t>::min()},
        {std::nan(""), 0},
    };
    for (const Case& c : cases) EXPECT_EQ(FloorToInteger(c.value), c.expected) << c.value;
}

TEST(FormatNumberTest, RoundsHalfUpPadsAndGroups) {
    struct Case {
        double value;
        std::optional<std::int32_t> decimals;
        std::optional<bool> separators;
        std::string expected;
    };
    const Case cases[] = {
        // What setup shows: sizes with one decimal.
        {12.34, 1, {}, "12.3"},
        {12.35, 1, {}, "12.4"},
        {5.0, 1, {}, "5.0"},
        {0.0, 1, {}, "0.0"},
        {2.675, 2, {}, "2.68"},
        {-2.5, 0, {}, "-3"},
        {-1.25, 1, {}, "-1.3"},
        {-0.04, 1, {}, "0.0"},
        {1234.5, -1, {}, "1230"},
        {1250.0, -2, {}, "1300"},
        {0.1, 3, {}, "0.100"},
        {1.0 / 3.0, {}, {}, "0.3333333333333"},
        {1234567.891, 2, true, "1,234,567.89"},
        {-1234567.0, {}, true, "-1,234,567"},
        {123.0, {}, true, "123"},
        {1234.0, 0, true, "1,234"},
        {1e20, 2, true, "1e+20"},
        // Decimals beyond what a double holds round nothing away.
        {1.25, 20, {}, "1.25000000000000000000"},
        {1e300, 20, {}, "1e+300"},
        {123.0, -400, {}, "0"},
        {1.5, 400, {}, "1." + std::string("5") + std::string(399, '0')},
        {123.0, std::numeric_limits<std::int32_t>::min(), {}, "0"},
        {123.25, std::numeric_limits<std::int32_t>::max(), {}, "123.25" + std::string(1022, '0')},
        // Powers of ten past those a double holds exactly still round true.
        {1.25e-28, 30, {}, "1.25e-28"},
        {1.5e-30, 30, {}, "2e-30"},
        {3e-40, 42, {}, "3e-40"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormatNumber(c.value, c.decimals, c.separators), c.expected)
            << c.value << " decimals " << c.decimals.value_or(-99);
}

TEST(ByteArrayToIntegerTest, ReadsLittleEndianPaddedWithZeros) {
    struct Case {
        std::vector<std::uint8_t> bytes;
        std::int32_t expected;
    };
    const Case cases[] = {
        {{0x78, 0x56, 0x34, 0x12}, 0x12345678},
        {{0x78, 0x56, 0x34, 0x12, 0xFF}, 0x12345678},
        {{0xCD, 0x8B}, 0x8BCD},
        {{}, 0},
        {{0xFF, 0xFF, 0xFF, 0xFF}, -1},
    };
    for (const Case& c : cases) EXPECT_EQ(ByteArrayToInteger(c.bytes), c.expected);
}

}  // namespace
}  // namespace lirvo::runtime
