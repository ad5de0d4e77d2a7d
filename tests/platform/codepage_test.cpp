// Code-page conversion against Windows' own results: the expected values
// were produced by the Win32 functions, and the same table runs in the
// native (table-driven) and the Windows (Win32) test executables.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "platform/codepage.h"

namespace {

struct BytesToUnits {
    const char* name;
    const char* bytes;
    int32_t length;
    std::vector<uint16_t> units;
    int32_t unitCount;
};

struct UnitsToBytes {
    const char* name;
    std::vector<uint16_t> units;
    int32_t unitCount;
    const char* defaultChar;
    const char* bytes;
    int32_t length;
    bool usedDefault;
};

struct Utf16ToUtf8 {
    const char* name;
    std::vector<uint16_t> units;
    int32_t unitCount;
    const char* bytes;
    int32_t length;
};

// ASCII, half-width katakana, JIS X 0208 kana and kanji, the NEC special
// row, the IBM extensions and their NEC-selected copies, the user-defined
// area, undecodable bytes and pairs, and a lead byte without its trail.
const BytesToUnits kShiftJisDecodes[] = {
    {"ascii and controls", "\x41\x7E\x5C\x00\x1F\x7F", 6, {0x0041, 0x007E, 0x005C, 0x0000, 0x001F, 0x007F}, 6},
    {"half-width katakana", "\xA1\xB1\xDF", 3, {0xFF61, 0xFF71, 0xFF9F}, 3},
    {"kana and kanji", "\x82\xA0\x83\x41\x8A\xBF\x8E\x9A\x88\x9F\xEA\xA4", 12, {0x3042, 0x30A2, 0x6F22, 0x5B57, 0x4E9C, 0x7199}, 6},
    {"symbols", "\x81\x40\x81\x5F\x81\x60\x81\x61\x81\x7C\x81\x91\x81\x92\x81\xCA", 16, {0x3000, 0xFF3C, 0xFF5E, 0x2225, 0xFF0D, 0xFFE0, 0xFFE1, 0xFFE2}, 8},
    {"NEC special row", "\x87\x40\x87\x54\x87\x82\x87\x9C", 8, {0x2460, 0x2160, 0x2116, 0x222A}, 4},
    {"NEC-selected IBM", "\xED\x40\xEE\xFC", 4, {0x7E8A, 0xFF02}, 2},
    {"IBM extensions", "\xFA\x40\xFA\x5C\xFB\x40\xFC\x4B", 8, {0x2170, 0x7E8A, 0x6D96, 0x9ED1}, 4},
    {"user-defined area", "\xF0\x40\xF9\xFC", 4, {0xE000, 0xE757}, 2},
    {"undecodable single bytes", "\x80\xA0\xFD\xFE\xFF", 5, {0x0080, 0xF8F0, 0xF8F1, 0xF8F2, 0xF8F3}, 5},
    {"unmapped pairs", "\x85\x40\x86\x9F\xEB\x40\xEF\x9F\x81\xAD", 10, {0x30FB, 0x30FB, 0x30FB, 0x30FB, 0x30FB}, 5},
    {"lead before a non-trail", "\x81\x20\x41\x82\x0A", 5, {0x30FB, 0x0041, 0x30FB}, 3},
    {"lead before NUL", "\x82\x00\x41", 3, {0x30FB, 0x0000, 0x0041}, 3},
    {"lone lead at the end", "\x41\x82", 2, {0x0041, 0x30FB}, 2},
};

// Best fit (the copyright sign becomes "c"), characters with no form, and
// surrogates, which convert unit by unit.
const UnitsToBytes kShiftJisEncodes[] = {
    {"ascii, yen and overline", {0x0041, 0x00A5, 0x203E, 0x005C, 0x007E}, 5, nullptr, "\x41\x5C\x3F\x5C\x7E", 5, true},
    {"kana, kanji, half-width", {0x3042, 0x30A2, 0x6F22, 0x5B57, 0xFF71, 0xFF9F}, 6, nullptr, "\x82\xA0\x83\x41\x8A\xBF\x8E\x9A\xB1\xDF", 10, false},
    {"NEC and IBM", {0x2460, 0x2116, 0x2170, 0x2160, 0x7E8A, 0x9ED1}, 6, nullptr, "\x87\x40\x87\x82\xFA\x40\x87\x54\xFA\x5C\xFC\x4B", 12, false},
    {"best fit", {0x00A9, 0x00AE, 0x00E9, 0x00C5, 0x00B2}, 5, nullptr, "\x63\x52\x65\x41\x32", 5, false},
    {"dashes and waves", {0x2212, 0x301C, 0x2016, 0x00A2, 0xFF5E, 0xFF0D}, 6, nullptr, "\x3F\x3F\x3F\x81\x91\x81\x60\x81\x7C", 9, true},
    {"no Shift_JIS form", {0x4E02, 0x0100, 0xAC00, 0x20AC}, 4, nullptr, "\x3F\x3F\x3F\x3F", 4, true},
    {"surrogates", {0xD83D, 0xDE00, 0x0041, 0xDC00}, 4, nullptr, "\x3F\x3F\x41\x3F", 4, true},
    {"display default", {0xD83D, 0xDE00, 0x4E02, 0xFF65}, 4, "\xA5", "\xA5\xA5\xA5\xA5", 4, true},
    {"private use", {0xE000, 0xE757, 0xF8F0, 0xF8F3, 0x0080}, 5, nullptr, "\xF0\x40\xF9\xFC\xA0\xFF\x80", 7, false},
};

// Malformed UTF-8 gives U+FFFD per broken prefix, as Windows counts them.
const BytesToUnits kUtf8Decodes[] = {
    {"valid", "\x41\xC3\xA9\xE3\x81\x82\xF0\x9F\x98\x80", 10, {0x0041, 0x00E9, 0x3042, 0xD83D, 0xDE00}, 5},
    {"bad continuation", "\xC3\x41\xE3\x81\x41", 5, {0xFFFD, 0x0041, 0xFFFD, 0x0041}, 4},
    {"surrogate form", "\xED\xA0\x80\x41", 4, {0xFFFD, 0xFFFD, 0x0041}, 3},
    {"above U+10FFFF", "\xF4\x90\x80\x80", 4, {0xFFFD, 0xFFFD, 0xFFFD}, 3},
    {"overlong", "\xC0\x80\xE0\x80\x80\xF0\x80\x80\x80", 9, {0xFFFD, 0xFFFD, 0xFFFD, 0xFFFD, 0xFFFD, 0xFFFD, 0xFFFD}, 7},
    {"stray bytes", "\x80\xBF\xFE\xFF", 4, {0xFFFD, 0xFFFD, 0xFFFD, 0xFFFD}, 4},
    {"cut at the end", "\x41\xF0\x9F\x98", 4, {0x0041, 0xFFFD}, 2},
    {"cut before ASCII", "\xF0\x9F\x41\x42", 4, {0xFFFD, 0x0041, 0x0042}, 3},
};

const Utf16ToUtf8 kUtf8Encodes[] = {
    {"valid", {0x0041, 0x00E9, 0x3042, 0xD83D, 0xDE00}, 5, "\x41\xC3\xA9\xE3\x81\x82\xF0\x9F\x98\x80", 10},
    {"lone surrogates", {0xD83D, 0x0041, 0xDE00}, 3, "\xEF\xBF\xBD\x41\xEF\xBF\xBD", 7},
    {"non-characters and NUL", {0xFFFF, 0xFFFE, 0x0000}, 3, "\xEF\xBF\xBF\xEF\xBF\xBE\x00", 7},
};

std::vector<uint16_t> decoded(int32_t (*decode)(const char*, int32_t, uint16_t*), const char* bytes, int32_t length) {
    std::vector<uint16_t> units(static_cast<size_t>(length) + 1);
    units.resize(static_cast<size_t>(decode(bytes, length, units.data())));
    return units;
}

TEST(Codepage, ShiftJisDecodesAsWindows) {
    for (const BytesToUnits& c : kShiftJisDecodes) {
        EXPECT_EQ(decoded(cp932_to_utf16, c.bytes, c.length), c.units) << c.name;
        EXPECT_EQ(static_cast<int32_t>(c.units.size()), c.unitCount) << c.name;
    }
}

TEST(Codepage, ShiftJisEncodesAsWindows) {
    for (const UnitsToBytes& c : kShiftJisEncodes) {
        std::vector<char> out(static_cast<size_t>(c.unitCount) * kCp932BytesPerUtf16);
        bool used = !c.usedDefault;
        int32_t n = utf16_to_cp932(c.units.data(), c.unitCount, out.data(), c.defaultChar, &used);
        EXPECT_EQ(std::string(out.data(), static_cast<size_t>(n)), std::string(c.bytes, static_cast<size_t>(c.length))) << c.name;
        EXPECT_EQ(used, c.usedDefault) << c.name;
    }
}

TEST(Codepage, Utf8DecodesAsWindows) {
    for (const BytesToUnits& c : kUtf8Decodes) {
        EXPECT_EQ(decoded(utf8_to_utf16, c.bytes, c.length), c.units) << c.name;
    }
}

TEST(Codepage, Utf8EncodesAsWindows) {
    for (const Utf16ToUtf8& c : kUtf8Encodes) {
        std::vector<char> out(static_cast<size_t>(c.unitCount) * kUtf8BytesPerUtf16);
        int32_t n = utf16_to_utf8(c.units.data(), c.unitCount, out.data());
        EXPECT_EQ(std::string(out.data(), static_cast<size_t>(n)), std::string(c.bytes, static_cast<size_t>(c.length))) << c.name;
    }
}

TEST(Codepage, EveryMappedCharacterRoundTrips) {
    // Every double-byte code that decodes to something other than U+30FB
    // and is the preferred form of its character comes back unchanged.
    int32_t roundTrips = 0;
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
        for (int trail = 0x40; trail <= 0xFC; ++trail) {
            char pair[2] = {static_cast<char>(lead), static_cast<char>(trail)};
            uint16_t unit[2];
            bool middleDot = lead == 0x81 && trail == 0x45;  // the one pair that means U+30FB
            if (cp932_to_utf16(pair, 2, unit) != 1 || (unit[0] == 0x30FB && !middleDot)) continue;
            char back[4];
            int32_t n = utf16_to_cp932(unit, 1, back, nullptr, nullptr);
            ASSERT_EQ(n, 2) << std::hex << lead << " " << trail;
            uint16_t again[2];
            ASSERT_EQ(cp932_to_utf16(back, 2, again), 1);
            EXPECT_EQ(again[0], unit[0]) << std::hex << lead << " " << trail;
            roundTrips += std::memcmp(back, pair, 2) == 0;
        }
    }
    EXPECT_GT(roundTrips, 7000);
}

TEST(Codepage, EmptyInputGivesNothing) {
    uint16_t units[1];
    char bytes[1];
    bool used = true;
    EXPECT_EQ(cp932_to_utf16("", 0, units), 0);
    EXPECT_EQ(utf16_to_cp932(units, 0, bytes, nullptr, &used), 0);
    EXPECT_FALSE(used);
    EXPECT_EQ(utf8_to_utf16("", 0, units), 0);
    EXPECT_EQ(utf16_to_utf8(units, 0, bytes), 0);
}

}  // namespace
