#pragma once
// MemoryStream: a copy of a byte array in a movable global memory block with
// a system stream on it, so that GDI+ can decode a picture from memory.
// The object owns both and releases the stream before the block.

#include <objidl.h>
#include <windows.h>

#include "skin/core/byte_array.h"
#include "skin/core/com_ptr.h"
#include "skin/core/gdiplus_api.h"

namespace lirvo {

class MemoryStream {
public:
    MemoryStream() = default;
    explicit MemoryStream(const ByteArray& bytes);
    ~MemoryStream();
    MemoryStream(const MemoryStream&) = delete;
    MemoryStream& operator=(const MemoryStream&) = delete;

    // The stream at its start; null when the bytes could not be wrapped.
    IStream* Stream() const { return stream_.Get(); }
    explicit operator bool() const { return static_cast<bool>(stream_); }

    // A 32-bit ARGB picture decoded from the bytes, independent of the
    // stream; empty when they are no picture.
    static GdipBitmap DecodePicture(const ByteArray& bytes);

private:
    HGLOBAL block_ = nullptr;
    ComPtr<IStream> stream_;
};

}  // namespace lirvo
