#pragma once
// ToolTip: one system tooltip with one tool over a rectangle of its parent
// window. It owns the tooltip window and destroys it when replaced or gone.

#include <windows.h>

#include <string>

#include "skin/core/rect.h"

namespace lirvo {

class ToolTip {
public:
    ToolTip() = default;
    ~ToolTip() { Destroy(); }
    ToolTip(const ToolTip&) = delete;
    ToolTip& operator=(const ToolTip&) = delete;

    // Replaces the tooltip; an empty text leaves none.
    virtual void SetText(HWND parent, const std::string& text, const Rect& rect, bool balloon = false,
                         bool centred = false);
    // Moves the tool to another rectangle of the parent, keeping the text;
    // a different parent gets a new tooltip window.
    virtual void MoveTo(HWND parent, const Rect& rect);
    virtual void Destroy();

    HWND Window() const { return window_; }
    const std::string& Text() const { return text_; }
    const Rect& ToolRect() const { return rect_; }

private:
    HWND window_ = nullptr;
    std::string text_;
    Rect rect_;
    bool balloon_ = false;
    bool centred_ = false;
};

}  // namespace lirvo
