#pragma once
// WideText: the toolkit's UTF-16 text value. The program's own texts are ANSI
// bytes (code page 936 for the shipped texts); everything handed to a "W"
// system function or to GDI+ passes through a WideText. It holds UTF-16LE
// units without a terminating zero; lengths and positions count units and are
// 1-based unless a method says otherwise. Counts past the end take what there
// is and negative counts take nothing: no operation reads or writes outside
// the text. Both conversions use the system's ANSI code page.

#include <windows.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "skin/core/byte_array.h"

namespace lirvo {

class WideText {
public:
    WideText() = default;
    WideText(const WideText&) = default;
    WideText& operator=(const WideText&) = default;
    virtual ~WideText() = default;

    virtual std::unique_ptr<WideText> Clone() const;

    virtual void SetAnsi(std::string_view ansi);
    // Stores the bytes unchanged, a trailing terminator included.
    virtual void SetBytes(const ByteArray& bytes);
    // A zeroed buffer of (length + 1) units for system functions that write text.
    virtual void SetBuffer(std::optional<std::int32_t> length = std::nullopt);
    virtual void SetFromWindow(HWND window);
    virtual void Clear();

    // Insertion at p puts the new units after the first p units.
    virtual void InsertAnsi(std::int32_t position, std::string_view ansi);
    virtual void InsertBytes(std::int32_t position, const ByteArray& units);
    // Code 0 inserts nothing.
    virtual void InsertChar(std::int32_t position, std::uint8_t code);
    virtual void InsertWide(std::int32_t position, const WideText& text);
    virtual void AppendAnsi(std::string_view ansi);
    virtual void AppendBytes(const ByteArray& units);
    virtual void AppendChar(std::uint8_t code);
    virtual void AppendWide(const WideText& text);

    virtual void DropLeft(std::int32_t count);
    virtual void DropRight(std::int32_t count);
    virtual void RemoveAt(std::int32_t position);
    // Removes `count` units after the first `after` units.
    virtual void RemoveRange(std::int32_t after, std::int32_t count);

    // The text up to its first zero unit, ending early at the first unit that
    // the ANSI code page cannot represent.
    virtual std::string ToAnsi() const;
    // The same conversion through the OEM code page (code page 1): the text
    // a control hands out as its converted text.
    std::string ToOemText() const;
    // The units, followed by the terminator 00 00 unless `bare`.
    virtual ByteArray GetBytes(bool bare = false) const;
    virtual ByteArray LeftBytes(std::int32_t count, bool bare = false) const;
    virtual std::string LeftAnsi(std::int32_t count) const;
    virtual WideText LeftWide(std::int32_t count) const;
    virtual ByteArray RightBytes(std::int32_t count, bool bare = false) const;
    virtual std::string RightAnsi(std::int32_t count) const;
    virtual WideText RightWide(std::int32_t count) const;
    // Units start .. start + count - 1; a start of 0 counts as 1.
    virtual ByteArray MidBytes(std::int32_t start, std::int32_t count, bool bare = false) const;
    virtual std::string MidAnsi(std::int32_t start, std::int32_t count) const;
    virtual WideText MidWide(std::int32_t start, std::int32_t count) const;
    // The unit at a position (0 counts as 1) as a signed 16-bit value; 0 past the end.
    virtual std::int16_t CharAt(std::int32_t position) const;

    // Replaces occurrences of `find`, searched left to right without overlap
    // from the unit holding 1-based byte `startByte` on (0 counts as 1), all
    // of them unless `maxCount` is given. Only whole units match, so a
    // replacement never splits a character.
    virtual void ReplaceBytes(const ByteArray& find, const ByteArray& replacement, std::int32_t startByte,
                              std::optional<std::int32_t> maxCount = std::nullopt);
    virtual void ReplaceAnsi(std::string_view find, std::string_view replacement, std::int32_t startByte,
                             std::optional<std::int32_t> maxCount = std::nullopt);
    virtual void ReplaceWide(const WideText& find, const WideText& replacement, std::int32_t startByte,
                             std::optional<std::int32_t> maxCount = std::nullopt);

    virtual void Assign(const WideText& other);
    virtual void CopyTo(WideText& other) const;
    virtual bool IsEmpty() const;
    virtual bool Equals(const WideText& other) const;
    // Units before the first zero unit.
    virtual std::int32_t Length() const;
    virtual void DebugOutput() const;
    // Puts the text on the clipboard as CF_UNICODETEXT; false when the
    // clipboard could not be opened or did not take the text.
    virtual bool ToClipboard() const;

    // The text as a zero-terminated wide string for system calls.
    std::wstring ToWString() const;

private:
    std::int32_t UnitCount() const { return static_cast<std::int32_t>(bytes_.size() / 2); }
    // Clamps a unit index into 0..UnitCount().
    std::size_t ClampUnits(std::int64_t units) const;
    void InsertUnits(std::int32_t position, const ByteArray& units);
    ByteArray SliceBytes(std::int64_t firstUnit, std::int64_t count, bool bare) const;

    ByteArray bytes_;
};

// A new WideText holding the UTF-16 form of an ANSI text.
WideText MakeWideText(std::string_view ansi);
// A new WideText holding these bytes unchanged.
WideText WideFromBytes(const ByteArray& bytes);

}  // namespace lirvo
