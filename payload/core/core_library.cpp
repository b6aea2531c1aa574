// LirvoCore.dll: the reader's core runtime library, the texts it builds for
// sizes and names.

#include <algorithm>
#include <string>

#include "payload/core/size_text.h"
#include "payload/support_api.h"

namespace {

int CopyOut(const std::wstring& text, wchar_t* buffer, int capacity) {
    if (!buffer || capacity <= 0) return 0;
    const auto length = static_cast<int>(std::min<std::size_t>(text.size(), capacity - 1));
    std::copy_n(text.data(), length, buffer);
    buffer[length] = L'\0';
    return length;
}

}  // namespace

LIRVO_SUPPORT_EXPORT int LirvoCoreFormatSize(std::uint64_t bytes, wchar_t* buffer, int capacity) {
    return CopyOut(lirvo::payload::SizeText(bytes), buffer, capacity);
}

LIRVO_SUPPORT_EXPORT const wchar_t* LirvoCoreFileName(const wchar_t* path) {
    if (!path) return L"";
    const std::wstring_view whole(path);
    return path + (whole.size() - lirvo::payload::FileNameOf(whole).size());
}
