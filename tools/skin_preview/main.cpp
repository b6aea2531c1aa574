// Draws toolkit pieces that have no place in the setup program's own pages
// and saves what they look like as PNG files for a person to look at:
// skin_preview FOLDER writes FOLDER\shadow-frame.png (a window of the shadow
// frame style) and FOLDER\progress-bars.png (bars of both types and both
// styles at 0, 50 and 100 per cent). Each picture is the window's finished
// surface laid over white.

#include <windows.h>

#include <cstdio>
#include <string>

#include "resources/builtin_skin_data.h"
#include "skin/controls/progress_bar.h"
#include "skin/core/toolkit.h"
#include "skin/window/shadow_frame.h"
#include "skin/window/skin_window.h"

namespace {

using namespace lirvo;

constexpr CLSID kPngEncoder = {0x557CF406, 0x1A04, 0x11D3, {0x9A, 0x73, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};

// The surface's premultiplied pixels over opaque white.
bool SaveOverWhite(const Surface& surface, const std::wstring& path) {
    Gdiplus::GpBitmap* raw = nullptr;
    gdip::GdipCreateBitmapFromScan0(surface.Width(), surface.Height(), 0, PixelFormat32bppARGB, nullptr, &raw);
    GdipBitmap picture(raw);
    if (!picture) return false;
    for (std::int32_t y = 0; y < surface.Height(); ++y)
        for (std::int32_t x = 0; x < surface.Width(); ++x) {
            const std::uint32_t pixel = surface.PixelAt(x, y);
            const std::uint32_t clear = 255 - (pixel >> 24);
            std::uint32_t out = 0xFF000000u;
            for (int shift : {0, 8, 16}) out |= ((pixel >> shift & 0xFF) + clear) << shift;
            gdip::GdipBitmapSetPixel(picture.get(), x, y, out);
        }
    return gdip::GdipSaveImageToFile(picture.get(), path.c_str(), &kPngEncoder, nullptr) == Gdiplus::Ok;
}

// Lets the windows and the bars' shine timers run for a while.
void RunFor(DWORD milliseconds) {
    const DWORD end = ::GetTickCount() + milliseconds;
    MSG message;
    // Twelve bars' 10 ms timers keep the queue busy: the clock is read
    // after every message.
    while (static_cast<LONG>(end - ::GetTickCount()) > 0) {
        if (!::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            ::Sleep(5);
            continue;
        }
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const std::wstring folder = argc > 1 ? argv[1] : L".";
    ToolkitStartup(BuiltinSkinData());

    static SkinWindow shadowed;  // destroying the last window would end the program early
    shadowed.Create({.title = MakeWideText("LirvoPDF阅读器"),
                     .bounds = Rect{60, 60, 360, 220},
                     .style = window_style::kCaptionButtons | window_style::kMinimiseButton,
                     .frameStyle = kShadowFrameStyle});
    shadowed.SetBackgroundColour(0xFFF4F6F8);
    shadowed.Show(true);

    static SkinWindow host;
    host.Create({.title = MakeWideText("进度条"), .bounds = Rect{460, 60, 470, 300}, .style = 0,
                 .frameStyle = static_cast<std::int32_t>(0xFFFAFAFA)});
    host.Show(true);
    static ProgressBar bars[12];
    int next = 0;
    for (std::int32_t style : {ProgressBar::kLeftToRight, ProgressBar::kRightToLeft})
        for (int step = 0; step < 3; ++step) {
            const float position = 50.0f * static_cast<float>(step);
            const std::string text = std::to_string(step * 50) + "%";
            const ProgressBar::CreateArgs args{.position = position, .text = MakeWideText(text), .style = style,
                                               .colour1 = 0xFF2D8CF0, .colour2 = 0xFF19BE6B,
                                               .background = 0xFFE8EAEC, .border = 0xFF1C6FBF};
            const int row = (style == ProgressBar::kLeftToRight ? 0 : 3) + step;
            ProgressBar::CreateArgs horizontal = args;
            bars[next++].Create(host, Rect{20, 40 + row * 40, 260, 24}, horizontal);
            ProgressBar::CreateArgs vertical = args;
            vertical.type = ProgressBar::kVertical;
            bars[next++].Create(host, Rect{300 + ((style == ProgressBar::kLeftToRight ? 0 : 3) + step) * 26, 40, 22, 230},
                                vertical);
        }
    RunFor(400);

    const bool saved = SaveOverWhite(shadowed.MainSurface(), folder + L"\\shadow-frame.png") &&
                       SaveOverWhite(host.MainSurface(), folder + L"\\progress-bars.png");
    std::printf("%s\n", saved ? "saved" : "not saved");
    std::fflush(stdout);
    ::TerminateProcess(::GetCurrentProcess(), saved ? 0 : 1);
    return saved ? 0 : 1;
}
