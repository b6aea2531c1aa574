#include "resources/setup_data.h"

#include <gtest/gtest.h>

#include "skin/core/skin_database.h"
#include "tests/resources/skin_checks.h"

namespace lirvo {
namespace {

using testing::Copy;
using testing::ExpectedPicture;
using testing::PictureSize;

// Width 0: the record is not a picture.
constexpr ExpectedPicture kSetupPictures[] = {
    {"4完成", 600, 392},
    {"1欢迎", 600, 392},
    {"2选择", 600, 392},
    {"3安装", 600, 392},
    {"Thumbs", 0, 0},
    {"上一步", 80, 34},
    {"下一步", 80, 34},
    {"卸载", 150, 42},
    {"取消", 80, 34},
    {"安装按键", 200, 56},
    {"安装页面关闭键", 30, 30},
    {"安装页面背景", 600, 392},
    {"安装页面背景1", 600, 392},
    {"安装页面背景2", 600, 392},
    {"安装页面进度", 500, 37},
    {"完成按键", 80, 34},
    {"完成页面进度", 500, 37},
    {"未标题-1", 20, 20},
    {"选择钩钩", 30, 30},
    {"选择钩钩未选取副本", 51, 17},
    {"选择钩钩未选取副本1", 51, 17},
    {"选择页面关闭按键", 30, 30},
    {"选择页面更换目录按键", 100, 43},
    {"选择页面缩小按键", 30, 5},
    {"选择页面进度", 500, 37},
};

SkinDatabase LoadSetupSkin() {
    SkinDatabase database;
    EXPECT_TRUE(database.LoadFromBytes(Copy(SkinData())));
    return database;
}

TEST(SkinData, HoldsEveryRecordInOrder) {
    const SkinDatabase database = LoadSetupSkin();
    EXPECT_EQ(database.GetHeaderText(), "新资源包");
    testing::ExpectPictures(database, kSetupPictures);
    const auto& records = database.Records();
    for (std::size_t i = 0; i < records.size(); ++i) {
        EXPECT_EQ(records[i].kind, i == 0 ? 0 : -1) << records[i].name;
        EXPECT_EQ(records[i].tag, 0) << records[i].name;
    }
}

TEST(SkinData, ThumbnailCacheIsCarriedButIsNoPicture) {
    const ByteArray thumbs = LoadSetupSkin().GetDataByName("Thumbs");
    EXPECT_EQ(thumbs.size(), 48128u);
    EXPECT_FALSE(ImageFromBytes(thumbs));
}

TEST(SkinData, SavingReproducesTheEmbeddedBytes) {
    EXPECT_EQ(LoadSetupSkin().SaveToBytes(), Copy(SkinData()));
}

// The check mark draws its frame over an empty box printed on the page, so
// each frame must be opaque along the box's edge, where the two meet.
TEST(SkinData, TickFramesCoverTheBoxUnderThem) {
    GdipBitmap strip = ImageFromBytes(LoadSetupSkin().GetDataByName("选择钩钩未选取副本"));
    ASSERT_TRUE(strip);
    for (int frame = 0; frame < 3; ++frame) {
        for (int along = 4; along < 13; ++along) {
            const std::pair<int, int> edges[] = {{along, 0}, {along, 16}, {0, along}, {16, along}};
            for (auto [x, y] : edges) {
                Gdiplus::ARGB colour = 0;
                gdip::GdipBitmapGetPixel(strip.get(), frame * 17 + x, y, &colour);
                EXPECT_GE(colour >> 24, 0xC0u) << "frame " << frame << " at " << x << "," << y;
            }
        }
    }
}

TEST(PageImages, AreOpaquePicturesOfTheWindowSize) {
    const std::pair<const char*, std::span<const std::uint8_t>> pages[] = {
        {"welcome", WelcomeImage()}, {"selection", SelectionImage()},
        {"install", InstallImage()}, {"finish", FinishImage()}};
    for (const auto& [page, bytes] : pages) {
        const ByteArray png = Copy(bytes);
        EXPECT_TRUE(testing::IsPng(png)) << page;
        EXPECT_EQ(testing::PngColourType(png), 2) << page << " has no transparent parts";
        EXPECT_EQ(testing::DecodedSize(png), (PictureSize{600, 392})) << page;
    }
}

}  // namespace
}  // namespace lirvo

namespace lirvo {
namespace {

Gdiplus::ARGB PixelOf(Gdiplus::GpBitmap* bitmap, int x, int y) {
    Gdiplus::ARGB colour = 0;
    gdip::GdipBitmapGetPixel(bitmap, x, y, &colour);
    return colour;
}

int Brightness(Gdiplus::ARGB colour) { return ((colour >> 16) & 0xFF) + ((colour >> 8) & 0xFF) + (colour & 0xFF); }

// A check mark is transparent while it is cleared, so the page itself shows
// an empty box at every place where the program puts one: a light frame
// round a darker inside, on the page's dark field.
TEST(PageImages, ShowAnEmptyBoxWhereEachCheckMarkSits) {
    const struct {
        const char* page;
        std::span<const std::uint8_t> png;
        int x, y;
    } places[] = {
        {"selection", SelectionImage(), 55, 250}, {"selection", SelectionImage(), 55, 290},
        {"selection", SelectionImage(), 235, 250}, {"finish", FinishImage(), 55, 145},
        {"finish", FinishImage(), 55, 180},
    };
    for (const auto& place : places) {
        SCOPED_TRACE(std::string(place.page) + " at " + std::to_string(place.x) + "," + std::to_string(place.y));
        GdipBitmap page = ImageFromBytes(Copy(place.png));
        ASSERT_TRUE(page);
        const int frame = Brightness(PixelOf(page.get(), place.x + 8, place.y));
        const int inside = Brightness(PixelOf(page.get(), place.x + 8, place.y + 8));
        const int outside = Brightness(PixelOf(page.get(), place.x + 8, place.y - 3));
        EXPECT_GT(frame, 600) << "a light frame";
        EXPECT_LT(inside, frame - 150) << "an empty inside";
        EXPECT_LT(outside, inside) << "on the page's darker field";
    }
}

// The progress bar is a white control whose fill grows from the left; the
// page leaves its place white, so no page colour shows through its edges.
TEST(PageImages, LeaveTheProgressBarsPlaceWhite) {
    GdipBitmap page = ImageFromBytes(Copy(InstallImage()));
    ASSERT_TRUE(page);
    constexpr int x = 55, y = 170, width = 488, height = 37;
    for (auto [px, py] : {std::pair{x, y}, {x + width - 1, y + height - 1}, {x + width / 2, y + height / 2}})
        EXPECT_EQ(PixelOf(page.get(), px, py), 0xFFFFFFFFu) << px << "," << py;
}

}  // namespace
}  // namespace lirvo

namespace lirvo {
namespace {

// The custom-install panel under the window is filled with the selection
// page scaled down to one pixel with nearest-neighbour sampling.
Gdiplus::ARGB PanelColour(Gdiplus::GpBitmap* page) {
    Gdiplus::GpBitmap* raw = nullptr;
    gdip::GdipCreateBitmapFromScan0(1, 1, 0, PixelFormat32bppARGB, nullptr, &raw);
    GdipBitmap pixel(raw);
    Gdiplus::GpGraphics* rawGraphics = nullptr;
    gdip::GdipGetImageGraphicsContext(pixel.get(), &rawGraphics);
    GdipGraphics graphics(rawGraphics);
    gdip::GdipSetInterpolationMode(graphics.get(), Gdiplus::InterpolationModeNearestNeighbor);
    gdip::GdipDrawImageRectI(graphics.get(), page, 0, 0, 1, 1);
    graphics.reset();
    return PixelOf(pixel.get(), 0, 0);
}

// The panel opens under the window like a drawer of it, so it must take the
// page's own deep blue, not the light footer or a muddy mix.
TEST(PageImages, SelectionPageGivesThePanelItsBlue) {
    GdipBitmap page = ImageFromBytes(Copy(SelectionImage()));
    ASSERT_TRUE(page);
    const Gdiplus::ARGB colour = PanelColour(page.get());
    const int red = (colour >> 16) & 0xFF, green = (colour >> 8) & 0xFF, blue = colour & 0xFF;
    EXPECT_EQ(colour >> 24, 0xFFu) << "opaque";
    EXPECT_GT(blue, red + 60) << std::hex << colour;
    EXPECT_GT(blue, green + 30) << std::hex << colour;
    EXPECT_LT(Brightness(colour), 450) << std::hex << colour;
}

}  // namespace
}  // namespace lirvo
