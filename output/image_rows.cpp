// Image sources (the drawn raster, or the module matrix at p pixels per
// module), resolutions, the shared bitmap headers and the 24-bit bitmap
// written through a sink. No heap; one row of scratch.
#include "output/image_formats.h"

#include <cstring>

namespace {

// One row of the widest image written.
uint8_t rowScratch[kMaxImagePixels * 3 + 4];

void put16(uint8_t* p, uint32_t v) { p[0] = static_cast<uint8_t>(v), p[1] = static_cast<uint8_t>(v >> 8); }
void put32(uint8_t* p, uint32_t v) { put16(p, v), put16(p + 2, v >> 16); }

const uint8_t* raster_row(const ImageSource& s, int32_t y, uint8_t*) {
    return s.raster->pixels + static_cast<size_t>(y) * s.raster->stride;
}

void fill_pixels(uint8_t* p, int32_t count, uint32_t colour) {
    uint8_t b = static_cast<uint8_t>(colour >> 16), g = static_cast<uint8_t>(colour >> 8), r = static_cast<uint8_t>(colour);
    for (int32_t i = 0; i < count; ++i, p += 3) p[0] = b, p[1] = g, p[2] = r;
}

// Every pixel row of a module row is the same: module row y / p.
const uint8_t* module_row(const ImageSource& s, int32_t y, uint8_t* scratch) {
    int32_t n = 4 * s.version + 17;
    int32_t p = s.pixelsPerModule;
    int32_t my = y / p - s.margin;
    std::memset(scratch, 0xFF, static_cast<size_t>(s.side) * 3);
    if (my < 0 || my >= n) return scratch;
    for (int32_t x = 0; x < n; ++x) {
        if (s.matrix[x * n + my] != 1) continue;
        uint32_t c = s.colour == kRainbowMarker ? rainbow_colour(n, x, my) : s.colour;
        fill_pixels(scratch + static_cast<size_t>(x + s.margin) * p * 3, p, c);
    }
    return scratch;
}

int32_t put(ByteSink* sink, const uint8_t* bytes, int32_t n) { return sink->write(sink->context, bytes, n); }

int32_t write_memory(void* context, const uint8_t* bytes, int32_t n) {
    auto* memory = static_cast<MemoryBytes*>(context);
    if (n < 0 || n > memory->room - memory->used) return 1;
    std::memcpy(memory->bytes + memory->used, bytes, static_cast<size_t>(n));
    memory->used += n;
    return 0;
}

int32_t write_to_file(void* context, const uint8_t* bytes, int32_t n) {
    size_t wanted = static_cast<size_t>(n);
    return std::fwrite(bytes, 1, wanted, static_cast<FILE*>(context)) == wanted ? 0 : 1;
}

}  // namespace

ByteSink memory_sink(MemoryBytes* memory) { return {write_memory, memory}; }

ByteSink file_sink(FILE* f) { return {write_to_file, f}; }

ImageSource raster_source(const Raster& raster) {
    ImageSource s = {};
    s.side = raster.side;
    s.row = raster_row;
    s.raster = &raster;
    return s;
}

ImageSource module_source(const int32_t* matrix, int32_t version, int32_t margin, int32_t p, uint32_t colour) {
    ImageSource s = {};
    s.side = (4 * version + 17 + 2 * margin) * p;
    s.row = module_row;
    s.matrix = matrix;
    s.version = version;
    s.margin = margin;
    s.pixelsPerModule = p;
    s.colour = colour;
    return s;
}

uint32_t pixels_per_metre_of_dpi(int32_t dpi) { return static_cast<uint32_t>((dpi * 20000LL + 254) / 508); }

uint32_t pixels_per_metre_of_module(int32_t p, int32_t micrometres) {
    return static_cast<uint32_t>((p * 2000000LL + micrometres) / (2LL * micrometres));
}

int32_t pixels_per_module(int32_t micrometres, int32_t dpi) {
    int32_t p = static_cast<int32_t>((static_cast<int64_t>(micrometres) * dpi * 2 + 25400) / 50800);
    return p < 1 ? 1 : p;
}

void fill_bitmap_headers(uint8_t* h, int32_t side, int32_t imageBytes, uint32_t pixelsPerMetre) {
    std::memset(h, 0, kBitmapHeaderBytes);
    h[0] = 'B', h[1] = 'M';
    put32(h + 2, static_cast<uint32_t>(kBitmapHeaderBytes + imageBytes));
    put32(h + 10, kBitmapHeaderBytes);
    put32(h + 14, 40);
    put32(h + 18, static_cast<uint32_t>(side));
    put32(h + 22, static_cast<uint32_t>(side));   // positive: bottom row first
    put16(h + 26, 1);
    put16(h + 28, 24);
    put32(h + 34, static_cast<uint32_t>(imageBytes));
    put32(h + 38, pixelsPerMetre);
    put32(h + 42, pixelsPerMetre);
}

bool has_extension(const char* path, const char* extension) {
    size_t length = std::strlen(path), n = std::strlen(extension);
    if (length < n) return false;
    for (size_t i = 0; i < n; ++i) {
        char c = path[length - n + i];
        if ((c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c) != extension[i]) return false;
    }
    return true;
}

int32_t write_bmp(const ImageSource& source, uint32_t pixelsPerMetre, ByteSink* sink) {
    int32_t stride = raster_stride(source.side);
    uint8_t headers[kBitmapHeaderBytes];
    fill_bitmap_headers(headers, source.side, stride * source.side, pixelsPerMetre);
    if (put(sink, headers, kBitmapHeaderBytes) != 0) return 1;
    int32_t bytes = source.side * 3;
    for (int32_t y = source.side - 1; y >= 0; --y) {
        const uint8_t* row = source.row(source, y, rowScratch);
        // The padding of a raster row is zero already; a module row gets it here.
        if (row == rowScratch) std::memset(rowScratch + bytes, 0, static_cast<size_t>(stride - bytes));
        if (put(sink, row, stride) != 0) return 1;
    }
    return 0;
}
