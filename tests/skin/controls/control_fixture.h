#pragma once
// What the control tests share: one skinned window kept alive for the whole
// run (destroying the last one ends the process), fresh shown host windows,
// the messages a user's mouse produces, and timer ticks delivered by hand.

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "skin/controls/skin_control.h"
#include "skin/window/skin_window.h"
#include "tests/support/images.h"

namespace lirvo::testing {

// The background of every test host: opaque grey.
inline constexpr Argb kHostColour = 0xFF808080;

class ControlTest : public ::testing::Test {
protected:
    static void SetUpTestSuite();
    // A shown 300 x 200 window painted in kHostColour.
    static std::unique_ptr<SkinWindow> MakeHost();
};

// The host's main surface at a client point, as stored (premultiplied ARGB).
std::uint32_t HostPixel(const SkinWindow& host, int x, int y);

void MouseMove(const SkinWindow& host, int x, int y);
void LeftDown(const SkinWindow& host, int x, int y);
void LeftUp(const SkinWindow& host, int x, int y);
void LeftDoubleClick(const SkinWindow& host, int x, int y);
// A full click: press and release at the point.
void LeftClick(const SkinWindow& host, int x, int y);
void MouseLeaveWindow(const SkinWindow& host);
void KeyDown(const SkinWindow& host, UINT key);
void Char(const SkinWindow& host, wchar_t code);

// Delivers `count` ticks of the control's timer with this key; false when
// the control has no such timer running.
bool Tick(const SkinControl& control, std::int32_t key, int count = 1);
// Ticks until the timer stops (at most `limit`); returns the ticks delivered.
int TickUntilStopped(const SkinControl& control, std::int32_t key, int limit = 1000);


// Channels of a stored pixel.
constexpr int Alpha(std::uint32_t pixel) { return static_cast<int>(pixel >> 24); }
constexpr int Red(std::uint32_t pixel) { return static_cast<int>(pixel >> 16 & 0xFF); }
constexpr int Green(std::uint32_t pixel) { return static_cast<int>(pixel >> 8 & 0xFF); }
constexpr int Blue(std::uint32_t pixel) { return static_cast<int>(pixel & 0xFF); }

}  // namespace lirvo::testing
