#include "tests/support/toolkit_fixture.h"

#include "skin/core/skin_database.h"
#include "skin/core/toolkit.h"
#include "tests/support/images.h"

namespace lirvo::testing {

const std::vector<BuiltinImageEntry>& BuiltinImageTable() {
    static const std::vector<BuiltinImageEntry> table = [] {
        std::vector<BuiltinImageEntry> list = {
            {"加号图", 11, 11}, {"减号图", 11, 11},
            {"最小化_正常", 28, 20}, {"最小化_点燃", 28, 20}, {"最小化_按下", 28, 20},
            {"最大化_正常", 28, 20}, {"最大化_点燃", 28, 20}, {"最大化_按下", 28, 20},
            {"子菜单", 23, 23},
            {"选择框_正常_正常", 15, 15}, {"选择框_正常_选中", 15, 15}, {"选择框_点燃_正常", 15, 15},
            {"选择框_点燃_选中", 15, 15}, {"选择框_按下_正常", 15, 15}, {"选择框_按下_选中", 15, 15},
            {"选择夹左", 17, 17}, {"选择夹右", 17, 17},
            {"设置_正常", 28, 20}, {"设置_点燃", 28, 20}, {"设置_按下", 28, 20},
            {"皮肤_正常", 28, 20}, {"皮肤_点燃", 28, 20}, {"皮肤_按下", 28, 20},
            {"连接图片", 103, 28}, {"进度图片", 90, 24},
            {"还原_正常", 28, 20}, {"还原_点燃", 28, 20}, {"还原_按下", 28, 20},
            {"滑块条_背", 2000, 50},
        };
        for (const char* orientation : {"纵向", "横向"}) {
            const bool vertical = std::string(orientation) == "纵向";
            const struct { const char* part; int width, height; } parts[] = {
                {"增加按钮", vertical ? 10 : 9, vertical ? 9 : 10},
                {"减少按钮", vertical ? 10 : 9, vertical ? 9 : 10},
                {"滚动条体", vertical ? 10 : 62, vertical ? 34 : 10},
            };
            for (const auto& part : parts)
                for (const char* state : {"正常", "点燃", "按下"})
                    list.push_back({std::string("滚动条_") + orientation + "_" + part.part + "_" + state, part.width,
                                    part.height});
        }
        for (const char* state : {"正常", "点燃", "按下"}) list.push_back({std::string("关闭_") + state, 39, 20});
        for (const char* state : {"正常", "点燃", "按下"})
            for (const char* checked : {"正常", "选中"})
                list.push_back({std::string("单选框_") + state + "_" + checked, 15, 15});
        for (const char* kind : {"菜单", "帮助"})
            for (const char* state : {"正常", "点燃", "按下"})
                list.push_back({std::string(kind) + "_" + state, 28, 20});
        list.insert(list.end(), {{"DeVU_询问图标", 41, 40}, {"DeVU_信息图标", 40, 40}, {"DeVU_警告图标", 40, 40},
                                 {"DeVU_错误图标", 40, 40}, {"Year_加", 48, 16}, {"Month_加", 48, 16}});
        return list;
    }();
    return table;
}

Gdiplus::ARGB TestSkinColour(int index) { return 0xFF000000u | static_cast<Gdiplus::ARGB>(index * 3); }

ByteArray MakeTestBuiltinSkin(const std::string& omit) {
    SkinDatabase database;
    int index = 0;
    for (const auto& image : BuiltinImageTable()) {
        ++index;
        if (image.name == omit) continue;
        database.AddRecord(0, image.name, SolidPng(image.width, image.height, TestSkinColour(index)), 0);
    }
    return database.SaveToBytes();
}

void StartToolkitForTests() {
    static const bool started = [] {
        const ByteArray skin = MakeTestBuiltinSkin();
        ToolkitStartup(skin);
        return true;
    }();
    (void)started;
}

}  // namespace lirvo::testing
