#include "tools/gallery/groups.h"

#include <array>
#include <initializer_list>
#include <string>
#include <utility>

#include "resources/setup_data.h"
#include "skin/controls/button.h"
#include "skin/controls/check_box.h"
#include "skin/controls/custom_install_toggle.h"
#include "skin/controls/edit_box.h"
#include "skin/controls/image_button.h"
#include "skin/controls/image_check.h"
#include "skin/controls/item_list.h"
#include "skin/controls/label.h"
#include "skin/controls/list_item.h"
#include "skin/controls/progress_bar.h"
#include "skin/controls/shape_box.h"
#include "skin/core/shared_routines.h"
#include "skin/core/toolkit.h"
#include "skin/window/drawing.h"

namespace lirvo::gallery {

namespace {

template <typename Control>
Control& Put(Cell& cell) {
    auto control = std::make_unique<Control>();
    Control& placed = *control;
    cell.controls.push_back(std::move(control));
    return placed;
}

Rect Centred(const Rect& area, std::int32_t width, std::int32_t height) {
    return {area.left + (area.width - width) / 2, area.top + (area.height - height) / 2, width, height};
}

ByteArray Bytes(std::span<const std::uint8_t> data) { return ByteArray(data.begin(), data.end()); }

// The looks a pointer gives a control, in the order the sheets show them.
enum class Pointer { None, Hot, Pressed, Clicked };

std::function<void()> PointerDrive(SkinControl& control, Pointer pointer) {
    return [&control, pointer] {
        switch (pointer) {
        case Pointer::None: break;
        case Pointer::Hot: MoveOver(control); break;
        case Pointer::Pressed: PressOn(control); break;
        case Pointer::Clicked: ClickOn(control); break;
        }
    };
}

FontDescription TextStyle(Argb colour, std::int32_t size = 12,
                          std::int32_t format = font_style::kAlignCentre | font_style::kLineCentre) {
    return MakeTextStyle(format, std::nullopt, size, colour, std::nullopt);
}

// ---------------------------------------------------------------- buttons

Group Buttons() {
    GroupBuilder b("buttons", "Buttons: ImageButton and Button",
                   "the image button of the setup pages, and the text button in its default and FerroUI styles "
                   "and its two drop-down kinds");
    b.Row(156, 84);
    const ByteArray picture = SkinImageBytes("下一步");
    const std::pair<const char*, Pointer> pointerLooks[] = {
        {"normal", Pointer::None}, {"hot", Pointer::Hot}, {"pressed", Pointer::Pressed}};
    for (const auto& [look, pointer] : pointerLooks) {
        Cell& cell = b.Add(std::string("ImageButton, ") + look);
        auto& button = Put<ImageButton>(cell);
        button.Create(*cell.window, Centred(cell.sample, 80, 34), true, picture);
        cell.drive = PointerDrive(button, pointer);
    }
    {
        Cell& cell = b.Add("ImageButton, disabled");
        auto& button = Put<ImageButton>(cell);
        button.Create(*cell.window, Centred(cell.sample, 80, 34), true, picture);
        cell.drive = [&button] { button.SetDisabledAndRefresh(true); };
        cell.looksLike = "ImageButton, normal";
    }

    const std::pair<const char*, std::int32_t> styles[] = {{"Button", Button::kDefaultStyle},
                                                           {"FerroUI", Button::kFerroUi}};
    for (const auto& [name, kind] : styles) {
        b.Row(156, 84);
        for (const auto& [look, pointer] : pointerLooks) {
            Cell& cell = b.Add(std::string(name) + ", " + look);
            auto& button = Put<Button>(cell);
            button.Create(*cell.window, Centred(cell.sample, 112, 30), {.text = MakeWideText("确定"), .kind = kind});
            cell.drive = PointerDrive(button, pointer);
        }
        Cell& cell = b.Add(std::string(name) + ", disabled");
        auto& button = Put<Button>(cell);
        button.Create(*cell.window, Centred(cell.sample, 112, 30),
                      {.text = MakeWideText("确定"), .kind = kind, .disabled = true});
    }

    // The drop-down kinds keep one look: a click fades towards hot and
    // ends in the normal look again.
    b.Row(156, 84);
    {
        Cell& cell = b.Add("drop-down");
        auto& button = Put<Button>(cell);
        button.Create(*cell.window, Centred(cell.sample, 112, 30), {.text = MakeWideText("更多"), .kind = Button::kDropDown});
    }
    {
        Cell& cell = b.Add("drop-down, clicked");
        auto& button = Put<Button>(cell);
        button.Create(*cell.window, Centred(cell.sample, 112, 30), {.text = MakeWideText("更多"), .kind = Button::kDropDown});
        cell.drive = PointerDrive(button, Pointer::Clicked);
        cell.looksLike = "drop-down";
    }
    {
        Cell& cell = b.Add("drop-down menu, hot");
        auto& button = Put<Button>(cell);
        button.Create(*cell.window, Centred(cell.sample, 112, 30),
                      {.text = MakeWideText("更多"), .kind = Button::kDropDownMenu});
        cell.drive = PointerDrive(button, Pointer::Hot);
        cell.looksLike = "drop-down";
    }
    {
        Cell& cell = b.Add("drop-down, disabled");
        auto& button = Put<Button>(cell);
        button.Create(*cell.window, Centred(cell.sample, 112, 30),
                      {.text = MakeWideText("更多"), .kind = Button::kDropDown, .disabled = true});
    }
    return b.Finish();
}

// ----------------------------------------------------------------- checks

Group Checks() {
    GroupBuilder b("checks", "Check marks: CheckBox, ImageCheck and CustomInstallToggle",
                   "on the dark colour of the setup pages; the fade is held at its middle frame");
    const Argb white = 0xFFFFFFFF;
    b.Row(150, 66, GroupBuilder::kDarkBackground, GroupBuilder::kLightCaption);
    struct BoxCell {
        const char* caption;
        bool checked;
        Pointer pointer;
        bool disabled;
    };
    const BoxCell boxes[] = {
        {"CheckBox, off", false, Pointer::None, false},     {"off, hot", false, Pointer::Hot, false},
        {"off, pressed", false, Pointer::Pressed, false},   {"off, disabled", false, Pointer::None, true},
        {"CheckBox, on", true, Pointer::None, false},       {"on, hot", true, Pointer::Hot, false},
        {"on, pressed", true, Pointer::Pressed, false},     {"on, disabled", true, Pointer::None, true},
    };
    for (const BoxCell& box : boxes) {
        Cell& cell = b.Add(box.caption);
        auto& check = Put<CheckBox>(cell);
        check.Create(*cell.window, Centred(cell.sample, 96, 24), MakeWideText("选项"), TextStyle(white), box.checked);
        const bool disabled = box.disabled;
        // The box has no disabled look of its own.
        if (box.disabled) cell.looksLike = box.checked ? "CheckBox, on" : "CheckBox, off";
        cell.drive = [&check, pointer = box.pointer, disabled] {
            if (disabled) check.Disabled(true);
            PointerDrive(check, pointer)();
        };
    }
    b.Row(150, 66, GroupBuilder::kDarkBackground, GroupBuilder::kLightCaption);
    {
        Cell& cell = b.Add("click: fading off to on");
        auto& check = Put<CheckBox>(cell);
        check.Create(*cell.window, Centred(cell.sample, 96, 24), MakeWideText("选项"), TextStyle(white));
        cell.drive = [&check] {
            MoveOver(check);
            PumpUntil([&check] { return !check.IsFading(); }, 2000);
            ClickOn(check);
            PumpUntil([&check] { return !check.IsFading() || check.FadeAlpha() >= 128; }, 2000);
            HoldTimer(check, kStateFadeTimerKey);
        };
    }

    struct TickCell {
        const char* caption;
        bool shown;
        Pointer pointer;
    };
    const TickCell ticks[] = {{"ImageCheck, shown", true, Pointer::None},
                              {"shown, hot", true, Pointer::Hot},
                              {"shown, pressed", true, Pointer::Pressed},
                              {"ImageCheck, hidden", false, Pointer::None}};
    for (const TickCell& tick : ticks) {
        Cell& cell = b.Add(tick.caption);
        // The pages draw the box the tick stands in; here a disabled shape
        // draws it, which the pointer passes through to the tick.
        auto& box = Put<ShapeBox>(cell);
        box.Create(*cell.window, Centred(cell.sample, 23, 23),
                   {.style = ShapeBox::kRoundRect, .radius = 4, .lineWidth = 2.0f, .lineColour = 0xE6FFFFFF,
                    .background = 0x33FFFFFF, .disabled = true});
        auto& mark = Put<ImageCheck>(cell);
        mark.Create(*cell.window, Centred(cell.sample, 17, 17));
        if (!tick.shown) mark.Shown(false);
        cell.drive = PointerDrive(mark, tick.pointer);
    }
    for (const auto& [look, pointer] : std::initializer_list<std::pair<const char*, Pointer>>{
             {"CustomInstallToggle", Pointer::None}, {"toggle, hot", Pointer::Hot}, {"toggle, pressed", Pointer::Pressed}}) {
        Cell& cell = b.Add(look);
        auto& toggle = Put<CustomInstallToggle>(cell);
        toggle.Create(*cell.window, Centred(cell.sample, 90, 26));
        cell.drive = PointerDrive(toggle, pointer);
    }
    return b.Finish();
}

// --------------------------------------------------------------- progress

Group Progress() {
    GroupBuilder b("progress", "ProgressBar",
                   "horizontal and vertical, style 2 (left to right, gloss and shine) and style 1 (right to left), "
                   "at 0, 50 and 100 per cent, bars whose bounds are 100 and 200, and a bar whose bounds are equal");
    const std::pair<const char*, std::int32_t> styles[] = {{"style 2", ProgressBar::kLeftToRight},
                                                           {"style 1", ProgressBar::kRightToLeft}};
    auto args = [](float position, std::int32_t type, std::int32_t style, std::string text) {
        return ProgressBar::CreateArgs{.position = position, .text = MakeWideText(text), .type = type,
                                       .style = style, .colour1 = 0xFF2D8CF0, .colour2 = 0xFF19BE6B,
                                       .background = 0xFFE8EAEC, .border = 0xFF1C6FBF};
    };
    // Each bar's shine stands where it starts, so that bars at the same share
    // draw alike whenever they were made.
    const auto still = [](ProgressBar& bar) { HoldTimer(bar, ProgressBar::kShineTimerKey); };
    for (const auto& [name, style] : styles) {
        b.Row(300, 62);
        for (int percent : {0, 50, 100}) {
            Cell& cell = b.Add(std::string("horizontal, ") + name + ", " + std::to_string(percent) + "%");
            // Nothing is filled at 0 per cent, whichever the style.
            if (percent == 0 && style == ProgressBar::kRightToLeft) cell.looksLike = "horizontal, style 2, 0%";
            auto& bar = Put<ProgressBar>(cell);
            bar.Create(*cell.window, Centred(cell.sample, 276, 24),
                       args(static_cast<float>(percent), ProgressBar::kHorizontal, style,
                            std::to_string(percent) + "%"));
            still(bar);
        }
        Cell& cell = b.Add(std::string("horizontal, ") + name + ", equal bounds");
        // Equal bounds fill nothing.
        if (style == ProgressBar::kRightToLeft) cell.looksLike = "horizontal, style 2, equal bounds";
        auto& bar = Put<ProgressBar>(cell);
        auto equal = args(50.0f, ProgressBar::kHorizontal, style, "50 / 50..50");
        equal.boundA = equal.boundB = 50.0f;
        bar.Create(*cell.window, Centred(cell.sample, 276, 24), equal);
        still(bar);
    }
    // Bounds 100 to 200: the fill measures from the minimum, so each of these
    // draws exactly like the bar of bounds 0 to 100 at the same share; a
    // position moved beyond the maximum fills the bar and no more.
    b.Row(300, 62);
    const struct {
        std::int32_t position;
        int percent;
    } ranged[] = {{100, 0}, {150, 50}, {200, 100}, {250, 100}};
    for (const auto& r : ranged) {
        Cell& cell = b.Add("horizontal, style 2, " + std::to_string(r.position) + " of 100..200");
        cell.looksLike = "horizontal, style 2, " + std::to_string(r.percent) + "%";
        auto& bar = Put<ProgressBar>(cell);
        auto bounded = args(150.0f, ProgressBar::kHorizontal, ProgressBar::kLeftToRight,
                            std::to_string(r.percent) + "%");
        bounded.boundA = 100.0f;
        bounded.boundB = 200.0f;
        bar.Create(*cell.window, Centred(cell.sample, 276, 24), bounded);
        still(bar);
        bar.Position(r.position, true);
    }
    b.Row(150, 190);
    for (const auto& [name, style] : styles) {
        for (int percent : {0, 50, 100}) {
            Cell& cell = b.Add(std::string("vertical, ") + name + ", " + std::to_string(percent) + "%");
            if (percent == 0 && style == ProgressBar::kRightToLeft) cell.looksLike = "vertical, style 2, 0%";
            auto& bar = Put<ProgressBar>(cell);
            bar.Create(*cell.window, Centred(cell.sample, 26, 146),
                       args(static_cast<float>(percent), ProgressBar::kVertical, style, ""));
            still(bar);
        }
    }
    Cell& cell = b.Add("vertical, equal bounds");
    cell.looksLike = "vertical, style 2, 0%";
    auto& bar = Put<ProgressBar>(cell);
    auto equal = args(50.0f, ProgressBar::kVertical, ProgressBar::kLeftToRight, "");
    equal.boundA = equal.boundB = 50.0f;
    bar.Create(*cell.window, Centred(cell.sample, 26, 146), equal);
    still(bar);
    return b.Finish();
}

// ----------------------------------------------------------------- labels

Group Labels() {
    GroupBuilder b("labels", "Label: every frame kind",
                   "on the dark colour of the pages, where the white fills show; kind 999 is an almost invisible "
                   "fill that still covers the label");
    b.Row(150, 76, GroupBuilder::kDarkBackground, GroupBuilder::kLightCaption);
    const std::pair<const char*, std::int32_t> frames[] = {
        {"0: no frame", Label::kNoFrame},          {"1: rectangle", Label::kRectFrame},
        {"2: rounded rectangle", Label::kRoundRectFrame}, {"999: faint fill", Label::kFaintFill},
        {"9999: dark fill", Label::kDarkFill},     {"10000: fading white", Label::kFadingWhite},
        {"10001: white band", Label::kWhiteBand},
    };
    for (const auto& [caption, frame] : frames) {
        Cell& cell = b.Add(caption);
        auto& label = Put<Label>(cell);
        label.Create(*cell.window, Centred(cell.sample, 130, 36), MakeWideText("标签 Label"), frame,
                     TextStyle(0xFFFFFFFF, 13));
        // Alpha 1 does not show, but the label's own surface is covered.
        if (frame == Label::kFaintFill) cell.looksLike = "0: no frame";
    }
    {
        Cell& cell = b.Add("1, default text style");
        auto& label = Put<Label>(cell);
        label.Create(*cell.window, Centred(cell.sample, 130, 36), MakeWideText("默认 glow"), Label::kRectFrame);
    }
    return b.Finish();
}

// -------------------------------------------------------------- edit boxes

Group EditBoxes() {
    GroupBuilder b("edit-boxes", "EditBox",
                   "each input mode after \"Ab9.z-中\" was typed into it; a maximum length, a selection, the "
                   "password mask and the caret");
    b.Row(300, 66);
    const std::wstring typed = L"Ab9.z-\u4E2D";
    const std::pair<const char*, std::int32_t> modes[] = {
        {"mode 0, any character", EditBox::kAnyCharacter}, {"mode 1, read only", EditBox::kReadOnly},
        {"mode 2, digits", EditBox::kDigits},             {"mode 3, upper case", EditBox::kUpperCase},
        {"mode 4, lower case", EditBox::kLowerCase},       {"mode 5, letters and digits", EditBox::kLettersAndDigits},
        {"mode 6, letters", EditBox::kLetters},            {"mode 7, number", EditBox::kNumber},
        {"mode 8, printable ASCII", EditBox::kPrintableAscii},
    };
    // Typing needs the box to hold its window's focus; leaving it afterwards
    // stops its caret, so only the caret's own cell shows one.
    auto typeInto = [](EditBox& box, std::wstring text) {
        return [&box, text] {
            ClickOn(box);
            Type(box, text);
            ::SendMessageW(box.GetHostHandle(), WM_KILLFOCUS, 0, 0);
        };
    };
    for (const auto& [caption, mode] : modes) {
        Cell& cell = b.Add(caption);
        auto& box = Put<EditBox>(cell);
        box.Create(*cell.window, Centred(cell.sample, 276, 28), {.inputMode = mode});
        if (mode == EditBox::kReadOnly) box.SetText("只读 read only");
        cell.drive = typeInto(box, typed);
    }
    {
        Cell& cell = b.Add("maximum length 5, typed 123456789");
        auto& box = Put<EditBox>(cell);
        box.Create(*cell.window, Centred(cell.sample, 276, 28), {});
        box.MaxLength(5);
        cell.drive = typeInto(box, L"123456789");
    }
    {
        Cell& cell = b.Add("selection: Select(3, 8)");
        auto& box = Put<EditBox>(cell);
        box.Create(*cell.window, Centred(cell.sample, 276, 28), {.text = MakeWideText("选择 a selection")});
        cell.drive = [&box] { box.Select(3, 8); };
    }
    {
        Cell& cell = b.Add("password mask of \"pass中文\"");
        auto& box = Put<EditBox>(cell);
        box.Create(*cell.window, Centred(cell.sample, 276, 28), {.text = MakeWideText("pass中文"), .password = true});
    }
    {
        Cell& cell = b.Add("own colours, Select(0, 2)");
        auto& box = Put<EditBox>(cell);
        box.Create(*cell.window, Centred(cell.sample, 276, 28),
                   {.text = MakeWideText("颜色 colours"), .selectionBackground = 0xFFE53935,
                    .frameColour = 0xFF2D8CF0, .background = 0xFFFFF8E1});
        cell.drive = [&box] { box.Select(0, 2); };
    }
    {
        Cell& cell = b.Add("caret where a click put it");
        auto& box = Put<EditBox>(cell);
        box.Create(*cell.window, Centred(cell.sample, 276, 28), {.text = MakeWideText("abcdef 光标")});
        cell.drive = [&box] {
            const float x = box.TextArea().X;
            // The caret goes to the character boundary nearest the click.
            const Rect at = box.TopLevelRect();
            const LPARAM point = MAKELPARAM(at.left + static_cast<int>(x) + 22, at.top + at.height / 2);
            ::SendMessageW(box.GetHostHandle(), WM_LBUTTONDOWN, MK_LBUTTON, point);
            ::SendMessageW(box.GetHostHandle(), WM_LBUTTONUP, 0, point);
            PumpUntil([&box] { return box.CaretVisible(); }, 3000);
            HoldTimer(box, EditBox::kCaretTimerKey);
        };
    }
    return b.Finish();
}

// ----------------------------------------------------------------- shapes

Group Shapes() {
    GroupBuilder b("shapes", "ShapeBox: every style",
                   "line colour blue, width 2, fill light blue; styles 3 and 4 are named after the other axis");
    b.Row(150, 112);
    const std::pair<const char*, std::int32_t> styles[] = {
        {"0: rectangle", ShapeBox::kRect},
        {"1: rounded, radius 12", ShapeBox::kRoundRect},
        {"2: ellipse", ShapeBox::kCircle},
        {"3: left edge line", ShapeBox::kLeftEdgeLine},
        {"4: top edge line", ShapeBox::kTopEdgeLine},
        {"5: falling diagonal", ShapeBox::kFallingDiagonal},
        {"6: rising diagonal", ShapeBox::kRisingDiagonal},
        {"7: triangle up", ShapeBox::kTriangleUp},
        {"8: triangle down", ShapeBox::kTriangleDown},
        {"9: right angle left", ShapeBox::kRightTriangleLeft},
        {"10: right angle right", ShapeBox::kRightTriangleRight},
    };
    for (const auto& [caption, style] : styles) {
        Cell& cell = b.Add(caption);
        auto& shape = Put<ShapeBox>(cell);
        shape.Create(*cell.window, Centred(cell.sample, 110, 62),
                     {.style = style, .radius = 12, .lineWidth = 2.0f, .lineColour = 0xFF1C6FBF,
                      .background = 0xFFBFD9F2});
    }
    {
        Cell& cell = b.Add("1: radius 30, width 5");
        auto& shape = Put<ShapeBox>(cell);
        shape.Create(*cell.window, Centred(cell.sample, 110, 62),
                     {.style = ShapeBox::kRoundRect, .radius = 30, .lineWidth = 5.0f, .lineColour = 0xFF19BE6B,
                      .background = 0x8019BE6B});
    }
    {
        Cell& cell = b.Add("0: default fill, width 1");
        auto& shape = Put<ShapeBox>(cell);
        shape.Create(*cell.window, Centred(cell.sample, 110, 62), {.style = ShapeBox::kRect, .lineColour = 0xFF333A44});
    }
    return b.Finish();
}

// ------------------------------------------------------------------ lists

Group Lists() {
    GroupBuilder b("lists", "ItemList with ListItems",
                   "pictures above texts, markers in the bottom band (the selected one in the third colour), "
                   "scroll arrows when the items do not fit");
    // Items mark their looks with white and black veils, made for the dark
    // pages.
    b.Row(420, 132, GroupBuilder::kDarkBackground, GroupBuilder::kLightCaption);
    const auto& icons = Toolkit().builtinSkin.messageIcons;
    const char* const names[] = {"信息", "询问", "错误", "警告"};
    const ItemList::CreateArgs args{.lineColour = 0xFF9CC7F0, .fillColour = 0x33FFFFFF, .thirdColour = 0xFFFFC107};
    auto makeList = [&](Cell& cell, int count) -> ItemList& {
        auto& list = Put<ItemList>(cell);
        list.Create(*cell.window, Centred(cell.sample, 400, 96), args);
        for (int i = 0; i < count; ++i)
            list.AddItem(MakeWideText(std::string(names[i % 4]) + std::to_string(i + 1)),
                         TextStyle(0xFFFFFFFF, 12, font_style::kAlignCentre | font_style::kLineFar), icons[i % 4]);
        return list;
    };
    {
        Cell& cell = b.Add("four items, none selected");
        makeList(cell, 4);
    }
    {
        Cell& cell = b.Add("item 2 selected by a click");
        auto& list = makeList(cell, 4);
        cell.drive = [&list] { ClickOn(*list.Item(2)); };
    }
    {
        Cell& cell = b.Add("item 3 hot");
        auto& list = makeList(cell, 4);
        cell.drive = [&list] { MoveOver(*list.Item(3)); };
    }
    {
        Cell& cell = b.Add("item 1 pressed");
        auto& list = makeList(cell, 4);
        cell.drive = [&list] { PressOn(*list.Item(1)); };
    }
    {
        Cell& cell = b.Add("eight items: scroll arrows");
        makeList(cell, 8);
    }
    {
        Cell& cell = b.Add("eight items, right arrow clicked twice, item 4 selected");
        auto& list = makeList(cell, 8);
        cell.drive = [&list] {
            ClickOn(list.RightArrow());
            ClickOn(list.RightArrow());
            list.Select(4);
            MoveOver(list.RightArrow());
        };
    }
    return b.Finish();
}

// ---------------------------------------------------------------- windows

Group Windows() {
    GroupBuilder b("windows", "SkinWindow: frames, corners and caption buttons",
                   "each window says how it was made; the caption buttons' looks come from the built-in skin");
    struct WindowSample {
        const char* caption;
        std::int32_t width;
        std::int32_t height;
        SkinWindow::CreateArgs args;
        std::int32_t radius;
        std::function<void(SkinWindow&)> drive;
    };
    using namespace window_style;
    const Argb paper = 0xFFF4F6F9;
    const auto welcome = Bytes(WelcomeImage());
    // The caption-button looks a pointer gives: over a button, then pressed.
    auto pointAt = [](std::size_t index, bool press) {
        return [index, press](SkinWindow& window) {
            const Rect at = window.CaptionButtons()[index].rect;
            MoveTo(window.GetHandle(), at.left + at.width / 2, at.top + at.height / 2);
            if (press)
                ::SendMessageW(window.GetHandle(), WM_LBUTTONDOWN, MK_LBUTTON,
                               MAKELPARAM(at.left + at.width / 2, at.top + at.height / 2));
        };
    };
    std::vector<WindowSample> samples = {
        {"style 0: no caption buttons\nsquare corners", 250, 150, {.style = 0, .frameStyle = static_cast<std::int32_t>(paper)}, 0, {}},
        {"style 2: close\ncorner radius 6", 250, 150, {.style = kCaptionButtons, .frameStyle = static_cast<std::int32_t>(paper)}, 6, {}},
        {"close and minimise (2 + 8)\ncorner radius 12", 250, 150,
         {.style = kCaptionButtons | kMinimiseButton, .frameStyle = static_cast<std::int32_t>(paper)}, 12, {}},
        {"close, maximise, minimise\n(2 + 4 + 8)", 250, 150,
         {.style = kCaptionButtons | kMaximiseButton | kMinimiseButton, .frameStyle = static_cast<std::int32_t>(paper)}, 0, {}},
        {"every kind: 2 + 4 + 8\n+ 64 + 128 + 256", 300, 150,
         {.style = kCaptionButtons | kMaximiseButton | kMinimiseButton | kButton5 | kButton6 | kButton7,
          .frameStyle = static_cast<std::int32_t>(paper)}, 0, {}},
        {"close hot\n(pointer over it)", 250, 150,
         {.style = kCaptionButtons | kMinimiseButton, .frameStyle = static_cast<std::int32_t>(paper)}, 0, pointAt(0, false)},
        {"minimise pressed", 250, 150,
         {.style = kCaptionButtons | kMinimiseButton, .frameStyle = static_cast<std::int32_t>(paper)}, 0, pointAt(1, true)},
        {"frame style 4: as a colour\nit is transparent black", 250, 150, {.style = kCaptionButtons, .frameStyle = 4}, 0, {}},
        {"own border colours:\ninner gold, outer red", 250, 150,
         {.style = kCaptionButtons, .innerBorderColour = 0xFFFFC107, .outerBorderColour = 0xFFE53935,
          .frameStyle = static_cast<std::int32_t>(paper)}, 0, {}},
        {"background picture\nin a nine-grid", 300, 196,
         {.style = kCaptionButtons | kMinimiseButton, .backgroundImage = welcome}, 0, {}},
        {"background picture at its\nnatural size (mode 1)", 300, 196,
         {.style = kCaptionButtons | kMinimiseButton, .backgroundImage = welcome, .frameStyle = kBackgroundNaturalSize}, 0, {}},
        {"shadow frame style (9999999),\nlayered", 300, 196,
         {.style = kCaptionButtons | kMinimiseButton, .frameStyle = kShadowFrameStyle}, 0, {}},
        {"shadow frame: close hot, the\npointer over where it is drawn", 300, 196,
         {.style = kCaptionButtons | kMinimiseButton | kMaximiseButton, .frameStyle = kShadowFrameStyle}, 0,
         pointAt(0, false)},
        // After a shadow-framed window: its offsets are its own.
        {"plain, made after the\nshadow-framed windows", 250, 150,
         {.style = kCaptionButtons | kMinimiseButton, .frameStyle = static_cast<std::int32_t>(paper)}, 0, {}},
    };
    for (WindowSample& sample : samples) {
        Cell& cell = b.AddWindow(sample.caption, sample.width, sample.height);
        sample.args.bounds = cell.bounds;
        // The page pictures carry their own title.
        if (!sample.args.backgroundImage) sample.args.title = MakeWideText("LirvoPDF阅读器");
        cell.window = std::make_unique<SkinWindow>();
        cell.window->Create(sample.args);
        if (sample.args.frameStyle == kShadowFrameStyle) {
            // The shadow is translucent: it shows on a layered window only.
            cell.window->SetBackgroundColour(paper);
            cell.window->Layered(true);
        }
        if (sample.radius) cell.window->CornerRadius(sample.radius, false);
        const bool picture = sample.args.backgroundImage.has_value();
        auto& label = Put<Label>(cell);
        const bool shadow = sample.args.frameStyle == kShadowFrameStyle;
        label.Create(*cell.window, {shadow ? 28 : 14, shadow ? 52 : 40, sample.width - 40, 48},
                     MakeWideText(sample.caption), Label::kNoFrame,
                     TextStyle(picture ? 0xFFFFFFFF : 0xFF333A44, 12, font_style::kLineNear));
        // A layered window shows what it is given, once it is on the screen.
        cell.drive = [window = cell.window.get(), drive = sample.drive] {
            if (drive) drive(*window);
            if (window->Layered()) window->Refresh(true);
        };
    }
    return b.Finish();
}

// ------------------------------------------------------- hidden and shown

// A window of each transition effect, shown, hidden and shown again with
// it. Each stands on a red window 4 pixels larger on every side: an even red
// edge all round shows it back in its place and at its size.
Group HiddenAndShown() {
    GroupBuilder b("hidden-and-shown", "SkinWindow: hidden and shown again with each transition effect",
                   "each window ran its show, hide and show frames; the red edge around it marks its place");
    constexpr std::int32_t kEdge = 4;
    for (std::int32_t effect = 1; effect <= kEffectCount; ++effect) {
        const std::string caption = "effect " + std::to_string(effect) + ": hidden, then shown";
        Cell& cell = b.AddWindow(caption, 236, 150);
        const Rect place = cell.bounds;
        auto& marker = *cell.windows.emplace_back(std::make_unique<SkinWindow>());
        marker.Create({.bounds = place, .style = 0, .frameStyle = static_cast<std::int32_t>(0xFFD0342C)});
        const Rect home{place.left + kEdge, place.top + kEdge, place.width - 2 * kEdge, place.height - 2 * kEdge};
        cell.window = std::make_unique<SkinWindow>();
        cell.window->Create({.title = MakeWideText("效果 " + std::to_string(effect)),
                             .bounds = home,
                             .style = window_style::kCaptionButtons | window_style::kMinimiseButton,
                             .frameStyle = static_cast<std::int32_t>(0xFFF4F6F9)});
        cell.window->Layered(true);
        cell.window->ShowEffect(effect, 16);
        cell.sample = {0, 0, home.width, home.height};
        auto& label = Put<Label>(cell);
        label.Create(*cell.window, {10, 34, home.width - 20, home.height - 44},
                     MakeWideText(caption + "\nplaced at (" + std::to_string(home.left) + ", " +
                                  std::to_string(home.top) + "), " + std::to_string(home.width) + " x " +
                                  std::to_string(home.height)),
                     Label::kNoFrame, TextStyle(0xFF333A44, 12, font_style::kLineNear));
        cell.drive = [&window = *cell.window, &marker] {
            PumpUntil([&window] { return !window.IsAnimating(); }, 10000);
            // The marker goes just behind the window it marks.
            marker.Show(true);
            ::SetWindowPos(window.GetHandle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
            window.Show(false);
            window.Show(true);
            PumpUntil([&window] { return !window.IsAnimating(); }, 10000);
        };
    }
    return b.Finish();
}

// ------------------------------------------------------------------ focus

// The focus ring every clickable control and the edit box show once a key
// was used, on the light and the dark backgrounds the toolkit is used on.
Group Focus() {
    GroupBuilder b("focus", "Focus indicator",
                   "after Tab on each control class: a ring two pixels wide, one pixel clear of the control, in "
                   "the deep blue on light surroundings and the pale blue on dark ones");
    const ByteArray picture = SkinImageBytes("下一步");
    struct Background {
        const char* name;
        Argb colour;
        Argb caption;
        Argb text;
    };
    const Background backgrounds[] = {
        {"light", GroupBuilder::kLightBackground, GroupBuilder::kDarkCaption, 0xFF202020},
        {"dark", GroupBuilder::kDarkBackground, GroupBuilder::kLightCaption, 0xFFFFFFFF},
    };
    // Tab with the control holding its window's focus: the window now
    // shows the ring. An edit box's caret is stopped for the capture.
    auto tabbedTo = [](SkinControl& control) {
        return [&control] {
            control.SetFocus();
            const HWND window = control.GetHostHandle();
            ::SendMessageW(window, WM_KEYDOWN, VK_TAB, 1);
            ::SendMessageW(window, WM_KEYUP, VK_TAB, static_cast<LPARAM>(0xC0000001u));
            ::SendMessageW(window, WM_KILLFOCUS, 0, 0);
        };
    };
    for (const Background& background : backgrounds) {
        b.Row(150, 76, background.colour, background.caption);
        const std::string on = std::string(", ") + background.name;
        {
            Cell& cell = b.Add("ImageButton" + on);
            auto& button = Put<ImageButton>(cell);
            button.Create(*cell.window, Centred(cell.sample, 80, 34), true, picture);
            cell.drive = tabbedTo(button);
        }
        for (const auto& [name, kind] : {std::pair{"Button", Button::kDefaultStyle}, std::pair{"FerroUI", Button::kFerroUi}}) {
            Cell& cell = b.Add(std::string(name) + on);
            auto& button = Put<Button>(cell);
            button.Create(*cell.window, Centred(cell.sample, 100, 30), {.text = MakeWideText("确定"), .kind = kind});
            cell.drive = tabbedTo(button);
        }
        {
            Cell& cell = b.Add("CheckBox" + on);
            auto& check = Put<CheckBox>(cell);
            check.Create(*cell.window, Centred(cell.sample, 96, 24), MakeWideText("选项"), TextStyle(background.text),
                         true);
            cell.drive = tabbedTo(check);
        }
        {
            Cell& cell = b.Add("ImageCheck" + on);
            auto& mark = Put<ImageCheck>(cell);
            mark.Create(*cell.window, Centred(cell.sample, 17, 17));
            cell.drive = tabbedTo(mark);
        }
        {
            Cell& cell = b.Add("CustomInstallToggle" + on);
            auto& toggle = Put<CustomInstallToggle>(cell);
            toggle.Create(*cell.window, Centred(cell.sample, 90, 26));
            cell.drive = tabbedTo(toggle);
        }
        {
            Cell& cell = b.Add("EditBox" + on);
            auto& box = Put<EditBox>(cell);
            box.Create(*cell.window, Centred(cell.sample, 120, 28), {.text = MakeWideText("C:\\Lirvo")});
            cell.drive = tabbedTo(box);
        }
    }
    return b.Finish();
}

}  // namespace

const std::vector<GroupMaker>& Groups() {
    static const std::vector<GroupMaker> groups = {
        {"buttons", Buttons}, {"checks", Checks}, {"progress", Progress}, {"labels", Labels},
        {"edit-boxes", EditBoxes}, {"shapes", Shapes}, {"lists", Lists}, {"windows", Windows},
        {"hidden-and-shown", HiddenAndShown}, {"focus", Focus},
    };
    return groups;
}

}  // namespace lirvo::gallery
