#include "skin/controls/edit_box.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "skin/controls/gdiplus_brushes.h"
#include "skin/core/image_from_bytes.h"
#include "skin/core/toolkit.h"
#include "skin/controls/text_format_property.h"

namespace lirvo {
namespace {

constexpr wchar_t kDefaultMask = 0x25CF;  // BLACK CIRCLE
constexpr Argb kCaretColour = 0xFF000000;
constexpr float kLayoutWidth = 100000;  // one line never wraps
constexpr std::int32_t kMeasureBatch = 32;  // GDI+ measures at most 32 ranges at once
constexpr std::int32_t kIconSize = 16;

WideText WideFromWString(const std::wstring& text) {
    ByteArray bytes(text.size() * 2);
    std::memcpy(bytes.data(), text.data(), bytes.size());
    return WideFromBytes(bytes);
}

std::wstring WithoutLineBreaks(std::wstring text) {
    for (std::size_t found; (found = text.find(L"\r\n")) != std::wstring::npos;) text.erase(found, 2);
    return text;
}

bool KeyHeld(int key) { return ::GetKeyState(key) < 0; }

class ClipboardOpen {
public:
    ClipboardOpen() : open_(::OpenClipboard(nullptr) != FALSE) {}
    ~ClipboardOpen() {
        if (open_) ::CloseClipboard();
    }
    ClipboardOpen(const ClipboardOpen&) = delete;
    ClipboardOpen& operator=(const ClipboardOpen&) = delete;
    explicit operator bool() const { return open_; }

private:
    bool open_;
};

std::wstring ClipboardText() {
    ClipboardOpen clipboard;
    if (!clipboard) return {};
    HANDLE data = ::GetClipboardData(CF_UNICODETEXT);
    if (!data) return {};
    std::wstring text;
    if (const auto* units = static_cast<const wchar_t*>(::GlobalLock(data))) {
        text.assign(units, ::wcsnlen(units, ::GlobalSize(data) / sizeof(wchar_t)));
        ::GlobalUnlock(data);
    }
    return text;
}

// The characters each input mode lets through.
struct InputFilter {
    std::int32_t mode;
    bool (*accepts)(wchar_t);
};
constexpr bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }
constexpr bool IsUpper(wchar_t c) { return c >= L'A' && c <= L'Z'; }
constexpr bool IsLower(wchar_t c) { return c >= L'a' && c <= L'z'; }
constexpr InputFilter kInputFilters[] = {
    {EditBox::kAnyCharacter, [](wchar_t c) { return c >= 32; }},
    {EditBox::kReadOnly, [](wchar_t) { return false; }},
    {EditBox::kDigits, [](wchar_t c) { return IsDigit(c); }},
    {EditBox::kUpperCase, [](wchar_t c) { return IsUpper(c); }},
    {EditBox::kLowerCase, [](wchar_t c) { return IsLower(c); }},
    {EditBox::kLettersAndDigits, [](wchar_t c) { return IsDigit(c) || IsUpper(c) || IsLower(c); }},
    {EditBox::kLetters, [](wchar_t c) { return IsUpper(c) || IsLower(c); }},
    {EditBox::kNumber, [](wchar_t c) { return IsDigit(c) || c == L'.' || c == L'-' || c == L'+'; }},
    {EditBox::kPrintableAscii, [](wchar_t c) { return c >= 32 && c <= 126; }},
};

}  // namespace

// The keys the box acts on; `control` rows need Ctrl held and are refused
// in password mode.
struct EditBox::KeyAction {
    std::int32_t key;
    bool control;
    void (EditBox::*action)();
};

EditBox::EditBox() { State().tabStop = true; }
EditBox::~EditBox() = default;

bool EditBox::Create(SkinObject& host, const Rect& rect, const CreateArgs& args) {
    if (!Attach(host, rect, args.text, 1, args.visible.value_or(true), args.disabled)) return false;
    State().focusable = true;
    textStyle_ = FontRecord(args.textStyle.value_or(FontDescription{}));
    BuildFormat();
    selectionBackground_ = args.selectionBackground.value_or(MakeArgb(255, 0, 128, 255));
    selectionTextColour_ = args.selectionTextColour.value_or(textStyle_.Description().textColour);
    frameColour_ = args.frameColour.value_or(MakeArgb(128, 0, 0, 0));
    background_ = args.background.value_or(MakeArgb(1, 255, 255, 255));
    if (args.mask) mask_ = *args.mask;
    else mask_ = WideFromWString(std::wstring(1, kDefaultMask));
    inputMode_ = args.inputMode.value_or(kAnyCharacter);
    iconMode_ = args.iconMode;
    icon_ = args.icon.empty() ? GdipBitmap() : ImageFromBytes(args.icon);
    password_ = args.password;
    maxLength_ = -1;
    marginLeft_ = kMarginLeft;
    LayoutTextArea();
    caret_ = anchor_ = 0;
    Update();
    return true;
}

void EditBox::BuildFormat() {
    Gdiplus::GpStringFormat* format = nullptr;
    if (textStyle_.Format()) gdip::GdipCloneStringFormat(textStyle_.Format(), &format);
    else gdip::GdipCreateStringFormat(0, LANG_NEUTRAL, &format);
    format_.reset(format);
    INT flags = 0;
    gdip::GdipGetStringFormatFlags(format, &flags);
    flags |= Gdiplus::StringFormatFlagsNoWrap | Gdiplus::StringFormatFlagsMeasureTrailingSpaces;
    gdip::GdipSetStringFormatFlags(format, flags);
    // The caret arithmetic assumes the line starts at the margin.
    gdip::GdipSetStringFormatAlign(format, Gdiplus::StringAlignmentNear);
}

void EditBox::LayoutTextArea() {
    const auto w = static_cast<float>(GetWidth());
    const auto h = static_cast<float>(GetHeight());
    textArea_ = {3, 3, w - 6, h - 6};
    if (iconMode_ == 1 && icon_) textArea_ = {23, 3, w - 26, h - 6};
}

void EditBox::SetTextW(const WideText& text) {
    SkinControl::SetTextW(WideFromWString(WithoutLineBreaks(text.ToWString())));
    const std::int32_t length = TextLength();
    if (length == 0) caret_ = anchor_ = 0;
    caret_ = std::clamp(caret_, 0, length);
    anchor_ = std::clamp(anchor_, 0, length);
    if (format_) Update();
}

void EditBox::StoreText(const std::wstring& text) { SkinControl::SetTextW(WideFromWString(text)); }

std::int32_t EditBox::MaxLength(std::optional<std::int32_t> value) {
    if (value) maxLength_ = *value;
    return maxLength_;
}

bool EditBox::Password(std::optional<bool> value) {
    if (value) {
        password_ = *value;
        Update();
    }
    return password_;
}

std::int32_t EditBox::Mode(std::optional<std::int32_t> value) {
    if (value) inputMode_ = *value;
    return inputMode_;
}

FontDescription EditBox::TextStyle(std::optional<FontDescription> style) {
    if (style) {
        textStyle_ = FontRecord(*style);
        BuildFormat();
        Update();
    }
    return textStyle_.Description();
}

void EditBox::Select(std::int32_t anchor, std::int32_t caret) {
    anchor_ = std::clamp(anchor, 0, TextLength());
    caret_ = std::clamp(caret, 0, TextLength());
    Update();
}

std::wstring EditBox::SelectedText() const {
    const std::wstring text = GetTextW().ToWString();
    const auto first = static_cast<std::size_t>(std::min(anchor_, caret_));
    return text.substr(first, static_cast<std::size_t>(std::abs(caret_ - anchor_)));
}

std::wstring EditBox::DisplayText() const {
    if (!password_) return GetTextW().ToWString();
    const std::wstring mask = mask_.ToWString();
    std::wstring display;
    for (std::size_t i = 0; i < GetText().size(); ++i) display += mask;
    return display;
}

std::int32_t EditBox::DisplayIndex(std::int32_t index) const {
    if (!password_) return index;
    const auto bytes = static_cast<std::int32_t>(GetTextW().LeftAnsi(index).size());
    return bytes * mask_.Length();
}

std::vector<float> EditBox::BoundaryPositions(const std::wstring& display) const {
    // Right edges of every displayed unit, measured in the layout the text
    // is drawn in.
    const auto count = static_cast<std::int32_t>(display.size());
    std::vector<float> rights(static_cast<std::size_t>(count), 0.0f);
    Gdiplus::GpGraphics* graphics = Graphics();
    if (!graphics || !textStyle_ || count == 0) return rights;
    const Gdiplus::RectF layout{0, textArea_.Y, kLayoutWidth, textArea_.Height};
    // Each batch measures only its own units, as a piece of text of its own,
    // and is placed where the batch before it ends: measuring the whole line
    // for every batch made a long line (a large paste) cost the square of its
    // length. A piece starts at its first unit's left edge, past the padding
    // the layout puts before any text.
    float pieceStart = 0;
    float pieceEnd = 0;
    for (std::int32_t first = 0, batch = 0; first < count; first += batch) {
        batch = std::min(kMeasureBatch, count - first);
        // A surrogate pair stays in one piece.
        if (batch > 1 && first + batch < count && IS_HIGH_SURROGATE(display[static_cast<std::size_t>(first + batch - 1)]))
            --batch;
        std::vector<Gdiplus::CharacterRange> ranges;
        for (std::int32_t i = 0; i < batch; ++i) ranges.push_back({i, 1});
        gdip::GdipSetStringFormatMeasurableCharacterRanges(format_.get(), batch, ranges.data());
        std::vector<Gdiplus::GpRegion*> regions(static_cast<std::size_t>(batch), nullptr);
        for (auto& region : regions) gdip::GdipCreateRegion(&region);
        gdip::GdipMeasureCharacterRanges(graphics, display.c_str() + first, batch, textStyle_.Font(), layout,
                                         format_.get(), batch, regions.data());
        // The first piece keeps the layout's own padding, as the drawn line has it.
        std::optional<float> pieceLeft;
        if (first == 0) pieceLeft = 0.0f;
        for (std::int32_t i = 0; i < batch; ++i) {
            Gdiplus::RectF bounds{};
            gdip::GdipGetRegionBounds(regions[static_cast<std::size_t>(i)], graphics, &bounds);
            if (!pieceLeft && bounds.Width > 0) pieceLeft = bounds.X;
            rights[static_cast<std::size_t>(first + i)] =
                bounds.Width > 0 ? pieceStart + bounds.X + bounds.Width - *pieceLeft : 0.0f;
            gdip::GdipDeleteRegion(regions[static_cast<std::size_t>(i)]);
            pieceEnd = std::max(pieceEnd, rights[static_cast<std::size_t>(first + i)]);
        }
        pieceStart = pieceEnd;
    }
    // A unit that measures nothing (a zero-width one) keeps its left neighbour's edge.
    for (std::size_t i = 1; i < rights.size(); ++i) rights[i] = std::max(rights[i], rights[i - 1]);
    return rights;
}

void EditBox::Measure() {
    const std::wstring display = DisplayText();
    const std::vector<float> rights = BoundaryPositions(display);
    const std::int32_t length = TextLength();
    // The text may have changed while the box was detached and not measured.
    caret_ = std::clamp(caret_, 0, length);
    anchor_ = std::clamp(anchor_, 0, length);
    // Offsets of every caret position from the line start.
    std::vector<float> offsets(static_cast<std::size_t>(length) + 1, 0.0f);
    for (std::int32_t i = 1; i <= length; ++i) {
        const std::int32_t shown = std::min(DisplayIndex(i), static_cast<std::int32_t>(rights.size()));
        offsets[static_cast<std::size_t>(i)] = shown > 0 ? rights[static_cast<std::size_t>(shown - 1)] : 0.0f;
    }

    // Scroll so that the caret stays inside the text area; never further
    // right than the margin's resting place.
    const float caretOffset = offsets[static_cast<std::size_t>(caret_)];
    const float areaRight = textArea_.X + textArea_.Width - 1;
    if (marginLeft_ + caretOffset > areaRight) marginLeft_ = areaRight - caretOffset;
    if (marginLeft_ + caretOffset < textArea_.X) marginLeft_ = textArea_.X - caretOffset;
    marginLeft_ = std::min(marginLeft_, kMarginLeft);

    boundaries_.resize(offsets.size());
    for (std::size_t i = 0; i < offsets.size(); ++i) boundaries_[i] = marginLeft_ + offsets[i];
    caretX_ = boundaries_[static_cast<std::size_t>(caret_)];

    Gdiplus::REAL fontHeight = 0;
    if (textStyle_) gdip::GdipGetFontHeight(textStyle_.Font(), Graphics(), &fontHeight);
    lineHeight_ = fontHeight;
    Gdiplus::StringAlignment lineAlign = Gdiplus::StringAlignmentNear;
    gdip::GdipGetStringFormatLineAlign(format_.get(), &lineAlign);
    const float spare = textArea_.Height - fontHeight;
    lineTop_ = textArea_.Y + (lineAlign == Gdiplus::StringAlignmentCenter ? spare / 2
                              : lineAlign == Gdiplus::StringAlignmentFar  ? spare
                                                                           : 0);

    const auto first = static_cast<std::size_t>(std::min(anchor_, caret_));
    const auto last = static_cast<std::size_t>(std::max(anchor_, caret_));
    selectionRect_ = {boundaries_[first], lineTop_, boundaries_[last] - boundaries_[first], lineHeight_};
}

void EditBox::Update() {
    if (!format_ || !DrawingSurface()) return;
    Measure();
    Refresh();
}

std::int32_t EditBox::IndexAt(std::int32_t x) const {
    // The caret position nearest to the point.
    std::int32_t best = 0;
    float bestDistance = -1;
    for (std::size_t i = 0; i < boundaries_.size(); ++i) {
        const float distance = std::abs(boundaries_[i] - static_cast<float>(x));
        if (bestDistance < 0 || distance < bestDistance) {
            bestDistance = distance;
            best = static_cast<std::int32_t>(i);
        }
    }
    // The boundaries may be those of a text measured before it last changed.
    return std::min(best, TextLength());
}

void EditBox::Draw(Gdiplus::GpGraphics* graphics) {
    const std::int32_t w = GetWidth();
    const std::int32_t h = GetHeight();
    FillRectColour(graphics, background_, 0, 0, w, h);
    DrawRectOutline(graphics, frameColour_, 0, 0, w - 1, h - 1);
    if (iconMode_ == 1 && icon_)
        DrawImage(icon_.get(), graphics, 4, (h - kIconSize) / 2, {.width = kIconSize, .height = kIconSize});

    gdip::GdipSetClipRect(graphics, textArea_.X, textArea_.Y, textArea_.Width, textArea_.Height,
                          Gdiplus::CombineModeReplace);
    if (selectionRect_.Width > 0) {
        auto brush = MakeSolidBrush(selectionBackground_);
        gdip::GdipFillRectangle(graphics, brush.get(), selectionRect_.X, selectionRect_.Y, selectionRect_.Width,
                                selectionRect_.Height);
    }
    const std::wstring display = DisplayText();
    if (textStyle_ && !display.empty()) {
        gdip::GdipSetTextRenderingHint(graphics, static_cast<Gdiplus::TextRenderingHint>(DefaultTextRenderingHint()));
        const Gdiplus::RectF layout{marginLeft_, textArea_.Y, kLayoutWidth, textArea_.Height};
        const auto drawText = [&](Gdiplus::GpBrush* brush) {
            gdip::GdipDrawString(graphics, display.c_str(), static_cast<INT>(display.size()), textStyle_.Font(),
                                 &layout, format_.get(), brush);
        };
        if (selectionRect_.Width > 0) {
            // The line is drawn twice, each time clipped to its own part, so
            // that the edges of a glyph cut by the selection take one colour
            // only, never one blended over the other.
            gdip::GdipSetClipRect(graphics, selectionRect_.X, selectionRect_.Y, selectionRect_.Width,
                                  selectionRect_.Height, Gdiplus::CombineModeExclude);
            drawText(textStyle_.TextBrush());
            gdip::GdipSetClipRect(graphics, textArea_.X, textArea_.Y, textArea_.Width, textArea_.Height,
                                  Gdiplus::CombineModeReplace);
            gdip::GdipSetClipRect(graphics, selectionRect_.X, selectionRect_.Y, selectionRect_.Width,
                                  selectionRect_.Height, Gdiplus::CombineModeIntersect);
            auto selected = MakeSolidBrush(selectionTextColour_);
            drawText(selected.get());
        } else {
            drawText(textStyle_.TextBrush());
        }
    }
    gdip::GdipResetClip(graphics);

    if (caretVisible_) {
        auto pen = MakePen(kCaretColour);
        gdip::GdipDrawLine(graphics, pen.get(), caretX_, lineTop_, caretX_, lineTop_ + lineHeight_ - 1);
    }
}

void EditBox::OnLeftDown(Point point) {
    SetCursorShape(IDC_IBEAM);
    CaptureMouse();
    caret_ = IndexAt(point.x);
    anchor_ = caret_;
    Update();
}

void EditBox::OnMouseMove(Point point) {
    if (!LeftButtonHeld()) return;
    // A point left of the box arrives with a negative x: select back to 0.
    caret_ = point.x < 0 ? 0 : IndexAt(point.x);
    Update();
}

void EditBox::OnMouseEnter() {
    SetCursorShape(IDC_IBEAM);
    if (inputMode_ == kReadOnly) RaiseEvent(kUserMouseEnter);
}

void EditBox::OnMouseLeave() {
    SetCursorShape(IDC_ARROW);
    if (inputMode_ == kReadOnly) RaiseEvent(kUserMouseLeave);
}

void EditBox::OnKeyDown(std::int32_t key) {
    static constexpr KeyAction kKeys[] = {
        {VK_BACK, false, &EditBox::Backspace},
        {VK_DELETE, false, &EditBox::DeleteForward},
        {VK_LEFT, false, &EditBox::MoveCaretLeft},
        {VK_RIGHT, false, &EditBox::MoveCaretRight},
        {VK_RETURN, false, &EditBox::PressEnter},
        {'V', true, &EditBox::Paste},
        {'C', true, &EditBox::Copy},
        {'X', true, &EditBox::Cut},
        {'A', true, &EditBox::SelectAll},
    };
    if (inputMode_ == kReadOnly) return;
    const bool control = KeyHeld(VK_CONTROL);
    for (const KeyAction& action : kKeys) {
        if (action.key != key || (action.control && !control)) continue;
        // The clipboard and select-all never expose a password.
        if (action.control && password_) return;
        (this->*action.action)();
        return;
    }
}

void EditBox::OnChar(std::int32_t code) {
    if (inputMode_ == kReadOnly) return;
    if (KeyHeld(VK_ESCAPE) || KeyHeld(VK_RETURN) || KeyHeld(VK_CONTROL) || KeyHeld(VK_MENU)) return;
    const auto character = static_cast<wchar_t>(code);
    if (character == L'\b' || !Accepts(character)) return;
    if (maxLength_ != -1 && TextLength() >= maxLength_ && SelectionLength() == 0) return;
    ReplaceSelection(std::wstring(1, character));
    RaiseEvent(kUserTextChanged);
}

void EditBox::OnFocus(ObjectHandle) {
    StartTimer(kCaretTimerKey, kCaretInterval);
    caretVisible_ = true;
    Update();
}

void EditBox::OnBlur(ObjectHandle) {
    StopTimer(kCaretTimerKey);
    caretVisible_ = false;
    anchor_ = caret_;
    Update();
}

void EditBox::OnTimer(std::int32_t key, EventParam) {
    if (key != kCaretTimerKey) return;
    caretVisible_ = !caretVisible_;
    Refresh();
}

bool EditBox::Accepts(wchar_t code) const {
    for (const InputFilter& filter : kInputFilters)
        if (filter.mode == inputMode_) return filter.accepts(code);
    return code >= 32;
}

std::wstring EditBox::Filtered(const std::wstring& text) const {
    std::wstring kept;
    for (wchar_t c : WithoutLineBreaks(text))
        if (Accepts(c)) kept += c;
    return kept;
}

void EditBox::ReplaceSelection(const std::wstring& replacement) {
    std::wstring text = GetTextW().ToWString();
    const auto first = static_cast<std::size_t>(std::min(anchor_, caret_));
    text.replace(first, static_cast<std::size_t>(std::abs(caret_ - anchor_)), replacement);
    caret_ = anchor_ = static_cast<std::int32_t>(first + replacement.size());
    StoreText(text);
    Update();
}

bool EditBox::DeleteSelection() {
    if (SelectionLength() == 0) return false;
    ReplaceSelection({});
    return true;
}

void EditBox::Backspace() {
    if (!DeleteSelection() && caret_ > 0) {
        anchor_ = caret_ - 1;
        ReplaceSelection({});
    }
    RaiseEvent(kUserTextChanged);
}

void EditBox::DeleteForward() {
    if (!DeleteSelection() && caret_ < TextLength()) {
        anchor_ = caret_ + 1;
        ReplaceSelection({});
    }
    RaiseEvent(kUserTextChanged);
}

void EditBox::MoveCaret(std::int32_t delta) {
    caret_ = std::clamp(caret_ + delta, 0, TextLength());
    anchor_ = caret_;
    Update();
}

void EditBox::PressEnter() { RaiseEvent(kUserEnter); }

void EditBox::Paste() {
    // Pasted text obeys the same filter and limit as typing.
    std::wstring pasted = Filtered(ClipboardText());
    if (maxLength_ != -1) {
        const std::int32_t room = maxLength_ - (TextLength() - std::abs(SelectionLength()));
        pasted.resize(static_cast<std::size_t>(std::clamp(room, 0, static_cast<std::int32_t>(pasted.size()))));
    }
    ReplaceSelection(pasted);
    RaiseEvent(kUserTextChanged);
}

void EditBox::Copy() {
    if (SelectionLength() == 0) return;
    WideFromWString(SelectedText()).ToClipboard();
}

void EditBox::Cut() {
    if (SelectionLength() == 0) return;
    Copy();
    DeleteSelection();
    RaiseEvent(kUserTextChanged);
}

void EditBox::SelectAll() {
    anchor_ = 0;
    caret_ = TextLength();
    Update();
}

PropertyList EditBox::GetProperties() const {
    return {
        {"SelectBkgColor", "选中背景颜色", std::to_string(selectionBackground_), {}},
        {"SelectColor", "选中文本颜色", std::to_string(selectionTextColour_), {}},
        {"FarmeColor", "边框颜色", std::to_string(frameColour_), {}},
        {"BkgColor", "背景颜色", std::to_string(background_), {}},
        TextFormatProperty(textStyle_),
    };
}

void EditBox::ApplyProperties(const PropertyValues& values) {
    const std::pair<const char*, Argb*> targets[] = {
        {"SelectBkgColor", &selectionBackground_},
        {"SelectColor", &selectionTextColour_},
        {"FarmeColor", &frameColour_},
        {"BkgColor", &background_},
    };
    for (const auto& [key, value] : values)
        for (const auto& [name, colour] : targets)
            if (key == name)
                if (const auto integer = PropertyInteger(value)) *colour = static_cast<Argb>(*integer);
    // The box draws with its own copy of the format, kept on one line and
    // near-aligned for the caret arithmetic.
    if (ApplyTextFormatProperty(textStyle_, values)) {
        BuildFormat();
        Measure();
    }
    Refresh();
}

void EditBox::CopyOwnSettingsFrom(const EditBox& other) {
    textStyle_ = FontRecord(other.textStyle_.Description());
    textStyle_.ApplyFormatSettings(other.textStyle_.FormatSettings());
    BuildFormat();
    selectionBackground_ = other.selectionBackground_;
    selectionTextColour_ = other.selectionTextColour_;
    frameColour_ = other.frameColour_;
    background_ = other.background_;
    anchor_ = other.anchor_;
    caret_ = other.caret_;
    password_ = other.password_;
    maxLength_ = other.maxLength_;
    mask_ = other.mask_;
    iconMode_ = other.iconMode_;
    icon_ = CloneBitmap(other.icon_);
    marginLeft_ = other.marginLeft_;
    textArea_ = other.textArea_;
    inputMode_ = other.inputMode_;
}

}  // namespace lirvo
