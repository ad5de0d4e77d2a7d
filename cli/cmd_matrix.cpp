// mivoka matrix: encodes the raw bytes of a file (or standard input) as one
// symbol and prints the version, the mask and the module rows.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "cli/cli.h"
#include "encoder/encoder.h"

static const char kMatrixHelp[] =
    "usage: mivoka matrix [--level L|M|Q|H] [--version N] [--allow-larger] [--kanji-off] [FILE]\n"
    "\n"
    "Encodes the bytes of FILE (standard input when absent) as one QR symbol\n"
    "(automatic mask; default level M, smallest version) and prints 'version V',\n"
    "'mask M', then one line per row of modules, '1' dark and '0' light.\n"
    "A NUL byte ends the data.\n";

static int32_t parse_level(const char* s) {
    static const char kLevels[] = "LMQH";
    if (s[0] == '\0' || s[1] != '\0') return -1;
    const char* p = std::strchr(kLevels, s[0]);
    return p ? static_cast<int32_t>(p - kLevels) : -1;
}

static int32_t parse_version(const char* s) {
    int32_t v = -1;
    return parse_ranged(s, 0, kMaxVersion, &v) ? v : -1;
}

// Input buffer: the longest input any symbol can hold, plus the NUL.
static char matrixInputScratch[kMaxInputBytes + 1];

int cmd_matrix(int argc, char** argv) {
    int32_t level = LevelM, version = 0, kanjiOff = 0;
    bool allowLarger = false;
    const char* path = nullptr;
    for (int i = 0; i < argc; ++i) {
        const char* a = argv[i];
        if (is_help(a)) {
            std::fputs(kMatrixHelp, stdout);
            return ExitOk;
        } else if (std::strcmp(a, "--level") == 0 && i + 1 < argc) {
            if ((level = parse_level(argv[++i])) < 0) break;
        } else if (std::strcmp(a, "--version") == 0 && i + 1 < argc) {
            if ((version = parse_version(argv[++i])) < 0) break;
        } else if (std::strcmp(a, "--allow-larger") == 0) {
            allowLarger = true;
        } else if (std::strcmp(a, "--kanji-off") == 0) {
            kanjiOff = 1;
        } else if ((a[0] != '-' || a[1] == '\0') && path == nullptr) {
            path = a;
        } else {
            level = -1;
            break;
        }
    }
    if (level < 0 || version < 0) {
        std::fputs(kMatrixHelp, stderr);
        return ExitFailure;
    }
    bool tooLong = false;
    int32_t length = read_input(path, matrixInputScratch, kMaxInputBytes, &tooLong);
    if (length < 0) {
        std::fprintf(stderr, "mivoka matrix: cannot read '%s'\n", path ? path : "standard input");
        return ExitFailure;
    }
    if (tooLong) {
        std::fprintf(stderr, "mivoka matrix: the input is longer than any symbol holds (%d bytes)\n",
                     kMaxInputBytes);
        return ExitFailure;
    }
    matrixInputScratch[length] = '\0';
    if (!encode_symbol(level, version, allowLarger, -1, matrixInputScratch, kanjiOff)) {
        std::fputs("mivoka matrix: the data cannot be encoded (empty, too long, or larger than the version)\n",
                   stderr);
        return ExitFailure;
    }
    std::printf("version %d\nmask %d\n", g_encoder.version, g_encoder.mask);
    std::fflush(stdout);
    print_matrix_rows(g_encoder.matrix, g_encoder.size);
    return ExitOk;
}
