#include "resources/builtin_skin_data.h"

#include <gtest/gtest.h>

#include <vector>

#include "skin/core/skin_database.h"
#include "tests/resources/skin_checks.h"
#include "tests/support/toolkit_fixture.h"

namespace lirvo {
namespace {

using testing::Copy;
using testing::ExpectedPicture;

// The pictures the built-in skin must hold, in order.
std::vector<ExpectedPicture> BuiltinPictures() {
    std::vector<ExpectedPicture> pictures;
    for (const auto& image : testing::BuiltinImageTable()) pictures.push_back({image.name, image.width, image.height});
    return pictures;
}

SkinDatabase LoadBuiltinSkin() {
    SkinDatabase database;
    EXPECT_TRUE(database.LoadFromBytes(Copy(BuiltinSkinData())));
    return database;
}

TEST(BuiltinSkinData, HoldsEveryPictureInOrderAtItsSize) {
    const SkinDatabase database = LoadBuiltinSkin();
    EXPECT_EQ(database.GetHeaderText(), "");
    testing::ExpectPictures(database, BuiltinPictures());
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
