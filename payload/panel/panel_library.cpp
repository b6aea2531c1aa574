// LirvoPanel.dll: paints the banner at the top of the reader's window: the
// product's colour with the title in it.

#include "payload/support_api.h"

namespace {

// Puts a GDI object into a DC for one scope and takes it out again.
class Selection {
public:
    Selection(HDC dc, HGDIOBJ object) : dc_(dc), previous_(::SelectObject(dc, object)) {}
    ~Selection() { ::SelectObject(dc_, previous_); }
    Selection(const Selection&) = delete;
    Selection& operator=(const Selection&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// Owner of a solid brush for one paint.
class Brush {
public:
    explicit Brush(COLORREF colour) : brush_(::CreateSolidBrush(colour)) {}
    ~Brush() { ::DeleteObject(brush_); }
    Brush(const Brush&) = delete;
    Brush& operator=(const Brush&) = delete;
    HBRUSH Get() const { return brush_; }

private:
    HBRUSH brush_;
};

}  // namespace

LIRVO_SUPPORT_EXPORT void LirvoPanelPaintBanner(HDC dc, const RECT* area, const wchar_t* title, HFONT font) {
    if (!dc || !area) return;
    Brush banner(RGB(0x15, 0x65, 0xC0));
    ::FillRect(dc, area, banner.Get());
    RECT text = *area;
    text.left += 16;
    Selection selected(dc, font ? static_cast<HGDIOBJ>(font) : ::GetStockObject(DEFAULT_GUI_FONT));
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, RGB(0xFF, 0xFF, 0xFF));
    ::DrawTextW(dc, title ? title : L"", -1, &text, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
}
