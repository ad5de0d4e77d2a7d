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
