#include "skin/controls/edit_box.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "skin/controls/control_timers.h"
#include "skin/core/toolkit.h"
#include "skin/core/window_properties.h"
#include "tests/skin/controls/control_fixture.h"

namespace lirvo {
namespace {

using testing::ControlTest;

constexpr Rect kBox{20, 20, 200, 26};
constexpr int kInsideX = 25, kInsideY = 33;  // window coordinates inside the box

// Holds a key down in this thread's keyboard state for the scope.
class KeyHeld {
public:
    explicit KeyHeld(int key) : key_(key) { Set(0x80); }
    ~KeyHeld() { Set(0); }
    KeyHeld(const KeyHeld&) = delete;
    KeyHeld& operator=(const KeyHeld&) = delete;

private:
    void Set(BYTE value) {
        BYTE state[256];
        ::GetKeyboardState(state);
        state[key_] = value;
        ::SetKeyboardState(state);
    }
    int key_;
};

void Type(const SkinWindow& host, const std::wstring& text) {
    for (wchar_t c : text) testing::Char(host, c);
}

void ControlKey(const SkinWindow& host, char key) {
    KeyHeld control(VK_CONTROL);
    testing::KeyDown(host, static_cast<UINT>(key));
}

std::wstring ClipboardText() {
    std::wstring text;
    if (!::OpenClipboard(nullptr)) return text;
    if (HANDLE data = ::GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* units = static_cast<const wchar_t*>(::GlobalLock(data))) {
            text = units;
            ::GlobalUnlock(data);
        }
    }
    ::CloseClipboard();
    return text;
}

class EditBoxTest : public ControlTest {
protected:
    void SetUp() override { host = MakeHost(); }
    // A box with the focus, events 17 and 19 counted.
    void MakeBox(EditBox::CreateArgs args) {
        ASSERT_TRUE(box.Create(*host, kBox, args));
        box.SetEventHandler([this](HWND, ObjectHandle, std::int32_t event, EventParam, EventParam, EventParam,
                                   EventParam, EventParam) {
            ++userEvents[event];
            return 0;
        });
        testing::LeftClick(*host, kInsideX, kInsideY);
    }
    std::wstring Text() const { return box.GetTextW().ToWString(); }

    std::unique_ptr<SkinWindow> host;
    EditBox box;
    std::map<std::int32_t, int> userEvents;
};

TEST_F(EditBoxTest, TextShortenedWhileDetachedIsClickedSafely) {
    MakeBox({.text = MakeWideText("abcdefgh")});
    testing::LeftClick(*host, kBox.left + kBox.width - 10, kInsideY);
    ASSERT_EQ(box.Caret(), 8);
    box.Detach();
    box.SetText("ab");
    ASSERT_TRUE(box.Attach(*host, kBox, box.GetTextW(), 1));
    testing::LeftClick(*host, kBox.left + kBox.width - 10, kInsideY);
    EXPECT_EQ(box.Caret(), 2) << "the end of the text it has now";
    Type(*host, L"x");
    EXPECT_EQ(Text(), L"abx");
}

TEST_F(EditBoxTest, TypingFollowsTheInputModeAndTheMaximumLength) {
    const struct {
        std::int32_t mode;
        std::int32_t maxLength;
        std::wstring typed;
        std::wstring expected;
    } cases[] = {
        {EditBox::kAnyCharacter, -1, L"ab 1\x4E2D", L"ab 1\x4E2D"},
        {EditBox::kDigits, -1, L"a1b2", L"12"},
        {EditBox::kUpperCase, -1, L"aBcD", L"BD"},
        {EditBox::kLowerCase, -1, L"aBcD", L"ac"},
        {EditBox::kReadOnly, -1, L"abc", L""},
        {EditBox::kAnyCharacter, 5, L"123456", L"12345"},
        {EditBox::kAnyCharacter, -1, L"a\bb", L"ab"},  // Backspace works as a key only
    };
    for (const auto& c : cases) {
        box.Detach();
        userEvents.clear();
        MakeBox({.inputMode = c.mode});
        box.MaxLength(c.maxLength);
        Type(*host, c.typed);
        EXPECT_EQ(Text(), c.expected) << "mode " << c.mode;
        EXPECT_EQ(box.Caret(), static_cast<std::int32_t>(c.expected.size()));
        EXPECT_EQ(userEvents[EditBox::kUserTextChanged], static_cast<int>(c.expected.size()));
    }

    box.Detach();
    MakeBox({});
    {
        KeyHeld control(VK_CONTROL);
        Type(*host, L"x");
    }
    EXPECT_EQ(Text(), L"") << "nothing is typed while Ctrl is held";
}

TEST_F(EditBoxTest, KeysEditMoveAndReport) {
    MakeBox({.text = MakeWideText("abcdef")});
    box.Select(3, 3);
    const struct {
        UINT key;
        std::wstring text;
        std::int32_t caret;
    } steps[] = {
        {VK_BACK, L"abdef", 2}, {VK_DELETE, L"abef", 2}, {VK_LEFT, L"abef", 1}, {VK_LEFT, L"abef", 0},
        {VK_LEFT, L"abef", 0},  {VK_BACK, L"abef", 0},   {VK_RIGHT, L"abef", 1}, {VK_ESCAPE, L"abef", 1},
    };
    for (const auto& step : steps) {
        testing::KeyDown(*host, step.key);
        EXPECT_EQ(Text(), step.text) << "key " << step.key;
        EXPECT_EQ(box.Caret(), step.caret) << "key " << step.key;
    }
    EXPECT_EQ(userEvents[EditBox::kUserTextChanged], 3) << "Backspace and Delete report";
    testing::KeyDown(*host, VK_RETURN);
    EXPECT_EQ(userEvents[EditBox::kUserEnter], 1);

    box.Select(1, 3);
    testing::KeyDown(*host, VK_DELETE);
    EXPECT_EQ(Text(), L"af") << "Delete takes the selection";

    box.Mode(EditBox::kReadOnly);
    testing::KeyDown(*host, VK_BACK);
    EXPECT_EQ(Text(), L"af") << "read-only ignores keys";
}

TEST_F(EditBoxTest, DraggingTheMouseSelects) {
    MakeBox({.text = MakeWideText("hello world")});
    testing::LeftDown(*host, kBox.left + 5, kInsideY);
    EXPECT_EQ(box.Caret(), 0);
    EXPECT_EQ(box.SelectionLength(), 0);
    testing::MouseMove(*host, kBox.left + kBox.width - 5, kInsideY);
    EXPECT_EQ(box.Caret(), 11);
    EXPECT_EQ(box.SelectionLength(), 11);
    EXPECT_EQ(box.SelectedText(), L"hello world");

    const Gdiplus::RectF selection = box.SelectionRect();
    EXPECT_EQ(selection.X, 5.0f) << "from the margin";
    const auto probeX = static_cast<int>(selection.X + 2);
    const auto probeY = static_cast<int>(selection.Y + selection.Height / 2);
    const std::uint32_t selected = box.DrawingSurface().PixelAt(probeX, probeY);
    EXPECT_GT(testing::Blue(selected), 0xC0) << "the selection background";

    testing::MouseMove(*host, 2, kInsideY);  // left of the box, still captured
    EXPECT_EQ(box.Caret(), 0) << "selects back to the start";
    EXPECT_EQ(box.Anchor(), 0);
    testing::MouseMove(*host, kBox.left + kBox.width - 5, kInsideY);
    testing::LeftUp(*host, kBox.left + kBox.width - 5, kInsideY);
    EXPECT_EQ(box.SelectionLength(), 11);
    testing::MouseMove(*host, kBox.left + 5, kInsideY);
    EXPECT_EQ(box.SelectionLength(), 11) << "moving without the button selects nothing new";
}

TEST_F(EditBoxTest, ClipboardKeysUseTheRealClipboard) {
    MakeBox({.text = MakeWideText("path")});
    ControlKey(*host, 'A');
    EXPECT_EQ(box.SelectionLength(), 4);
    ControlKey(*host, 'C');
    EXPECT_EQ(ClipboardText(), L"path");
    ControlKey(*host, 'X');
    EXPECT_EQ(Text(), L"");
    EXPECT_EQ(ClipboardText(), L"path");
    ControlKey(*host, 'V');
    ControlKey(*host, 'V');
    EXPECT_EQ(Text(), L"pathpath");
    EXPECT_EQ(userEvents[EditBox::kUserTextChanged], 3) << "cut and two pastes";

    MakeWideText("12\r\nab34").ToClipboard();
    box.Mode(EditBox::kDigits);
    box.MaxLength(10);
    ControlKey(*host, 'A');
    ControlKey(*host, 'V');
    EXPECT_EQ(Text(), L"1234") << "pasting obeys the input filter and drops line breaks";
    ControlKey(*host, 'V');
    ControlKey(*host, 'V');
    EXPECT_EQ(Text(), L"1234123412") << "and the maximum length";
}

TEST_F(EditBoxTest, PasswordMaskShowsTwoCharactersForADoubleByteOne) {
    MakeBox({.password = true});
    Type(*host, L"\x4E2D");
    EXPECT_EQ(Text(), L"\x4E2D");
    EXPECT_EQ(box.DisplayText(), L"\x25CF\x25CF");
    const float wide = box.CaretX() - 5;
    box.SetTextW(WideText());
    Type(*host, L"a");
    EXPECT_EQ(box.DisplayText(), L"\x25CF");
    const float narrow = box.CaretX() - 5;
    EXPECT_GT(narrow, 0.0f);
    // GDI+ pads the start of a line, so two characters measure a little less than twice one.
    EXPECT_GT(wide, 1.6f * narrow) << "the caret stands after both mask characters";

    MakeWideText("secret").ToClipboard();
    ControlKey(*host, 'A');
    EXPECT_EQ(box.SelectionLength(), 0) << "no select-all with a password";
    ControlKey(*host, 'V');
    EXPECT_EQ(Text(), L"a") << "no pasting either";
}

TEST_F(EditBoxTest, CaretBlinksOnlyWhileFocused) {
    MakeBox({.text = MakeWideText("ab")});
    EXPECT_TRUE(box.HasFocus() || GetWindowProperty(host->GetHandle(), "DEVU_FUCOS") == box.Id());
    EXPECT_TRUE(box.CaretVisible());
    ASSERT_TRUE(testing::Tick(box, EditBox::kCaretTimerKey));
    EXPECT_FALSE(box.CaretVisible());
    ASSERT_TRUE(testing::Tick(box, EditBox::kCaretTimerKey));
    EXPECT_TRUE(box.CaretVisible());
    const auto caretX = static_cast<int>(box.CaretX());
    const std::uint32_t caret = box.DrawingSurface().PixelAt(caretX, kBox.height / 2);
    EXPECT_EQ(caret, 0xFF000000u) << "an opaque black caret";

    box.Select(0, 2);
    EditBox other;
    ASSERT_TRUE(other.Create(*host, {20, 80, 200, 26}, {}));
    testing::LeftClick(*host, 30, 90);
    EXPECT_FALSE(control_timers::SystemTimerOf(box, EditBox::kCaretTimerKey));
    EXPECT_FALSE(box.CaretVisible());
    EXPECT_EQ(box.SelectionLength(), 0) << "losing the focus clears the selection";
    EXPECT_TRUE(control_timers::SystemTimerOf(other, EditBox::kCaretTimerKey));
}

TEST_F(EditBoxTest, TextStaysOnOneLine) {
    MakeBox({.text = MakeWideText("C:\\a\r\nb")});
    EXPECT_EQ(Text(), L"C:\\ab");
    box.SetText("");
    EXPECT_EQ(box.Caret(), 0);
}

// Pixels of the host inside a box-relative span of the text line, sorted
// into those of the two text colours (or near them).
struct GlyphCount {
    int red = 0;
    int black = 0;
};
GlyphCount CountGlyphPixels(const SkinWindow& host, float left, float right, const Gdiplus::RectF& line) {
    GlyphCount count;
    for (int y = static_cast<int>(line.Y) + 1; y < static_cast<int>(line.Y + line.Height) - 1; ++y)
        for (int x = static_cast<int>(left) + 2; x < static_cast<int>(right) - 2; ++x) {
            const std::uint32_t pixel = testing::HostPixel(host, kBox.left + x, kBox.top + y);
            const int r = testing::Red(pixel), g = testing::Green(pixel), b = testing::Blue(pixel);
            count.red += r >= 200 && g <= 60 && b <= 60;
            count.black += r <= 60 && g <= 60 && b <= 60;
        }
    return count;
}

TEST_F(EditBoxTest, SelectedTextIsDrawnInTheSelectionTextColour) {
    constexpr Argb kSelectionText = 0xFFFF0000;
    constexpr Argb kSelectionBackground = 0xFFFFFFFF;
    MakeBox({.text = MakeWideText("MMMMMMMM"),
             .textStyle = FontDescription{.fontFamily = DefaultFontName(), .size = 16, .textColour = 0xFF000000},
             .selectionBackground = kSelectionBackground,
             .selectionTextColour = kSelectionText});
    box.Select(0, 4);
    const Gdiplus::RectF selection = box.SelectionRect();
    ASSERT_GT(selection.Width, 20.0f);
    const float textRight = selection.X + 2 * selection.Width;  // eight like letters, four selected
    const struct {
        const char* what;
        float left, right;
        bool selected;
    } spans[] = {
        {"the selected letters", selection.X, selection.X + selection.Width, true},
        {"the letters after them", selection.X + selection.Width, textRight, false},
    };
    for (const auto& span : spans) {
        const GlyphCount count = CountGlyphPixels(*host, span.left, span.right, selection);
        EXPECT_GT(span.selected ? count.red : count.black, 10) << span.what;
        EXPECT_EQ(span.selected ? count.black : count.red, 0) << span.what;
    }
}

// A long paste is measured once, in pieces, not the whole line once per
// piece; the pieces join where the line itself would put them.
TEST_F(EditBoxTest, PastingTenThousandCharactersKeepsThemAllAndMeasuresThemEvenly) {
    MakeBox({});
    std::wstring pasted;
    while (pasted.size() < 10000) pasted += L"0123456789";
    MakeWideText(std::string(pasted.begin(), pasted.end())).ToClipboard();
    ControlKey(*host, 'V');
    ASSERT_EQ(Text(), pasted);
    EXPECT_EQ(box.Caret(), 10000);
    const Gdiplus::RectF area = box.TextArea();
    EXPECT_GE(box.CaretX(), area.X) << "scrolled to show the caret";
    EXPECT_LE(box.CaretX(), area.X + area.Width);
    Type(*host, L"x");
    EXPECT_EQ(Text(), pasted + L"x");

    // Every ten characters measure the same, wherever they stand: at the
    // start and across the joins of the pieces the line is measured in.
    const auto widthOf = [&](std::int32_t first) {
        box.Select(first, first + 10);
        return box.SelectionRect().Width;
    };
    const float period = widthOf(10);
    ASSERT_GT(period, 10.0f);
    for (const std::int32_t first : {30, 60, 1000, 4990, 9980, 9990})
        EXPECT_NEAR(widthOf(first), period, 0.5f) << "ten characters from " << first;
}

}  // namespace
}  // namespace lirvo
