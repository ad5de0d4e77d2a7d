// Image files of 'mivoka encode' beyond the window's bitmaps: the format
// (--format or the name's extension), physical sizes (--module-mm, --dpi),
// standard output as the target (-o -), and writing one code of the
// CodeList as BMP, PNG or SVG through a byte sink.
#pragma once

#include <cstdint>

#include "output/output.h"

enum ImageFormat : int32_t { FormatBmp = 0, FormatPng = 1, FormatSvg = 2 };

struct ImageOptions {
    int32_t format;             // ImageFormat; -1 until settled (from the name)
    int32_t moduleMicrometres;  // --module-mm in micrometres, 0 not given
    int32_t dpi;                // --dpi, default 96
    bool dpiGiven;
    DrawStyle drawing;          // --margin and --color
};

// Help lines describing the image options.
extern const char kImageOptionsHelp[];

void init_image_options(ImageOptions* options);

// Takes the option at argv[*i] (and its value, advancing *i). 1 taken, 0 not
// an image option, -1 an image option with a missing or bad value (its
// reason already on standard error).
int parse_image_option(int argc, char** argv, int* i, ImageOptions* options);

// Settles the format from the output name (UTF-8) unless --format gave it,
// and refuses the combinations that are usage errors: --module-mm or --dpi
// with --size, -o - with several files. An exit code; the reason on
// standard error.
int settle_image_options(ImageOptions* options, const char* output, bool sizeGiven, bool severalFiles);

// Whether the files need these writers: any format but BMP, a physical size
// or resolution, or standard output. Otherwise the window's bitmap saving
// writes them, byte for byte as "BMPを保存".
bool needs_image_writer(const ImageOptions& options, const char* output);

// Appends the format's extension to a Shift_JIS path (room bytes) unless it
// ends in it; "-" stays. 0 done, 1 no room.
int32_t ensure_image_extension(const ImageOptions& options, char* path, int32_t room);

// Writes code index (from 0) of the CodeList to path (Shift_JIS; "-"
// standard output) in the format, drawn with the settings "drawmargin",
// "colors" and "customcol" and, without --module-mm, the size step. An exit
// code; the reason (naming display, the path as the user wrote it) on
// standard error.
int write_code_image(int32_t index, const char* path, const ImageOptions& options, int32_t sizeStep,
                     const char* display);

// Writes codes first .. first + count - 1 to path, or numbered: code
// first + k under the k-th numbered name of numbering (--all), and calls list with each
// file's Shift_JIS name (none for standard output). Every image is checked
// before the first file is written. An exit code.
int write_code_images(const ImageOptions& options, const char* path, int32_t first, int32_t count, bool numbered,
                      int32_t numbering, int32_t sizeStep, const char* display, void (*list)(const char* sjis));
