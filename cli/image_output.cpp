// Image options and files of 'mivoka encode': BMP, PNG and SVG, at a size
// step or a physical size, to a file or standard output.
#include "cli/image_output.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "cli/cli.h"
#include "output/image_formats.h"
#include "pipeline/generation.h"
#include "platform/file_replace.h"
#include "platform/files.h"

const char kImageOptionsHelp[] =
    "image options:\n"
    "  --format bmp|png|svg    the file format; without it the name decides: .png and .svg\n"
    "                          (any case) give those, any other name a bitmap; a name not\n"
    "                          ending in the format's extension gets it (q.svg -> q.svg.png)\n"
    "  -o -                    write the one file to standard output (not with --all or\n"
    "                          --all-records); nothing is listed\n"
    "  --module-mm X           edge of one module in millimetres (0.1 to 10, at most 3\n"
    "                          decimals); PNG and BMP then have round(X * dpi / 25.4)\n"
    "                          pixels per module (at least 1) and the resolution that\n"
    "                          prints X mm, at most 20000 pixels a side; SVG is X mm per\n"
    "                          module (0.5 mm without --module-mm)\n"
    "  --dpi N                 resolution, 72 to 2400 (default 96), written into PNG's pHYs\n"
    "                          and, when given, the bitmap header\n"
    "  --module-mm and --dpi do not go with --size. PNG is 1-bit greyscale for black on\n"
    "  white, else 8-bit RGB; SVG draws the dark modules as one path per colour.\n";

namespace {

const char* const kFormatNames[3] = {"bmp", "png", "svg"};
const char* const kExtensions[3] = {".bmp", ".png", ".svg"};
const int32_t kSvgDefaultMicrometres = 500;

// "X", "X.Y", "X.YY" or "X.YYY" millimetres as micrometres; -1 otherwise.
int32_t parse_millimetres(const char* text) {
    int64_t value = 0;
    int32_t digits = 0, decimals = -1;
    for (const char* p = text; *p; ++p) {
        if (*p == '.' && decimals < 0 && digits > 0) {
            decimals = 0;
            continue;
        }
        if (*p < '0' || *p > '9' || digits > 9) return -1;
        value = value * 10 + (*p - '0');
        ++digits;
        if (decimals >= 0 && ++decimals > 3) return -1;
    }
    if (digits == 0 || decimals == 0) return -1;
    for (int32_t d = decimals < 0 ? 0 : decimals; d < 3; ++d) value *= 10;
    return value > 1000000 ? -1 : static_cast<int32_t>(value);
}


CodeSlot drawnCode;
uint8_t pixelsScratch[kRasterBytes];
Raster g_raster = {0, 0, pixelsScratch, kRasterBytes};

// The code drawn into a source as the options say; an exit code.
int make_source(const ImageOptions& o, int32_t sizeStep, uint32_t colour, const char* display, ImageSource* source,
                uint32_t* pixelsPerMetre) {
    int32_t margin = o.drawing.margin;
    if (o.moduleMicrometres == 0) {
        if (render_symbol(drawnCode.matrix, drawnCode.version, margin, sizeStep, 1, colour, &g_raster) != 0) {
            std::fprintf(stderr, "mivoka encode: the code cannot be drawn\n");
            return ExitFailure;
        }
        *source = raster_source(g_raster);
        // A bitmap carries a resolution only when one was asked for, as the window writes none.
        *pixelsPerMetre = o.format == FormatBmp && !o.dpiGiven ? 0 : pixels_per_metre_of_dpi(o.dpi);
        return ExitOk;
    }
    int32_t p = pixels_per_module(o.moduleMicrometres, o.dpi);
    int64_t side = static_cast<int64_t>(4 * drawnCode.version + 17 + 2 * margin) * p;
    if (side > kMaxImagePixels) {
        std::fprintf(stderr,
                     "mivoka encode: '%s' would be %lld pixels wide (%d per module); at most %d are written\n",
                     display, static_cast<long long>(side), p, kMaxImagePixels);
        return ExitFailure;
    }
    *source = module_source(drawnCode.matrix, drawnCode.version, margin, p, colour);
    *pixelsPerMetre = pixels_per_metre_of_module(p, o.moduleMicrometres);
    return ExitOk;
}

// What a file holds: the SVG's drawing or a raster source; set up before
// the file is opened, so a refused image leaves no file behind.
struct Prepared {
    uint32_t colour;
    int32_t margin;
    ImageSource source;
    uint32_t pixelsPerMetre;
};

int prepare(const ImageOptions& o, int32_t sizeStep, const char* display, Prepared* p) {
    p->colour = o.drawing.colour;
    p->margin = o.drawing.margin;
    if (o.format == FormatSvg) return ExitOk;
    return make_source(o, sizeStep, p->colour, display, &p->source, &p->pixelsPerMetre);
}

int32_t write_prepared(const ImageOptions& o, const Prepared& p, FILE* f) {
    ByteSink sink = file_sink(f);
    if (o.format == FormatSvg) {
        int32_t um = o.moduleMicrometres > 0 ? o.moduleMicrometres : kSvgDefaultMicrometres;
        return write_svg(drawnCode.matrix, drawnCode.version, p.margin, p.colour, um, &sink);
    }
    // Black on white needs only two grey levels.
    if (o.format == FormatPng) return write_png(p.source, p.colour == 0x000000, p.pixelsPerMetre, &sink);
    return write_bmp(p.source, p.pixelsPerMetre, &sink);
}

}  // namespace

void init_image_options(ImageOptions* options) { *options = {-1, 0, kDefaultImageDpi, false, {2, 0x000000}}; }

int parse_image_option(int argc, char** argv, int* i, ImageOptions* o) {
    const char* a = argv[*i];
    if (std::strcmp(a, "--invert") == 0) {
        std::fprintf(stderr, "mivoka: --invert belongs to 'mivoka show'\n");
        return -1;
    }
    int which = !std::strcmp(a, "--format") ? 0 : !std::strcmp(a, "--module-mm") ? 1 : !std::strcmp(a, "--dpi") ? 2 : -1;
    if (which < 0) return 0;
    if (*i + 1 >= argc) return -1;
    const char* v = argv[++*i];
    if (which == 0) {
        for (int32_t f = 0; f < 3; ++f) {
            if (std::strcmp(v, kFormatNames[f]) == 0) return o->format = f, 1;
        }
        std::fprintf(stderr, "mivoka: unknown format '%s' (bmp, png or svg)\n", v);
        return -1;
    }
    if (which == 1) {
        int32_t um = parse_millimetres(v);
        if (um >= 100 && um <= 10000) return o->moduleMicrometres = um, 1;
        std::fprintf(stderr, "mivoka: --module-mm takes 0.1 to 10 millimetres with at most 3 decimals, not '%s'\n", v);
        return -1;
    }
    if (parse_ranged(v, 72, 2400, &o->dpi)) return o->dpiGiven = true, 1;
    std::fprintf(stderr, "mivoka: --dpi takes 72 to 2400, not '%s'\n", v);
    return -1;
}

int settle_image_options(ImageOptions* o, const char* output, bool sizeGiven, bool severalFiles) {
    if (sizeGiven && (o->moduleMicrometres > 0 || o->dpiGiven)) {
        std::fprintf(stderr, "mivoka encode: --size does not go with --module-mm or --dpi\n");
        return ExitFailure;
    }
    if (severalFiles && std::strcmp(output, "-") == 0) {
        std::fprintf(stderr, "mivoka encode: -o - writes one file; --all and --all-records write several\n");
        return ExitFailure;
    }
    if (o->format < 0) o->format = has_extension(output, ".png") ? FormatPng : has_extension(output, ".svg") ? FormatSvg : FormatBmp;
    return ExitOk;
}

bool needs_image_writer(const ImageOptions& o, const char* output) {
    return o.format != FormatBmp || o.moduleMicrometres > 0 || o.dpiGiven || std::strcmp(output, "-") == 0;
}

int32_t ensure_image_extension(const ImageOptions& o, char* path, int32_t room) {
    if (std::strcmp(path, "-") == 0) return 0;
    return ensure_extension(path, room, kExtensions[o.format < 0 ? 0 : o.format]);
}

namespace {

Prepared preparedImage;

int read_and_prepare(int32_t index, const ImageOptions& o, int32_t sizeStep, const char* display) {
    if (read_code(index, &drawnCode) != 0) {
        std::fprintf(stderr, "mivoka encode: there is no code %d\n", index + 1);
        return ExitFailure;
    }
    return prepare(o, sizeStep, display, &preparedImage);
}

}  // namespace

namespace {

// A file's contents for the staged write: the prepared image of the options
// in context.
int32_t put_prepared(FILE* f, void* context) {
    return write_prepared(*static_cast<const ImageOptions*>(context), preparedImage, f);
}

}  // namespace

int write_code_image(int32_t index, const char* path, const ImageOptions& o, int32_t sizeStep, const char* display) {
    if (read_and_prepare(index, o, sizeStep, display) != ExitOk) return ExitFailure;
    int32_t result;
    if (std::strcmp(path, "-") == 0) {
        result = write_prepared(o, preparedImage, stdout) != 0 || std::fflush(stdout) != 0 ? 1 : 0;
    } else {
        // Staged beside the target: a failed write leaves the old file whole.
        result = write_file_staged(path, put_prepared, const_cast<ImageOptions*>(&o));
    }
    if (result != 0) {
        std::fprintf(stderr, "mivoka encode: cannot write '%s'\n", display);
        return ExitFailure;
    }
    return ExitOk;
}

int write_code_images(const ImageOptions& o, const char* path, int32_t first, int32_t count, bool numbered,
                      int32_t numbering, int32_t sizeStep, const char* display, void (*list)(const char* sjis)) {
    static char name[kBitmapPathBytes + 48];
    // Every image is checked before the first file is written.
    for (int32_t k = 0; k < count; ++k) {
        if (read_and_prepare(first + k, o, sizeStep, display) != ExitOk) return ExitFailure;
    }
    for (int32_t k = 0; k < count; ++k) {
        if (numbered && numbered_name(path, numbering, k, name, sizeof name) != 0) return ExitFailure;
        const char* target = numbered ? name : path;
        // A numbered file is named by its code, as the user gave one name.
        static char shown[kBitmapPathBytes * 3 + 32];
        if (numbered) {
            std::snprintf(shown, sizeof shown, "%s (code %d)", display, first + k + 1);
        } else {
            std::snprintf(shown, sizeof shown, "%s", display);
        }
        if (write_code_image(first + k, target, o, sizeStep, shown) != ExitOk) return ExitFailure;
        if (std::strcmp(target, "-") != 0) list(target);
    }
    return ExitOk;
}
