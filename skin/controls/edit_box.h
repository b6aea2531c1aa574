#pragma once
// EditBox: single-line text input drawn into its surface: caret, selection
// by mouse and keys, clipboard, character filters by input mode, a maximum
// length and a password mask. Positions count UTF-16 units from 0. The box
// owns its text style, its string format and its icon; its caret timer runs
// only while it has the focus.

#include <oleacc.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "skin/controls/control_properties.h"
#include "skin/controls/skin_control.h"
#include "skin/core/gdiplus_api.h"
#include "skin/core/shared_routines.h"
#include "skin/window/drawing.h"

namespace lirvo {

class EditBox : public SkinControl {
public:
    enum InputMode : std::int32_t {
        kAnyCharacter = 0,
        kReadOnly = 1,
        kDigits = 2,
        kUpperCase = 3,
        kLowerCase = 4,
        kLettersAndDigits = 5,
        kLetters = 6,
        kNumber = 7,  // digits, '.', '-' and '+'
        kPrintableAscii = 8,
    };
    // User events of the box besides the base's.
    static constexpr std::int32_t kUserTextChanged = 17;
    static constexpr std::int32_t kUserEnter = 19;
    static constexpr std::int32_t kCaretTimerKey = 2;
    static constexpr std::uint32_t kCaretInterval = 500;

    struct CreateArgs {
        WideText text;
        std::optional<FontDescription> textStyle;
        std::optional<std::int32_t> inputMode;
        std::optional<Argb> selectionBackground;
        std::optional<Argb> selectionTextColour;
        std::optional<Argb> frameColour;
        std::optional<Argb> background;
        std::int32_t iconMode = 0;
        ByteArray icon;
        bool password = false;
        std::optional<WideText> mask;
        std::optional<bool> visible;
        bool disabled = false;
    };

    EditBox();
    ~EditBox() override;

    std::unique_ptr<SkinControl> Clone() const override { return CloneAs(*this); }
    void CopyOwnSettingsFrom(const EditBox& other);

    virtual bool Create(SkinObject& host, const Rect& rect, const CreateArgs& args);

    std::int32_t AccessibleRole() const override { return ROLE_SYSTEM_TEXT; }
    std::optional<WideText> AccessibleValue() const override { return GetTextW(); }
    // Line breaks are dropped: the text stays on one line.
    void SetTextW(const WideText& text) override;

    virtual std::int32_t MaxLength(std::optional<std::int32_t> value = std::nullopt);
    virtual bool Password(std::optional<bool> value = std::nullopt);
    virtual std::int32_t Mode(std::optional<std::int32_t> value = std::nullopt);
    virtual FontDescription TextStyle(std::optional<FontDescription> style = std::nullopt);

    virtual void ApplyProperties(const PropertyValues& values);
    virtual PropertyList GetProperties() const;
    // Selects from anchor to caret (clamped to the text).
    virtual void Select(std::int32_t anchor, std::int32_t caret);

    std::int32_t Caret() const { return caret_; }
    std::int32_t Anchor() const { return anchor_; }
    std::int32_t SelectionLength() const { return caret_ - anchor_; }
    std::wstring SelectedText() const;
    // What is drawn: the text, or the mask once per byte of its ANSI form.
    std::wstring DisplayText() const;
    bool CaretVisible() const { return caretVisible_; }
    // Caret position in the control and the selection's extent.
    float CaretX() const { return caretX_; }
    Gdiplus::RectF SelectionRect() const { return selectionRect_; }
    Gdiplus::RectF TextArea() const { return textArea_; }

protected:
    void Draw(Gdiplus::GpGraphics* graphics) override;
    void OnLeftDown(Point point) override;
    void OnLeftUp(Point) override { ReleaseMouse(); }
    void OnMouseMove(Point point) override;
    void OnMouseEnter() override;
    void OnMouseLeave() override;
    void OnKeyDown(std::int32_t key) override;
    void OnChar(std::int32_t code) override;
    void OnFocus(ObjectHandle) override;
    void OnBlur(ObjectHandle) override;
    void OnTimer(std::int32_t key, EventParam) override;
    void OnHostEvent8(EventParam, EventParam) override { LayoutTextArea(); }

private:
    struct FormatDeleter {
        void operator()(Gdiplus::GpStringFormat* format) const { gdip::GdipDeleteStringFormat(format); }
    };
    struct KeyAction;

    void LayoutTextArea();
    void BuildFormat();
    // Recomputes caret, selection and scroll, then refreshes.
    void Update();
    void Measure();
    std::vector<float> BoundaryPositions(const std::wstring& display) const;
    std::int32_t DisplayIndex(std::int32_t index) const;
    std::int32_t IndexAt(std::int32_t x) const;
    bool Accepts(wchar_t code) const;
    std::wstring Filtered(const std::wstring& text) const;
    // Replaces the selection (or inserts at the caret) and moves the caret
    // after the new text.
    void ReplaceSelection(const std::wstring& replacement);
    void StoreText(const std::wstring& text);
    bool DeleteSelection();
    void Backspace();
    void DeleteForward();
    void MoveCaret(std::int32_t delta);
    void MoveCaretLeft() { MoveCaret(-1); }
    void MoveCaretRight() { MoveCaret(1); }
    void PressEnter();
    void Paste();
    void Copy();
    void Cut();
    void SelectAll();

    FontRecord textStyle_;
    std::unique_ptr<Gdiplus::GpStringFormat, FormatDeleter> format_;
    Argb selectionBackground_ = 0;
    Argb selectionTextColour_ = 0;
    Argb frameColour_ = 0;
    Argb background_ = 0;
    bool caretVisible_ = false;
    std::int32_t anchor_ = 0;
    std::int32_t caret_ = 0;
    bool password_ = false;
    std::int32_t maxLength_ = -1;
    WideText mask_;
    std::int32_t iconMode_ = 0;
    GdipBitmap icon_;
    float marginLeft_ = kMarginLeft;
    Gdiplus::RectF textArea_{};
    std::int32_t inputMode_ = kAnyCharacter;

    std::vector<float> boundaries_;  // x of each caret position, control coordinates
    float caretX_ = kMarginLeft;
    float lineTop_ = 0;
    float lineHeight_ = 0;
    Gdiplus::RectF selectionRect_{};

    static constexpr float kMarginLeft = 5;
};

}  // namespace lirvo
