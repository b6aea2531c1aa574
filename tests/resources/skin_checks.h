#pragma once
// Checks shared by the tests of the embedded skins: a loaded database against
// the table of pictures it must hold.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "skin/core/byte_array.h"
#include "skin/core/image_from_bytes.h"
#include "skin/core/skin_database.h"

namespace lirvo::testing {

struct ExpectedPicture {
    const char* name;
    int width;
    int height;
};

inline ByteArray Copy(std::span<const std::uint8_t> bytes) { return ByteArray(bytes.begin(), bytes.end()); }

struct PictureSize {
    UINT width = 0, height = 0;
    bool operator==(const PictureSize&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const PictureSize& size) {
    return out << size.width << " x " << size.height;
}

// The decoded size, or 0 x 0 when the bytes are not a picture.
inline PictureSize DecodedSize(const ByteArray& bytes) {
    PictureSize size;
    if (GdipBitmap image = ImageFromBytes(bytes)) {
        gdip::GdipGetImageWidth(image.get(), &size.width);
        gdip::GdipGetImageHeight(image.get(), &size.height);
    }
    return size;
}

inline bool IsPng(const ByteArray& bytes) {
    static constexpr std::uint8_t kSignature[] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    return bytes.size() > 33 && std::equal(std::begin(kSignature), std::end(kSignature), bytes.begin());
}

// Colour type of a PNG's header chunk: 6 is RGBA, 2 is RGB.
inline int PngColourType(const ByteArray& bytes) { return IsPng(bytes) ? bytes[25] : -1; }

// Every stored record is at its place with its name, and its picture decodes
// to the listed size. Kinds and tags are each test's own business.
inline void ExpectPictures(const SkinDatabase& database, std::span<const ExpectedPicture> expected) {
    ASSERT_EQ(database.Count(), static_cast<std::int32_t>(expected.size()));
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const auto position = static_cast<std::int32_t>(i + 1);
        const ExpectedPicture& picture = expected[i];
        SCOPED_TRACE(std::string("record ") + std::to_string(position));
        EXPECT_EQ(database.GetName(position), picture.name);
        if (picture.width == 0) continue;
        const ByteArray data = database.GetData(position);
        EXPECT_TRUE(IsPng(data));
        EXPECT_EQ(DecodedSize(data), (PictureSize{static_cast<UINT>(picture.width), static_cast<UINT>(picture.height)}));
        EXPECT_EQ(database.GetDataByName(picture.name), data) << "the name lookup finds this record";
    }
}

}  // namespace lirvo::testing
