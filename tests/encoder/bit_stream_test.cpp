// Segmentation, merge passes, bit costs, terminator and padding.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "encoder/encoder_internal.h"

namespace {

struct Seg {
    int mode;
    int length;
};

std::string segments_of(const std::string& text, int group, int kanjiOff = 0) {
    build_bit_stream(reinterpret_cast<const uint8_t*>(text.data()), static_cast<int32_t>(text.size()), group, kanjiOff);
    static const char* kNames[4] = {"N", "A", "B", "K"};
    std::string out;
    for (int i = 0; i < g_encoder.segmentCount; ++i) {
        if (!out.empty()) out += " ";
        out += kNames[g_encoder.segmentMode[i]] + std::to_string(g_encoder.segmentLength[i]);
    }
    return out;
}

uint32_t read_bits(int position, int count) {
    uint32_t v = 0;
    for (int i = 0; i < count; ++i) {
        int p = position + i;
        v = (v << 1) | ((g_encoder.bits[p >> 3] >> (7 - (p & 7))) & 1u);
    }
    return v;
}

}  // namespace

TEST(Segmentation, MergesForGroupZero) {
    struct Case {
        const char* text;
        const char* segments;
    } cases[] = {
        {"abc123456789def", "B3 N9 B3"},
        {"abc12345def", "B11"},
        {"ABC123", "A6"},
        {"123ABC", "A6"},
        {"A1", "A2"},
        {"HELLO WORLD 12345678", "A12 N8"},
        {"abc/DEF", "B7"},
        {"ab12", "B4"},
        {"1234567890123A", "N13 A1"},
        {"ABCDEFGH12345678abc", "A8 N8 B3"},
    };
    for (const Case& c : cases) EXPECT_EQ(segments_of(c.text, 0), c.segments) << c.text;
    EXPECT_EQ(g_encoder.bitLength, segment_bits(Alphanumeric, 8, 0) + segment_bits(Numeric, 8, 0) +
                                       segment_bits(Byte, 3, 0));
}

TEST(Segmentation, KanjiPairs) {
    EXPECT_EQ(segments_of("\x82\xa0", 0), "K2");
    EXPECT_EQ(read_bits(0, 4), 8u);
    EXPECT_EQ(read_bits(4, 8), 1u);
    EXPECT_EQ(read_bits(12, 13), 0x120u);
    EXPECT_EQ(segments_of("\x82\xa0", 0, 1), "B2");
    EXPECT_EQ(segments_of("ab\x82", 0), "B3");   // a lone lead byte at the end
    EXPECT_TRUE(is_kanji_pair(0x81, 0xFF));
    EXPECT_TRUE(is_kanji_pair(0xEB, 0xBF));
    EXPECT_TRUE(is_kanji_pair(0xE0, 0x40));
    EXPECT_FALSE(is_kanji_pair(0x9F, 0xFD));
    EXPECT_FALSE(is_kanji_pair(0xEB, 0xC0));
    EXPECT_FALSE(is_kanji_pair(0x81, 0x3F));
    EXPECT_FALSE(is_kanji_pair(0xA0, 0x80));
    EXPECT_FALSE(is_kanji_pair(0xEC, 0x80));
    EXPECT_EQ(kanji_value(0x82A0), 0x120);
    EXPECT_EQ(kanji_value(0x8140), 0);
    EXPECT_EQ(kanji_value(0x935F), 0xD9F);   // the standard's example
    EXPECT_EQ(kanji_value(0xE4AA), 0x1AAA);  // the standard's example
}

TEST(Segmentation, BitCosts) {
    EXPECT_EQ(segment_bits(Numeric, 17, 0), 4 + 10 + 50 + 7);
    EXPECT_EQ(segment_bits(Numeric, 1, 2), 4 + 14 + 4);
    EXPECT_EQ(segment_bits(Alphanumeric, 6, 0), 46);
    EXPECT_EQ(segment_bits(Alphanumeric, 5, 1), 4 + 11 + 22 + 6);
    EXPECT_EQ(segment_bits(Byte, 3, 1), 4 + 16 + 24);
    EXPECT_EQ(segment_bits(Kanji, 4, 2), 4 + 12 + 26);
    EXPECT_EQ(alnum_value('A'), 10);
    EXPECT_EQ(alnum_value(' '), 36);
    EXPECT_EQ(alnum_value(':'), 44);
    EXPECT_EQ(alnum_value('a'), 44);
    EXPECT_EQ(alnum_value(0xFF), 44);
}

TEST(BitStream, AppendStopsAtTheLimit) {
    std::memset(g_encoder.bits, 0, sizeof g_encoder.bits);
    EXPECT_EQ(append_bits(0, 0x1FFFF, 3), 3);   // only the low bits count
    EXPECT_EQ(g_encoder.bits[0], 0xE0);
    EXPECT_EQ(append_bits(3, 0xABCD, 16), 19);
    EXPECT_EQ(read_bits(3, 16), 0xABCDu);
    EXPECT_EQ(append_bits(-1, 1, 1), -1);
    EXPECT_EQ(append_bits(kMaxBits - 8, 0xFF, 8), kMaxBits);
    EXPECT_EQ(g_encoder.bits[kMaxDataBytes - 1], 0xFF);
    EXPECT_EQ(append_bits(kMaxBits - 7, 0xFF, 8), -1);
    EXPECT_EQ(append_bits(kMaxBits, 0, 1), -1);
}

TEST(BitStream, TerminatorAndPadding) {
    struct Case {
        int bitLength, capacity, terminated;
    } cases[] = {{72, 9, 72}, {69, 9, 72}, {40, 9, 44}, {41, 9, 45}};
    for (const Case& c : cases) {
        std::memset(g_encoder.bits, 0, sizeof g_encoder.bits);
        for (int i = 0; i < c.bitLength; ++i) g_encoder.bits[i >> 3] |= 0x80 >> (i & 7);
        g_encoder.bitLength = c.bitLength;
        terminate_and_pad(c.capacity);
        EXPECT_EQ(g_encoder.bitLength, c.terminated) << c.bitLength;
        int firstPad = (c.terminated + 7) / 8;
        for (int i = c.bitLength; i < firstPad * 8; ++i) EXPECT_EQ(read_bits(i, 1), 0u) << i;
        for (int i = firstPad; i < c.capacity; ++i)
            EXPECT_EQ(g_encoder.bits[i], (i - firstPad) % 2 == 0 ? 236 : 17) << c.bitLength << " byte " << i;
    }
}

TEST(VersionChoice, CountWidthsFollowTheChosenGroup) {
    // 231 bytes overflow version 9-L with the 8-bit count and need version 10.
    std::string text(231, 'x');
    ASSERT_TRUE(encode_symbol(LevelL, 0, false, -1, text.c_str(), 0));
    EXPECT_EQ(g_encoder.version, 10);
    EXPECT_EQ(read_bits(0, 4), 4u);
    EXPECT_EQ(read_bits(4, 16), 231u);
    EXPECT_EQ(read_bits(20, 8), static_cast<uint32_t>('x'));
}
