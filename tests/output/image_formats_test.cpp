// The command-line tool's image writers: the module source against the
// window's raster at the same pixels per module, the bitmap through a sink
// against save_bitmap's file, PNG read back to the same pixels in its two
// forms, SVG paths read back into the module matrix, the size formulas, and
// a sink that refuses bytes.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

#include "output/image_formats.h"
#include "tests/cli/image_read_support.h"
#include "tests/output/output_support.h"

namespace {

uint8_t g_pixels[kRasterBytes];
CodeSlot g_code;

int32_t to_string(void* context, const uint8_t* bytes, int32_t n) {
    static_cast<std::string*>(context)->append(reinterpret_cast<const char*>(bytes), static_cast<size_t>(n));
    return 0;
}

int32_t refuse(void*, const uint8_t*, int32_t) { return 1; }

// The RGB pixels of a source, rows top first.
std::string rgb_of(const ImageSource& source) {
    static uint8_t scratch[kMaxImagePixels * 3];
    std::string out;
    for (int32_t y = 0; y < source.side; ++y) {
        const uint8_t* row = source.row(source, y, scratch);
        for (int32_t x = 0; x < source.side; ++x) out += {char(row[3 * x + 2]), char(row[3 * x + 1]), char(row[3 * x])};
    }
    return out;
}

TEST(ImageFormats, SizeFormulas) {
    EXPECT_EQ(pixels_per_module(330, 600), 8);      // 7.795
    EXPECT_EQ(pixels_per_module(500, 96), 2);       // 1.89
    EXPECT_EQ(pixels_per_module(100, 72), 1);       // 0.28, at least 1
    EXPECT_EQ(pixels_per_module(10000, 2400), 945);
    EXPECT_EQ(pixels_per_module(254, 300), 3);      // exactly 3
    EXPECT_EQ(pixels_per_metre_of_dpi(96), 3780u);
    EXPECT_EQ(pixels_per_metre_of_dpi(72), 2835u);
    EXPECT_EQ(pixels_per_metre_of_dpi(2400), 94488u);
    EXPECT_EQ(pixels_per_metre_of_module(8, 330), 24242u);
    EXPECT_EQ(pixels_per_metre_of_module(3, 254), 11811u);
    EXPECT_EQ(pixels_per_metre_of_module(1, 100), 10000u);
    const struct {
        int64_t um;
        const char* text;
    } rows[] = {{16500, "16.5"}, {12000, "12"}, {3375, "3.375"}, {13860, "13.86"}, {100, "0.1"}, {0, "0"}, {1770000, "1770"}};
    for (const auto& r : rows) {
        char text[16];
        millimetres_text(r.um, text);
        EXPECT_STREQ(text, r.text);
    }
}

// At p pixels per module the matrix source draws what render_symbol draws at
// size steps 0, 1 and 2 (1, 2, 3 pixels per module), in a colour and in the rainbow.
TEST(ImageFormats, ModuleSourceMatchesTheRaster) {
    ASSERT_TRUE(make_code("MODULE SOURCE 0123456789", 3, &g_code));
    for (uint32_t colour : {0x112233u, kRainbowMarker}) {
        for (int32_t p = 1; p <= 3; ++p) {
            Raster raster = {0, 0, g_pixels, kRasterBytes};
            ASSERT_EQ(render_symbol(g_code.matrix, g_code.version, 3, p - 1, 1, colour, &raster), 0);
            ImageSource modules = module_source(g_code.matrix, g_code.version, 3, p, colour);
            ASSERT_EQ(modules.side, raster.side);
            EXPECT_EQ(rgb_of(modules), rgb_of(raster_source(raster))) << p;
        }
    }
}

TEST(ImageFormats, BitmapThroughASinkIsTheWindowsFile) {
    ASSERT_TRUE(make_code("BMP", 1, &g_code));
    Raster raster = {0, 0, g_pixels, kRasterBytes};
    ASSERT_EQ(render_symbol(g_code.matrix, 1, 2, 4, 1, 0x8000C0, &raster), 0);
    std::string path = fresh_output_folder() + "w.bmp";
    ASSERT_EQ(save_bitmap(path.c_str(), raster), 0);
    std::ifstream in(path, std::ios::binary);
    std::stringstream file;
    file << in.rdbuf();
    std::string bytes;
    ByteSink sink = {to_string, &bytes};
    ASSERT_EQ(write_bmp(raster_source(raster), 0, &sink), 0);
    EXPECT_EQ(bytes, file.str());
    // With a resolution only the two fields differ.
    std::string withPpm;
    sink.context = &withPpm;
    ASSERT_EQ(write_bmp(raster_source(raster), 3780, &sink), 0);
    Image image;
    ASSERT_TRUE(read_bmp(withPpm, &image));
    EXPECT_EQ(image.ppmX, 3780u);
    EXPECT_EQ(withPpm.substr(0, 38), bytes.substr(0, 38));
    EXPECT_EQ(withPpm.substr(46), bytes.substr(46));
}

TEST(ImageFormats, PngHoldsTheSourcesPixels) {
    ASSERT_TRUE(make_code("PNG PIXELS", 2, &g_code));
    const struct {
        uint32_t colour;
        bool grey;
        int32_t p;
        const char* format;
    } rows[] = {{0x000000, true, 3, "png-grey1"}, {0x000000, true, 5, "png-grey1"}, {0x00C0FF, false, 2, "png-rgb8"},
                {kRainbowMarker, false, 4, "png-rgb8"}};
    for (const auto& r : rows) {
        ImageSource source = module_source(g_code.matrix, g_code.version, 2, r.p, r.colour);
        std::string bytes;
        ByteSink sink = {to_string, &bytes};
        ASSERT_EQ(write_png(source, r.grey, 11811, &sink), 0);
        Image image;
        ASSERT_TRUE(read_png(bytes, &image));
        EXPECT_EQ(image.format, r.format);
        EXPECT_EQ(image.width, source.side);
        EXPECT_EQ(image.height, source.side);
        EXPECT_TRUE(image.hasPpm);
        EXPECT_EQ(image.ppmX, 11811u);
        EXPECT_EQ(image.ppmY, 11811u);
        EXPECT_EQ(std::string(image.rgb.begin(), image.rgb.end()), rgb_of(source)) << r.format;
    }
}

TEST(ImageFormats, ASinkThatRefusesFailsTheWrite) {
    ASSERT_TRUE(make_code("REFUSED", 1, &g_code));
    ImageSource source = module_source(g_code.matrix, 1, 2, 2, 0);
    ByteSink sink = {refuse, nullptr};
    EXPECT_EQ(write_png(source, true, 3780, &sink), 1);
    EXPECT_EQ(write_bmp(source, 0, &sink), 1);
    EXPECT_EQ(write_svg(g_code.matrix, 1, 2, 0, 500, &sink), 1);
}

// Reads the rectangles of every path back into a grid of colours.
void read_svg_paths(const std::string& svg, int32_t e, std::vector<uint32_t>* grid, int32_t* paths) {
    grid->assign(static_cast<size_t>(e) * e, 0xFFFFFFFFu);
    *paths = 0;
    for (size_t at = svg.find("<path fill=\"#"); at != std::string::npos; at = svg.find("<path fill=\"#", at + 1)) {
        ++*paths;
        uint32_t rgb = static_cast<uint32_t>(std::strtoul(svg.substr(at + 13, 6).c_str(), nullptr, 16));
        uint32_t colour = (rgb >> 16) | (rgb & 0xFF00) | (rgb & 0xFF) << 16;
        const char* p = svg.c_str() + svg.find("d=\"", at) + 3;
        int32_t x = 0, y = 0;
        while (*p != '"') {
            char move = *p++;
            int32_t dx = static_cast<int32_t>(std::strtol(p, const_cast<char**>(&p), 10));
            int32_t dy = static_cast<int32_t>(std::strtol(p, const_cast<char**>(&p), 10));
            x = move == 'M' ? dx : x + dx;
            y = move == 'M' ? dy : y + dy;
            int32_t width = 0, back = 0;
            ASSERT_EQ(std::sscanf(p, "h%dv1h-%dz", &width, &back), 2);
            ASSERT_EQ(width, back);
            p = std::strchr(p, 'z') + 1;
            for (int32_t k = 0; k < width; ++k) {
                ASSERT_EQ((*grid)[static_cast<size_t>(y) * e + x + k], 0xFFFFFFFFu) << "drawn twice";
                (*grid)[static_cast<size_t>(y) * e + x + k] = colour;
            }
        }
    }
}

TEST(ImageFormats, SvgPathsAreTheModules) {
    ASSERT_TRUE(make_code("SVG PATHS 0123456789 abcdefghij", 5, &g_code));
    const int32_t n = 4 * g_code.version + 17;
    for (uint32_t colour : {0x123456u, kRainbowMarker}) {
        for (int32_t margin : {0, 4}) {
            std::string svg;
            ByteSink sink = {to_string, &svg};
            ASSERT_EQ(write_svg(g_code.matrix, g_code.version, margin, colour, 250, &sink), 0);
            int32_t e = n + 2 * margin;
            char mm[16];
            millimetres_text(static_cast<int64_t>(e) * 250, mm);
            char header[160];
            std::snprintf(header, sizeof header, "width=\"%smm\" height=\"%smm\" viewBox=\"0 0 %d %d\"", mm, mm, e, e);
            EXPECT_NE(svg.find(header), std::string::npos) << header;
            std::vector<uint32_t> grid;
            int32_t paths = 0;
            read_svg_paths(svg, e, &grid, &paths);
            for (int32_t y = 0; y < e; ++y) {
                for (int32_t x = 0; x < e; ++x) {
                    int32_t mx = x - margin, my = y - margin;
                    bool dark = mx >= 0 && my >= 0 && mx < n && my < n && g_code.matrix[mx * n + my] == 1;
                    uint32_t want = !dark ? 0xFFFFFFFFu : colour == kRainbowMarker ? rainbow_colour(n, mx, my) : colour;
                    ASSERT_EQ(grid[static_cast<size_t>(y) * e + x], want) << x << "," << y;
                }
            }
            if (colour == kRainbowMarker) {
                EXPECT_GT(paths, 10);
            } else {
                EXPECT_EQ(paths, 1);
            }
        }
    }
}

}  // namespace
