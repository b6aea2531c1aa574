#pragma once
// The data the setup program carries inside itself: its skin (a serialised
// skin database with the buttons and the check-mark strip), the four page
// backgrounds (600 x 392 PNG) and the payload archive with the reader's
// files. Read-only for the life of the process; callers copy what they keep.

#include <cstdint>
#include <span>

namespace lirvo {

std::span<const std::uint8_t> SkinData();
std::span<const std::uint8_t> WelcomeImage();
std::span<const std::uint8_t> SelectionImage();
std::span<const std::uint8_t> InstallImage();
std::span<const std::uint8_t> FinishImage();
// The ZIP archive of the reader's seven files.
std::span<const std::uint8_t> Payload();

}  // namespace lirvo
