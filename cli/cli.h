// The command-line tool: one function per subcommand, each taking the
// arguments after its name. Exit codes: 0 success, 1 usage, input/output or
// encoding failure, 2 a composition or generation error.
#pragma once

#include <cstdint>
#include <cstdio>

enum ExitCode : int { ExitOk = 0, ExitFailure = 1, ExitGenerationError = 2 };

struct Subcommand {
    const char* name;
    int (*run)(int argc, char** argv);
    const char* summary;
};

int cmd_matrix(int argc, char** argv);
int cmd_payload(int argc, char** argv);
int cmd_codes(int argc, char** argv);
int cmd_encode(int argc, char** argv);
int cmd_show(int argc, char** argv);

// Reads path ("-" or null: standard input) into buffer in binary, at most
// capacity bytes; *tooLong tells whether more followed. The length read, or
// -1 when the file cannot be read.
int32_t read_input(const char* path, char* buffer, int32_t capacity, bool* tooLong);
// Puts the standard streams in binary mode where the platform has text mode.
void set_binary_stdio();
// Switches a Windows console on standard output to UTF-8 output (nothing
// elsewhere, nor when standard output is a file or a pipe).
void set_utf8_console();
// Prints the rows of the current encoder matrix, '0'/'1' per module.
void print_matrix_rows(const uint8_t* matrix, int32_t size);
// True when arg equals "--help" or "-h".
bool is_help(const char* arg);
// A whole decimal number within low .. high into *out; false (out kept)
// for anything else.
bool parse_ranged(const char* text, long low, long high, int32_t* out);
// "command: message" on standard error, the Shift_JIS message as UTF-8.
void print_sjis_message(const char* command, const char* sjis);

// One option parser of a subcommand, over its own record: 1 the option at
// argv[*i] (and its value, *i advanced) taken, 0 not its option, -1 its
// option with a bad or missing value.
struct OptionGroup {
    int (*parse)(int argc, char** argv, int* i, void* options);
    void* options;
};
// A group of a typed parser: OptionGroup{group_parser<T, parse_x>, &record}.
template <typename T, int (*Parse)(int, char**, int*, T*)>
int group_parser(int argc, char** argv, int* i, void* options) {
    return Parse(argc, argv, i, static_cast<T*>(options));
}
// The options of a subcommand, each taken by the first group that knows it.
// ExitOk when all were taken; for --help the help on standard output and
// kHelpShown; else "command: bad option" and the help on standard error,
// and ExitFailure.
constexpr int kHelpShown = -1;
int parse_subcommand(int argc, char** argv, const OptionGroup* groups, int32_t count, const char* command,
                     void (*help)(FILE* out));
