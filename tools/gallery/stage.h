#pragma once
// The gallery's stage: every sample sits in a small skinned window of its
// own (a cell), because the toolkit keeps one hot and one pressed control
// per window, and a sheet wants many of them side by side. Cells of a group
// are laid out in rows under a heading strip, so one crop of the screen
// shows the whole group.
//
// Samples reach their states through the messages a user's mouse and
// keyboard produce (sent to the cell's window, which routes them as it
// routes real input) or through the controls' own setters. The pointer of
// the display is elsewhere, so the gallery's message loop drops the real
// mouse input and the leave notices that would undo those states; it can
// also hold back a control's timer to keep a fade or a blinking caret at
// one frame while the screen is captured.

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "skin/controls/skin_control.h"
#include "skin/window/skin_window.h"

namespace lirvo::gallery {

struct Cell {
    std::string caption;  // ANSI, shown under the sample
    Rect bounds;          // the cell window on the screen
    std::unique_ptr<SkinWindow> window;
    // Windows of the sample itself, over the cell (shown by its drive).
    std::vector<std::unique_ptr<SkinWindow>> windows;
    // Destroyed before their windows (members go in reverse order).
    std::vector<std::unique_ptr<SkinControl>> controls;
    Rect sample;  // the sample's part of the cell, client coordinates
    Argb background = 0;
    // Gives the sample its state once every cell is on screen.
    std::function<void()> drive;
    // The caption of a cell this one draws exactly like, when the control
    // has no look of its own for the state shown.
    std::string looksLike;
};

struct Group {
    std::string name;  // the sheet's file name, without extension
    Rect area;         // screen rectangle of the heading and every cell
    std::unique_ptr<SkinWindow> backdrop;
    std::unique_ptr<SkinWindow> heading;
    std::vector<std::unique_ptr<SkinControl>> headingLabels;
    std::vector<Cell> cells;  // destroyed before the heading
};

// Places cells in rows from the top left of the screen under a heading.
class GroupBuilder {
public:
    GroupBuilder(std::string name, std::string title, std::string subtitle);

    // Starts a new row of cells of this size and colours.
    void Row(std::int32_t cellWidth, std::int32_t cellHeight, Argb background = kLightBackground,
             Argb captionColour = kDarkCaption);
    // A new cell window with its caption; the sample goes into cell.sample.
    Cell& Add(std::string caption);
    // A cell that is itself the sample: the caller creates its window at
    // cell.bounds and puts the caption inside it.
    Cell& AddWindow(std::string caption, std::int32_t width, std::int32_t height);

    Group Finish();

    static constexpr Argb kLightBackground = 0xFFF4F6F9;
    static constexpr Argb kDarkBackground = 0xFF2F5D8C;
    static constexpr Argb kDarkCaption = 0xFF333A44;
    static constexpr Argb kLightCaption = 0xFFF2F6FA;

private:
    Rect Place(std::int32_t width, std::int32_t height);

    Group group_;
    std::string title_;
    std::string subtitle_;
    std::int32_t cellWidth_ = 0;
    std::int32_t cellHeight_ = 0;
    Argb background_ = kLightBackground;
    Argb captionColour_ = kDarkCaption;
    std::int32_t x_ = 0;
    std::int32_t y_ = 0;
    std::int32_t rowHeight_ = 0;
    std::int32_t right_ = 0;
};

inline constexpr std::int32_t kOriginX = 16;
inline constexpr std::int32_t kOriginY = 16;
inline constexpr std::int32_t kGap = 6;
inline constexpr std::int32_t kMaxRight = 1264;
inline constexpr std::int32_t kHeadingHeight = 44;
inline constexpr std::int32_t kCaptionHeight = 22;

// The gallery's message loop. Real mouse input and leave notices are
// dropped, and so are the ticks of held timers.
void Pump(DWORD milliseconds);
// Pumps until the condition holds; false when it did not within the time.
bool PumpUntil(const std::function<bool()>& condition, DWORD milliseconds);
// Holds back the ticks of this control's timer from now on.
void HoldTimer(const SkinControl& control, std::int32_t key);
void ReleaseHeldTimers();
// Pumps until no control of the group fades any more (held ones aside).
bool Settle(const Group& group, DWORD milliseconds);

// Input as a user's mouse gives it, at the middle of a control (or at a
// client point of its window).
void MoveOver(const SkinControl& control);
void PressOn(const SkinControl& control);
void ReleaseOn(const SkinControl& control);
void ClickOn(const SkinControl& control);
void MoveTo(HWND window, std::int32_t x, std::int32_t y, WPARAM buttons = 0);
void Type(const SkinControl& control, const std::wstring& text);

}  // namespace lirvo::gallery
