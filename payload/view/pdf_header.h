#pragma once
// Recognises a PDF file by the mark at its start: "%PDF-" followed by the
// version, major digit, a dot and the minor digit. Readers accept the mark
// anywhere in the first 1024 bytes (some writers put junk before it), and so
// does this. Platform-free.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace lirvo::payload {

struct PdfVersion {
    int major = 0;
    int minor = 0;
    bool operator==(const PdfVersion&) const = default;
};

inline constexpr std::size_t kPdfMarkWindow = 1024;

std::optional<PdfVersion> FindPdfVersion(std::span<const std::uint8_t> head);

}  // namespace lirvo::payload
