#include "skin/core/wide_text.h"

#include <gtest/gtest.h>

namespace lirvo {
namespace {

ByteArray Units(std::wstring_view text) {
    ByteArray bytes;
    for (wchar_t unit : text) {
        bytes.push_back(static_cast<std::uint8_t>(unit & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>(unit >> 8));
    }
    return bytes;
}

WideText Wide(std::wstring_view text) { return WideFromBytes(Units(text)); }

class WideTextTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(::GetACP(), 936u) << "the tests' prefix runs with the GBK ANSI code page";
    }
};

TEST_F(WideTextTest, AnsiConvertsBothWaysWithTheAnsiCodePage) {
    const WideText font = MakeWideText("宋体");
    EXPECT_EQ(font.GetBytes(true), Units(L"宋体"));
    EXPECT_EQ(font.GetBytes(true).size(), 4u);
    EXPECT_EQ(font.GetBytes(), (ByteArray{0x8B, 0x5B, 0x53, 0x4F, 0, 0}));
    EXPECT_EQ(font.Length(), 2);
    EXPECT_EQ(font.ToAnsi(), "宋体");

    const std::string path = "C:\\Program Files\\LirvoPDF阅读器\\";
    EXPECT_EQ(MakeWideText(path).ToAnsi(), path) << "a typed path must come back unchanged";
    EXPECT_EQ(Wide(L"微软雅黑").ToAnsi(), "微软雅黑");
}

TEST_F(WideTextTest, AnsiConversionStopsAtZeroAndAtUnrepresentableUnits) {
    EXPECT_EQ(MakeWideText(std::string("ab\0cd", 5)).Length(), 2);
    EXPECT_EQ(Wide(std::wstring(L"ab\0cd", 5)).ToAnsi(), "ab");
    // Emoji are not in GBK: the text ends at the first unit the code page lacks.
    EXPECT_EQ(Wide(L"安装\U0001F600后").ToAnsi(), "安装");
}

TEST_F(WideTextTest, EmptyTextAndBuffers) {
    WideText text;
    text.SetAnsi("");
    EXPECT_TRUE(text.IsEmpty());
    EXPECT_EQ(text.GetBytes(true), ByteArray{});
    EXPECT_EQ(text.GetBytes(), (ByteArray{0, 0}));
    EXPECT_EQ(text.ToAnsi(), "");

    text.SetBuffer();
    EXPECT_EQ(text.GetBytes(true), ByteArray(514, 0));
    EXPECT_EQ(text.Length(), 0);
    EXPECT_FALSE(text.IsEmpty());
    text.SetBuffer(3);
    EXPECT_EQ(text.GetBytes(true).size(), 8u);
    text.Clear();
    EXPECT_TRUE(text.IsEmpty());
}

TEST_F(WideTextTest, SlicesAndCharacters) {
    const WideText abc = Wide(L"甲乙丙");
    const struct {
        const char* what;
        WideText actual;
        std::wstring_view expected;
    } cases[] = {
        {"MidWide(2, 1)", abc.MidWide(2, 1), L"乙"},
        {"MidWide(0, 2): 0 counts as 1", abc.MidWide(0, 2), L"甲乙"},
        {"MidWide past the end", abc.MidWide(3, 10), L"丙"},
        {"MidWide starting past the end", abc.MidWide(9, 1), L""},
        {"LeftWide(2)", abc.LeftWide(2), L"甲乙"},
        {"LeftWide beyond the length", abc.LeftWide(99), L"甲乙丙"},
        {"LeftWide(-1)", abc.LeftWide(-1), L""},
        {"RightWide(1)", abc.RightWide(1), L"丙"},
        {"RightWide beyond the length", abc.RightWide(7), L"甲乙丙"},
    };
    for (const auto& c : cases) EXPECT_TRUE(c.actual.Equals(Wide(c.expected))) << c.what;

    EXPECT_EQ(abc.MidBytes(2, 1), (ByteArray{0x59, 0x4E, 0, 0}));
    EXPECT_EQ(abc.LeftBytes(1, true), Units(L"甲"));
    EXPECT_EQ(abc.RightBytes(1, false), (ByteArray{0x19, 0x4E, 0, 0}));
    EXPECT_EQ(abc.LeftAnsi(2), "甲乙");
    EXPECT_EQ(abc.RightAnsi(1), "丙");
    EXPECT_EQ(abc.MidAnsi(2, 2), "乙丙");

    EXPECT_EQ(abc.CharAt(3), static_cast<std::int16_t>(L'丙'));
    EXPECT_EQ(abc.CharAt(0), static_cast<std::int16_t>(L'甲'));
    EXPECT_EQ(abc.CharAt(4), 0);
    EXPECT_EQ(Wide(L"黑").CharAt(1), static_cast<std::int16_t>(0x9ED1 - 0x10000)) << "units from 0x8000 come back negative";
}

TEST_F(WideTextTest, Removal) {
    const struct {
        const char* what;
        void (*edit)(WideText&);
        std::wstring_view expected;
    } cases[] = {
        {"RemoveAt(1)", [](WideText& t) { t.RemoveAt(1); }, L"bcd"},
        {"RemoveAt(4)", [](WideText& t) { t.RemoveAt(4); }, L"abc"},
        {"RemoveAt(5) past the end", [](WideText& t) { t.RemoveAt(5); }, L"abcd"},
        {"RemoveAt(0)", [](WideText& t) { t.RemoveAt(0); }, L"abcd"},
        {"RemoveRange(1, 1)", [](WideText& t) { t.RemoveRange(1, 1); }, L"acd"},
        {"RemoveRange(2, 9)", [](WideText& t) { t.RemoveRange(2, 9); }, L"ab"},
        {"RemoveRange(0, -3)", [](WideText& t) { t.RemoveRange(0, -3); }, L"abcd"},
        {"DropLeft(3)", [](WideText& t) { t.DropLeft(3); }, L"d"},
        {"DropLeft(10)", [](WideText& t) { t.DropLeft(10); }, L""},
        {"DropRight(1)", [](WideText& t) { t.DropRight(1); }, L"abc"},
        {"DropRight(10)", [](WideText& t) { t.DropRight(10); }, L""},
    };
    for (const auto& c : cases) {
        WideText text = Wide(L"abcd");
        c.edit(text);
        EXPECT_EQ(text.GetBytes(true), Units(c.expected)) << c.what;
    }
}

TEST_F(WideTextTest, InsertionAndAppending) {
    const struct {
        const char* what;
        void (*edit)(WideText&);
        std::wstring_view expected;
    } cases[] = {
        {"InsertAnsi at 0", [](WideText& t) { t.InsertAnsi(0, "阅读"); }, L"阅读ab"},
        {"InsertAnsi after the first unit", [](WideText& t) { t.InsertAnsi(1, "阅读"); }, L"a阅读b"},
        {"InsertAnsi at the length appends", [](WideText& t) { t.InsertAnsi(2, "器"); }, L"ab器"},
        {"InsertAnsi past the length appends", [](WideText& t) { t.InsertAnsi(40, "器"); }, L"ab器"},
        {"InsertBytes drops one terminator", [](WideText& t) { t.InsertBytes(1, {'x', 0, 0, 0}); }, L"axb"},
        {"InsertChar", [](WideText& t) { t.InsertChar(1, 'z'); }, L"azb"},
        {"InsertChar 0 inserts nothing", [](WideText& t) { t.InsertChar(1, 0); }, L"ab"},
        {"InsertChar 255 is one unit", [](WideText& t) { t.InsertChar(0, 0xFF); }, L"\u00FFab"},
        {"InsertWide", [](WideText& t) { t.InsertWide(1, MakeWideText("中")); }, L"a中b"},
        {"AppendAnsi", [](WideText& t) { t.AppendAnsi("文"); }, L"ab文"},
        {"AppendBytes", [](WideText& t) { t.AppendBytes({'c', 0, 'd', 0}); }, L"abcd"},
        {"AppendChar", [](WideText& t) { t.AppendChar('!'); }, L"ab!"},
        {"AppendWide", [](WideText& t) { t.AppendWide(Wide(L"文")); }, L"ab文"},
    };
    for (const auto& c : cases) {
        WideText text = Wide(L"ab");
        c.edit(text);
        EXPECT_EQ(text.GetBytes(true), Units(c.expected)) << c.what;
    }

    WideText withZero = Wide(L"ab");
    withZero.AppendChar(0);
    withZero.AppendChar('c');
    EXPECT_EQ(withZero.GetBytes(true).size(), 8u) << "AppendChar(0) appends a zero unit";
    EXPECT_EQ(withZero.Length(), 2) << "the length stops at the first zero unit";
}

TEST_F(WideTextTest, Replacement) {
    const struct {
        const char* what;
        std::wstring_view text, find, replacement;
        std::int32_t start;
        std::optional<std::int32_t> maxCount;
        std::wstring_view expected;
    } cases[] = {
        {"all occurrences", L"a-b-c", L"-", L"::", 1, std::nullopt, L"a::b::c"},
        {"start 0 counts as 1", L"a-b-c", L"-", L"", 0, std::nullopt, L"abc"},
        {"at most one", L"a-b-c", L"-", L"+", 1, 1, L"a+b-c"},
        {"maximum 0 replaces nothing", L"a-b-c", L"-", L"+", 1, 0, L"a-b-c"},
        {"start byte 3 is the second unit", L"-a-", L"-", L"+", 3, std::nullopt, L"-a+"},
        {"start byte 4 is inside the second unit", L"--a", L"-", L"+", 4, std::nullopt, L"-+a"},
        {"no overlap, left to right", L"aaa", L"aa", L"b", 1, std::nullopt, L"ba"},
        {"not found", L"abc", L"x", L"y", 1, std::nullopt, L"abc"},
        {"empty find does nothing", L"abc", L"", L"y", 1, std::nullopt, L"abc"},
        {"start past the end", L"abc", L"a", L"y", 99, std::nullopt, L"abc"},
        {"wide characters", L"安装到C盘", L"C盘", L"D盘", 1, std::nullopt, L"安装到D盘"},
    };
    for (const auto& c : cases) {
        WideText text = Wide(c.text);
        text.ReplaceWide(Wide(c.find), Wide(c.replacement), c.start, c.maxCount);
        EXPECT_EQ(text.GetBytes(true), Units(c.expected)) << c.what;
    }

    WideText path = MakeWideText("C:\\a\\b");
    path.ReplaceAnsi("\\", "/", 1);
    EXPECT_EQ(path.ToAnsi(), "C:/a/b");

    // Bytes that straddle two units are not a character of the text.
    WideText straddle = Wide(L"AB");
    straddle.ReplaceBytes({0x00, 0x42}, {'x', 0}, 1);
    EXPECT_EQ(straddle.GetBytes(true), Units(L"AB"));
}

TEST_F(WideTextTest, CopiesAssignmentAndEquality) {
    const WideText a = MakeWideText("阅读器");
    EXPECT_TRUE(a.Equals(MakeWideText("阅读器")));
    EXPECT_FALSE(a.Equals(MakeWideText("阅读")));

    WideText b;
    b.Assign(a);
    b.AppendChar('!');
    EXPECT_EQ(a.ToAnsi(), "阅读器") << "Assign copies; it does not share";

    WideText c = MakeWideText("old");
    a.CopyTo(c);
    EXPECT_TRUE(c.Equals(a));

    std::unique_ptr<WideText> clone = a.Clone();
    clone->Clear();
    EXPECT_EQ(a.Length(), 3);

    WideText raw;
    raw.SetBytes({'a', 0, 0, 0});
    EXPECT_EQ(raw.GetBytes(true).size(), 4u) << "SetBytes stores the bytes unchanged";
    EXPECT_EQ(raw.Length(), 1);
}

TEST_F(WideTextTest, TitleOfAWindow) {
    HWND window = ::CreateWindowExW(0, L"STATIC", L"LirvoPDF阅读器 安装", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                    nullptr, nullptr);
    ASSERT_TRUE(window);
    WideText title = MakeWideText("stale text");
    title.SetFromWindow(window);
    EXPECT_EQ(title.GetBytes(true), Units(L"LirvoPDF阅读器 安装"));
    ::DestroyWindow(window);
}

TEST_F(WideTextTest, ClipboardHoldsTheUnicodeText) {
    ASSERT_TRUE(MakeWideText("复制的路径 C:\\读").ToClipboard());

    ASSERT_TRUE(::OpenClipboard(nullptr));
    HANDLE data = ::GetClipboardData(CF_UNICODETEXT);
    std::wstring pasted;
    if (data) {
        pasted = static_cast<const wchar_t*>(::GlobalLock(data));
        ::GlobalUnlock(data);
    }
    ::CloseClipboard();
    EXPECT_EQ(pasted, L"复制的路径 C:\\读");

    ASSERT_TRUE(WideText().ToClipboard());
    ASSERT_TRUE(::OpenClipboard(nullptr));
    data = ::GetClipboardData(CF_UNICODETEXT);
    ASSERT_TRUE(data) << "an empty text still puts an (empty) text on the clipboard";
    EXPECT_EQ(std::wstring(static_cast<const wchar_t*>(::GlobalLock(data))), L"");
    ::GlobalUnlock(data);
    ::CloseClipboard();
}

}  // namespace
}  // namespace lirvo
