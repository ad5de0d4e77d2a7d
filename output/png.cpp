// PNG files: the signature, IHDR, pHYs, the image rows deflated by zlib into
// IDAT chunks as its output fills, IEND. zlib's state comes from a static
// arena, so writing allocates nothing; one image at a time.
#include "output/image_formats.h"

#include <cstring>

#include <zlib.h>

namespace {

// zlib's deflate state at the default window and memory level needs about
// 256 KiB plus a few small blocks.
alignas(16) uint8_t g_arena[400 * 1024];
size_t g_arenaUsed = 0;

voidpf arena_alloc(voidpf, uInt items, uInt size) {
    size_t bytes = (static_cast<size_t>(items) * size + 15) / 16 * 16;
    if (g_arenaUsed + bytes > sizeof g_arena) return Z_NULL;
    void* p = g_arena + g_arenaUsed;
    g_arenaUsed += bytes;
    return p;
}
void arena_free(voidpf, voidpf) {}

uint8_t rowScratch[kMaxImagePixels * 3 + 4];
uint8_t packedScratch[kMaxImagePixels * 3 + 1];
uint8_t deflatedScratch[64 * 1024];

void put32(uint8_t* p, uint32_t v) {
    p[0] = static_cast<uint8_t>(v >> 24), p[1] = static_cast<uint8_t>(v >> 16);
    p[2] = static_cast<uint8_t>(v >> 8), p[3] = static_cast<uint8_t>(v);
}

// One chunk: length, type, data, CRC of type and data.
int32_t write_chunk(ByteSink* sink, const char* type, const uint8_t* data, int32_t length) {
    uint8_t head[8], tail[4];
    put32(head, static_cast<uint32_t>(length));
    std::memcpy(head + 4, type, 4);
    uLong crc = crc32(0, head + 4, 4);
    if (length > 0) crc = crc32(crc, data, static_cast<uInt>(length));
    put32(tail, static_cast<uint32_t>(crc));
    if (sink->write(sink->context, head, 8) != 0) return 1;
    if (length > 0 && sink->write(sink->context, data, length) != 0) return 1;
    return sink->write(sink->context, tail, 4);
}

int32_t write_header_chunks(int32_t side, bool greyscale, uint32_t pixelsPerMetre, ByteSink* sink) {
    static const uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    uint8_t ihdr[13];
    put32(ihdr, static_cast<uint32_t>(side));
    put32(ihdr + 4, static_cast<uint32_t>(side));
    ihdr[8] = greyscale ? 1 : 8;     // bit depth
    ihdr[9] = greyscale ? 0 : 2;     // colour type: greyscale, truecolour
    ihdr[10] = ihdr[11] = ihdr[12] = 0;   // deflate, adaptive filters, no interlace
    uint8_t phys[9];
    put32(phys, pixelsPerMetre);
    put32(phys + 4, pixelsPerMetre);
    phys[8] = 1;                     // the unit is the metre
    if (sink->write(sink->context, kSignature, 8) != 0) return 1;
    if (write_chunk(sink, "IHDR", ihdr, 13) != 0) return 1;
    return write_chunk(sink, "pHYs", phys, 9);
}

// Row y as PNG scanline bytes after the filter byte 0 (none).
int32_t pack_row(const ImageSource& source, int32_t y, bool greyscale) {
    const uint8_t* bgr = source.row(source, y, rowScratch);
    int32_t side = source.side;
    packedScratch[0] = 0;
    uint8_t* out = packedScratch + 1;
    if (!greyscale) {
        for (int32_t x = 0; x < side; ++x, bgr += 3) out[3 * x] = bgr[2], out[3 * x + 1] = bgr[1], out[3 * x + 2] = bgr[0];
        return 1 + 3 * side;
    }
    int32_t bytes = (side + 7) / 8;
    std::memset(out, 0, static_cast<size_t>(bytes));
    for (int32_t x = 0; x < side; ++x, bgr += 3) {
        if (bgr[0] == 0xFF && bgr[1] == 0xFF && bgr[2] == 0xFF) out[x >> 3] |= static_cast<uint8_t>(0x80 >> (x & 7));
    }
    return 1 + bytes;
}

// Deflates what the stream holds; full output buffers become IDAT chunks.
int32_t pump(z_stream* z, int flush, ByteSink* sink) {
    int status = Z_OK;
    do {
        status = deflate(z, flush);
        if (status == Z_STREAM_ERROR) return 1;
        int32_t ready = static_cast<int32_t>(sizeof deflatedScratch - z->avail_out);
        if (z->avail_out == 0 || (flush == Z_FINISH && ready > 0)) {
            if (write_chunk(sink, "IDAT", deflatedScratch, ready) != 0) return 1;
            z->next_out = deflatedScratch;
            z->avail_out = sizeof deflatedScratch;
        }
    } while (flush == Z_FINISH ? status != Z_STREAM_END : z->avail_in > 0);
    return 0;
}

int32_t write_rows(const ImageSource& source, bool greyscale, ByteSink* sink) {
    g_arenaUsed = 0;
    z_stream z = {};
    z.zalloc = arena_alloc;
    z.zfree = arena_free;
    if (deflateInit(&z, Z_DEFAULT_COMPRESSION) != Z_OK) return 1;
    z.next_out = deflatedScratch;
    z.avail_out = sizeof deflatedScratch;
    int32_t result = 0;
    for (int32_t y = 0; y < source.side && result == 0; ++y) {
        z.next_in = packedScratch;
        z.avail_in = static_cast<uInt>(pack_row(source, y, greyscale));
        result = pump(&z, Z_NO_FLUSH, sink);
    }
    if (result == 0) result = pump(&z, Z_FINISH, sink);
    deflateEnd(&z);
    return result;
}

}  // namespace

int32_t write_png(const ImageSource& source, bool greyscale, uint32_t pixelsPerMetre, ByteSink* sink) {
    if (source.side < 1 || source.side > kMaxImagePixels) return 1;
    if (write_header_chunks(source.side, greyscale, pixelsPerMetre, sink) != 0) return 1;
    if (write_rows(source, greyscale, sink) != 0) return 1;
    return write_chunk(sink, "IEND", nullptr, 0);
}
