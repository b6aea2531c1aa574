// LirvoUi.dll: the reader's font and colours, so every window of the reader
// looks the same.

#include <array>

#include "payload/support_api.h"

namespace {

int CALLBACK NoteFontFound(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

}  // namespace

LIRVO_SUPPORT_EXPORT HFONT LirvoUiCreateFont(int pixelHeight, int bold) {
    // The first face the system has wins; GDI falls back on its own otherwise.
    for (const wchar_t* face : {L"微软雅黑", L"Microsoft YaHei", L"宋体", L"SimSun"}) {
        LOGFONTW font{};
        font.lfHeight = -pixelHeight;
        font.lfWeight = bold ? FW_BOLD : FW_NORMAL;
        font.lfCharSet = DEFAULT_CHARSET;
        font.lfQuality = CLEARTYPE_QUALITY;
        lstrcpynW(font.lfFaceName, face, LF_FACESIZE);
        HDC screen = ::GetDC(nullptr);
        bool present = false;
        ::EnumFontFamiliesExW(screen, &font, NoteFontFound, reinterpret_cast<LPARAM>(&present), 0);
        ::ReleaseDC(nullptr, screen);
        if (present) return ::CreateFontIndirectW(&font);
    }
    LOGFONTW font{};
    font.lfHeight = -pixelHeight;
    font.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    font.lfCharSet = DEFAULT_CHARSET;
    return ::CreateFontIndirectW(&font);
}

LIRVO_SUPPORT_EXPORT COLORREF LirvoUiColour(int which) {
    constexpr std::array<COLORREF, 4> kColours = {
        RGB(0xF3, 0xF6, 0xFA),  // background
        RGB(0x2E, 0x3A, 0x46),  // text
        RGB(0x15, 0x65, 0xC0),  // banner
        RGB(0xFF, 0xFF, 0xFF),  // banner text
    };
    return which >= 0 && which < static_cast<int>(kColours.size()) ? kColours[which] : kColours[0];
}
