// Reading PNG and bitmap files back for the tests.
#include "tests/cli/image_read_support.h"

#include <cstring>

#include <zlib.h>


namespace {

uint32_t be32(const uint8_t* p) { return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3]; }
uint32_t le32(const uint8_t* p) { return uint32_t(p[3]) << 24 | uint32_t(p[2]) << 16 | uint32_t(p[1]) << 8 | p[0]; }

int paeth(int a, int b, int c) {
    int p = a + b - c, pa = p > a ? p - a : a - p, pb = p > b ? p - b : b - p, pc = p > c ? p - c : c - p;
    return pa <= pb && pa <= pc ? a : pb <= pc ? b : c;
}

// Reverses the scanline filters in place; bpp bytes per pixel (1 for 1-bit).
bool unfilter(std::vector<uint8_t>& data, int32_t rowBytes, int32_t rows, int32_t bpp) {
    for (int32_t y = 0; y < rows; ++y) {
        uint8_t* line = &data[size_t(y) * (rowBytes + 1)];
        const uint8_t* prev = y > 0 ? line - (rowBytes + 1) + 1 : nullptr;
        uint8_t type = line[0];
        uint8_t* cur = line + 1;
        for (int32_t i = 0; i < rowBytes; ++i) {
            int a = i >= bpp ? cur[i - bpp] : 0, b = prev ? prev[i] : 0, c = prev && i >= bpp ? prev[i - bpp] : 0;
            int add = type == 0 ? 0 : type == 1 ? a : type == 2 ? b : type == 3 ? (a + b) / 2 : type == 4 ? paeth(a, b, c) : -1;
            if (add < 0) return false;
            cur[i] = uint8_t(cur[i] + add);
        }
    }
    return true;
}

}  // namespace

bool read_png(const std::string& f, Image* im) {
    const uint8_t* p = reinterpret_cast<const uint8_t*>(f.data());
    if (f.size() < 8 || std::memcmp(p, "\x89PNG\r\n\x1A\n", 8) != 0) return false;
    std::string idat;
    int depth = 0, colour = 0;
    for (size_t at = 8; at + 12 <= f.size();) {
        uint32_t length = be32(p + at);
        if (at + 12 + length > f.size()) return false;
        const uint8_t* type = p + at + 4;
        const uint8_t* data = p + at + 8;
        if (crc32(crc32(0, type, 4), data, length) != be32(data + length)) return false;
        if (!std::memcmp(type, "IHDR", 4)) {
            im->width = int32_t(be32(data)), im->height = int32_t(be32(data + 4)), depth = data[8], colour = data[9];
            if (data[12] != 0) return false;   // interlaced
        } else if (!std::memcmp(type, "pHYs", 4)) {
            im->hasPpm = data[8] == 1, im->ppmX = be32(data), im->ppmY = be32(data + 4);
        } else if (!std::memcmp(type, "IDAT", 4)) {
            idat.append(reinterpret_cast<const char*>(data), length);
        } else if (!std::memcmp(type, "IEND", 4)) {
            break;
        }
        at += 12 + length;
    }
    int channels = colour == 0 ? 1 : colour == 2 ? 3 : colour == 6 ? 4 : 0;
    if (channels == 0 || (depth != 8 && !(depth == 1 && colour == 0))) return false;
    im->format = depth == 1 ? "png-grey1" : colour == 0 ? "png-grey8" : colour == 2 ? "png-rgb8" : "png-rgba8";
    int32_t rowBytes = depth == 1 ? (im->width + 7) / 8 : im->width * channels;
    std::vector<uint8_t> raw(size_t(rowBytes + 1) * im->height);
    uLongf rawLength = raw.size();
    if (uncompress(raw.data(), &rawLength, reinterpret_cast<const Bytef*>(idat.data()), idat.size()) != Z_OK ||
        rawLength != raw.size() || !unfilter(raw, rowBytes, im->height, depth == 1 ? 1 : channels)) {
        return false;
    }
    im->rgb.resize(size_t(im->width) * im->height * 3);
    for (int32_t y = 0; y < im->height; ++y) {
        const uint8_t* line = &raw[size_t(y) * (rowBytes + 1) + 1];
        for (int32_t x = 0; x < im->width; ++x) {
            uint8_t* out = &im->rgb[(size_t(y) * im->width + x) * 3];
            if (depth == 1) {
                out[0] = out[1] = out[2] = (line[x / 8] >> (7 - x % 8) & 1) ? 255 : 0;
                continue;
            }
            const uint8_t* px = line + size_t(x) * channels;
            int alpha = channels == 4 ? px[3] : 255;
            for (int k = 0; k < 3; ++k) {
                int v = channels == 1 ? px[0] : px[k];
                out[k] = uint8_t((v * alpha + 255 * (255 - alpha)) / 255);   // over white
            }
        }
    }
    return true;
}

bool read_bmp(const std::string& f, Image* im) {
    const uint8_t* p = reinterpret_cast<const uint8_t*>(f.data());
    if (f.size() < 54 || p[0] != 'B' || p[1] != 'M' || p[28] != 24) return false;
    im->format = "bmp";
    im->width = int32_t(le32(p + 18)), im->height = int32_t(le32(p + 22));
    im->ppmX = le32(p + 38), im->ppmY = le32(p + 42), im->hasPpm = im->ppmX != 0;
    int32_t stride = (im->width * 3 + 3) / 4 * 4;
    if (f.size() < 54 + size_t(stride) * im->height) return false;
    im->rgb.resize(size_t(im->width) * im->height * 3);
    for (int32_t y = 0; y < im->height; ++y) {
        const uint8_t* row = p + 54 + size_t(im->height - 1 - y) * stride;
        for (int32_t x = 0; x < im->width; ++x) {
            uint8_t* out = &im->rgb[(size_t(y) * im->width + x) * 3];
            out[0] = row[3 * x + 2], out[1] = row[3 * x + 1], out[2] = row[3 * x];
        }
    }
    return true;
}

