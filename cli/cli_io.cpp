// Input and output helpers of the command-line tool: binary streams on every
// platform, so the bytes read and printed never depend on text-mode rules.
#include "cli/cli.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#endif

#include "encoder/encoder.h"
#include "platform/codepage.h"
#include "platform/files.h"

void set_binary_stdio() {
#ifdef _WIN32
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
#endif
}

#ifdef _WIN32
namespace {

UINT g_consoleCodePage = 0;

// The console keeps its code page after the tool ends, so it is given back.
void restore_console_code_page() { SetConsoleOutputCP(g_consoleCodePage); }

}  // namespace
#endif

void set_utf8_console() {
#ifdef _WIN32
    DWORD mode = 0;
    if (!GetConsoleMode(GetStdHandle(STD_OUTPUT_HANDLE), &mode) || g_consoleCodePage != 0) return;
    g_consoleCodePage = GetConsoleOutputCP();
    if (SetConsoleOutputCP(CP_UTF8)) std::atexit(restore_console_code_page);
#endif
}

int32_t read_input(const char* path, char* buffer, int32_t capacity, bool* tooLong) {
    bool useStdin = path == nullptr || std::strcmp(path, "-") == 0;
    FILE* f = useStdin ? stdin : open_file(path, "rb");
    *tooLong = false;
    if (f == nullptr) return -1;
    size_t total = 0;
    size_t got = 0;
    do {
        got = std::fread(buffer + total, 1, static_cast<size_t>(capacity) - total, f);
        total += got;
    } while (got > 0 && total < static_cast<size_t>(capacity));
    if (total == static_cast<size_t>(capacity)) *tooLong = std::fgetc(f) != EOF;
    bool failed = std::ferror(f) != 0;
    if (!useStdin) std::fclose(f);
    return failed ? -1 : static_cast<int32_t>(total);
}

void print_matrix_rows(const uint8_t* matrix, int32_t size) {
    char line[kMaxModules + 2];
    for (int32_t y = 0; y < size; ++y) {
        for (int32_t x = 0; x < size; ++x) line[x] = matrix[x * kMaxModules + y] ? '1' : '0';
        line[size] = '\n';
        std::fwrite(line, 1, static_cast<size_t>(size) + 1, stdout);
    }
}

bool is_help(const char* arg) {
    return std::strcmp(arg, "--help") == 0 || std::strcmp(arg, "-h") == 0;
}

bool parse_ranged(const char* text, long low, long high, int32_t* out) {
    char* end = nullptr;
    long v = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || v < low || v > high) return false;
    *out = static_cast<int32_t>(v);
    return true;
}

void print_sjis_message(const char* command, const char* sjis) {
    static uint16_t units[256];
    static char utf8[256 * kUtf8BytesPerUtf16 + 1];
    int32_t n = cp932_to_utf16(sjis, static_cast<int32_t>(strnlen(sjis, 255)), units);
    utf8[utf16_to_utf8(units, n, utf8)] = '\0';
    std::fprintf(stderr, "%s: %s\n", command, utf8);
}

int parse_subcommand(int argc, char** argv, const OptionGroup* groups, int32_t count, const char* command,
                     void (*help)(FILE* out)) {
    for (int i = 0; i < argc; ++i) {
        if (is_help(argv[i])) {
            help(stdout);
            return kHelpShown;
        }
        int taken = 0;
        for (int32_t g = 0; g < count && taken == 0; ++g) taken = groups[g].parse(argc, argv, &i, groups[g].options);
        if (taken != 1) {
            std::fprintf(stderr, "%s: bad option '%s'\n\n", command, argv[i]);
            help(stderr);
            return ExitFailure;
        }
    }
    return ExitOk;
}
