#pragma once
// Canvas: a thin owner of a device context with the plain GDI calls as
// methods. A canvas either wraps a DC it was given (a window's DC, which it
// does not own) or owns a 32-bit surface it created (DC and DIB section,
// released together). The transition animator draws its frames on canvases.

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "skin/window/surface.h"

namespace lirvo {

class Canvas {
public:
    Canvas() = default;
    ~Canvas() { Release(); }
    Canvas(Canvas&& other) noexcept;
    Canvas& operator=(Canvas&& other) noexcept;
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    // Releases what the canvas owns; a borrowed DC is only forgotten.
    void Release();
    // Borrows the DC of a window: its whole-window DC, or its client DC;
    // false for no window or one that is gone.
    bool AttachWindowDC(HWND window, bool wholeWindow = false);
    void SetHandle(HDC dc);
    HDC GetHandle() const { return dc_; }

    HGDIOBJ SelectObject(HGDIOBJ object) { return ::SelectObject(dc_, object); }
    HGDIOBJ GetCurrentObject(UINT type) const { return ::GetCurrentObject(dc_, type); }
    // The description of the object of this type selected now (GetObjectA
    // into `buffer`): the bytes stored, or with no buffer the bytes needed;
    // 0 when there is none.
    int GetCurrentObject(UINT type, void* buffer, int size) const;
    // The attributes of the pen, brush and font selected now. An extended
    // pen gives its style, width and colour the same way.
    std::optional<LOGPEN> CurrentPen() const;
    std::optional<LOGBRUSH> CurrentBrush() const;
    std::optional<LOGFONTA> CurrentFont() const;
    COLORREF GetPixel(int x, int y) const { return ::GetPixel(dc_, x, y); }
    COLORREF SetPixel(int x, int y, COLORREF colour) { return ::SetPixel(dc_, x, y, colour); }
    bool Polygon(const std::vector<POINT>& points) {
        return ::Polygon(dc_, points.data(), static_cast<int>(points.size())) != FALSE;
    }
    bool PaintDesktop() { return ::PaintDesktop(dc_) != FALSE; }
    bool MoveTo(int x, int y, POINT* previous = nullptr) { return ::MoveToEx(dc_, x, y, previous) != FALSE; }
    bool LineTo(int x, int y) { return ::LineTo(dc_, x, y) != FALSE; }
    bool Ellipse(int left, int top, int right, int bottom) { return ::Ellipse(dc_, left, top, right, bottom) != FALSE; }
    // With `square` the corner ellipse is as high as it is wide.
    bool RoundRect(int left, int top, int right, int bottom, int width, int height, bool square = false) {
        return ::RoundRect(dc_, left, top, right, bottom, width, square ? width : height) != FALSE;
    }
    bool Rectangle(int left, int top, int right, int bottom) {
        return ::Rectangle(dc_, left, top, right, bottom) != FALSE;
    }
    bool Arc(int left, int top, int right, int bottom, int x1, int y1, int x2, int y2) {
        return ::Arc(dc_, left, top, right, bottom, x1, y1, x2, y2) != FALSE;
    }
    bool Chord(int left, int top, int right, int bottom, int x1, int y1, int x2, int y2) {
        return ::Chord(dc_, left, top, right, bottom, x1, y1, x2, y2) != FALSE;
    }
    bool InvertRect(const RECT& rect) { return ::InvertRect(dc_, &rect) != FALSE; }
    SIZE TextExtentA(std::string_view text) const;
    SIZE TextExtentW(std::wstring_view text) const;
    bool TextOutA(int x, int y, std::string_view text) {
        return ::TextOutA(dc_, x, y, text.data(), static_cast<int>(text.size())) != FALSE;
    }
    bool TextOutW(int x, int y, std::wstring_view text) {
        return ::TextOutW(dc_, x, y, text.data(), static_cast<int>(text.size())) != FALSE;
    }
    bool SetTextColor(COLORREF colour) { return ::SetTextColor(dc_, colour) != CLR_INVALID; }
    UINT SetTextAlign(UINT align) { return ::SetTextAlign(dc_, align); }
    UINT GetTextAlign() const { return ::GetTextAlign(dc_); }
    bool GradientFill(TRIVERTEX* vertices, ULONG count, void* mesh, ULONG meshCount, ULONG mode) {
        return ::GdiGradientFill(dc_, vertices, count, mesh, meshCount, mode) != FALSE;
    }
    int GetBkMode() const { return ::GetBkMode(dc_); }
    int SetBkMode(int mode) { return ::SetBkMode(dc_, mode); }
    int SetTextCharacterExtra(int extra) { return ::SetTextCharacterExtra(dc_, extra); }
    int GetTextCharacterExtra() const { return ::GetTextCharacterExtra(dc_); }
    bool FrameRgn(HRGN region, HBRUSH brush, int width, int height) {
        return ::FrameRgn(dc_, region, brush, width, height) != FALSE;
    }
    bool FillRgn(HRGN region, HBRUSH brush) { return ::FillRgn(dc_, region, brush) != FALSE; }
    bool InvertRgn(HRGN region) { return ::InvertRgn(dc_, region) != FALSE; }
    COLORREF GetNearestColor(COLORREF colour) const { return ::GetNearestColor(dc_, colour); }
    static bool GdiFlush() { return ::GdiFlush() != FALSE; }
    static DWORD GdiGetBatchLimit() { return ::GdiGetBatchLimit(); }
    int GetGraphicsMode() const { return ::GetGraphicsMode(dc_); }
    int SetGraphicsMode(int mode) { return ::SetGraphicsMode(dc_, mode); }

    bool BitBlt(int x, int y, int width, int height, HDC source, int sourceX, int sourceY, DWORD rop = SRCCOPY) {
        return ::BitBlt(dc_, x, y, width, height, source, sourceX, sourceY, rop) != FALSE;
    }
    bool BitBlt(int x, int y, int width, int height, const Canvas& source, int sourceX, int sourceY,
                DWORD rop = SRCCOPY) {
        return BitBlt(x, y, width, height, source.dc_, sourceX, sourceY, rop);
    }
    bool StretchBlt(int x, int y, int width, int height, HDC source, int sourceX, int sourceY, int sourceWidth,
                    int sourceHeight, DWORD rop = SRCCOPY) {
        return ::StretchBlt(dc_, x, y, width, height, source, sourceX, sourceY, sourceWidth, sourceHeight, rop) !=
               FALSE;
    }
    bool StretchBlt(int x, int y, int width, int height, const Canvas& source, int sourceX, int sourceY,
                    int sourceWidth, int sourceHeight, DWORD rop = SRCCOPY) {
        return StretchBlt(x, y, width, height, source.dc_, sourceX, sourceY, sourceWidth, sourceHeight, rop);
    }
    // Pixels of the colour `transparent` (COLORREF) are not copied.
    bool TransparentBlt(int x, int y, int width, int height, HDC source, int sourceX, int sourceY, int sourceWidth,
                        int sourceHeight, UINT transparent);
    bool TransparentBlt(int x, int y, int width, int height, const Canvas& source, int sourceX, int sourceY,
                        int sourceWidth, int sourceHeight, UINT transparent) {
        return TransparentBlt(x, y, width, height, source.dc_, sourceX, sourceY, sourceWidth, sourceHeight,
                              transparent);
    }
    bool AlphaBlend(int x, int y, int width, int height, HDC source, int sourceX, int sourceY, int sourceWidth,
                    int sourceHeight, std::uint8_t constantAlpha, bool perPixelAlpha);
    bool AlphaBlend(int x, int y, int width, int height, const Canvas& source, std::uint8_t constantAlpha,
                    bool perPixelAlpha) {
        return AlphaBlend(x, y, width, height, source.dc_, 0, 0, source.width_, source.height_, constantAlpha,
                          perPixelAlpha);
    }

    // Makes the canvas own a new width x height 32-bit surface (top-down rows
    // are not assumed; Bits() is bottom-up like every surface of the toolkit).
    bool CreateSurface(int width, int height);
    bool CreateSurfaceLike(const Canvas& source) { return CreateSurface(source.width_, source.height_); }
    // The compound copies: `source` is first copied whole into a temporary
    // surface of its size, then from there onto this canvas. The source may
    // be this canvas itself, even where the copy lands on what it reads.
    // False when either side has no surface or the target size is empty.
    bool CopyThroughSurface(const Canvas& source);
    // Scaled into (x, y, width, height).
    bool CopyThroughSurfaceStretched(const Canvas& source, int x, int y, int width, int height, DWORD rop = SRCCOPY);
    // Scaled into (x, y, width, height), leaving out the pixels of the
    // colour `transparent` (COLORREF).
    bool CopyThroughSurfaceTransparent(const Canvas& source, int x, int y, int width, int height, UINT transparent);
    // Blended over (x, y, width, height) at a constant alpha, and by the
    // source's own (premultiplied) alpha with `perPixelAlpha`.
    bool CopyThroughSurfaceBlended(const Canvas& source, int x, int y, int width, int height,
                                   std::uint8_t constantAlpha, bool perPixelAlpha);

    int Width() const { return width_; }
    int Height() const { return height_; }
    std::uint32_t* Bits() const { return surface_.bits; }
    RECT GetWindowRect() const;

private:
    // The temporary copy of `source` that the compound copies draw from;
    // an empty canvas when there is nothing to copy or nowhere to.
    Canvas SnapshotOf(const Canvas& source, int width, int height) const;

    HDC dc_ = nullptr;
    HWND window_ = nullptr;  // the window a borrowed DC belongs to
    DibSection surface_;     // owned when the canvas made its own surface
    int width_ = 0;
    int height_ = 0;
};

}  // namespace lirvo
