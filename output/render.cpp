// The symbol raster: image size, module rectangles at truncated edges, the
// colour tables and the rainbow gradient. No heap; every loop is bounded by
// the symbol's size.
#include "output/output.h"

#include <cstring>

#include "resources/messages.h"
#include "settings/settings_tables.h"

uint32_t ModuleColours[kModuleColourCount] = {
    0x000000, 0x000080, 0x00A000, 0x800000, 0x8000C0, 0xFF0000, 0x0000FF,
    0x808080, 0xFF40FF, 0x00C0FF, 0xFFC000, kRainbowMarker, 0x808080,
};

// 黒 茶 緑 藍 紫 青 赤 灰 桃 橙 水 虹 選
const char* const ModuleColourLabels[kModuleColourCount] = {
    kColourBlack, kColourBrown, kColourGreen, kColourIndigo, kColourPurple, kColourBlue, kColourRed,
    kColourGrey, kColourPink, kColourOrange, kColourAqua, kColourRainbow, kColourChoose,
};

const BackgroundStyle BackgroundStyles[kBackgroundCount] = {
    {{192, 192, 192}}, {{222, 225, 255}}, {{196, 248, 203}}, {{255, 240, 177}}, {{250, 250, 250}},
};

namespace {

uint32_t rgb(uint32_t r, uint32_t g, uint32_t b) { return (r & 0xFF) | (g & 0xFF) << 8 | (b & 0xFF) << 16; }

// Truncates toward zero; the caller keeps the low 8 bits.
uint32_t component(double value) { return static_cast<uint32_t>(static_cast<int32_t>(value)); }

// Edges of the module cells: edge[i] = i * L / e for i = 0 .. e.
int32_t edgesScratch[kMaxRasterSide + 1];

}  // namespace

void set_custom_colour(uint32_t colour) {
    ModuleColours[kCustomColour] = colour & 0xFFFFFF;
    set_int_setting(SettingCustomCol, static_cast<int32_t>(colour & 0xFFFFFF));
}

uint32_t text_view_colour(int32_t background) {
    if (background < 0 || background >= kBackgroundCount) background = 0;
    const uint8_t* tint = BackgroundStyles[background].tint;
    return rgb((tint[0] + 255u) / 2, (tint[1] + 255u) / 2, (tint[2] + 255u) / 2);
}

uint32_t rainbow_colour(int32_t n, int32_t x, int32_t y) {
    // The expressions keep the order of the gradient's definition: the
    // truncated components depend on the rounding of each step.
    double o = x + y;
    double w = 0.3 * n;
    if (o <= 0.4 * n) return rgb(250, component((200 * o) / (0.4 * n)), 0);
    if (o <= 0.7 * n) return rgb(248, component((o - 0.4 * n) * 48 / w + 200), 0);
    if (o <= 1.0 * n) return rgb(component(248 - (o - 0.7 * n) * 248 / w), component(248 - (o - 0.7 * n) * 32 / w), 0);
    if (o <= 1.3 * n) return rgb(0, component(216 - (o - n) * 122 / w), component((o - n) * 255 / w));
    if (o <= 1.6 * n) return rgb(0, component(96 - (o - 1.3 * n) * 32 / w), component(255 - (o - 1.3 * n) * 64 / w));
    return rgb(component((o - 1.6 * n) * 240 / (0.4 * n)), component((o - 1.6 * n) * 32 / (0.4 * n) + 64), 192);
}

uint32_t module_colour(int32_t colourIndex) {
    // "colors" may hold 13, one past the table: it draws as the first entry.
    if (colourIndex < 0 || colourIndex >= kModuleColourCount) colourIndex = 0;
    return ModuleColours[colourIndex];
}

int32_t image_side(int32_t version, int32_t margin, int32_t sizeStep, int32_t scale) {
    if (version < 1 || version > 40 || margin < 0 || margin > 6 || sizeStep < 0 || sizeStep > 7 || scale < 1) return 0;
    int32_t e = 4 * version + 17 + 2 * margin;
    // Past step 2 the image moves toward 325 pixels (shrinking for big symbols).
    int32_t base = sizeStep <= 2 ? (sizeStep + 1) * e : 3 * e + (325 - 3 * e) * (sizeStep - 2) / 5;
    return base * scale;
}

namespace {

void fill_white(Raster* raster) {
    int32_t bytes = raster->side * 3;
    for (int32_t row = 0; row < raster->side; ++row) {
        uint8_t* p = raster->pixels + static_cast<size_t>(row) * raster->stride;
        std::memset(p, 0xFF, static_cast<size_t>(bytes));
        std::memset(p + bytes, 0, static_cast<size_t>(raster->stride - bytes));
    }
}

void fill_rect(Raster* raster, int32_t left, int32_t top, int32_t right, int32_t bottom, uint32_t colour) {
    uint8_t b = static_cast<uint8_t>(colour >> 16), g = static_cast<uint8_t>(colour >> 8), r = static_cast<uint8_t>(colour);
    for (int32_t row = top; row < bottom; ++row) {
        uint8_t* p = raster->pixels + static_cast<size_t>(row) * raster->stride + left * 3;
        for (int32_t col = left; col < right; ++col, p += 3) p[0] = b, p[1] = g, p[2] = r;
    }
}

}  // namespace

int32_t render_symbol(const int32_t* matrix, int32_t version, int32_t margin, int32_t sizeStep, int32_t scale,
                      uint32_t colour, Raster* raster) {
    int32_t side = image_side(version, margin, sizeStep, scale);
    int32_t stride = raster_stride(side);
    if (side == 0 || static_cast<int64_t>(stride) * side > raster->capacity) return 1;
    raster->side = side;
    raster->stride = stride;
    fill_white(raster);
    int32_t n = 4 * version + 17;
    int32_t e = n + 2 * margin;
    for (int32_t i = 0; i <= e; ++i) edgesScratch[i] = static_cast<int32_t>(static_cast<int64_t>(i) * side / e);
    for (int32_t x = 0; x < n; ++x) {
        const int32_t* column = matrix + x * n;
        for (int32_t y = 0; y < n; ++y) {
            if (column[y] != 1) continue;
            uint32_t c = colour == kRainbowMarker ? rainbow_colour(n, x, y) : colour;
            fill_rect(raster, edgesScratch[x + margin], edgesScratch[y + margin], edgesScratch[x + margin + 1],
                      edgesScratch[y + margin + 1], c);
        }
    }
    return 0;
}
