// The symbol raster: image sizes, module rectangles at truncated edges
// against a pixel-by-pixel literal twin, colours and the rainbow gradient.
#include <gtest/gtest.h>

#include "output/output.h"
#include "settings/settings_tables.h"
#include "tests/output/output_support.h"
#include "tests/payload/text_support.h"

namespace {

uint8_t g_pixels[kRasterBytes];
CodeSlot g_code;

TEST(ImageSide, FollowsTheSizeStepsForSmallAndLargeSymbols) {
    const struct {
        int32_t version;
        int32_t margin;
        int32_t sides[8];
    } rows[] = {
        {1, 0, {21, 42, 63, 115, 167, 220, 272, 325}},   {1, 2, {25, 50, 75, 125, 175, 225, 275, 325}},
        {1, 6, {33, 66, 99, 144, 189, 234, 279, 325}},   {20, 0, {97, 194, 291, 297, 304, 311, 318, 325}},
        {20, 2, {101, 202, 303, 307, 311, 316, 320, 325}}, {20, 6, {109, 218, 327, 327, 327, 326, 326, 325}},
        {40, 0, {177, 354, 531, 490, 449, 408, 367, 325}}, {40, 2, {181, 362, 543, 500, 456, 413, 369, 325}},
        {40, 6, {189, 378, 567, 519, 471, 422, 374, 325}},
    };
    for (const auto& r : rows) {
        for (int32_t step = 0; step < 8; ++step) {
            EXPECT_EQ(image_side(r.version, r.margin, step, 1), r.sides[step]) << r.version << " " << r.margin << " " << step;
            EXPECT_EQ(image_side(r.version, r.margin, step, 4), 4 * r.sides[step]);
        }
    }
    const int32_t bad[][4] = {{0, 2, 1, 1}, {41, 2, 1, 1}, {1, -1, 1, 1}, {1, 7, 1, 1}, {1, 2, 8, 1}, {1, 2, -1, 1}, {1, 2, 1, 0}};
    for (const auto& b : bad) EXPECT_EQ(image_side(b[0], b[1], b[2], b[3]), 0);
}

// The module a pixel falls in, found the slow way: the cell c with
// c * L / e <= p < (c + 1) * L / e; -1 in the quiet zone.
int32_t module_of(int32_t p, int32_t side, int32_t e, int32_t margin, int32_t n) {
    for (int32_t c = 0; c < e; ++c) {
        if (c * side / e <= p && p < (c + 1) * side / e) return c - margin >= 0 && c - margin < n ? c - margin : -1;
    }
    return -2;
}

TEST(RenderSymbol, EveryPixelHasItsModulesColour) {
    const struct {
        int32_t minVersion;
        int32_t margin;
        int32_t step;
        int32_t scale;
        uint32_t colour;
    } rows[] = {
        {1, 2, 3, 1, 0x000000}, {1, 0, 0, 1, 0x800000}, {1, 2, 4, 1, 0x123456}, {20, 2, 3, 1, 0x0000FF},
        {20, 6, 6, 1, 0x000000}, {7, 3, 5, 2, kRainbowMarker}, {40, 2, 7, 1, kRainbowMarker}, {40, 6, 2, 1, 0x00A000},
    };
    for (const auto& r : rows) {
        ASSERT_TRUE(make_code("https://example.jp/mivoka?q=0123456789", r.minVersion, &g_code));
        Raster raster = {0, 0, g_pixels, kRasterBytes};
        ASSERT_EQ(render_symbol(g_code.matrix, g_code.version, r.margin, r.step, r.scale, r.colour, &raster), 0);
        int32_t n = 4 * g_code.version + 17, e = n + 2 * r.margin;
        ASSERT_EQ(raster.side, image_side(g_code.version, r.margin, r.step, r.scale));
        ASSERT_EQ(raster.stride, (raster.side * 3 + 3) / 4 * 4);
        int32_t wrong = 0;
        for (int32_t py = 0; py < raster.side; ++py) {
            int32_t y = module_of(py, raster.side, e, r.margin, n);
            for (int32_t px = 0; px < raster.side; ++px) {
                int32_t x = module_of(px, raster.side, e, r.margin, n);
                bool dark = x >= 0 && y >= 0 && g_code.matrix[x * n + y] == 1;
                uint32_t expected = !dark ? 0xFFFFFF : r.colour == kRainbowMarker ? rainbow_colour(n, x, y) : r.colour;
                const uint8_t* p = g_pixels + py * raster.stride + px * 3;
                uint32_t got = static_cast<uint32_t>(p[0]) << 16 | p[1] << 8 | p[2];
                wrong += got != expected;
            }
            for (int32_t b = raster.side * 3; b < raster.stride; ++b) wrong += g_pixels[py * raster.stride + b] != 0;
        }
        EXPECT_EQ(wrong, 0) << "version " << g_code.version << " margin " << r.margin << " step " << r.step;
    }
}

TEST(RenderSymbol, MarginZeroPutsTheFinderOnTheEdge) {
    ASSERT_TRUE(make_code("EDGE", 1, &g_code));
    Raster raster = {0, 0, g_pixels, kRasterBytes};
    ASSERT_EQ(render_symbol(g_code.matrix, 1, 0, 0, 1, 0x000000, &raster), 0);
    EXPECT_EQ(raster.side, 21);
    const uint8_t* corners[] = {g_pixels, g_pixels + 20 * 3, g_pixels + 20 * raster.stride};
    for (const uint8_t* p : corners) EXPECT_EQ(p[0] | p[1] | p[2], 0);
}

TEST(RenderSymbol, RefusesStorageThatIsTooSmallAndBadVersions) {
    ASSERT_TRUE(make_code("SMALL", 1, &g_code));
    Raster small = {0, 0, g_pixels, 24 * 76};
    EXPECT_EQ(render_symbol(g_code.matrix, 1, 2, 0, 1, 0, &small), 1);
    small.capacity = 25 * 76;
    EXPECT_EQ(render_symbol(g_code.matrix, 1, 2, 0, 1, 0, &small), 0);
    EXPECT_EQ(render_symbol(g_code.matrix, 0, 2, 0, 1, 0, &small), 1);
}

TEST(RainbowColour, MatchesTheGradientOfVersionOne) {
    const struct {
        int32_t o;
        uint32_t r, g, b;
    } rows[] = {
        {0, 250, 0, 0},   {8, 250, 190, 0},  {9, 248, 204, 0},  {21, 0, 216, 0},
        {28, 0, 92, 247}, {34, 11, 65, 192}, {40, 182, 88, 192},
    };
    for (const auto& r : rows) {
        uint32_t expected = r.r | r.g << 8 | r.b << 16;
        // Constant along the anti-diagonal.
        for (int32_t x = r.o > 20 ? r.o - 20 : 0; x <= r.o && x <= 20; ++x) {
            EXPECT_EQ(rainbow_colour(21, x, r.o - x), expected) << "o " << r.o << " x " << x;
        }
    }
}

TEST(Colours, TablesAndTheCustomColour) {
    const uint32_t rgb[][3] = {{0, 0, 0},     {128, 0, 0},     {0, 160, 0},   {0, 0, 128},   {192, 0, 128},
                               {0, 0, 255},   {255, 0, 0},     {128, 128, 128}, {255, 64, 255}, {255, 192, 0},
                               {0, 192, 255}};
    for (int32_t i = 0; i < 11; ++i) EXPECT_EQ(module_colour(i), rgb[i][0] | rgb[i][1] << 8 | rgb[i][2] << 16) << i;
    EXPECT_EQ(module_colour(kRainbowColour), kRainbowMarker);
    EXPECT_EQ(module_colour(13), 0u);
    EXPECT_EQ(module_colour(-1), 0u);
    set_custom_colour(0x00336699);
    EXPECT_EQ(module_colour(kCustomColour), 0x336699u);
    EXPECT_EQ(int_setting(SettingCustomCol), 0x336699);
    reset_settings_tables();
    set_custom_colour(0x808080);
    const char* const labels[kModuleColourCount] = {"黒", "茶", "緑", "藍", "紫", "青", "赤",
                                                    "灰", "桃", "橙", "水", "虹", "選"};
    for (int32_t i = 0; i < kModuleColourCount; ++i) EXPECT_EQ(utf8_of(ModuleColourLabels[i]), labels[i]) << i;
}

TEST(Colours, TextViewTintMixesWithWhite) {
    const uint32_t expected[] = {223 | 223 << 8 | 223 << 16, 238 | 240 << 8 | 255 << 16, 225 | 251 << 8 | 229 << 16,
                                 255 | 247 << 8 | 216 << 16, 252 | 252 << 8 | 252 << 16};
    for (int32_t i = 0; i < kBackgroundCount; ++i) EXPECT_EQ(text_view_colour(i), expected[i]) << i;
    EXPECT_EQ(text_view_colour(9), expected[0]);
}

}  // namespace
