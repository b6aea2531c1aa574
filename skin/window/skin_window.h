#pragma once
// SkinWindow: the object behind every skinned top-level window. It creates
// a window of the toolkit's class or adopts an existing one, subclasses it
// with the host window procedure, and owns everything the window shows: two
// off-screen surfaces (the frame alone, and the frame with caption buttons
// and controls), title, icon, caption buttons, background image and colours.
// WM_PAINT only copies the finished main surface; layered windows are pushed
// with UpdateLayeredWindow. Controls are not SkinWindows: they draw into its
// surfaces through the window properties.
//
// Destroying the last SkinWindow of the process ends the process (exit code
// 0), so closing the last skinned window ends the program.

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <optional>
#include <vector>

#include "skin/core/byte_array.h"
#include "skin/core/colour.h"
#include "skin/core/gdiplus_api.h"
#include "skin/core/rect.h"
#include "skin/core/shared_routines.h"
#include "skin/core/skin_object.h"
#include "skin/core/wide_text.h"
#include "skin/window/background_picture.h"
#include "skin/window/drawing.h"
#include "skin/window/surface.h"
#include "skin/window/tool_tip.h"
#include "skin/window/transition_animator.h"

namespace lirvo {

// Style bits of SkinWindow::Create.
namespace window_style {
inline constexpr std::int32_t kCentre = 1;
inline constexpr std::int32_t kCaptionButtons = 2;  // close, always
inline constexpr std::int32_t kMaximiseButton = 4;
inline constexpr std::int32_t kMinimiseButton = 8;
inline constexpr std::int32_t kToolWindow = 16;
inline constexpr std::int32_t kButton5 = 64;
inline constexpr std::int32_t kButton6 = 128;
inline constexpr std::int32_t kButton7 = 256;
}  // namespace window_style

inline constexpr std::int32_t kShadowFrameStyle = 9999999;
// Background mode bits.
inline constexpr std::int32_t kBackgroundNaturalSize = 1;
inline constexpr std::int32_t kBackgroundNoFill = 4;

enum CaptionKind : std::int32_t {
    kCaptionClose = 1,
    kCaptionMaximise = 2,
    kCaptionRestore = 3,
    kCaptionMinimise = 4,
    kCaptionButton5 = 5,
    kCaptionButton6 = 6,
    kCaptionButton7 = 7,
};

struct CaptionButton {
    std::int32_t kind = kCaptionClose;
    std::int32_t state = 1;  // 1 normal, 2 hot, 3 pressed
    std::int32_t previousState = 1;
    Rect rect;  // client coordinates
    bool hot = false;
    bool pressed = false;
    bool dirty = false;
    std::int32_t fadeLevel = 0;  // 100 .. 0 while a state change fades in
};

// Caption-button fades run on timer 301 + 65536 x (1-based button index).
inline constexpr UINT kCaptionFadeTimer = 301;
inline constexpr UINT kCaptionFadeInterval = 5;
inline constexpr std::int32_t kCaptionFadeStep = 8;
inline constexpr UINT kTransitionTimer = 604;
// Events the window sends to the controls it hosts.
inline constexpr std::int32_t kEventPaintOnHost = 7;
inline constexpr std::int32_t kEventRedraw = 34;

// The accent colour that accent-mode windows publish for the controls, and
// black or white to draw on it.
Argb& AccentColour();
Argb& AccentContrastColour();
// Handles of all live skinned windows, oldest first.
const std::vector<HWND>& WindowList();

class SkinWindow : public SkinObject, public WindowMessageTarget {
public:
    // Routines the application may install. A hook returns true when it
    // handled the message and stored the result.
    using MessageHook = std::function<bool(HWND, UINT, WPARAM, LPARAM, LRESULT& result)>;
    using EventHandler = std::function<bool(SkinWindow&, std::int32_t event)>;

    struct CreateArgs {
        std::optional<HWND> existingWindow;  // adopted when it is a live window
        std::optional<FontDescription> titleFont;
        std::optional<WideText> title;
        std::optional<Rect> bounds;  // default 380 x 250
        std::optional<std::int32_t> style;  // default DefaultWindowFlags()
        std::optional<std::int32_t> accentMode;
        std::optional<Argb> innerBorderColour;  // default white, alpha 96
        std::optional<Argb> outerBorderColour;  // default black, alpha 96
        std::optional<bool> dragAnywhere;
        std::optional<ByteArray> backgroundImage;
        // The frame style; without an image also the background colour, with
        // one also the background mode.
        std::optional<std::int32_t> frameStyle;
    };

    SkinWindow();
    ~SkinWindow() override;

    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    // The window's own size: a transition's frames move and size the window
    // without changing where its controls belong.
    std::optional<Rect> ControlArea() const override { return Rect{0, 0, bounds_.width, bounds_.height}; }
    std::int32_t HandleEvent(std::int32_t, EventParam, EventParam) override { return 0; }
    bool RunCaptionCommand(std::int32_t kind) override {
        CaptionCommand(kind);
        return true;
    }
    virtual void OnTimer(UINT_PTR timerId);
    virtual void Destroy();
    virtual void Close();
    // 1, or 0 when the window could not be created: nothing is then
    // registered and the object stays as constructed.
    virtual std::int32_t Create(const CreateArgs& args = {});
    virtual void SetHandlers(std::optional<EventHandler> eventHandler, std::optional<MessageHook> preHook = std::nullopt,
                             std::optional<MessageHook> postHook = std::nullopt);
    // Sets (when given) the window's tooltip over a rectangle; returns the text.
    virtual std::string SetToolTip(std::optional<std::string> text, const Rect& rect = {});
    HWND GetHandle() const { return window_; }
    ObjectHandle GetObjectId() const { return Handle(); }
    std::int32_t GetRight() const { return bounds_.left + bounds_.width; }
    std::int32_t GetBottom() const { return bounds_.top + bounds_.height; }
    std::int32_t GetWidth() const { return bounds_.width; }
    std::int32_t GetHeight() const { return bounds_.height; }
    std::int32_t GetLeft() const { return bounds_.left; }
    std::int32_t GetTop() const { return bounds_.top; }
    virtual void Move(std::optional<std::int32_t> left, std::optional<std::int32_t> top,
                      std::optional<std::int32_t> width = std::nullopt,
                      std::optional<std::int32_t> height = std::nullopt);
    virtual WideText Title(std::optional<WideText> title = std::nullopt);
    WideText GetTitle() const { return title_; }
    virtual bool Movable(std::optional<bool> value = std::nullopt);
    virtual std::int32_t CornerRadius(std::optional<std::int32_t> radius = std::nullopt, bool refresh = false);
    virtual void Refresh(bool now);
    virtual void Repaint();
    virtual void RepaintAndRefresh();
    virtual void Relayout();
    virtual bool Show(std::optional<bool> visible = std::nullopt);
    virtual bool Disabled(std::optional<bool> value = std::nullopt);
    virtual void BringToFront();
    virtual void SendToBack();
    virtual bool TopMost(std::optional<bool> value = std::nullopt);
    HDC GetWindowDC() const { return windowDc_; }
    virtual bool Resizable(std::optional<bool> value = std::nullopt);
    virtual bool Layered(std::optional<bool> value = std::nullopt, bool refresh = false);
    virtual std::uint8_t Opacity(std::optional<std::int32_t> value = std::nullopt, bool refresh = false);
    // An interval of 0 stands for 16 ms.
    virtual void ShowEffect(std::optional<std::int32_t> effect, std::int32_t interval = 0);
    virtual void CloseEffect(std::optional<std::int32_t> effect, std::int32_t interval = 0);
    virtual void SetMargins(const Margins& margins);
    virtual void StopEffect(bool refresh);
    bool IsAnimating() const { return animating_; }
    virtual std::int32_t BackgroundTransparency(std::optional<std::int32_t> value = std::nullopt);
    virtual void DoubleClickMaximise(bool value);
    virtual void ApplyCornerRegion(bool on);
    std::int32_t CaptionButtonsWidth() const;
    Rect CaptionButtonsRect() const;
    virtual void ApplyStyle(std::int32_t style);
    virtual void LayoutCaptionButtons(std::optional<std::int32_t> width = std::nullopt);
    // Index 0 paints every button; a 1-based index with `animate` fades that
    // button from its previous look into its current one.
    virtual void PaintCaptionButtons(Gdiplus::GpGraphics* graphics, HDC dc, std::size_t index, bool animate);
    // Moves a caption button (1-based) to a new look; the old one is kept as
    // its previous state for the fade, and the button is marked for repaint.
    void ChangeCaptionButtonState(std::size_t index, std::int32_t state);
    // The caption-button state machine for one mouse message; without a point
    // the cursor position is read.
    virtual LRESULT DispatchMouse(std::optional<POINT> point, UINT message);
    virtual bool DragAnywhere(std::optional<bool> value = std::nullopt);
    // A caption button of this kind was clicked.
    virtual void CaptionCommand(std::int32_t kind);
    // Hands an event to the application's handler; true when it handled it.
    virtual bool RaiseEvent(std::int32_t code);
    virtual void TrackMouseLeave();
    virtual void RebuildSurfaces();
    virtual Rect LayoutCaption();
    virtual void PaintFrame(Gdiplus::GpGraphics* graphics, HDC dc);
    virtual void SetIcon(const ByteArray& imageBytes);
    virtual void ResetIcon();
    virtual void PaintBackground(Gdiplus::GpGraphics* graphics, HDC dc);
    virtual void SetBackgroundColour(std::optional<Argb> colour);
    virtual void SetBackground(const ByteArray& imageBytes,
                               std::optional<FontDescription> titleFont = std::nullopt);
    virtual void PaintAll(Gdiplus::GpGraphics* graphics, HDC dc);
    virtual void RedrawControls(Gdiplus::GpGraphics* graphics);
    virtual void UpdateRect(const Rect& rect);
    // Resize zone (1..8, 0 for none) under a client point; sets its cursor.
    virtual std::int32_t UpdateResizeCursor(std::int32_t x, std::int32_t y);
    // As UpdateResizeCursor, and starts the system's sizing for the zone.
    virtual std::int32_t BeginResize(std::int32_t x, std::int32_t y);

    // Read access for the layers above and for tests.
    const Surface& MainSurface() const { return mainSurface_; }
    const Surface& BackgroundSurface() const { return backgroundSurface_; }
    const std::vector<CaptionButton>& CaptionButtons() const { return captionButtons_; }
    const Rect& CaptionRect() const { return captionRect_; }
    const Rect& TitleRect() const { return titleRect_; }
    const Margins& NineGridMargins() const { return margins_; }
    Argb BackgroundColour() const { return backgroundColour_; }
    std::int32_t PreviousLayerTransparency() const { return previousLayerTransparency_; }
    std::int32_t CurrentLayerTransparency() const { return currentLayerTransparency_; }
    // The bytes of pixels the window holds: its two surfaces, the background
    // layers while a cross-fade runs, and its picture while it is decoded.
    std::size_t PixelBytesHeld() const;
    std::int32_t ShowEffectNumber() const { return showEffect_; }
    std::int32_t ShowFrameInterval() const { return showInterval_; }
    std::int32_t CloseEffectNumber() const { return closeEffect_; }
    std::int32_t CloseFrameInterval() const { return closeInterval_; }
    const FontRecord& TitleFont() const { return titleFont_; }
    HWND AdoptedWindow() const { return adoptedWindow_; }
    bool Maximised() const { return maximised_; }
    const ToolTip& GetToolTip() const { return toolTip_; }
    const TransitionAnimator& Animator() const { return animator_; }
    // Where this window's body starts: inside the shadow of a shadow-framed
    // window, else at the corner. The window's own, set when it is created.
    POINT PaintOffset() const { return {paintOffsetX_, paintOffsetY_}; }
    // The body: the window less the shadow on each side. The frame, the
    // caption and its buttons are laid out and hit-tested inside it.
    Rect BodyRect() const;

private:
    // What the frame on the background surface was painted from. While none
    // of it changes, the painted frame is still right and a repaint reuses it.
    struct FrameInputs {
        std::int32_t width = 0, height = 0, offsetX = 0, offsetY = 0;
        std::int32_t textRenderingHint = 0;
        std::int32_t backgroundMode = 0;
        Argb backgroundColour = 0, previousLayerColour = 0;
        Margins margins;
        std::int32_t previousLayerTransparency = 0, currentLayerTransparency = 0;
        std::uintptr_t systemIcon = 0;
        bool customIcon = false;
        std::int32_t titleWidth = 0, titleHeight = 0;
        std::int32_t frameStyle = 0, cornerRadius = 0;
        Argb innerBorderColour = 0, outerBorderColour = 0;
        std::uint64_t revision = 0;
        friend bool operator==(const FrameInputs&, const FrameInputs&) = default;
    };
    // What one background layer (a colour fill, with or without the nine-grid
    // of the picture) was painted from.
    struct LayerInputs {
        std::int32_t width = 0, height = 0, offsetX = 0, offsetY = 0;
        std::int32_t backgroundMode = 0;
        Argb colour = 0;
        bool withImage = false;
        Margins margins;
        std::uint64_t revision = 0;
        friend bool operator==(const LayerInputs&, const LayerInputs&) = default;
    };
    struct CachedLayer {
        Surface surface;
        std::optional<LayerInputs> inputs;
    };

    void ResetFields();
    void RepaintLayers();  // both surfaces, the controls, and the screen
    FrameInputs CurrentFrameInputs();
    void RefreshSystemIcon();
    // A picture, title, title font or icon changed: painted frames and layers are stale.
    void FrameChanged() { ++revision_; }
    // Paints one background layer unless it already shows these inputs.
    void PaintLayer(CachedLayer& layer, const LayerInputs& inputs);
    // Blends the previous layer, one colour filled where the paint offsets
    // put it and clear elsewhere, from a swatch of those two pixels each
    // stretched over its part: no window-sized surface for a single colour.
    void BlendColourLayer(HDC dc, const LayerInputs& inputs, std::uint8_t alpha);
    // The layers are kept while a cross-fade blends them step after step;
    // otherwise the painted frame is what a repaint reuses, and two
    // window-sized layers would only take memory.
    void ReleaseLayersUnlessFading();
    // The main surface from the frame on the background surface: a copy of
    // it, with the caption buttons on top (the controls are drawn after).
    void CopyFrameToMainSurface();
    // The transitions size the window every frame from their snapshot; once
    // they end the surfaces are made to fit the window again.
    void FitSurfacesToWindow();
    void CrossFade();
    void PublishAccentColour();
    void RefreshBounds();
    void SendToHostedControls(std::int32_t event, EventParam p1, bool onlyDeeper);
    std::optional<std::size_t> RegistryPosition() const;
    Gdiplus::GpBitmap* CaptionImage(std::int32_t kind, std::int32_t state) const;
    void RestoreFromBackground(HDC dc, const Rect& rect);
    std::int32_t FadeTick(std::size_t index);
    void RepaintDirtyButtons();
    void ResetCaptionButtons();
    void MaximiseToWorkArea();
    void BeginTransition(UINT timerId, std::int32_t interval);
    // Runs the program's messages, the transition's timer among them, until
    // the last frame; false when the window went meanwhile.
    bool RunTransitionToEnd();
    // The show effect's out-frames, on the window still visible.
    bool PlayHideFrames();
    // The frames move and size the window; once they are over it goes back
    // to where it was when they began.
    void PutBackInPlace();
    void TransitionTick(UINT_PTR timerId);
    void OnMouseMove(std::int32_t x, std::int32_t y);
    void OnLeftButtonDown(std::int32_t x, std::int32_t y);
    void OnLeftDoubleClick(std::int32_t x, std::int32_t y);
    void OnClose();

    HWND window_ = nullptr;
    HWND adoptedWindow_ = nullptr;
    WNDPROC oldProc_ = nullptr;
    Rect bounds_;
    HDC windowDc_ = nullptr;
    Surface mainSurface_;
    Surface backgroundSurface_;
    Argb previousLayerColour_ = 0;
    std::int32_t backgroundMode_ = 0;
    Margins margins_;
    std::int32_t previousLayerTransparency_ = 0;
    WideText title_;
    Rect captionRect_;
    Rect titleRect_;
    FontRecord titleFont_;
    bool movable_ = false;
    bool resizable_ = false;
    std::int32_t cornerRadius_ = 0;
    std::vector<CaptionButton> captionButtons_;
    Rect captionButtonsRect_;
    bool buttonsIdle_ = false;
    bool mouseTracked_ = false;
    MessageHook preHook_;
    MessageHook postHook_;
    EventHandler eventHandler_;
    bool sizing_ = false;
    bool captionDrag_ = false;
    bool layered_ = false;
    std::uint8_t opacity_ = 255;
    bool animating_ = false;
    std::int32_t animationProgress_ = 0;
    std::int32_t animationCounter_ = 0;
    std::int32_t showEffect_ = 0;
    std::int32_t showInterval_ = 16;
    std::int32_t closeEffect_ = 0;
    std::int32_t closeInterval_ = 16;
    std::int32_t frameStyle_ = 0;
    std::int32_t accentMode_ = 0;
    bool maximised_ = false;
    BackgroundPicture backgroundImage_;
    std::int32_t currentLayerTransparency_ = 0;
    Argb backgroundColour_ = kDefaultBackgroundColour;
    bool customIcon_ = false;
    ByteArray iconBytes_;
    Argb innerBorderColour_ = 0;
    Argb outerBorderColour_ = 0;
    std::int32_t backgroundTransparency_ = 0;
    bool doubleClickMaximise_ = false;
    bool dragAnywhere_ = false;
    HICON systemIcon_ = nullptr;
    bool iconRemoved_ = false;
    TransitionAnimator animator_;
    Rect transitionHome_;  // the window's rectangle when its transition began
    std::int32_t paintOffsetX_ = 0;
    std::int32_t paintOffsetY_ = 0;
    ToolTip toolTip_;
    // Turns false when the object is deleted: code that called out to the
    // application checks it before touching the object again. (Not
    // make_shared: built without type information, it links in the C++
    // library's exception handling and name demangler.)
    std::shared_ptr<bool> alive_ = std::shared_ptr<bool>(new bool(true));
    std::uint64_t revision_ = 0;
    std::optional<FrameInputs> paintedFrame_;  // what the background surface holds
    CachedLayer previousLayer_;
    CachedLayer currentLayer_;
    bool crossFading_ = false;

    // Alpha 1, not 0: the window still takes the mouse where nothing is drawn.
    static constexpr Argb kDefaultBackgroundColour = 0x01FFFFFF;
};

}  // namespace lirvo
