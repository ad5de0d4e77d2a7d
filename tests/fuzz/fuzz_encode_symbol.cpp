// encode_symbol on any bytes with any level, version, mask and flags:
// arguments outside their ranges are refused; a text that fits is never
// refused; a symbol made has the version asked for (or the smallest that
// fits), only 0 and 1 modules, the format information of its level and mask
// in both copies, the version information in both copies from version 7 on,
// and zxing-cpp reads exactly the text and the level back from it.
#include <cstring>
#include <string>

#include "encoder/encoder.h"
#include "tests/encoder/decoder_support.h"
#include "tests/fuzz/fuzz_support.h"

namespace {

// Byte-mode capacity of version 40 by level: any text this long fits.
const int32_t kByteCapacity40[4] = {2953, 2331, 1663, 1273};
// The two format bits of each level, L M Q H.
const uint32_t kLevelBits[4] = {1, 0, 3, 2};

uint32_t bch(uint32_t data, int32_t dataBits, uint32_t generator, int32_t generatorBits) {
    uint32_t value = data << (generatorBits - 1);
    for (int32_t bit = dataBits + generatorBits - 2; bit >= generatorBits - 1; --bit) {
        if (value & (1u << bit)) value ^= generator << (bit - (generatorBits - 1));
    }
    return data << (generatorBits - 1) | value;
}

int32_t module(int32_t x, int32_t y) { return g_encoder.matrix[x * kMaxModules + y]; }

void check_format_information(int32_t level, int32_t mask) {
    const uint32_t bits = bch(kLevelBits[level] << 3 | static_cast<uint32_t>(mask), 5, 0x537, 11) ^ 0x5412;
    const int32_t n = g_encoder.size;
    auto bit = [bits](int32_t i) { return static_cast<int32_t>((bits >> i) & 1); };
    for (int32_t i = 0; i < 15; ++i) {
        int32_t x1 = i < 6 ? 8 : i < 8 ? 8 : 14 - i, y1 = i < 6 ? i : i < 8 ? i + 1 : 8;
        if (i == 8) x1 = 7;
        int32_t x2 = i < 8 ? n - 1 - i : 8, y2 = i < 8 ? 8 : n - 15 + i;
        FUZZ_CHECK(module(x1, y1) == bit(i) && module(x2, y2) == bit(i),
                   "format bit %d of level %d mask %d is wrong", i, level, mask);
    }
    FUZZ_CHECK(module(8, n - 8) == 1, "the dark module is light");
}

void check_version_information(int32_t version) {
    if (version < 7) return;
    const uint32_t bits = bch(static_cast<uint32_t>(version), 6, 0x1F25, 13);
    const int32_t n = g_encoder.size;
    for (int32_t i = 0; i < 18; ++i) {
        int32_t a = n - 11 + i % 3, b = i / 3, expected = static_cast<int32_t>((bits >> i) & 1);
        FUZZ_CHECK(module(a, b) == expected && module(b, a) == expected, "version bit %d of %d is wrong", i, version);
    }
}

GreyImage g_image;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in = {data, size, 0};
    // Each argument a little beyond its range on both sides.
    const int32_t level = take_byte(&in) % 6 - 1;
    const int32_t version = take_byte(&in) % 44 - 1;
    const int32_t mask = take_byte(&in) % 10 - 2;
    const uint8_t flags = take_byte(&in);
    const bool allowLarger = flags & 1;
    const int32_t kanjiOff = (flags >> 1) & 1;
    const std::string text = take_until_nul(&in);

    const bool valid = level >= 0 && level <= 3 && version >= 0 && version <= kMaxVersion && mask >= -1 && mask <= 7;
    const int32_t length = static_cast<int32_t>(text.size());
    bool made = encode_symbol(level, version, allowLarger, mask, text.c_str(), kanjiOff);
    if (!valid) {
        FUZZ_CHECK(!made, "level %d version %d mask %d accepted", level, version, mask);
        return 0;
    }
    if (!made) {
        FUZZ_CHECK(length == 0 || length > kByteCapacity40[level] || (version != 0 && !allowLarger),
                   "%d bytes refused at level %d version %d", length, level, version);
        // Refused at a version too small: it fits a larger one or none.
        if (version != 0 && length > 0 && length <= kByteCapacity40[level]) {
            FUZZ_CHECK(encode_symbol(level, 0, false, mask, text.c_str(), kanjiOff) && g_encoder.version > version,
                       "%d bytes refused at version %d but not larger", length, version);
        }
        return 0;
    }
    const int32_t v = g_encoder.version;
    FUZZ_CHECK(v >= 1 && v <= kMaxVersion && (version == 0 || v == version || (allowLarger && v > version)),
               "asked version %d, made %d", version, v);
    FUZZ_CHECK(g_encoder.size == 4 * v + 17, "size %d for version %d", g_encoder.size, v);
    FUZZ_CHECK(mask == -1 ? g_encoder.mask >= 0 && g_encoder.mask <= 7 : g_encoder.mask == mask, "mask %d asked %d",
               g_encoder.mask, mask);
    for (int32_t x = 0; x < g_encoder.size; ++x) {
        for (int32_t y = 0; y < g_encoder.size; ++y) {
            FUZZ_CHECK(module(x, y) == 0 || module(x, y) == 1, "module (%d, %d) is %d", x, y, module(x, y));
        }
    }
    check_format_information(level, g_encoder.mask);
    check_version_information(v);

    render_symbol(g_encoder.matrix, g_encoder.size, &g_image);
    std::string decoded;
    int32_t decodedLevel = -1;
    FUZZ_CHECK(decode_with_zxing(g_image, &decoded, &decodedLevel) == 0, "zxing reads no symbol (version %d, %s)", v,
               printable(text).c_str());
    FUZZ_CHECK(decoded == text && decodedLevel == level, "zxing read %s at level %d, encoded %s at level %d",
               printable(decoded).c_str(), decodedLevel, printable(text).c_str(), level);
    return 0;
}
