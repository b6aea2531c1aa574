#include "skin/window/canvas.h"

#include <utility>


namespace lirvo {

Canvas::Canvas(Canvas&& other) noexcept { *this = std::move(other); }

Canvas& Canvas::operator=(Canvas&& other) noexcept {
    if (this != &other) {
        Release();
        dc_ = std::exchange(other.dc_, nullptr);
        window_ = std::exchange(other.window_, nullptr);
        surface_ = std::exchange(other.surface_, {});
        width_ = std::exchange(other.width_, 0);
        height_ = std::exchange(other.height_, 0);
    }
    return *this;
}

void Canvas::Release() {
    if (surface_.dc) ReleaseDibSection(surface_);
    else if (window_ && dc_) ::ReleaseDC(window_, dc_);
    dc_ = nullptr;
    window_ = nullptr;
    width_ = height_ = 0;
}

bool Canvas::AttachWindowDC(HWND window, bool wholeWindow) {
    Release();
    // GetDC of no window would hand out the screen's DC.
    if (!window || !::IsWindow(window)) return false;
    dc_ = wholeWindow ? ::GetWindowDC(window) : ::GetDC(window);
    window_ = dc_ ? window : nullptr;
    return dc_ != nullptr;
}

void Canvas::SetHandle(HDC dc) {
    Release();
    dc_ = dc;
}

SIZE Canvas::TextExtentA(std::string_view text) const {
    SIZE size{};
    ::GetTextExtentPoint32A(dc_, text.data(), static_cast<int>(text.size()), &size);
    return size;
}

SIZE Canvas::TextExtentW(std::wstring_view text) const {
    SIZE size{};
    ::GetTextExtentPoint32W(dc_, text.data(), static_cast<int>(text.size()), &size);
    return size;
}

bool Canvas::TransparentBlt(int x, int y, int width, int height, HDC source, int sourceX, int sourceY,
                            int sourceWidth, int sourceHeight, UINT transparent) {
    return ::TransparentBlt(dc_, x, y, width, height, source, sourceX, sourceY, sourceWidth, sourceHeight,
                            transparent) != FALSE;
}

bool Canvas::AlphaBlend(int x, int y, int width, int height, HDC source, int sourceX, int sourceY, int sourceWidth,
                        int sourceHeight, std::uint8_t constantAlpha, bool perPixelAlpha) {
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, constantAlpha, static_cast<BYTE>(perPixelAlpha ? AC_SRC_ALPHA : 0)};
    return ::AlphaBlend(dc_, x, y, width, height, source, sourceX, sourceY, sourceWidth, sourceHeight, blend) != FALSE;
}

bool Canvas::CreateSurface(int width, int height) {
    Release();
    surface_ = CreateDibSection(width, height);
    if (!surface_.dc) return false;
    dc_ = surface_.dc;
    width_ = width;
    height_ = height;
    return true;
}

bool Canvas::CopyThroughSurface(const Canvas& source) {
    Canvas temporary;
    if (!temporary.CreateSurfaceLike(source)) return false;
    temporary.BitBlt(0, 0, source.width_, source.height_, source, 0, 0);
    return BitBlt(0, 0, source.width_, source.height_, temporary, 0, 0);
}

RECT Canvas::GetWindowRect() const {
    RECT rect{};
    if (window_) ::GetWindowRect(window_, &rect);
    else rect = {0, 0, width_, height_};
    return rect;
}

}  // namespace lirvo
