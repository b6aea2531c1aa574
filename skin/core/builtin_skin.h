#pragma once
// BuiltinSkin: the default skin the toolkit carries, loaded once at start-up.
// The images drawn most (caption buttons, scroll-bar parts, check boxes and
// radio buttons) are decoded into ready bitmaps; the others are kept as PNG
// bytes for the controls that decode them. Every image also stays reachable
// by name through the database. The record owns its bitmaps until the
// process ends; consumers draw them and never dispose of them.

#include <array>
#include <cstdint>
#include <span>

#include "skin/core/byte_array.h"
#include "skin/core/gdiplus_api.h"
#include "skin/core/skin_database.h"

namespace lirvo {

enum class CaptionButtonKind { Close, Maximise, Restore, Minimise, Menu, Help, Skin };
enum class LookState { Normal, Hot, Pressed };
enum class ScrollOrientation { Horizontal, Vertical };
enum class ScrollPart { DecreaseButton, Thumb, IncreaseButton };

struct BuiltinSkin {
    SkinDatabase database;
    // [kind][state]
    std::array<std::array<GdipBitmap, 3>, 7> captionButtons;
    // [orientation][part][state]
    std::array<std::array<std::array<GdipBitmap, 3>, 3>, 2> scrollBar;
    // [checked][state]
    std::array<std::array<GdipBitmap, 3>, 2> checkBox;
    std::array<std::array<GdipBitmap, 3>, 2> radioButton;
    std::array<ByteArray, 2> tabArrows;      // left, right
    std::array<ByteArray, 4> messageIcons;   // information, question, error, warning
    ByteArray chevronStripe;
    ByteArray progressHighlight;
    std::array<ByteArray, 2> calendarSteps;  // year, month
    ByteArray sliderTrack;
    std::array<ByteArray, 2> plusMinus;      // plus, minus
    ByteArray submenuArrow;

    Gdiplus::GpBitmap* CaptionButton(CaptionButtonKind kind, LookState state) const {
        return captionButtons[static_cast<int>(kind)][static_cast<int>(state)].get();
    }
    Gdiplus::GpBitmap* ScrollBarPart(ScrollOrientation orientation, ScrollPart part, LookState state) const {
        return scrollBar[static_cast<int>(orientation)][static_cast<int>(part)][static_cast<int>(state)].get();
    }
    Gdiplus::GpBitmap* CheckBoxImage(bool checked, LookState state) const {
        return checkBox[checked][static_cast<int>(state)].get();
    }
    Gdiplus::GpBitmap* RadioButtonImage(bool checked, LookState state) const {
        return radioButton[checked][static_cast<int>(state)].get();
    }
};

// Loads a serialised skin into the toolkit's BuiltinSkin and sets the skin
// offsets. A name missing from the skin leaves its field empty. GDI+ must
// have been started.
void LoadBuiltinImages(std::span<const std::uint8_t> serialisedSkin);

}  // namespace lirvo
