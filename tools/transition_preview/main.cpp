// Shows the welcome page in a skinned, layered window with one transition
// effect slowed down, so that its frames can be captured one by one:
// transition_preview EFFECT [INTERVAL_MS]. The window shows itself with the
// effect, waits, then closes with the same effect; the program ends with it.

#include <windows.h>

#include <cstdlib>

#include "resources/builtin_skin_data.h"
#include "resources/setup_data.h"
#include "skin/core/toolkit.h"
#include "skin/window/skin_window.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
    char* rest = nullptr;
    const long effect = std::strtol(commandLine, &rest, 10);
    const long interval = rest && *rest ? std::strtol(rest, nullptr, 10) : 200;
    lirvo::ToolkitStartup(lirvo::BuiltinSkinData());

    const auto welcome = lirvo::WelcomeImage();
    static lirvo::SkinWindow window;  // destroying the last window ends the program
    window.Create({.title = lirvo::MakeWideText("LirvoPDF阅读器 效果预览"),
                   .bounds = lirvo::MakeRect(340, 316, 600, 392),
                   .style = lirvo::window_style::kCaptionButtons | lirvo::window_style::kMinimiseButton,
                   .backgroundImage = lirvo::ByteArray(welcome.begin(), welcome.end())});
    window.Layered(true);
    window.ShowEffect(effect, interval);
    window.CloseEffect(effect, interval);
    window.Show(true);

    // Shown for a while, then closed with the effect.
    ::SetTimer(nullptr, 0, static_cast<UINT>(interval * 40 + 1500), nullptr);
    MSG message;
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (message.message == WM_TIMER && message.hwnd == nullptr) {
            window.Close();
            continue;
        }
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
    return 0;
}
