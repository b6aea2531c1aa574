#pragma once
// The GDI+ flat API and owners for its objects. Each owner disposes of its
// object with the matching GDI+ call; code outside never calls them itself.

#include <windows.h>
#include <objidl.h>

#include <algorithm>
#include <memory>
#include <optional>

namespace Gdiplus {
using std::max;
using std::min;
}  // namespace Gdiplus
#include <gdiplus.h>

namespace lirvo {

namespace gdip = Gdiplus::DllExports;

struct GdipImageDeleter {
    void operator()(Gdiplus::GpImage* image) const { gdip::GdipDisposeImage(image); }
};
struct GdipGraphicsDeleter {
    void operator()(Gdiplus::GpGraphics* graphics) const { gdip::GdipDeleteGraphics(graphics); }
};

using GdipBitmap = std::unique_ptr<Gdiplus::GpBitmap, GdipImageDeleter>;
using GdipGraphics = std::unique_ptr<Gdiplus::GpGraphics, GdipGraphicsDeleter>;

// One GDI+ session: started on construction, shut down on destruction. The
// toolkit's start-up owns the program's session; tests own their own.
class GdiplusSession {
public:
    GdiplusSession();
    ~GdiplusSession();
    GdiplusSession(const GdiplusSession&) = delete;
    GdiplusSession& operator=(const GdiplusSession&) = delete;

    bool Started() const { return token_ != 0; }

private:
    ULONG_PTR token_ = 0;
};

}  // namespace lirvo
