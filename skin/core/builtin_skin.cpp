#include "skin/core/builtin_skin.h"

#include <string>

#include "skin/core/image_from_bytes.h"
#include "skin/core/toolkit.h"

namespace lirvo {
namespace {

// The names the images are stored under: element, state and, for check
// marks, checked or not.
constexpr const char* kStateNames[] = {"正常", "点燃", "按下"};
constexpr const char* kCheckedNames[] = {"正常", "选中"};
constexpr const char* kCaptionKindNames[] = {"关闭", "最大化", "还原", "最小化", "菜单", "帮助", "皮肤"};
constexpr const char* kOrientationNames[] = {"横向", "纵向"};
constexpr const char* kScrollPartNames[] = {"减少按钮", "滚动条体", "增加按钮"};

std::string Join(std::initializer_list<std::string> parts) {
    std::string joined;
    for (const auto& part : parts) joined += (joined.empty() ? "" : "_") + part;
    return joined;
}

GdipBitmap DecodeNamed(const SkinDatabase& database, const std::string& name) {
    const ByteArray bytes = database.GetDataByName(name);
    return bytes.empty() ? GdipBitmap() : ImageFromBytes(bytes);
}

// Check boxes and radio buttons: normal-unchecked, normal-checked, hot-..., pressed-...
void DecodeCheckMarks(const SkinDatabase& database, const char* element,
                      std::array<std::array<GdipBitmap, 3>, 2>& cells) {
    for (int state = 0; state < 3; ++state)
        for (int checked = 0; checked < 2; ++checked)
            cells[checked][state] = DecodeNamed(database, Join({element, kStateNames[state], kCheckedNames[checked]}));
}

}  // namespace

void LoadBuiltinImages(std::span<const std::uint8_t> serialisedSkin) {
    ToolkitGlobals& toolkit = Toolkit();
    toolkit.skinOffsetX = 1;
    toolkit.skinOffsetY = 0;
    BuiltinSkin& skin = toolkit.builtinSkin;
    skin.database.LoadFromBytes(ByteArray(serialisedSkin.begin(), serialisedSkin.end()));
    const SkinDatabase& database = skin.database;

    for (int kind = 0; kind < 7; ++kind)
        for (int state = 0; state < 3; ++state)
            skin.captionButtons[kind][state] = DecodeNamed(database, Join({kCaptionKindNames[kind], kStateNames[state]}));
    for (int orientation = 0; orientation < 2; ++orientation)
        for (int part = 0; part < 3; ++part)
            for (int state = 0; state < 3; ++state)
                skin.scrollBar[orientation][part][state] = DecodeNamed(
                    database, Join({"滚动条", kOrientationNames[orientation], kScrollPartNames[part], kStateNames[state]}));
    DecodeCheckMarks(database, "单选框", skin.radioButton);
    DecodeCheckMarks(database, "选择框", skin.checkBox);

    const auto bytes = [&](const char* name) { return database.GetDataByName(name); };
    skin.tabArrows = {bytes("选择夹左"), bytes("选择夹右")};
    skin.messageIcons = {bytes("DeVU_信息图标"), bytes("DeVU_询问图标"), bytes("DeVU_错误图标"), bytes("DeVU_警告图标")};
    skin.chevronStripe = bytes("连接图片");
    skin.progressHighlight = bytes("进度图片");
    skin.calendarSteps = {bytes("Year_加"), bytes("Month_加")};
    skin.sliderTrack = bytes("滑块条_背");
    skin.plusMinus = {bytes("加号图"), bytes("减号图")};
    skin.submenuArrow = bytes("子菜单");
}

}  // namespace lirvo
