// Image files beyond the window's bitmaps, for the command-line tool: PNG
// (zlib's deflate under chunks of our own), SVG (plain text, modules as
// paths) and the 24-bit bitmap with a resolution in its header. Every writer
// produces its bytes through a ByteSink, so the caller decides where they go
// (a file, standard output, a staged file swapped in when complete, memory).
//
// Pixels come from an ImageSource: the one raster of the window's drawing
// (size steps), or the module matrix at a whole number of pixels per module
// (physical sizes), drawn row by row so no image is held whole. Nothing is
// allocated: the row scratch and zlib's state live in fixed static areas, so
// one image is written at a time.
#pragma once

#include <cstdint>
#include <cstdio>

#include "output/output.h"

// Where the bytes of a file go. write returns 0 when all n bytes were taken.
struct ByteSink {
    int32_t (*write)(void* context, const uint8_t* bytes, int32_t n);
    void* context;
};

// A fixed area in memory that takes bytes until it is full.
struct MemoryBytes {
    uint8_t* bytes;
    int32_t room;
    int32_t used;
};
// A sink writing at memory->used; it refuses (and keeps nothing of) a write
// that does not fit whole.
ByteSink memory_sink(MemoryBytes* memory);

// A sink writing to an open file.
ByteSink file_sink(FILE* f);

// The widest image written from the module matrix, in pixels.
constexpr int32_t kMaxImagePixels = 20000;

// Rows of a square image, top first, as side blue, green, red triples.
struct ImageSource {
    int32_t side;
    // Row y (0 top): a pointer into the source's storage or into scratch
    // (room: 3 * side bytes).
    const uint8_t* (*row)(const ImageSource& source, int32_t y, uint8_t* scratch);
    // Raster source: the raster. Module source: the symbol and its drawing.
    const Raster* raster;
    const int32_t* matrix;   // module (x, y) dark when matrix[x * n + y] is 1
    int32_t version;
    int32_t margin;          // quiet zone in modules
    int32_t pixelsPerModule;
    uint32_t colour;         // 0x00BBGGRR, or kRainbowMarker
};

// The rows of a finished raster (render_symbol).
ImageSource raster_source(const Raster& raster);
// The symbol drawn from its matrix, each module p x p pixels, margin modules
// of white around it; side (4 * version + 17 + 2 * margin) * p. The caller
// checks the side against kMaxImagePixels.
ImageSource module_source(const int32_t* matrix, int32_t version, int32_t margin, int32_t p, uint32_t colour);

// Resolutions in pixels per metre: round(dpi / 0.0254), and the one that
// makes p pixels print as one module of micrometres µm, round(p * 1e6 / µm).
uint32_t pixels_per_metre_of_dpi(int32_t dpi);
// The resolution a PNG carries unless asked for another: the screen's 96
// dpi, at which the pixels show the size step's size.
constexpr int32_t kDefaultImageDpi = 96;
uint32_t pixels_per_metre_of_module(int32_t p, int32_t micrometres);
// Pixels per module of an edge of micrometres µm at dpi: round(µm * dpi /
// 25,400), at least 1.
int32_t pixels_per_module(int32_t micrometres, int32_t dpi);

// A 24-bit bitmap as save_bitmap writes it, with pixelsPerMetre in both
// resolution fields (0: none, as the window writes). 0 written, 1 the sink
// refused bytes.
int32_t write_bmp(const ImageSource& source, uint32_t pixelsPerMetre, ByteSink* sink);

// A PNG: 1-bit greyscale when greyscale is true (white pixels 1, every other
// pixel 0: for black on white), else 8-bit RGB; a pHYs chunk with
// pixelsPerMetre on both axes. 0 written, 1 the sink refused bytes or zlib
// failed.
int32_t write_png(const ImageSource& source, bool greyscale, uint32_t pixelsPerMetre, ByteSink* sink);

// An SVG of the symbol: a white background square and the dark modules as
// one path per colour (colour, or the rainbow gradient for kRainbowMarker),
// each run of a row one rectangle; viewBox in modules with the margin;
// width and height (n + 2 * margin) * micrometres written in millimetres.
// 0 written, 1 the sink refused bytes.
int32_t write_svg(const int32_t* matrix, int32_t version, int32_t margin, uint32_t colour, int32_t micrometres,
                  ByteSink* sink);

// Micrometres as millimetres without trailing zeros ("16.5", "12", "0.125")
// into out (room: 16).
void millimetres_text(int64_t micrometres, char* out);

// --- Shared with the window's bitmap writer --------------------------------------------

constexpr int32_t kBitmapHeaderBytes = 54;
// The 14-byte file header and the 40-byte information header of a 24-bit
// bitmap of side x side pixels (rows bottom first) with imageBytes of rows.
void fill_bitmap_headers(uint8_t* headers, int32_t side, int32_t imageBytes, uint32_t pixelsPerMetre);

// Whether path ends in extension (".bmp", ".png", ".svg"), ASCII letters in
// any case.
bool has_extension(const char* path, const char* extension);
// Appends extension unless path ends in it. 0 done, 1 no room in capacity.
int32_t ensure_extension(char* path, int32_t capacity, const char* extension);
