// The POSIX tables against the Win32 functions they were generated from:
// every byte, byte pair and UTF-16 unit, and many random texts, must
// convert to the same result. Built into the Windows tests only.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "platform/codepage.h"
#include "platform/posix/codepage_tables.h"

namespace {

typedef int32_t (*Decoder)(const char*, int32_t, uint16_t*);

std::vector<uint16_t> decode_with(Decoder d, const std::string& bytes) {
    std::vector<uint16_t> out(bytes.size() + 1);
    out.resize(static_cast<size_t>(d(bytes.data(), static_cast<int32_t>(bytes.size()), out.data())));
    return out;
}

std::string encode_with(bool tables, const std::vector<uint16_t>& units, const char* fill, bool* used) {
    std::string out(units.size() * 2 + 1, '\0');
    int32_t n = tables ? table_utf16_to_cp932(units.data(), static_cast<int32_t>(units.size()), &out[0], fill, used)
                       : utf16_to_cp932(units.data(), static_cast<int32_t>(units.size()), &out[0], fill, used);
    out.resize(static_cast<size_t>(n));
    return out;
}

std::string utf8_with(bool tables, const std::vector<uint16_t>& units) {
    std::string out(units.size() * 3 + 1, '\0');
    int32_t n = tables ? table_utf16_to_utf8(units.data(), static_cast<int32_t>(units.size()), &out[0])
                       : utf16_to_utf8(units.data(), static_cast<int32_t>(units.size()), &out[0]);
    out.resize(static_cast<size_t>(n));
    return out;
}

TEST(CodepageTables, EveryByteAndPairDecodesAsWin32) {
    for (int first = 0; first < 256; ++first) {
        std::string one(1, static_cast<char>(first));
        ASSERT_EQ(decode_with(table_cp932_to_utf16, one), decode_with(cp932_to_utf16, one)) << first;
        for (int second = 0; second < 256; ++second) {
            std::string two = one + static_cast<char>(second) + "A";
            ASSERT_EQ(decode_with(table_cp932_to_utf16, two), decode_with(cp932_to_utf16, two)) << first << " " << second;
        }
    }
}

TEST(CodepageTables, EveryUnitEncodesAsWin32) {
    for (int unit = 0; unit < 0x10000; ++unit) {
        std::vector<uint16_t> units = {static_cast<uint16_t>(unit)};
        bool usedTables = false, usedWin32 = false;
        ASSERT_EQ(encode_with(true, units, nullptr, &usedTables), encode_with(false, units, nullptr, &usedWin32)) << unit;
        ASSERT_EQ(usedTables, usedWin32) << unit;
        ASSERT_EQ(encode_with(true, units, "\xA5", nullptr), encode_with(false, units, "\xA5", nullptr)) << unit;
        ASSERT_EQ(utf8_with(true, units), utf8_with(false, units)) << unit;
    }
}

// Random texts built from the pieces that matter: ASCII, lead bytes,
// continuation bytes, surrogates.
TEST(CodepageTables, RandomTextsConvertAsWin32) {
    std::mt19937 random(932);
    std::uniform_int_distribution<int> byte(0, 255), length(1, 40);
    for (int round = 0; round < 20000; ++round) {
        std::string bytes;
        for (int i = length(random); i > 0; --i) {
            int b = byte(random);
            bytes += static_cast<char>(b % 4 == 0 ? 0x80 + b % 64 : b % 4 == 1 ? 0xE0 + b % 21 : b);
        }
        ASSERT_EQ(decode_with(table_cp932_to_utf16, bytes), decode_with(cp932_to_utf16, bytes)) << round;
        ASSERT_EQ(decode_with(table_utf8_to_utf16, bytes), decode_with(utf8_to_utf16, bytes)) << round;
        std::vector<uint16_t> units;
        for (int i = length(random); i > 0; --i) {
            int b = byte(random);
            units.push_back(static_cast<uint16_t>(b % 3 == 0 ? 0xD800 + byte(random) * 8 : b % 3 == 1 ? b : byte(random) << 8 | b));
        }
        ASSERT_EQ(encode_with(true, units, nullptr, nullptr), encode_with(false, units, nullptr, nullptr)) << round;
        ASSERT_EQ(utf8_with(true, units), utf8_with(false, units)) << round;
    }
}

}  // namespace
