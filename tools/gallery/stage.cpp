#include "tools/gallery/stage.h"

#include <algorithm>
#include <utility>

#include "skin/controls/control_timers.h"
#include "skin/controls/label.h"
#include "skin/core/shared_routines.h"
#include "skin/window/drawing.h"

namespace lirvo::gallery {

namespace {

std::set<UINT_PTR>& HeldTimers() {
    static std::set<UINT_PTR> timers;
    return timers;
}

std::set<const SkinControl*>& HeldControls() {
    static std::set<const SkinControl*> controls;
    return controls;
}

bool Dropped(const MSG& message) {
    const bool mouse = (message.message >= WM_MOUSEFIRST && message.message <= WM_MOUSELAST) ||
                       message.message == WM_MOUSELEAVE || message.message == WM_NCMOUSEMOVE ||
                       message.message == WM_NCMOUSELEAVE;
    if (mouse) return true;
    return message.message == WM_TIMER && message.hwnd == nullptr && HeldTimers().count(message.wParam) != 0;
}

std::unique_ptr<SkinWindow> MakeCellWindow(const Rect& bounds, Argb background) {
    auto window = std::make_unique<SkinWindow>();
    window->Create({.bounds = bounds, .style = 0, .frameStyle = static_cast<std::int32_t>(background)});
    return window;
}

std::unique_ptr<Label> MakeLabel(SkinWindow& host, const Rect& rect, const std::string& text, std::int32_t format,
                                 std::int32_t size, Argb colour) {
    auto label = std::make_unique<Label>();
    label->Create(host, rect, MakeWideText(text), Label::kNoFrame,
                  MakeTextStyle(format, std::nullopt, size, colour, std::nullopt));
    return label;
}

POINT MiddleOf(const SkinControl& control) {
    const Rect rect = control.TopLevelRect();
    return {rect.left + rect.width / 2, rect.top + rect.height / 2};
}

void Send(const SkinControl& control, UINT message, WPARAM wParam) {
    const POINT at = MiddleOf(control);
    ::SendMessageW(control.GetHostHandle(), message, wParam, MAKELPARAM(at.x, at.y));
}

}  // namespace

GroupBuilder::GroupBuilder(std::string name, std::string title, std::string subtitle)
    : title_(std::move(title)), subtitle_(std::move(subtitle)) {
    group_.name = std::move(name);
    x_ = kOriginX;
    y_ = kOriginY + kHeadingHeight + kGap;
    right_ = kOriginX;
}

void GroupBuilder::Row(std::int32_t cellWidth, std::int32_t cellHeight, Argb background, Argb captionColour) {
    if (x_ != kOriginX) {
        x_ = kOriginX;
        y_ += rowHeight_ + kGap;
        rowHeight_ = 0;
    }
    cellWidth_ = cellWidth;
    cellHeight_ = cellHeight;
    background_ = background;
    captionColour_ = captionColour;
}

Rect GroupBuilder::Place(std::int32_t width, std::int32_t height) {
    if (x_ != kOriginX && x_ + width > kMaxRight) {
        x_ = kOriginX;
        y_ += rowHeight_ + kGap;
        rowHeight_ = 0;
    }
    const Rect placed{x_, y_, width, height};
    x_ += width + kGap;
    rowHeight_ = std::max(rowHeight_, height);
    right_ = std::max(right_, placed.left + width);
    return placed;
}

Cell& GroupBuilder::Add(std::string caption) {
    const Rect bounds = Place(cellWidth_, cellHeight_);
    Cell& cell = group_.cells.emplace_back();
    cell.caption = std::move(caption);
    cell.background = background_;
    cell.bounds = bounds;
    cell.window = MakeCellWindow(bounds, background_);
    cell.sample = {8, 8, cellWidth_ - 16, cellHeight_ - 16 - kCaptionHeight};
    cell.controls.push_back(MakeLabel(*cell.window, {4, cellHeight_ - kCaptionHeight - 4, cellWidth_ - 8, kCaptionHeight},
                                      cell.caption, font_style::kAlignCentre | font_style::kLineCentre, 12,
                                      captionColour_));
    return cell;
}

Cell& GroupBuilder::AddWindow(std::string caption, std::int32_t width, std::int32_t height) {
    Cell& cell = group_.cells.emplace_back();
    cell.caption = std::move(caption);
    cell.bounds = Place(width, height);
    cell.sample = {0, 0, width, height};
    return cell;
}

Group GroupBuilder::Finish() {
    const std::int32_t bottom = y_ + rowHeight_;
    const std::int32_t width = std::max(right_ - kOriginX, 600);
    group_.area = {kOriginX, kOriginY, width, bottom - kOriginY};
    // Behind the cells, so that the gaps between them and an unfilled row
    // show one quiet colour.
    group_.backdrop = MakeCellWindow(group_.area, 0xFFD3DAE2);
    group_.heading = MakeCellWindow({kOriginX, kOriginY, width, kHeadingHeight}, 0xFF26405C);
    group_.headingLabels.push_back(MakeLabel(*group_.heading, {12, 2, width - 24, 24}, title_,
                                             font_style::kBold | font_style::kLineCentre, 15, 0xFFFFFFFF));
    group_.headingLabels.push_back(MakeLabel(*group_.heading, {12, 23, width - 24, 19}, subtitle_,
                                             font_style::kLineCentre, 12, 0xFFC9D6E3));
    return std::move(group_);
}

void Pump(DWORD milliseconds) {
    PumpUntil([] { return false; }, milliseconds);
}

bool PumpUntil(const std::function<bool()>& condition, DWORD milliseconds) {
    const DWORD end = ::GetTickCount() + milliseconds;
    MSG message;
    // Fades and shine timers keep the queue busy: the clock and the
    // condition are read after every message.
    while (!condition()) {
        if (static_cast<LONG>(end - ::GetTickCount()) <= 0) return false;
        if (!::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            ::Sleep(2);
            continue;
        }
        if (Dropped(message)) continue;
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
    return true;
}

void HoldTimer(const SkinControl& control, std::int32_t key) {
    if (const auto timer = control_timers::SystemTimerOf(control, key)) HeldTimers().insert(*timer);
    HeldControls().insert(&control);
}

void ReleaseHeldTimers() {
    HeldTimers().clear();
    HeldControls().clear();
}

bool Settle(const Group& group, DWORD milliseconds) {
    const bool settled = PumpUntil(
        [&group] {
            for (const Cell& cell : group.cells)
                for (const auto& control : cell.controls)
                    if (control->IsFading() && HeldControls().count(control.get()) == 0) return false;
            return true;
        },
        milliseconds);
    // Caption buttons fade on their window's own timer.
    Pump(250);
    return settled;
}

void MoveOver(const SkinControl& control) { Send(control, WM_MOUSEMOVE, 0); }
void PressOn(const SkinControl& control) {
    MoveOver(control);
    Send(control, WM_LBUTTONDOWN, MK_LBUTTON);
}
void ReleaseOn(const SkinControl& control) { Send(control, WM_LBUTTONUP, 0); }
void ClickOn(const SkinControl& control) {
    PressOn(control);
    ReleaseOn(control);
}

void MoveTo(HWND window, std::int32_t x, std::int32_t y, WPARAM buttons) {
    ::SendMessageW(window, WM_MOUSEMOVE, buttons, MAKELPARAM(x, y));
}

void Type(const SkinControl& control, const std::wstring& text) {
    for (wchar_t code : text) ::SendMessageW(control.GetHostHandle(), WM_CHAR, code, 0);
}

}  // namespace lirvo::gallery
