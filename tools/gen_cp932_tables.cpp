// Generates platform/posix/cp932_tables.cpp: runs the Win32 code-page 932
// conversions over every byte, byte pair and UTF-16 unit, so the POSIX side
// converts exactly as Windows does. Build with x86_64-w64-mingw32-g++-posix
// -static and run under Wine: wine gen_cp932_tables.exe > cp932_tables.cpp
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <fcntl.h>
#include <io.h>
#include <vector>

static const UINT kCodePage = 932;

// Decodes bytes; returns the number of UTF-16 units written to out.
static int decode(const unsigned char* bytes, int n, WCHAR* out) {
    return MultiByteToWideChar(kCodePage, 0, reinterpret_cast<const char*>(bytes), n, out, 8);
}

static bool is_lead(int b) { return IsDBCSLeadByteEx(kCodePage, static_cast<BYTE>(b)) != 0; }

static int fail(const char* what, int a, int b) {
    std::fprintf(stderr, "gen_cp932_tables: unexpected Windows behaviour: %s (%02X %02X)\n", what, a, b);
    return 1;
}

static void print_array32(const char* name, const std::vector<uint32_t>& v) {
    std::printf("const int32_t %sCount = %d;\nconst uint32_t %s[] = {", name, static_cast<int>(v.size()), name);
    for (size_t i = 0; i < v.size(); ++i) std::printf("%s0x%08X,", i % 8 ? "" : "\n", v[i]);
    std::printf("\n};\n\n");
}

// Checks the rules the table lookup relies on and collects the pairs:
// a lead byte takes any non-zero next byte as its trail; unmapped pairs and
// a lead byte without trail give the default character.
static int collect_pairs(WCHAR defaultUnit, WCHAR dotUnit, std::vector<uint32_t>* pairs) {
    WCHAR out[8];
    for (int lead = 0; lead < 256; ++lead) {
        if (!is_lead(lead)) continue;
        unsigned char lone[1] = {static_cast<unsigned char>(lead)};
        if (decode(lone, 1, out) != 1 || out[0] != defaultUnit) return fail("lone lead byte", lead, 0);
        unsigned char withNul[2] = {static_cast<unsigned char>(lead), 0};
        if (decode(withNul, 2, out) != 2 || out[0] != defaultUnit || out[1] != 0) return fail("lead before NUL", lead, 0);
        for (int trail = 1; trail < 256; ++trail) {
            unsigned char pair[2] = {static_cast<unsigned char>(lead), static_cast<unsigned char>(trail)};
            if (decode(pair, 2, out) != 1) return fail("pair not taken whole", lead, trail);
            bool isDot = (lead << 8 | trail) == dotUnit;
            if (out[0] != defaultUnit || isDot) pairs->push_back(static_cast<uint32_t>(lead << 24 | trail << 16 | out[0]));
        }
    }
    return 0;
}

// Every UTF-16 unit that has a code-page form (its own or a best fit), by
// unit; the conversion is unit by unit, so surrogates never pair up.
static int collect_encodings(std::vector<uint32_t>* units) {
    for (int u = 0; u < 0x10000; ++u) {
        WCHAR w = static_cast<WCHAR>(u);
        char bytes[8];
        BOOL usedDefault = FALSE;
        int n = WideCharToMultiByte(kCodePage, 0, &w, 1, bytes, 8, nullptr, &usedDefault);
        if (n < 1 || n > 2) return fail("unit without output", u >> 8, u & 0xFF);
        if (usedDefault) continue;
        uint32_t code = n == 1 ? static_cast<unsigned char>(bytes[0])
                               : static_cast<uint32_t>(static_cast<unsigned char>(bytes[0]) << 8 | static_cast<unsigned char>(bytes[1]));
        units->push_back(static_cast<uint32_t>(u) << 16 | code);
    }
    WCHAR pair[2] = {0xD83D, 0xDE00};
    char bytes[8];
    if (WideCharToMultiByte(kCodePage, 0, pair, 2, bytes, 8, nullptr, nullptr) != 2) return fail("surrogate pair", 0xD8, 0x3D);
    return 0;
}

int main() {
    _setmode(_fileno(stdout), _O_BINARY);
    CPINFO info;
    if (!GetCPInfo(kCodePage, &info)) return fail("no code page", 9, 32);
    WCHAR out[8];
    unsigned char unmapped[2] = {0x85, 0x40};
    if (decode(unmapped, 2, out) != 1) return fail("unmapped pair", 0x85, 0x40);
    WCHAR defaultUnit = out[0];
    unsigned char dot[2] = {0x81, 0x45};
    decode(dot, 2, out);
    WCHAR dotUnit = out[0] == defaultUnit ? 0x8145 : 0;

    std::vector<uint32_t> pairs, units;
    if (collect_pairs(defaultUnit, dotUnit, &pairs) || collect_encodings(&units)) return 1;

    std::printf("// Code page 932 as Windows converts it, generated under Wine by\n"
                "// tools/gen_cp932_tables.cpp; do not edit.\n"
                "#include \"platform/posix/codepage_tables.h\"\n\n");
    std::printf("const uint16_t kCp932DefaultUnit = 0x%04X;\nconst uint8_t kCp932DefaultByte = 0x%02X;\n\n",
                defaultUnit, info.DefaultChar[0]);
    std::printf("const uint8_t kCp932LeadBytes[32] = {");
    for (int i = 0; i < 32; ++i) {
        int bits = 0;
        for (int j = 0; j < 8; ++j) bits |= is_lead(i * 8 + j) << j;
        std::printf("%s0x%02X,", i % 16 ? "" : "\n", bits);
    }
    std::printf("\n};\n\n// Each byte on its own (lead bytes: without a trail).\nconst uint16_t kCp932SingleDecode[256] = {");
    for (int b = 0; b < 256; ++b) {
        unsigned char one[1] = {static_cast<unsigned char>(b)};
        decode(one, 1, out);
        std::printf("%s0x%04X,", b % 16 ? "" : "\n", out[0]);
    }
    std::printf("\n};\n\n// (lead << 24 | trail << 16 | unit), sorted: the pairs that decode to a character.\n");
    print_array32("kCp932PairDecode", pairs);
    std::printf("// (unit << 16 | bytes), sorted: a value below 0x100 is one byte.\n");
    print_array32("kCp932Encode", units);
    return 0;
}
