// SkinWindow: the caption buttons: which the style asks for, where they sit,
// their images, and the fade from one look into the next.

#include "skin/window/skin_window.h"

#include <algorithm>

#include "skin/core/toolkit.h"
#include "skin/window/skin_window_parts.h"

namespace lirvo {
namespace {

using window_parts::FlushGraphics;

// Caption button kinds in the order the style bits add them.
constexpr struct {
    std::int32_t styleBit;
    std::int32_t kind;
} kOptionalButtons[] = {
    {window_style::kMaximiseButton, kCaptionMaximise}, {window_style::kMinimiseButton, kCaptionMinimise},
    {window_style::kButton5, kCaptionButton5},         {window_style::kButton6, kCaptionButton6},
    {window_style::kButton7, kCaptionButton7},
};

}  // namespace

std::int32_t SkinWindow::CaptionButtonsWidth() const {
    std::int32_t width = 0;
    for (const CaptionButton& button : captionButtons_) width += button.rect.width;
    return width;
}

Rect SkinWindow::CaptionButtonsRect() const {
    if (captionButtons_.empty()) return {};
    std::int32_t left = captionButtons_.front().rect.left;
    for (const CaptionButton& button : captionButtons_) left = std::min(left, button.rect.left);
    return {left, captionButtons_.front().rect.top, CaptionButtonsWidth(), captionButtons_.front().rect.height};
}

void SkinWindow::ApplyStyle(std::int32_t style) {
    captionButtons_.clear();
    if (style & window_style::kCaptionButtons) {
        captionButtons_.push_back({kCaptionClose});
        for (const auto& optional : kOptionalButtons)
            if (style & optional.styleBit) captionButtons_.push_back({optional.kind});
    }
    LayoutCaptionButtons();
}

void SkinWindow::LayoutCaptionButtons(std::optional<std::int32_t> width) {
    // Flush with the body's top right corner, inside a shadow.
    std::int32_t x = width.value_or(bounds_.width) - paintOffsetX_;
    for (CaptionButton& button : captionButtons_) {
        UINT imageWidth = 0, imageHeight = 0;
        if (Gdiplus::GpBitmap* image = CaptionImage(button.kind, 1)) {
            gdip::GdipGetImageWidth(image, &imageWidth);
            gdip::GdipGetImageHeight(image, &imageHeight);
        }
        x -= static_cast<std::int32_t>(imageWidth);
        button.rect = {x, paintOffsetY_, static_cast<std::int32_t>(imageWidth), static_cast<std::int32_t>(imageHeight)};
    }
    captionButtonsRect_ = CaptionButtonsRect();
}

Gdiplus::GpBitmap* SkinWindow::CaptionImage(std::int32_t kind, std::int32_t state) const {
    if (kind < kCaptionClose || kind > kCaptionButton7 || state < 1 || state > 3) return nullptr;
    // The built-in images are stored by kind in the same order: close to skin.
    return Toolkit().builtinSkin.CaptionButton(static_cast<CaptionButtonKind>(kind - 1),
                                               static_cast<LookState>(state - 1));
}

void SkinWindow::RestoreFromBackground(HDC dc, const Rect& rect) {
    ::BitBlt(dc, rect.left, rect.top, rect.width, rect.height, backgroundSurface_.Dc(), rect.left, rect.top, SRCCOPY);
}

void SkinWindow::PaintCaptionButtons(Gdiplus::GpGraphics* graphics, HDC dc, std::size_t index, bool animate) {
    if (index == 0) {
        for (const CaptionButton& button : captionButtons_) {
            FlushGraphics(graphics);
            RestoreFromBackground(dc, button.rect);
            DrawImage(CaptionImage(button.kind, button.state), graphics, button.rect.left, button.rect.top,
                      {button.rect.width, button.rect.height});
        }
        return;
    }
    if (index > captionButtons_.size()) return;
    CaptionButton& button = captionButtons_[index - 1];
    if (animate && button.state != button.previousState) {
        button.fadeLevel = 100;
        ::SetTimer(window_, kCaptionFadeTimer + 65536 * static_cast<UINT>(index), kCaptionFadeInterval, nullptr);
        return;
    }
    FlushGraphics(graphics);
    RestoreFromBackground(dc, button.rect);
    DrawImage(CaptionImage(button.kind, button.state), graphics, button.rect.left, button.rect.top,
              {button.rect.width, button.rect.height});
    UpdateRect(button.rect);
}

std::int32_t SkinWindow::FadeTick(std::size_t index) {
    if (index < 1 || index > captionButtons_.size() || !mainSurface_) return 0;
    CaptionButton& button = captionButtons_[index - 1];
    button.fadeLevel = std::max(button.fadeLevel - kCaptionFadeStep, 0);
    Gdiplus::GpGraphics* graphics = mainSurface_.Graphics();
    FlushGraphics(graphics);
    RestoreFromBackground(mainSurface_.Dc(), button.rect);
    const Rect& r = button.rect;
    DrawImage(CaptionImage(button.kind, button.previousState), graphics, r.left, r.top,
              {r.width, r.height, 0, 0, std::nullopt, std::nullopt, button.fadeLevel});
    DrawImage(CaptionImage(button.kind, button.state), graphics, r.left, r.top,
              {r.width, r.height, 0, 0, std::nullopt, std::nullopt, 100 - button.fadeLevel});
    FlushGraphics(graphics);
    UpdateRect(r);
    if (button.fadeLevel == 0) {
        ::KillTimer(window_, kCaptionFadeTimer + 65536 * static_cast<UINT>(index));
        button.previousState = button.state;
    }
    return button.fadeLevel;
}

void SkinWindow::ChangeCaptionButtonState(std::size_t index, std::int32_t state) {
    if (index < 1 || index > captionButtons_.size()) return;
    CaptionButton& button = captionButtons_[index - 1];
    if (button.state == state) return;
    button.previousState = button.state;
    button.state = state;
    button.dirty = true;
}

}  // namespace lirvo
