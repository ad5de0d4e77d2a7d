// Entry of the command-line tool: finds the subcommand and runs it.
#include <cstdio>
#include <cstring>

#include "cli/cli.h"
#include "platform/command_line.h"

static const Subcommand kSubcommands[] = {
    {"matrix", cmd_matrix, "encode bytes as one QR symbol and print its modules"},
    {"payload", cmd_payload, "compose a payload from form fields and print its bytes"},
    {"codes", cmd_codes, "run a whole generation and print every code"},
    {"encode", cmd_encode, "run a whole generation and write BMP, PNG or SVG files"},
    {"show", cmd_show, "run a whole generation and show one code in the terminal"},
};

static void print_usage(FILE* out) {
    std::fputs("usage: mivoka <subcommand> [options]\n\nsubcommands:\n", out);
    for (const Subcommand& s : kSubcommands) std::fprintf(out, "  %-10s %s\n", s.name, s.summary);
    std::fputs("\n'mivoka <subcommand> --help' describes each one.\n", out);
}

int main(int argc, char** argv) {
    set_binary_stdio();
    utf8_arguments(&argc, &argv);
    if (argc < 2) {
        print_usage(stderr);
        return ExitFailure;
    }
    if (is_help(argv[1])) {
        print_usage(stdout);
        return ExitOk;
    }
    for (const Subcommand& s : kSubcommands) {
        if (std::strcmp(argv[1], s.name) == 0) return s.run(argc - 2, argv + 2);
    }
    std::fprintf(stderr, "mivoka: unknown subcommand '%s'\n", argv[1]);
    print_usage(stderr);
    return ExitFailure;
}
