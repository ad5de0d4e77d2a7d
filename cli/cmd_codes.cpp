// mivoka codes: runs a whole generation pass after pass, as the program does,
// and prints every code: its number, version and byte count, its text in hex
// and its module rows.
#include <cstdio>
#include <cstring>

#include "cli/cli.h"
#include "cli/generation_options.h"
#include "cli/payload_options.h"
#include "pipeline/generation.h"

namespace {

const char kCodesUsage[] =
    "usage: mivoka codes [payload options] [generation options]\n"
    "\n"
    "Composes the payload, splits it into up to 20 codes and encodes each, as\n"
    "the program's generation does (the QR2DLL library loaded from beside the\n"
    "tool). For each code it prints 'code K version V bytes B', the code's text\n"
    "in hex, then one line per row of modules, '1' dark and '0' light.\n"
    "A generation error goes to standard error with exit code 2.\n"
    "\n";

void print_usage(FILE* out) {
    std::fputs(kCodesUsage, out);
    std::fputs(kPayloadOptionsHelp, out);
    std::fputs(kGenerationOptionsHelp, out);
}

CodeSlot printedCode;

void print_code(int32_t index) {
    int32_t length = static_cast<int32_t>(std::strlen(printedCode.text));
    std::printf("code %d version %d bytes %d\n", index + 1, printedCode.version, length);
    for (int32_t i = 0; i < length; ++i) std::printf("%02x", static_cast<uint8_t>(printedCode.text[i]));
    std::printf("\n");
    int32_t n = 4 * printedCode.version + 17;
    char line[4 * 40 + 17 + 2];
    for (int32_t y = 0; y < n; ++y) {
        for (int32_t x = 0; x < n; ++x) line[x] = printedCode.matrix[x * n + y] ? '1' : '0';
        line[n] = '\n';
        std::fwrite(line, 1, static_cast<size_t>(n) + 1, stdout);
    }
}

}  // namespace

int cmd_codes(int argc, char** argv) {
    PayloadOptions payload;
    init_payload_options(&payload);
    GenerationOptions generation;
    init_generation_options(&generation);
    const OptionGroup groups[] = {{group_parser<GenerationOptions, parse_generation_option>, &generation},
                                  {group_parser<PayloadOptions, parse_payload_option>, &payload}};
    int parsed = parse_subcommand(argc, argv, groups, 2, "mivoka codes", print_usage);
    if (parsed != ExitOk) return parsed == kHelpShown ? ExitOk : parsed;
    // Fills the tool's form; its composition errors and warnings are the generation's own.
    int result = generate_codes(payload, generation, "mivoka codes");
    if (result != ExitOk) return result;
    for (int32_t i = 0; read_code(i, &printedCode) == 0; ++i) print_code(i);
    return std::fflush(stdout) == 0 ? ExitOk : ExitFailure;
}
