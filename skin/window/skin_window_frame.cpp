// SkinWindow: the frame. The background layers, icon, title, shadow and
// borders are painted onto the background surface, and kept there while
// nothing they are painted from changes; the main surface starts as a copy.

#include "skin/window/skin_window.h"

#include <algorithm>

#include "skin/core/image_from_bytes.h"
#include "skin/core/toolkit.h"
#include "skin/core/window_properties.h"
#include "skin/window/shadow_frame.h"
#include "skin/window/skin_window_parts.h"

namespace lirvo {
namespace {

using window_parts::FlushGraphics;

constexpr std::int32_t kIconWidthInTitle = 21;
constexpr std::int32_t kCrossFadeSteps = 10;
constexpr std::int32_t kCrossFadeStep = 25;
constexpr Margins kDefaultImageMargins{26, 26, 26, 26};

template <typename Inputs>
Rect LayerBody(const Inputs& inputs) {
    return {inputs.offsetX, inputs.offsetY, inputs.width - 2 * inputs.offsetX, inputs.height - 2 * inputs.offsetY};
}

}  // namespace

void SkinWindow::SetMargins(const Margins& margins) { margins_ = margins; }

std::int32_t SkinWindow::BackgroundTransparency(std::optional<std::int32_t> value) {
    if (value) previousLayerTransparency_ = currentLayerTransparency_ = backgroundTransparency_ = *value;
    return backgroundTransparency_;
}

void SkinWindow::RebuildSurfaces() {
    if (!window_) return;
    // Surfaces of the right size are reused: allocating two window-sized DIB
    // sections on every repaint cost more than all the drawing. The main
    // surface needs no clearing, the frame is copied over all of it.
    if (mainSurface_.Width() != bounds_.width || mainSurface_.Height() != bounds_.height || !mainSurface_) {
        mainSurface_ = Surface(bounds_.width, bounds_.height);
        backgroundSurface_ = Surface(bounds_.width, bounds_.height);
        paintedFrame_.reset();
    }
    SetWindowProperty(window_, property::kSurfaceDc, reinterpret_cast<std::intptr_t>(mainSurface_.Dc()));
    SetWindowProperty(window_, property::kBackgroundDc, reinterpret_cast<std::intptr_t>(backgroundSurface_.Dc()));
    SetWindowProperty(window_, property::kSurfaceGraphics, reinterpret_cast<std::intptr_t>(mainSurface_.Graphics()));
    SetWindowProperty(window_, property::kBackgroundGraphics,
                      reinterpret_cast<std::intptr_t>(backgroundSurface_.Graphics()));
    // The frame goes onto the background surface first: the caption buttons
    // and controls restore what lies under them from it. On two cleared
    // surfaces the main surface's frame would come out the same pixel for
    // pixel, so it is copied instead of drawn twice; and while nothing it is
    // painted from changed, the frame painted last time is still right.
    if (paintedFrame_ != CurrentFrameInputs()) {
        backgroundSurface_.Clear();
        PaintFrame(backgroundSurface_.Graphics(), backgroundSurface_.Dc());
        // Painting may settle inputs (the default picture margins).
        paintedFrame_ = CurrentFrameInputs();
        ReleaseLayersUnlessFading();
    } else if (accentMode_ == 1) {
        PublishAccentColour();
    }
    CopyFrameToMainSurface();
    RedrawControls(mainSurface_.Graphics());
}

void SkinWindow::CopyFrameToMainSurface() {
    ::BitBlt(mainSurface_.Dc(), 0, 0, bounds_.width, bounds_.height, backgroundSurface_.Dc(), 0, 0, SRCCOPY);
    PaintCaptionButtons(mainSurface_.Graphics(), mainSurface_.Dc(), 0, false);
    FlushGraphics(mainSurface_.Graphics());
}

Rect SkinWindow::LayoutCaption() {
    const TextSize measured = titleFont_ ? MeasureText(title_, titleFont_) : TextSize{};
    const Rect body = BodyRect();
    captionRect_ = {body.left, body.top, body.width - CaptionButtonsWidth(), measured.height};
    titleRect_ = captionRect_;
    if (systemIcon_ || customIcon_) titleRect_.width -= kIconWidthInTitle;
    return captionRect_;
}

void SkinWindow::RefreshSystemIcon() {
    if (!customIcon_ && !iconRemoved_)
        systemIcon_ = reinterpret_cast<HICON>(::SendMessageW(window_, WM_GETICON, ICON_SMALL, 0));
}

SkinWindow::FrameInputs SkinWindow::CurrentFrameInputs() {
    RefreshSystemIcon();
    return {.width = bounds_.width,
            .height = bounds_.height,
            .offsetX = paintOffsetX_,
            .offsetY = paintOffsetY_,
            .textRenderingHint = DefaultTextRenderingHint(),
            .backgroundMode = backgroundMode_,
            .backgroundColour = backgroundColour_,
            .previousLayerColour = previousLayerColour_,
            .margins = margins_,
            .previousLayerTransparency = previousLayerTransparency_,
            .currentLayerTransparency = currentLayerTransparency_,
            .systemIcon = reinterpret_cast<std::uintptr_t>(systemIcon_),
            .customIcon = customIcon_,
            .titleWidth = titleRect_.width,
            .titleHeight = titleRect_.height,
            .frameStyle = frameStyle_,
            .cornerRadius = cornerRadius_,
            .innerBorderColour = innerBorderColour_,
            .outerBorderColour = outerBorderColour_,
            .revision = revision_};
}

void SkinWindow::PaintFrame(Gdiplus::GpGraphics* graphics, HDC dc) {
    PaintBackground(graphics, dc);

    const std::int32_t dx = paintOffsetX_;
    const std::int32_t dy = paintOffsetY_;
    RefreshSystemIcon();
    if (systemIcon_ && !customIcon_) {
        DrawIconHandle(graphics, systemIcon_, dx + 7, dy + 6);
    } else if (customIcon_ && !iconBytes_.empty()) {
        DrawImage(ImageFromBytes(iconBytes_).get(), graphics, dx + 7, dy + 6, {16, 16});
    }

    const bool anyIcon = systemIcon_ || customIcon_;
    titleRect_.left = dx + (anyIcon ? 28 : 5);
    titleRect_.top = dy + 5;
    DrawStyledText(graphics, titleFont_, title_, titleRect_);

    const std::int32_t width = bounds_.width;
    const std::int32_t height = bounds_.height;
    if (frameStyle_ == kShadowFrameStyle)
        DrawNineGrid(graphics, ShadowFrameImage(), 0, 0, width, height, kShadowFrameMargins);
    // Frame style 4 asks for the background colour to be applied again; the
    // colour is already painted by PaintBackground, so nothing more is drawn.
    // The borders edge the body, inside any shadow.
    const Rect body = BodyRect();
    if (cornerRadius_ > 0) {
        DrawRoundRectOutline(graphics, outerBorderColour_, body.left, body.top, body.width - 2, body.height - 2,
                             cornerRadius_ - 1);
        DrawRoundRectOutline(graphics, innerBorderColour_, body.left + 1, body.top + 1, body.width - 4,
                             body.height - 4, cornerRadius_ - 1);
    } else {
        DrawRectOutline(graphics, outerBorderColour_, body.left, body.top, body.width - 1, body.height - 1);
        DrawRectOutline(graphics, innerBorderColour_, body.left + 1, body.top + 1, body.width - 3, body.height - 3);
    }
    FlushGraphics(graphics);
}

void SkinWindow::PaintBackground(Gdiplus::GpGraphics* graphics, HDC dc) {
    const std::int32_t width = bounds_.width;
    const std::int32_t height = bounds_.height;
    // An image without margins is framed by 26-pixel margins; it is drawn
    // with them at once, so the first frame already shows it.
    if (backgroundImage_ && margins_.right == 0 && !(backgroundMode_ & kBackgroundNaturalSize))
        SetMargins(kDefaultImageMargins);
    if (accentMode_ == 1) PublishAccentColour();
    FlushGraphics(graphics);

    // The layers are blended without per-pixel alpha: at full strength a
    // layer replaces everything under it, at none it leaves it as it was.
    const auto previousAlpha = static_cast<std::uint8_t>(255 - previousLayerTransparency_);
    const auto currentAlpha = static_cast<std::uint8_t>(255 - currentLayerTransparency_);
    LayerInputs inputs{.width = width,
                       .height = height,
                       .offsetX = paintOffsetX_,
                       .offsetY = paintOffsetY_,
                       .backgroundMode = backgroundMode_,
                       .colour = backgroundColour_,
                       .withImage = static_cast<bool>(backgroundImage_),
                       .margins = margins_,
                       .revision = revision_};
    PaintLayer(currentLayer_, inputs);
    if (currentAlpha == 255) {
        ::BitBlt(dc, 0, 0, width, height, currentLayer_.surface.Dc(), 0, 0, SRCCOPY);
        return;
    }
    if (previousAlpha != 0) {
        inputs.colour = previousLayerColour_;
        inputs.withImage = false;
        inputs.margins = {};
        BlendColourLayer(dc, inputs, previousAlpha);
    }
    if (currentAlpha != 0)
        BlendSurface(dc, 0, 0, width, height, currentLayer_.surface.Dc(), 0, 0, width, height, currentAlpha, 0);
}

void SkinWindow::PaintLayer(CachedLayer& layer, const LayerInputs& inputs) {
    if (layer.surface && layer.inputs == inputs) return;
    if (layer.surface.Width() != inputs.width || layer.surface.Height() != inputs.height || !layer.surface)
        layer.surface = Surface(inputs.width, inputs.height);
    else
        layer.surface.Clear();
    Gdiplus::GpGraphics* graphics = layer.surface.Graphics();
    // The body, inside any shadow: what the layer holds lies there alone.
    const Rect body = LayerBody(inputs);
    if (!(inputs.backgroundMode & kBackgroundNoFill))
        FillClearedSurface(layer.surface, inputs.colour, body.left, body.top, body.width, body.height);
    Gdiplus::GpBitmap* picture = inputs.withImage ? backgroundImage_.Pixels() : nullptr;
    const bool shadowed = inputs.offsetX != 0 || inputs.offsetY != 0;
    if (picture && shadowed)
        gdip::GdipSetClipRectI(graphics, body.left, body.top, body.width, body.height, Gdiplus::CombineModeReplace);
    if (picture) {
        if (inputs.margins.right != 0) {
            if (shadowed || !StoreOpaquePicture(layer.surface, picture))
                DrawNineGrid(graphics, picture, body.left, body.top, body.width, body.height, inputs.margins);
        } else {
            UINT imageWidthU = 0, imageHeightU = 0;
            gdip::GdipGetImageWidth(picture, &imageWidthU);
            gdip::GdipGetImageHeight(picture, &imageHeightU);
            const auto imageWidth = static_cast<std::int32_t>(imageWidthU);
            const auto imageHeight = static_cast<std::int32_t>(imageHeightU);
            const std::int32_t x = body.left, y = body.top;
            DrawImage(picture, graphics, x, y);
            // Fade the right and bottom edges into the background colour.
            const Argb clear = inputs.colour & 0x00FFFFFF;
            const struct {
                Rect area;
                Gdiplus::Point from, to;
            } fades[] = {
                {{x + imageWidth - 50, y, 50, imageHeight}, {x + imageWidth - 50, y}, {x + imageWidth, y}},
                {{x, y + imageHeight - 50, imageWidth, 50}, {x, y + imageHeight - 50}, {x, y + imageHeight}},
            };
            for (const auto& fade : fades) {
                Gdiplus::GpLineGradient* gradient = nullptr;
                gdip::GdipCreateLineBrushI(&fade.from, &fade.to, clear, inputs.colour, Gdiplus::WrapModeTileFlipX,
                                           &gradient);
                gdip::GdipFillRectangleI(graphics, gradient, fade.area.left, fade.area.top, fade.area.width,
                                         fade.area.height);
                gdip::GdipDeleteBrush(gradient);
            }
        }
    }
    if (picture && shadowed) gdip::GdipResetClip(graphics);
    FlushGraphics(graphics);
    layer.inputs = inputs;
    // The layer now holds what the picture gave. A window the user can size
    // keeps the pixels: every step of a sizing paints them again.
    if (picture && !resizable_) backgroundImage_.ReleasePixels();
}

std::size_t SkinWindow::PixelBytesHeld() const {
    std::size_t bytes = backgroundImage_.PixelBytes();
    for (const Surface* surface : {&mainSurface_, &backgroundSurface_, &previousLayer_.surface, &currentLayer_.surface})
        if (*surface) bytes += std::size_t{4} * static_cast<std::size_t>(surface->Width()) * surface->Height();
    return bytes;
}

void SkinWindow::BlendColourLayer(HDC dc, const LayerInputs& inputs, std::uint8_t alpha) {
    const bool filled = !(inputs.backgroundMode & kBackgroundNoFill);
    if (!previousLayer_.surface || previousLayer_.inputs != inputs) {
        previousLayer_.surface = Surface(2, 1);
        if (filled) {
            FillRectColour(previousLayer_.surface.Graphics(), inputs.colour, 0, 0, 1, 1);
            FlushGraphics(previousLayer_.surface.Graphics());
        }
        previousLayer_.inputs = inputs;
    }
    const std::int32_t width = inputs.width, height = inputs.height;
    // The fill lies on the body, inside any shadow; the rest is clear.
    const Rect body = LayerBody(inputs);
    const std::int32_t left = filled ? std::clamp(body.left, 0, width) : 0;
    const std::int32_t right = filled ? std::clamp(body.left + body.width, left, width) : 0;
    const std::int32_t top = filled ? std::clamp(body.top, 0, height) : 0;
    const std::int32_t bottom = filled ? std::clamp(body.top + body.height, top, height) : 0;
    HDC swatch = previousLayer_.surface.Dc();
    const auto blend = [&](std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h, std::int32_t pixel) {
        if (w > 0 && h > 0) BlendSurface(dc, x, y, w, h, swatch, pixel, 0, 1, 1, alpha, 0);
    };
    constexpr std::int32_t kFillPixel = 0, kClearPixel = 1;
    blend(left, top, right - left, bottom - top, kFillPixel);
    blend(0, 0, width, top, kClearPixel);
    blend(0, bottom, width, height - bottom, kClearPixel);
    blend(0, top, left, bottom - top, kClearPixel);
    blend(right, top, width - right, bottom - top, kClearPixel);
}

void SkinWindow::PublishAccentColour() {
    Gdiplus::ARGB colour = backgroundColour_;
    if (backgroundImage_) colour = backgroundImage_.AccentPixel().value_or(colour);
    AccentColour() = ColourToArgb(static_cast<std::uint32_t>(colour) & 0xFFFFFF);
}

void SkinWindow::PaintAll(Gdiplus::GpGraphics* graphics, HDC dc) {
    PaintFrame(graphics, dc);
    PaintCaptionButtons(graphics, dc, 0, false);
    FlushGraphics(graphics);
}

void SkinWindow::SetIcon(const ByteArray& imageBytes) {
    if (!customIcon_ && !systemIcon_) titleRect_.width -= kIconWidthInTitle;
    customIcon_ = true;
    iconBytes_ = imageBytes;
    FrameChanged();
    RepaintLayers();
}

void SkinWindow::ResetIcon() {
    if (customIcon_) titleRect_.width += kIconWidthInTitle;
    customIcon_ = false;
    iconRemoved_ = true;
    systemIcon_ = nullptr;
    iconBytes_.clear();
    // The frame is keyed by which icon it shows: with none shown before, the
    // frame is unchanged and is not painted again.
    RepaintLayers();
}

void SkinWindow::RepaintLayers() {
    if (!mainSurface_) return;
    if (static_cast<std::uint8_t>(255 - currentLayerTransparency_) == 255) {
        // An opaque top layer replaces all that was under the frame, so the
        // frame does not depend on what was there: while nothing it is
        // painted from changed, the one painted last is still right, and the
        // main surface's would be the same again.
        if (paintedFrame_ != CurrentFrameInputs()) {
            PaintFrame(backgroundSurface_.Graphics(), backgroundSurface_.Dc());
            paintedFrame_ = CurrentFrameInputs();
        }
        CopyFrameToMainSurface();
    } else {
        PaintFrame(backgroundSurface_.Graphics(), backgroundSurface_.Dc());
        paintedFrame_.reset();  // blended over what was there
        PaintAll(mainSurface_.Graphics(), mainSurface_.Dc());
    }
    ReleaseLayersUnlessFading();
    RedrawControls(mainSurface_.Graphics());
    Refresh(true);
}

void SkinWindow::CrossFade() {
    crossFading_ = true;
    for (std::int32_t step = 1; step <= kCrossFadeSteps; ++step) {
        previousLayerTransparency_ = kCrossFadeStep * step;
        currentLayerTransparency_ = 250 - kCrossFadeStep * step;
        if (backgroundTransparency_ >= 1) RepaintAndRefresh();
        else RepaintLayers();
        if (previousLayerTransparency_ >= 255 - backgroundTransparency_) break;
    }
    crossFading_ = false;
    // The last step painted the frame: two window-sized layers kept until the
    // next change would be memory spent on nothing.
    ReleaseLayersUnlessFading();
}

void SkinWindow::ReleaseLayersUnlessFading() {
    if (crossFading_) return;
    previousLayer_ = {};
    currentLayer_ = {};
}

void SkinWindow::SetBackground(const ByteArray& imageBytes, std::optional<FontDescription> titleFont) {
    backgroundImage_.Assign(imageBytes);
    backgroundColour_ = SampleImageColour(backgroundImage_.Pixels());
    previousLayerColour_ = backgroundColour_;
    FrameChanged();

    if (titleFont) {
        const FontDescription& current = titleFont_.Description();
        FontDescription merged = *titleFont;
        if (merged.styleFlags == DefaultTextFormat()) merged.styleFlags = current.styleFlags;
        if (merged.size == 12) merged.size = current.size;
        if (merged.textColour == 0) merged.textColour = current.textColour;
        if (merged.glowColour == 0) merged.glowColour = current.glowColour;
        merged.fontFamily = current.fontFamily;
        titleFont_ = FontRecord(merged);
        FrameChanged();
    }

    CrossFade();
    AccentContrastColour() = ContrastColour(AccentColour());
    if (accentMode_ == 1) PublishAccentColour();
    Relayout();
}

void SkinWindow::SetBackgroundColour(std::optional<Argb> colour) {
    if (!colour) return;
    backgroundImage_.Reset();
    FrameChanged();
    previousLayerColour_ = backgroundColour_;
    backgroundColour_ = *colour | 0xFF000000u;
    FontDescription description = titleFont_.Description();
    const Argb contrast = ContrastColour(backgroundColour_);
    description.textColour = 0xFE000000u | contrast;
    description.glowColour = 0xFE000000u | (contrast ^ 0xFFFFFFu);
    titleFont_ = FontRecord(description);
    CrossFade();
}

}  // namespace lirvo
