// Test probe: reads a PNG (any the tests meet: 1-bit and 8-bit grey, RGB,
// RGBA, every filter; CRCs checked) or a 24-bit bitmap, and prints what the
// file says and holds, one fact per line:
//   format png-grey1|png-grey8|png-rgb8|png-rgba8|bmp
//   size W H
//   ppm X Y            (pHYs or the bitmap header; "ppm none" without)
//   pixels HASH        (FNV-1a of the RGB pixels, rows top first)
//   zbar HEX | zbar -  (the symbol's bytes, or "-" when unreadable)
//   zxing HEX | zxing -
// usage: image_probe FILE
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "tests/cli/image_read_support.h"
#include "tests/encoder/decoder_support.h"

namespace {

std::string hex(const std::string& bytes) {
    std::string out;
    char two[3];
    for (unsigned char c : bytes) std::snprintf(two, sizeof two, "%02x", c), out += two;
    return out;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) return std::fputs("usage: image_probe FILE\n", stderr), 2;
    FILE* in = std::fopen(argv[1], "rb");
    if (!in) return std::fprintf(stderr, "cannot read %s\n", argv[1]), 2;
    std::string file;
    char buffer[65536];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, in)) > 0;) file.append(buffer, n);
    std::fclose(in);
    Image im;
    if (!read_png(file, &im) && !read_bmp(file, &im)) return std::fprintf(stderr, "%s: not a readable image\n", argv[1]), 1;
    uint32_t hash = 2166136261u;
    std::vector<uint8_t> grey(size_t(im.width) * im.height);
    for (size_t i = 0; i < grey.size(); ++i) {
        const uint8_t* px = &im.rgb[i * 3];
        for (int k = 0; k < 3; ++k) hash = (hash ^ px[k]) * 16777619u;
        grey[i] = uint8_t((px[0] * 299 + px[1] * 587 + px[2] * 114) / 1000);
    }
    std::printf("format %s\nsize %d %d\n", im.format.c_str(), im.width, im.height);
    if (im.hasPpm) std::printf("ppm %u %u\n", im.ppmX, im.ppmY); else std::printf("ppm none\n");
    std::printf("pixels %08x\n", hash);
    std::string bytes;
    bool zbar = decode_grey_with_zbar(grey.data(), im.width, im.height, &bytes) == 0;
    std::printf("zbar %s\n", zbar ? hex(bytes).c_str() : "-");
    bytes.clear();
    bool zxing = decode_grey_with_zxing(grey.data(), im.width, im.height, &bytes) == 0;
    std::printf("zxing %s\n", zxing ? hex(bytes).c_str() : "-");
    return 0;
}
