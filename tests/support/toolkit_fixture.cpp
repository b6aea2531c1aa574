#include "tests/support/toolkit_fixture.h"

#include <gtest/gtest.h>

#include "skin/core/skin_database.h"
#include "skin/core/toolkit.h"
#include "tests/support/images.h"

namespace lirvo::testing {

const std::vector<BuiltinImageEntry>& BuiltinImageTable() {
    static const std::vector<BuiltinImageEntry> table = {
    {"加号图", 11, 11},
    {"减号图", 11, 11},
    {"最小化_正常", 28, 20},
    {"最小化_点燃", 28, 20},
    {"最小化_按下", 28, 20},
    {"最大化_正常", 28, 20},
    {"最大化_点燃", 28, 20},
    {"最大化_按下", 28, 20},
    {"子菜单", 23, 23},
    {"选择框_正常_正常", 15, 15},
    {"选择框_正常_选中", 15, 15},
    {"选择框_点燃_正常", 15, 15},
    {"选择框_点燃_选中", 15, 15},
    {"选择框_按下_正常", 15, 15},
    {"选择框_按下_选中", 15, 15},
    {"选择夹左", 17, 17},
    {"选择夹右", 17, 17},
    {"设置_正常", 28, 20},
    {"设置_点燃", 28, 20},
    {"设置_按下", 28, 20},
    {"皮肤_正常", 28, 20},
    {"皮肤_点燃", 28, 20},
    {"皮肤_按下", 28, 20},
    {"连接图片", 103, 28},
    {"进度图片", 90, 24},
    {"还原_正常", 28, 20},
    {"还原_点燃", 28, 20},
    {"还原_按下", 28, 20},
    {"滑块条_背", 2000, 50},
    {"滚动条_纵向_增加按钮_正常", 10, 9},
    {"滚动条_纵向_增加按钮_点燃", 10, 9},
    {"滚动条_纵向_增加按钮_按下", 10, 9},
    {"滚动条_纵向_减少按钮_正常", 10, 9},
    {"滚动条_纵向_减少按钮_点燃", 10, 9},
    {"滚动条_纵向_减少按钮_按下", 10, 9},
    {"滚动条_纵向_滚动条体_正常", 10, 34},
    {"滚动条_纵向_滚动条体_点燃", 10, 34},
    {"滚动条_纵向_滚动条体_按下", 10, 34},
    {"滚动条_横向_增加按钮_正常", 9, 10},
    {"滚动条_横向_增加按钮_点燃", 9, 10},
    {"滚动条_横向_增加按钮_按下", 9, 10},
    {"滚动条_横向_减少按钮_正常", 9, 10},
    {"滚动条_横向_减少按钮_点燃", 9, 10},
    {"滚动条_横向_减少按钮_按下", 9, 10},
    {"滚动条_横向_滚动条体_正常", 62, 10},
    {"滚动条_横向_滚动条体_点燃", 62, 10},
    {"滚动条_横向_滚动条体_按下", 62, 10},
    {"关闭_正常", 39, 20},
    {"关闭_点燃", 39, 20},
    {"关闭_按下", 39, 20},
    {"单选框_正常_正常", 15, 15},
    {"单选框_正常_选中", 15, 15},
    {"单选框_点燃_正常", 15, 15},
    {"单选框_点燃_选中", 15, 15},
    {"单选框_按下_正常", 15, 15},
    {"单选框_按下_选中", 15, 15},
    {"菜单_正常", 28, 20},
    {"菜单_点燃", 28, 20},
    {"菜单_按下", 28, 20},
    {"帮助_正常", 28, 20},
    {"帮助_点燃", 28, 20},
    {"帮助_按下", 28, 20},
    {"DeVU_询问图标", 41, 40},
    {"DeVU_信息图标", 40, 40},
    {"DeVU_警告图标", 40, 40},
    {"DeVU_错误图标", 40, 40},
    {"Year_加", 48, 16},
    {"Month_加", 48, 16},
    };
    return table;
}

Gdiplus::ARGB TestSkinColour(int index) { return 0xFF000000u | static_cast<Gdiplus::ARGB>(index * 3); }

Gdiplus::ARGB TestSkinColourOf(std::string_view name) {
    const auto& table = BuiltinImageTable();
    for (std::size_t i = 0; i < table.size(); ++i)
        if (table[i].name == name) return TestSkinColour(static_cast<int>(i) + 1);
    ADD_FAILURE() << "the test skin has no record " << name;
    return 0;
}

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
