#include "skin/window/canvas.h"

#include <cstddef>
#include <utility>
#include <vector>


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

Canvas Canvas::SnapshotOf(const Canvas& source, int width, int height) const {
    Canvas temporary;
    if (!dc_ || !source.dc_ || width <= 0 || height <= 0) return temporary;
    if (temporary.CreateSurfaceLike(source)) temporary.BitBlt(0, 0, source.width_, source.height_, source, 0, 0);
    return temporary;
}

bool Canvas::CopyThroughSurface(const Canvas& source) {
    const Canvas temporary = SnapshotOf(source, source.width_, source.height_);
    return temporary.dc_ && BitBlt(0, 0, source.width_, source.height_, temporary, 0, 0);
}

bool Canvas::CopyThroughSurfaceStretched(const Canvas& source, int x, int y, int width, int height, DWORD rop) {
    const Canvas temporary = SnapshotOf(source, width, height);
    return temporary.dc_ && StretchBlt(x, y, width, height, temporary, 0, 0, temporary.width_, temporary.height_, rop);
}

bool Canvas::CopyThroughSurfaceTransparent(const Canvas& source, int x, int y, int width, int height,
                                           UINT transparent) {
    const Canvas temporary = SnapshotOf(source, width, height);
    return temporary.dc_ &&
           TransparentBlt(x, y, width, height, temporary, 0, 0, temporary.width_, temporary.height_, transparent);
}

bool Canvas::CopyThroughSurfaceBlended(const Canvas& source, int x, int y, int width, int height,
                                       std::uint8_t constantAlpha, bool perPixelAlpha) {
    const Canvas temporary = SnapshotOf(source, width, height);
    return temporary.dc_ && AlphaBlend(x, y, width, height, temporary.dc_, 0, 0, temporary.width_, temporary.height_,
                                       constantAlpha, perPixelAlpha);
}

int Canvas::GetCurrentObject(UINT type, void* buffer, int size) const {
    const HGDIOBJ object = dc_ ? ::GetCurrentObject(dc_, type) : nullptr;
    if (!object || size < 0) return 0;
    return ::GetObjectA(object, buffer ? size : 0, buffer);
}

std::optional<LOGPEN> Canvas::CurrentPen() const {
    const int size = GetCurrentObject(OBJ_PEN, nullptr, 0);
    LOGPEN pen{};
    if (size == static_cast<int>(sizeof(pen))) {
        if (GetCurrentObject(OBJ_PEN, &pen, sizeof(pen)) != size) return std::nullopt;
        return pen;
    }
    // An extended pen: its description ends in a style array of its own length.
    if (size < static_cast<int>(offsetof(EXTLOGPEN, elpStyleEntry))) return std::nullopt;
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
    if (GetCurrentObject(OBJ_PEN, bytes.data(), size) != size) return std::nullopt;
    const auto* extended = reinterpret_cast<const EXTLOGPEN*>(bytes.data());
    pen.lopnStyle = extended->elpPenStyle;
    pen.lopnWidth.x = static_cast<LONG>(extended->elpWidth);
    pen.lopnColor = extended->elpColor;
    return pen;
}

std::optional<LOGBRUSH> Canvas::CurrentBrush() const {
    LOGBRUSH brush{};
    if (GetCurrentObject(OBJ_BRUSH, &brush, sizeof(brush)) != static_cast<int>(sizeof(brush))) return std::nullopt;
    return brush;
}

std::optional<LOGFONTA> Canvas::CurrentFont() const {
    LOGFONTA font{};
    if (GetCurrentObject(OBJ_FONT, &font, sizeof(font)) != static_cast<int>(sizeof(font))) return std::nullopt;
    return font;
}

RECT Canvas::GetWindowRect() const {
    RECT rect{};
    if (window_) ::GetWindowRect(window_, &rect);
    else rect = {0, 0, width_, height_};
    return rect;
}

}  // namespace lirvo
