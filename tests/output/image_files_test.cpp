// The window's saves in each kind: the kind's extension made sure of, a PNG
// holding exactly the bitmap's pixels, an SVG of the same symbol with the
// same margin and colour, and numbered names keeping the kind's extension.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "output/image_formats.h"
#include "output/output.h"
#include "settings/settings_tables.h"
#include "tests/cli/image_read_support.h"
#include "tests/output/output_support.h"

namespace {

class ImageFiles : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = fresh_output_folder();
        reset_settings_tables();
        set_run_status(Idle);
        ASSERT_TRUE(publish_codes({"FIRST CODE", "SECOND CODE"}, 1));
    }
    std::string file(const std::string& name) {
        std::ifstream in(folder_ + name, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    // Saves the shown code as name in kind; the name the save made.
    std::string save(const char* name, int32_t kind) {
        char path[kBitmapPathBytes];
        std::snprintf(path, sizeof path, "%s%s", folder_.c_str(), name);
        EXPECT_EQ(save_shown_image(path, kind, 2, shown_style()), SaveWritten) << name;
        return std::string(path).substr(folder_.size());
    }
    std::string folder_;
};

TEST_F(ImageFiles, EachKindAddsItsExtensionAsTheBitmapDoes) {
    EXPECT_EQ(save("qr", ImagePng), "qr.png");
    EXPECT_EQ(save("qr", ImageSvg), "qr.svg");
    EXPECT_EQ(save("Qr.PNG", ImagePng), "Qr.PNG");
    EXPECT_EQ(save("qr.png", ImageBmp), "qr.png.bmp");
    EXPECT_EQ(save("qr.bmp", ImageSvg), "qr.bmp.svg");
    EXPECT_EQ(file("qr.png.bmp").substr(0, 2), "BM");
    EXPECT_EQ(file("qr.bmp.svg").substr(0, 5), "<?xml");
    char tiny[6] = "ab";
    EXPECT_EQ(ensure_kind_extension(tiny, sizeof tiny, ImagePng), 1);
    EXPECT_EQ(ensure_kind_extension(tiny, 16, 3), 1);
}

TEST_F(ImageFiles, ThePngHoldsTheBitmapsPixels) {
    for (int32_t colours : {0, 5, static_cast<int32_t>(kRainbowColour)}) {
        set_int_setting(SettingColors, colours);
        save("p.png", ImagePng);
        save("p.bmp", ImageBmp);
        Image png, bmp;
        ASSERT_TRUE(read_png(file("p.png"), &png));
        ASSERT_TRUE(read_bmp(file("p.bmp"), &bmp));
        EXPECT_EQ(png.format, colours == 0 ? "png-grey1" : "png-rgb8") << colours;
        EXPECT_EQ(png.width, bmp.width);
        EXPECT_TRUE(png.rgb == bmp.rgb) << colours;
    }
}

TEST_F(ImageFiles, TheSvgDrawsTheShownSymbolWithTheWindowsMarginAndColour) {
    set_int_setting(SettingDrawMargin, 5);
    set_int_setting(SettingColors, kCustomColour);
    set_int_setting(SettingCustomCol, 0x563412);
    ASSERT_EQ(set_current_code(1), 0);
    save("s", ImageSvg);
    CodeSlot code;
    ASSERT_EQ(read_code(1, &code), 0);
    static uint8_t bytes[1 << 20];
    MemoryBytes memory = {bytes, static_cast<int32_t>(sizeof bytes), 0};
    ByteSink sink = memory_sink(&memory);
    ASSERT_EQ(write_svg(code.matrix, code.version, 5, 0x563412, 500, &sink), 0);
    EXPECT_EQ(file("s.svg"), std::string(reinterpret_cast<char*>(bytes), memory.used));
    EXPECT_NE(file("s.svg").find("fill=\"#123456\""), std::string::npos);
    EXPECT_NE(file("s.svg").find("width=\"15.5mm\""), std::string::npos) << "21 + 2 x 5 modules of 0.5 mm";
}

// A save draws in the style it is given, whatever the window's settings
// say, and leaves those settings and the colour table as they were.
TEST_F(ImageFiles, ASaveDrawsInTheStyleGivenNotTheSettings) {
    ASSERT_EQ(set_current_code(0), 0);
    const uint32_t custom = ModuleColours[kCustomColour];
    char path[kBitmapPathBytes];
    std::snprintf(path, sizeof path, "%sstyled", folder_.c_str());
    ASSERT_EQ(save_shown_image(path, ImageSvg, 2, DrawStyle{0, 0x563412}), SaveWritten);
    EXPECT_NE(file("styled.svg").find("fill=\"#123456\""), std::string::npos);
    EXPECT_NE(file("styled.svg").find("width=\"10.5mm\""), std::string::npos) << "21 modules, no margin";
    std::snprintf(path, sizeof path, "%sstyled", folder_.c_str());
    ASSERT_EQ(save_shown_image(path, ImageBmp, 1, DrawStyle{6, 0x0000FF}), SaveWritten);
    Image bmp;
    ASSERT_TRUE(read_bmp(file("styled.bmp"), &bmp));
    EXPECT_EQ(bmp.width, image_side(1, 6, 1, 1));
    // The middle of the finder's corner module, past the six-module margin,
    // is red; the middle of the margin's last module is white.
    auto pixel = [&](double module) {
        auto at = static_cast<size_t>(module * bmp.width / 33);
        return bmp.rgb.begin() + static_cast<std::ptrdiff_t>((at * bmp.width + at) * 3);
    };
    EXPECT_EQ(std::vector<uint8_t>(pixel(6.5), pixel(6.5) + 3), (std::vector<uint8_t>{0xFF, 0x00, 0x00}));
    EXPECT_EQ(std::vector<uint8_t>(pixel(5.5), pixel(5.5) + 3), (std::vector<uint8_t>{0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(int_setting(SettingDrawMargin), 2);
    EXPECT_EQ(int_setting(SettingColors), 0);
    EXPECT_EQ(ModuleColours[kCustomColour], custom);
}

TEST_F(ImageFiles, NumberedNamesKeepTheKindsExtension) {
    char path[kBitmapPathBytes];
    std::snprintf(path, sizeof path, "%sall", folder_.c_str());
    EXPECT_EQ(save_all_images(path, ImageSvg, 3, 2, shown_style(), [](void*) { return true; }, nullptr), SaveWritten);
    EXPECT_EQ(file("all-01.svg").substr(0, 5), "<?xml");
    EXPECT_EQ(file("all-02.svg").substr(0, 5), "<?xml");
    std::snprintf(path, sizeof path, "%sall.png", folder_.c_str());
    EXPECT_EQ(save_all_images(path, ImagePng, 0, 2, shown_style(), [](void*) { return false; }, nullptr), SaveWritten)
        << "no name of the PNGs exists yet, so nothing is asked";
    Image png;
    EXPECT_TRUE(read_png(file("02-all.png"), &png));
    EXPECT_EQ(save_all_images(path, ImagePng, 0, 2, shown_style(), [](void*) { return false; }, nullptr), SaveDeclined);
}

}  // namespace
