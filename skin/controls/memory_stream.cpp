#include "skin/controls/memory_stream.h"

#include <cstring>

namespace lirvo {

MemoryStream::MemoryStream(const ByteArray& bytes) {
    if (bytes.empty()) return;
    block_ = ::GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    if (!block_) return;
    if (void* target = ::GlobalLock(block_)) {
        std::memcpy(target, bytes.data(), bytes.size());
        ::GlobalUnlock(block_);
    }
    // The block stays ours: the stream does not free it on release.
    if (FAILED(::CreateStreamOnHGlobal(block_, FALSE, stream_.Put()))) stream_.Reset();
}

MemoryStream::~MemoryStream() {
    stream_.Reset();
    if (block_) ::GlobalFree(block_);
}

GdipBitmap MemoryStream::DecodePicture(const ByteArray& bytes) {
    MemoryStream memory(bytes);
    if (!memory) return {};
    Gdiplus::GpBitmap* decoded = nullptr;
    if (gdip::GdipCreateBitmapFromStream(memory.Stream(), &decoded) != Gdiplus::Ok) return {};
    GdipBitmap source(decoded);
    // A bitmap from a stream reads the stream lazily; a copy does not.
    UINT width = 0, height = 0;
    gdip::GdipGetImageWidth(source.get(), &width);
    gdip::GdipGetImageHeight(source.get(), &height);
    Gdiplus::GpBitmap* copy = nullptr;
    if (gdip::GdipCreateBitmapFromScan0(static_cast<INT>(width), static_cast<INT>(height), 0, PixelFormat32bppARGB,
                                        nullptr, &copy) != Gdiplus::Ok)
        return {};
    GdipBitmap result(copy);
    Gdiplus::GpGraphics* graphics = nullptr;
    gdip::GdipGetImageGraphicsContext(copy, &graphics);
    GdipGraphics owned(graphics);
    gdip::GdipDrawImageRectI(graphics, source.get(), 0, 0, static_cast<INT>(width), static_cast<INT>(height));
    return result;
}

}  // namespace lirvo
