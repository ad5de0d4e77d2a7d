// The window's image files in each kind: the extension rule of the save
// dialogs' types, and a drawn code written as a bitmap, a PNG of the same
// pixels or an SVG of the same symbol, replaced whole or not at all.
#include <cstdio>

#include "output/image_formats.h"
#include "output/output.h"
#include "platform/file_replace.h"

const char* const kImageExtensions[kImageKindCount] = {".bmp", ".png", ".svg"};

namespace {

// What a staged write puts into the file.
struct DrawnImage {
    const Raster* raster;
    const int32_t* matrix;
    int32_t version;
    int32_t margin;
    uint32_t colour;
    int32_t kind;
};

int32_t put_image(FILE* f, void* context) {
    const DrawnImage& d = *static_cast<const DrawnImage*>(context);
    ByteSink sink = file_sink(f);
    if (d.kind == ImageSvg) return write_svg(d.matrix, d.version, d.margin, d.colour, kSvgModuleMicrometres, &sink);
    // Black on white needs only two grey levels; the file is the tool's.
    return write_png(raster_source(*d.raster), d.colour == 0x000000, pixels_per_metre_of_dpi(kDefaultImageDpi),
                     &sink);
}

}  // namespace

int32_t ensure_kind_extension(char* path, int32_t capacity, int32_t kind) {
    if (kind < 0 || kind >= kImageKindCount) return 1;
    return ensure_extension(path, capacity, kImageExtensions[kind]);
}

int32_t save_drawn_image(const char* path, const Raster& raster, const int32_t* matrix, int32_t version,
                         int32_t margin, uint32_t colour) {
    int32_t kind = has_extension(path, ".png") ? ImagePng : has_extension(path, ".svg") ? ImageSvg : ImageBmp;
    if (kind == ImageBmp) return save_bitmap(path, raster);
    DrawnImage image = {&raster, matrix, version, margin, colour, kind};
    return write_file_staged(path, put_image, &image);
}
