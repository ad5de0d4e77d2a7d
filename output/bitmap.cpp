// Bitmap files: the 24-bit writer, the ".bmp" rule and the numbered names.
#include "output/output.h"

#include <cstdio>
#include <cstring>

#include "output/image_formats.h"
#include "platform/file_replace.h"
#include "resources/messages.h"

// 先頭 / 後ろ
const NumberingStyle NumberingStyles[kNumberingStyleCount] = {
    {kNumberingFront, {"01-", "02-"}, "01-", 1},   {kNumberingFront, {"01_", "02_"}, "01_", 1},
    {kNumberingFront, {"(01)", "(02)"}, "(01)", 1}, {kNumberingBack, {"-01", "-02"}, "-01", 0},
    {kNumberingBack, {"_01", "_02"}, "_01", 0},   {kNumberingBack, {"(01)", "(02)"}, "(01)", 0},
};


namespace {

// Where the last path component starts and where its extension starts
// (its length when it has none). Paths are UTF-8, whose bytes of longer
// characters are never a separator or a dot.
void split_name(const char* path, int32_t* name, int32_t* extension) {
    int32_t length = static_cast<int32_t>(std::strlen(path));
    *name = 0;
    int32_t dot = -1;
    for (int32_t i = 0; i < length; ++i) {
        uint8_t b = static_cast<uint8_t>(path[i]);
        if (b == '\\' || b == '/' || (b == ':' && i == 1)) {
            *name = i + 1;
            dot = -1;
        } else if (b == '.') {
            dot = i;
        }
    }
    *extension = dot >= 0 ? dot : length;
}

// The pattern's last digit run (at most its last 9 digits count).
void digit_run(const char* pattern, int32_t* start, int32_t* end) {
    int32_t i = static_cast<int32_t>(std::strlen(pattern));
    while (i > 0 && !(pattern[i - 1] >= '0' && pattern[i - 1] <= '9')) --i;
    *end = i;
    while (i > 0 && pattern[i - 1] >= '0' && pattern[i - 1] <= '9') --i;
    *start = i;
}

// The label of code k: prefix, the counted number padded with the run's own
// leading characters, suffix.
void numbered_label(const char* pattern, int32_t k, char* label) {
    int32_t start = 0, end = 0;
    digit_run(pattern, &start, &end);
    int32_t counted = end - start > 9 ? end - 9 : start;
    long value = 0;
    for (int32_t i = counted; i < end; ++i) value = value * 10 + (pattern[i] - '0');
    value += k;
    if (value < 0) value = 0;
    char number[16];
    int32_t digits = std::snprintf(number, sizeof number, "%ld", value);
    int32_t pad = end - start > digits ? end - start - digits : 0;
    std::snprintf(label, 48, "%.*s%.*s%s%s", start, pattern, pad, pattern + start, number, pattern + end);
}

// The bitmap's bytes: headers, then the rows bottom first. 0 all written.
int32_t put_bitmap(FILE* f, void* context) {
    const Raster& raster = *static_cast<const Raster*>(context);
    uint8_t headers[kBitmapHeaderBytes];
    fill_bitmap_headers(headers, raster.side, raster.stride * raster.side, 0);
    bool ok = std::fwrite(headers, 1, kBitmapHeaderBytes, f) == kBitmapHeaderBytes;
    for (int32_t row = raster.side - 1; ok && row >= 0; --row) {
        const uint8_t* p = raster.pixels + static_cast<size_t>(row) * raster.stride;
        ok = std::fwrite(p, 1, static_cast<size_t>(raster.stride), f) == static_cast<size_t>(raster.stride);
    }
    return ok ? 0 : 1;
}

}  // namespace

int32_t save_bitmap(const char* path, const Raster& raster) {
    Raster copy = raster;
    return write_file_staged(path, put_bitmap, &copy);
}

int32_t ensure_bmp_extension(char* path, int32_t capacity) { return ensure_extension(path, capacity, ".bmp"); }

int32_t ensure_extension(char* path, int32_t capacity, const char* extension) {
    if (has_extension(path, extension)) return 0;
    size_t length = std::strlen(path), add = std::strlen(extension);
    if (length + add + 1 > static_cast<size_t>(capacity)) return 1;
    std::memcpy(path + length, extension, add + 1);
    return 0;
}

void numbering_style_text(int32_t style, char* out) {
    const NumberingStyle& s = NumberingStyles[((style % 6) + 6) % 6];
    // "%sに %s %s を付ける"
    std::snprintf(out, 64, kNumberingStyleFormat, s.position, s.samples[0], s.samples[1]);
}

int32_t numbered_name(const char* path, int32_t style, int32_t k, char* out, int32_t capacity) {
    const NumberingStyle& s = NumberingStyles[((style % 6) + 6) % 6];
    char label[48];
    numbered_label(s.pattern, k, label);
    int32_t name = 0, extension = 0;
    split_name(path, &name, &extension);
    int n = s.before ? std::snprintf(out, static_cast<size_t>(capacity), "%.*s%s%s", name, path, label, path + name)
                     : std::snprintf(out, static_cast<size_t>(capacity), "%.*s%s%s", extension, path, label,
                                     path + extension);
    return n >= 0 && n < capacity ? 0 : 1;
}
