// Image files read back by the tests: PNG (1-bit and 8-bit grey, RGB, RGBA,
// every filter, CRCs checked) and 24-bit bitmaps, as RGB pixels.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct Image {
    std::string format;   // png-grey1, png-grey8, png-rgb8, png-rgba8 or bmp
    int32_t width = 0, height = 0;
    bool hasPpm = false;
    uint32_t ppmX = 0, ppmY = 0;
    std::vector<uint8_t> rgb;   // 3 bytes per pixel, rows top first; alpha put over white
};

// False when the bytes are not such a file.
bool read_png(const std::string& file, Image* image);
bool read_bmp(const std::string& file, Image* image);
