// mivoka encode: runs a whole generation and writes the shown code, or every
// code under its numbered name, as the bitmap files of "BMPを保存" and
// "全てのBMPを保存"; or one address-book symbol per contact of a CSV export.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "cli/cli.h"
#include "cli/generation_options.h"
#include "cli/image_output.h"
#include "cli/payload_options.h"
#include "output/output.h"
#include "persistence/outlook_import.h"
#include "pipeline/generation.h"
#include "platform/codepage.h"

namespace {

const char kEncodeUsage[] =
    "usage: mivoka encode [payload options] [generation options] [--size 0..7] [--margin 0..6]\n"
    "                     [--color NAME|#RRGGBB] [--code K | --all | --all-records] [--numbering 0..5]\n"
    "                     [--format bmp|png|svg] [--module-mm X] [--dpi N] -o FILE|-\n"
    "\n"
    "Composes the payload, runs a whole generation (see 'mivoka codes') and writes\n"
    "24-bit bitmaps as the program saves them: code K (from 1, default 1) to FILE,\n"
    "or with --all every code under the numbered names, FILE.bmp becoming\n"
    "FILE-01.bmp, FILE-02.bmp ... with the default numbering 3 (0: 01-FILE,\n"
    "1: 01_FILE, 2: (01)FILE, 3: FILE-01, 4: FILE_01, 5: FILE(01)). A name not\n"
    "ending in .bmp gets it; existing files are replaced. Each file written is\n"
    "printed on its own line. PNG and SVG files, physical sizes and standard\n"
    "output: see the image options below.\n"
    "\n"
    "--all-records (with --csv, without --record) writes one address-book symbol\n"
    "per contact of the export, contact K under the name --all gives code K. A\n"
    "contact whose entry fails or needs more than one code is reported on\n"
    "standard error and skipped; the run then exits 2.\n"
    "\n"
    "drawing options:\n"
    "  --size 0..7             size step of the preview's slider (default 1)\n"
    "  --margin 0..6           quiet zone in modules (default 2)\n"
    "  --color NAME|#RRGGBB    black (default), brown, green, indigo, purple, blue, red,\n"
    "                          grey, pink, orange, lightblue, rainbow, or an own colour\n"
    "\n";

// Colour names in the order of the colour combo box.
const char* const kColourNames[kRainbowColour + 1] = {
    "black", "brown", "green", "indigo", "purple", "blue", "red", "grey", "pink", "orange", "lightblue", "rainbow",
};

struct EncodeOptions {
    int32_t size;
    int32_t margin;
    int32_t colour;        // ModuleColours index
    uint32_t custom;       // 0x00BBGGRR for kCustomColour
    int32_t code;          // from 1
    bool all;
    int32_t numbering;
    const char* output;    // UTF-8
    bool allRecords;
    ImageOptions image;
    bool codeGiven;
    bool sizeGiven;
};

bool parse_colour(const char* text, EncodeOptions* o) {
    for (int32_t i = 0; i <= kRainbowColour; ++i) {
        if (std::strcmp(text, kColourNames[i]) == 0) return o->colour = i, true;
    }
    char* end = nullptr;
    unsigned long rgb = text[0] == '#' && std::strlen(text) == 7 ? std::strtoul(text + 1, &end, 16) : 0;
    if (end == nullptr || *end != '\0') return false;
    o->colour = kCustomColour;
    o->custom = static_cast<uint32_t>((rgb >> 16 & 0xFF) | (rgb & 0xFF00) | (rgb & 0xFF) << 16);
    return true;
}

// 1 taken, 0 not one of these, -1 bad value.
int parse_encode_option(int argc, char** argv, int* i, EncodeOptions* o) {
    const char* a = argv[*i];
    if (std::strcmp(a, "--all") == 0) return o->all = true, 1;
    if (std::strcmp(a, "--all-records") == 0) return o->allRecords = true, 1;
    const char* names[] = {"--size", "--margin", "--color", "--code", "--numbering", "-o"};
    int which = -1;
    for (int k = 0; k < 6; ++k) {
        if (std::strcmp(a, names[k]) == 0) which = k;
    }
    if (which < 0) return 0;
    if (*i + 1 >= argc) return -1;
    const char* v = argv[++*i];
    o->sizeGiven = o->sizeGiven || which == 0;
    o->codeGiven = o->codeGiven || which == 3;
    bool ok = which == 0 ? parse_ranged(v, 0, 7, &o->size)
            : which == 1 ? parse_ranged(v, 0, 6, &o->margin)
            : which == 2 ? parse_colour(v, o)
            : which == 3 ? parse_ranged(v, 1, kMaxCodes, &o->code)
            : which == 4 ? parse_ranged(v, 0, 5, &o->numbering)
                         : (o->output = v, v[0] != '\0');
    return ok ? 1 : -1;
}

void print_path(const char* path) { std::printf("%s\n", path); }

bool replace_without_asking(void*) { return true; }

// Writes the bitmaps of the generation; an exit code.
int write_bitmaps(const EncodeOptions& o, char* path) {
    int32_t count = 0, current = 0;
    read_code_count(&count, &current);
    if (!o.all && o.code > count) {
        std::fprintf(stderr, "mivoka encode: there %s only %d code%s\n", count == 1 ? "is" : "are", count,
                     count == 1 ? "" : "s");
        return ExitFailure;
    }
    set_current_code(o.all ? 0 : o.code - 1);
    if (needs_image_writer(o.image, o.output)) {
        int result = write_code_images(o.image, path, o.all ? 0 : o.code - 1, o.all ? count : 1, o.all, o.numbering,
                                       o.size, o.output, print_path);
        return result == ExitOk && std::fflush(stdout) != 0 ? ExitFailure : result;
    }
    uint32_t failed = 0;   // codes of --all not written; the others are
    int32_t result = o.all ? save_all_bitmaps(path, o.numbering, o.size, o.image.drawing, replace_without_asking, nullptr,
                                            &failed)
                           : save_shown_bitmap(path, o.size, o.image.drawing);
    if (result != SaveWritten && failed == 0) {
        std::fprintf(stderr, "mivoka encode: cannot write '%s'\n", o.output);
        return ExitFailure;
    }
    char name[kBitmapPathBytes + 48];
    for (int32_t k = 0; k < (o.all ? count : 1); ++k) {
        if (o.all) numbered_name(path, o.numbering, k, name, sizeof name);
        if (failed >> k & 1) {
            std::fprintf(stderr, "mivoka encode: cannot write '%s'\n", name);
        } else {
            print_path(o.all ? name : path);
        }
    }
    if (failed != 0) return ExitFailure;
    return std::fflush(stdout) == 0 ? ExitOk : ExitFailure;
}

// --margin and --color as the drawing's style; an own colour is drawn as
// it is, not through the window's colour table.
DrawStyle drawing_of(const EncodeOptions& o) {
    return {o.margin, o.colour == kCustomColour ? o.custom : module_colour(o.colour)};
}

// Composes and generates the symbol of contact record; an exit code, the reason on
// standard error. A contact needing several codes is a generation error.
int generate_contact(PayloadOptions* payload, const GenerationOptions& generation, int32_t record) {
    payload->record = record;
    int result = generate_codes(*payload, generation, "mivoka encode");
    int32_t count = 0, current = 0;
    read_code_count(&count, &current);
    if (result == ExitOk && count != 1) {
        std::fprintf(stderr, "mivoka encode: contact %d needs %d codes\n", record, count);
        result = ExitGenerationError;
    }
    return result;
}

// --all-records: one symbol per contact, contact K under the K-th numbered
// name. 2 when a contact was skipped, 1 when a file cannot be written.
int encode_all_records(PayloadOptions payload, const GenerationOptions& generation, const EncodeOptions& o,
                       char* path) {
    int32_t records = 0;
    if (import_from_options(payload, "mivoka encode", &records) != ExitOk) return ExitFailure;
    ensure_image_extension(o.image, path, kBitmapPathBytes);
    int result = ExitOk;
    for (int32_t record = 1; record <= records; ++record) {
        if (generate_contact(&payload, generation, record) != ExitOk) {
            std::fprintf(stderr, "mivoka encode: contact %d skipped\n", record);
            result = ExitGenerationError;
            continue;
        }
        static char name[kBitmapPathBytes];
        set_current_code(0);
        bool own = needs_image_writer(o.image, o.output);
        if (numbered_name(path, o.numbering, record - 1, name, kBitmapPathBytes) != 0 ||
            (own ? write_code_image(0, name, o.image, o.size, o.output) != ExitOk
                 : save_shown_bitmap(name, o.size, o.image.drawing) != SaveWritten)) {
            std::fprintf(stderr, "mivoka encode: cannot write the file of contact %d\n", record);
            return ExitFailure;
        }
        print_path(name);
    }
    return std::fflush(stdout) == 0 ? result : ExitFailure;
}

void print_help(FILE* out) {
    std::fputs(kEncodeUsage, out);
    std::fputs(kImageOptionsHelp, out);
    std::fputs(kGenerationOptionsHelp, out);
    std::fputs("\npayload options:\n", out);
    std::fputs(kPayloadOptionsHelp, out);
}

int usage_error(const char* arg) {
    std::fprintf(stderr, "mivoka encode: bad option '%s'\n\n", arg);
    print_help(stderr);
    return ExitFailure;
}

}  // namespace

int cmd_encode(int argc, char** argv) {
    PayloadOptions payload;
    init_payload_options(&payload);
    GenerationOptions generation;
    init_generation_options(&generation);
    EncodeOptions o = {1, 2, 0, 0x808080, 1, false, 3, nullptr, false, {}, false, false};
    init_image_options(&o.image);
    const OptionGroup groups[] = {{group_parser<EncodeOptions, parse_encode_option>, &o},
                                  {group_parser<ImageOptions, parse_image_option>, &o.image},
                                  {group_parser<GenerationOptions, parse_generation_option>, &generation},
                                  {group_parser<PayloadOptions, parse_payload_option>, &payload}};
    int parsed = parse_subcommand(argc, argv, groups, 4, "mivoka encode", print_help);
    if (parsed != ExitOk) return parsed == kHelpShown ? ExitOk : parsed;
    bool codeGiven = o.codeGiven, sizeGiven = o.sizeGiven;
    static char path[kBitmapPathBytes];
    if (o.output == nullptr) return usage_error("-o (missing)");
    if (codeGiven && o.all) return usage_error("--code with --all");
    // Room is left for the ".bmp" the program adds to a name without it.
    if (!path_argument(o.output, path, kBitmapPathBytes - 4)) {
        std::fprintf(stderr, "mivoka encode: the name '%s' is too long\n", o.output);
        return ExitFailure;
    }
    if (settle_image_options(&o.image, o.output, sizeGiven, o.all || o.allRecords) != ExitOk) return ExitFailure;
    if (needs_image_writer(o.image, o.output) && ensure_image_extension(o.image, path, kBitmapPathBytes) != 0) {
        return usage_error("-o (too long)");
    }
    o.image.drawing = drawing_of(o);
    if (o.allRecords) {
        if (codeGiven || o.all || payload.csv == nullptr || payload.record > 0) {
            return usage_error("--all-records (it needs --csv and takes no --record, --code or --all)");
        }
        return encode_all_records(payload, generation, o, path);
    }
    int result = generate_codes(payload, generation, "mivoka encode");
    if (result != ExitOk) return result;
    return write_bitmaps(o, path);
}
