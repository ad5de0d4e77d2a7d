// Every written bitmap decodes with zbar and zxing-cpp to its code's text.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "output/output.h"
#include "settings/settings_tables.h"
#include "tests/encoder/decoder_support.h"
#include "tests/output/output_support.h"

namespace {

GreyImage g_image;

// The bitmap's pixels as grey levels.
bool to_grey(const BitmapFile& f, GreyImage* image) {
    if (f.side > kMaxImageSide) return false;
    image->side = f.side;
    for (int32_t y = 0; y < f.side; ++y) {
        for (int32_t x = 0; x < f.side; ++x) {
            uint32_t c = f.pixel(x, y);
            uint32_t r = c & 0xFF, g = c >> 8 & 0xFF, b = c >> 16 & 0xFF;
            image->pixels[y * f.side + x] = static_cast<uint8_t>((r * 299 + g * 587 + b * 114) / 1000);
        }
    }
    return true;
}

TEST(BitmapDecode, EveryWrittenBitmapReadsBackAsItsText) {
    const std::vector<std::string> texts = {
        "Mivoka", "0123456789012345678901234567890123456789",
        "\x8A\xBF\x8E\x9A\x82\xC6\x83J\x83^\x83J\x83i\xB1\xB2\xB3 mixed 123",
        "MATMSG:TO:taro@example.jp;SUB:hello;BODY:line one\r\nline two;;",
        std::string(300, 'x') + "END",
    };
    // Modules of one pixel (step 0) are below what the decoders read.
    const struct {
        int32_t minVersion, margin, step, colour;
    } rows[] = {
        {1, 2, 1, 0}, {1, 0, 3, 3}, {1, 6, 7, 0}, {20, 2, 1, 1}, {20, 2, 7, 5}, {40, 2, 2, 0}, {10, 4, 2, 7}, {27, 1, 4, 12},
    };
    std::string folder = fresh_output_folder();
    for (const auto& r : rows) {
        ASSERT_TRUE(publish_codes(texts, r.minVersion));
        reset_settings_tables();
        IntSettings[SettingDrawMargin].value = r.margin;
        IntSettings[SettingColors].value = r.colour;
        char path[kBitmapPathBytes];
        std::snprintf(path, sizeof path, "%sdecode.bmp", folder.c_str());
        ASSERT_EQ(save_all_bitmaps(path, 3, r.step, shown_style(), [](void*) { return true; }, nullptr), SaveWritten);
        for (size_t k = 0; k < texts.size(); ++k) {
            char name[kBitmapPathBytes + 48];
            numbered_name(path, 3, static_cast<int32_t>(k), name, sizeof name);
            BitmapFile f;
            ASSERT_TRUE(read_bitmap(name, &f));
            if (!to_grey(f, &g_image)) continue;   // larger than the decoders' image
            std::string zbar, zxing;
            EXPECT_EQ(decode_with_zbar(g_image, &zbar), 0) << name << " margin " << r.margin << " step " << r.step;
            EXPECT_EQ(decode_with_zxing(g_image, &zxing), 0) << name << " margin " << r.margin << " step " << r.step;
            EXPECT_EQ(zbar, texts[k]);
            EXPECT_EQ(zxing, texts[k]);
        }
    }
}

}  // namespace
