#include "skin/window/tool_tip.h"

#include <commctrl.h>

namespace lirvo {

void ToolTip::SetText(HWND parent, const std::string& text, const Rect& rect, bool balloon, bool centred) {
    Destroy();
    rect_ = rect;
    text_ = text;
    balloon_ = balloon;
    centred_ = centred;
    if (text_.empty()) return;
    const DWORD style = balloon ? TTS_BALLOON : (TTS_ALWAYSTIP | TTS_NOPREFIX);
    window_ = ::CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, "", style, CW_USEDEFAULT, CW_USEDEFAULT,
                                CW_USEDEFAULT, CW_USEDEFAULT, parent, nullptr, nullptr, nullptr);
    if (!window_) return;
    ::SetWindowPos(window_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    TOOLINFOA tool{};
    tool.cbSize = TTTOOLINFOA_V1_SIZE;  // 44 bytes: understood by every comctl32
    tool.uFlags = TTF_SUBCLASS | (centred ? TTF_CENTERTIP : 0);
    tool.hwnd = parent;
    tool.uId = 0;
    tool.rect = {rect.left, rect.top, rect.left + rect.width, rect.top + rect.height};
    tool.hinst = ::GetModuleHandleA(nullptr);
    tool.lpszText = text_.data();
    ::SendMessageA(window_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
}

void ToolTip::MoveTo(HWND parent, const Rect& rect) {
    if (!window_ || ::GetParent(window_) != parent) {
        SetText(parent, std::string(text_), rect, balloon_, centred_);
        return;
    }
    rect_ = rect;
    TOOLINFOA tool{};
    tool.cbSize = TTTOOLINFOA_V1_SIZE;
    tool.hwnd = parent;
    tool.uId = 0;
    tool.rect = {rect.left, rect.top, rect.left + rect.width, rect.top + rect.height};
    ::SendMessageA(window_, TTM_NEWTOOLRECTA, 0, reinterpret_cast<LPARAM>(&tool));
}

void ToolTip::Destroy() {
    if (window_) ::DestroyWindow(window_);
    window_ = nullptr;
}

}  // namespace lirvo
