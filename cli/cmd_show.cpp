// mivoka show: runs a generation as 'codes' does and prints one code in the
// terminal with Unicode half blocks, two module rows per line, quiet zone
// included; a status line goes to standard error.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "cli/cli.h"
#include "cli/generation_options.h"
#include "cli/payload_options.h"
#include "pipeline/generation.h"

namespace {

const char kShowUsage[] =
    "usage: mivoka show [payload options] [generation options] [--code K] [--margin 0..10] [--invert]\n"
    "\n"
    "Composes the payload and runs a whole generation (see 'mivoka codes'), then\n"
    "prints code K (from 1, default 1) with Unicode half blocks: each line holds\n"
    "two rows of modules, the quiet zone included. Standard error gets the line\n"
    "'code K of N, version V, B bytes'. The output is UTF-8 (a Windows console is\n"
    "switched to it).\n"
    "\n"
    "  --code K                the code to show (default 1)\n"
    "  --margin 0..10          quiet zone in modules (default 4, which readers need)\n"
    "  --invert                light modules as blocks, for light text on a dark terminal\n"
    "\n";

// Upper half, lower half, full block; a space for neither.
const char* const kBlocks[4] = {" ", "\xE2\x96\x80", "\xE2\x96\x84", "\xE2\x96\x88"};

struct ShowOptions {
    int32_t code;
    int32_t margin;
    bool invert;
};

void print_usage(FILE* out) {
    std::fputs(kShowUsage, out);
    std::fputs(kPayloadOptionsHelp, out);
    std::fputs(kGenerationOptionsHelp, out);
}

// 1 taken, 0 not a show option, -1 bad value.
int parse_show_option(int argc, char** argv, int* i, ShowOptions* o) {
    const char* a = argv[*i];
    if (std::strcmp(a, "--invert") == 0) return o->invert = true, 1;
    bool code = std::strcmp(a, "--code") == 0;
    if (!code && std::strcmp(a, "--margin") != 0) return 0;
    if (*i + 1 >= argc) return -1;
    const char* v = argv[++*i];
    return parse_ranged(v, code ? 1 : 0, code ? kMaxCodes : 10, code ? &o->code : &o->margin) ? 1 : -1;
}

CodeSlot shownCode;

// Whether the block at (x, y) of the image with its quiet zone is drawn.
bool inked(const ShowOptions& o, int32_t n, int32_t x, int32_t y) {
    x -= o.margin, y -= o.margin;
    bool dark = x >= 0 && y >= 0 && x < n && y < n && shownCode.matrix[x * n + y] == 1;
    return dark != o.invert;
}

void print_blocks(const ShowOptions& o) {
    int32_t n = 4 * shownCode.version + 17;
    int32_t e = n + 2 * o.margin;
    static char line[(177 + 20) * 3 + 2];
    for (int32_t y = 0; y < e; y += 2) {
        int32_t used = 0;
        for (int32_t x = 0; x < e; ++x) {
            int32_t k = (inked(o, n, x, y) ? 1 : 0) | (y + 1 < e && inked(o, n, x, y + 1) ? 2 : 0);
            size_t bytes = std::strlen(kBlocks[k]);
            std::memcpy(line + used, kBlocks[k], bytes);
            used += static_cast<int32_t>(bytes);
        }
        line[used++] = '\n';
        std::fwrite(line, 1, static_cast<size_t>(used), stdout);
    }
}

}  // namespace

int cmd_show(int argc, char** argv) {
    PayloadOptions payload;
    init_payload_options(&payload);
    GenerationOptions generation;
    init_generation_options(&generation);
    ShowOptions o = {1, 4, false};
    const OptionGroup groups[] = {{group_parser<ShowOptions, parse_show_option>, &o},
                                  {group_parser<GenerationOptions, parse_generation_option>, &generation},
                                  {group_parser<PayloadOptions, parse_payload_option>, &payload}};
    int parsed = parse_subcommand(argc, argv, groups, 3, "mivoka show", print_usage);
    if (parsed != ExitOk) return parsed == kHelpShown ? ExitOk : parsed;
    int result = generate_codes(payload, generation, "mivoka show");
    if (result != ExitOk) return result;
    int32_t count = 0, current = 0;
    read_code_count(&count, &current);
    if (o.code > count || read_code(o.code - 1, &shownCode) != 0) {
        std::fprintf(stderr, "mivoka show: there %s only %d code%s\n", count == 1 ? "is" : "are", count,
                     count == 1 ? "" : "s");
        return ExitFailure;
    }
    set_utf8_console();
    print_blocks(o);
    std::fprintf(stderr, "code %d of %d, version %d, %d bytes\n", o.code, count, shownCode.version,
                 static_cast<int32_t>(std::strlen(shownCode.text)));
    return std::fflush(stdout) == 0 ? ExitOk : ExitFailure;
}
