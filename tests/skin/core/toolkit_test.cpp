#include "skin/core/toolkit.h"

#include <gtest/gtest.h>

#include <map>

#include "skin/core/image_from_bytes.h"
#include "skin/core/shared_routines.h"
#include "tests/support/child_process.h"
#include "tests/support/images.h"
#include "tests/support/toolkit_fixture.h"

namespace lirvo {
namespace {

using testing::BuiltinImageTable;
using testing::ImageSize;
using testing::PixelAt;
using testing::SizeOf;
using testing::TestSkinColour;

class ToolkitTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { testing::StartToolkitForTests(); }
};

TEST_F(ToolkitTest, StartupRegistersTheMessageAndTheFourClasses) {
    EXPECT_NE(Toolkit().updateRectMessage, 0u);
    EXPECT_EQ(Toolkit().updateRectMessage, ::RegisterWindowMessageA("Qx_Msg_WM_UPDATERECT"));

    const struct {
        const wchar_t* name;
        WNDPROC procedure;
    } classes[] = {
        {L"RaZora.DeVU.WindowClass.Window", Toolkit().pfnDefWindowProcW},
        {L"RaZora.DeVU.WindowClass.ComboBox", ComboBoxPopupProc},
        {L"RaZora.DeVU.WindowClass.menu", MenuPopupProc},
        {L"RaZora.DeVU.WindowClass.menu1", SubmenuPopupProc},
    };
    for (const auto& c : classes) {
        WNDCLASSEXW info{sizeof(info)};
        // Registered without an instance, the classes belong to the program module.
        ASSERT_TRUE(::GetClassInfoExW(::GetModuleHandleW(nullptr), c.name, &info)) << "class not registered";
        EXPECT_EQ(info.style, static_cast<UINT>(CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS));
        EXPECT_EQ(info.lpfnWndProc, c.procedure);
        EXPECT_EQ(info.hCursor, nullptr) << "the toolkit sets its cursors itself";
        EXPECT_EQ(info.hbrBackground, nullptr);
        EXPECT_EQ(info.cbClsExtra, 0);
        EXPECT_EQ(info.cbWndExtra, 0);
    }

    EXPECT_EQ(reinterpret_cast<void*>(Toolkit().pfnDefWindowProcW),
              reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("user32.dll"), "DefWindowProcW")));
    EXPECT_NE(Toolkit().pfnRtlMoveMemory, nullptr);
    EXPECT_NE(Toolkit().pfnAlphaBlend, nullptr);
}

TEST_F(ToolkitTest, DefaultsAfterStartup) {
    EXPECT_EQ(DefaultTextColour(), 0xFE000000u) << "alpha 254, not 255";
    EXPECT_EQ(DefaultSecondColour(), 0xFEFFFFFFu);
    EXPECT_EQ(DefaultTextFormat(), 4688);
    EXPECT_EQ(DefaultWindowFlags(), 43);
    EXPECT_EQ(DefaultFontSize(), 12);
    EXPECT_EQ(DefaultTextRenderingHint(), 3);
    EXPECT_TRUE(DefaultSwitch());
    EXPECT_FALSE(Toolkit().customCursorSet);
    EXPECT_EQ(Toolkit().skinOffsetX, 1);
    EXPECT_EQ(Toolkit().skinOffsetY, 0);
    // The test prefix maps 微软雅黑 to an installed CJK font.
    EXPECT_EQ(DefaultFontName().ToAnsi(), "微软雅黑");
}

TEST_F(ToolkitTest, DefaultAccessorsStoreOnlyWhenGivenAValue) {
    EXPECT_EQ(DefaultFontSize(20), 20);
    EXPECT_EQ(DefaultFontSize(), 20);
    EXPECT_EQ(DefaultFontSize(12), 12);
    EXPECT_EQ(DefaultTextColour(0x11223344u), 0x11223344u);
    EXPECT_EQ(DefaultTextColour(0xFE000000u), 0xFE000000u);

    WideText name = DefaultFontName("宋体");
    EXPECT_EQ(name.ToAnsi(), "宋体");
    name.AppendAnsi("x");
    EXPECT_EQ(DefaultFontName().ToAnsi(), "宋体") << "the accessor hands out a copy";
    DefaultFontName("微软雅黑");
}

TEST_F(ToolkitTest, DefaultFontFallsBackWhenThePreferredFamilyIsMissing) {
    EXPECT_TRUE(FontFamilyExists("宋体"));
    EXPECT_TRUE(FontFamilyExists("微软雅黑"));
    EXPECT_FALSE(FontFamilyExists("没有这种字体 Lirvo"));
    EXPECT_EQ(ChooseFontName("没有这种字体 Lirvo", "宋体"), "宋体");
    EXPECT_EQ(ChooseFontName("微软雅黑", "宋体"), "微软雅黑");
}

// The font fall-back through start-up runs in a child process started while
// the prefix's "微软雅黑" is taken away; only the ctest entry that runs alone
// (skin_font_fallback) may take it away, as every Wine program that starts
// meanwhile would miss it too.
constexpr char kFontFallbackChild[] = "LIRVO_FONT_FALLBACK_CHILD";
constexpr char kFontFallbackRun[] = "LIRVO_FONT_FALLBACK_RUN";
constexpr wchar_t kReplacementsKey[] = L"Software\\Wine\\Fonts\\Replacements";

// Removes one of the prefix's font replacements for its lifetime.
class FontReplacementRemoved {
public:
    explicit FontReplacementRemoved(const wchar_t* family) : family_(family) {
        if (::RegOpenKeyExW(HKEY_CURRENT_USER, kReplacementsKey, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, &key_) !=
            ERROR_SUCCESS)
            return;
        DWORD size = sizeof(data_);
        if (::RegQueryValueExW(key_, family_, nullptr, &type_, data_, &size) != ERROR_SUCCESS) return;
        size_ = size;
        removed_ = ::RegDeleteValueW(key_, family_) == ERROR_SUCCESS;
    }
    ~FontReplacementRemoved() {
        if (removed_) ::RegSetValueExW(key_, family_, 0, type_, data_, size_);
        if (key_) ::RegCloseKey(key_);
    }
    FontReplacementRemoved(const FontReplacementRemoved&) = delete;
    FontReplacementRemoved& operator=(const FontReplacementRemoved&) = delete;
    explicit operator bool() const { return removed_; }

private:
    const wchar_t* family_;
    HKEY key_ = nullptr;
    DWORD type_ = 0;
    BYTE data_[512] = {};
    DWORD size_ = 0;
    bool removed_ = false;
};

TEST(DefaultFontFallback, ChildStartsWithoutThePreferredFamily) {
    if (!testing::IsChildRun(kFontFallbackChild)) GTEST_SKIP() << "runs as a child process only";
    ASSERT_FALSE(FontFamilyExists("微软雅黑")) << "the parent took the family away";
    testing::StartToolkitForTests();
    EXPECT_EQ(DefaultFontName().ToAnsi(), "宋体");
    EXPECT_EQ(MakeTextStyle().fontFamily.ToAnsi(), "宋体") << "the family of a text style that names none";
}

TEST(DefaultFontFallback, StartupFallsBackToSongtiWhenYaheiIsMissing) {
    if (::GetEnvironmentVariableA(kFontFallbackRun, nullptr, 0) == 0)
        GTEST_SKIP() << "takes a font of the prefix away: runs alone as skin_font_fallback";
    {
        FontReplacementRemoved removed(L"微软雅黑");
        ASSERT_TRUE(removed) << "the prefix maps 微软雅黑 to a font of its own";
        const auto child = testing::StartChildTest("DefaultFontFallback.ChildStartsWithoutThePreferredFamily",
                                                   kFontFallbackChild);
        ASSERT_TRUE(child);
        EXPECT_EQ(testing::WaitForExit(*child, 60000), std::optional<DWORD>(0));
    }
    EXPECT_TRUE(FontFamilyExists("微软雅黑")) << "this process still sees the family it started with";
}

TEST(Colours, ConversionsToArgb) {
    const struct {
        std::uint32_t colourRef;
        std::optional<std::uint8_t> alpha;
        Argb expected;
    } cases[] = {
        {0x0000FF, std::nullopt, 0xFFFF0000},  // red
        {0x0000FF, 0, 0x00FF0000},
        {0xFF8800, std::nullopt, 0xFF0088FF},  // COLORREF blue-green-red order
        {0xFFFFFF, 254, 0xFEFFFFFF},
        {0x000000, 254, 0xFE000000},
        {0xAA123456, std::nullopt, 0xFF563412},  // the high byte of a COLORREF is not alpha
    };
    for (const auto& c : cases) EXPECT_EQ(ColourToArgb(c.colourRef, c.alpha), c.expected) << std::hex << c.colourRef;
    EXPECT_EQ(MakeArgb(255, 132, 194, 37), 0xFF84C225u);
    EXPECT_EQ(MakeArgb(0, 0, 0, 1), 0x00000001u);
}

// Which record of the test skin an image came from, told by its colour.
std::string RecordNameOf(Gdiplus::GpBitmap* bitmap) {
    if (!bitmap) return "(none)";
    const ImageSize size = SizeOf(bitmap);
    const Gdiplus::ARGB colour = PixelAt(bitmap, static_cast<int>(size.width / 2), static_cast<int>(size.height / 2));
    const auto& table = BuiltinImageTable();
    for (std::size_t i = 0; i < table.size(); ++i)
        if (TestSkinColour(static_cast<int>(i) + 1) == colour) return table[i].name;
    return "(unknown colour)";
}

TEST_F(ToolkitTest, BuiltinBitmapsLandInTheirCells) {
    const BuiltinSkin& skin = Toolkit().builtinSkin;
    EXPECT_EQ(skin.database.Count(), 68);

    const struct {
        Gdiplus::GpBitmap* cell;
        const char* name;
        ImageSize size;
    } cells[] = {
        {skin.CaptionButton(CaptionButtonKind::Close, LookState::Hot), "关闭_点燃", {39, 20}},
        {skin.CaptionButton(CaptionButtonKind::Minimise, LookState::Pressed), "最小化_按下", {28, 20}},
        {skin.CaptionButton(CaptionButtonKind::Restore, LookState::Normal), "还原_正常", {28, 20}},
        {skin.CaptionButton(CaptionButtonKind::Skin, LookState::Pressed), "皮肤_按下", {28, 20}},
        {skin.ScrollBarPart(ScrollOrientation::Horizontal, ScrollPart::Thumb, LookState::Hot),
         "滚动条_横向_滚动条体_点燃", {62, 10}},
        {skin.ScrollBarPart(ScrollOrientation::Vertical, ScrollPart::DecreaseButton, LookState::Normal),
         "滚动条_纵向_减少按钮_正常", {10, 9}},
        {skin.ScrollBarPart(ScrollOrientation::Vertical, ScrollPart::IncreaseButton, LookState::Pressed),
         "滚动条_纵向_增加按钮_按下", {10, 9}},
        {skin.CheckBoxImage(true, LookState::Hot), "选择框_点燃_选中", {15, 15}},
        {skin.CheckBoxImage(false, LookState::Pressed), "选择框_按下_正常", {15, 15}},
        {skin.RadioButtonImage(true, LookState::Normal), "单选框_正常_选中", {15, 15}},
    };
    for (const auto& c : cells) {
        EXPECT_EQ(RecordNameOf(c.cell), c.name);
        ASSERT_TRUE(c.cell) << c.name;
        EXPECT_EQ(SizeOf(c.cell), c.size) << c.name;
    }

    // Every one of the 51 cells holds a 32-bit ARGB bitmap.
    std::vector<Gdiplus::GpBitmap*> all;
    for (const auto& kind : skin.captionButtons)
        for (const auto& bitmap : kind) all.push_back(bitmap.get());
    for (const auto& orientation : skin.scrollBar)
        for (const auto& part : orientation)
            for (const auto& bitmap : part) all.push_back(bitmap.get());
    for (const auto* group : {&skin.checkBox, &skin.radioButton})
        for (const auto& checked : *group)
            for (const auto& bitmap : checked) all.push_back(bitmap.get());
    ASSERT_EQ(all.size(), 51u);
    std::map<std::string, int> seen;
    for (Gdiplus::GpBitmap* bitmap : all) {
        ASSERT_TRUE(bitmap);
        EXPECT_EQ(testing::PixelFormatOf(bitmap), PixelFormat32bppARGB);
        ++seen[RecordNameOf(bitmap)];
    }
    EXPECT_EQ(seen.size(), 51u) << "each cell holds a different image";
    EXPECT_EQ(seen.count("设置_正常") + seen.count("设置_点燃") + seen.count("设置_按下"), 0u)
        << "the settings images are in no group";
    for (const char* name : {"设置_正常", "设置_点燃", "设置_按下"})
        EXPECT_EQ(SizeOf(ImageFromBytes(skin.database.GetDataByName(name)).get()), (ImageSize{28, 20})) << name;
}

TEST_F(ToolkitTest, ByteHeldImagesAreTheirRecordsBytes) {
    const BuiltinSkin& skin = Toolkit().builtinSkin;
    const struct {
        const ByteArray& field;
        const char* name;
    } fields[] = {
        {skin.tabArrows[0], "选择夹左"},       {skin.tabArrows[1], "选择夹右"},
        {skin.messageIcons[0], "DeVU_信息图标"}, {skin.messageIcons[1], "DeVU_询问图标"},
        {skin.messageIcons[2], "DeVU_错误图标"}, {skin.messageIcons[3], "DeVU_警告图标"},
        {skin.chevronStripe, "连接图片"},      {skin.progressHighlight, "进度图片"},
        {skin.calendarSteps[0], "Year_加"},    {skin.calendarSteps[1], "Month_加"},
        {skin.sliderTrack, "滑块条_背"},       {skin.plusMinus[0], "加号图"},
        {skin.plusMinus[1], "减号图"},         {skin.submenuArrow, "子菜单"},
    };
    for (const auto& f : fields) {
        EXPECT_FALSE(f.field.empty()) << f.name;
        EXPECT_EQ(f.field, skin.database.GetDataByName(f.name)) << f.name;
    }
}

TEST_F(ToolkitTest, AMissingImageLeavesItsCellEmpty) {
    LoadBuiltinImages(testing::MakeTestBuiltinSkin("关闭_点燃"));
    EXPECT_EQ(Toolkit().builtinSkin.CaptionButton(CaptionButtonKind::Close, LookState::Hot), nullptr);
    EXPECT_NE(Toolkit().builtinSkin.CaptionButton(CaptionButtonKind::Close, LookState::Normal), nullptr);
    LoadBuiltinImages(testing::MakeTestBuiltinSkin("进度图片"));
    EXPECT_TRUE(Toolkit().builtinSkin.progressHighlight.empty());
    EXPECT_NE(Toolkit().builtinSkin.CaptionButton(CaptionButtonKind::Close, LookState::Hot), nullptr);
    LoadBuiltinImages(testing::MakeTestBuiltinSkin());
}

// A popup of one of the toolkit's classes, destroyed with the test.
class Popup {
public:
    explicit Popup(const wchar_t* className)
        : window_(::CreateWindowExW(WS_EX_TOOLWINDOW, className, L"", WS_POPUP | WS_VISIBLE, 10, 10, 50, 50, nullptr,
                                    nullptr, nullptr, nullptr)) {}
    ~Popup() { ::DestroyWindow(window_); }
    HWND Get() const { return window_; }
    bool Visible() const { return ::IsWindowVisible(window_) != FALSE; }
    void Show() const { ::ShowWindow(window_, SW_SHOWNOACTIVATE); }

private:
    HWND window_;
};

TEST_F(ToolkitTest, WmCloseNeverDestroysAPopup) {
    for (const wchar_t* name :
         {L"RaZora.DeVU.WindowClass.ComboBox", L"RaZora.DeVU.WindowClass.menu", L"RaZora.DeVU.WindowClass.menu1"}) {
        Popup popup(name);
        ASSERT_TRUE(popup.Get());
        EXPECT_EQ(::SendMessageW(popup.Get(), WM_CLOSE, 0, 0), 0);
        EXPECT_TRUE(::IsWindow(popup.Get()));
    }
}

TEST_F(ToolkitTest, ComboBoxPopupHidesWhenItLosesTheFocus) {
    Popup combo(L"RaZora.DeVU.WindowClass.ComboBox");
    ASSERT_TRUE(combo.Visible());
    ::SendMessageW(combo.Get(), WM_KILLFOCUS, 0, 0);
    EXPECT_FALSE(combo.Visible());
}

TEST_F(ToolkitTest, MenuAndSubmenuFocusRules) {
    Popup menu(L"RaZora.DeVU.WindowClass.menu");
    Popup submenu(L"RaZora.DeVU.WindowClass.menu1");

    // The focus leaving a menu hides it while no submenu has taken over.
    ::SendMessageW(menu.Get(), WM_ACTIVATE, WA_ACTIVE, 0);
    EXPECT_EQ(Toolkit().menuWindow, menu.Get());
    EXPECT_FALSE(Toolkit().submenuActive);
    ::SendMessageW(menu.Get(), WM_KILLFOCUS, 0, 0);
    EXPECT_FALSE(menu.Visible());

    // A submenu took over: the menu stays while the focus moves to it...
    menu.Show();
    ::SendMessageW(menu.Get(), WM_ACTIVATE, WA_ACTIVE, 0);
    ::SendMessageW(submenu.Get(), WM_ACTIVATE, WA_ACTIVE, 0);
    EXPECT_EQ(Toolkit().submenuWindow, submenu.Get());
    EXPECT_TRUE(Toolkit().submenuActive);
    ::SendMessageW(menu.Get(), WM_KILLFOCUS, 0, 0);
    EXPECT_TRUE(menu.Visible());

    // ...and the focus leaving the submenu hides both.
    ::SendMessageW(submenu.Get(), WM_KILLFOCUS, 0, 0);
    EXPECT_FALSE(submenu.Visible());
    EXPECT_FALSE(menu.Visible());

    // Deactivation records the window as activation does.
    ::SendMessageW(menu.Get(), WM_ACTIVATE, WA_INACTIVE, 0);
    EXPECT_FALSE(Toolkit().submenuActive);
}

TEST_F(ToolkitTest, TextStyleDefaultsAndGivenFields) {
    const FontDescription defaults = MakeTextStyle();
    EXPECT_EQ(defaults.styleFlags, 4688);
    EXPECT_EQ(defaults.fontFamily.ToAnsi(), DefaultFontName().ToAnsi());
    EXPECT_EQ(defaults.size, 12);
    EXPECT_EQ(defaults.textColour, 0xFE000000u);
    EXPECT_EQ(defaults.glowColour, 0xFEFFFFFFu);

    const FontDescription given = MakeTextStyle(513, "宋体", 11, 0xFF000000u, 0u);
    EXPECT_EQ(given.styleFlags, 513);
    EXPECT_EQ(given.fontFamily.ToAnsi(), "宋体");
    EXPECT_EQ(given.size, 11);
    EXPECT_EQ(given.textColour, 0xFF000000u);
    EXPECT_EQ(given.glowColour, 0u) << "a given zero is a value, not a missing one";
}

TEST_F(ToolkitTest, ApplicationSkinLookups) {
    const char* strip = "选择钩钩未选取副本";
    ApplicationSkin().Reset("");
    EXPECT_TRUE(SkinImageBytes(strip).empty()) << "nothing before the setup skin is loaded";

    const ByteArray png = testing::SolidPng(51, 17, 0xFF336699);
    ApplicationSkin().AddRecord(-1, strip, png, 0);
    ApplicationSkin().AddRecord(-1, strip, testing::SolidPng(1, 1, 0xFF000000), 0);
    EXPECT_EQ(SkinImageBytes(strip), png) << "the first record of that name";
    EXPECT_EQ(SizeOf(ImageFromBytes(SkinImageBytes(strip)).get()), (ImageSize{51, 17}));
    ApplicationSkin().Reset("");
}

TEST_F(ToolkitTest, SampleImageColourIsTheImageShrunkToOnePixel) {
    EXPECT_EQ(SampleImageColour(testing::SolidBitmap(600, 392, 0xFF2B5797).get()), 0xFF2B5797u);
    EXPECT_EQ(SampleImageColour(testing::SolidBitmap(3, 3, 0x80FF0000).get()), 0x80FF0000u);
    EXPECT_EQ(SampleImageColour(nullptr), 0u);

    // Nearest neighbour picks one of the colours; it does not blend them.
    GdipBitmap halves = testing::SolidBitmap(8, 8, 0xFFFF0000);
    for (int y = 0; y < 8; ++y)
        for (int x = 4; x < 8; ++x) gdip::GdipBitmapSetPixel(halves.get(), x, y, 0xFF0000FF);
    const Argb sampled = SampleImageColour(halves.get());
    EXPECT_TRUE(sampled == 0xFFFF0000u || sampled == 0xFF0000FFu) << std::hex << sampled;
}

}  // namespace
}  // namespace lirvo
