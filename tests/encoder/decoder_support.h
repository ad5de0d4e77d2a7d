// Test oracles: renders a module matrix to a grey image and reads it back with
// two independent QR decoders (zbar and zxing-cpp), returning the raw bytes.
#pragma once

#include <cstdint>
#include <string>

#include "encoder/encoder.h"

constexpr int32_t kQuietModules = 4;       // quiet zone on every side
constexpr int32_t kPixelsPerModule = 3;
constexpr int32_t kMaxImageSide = (kMaxModules + 2 * kQuietModules) * kPixelsPerModule;

// 8-bit grey raster, one byte per pixel, rows of side bytes; 0 black, 255 white.
struct GreyImage {
    int32_t side;
    uint8_t pixels[kMaxImageSide * kMaxImageSide];
};

// Draws the size x size symbol of matrix (module (x, y) at byte x * 177 + y,
// nonzero dark) with its quiet zone into image.
void render_symbol(const uint8_t* matrix, int32_t size, GreyImage* image);

// Each decoder returns 0 and the symbol's data bytes exactly as encoded (no
// character-set conversion; kanji-mode characters come back as Shift_JIS),
// or 1 when it finds no readable QR symbol in the image. zxing also gives the
// symbol's error-correction level (EcLevel) when level is not null.
int32_t decode_with_zbar(const GreyImage& image, std::string* bytes);
int32_t decode_with_zxing(const GreyImage& image, std::string* bytes, int32_t* level = nullptr);

// The same decoders on any 8-bit grey image of width x height pixels (rows of
// width bytes), for images read back from files.
int32_t decode_grey_with_zbar(const uint8_t* pixels, int32_t width, int32_t height, std::string* bytes);
int32_t decode_grey_with_zxing(const uint8_t* pixels, int32_t width, int32_t height, std::string* bytes,
                               int32_t* level = nullptr);
