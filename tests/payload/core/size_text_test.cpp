#include "payload/core/size_text.h"

#include <gtest/gtest.h>

namespace lirvo::payload {
namespace {

TEST(SizeText, ExactBytesAndTheLargestFittingUnit) {
    const struct {
        std::uint64_t bytes;
        const wchar_t* text;
    } cases[] = {
        {0, L"0 字节"},
        {1023, L"1,023 字节"},
        {1024, L"1.0 KB（1,024 字节）"},
        {2000, L"2.0 KB（2,000 字节）"},
        {2516582, L"2.4 MB（2,516,582 字节）"},
        {5368709120ull, L"5.0 GB（5,368,709,120 字节）"},
        {3ull << 50, L"3072.0 TB（3,377,699,720,527,872 字节）"},
    };
    for (const auto& [bytes, text] : cases) EXPECT_EQ(SizeText(bytes), text) << bytes;
}

TEST(FileNameOf, TakesThePartAfterTheLastSeparator) {
    EXPECT_EQ(FileNameOf(L"C:\\文档\\报告.pdf"), L"报告.pdf");
    EXPECT_EQ(FileNameOf(L"C:/a/b.pdf"), L"b.pdf");
    EXPECT_EQ(FileNameOf(L"b.pdf"), L"b.pdf");
    EXPECT_EQ(FileNameOf(L"C:\\folder\\"), L"");
}

}  // namespace
}  // namespace lirvo::payload
