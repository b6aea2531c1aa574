#include "skin/core/wide_text.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace lirvo {
namespace {

constexpr std::int32_t kDefaultBufferLength = 256;

std::string_view AnsiPrefix(std::string_view text) { return text.substr(0, text.find('\0')); }

ByteArray UnitsFromWide(const wchar_t* text, std::size_t count) {
    ByteArray bytes(count * 2);
    if (count) std::memcpy(bytes.data(), text, bytes.size());
    return bytes;
}

ByteArray AnsiToUnits(std::string_view ansi) {
    ansi = AnsiPrefix(ansi);
    if (ansi.empty()) return {};
    const int size = static_cast<int>(ansi.size());
    const int units = ::MultiByteToWideChar(CP_ACP, 0, ansi.data(), size, nullptr, 0);
    if (units <= 0) return {};
    std::wstring wide(static_cast<std::size_t>(units), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, ansi.data(), size, wide.data(), units);
    return UnitsFromWide(wide.data(), wide.size());
}

// Units are copied out before use: the byte array need not be aligned for wchar_t.
std::wstring WideUpToZero(const ByteArray& bytes, std::size_t firstUnit, std::size_t unitCount) {
    std::wstring wide(unitCount, L'\0');
    if (unitCount) std::memcpy(wide.data(), bytes.data() + firstUnit * 2, unitCount * 2);
    wide.resize(std::wcslen(wide.c_str()));
    return wide;
}

std::string WideToCodePage(const std::wstring& wide, UINT codePage) {
    if (wide.empty()) return {};
    // Units the code page cannot represent become a zero byte, so the text ends
    // there. A double-byte code page reads two bytes of the default character.
    const char zeroDefault[2] = {0, 0};
    const int size = static_cast<int>(wide.size());
    const int length = ::WideCharToMultiByte(codePage, 0, wide.data(), size, nullptr, 0, zeroDefault, nullptr);
    if (length <= 0) return {};
    std::string ansi(static_cast<std::size_t>(length), '\0');
    ::WideCharToMultiByte(codePage, 0, wide.data(), size, ansi.data(), length, zeroDefault, nullptr);
    ansi.resize(std::strlen(ansi.c_str()));
    return ansi;
}

std::string WideToAnsi(const std::wstring& wide) { return WideToCodePage(wide, CP_ACP); }

// Bytes handed in by a caller are whole units; one trailing terminator is not text.
ByteArray CallerUnits(const ByteArray& bytes) {
    ByteArray units(bytes.begin(), bytes.begin() + (bytes.size() & ~std::size_t{1}));
    if (units.size() >= 2 && units[units.size() - 1] == 0 && units[units.size() - 2] == 0) units.resize(units.size() - 2);
    return units;
}

void AppendTerminatorUnlessBare(ByteArray& bytes, bool bare) {
    if (!bare) bytes.insert(bytes.end(), {0, 0});
}

// Global memory block owner for the clipboard hand-over.
class GlobalBlock {
public:
    explicit GlobalBlock(SIZE_T size) : handle_(::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size)) {}
    ~GlobalBlock() {
        if (handle_) ::GlobalFree(handle_);
    }
    GlobalBlock(const GlobalBlock&) = delete;
    GlobalBlock& operator=(const GlobalBlock&) = delete;
    HGLOBAL Get() const { return handle_; }
    HGLOBAL Release() { return std::exchange(handle_, nullptr); }

private:
    HGLOBAL handle_;
};

class ClipboardSession {
public:
    ClipboardSession() : open_(::OpenClipboard(nullptr) != FALSE) {}
    ~ClipboardSession() {
        if (open_) ::CloseClipboard();
    }
    ClipboardSession(const ClipboardSession&) = delete;
    ClipboardSession& operator=(const ClipboardSession&) = delete;
    bool Open() const { return open_; }

private:
    bool open_;
};

}  // namespace

std::unique_ptr<WideText> WideText::Clone() const { return std::make_unique<WideText>(*this); }

void WideText::SetAnsi(std::string_view ansi) { bytes_ = AnsiToUnits(ansi); }

void WideText::SetBytes(const ByteArray& bytes) { bytes_ = bytes; }

void WideText::SetBuffer(std::optional<std::int32_t> length) {
    const std::int32_t units = std::max<std::int32_t>(length.value_or(kDefaultBufferLength), 0);
    bytes_.assign((static_cast<std::size_t>(units) + 1) * 2, 0);
}

void WideText::SetFromWindow(HWND window) {
    const int length = ::GetWindowTextLengthW(window);
    SetBuffer(length);
    const int copied = ::GetWindowTextW(window, reinterpret_cast<wchar_t*>(bytes_.data()), length + 1);
    bytes_.resize(static_cast<std::size_t>(std::max(copied, 0)) * 2);
}

void WideText::Clear() { bytes_.clear(); }

std::size_t WideText::ClampUnits(std::int64_t units) const {
    return static_cast<std::size_t>(std::clamp<std::int64_t>(units, 0, UnitCount()));
}

void WideText::InsertUnits(std::int32_t position, const ByteArray& units) {
    const std::size_t at = ClampUnits(position) * 2;
    bytes_.insert(bytes_.begin() + at, units.begin(), units.end());
}

void WideText::InsertAnsi(std::int32_t position, std::string_view ansi) { InsertUnits(position, AnsiToUnits(ansi)); }

void WideText::InsertBytes(std::int32_t position, const ByteArray& units) {
    InsertUnits(position, CallerUnits(units));
}

void WideText::InsertChar(std::int32_t position, std::uint8_t code) {
    if (code != 0) InsertUnits(position, ByteArray{code, 0});
}

void WideText::InsertWide(std::int32_t position, const WideText& text) {
    InsertUnits(position, text.GetBytes(true));
}

void WideText::AppendAnsi(std::string_view ansi) { InsertUnits(UnitCount(), AnsiToUnits(ansi)); }

void WideText::AppendBytes(const ByteArray& units) { InsertUnits(UnitCount(), CallerUnits(units)); }

void WideText::AppendChar(std::uint8_t code) { InsertUnits(UnitCount(), ByteArray{code, 0}); }

void WideText::AppendWide(const WideText& text) { InsertUnits(UnitCount(), text.GetBytes(true)); }

void WideText::DropLeft(std::int32_t count) { RemoveRange(0, count); }

void WideText::DropRight(std::int32_t count) {
    const std::size_t keep = static_cast<std::size_t>(UnitCount()) - ClampUnits(count);
    bytes_.resize(keep * 2);
}

void WideText::RemoveAt(std::int32_t position) {
    if (position >= 1 && position <= UnitCount()) RemoveRange(position - 1, 1);
}

void WideText::RemoveRange(std::int32_t after, std::int32_t count) {
    const std::size_t first = ClampUnits(after);
    const std::size_t last = ClampUnits(static_cast<std::int64_t>(first) + std::max(count, 0));
    bytes_.erase(bytes_.begin() + first * 2, bytes_.begin() + last * 2);
}

std::string WideText::ToAnsi() const { return WideToAnsi(ToWString()); }

std::string WideText::ToOemText() const { return WideToCodePage(ToWString(), CP_OEMCP); }

ByteArray WideText::SliceBytes(std::int64_t firstUnit, std::int64_t count, bool bare) const {
    const std::size_t first = ClampUnits(firstUnit);
    const std::size_t last = ClampUnits(static_cast<std::int64_t>(first) + std::max<std::int64_t>(count, 0));
    ByteArray slice(bytes_.begin() + first * 2, bytes_.begin() + last * 2);
    AppendTerminatorUnlessBare(slice, bare);
    return slice;
}

ByteArray WideText::GetBytes(bool bare) const {
    ByteArray bytes = bytes_;
    AppendTerminatorUnlessBare(bytes, bare);
    return bytes;
}

ByteArray WideText::LeftBytes(std::int32_t count, bool bare) const { return SliceBytes(0, count, bare); }

std::string WideText::LeftAnsi(std::int32_t count) const { return WideFromBytes(LeftBytes(count, true)).ToAnsi(); }

WideText WideText::LeftWide(std::int32_t count) const { return WideFromBytes(LeftBytes(count, true)); }

ByteArray WideText::RightBytes(std::int32_t count, bool bare) const {
    const std::int64_t take = ClampUnits(count);
    return SliceBytes(UnitCount() - take, take, bare);
}

std::string WideText::RightAnsi(std::int32_t count) const { return WideFromBytes(RightBytes(count, true)).ToAnsi(); }

WideText WideText::RightWide(std::int32_t count) const { return WideFromBytes(RightBytes(count, true)); }

ByteArray WideText::MidBytes(std::int32_t start, std::int32_t count, bool bare) const {
    const std::int64_t first = std::max(start, 1) - 1;
    return SliceBytes(first, count, bare);
}

std::string WideText::MidAnsi(std::int32_t start, std::int32_t count) const {
    return WideFromBytes(MidBytes(start, count, true)).ToAnsi();
}

WideText WideText::MidWide(std::int32_t start, std::int32_t count) const {
    return WideFromBytes(MidBytes(start, count, true));
}

std::int16_t WideText::CharAt(std::int32_t position) const {
    const std::int32_t index = std::max(position, 1) - 1;
    if (index >= UnitCount()) return 0;
    return static_cast<std::int16_t>(bytes_[index * 2] | bytes_[index * 2 + 1] << 8);
}

void WideText::ReplaceBytes(const ByteArray& find, const ByteArray& replacement, std::int32_t startByte,
                            std::optional<std::int32_t> maxCount) {
    const ByteArray pattern = CallerUnits(find);
    const ByteArray substitute = CallerUnits(replacement);
    if (pattern.empty()) return;
    std::int64_t remaining = maxCount ? std::max(*maxCount, 0) : INT64_MAX;

    // The search starts at the unit that holds the start byte.
    std::size_t at = ClampUnits((static_cast<std::int64_t>(std::max(startByte, 1)) - 1) / 2) * 2;
    ByteArray result(bytes_.begin(), bytes_.begin() + at);
    while (remaining > 0 && at + pattern.size() <= bytes_.size()) {
        if (std::equal(pattern.begin(), pattern.end(), bytes_.begin() + at)) {
            result.insert(result.end(), substitute.begin(), substitute.end());
            at += pattern.size();
            --remaining;
        } else {
            result.insert(result.end(), bytes_.begin() + at, bytes_.begin() + at + 2);
            at += 2;
        }
    }
    result.insert(result.end(), bytes_.begin() + std::min(at, bytes_.size()), bytes_.end());
    bytes_ = std::move(result);
}

void WideText::ReplaceAnsi(std::string_view find, std::string_view replacement, std::int32_t startByte,
                           std::optional<std::int32_t> maxCount) {
    ReplaceBytes(AnsiToUnits(find), AnsiToUnits(replacement), startByte, maxCount);
}

void WideText::ReplaceWide(const WideText& find, const WideText& replacement, std::int32_t startByte,
                           std::optional<std::int32_t> maxCount) {
    ReplaceBytes(find.GetBytes(true), replacement.GetBytes(true), startByte, maxCount);
}

void WideText::Assign(const WideText& other) { bytes_ = other.bytes_; }

void WideText::CopyTo(WideText& other) const { other.SetBytes(bytes_); }

bool WideText::IsEmpty() const { return bytes_.size() < 2; }

bool WideText::Equals(const WideText& other) const { return bytes_ == other.bytes_; }

std::int32_t WideText::Length() const { return static_cast<std::int32_t>(ToWString().size()); }

void WideText::DebugOutput() const { ::OutputDebugStringA(ToAnsi().c_str()); }

bool WideText::ToClipboard() const {
    ClipboardSession clipboard;
    if (!clipboard.Open() || !::EmptyClipboard()) return false;
    const std::size_t units = static_cast<std::size_t>(UnitCount());
    GlobalBlock block((units + 1) * 2);
    if (!block.Get()) return false;
    if (void* target = ::GlobalLock(block.Get())) {
        std::memcpy(target, bytes_.data(), units * 2);
        ::GlobalUnlock(block.Get());
    } else {
        return false;
    }
    if (!::SetClipboardData(CF_UNICODETEXT, block.Get())) return false;
    block.Release();  // the clipboard owns it now
    return true;
}

std::wstring WideText::ToWString() const { return WideUpToZero(bytes_, 0, static_cast<std::size_t>(UnitCount())); }

WideText MakeWideText(std::string_view ansi) {
    WideText text;
    text.SetAnsi(ansi);
    return text;
}

WideText WideFromBytes(const ByteArray& bytes) {
    WideText text;
    text.SetBytes(bytes);
    return text;
}

}  // namespace lirvo
