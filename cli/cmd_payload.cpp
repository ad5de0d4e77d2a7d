// mivoka payload: composes the payload from the payload options and writes
// its final bytes, exactly what a generation hands to the splitter.
#include <cstdio>
#include <cstring>

#include "cli/cli.h"
#include "cli/payload_options.h"
#include "payload/payload.h"

static const char kPayloadUsage[] =
    "usage: mivoka payload [payload options]\n"
    "\n"
    "Composes the payload as the form would from these fields, converts the\n"
    "carrier's emoji codes (and for utf8 the character set) and writes the\n"
    "bytes to standard output. A composition error goes to standard error\n"
    "with exit code 2.\n"
    "\n";

static void print_help(FILE* out) {
    std::fputs(kPayloadUsage, out);
    std::fputs(kPayloadOptionsHelp, out);
}

int cmd_payload(int argc, char** argv) {
    PayloadOptions options;
    init_payload_options(&options);
    const OptionGroup groups[] = {{group_parser<PayloadOptions, parse_payload_option>, &options}};
    int parsed = parse_subcommand(argc, argv, groups, 1, "mivoka payload", print_help);
    if (parsed != ExitOk) return parsed == kHelpShown ? ExitOk : parsed;
    int result = compose_from_options(options, "mivoka payload");
    if (result != ExitOk) return result;
    std::fwrite(g_payload.text, 1, std::strlen(g_payload.text), stdout);
    return std::fflush(stdout) == 0 ? ExitOk : ExitFailure;
}
