#include "resources/builtin_skin_data.h"

#include <gtest/gtest.h>

#include "skin/core/skin_database.h"
#include "tests/resources/skin_checks.h"

namespace lirvo {
namespace {

using testing::Copy;
using testing::ExpectedPicture;

constexpr ExpectedPicture kBuiltinPictures[] = {
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

SkinDatabase LoadBuiltinSkin() {
    SkinDatabase database;
    EXPECT_TRUE(database.LoadFromBytes(Copy(BuiltinSkinData())));
    return database;
}

TEST(BuiltinSkinData, HoldsEveryPictureInOrderAtItsSize) {
    const SkinDatabase database = LoadBuiltinSkin();
    EXPECT_EQ(database.GetHeaderText(), "");
    testing::ExpectPictures(database, kBuiltinPictures);
    for (const SkinRecord& record : database.Records()) {
        EXPECT_EQ(record.kind, 0) << record.name;
        EXPECT_EQ(record.tag, 0) << record.name;
        EXPECT_EQ(testing::PngColourType(record.data), 6) << record.name << " must carry an alpha channel";
    }
}

TEST(BuiltinSkinData, SavingReproducesTheEmbeddedBytes) {
    const ByteArray embedded = Copy(BuiltinSkinData());
    EXPECT_EQ(LoadBuiltinSkin().SaveToBytes(), embedded);
}

// The three looks of each caption button and the six of each check box and
// radio button must be told apart on screen.
TEST(BuiltinSkinData, StatesLookDifferent) {
    const SkinDatabase database = LoadBuiltinSkin();
    const char* groups[][6] = {
        {"最小化_正常", "最小化_点燃", "最小化_按下"},
        {"关闭_正常", "关闭_点燃", "关闭_按下"},
        {"滚动条_纵向_滚动条体_正常", "滚动条_纵向_滚动条体_点燃", "滚动条_纵向_滚动条体_按下"},
        {"选择框_正常_正常", "选择框_正常_选中", "选择框_点燃_正常", "选择框_点燃_选中", "选择框_按下_正常",
         "选择框_按下_选中"},
        {"单选框_正常_正常", "单选框_正常_选中", "单选框_点燃_正常", "单选框_点燃_选中", "单选框_按下_正常",
         "单选框_按下_选中"},
    };
    for (const auto& group : groups) {
        for (int a = 0; a < 6 && group[a]; ++a)
            for (int b = a + 1; b < 6 && group[b]; ++b)
                EXPECT_NE(database.GetDataByName(group[a]), database.GetDataByName(group[b]))
                    << group[a] << " and " << group[b];
    }
}

}  // namespace
}  // namespace lirvo
