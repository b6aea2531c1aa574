#include "payload/view/pdf_header.h"

#include <gtest/gtest.h>

#include <string>

namespace lirvo::payload {
namespace {

std::optional<PdfVersion> VersionOf(const std::string& head) {
    return FindPdfVersion(std::span(reinterpret_cast<const std::uint8_t*>(head.data()), head.size()));
}

TEST(FindPdfVersion, ReadsTheMarkAtTheStartOrAfterJunk) {
    const struct {
        std::string head;
        std::optional<PdfVersion> version;
    } cases[] = {
        {"%PDF-1.7\n%\xE2\xE3\xCF\xD3\n1 0 obj", PdfVersion{1, 7}},
        {"%PDF-2.0\r\n", PdfVersion{2, 0}},
        {"%PDF-1.4", PdfVersion{1, 4}},
        {std::string(300, ' ') + "%PDF-1.3", PdfVersion{1, 3}},
        {"%PDF-x.7 %PDF-1.5", PdfVersion{1, 5}},
        {"", std::nullopt},
        {"%PDF-", std::nullopt},
        {"%PDF-1.", std::nullopt},
        {"%PDF-17", std::nullopt},
        {"%pdf-1.7", std::nullopt},
        {"\x89PNG\r\n\x1A\n", std::nullopt},
        {std::string(1024, 'a') + "%PDF-1.7", std::nullopt},
        {std::string(1019, 'a') + "%PDF-1.7", PdfVersion{1, 7}},
    };
    for (const auto& [head, version] : cases) EXPECT_EQ(VersionOf(head), version) << head.substr(0, 40);
}

}  // namespace
}  // namespace lirvo::payload
