// Function patterns, data placement, format and version information.
#include <gtest/gtest.h>

#include <string>

#include "encoder/encoder_internal.h"

namespace {

uint8_t at(int x, int y) { return g_encoder.matrix[x * kMaxModules + y]; }

void lay_out(int version, int level) {
    g_encoder.version = version;
    g_encoder.level = level;
    g_encoder.size = 4 * version + 17;
    place_function_patterns();
}

// Remainder bits per version (ISO/IEC 18004 Table 1).
int remainder_bits(int v) {
    if (v == 1) return 0;
    if (v <= 6) return 7;
    if (v <= 13) return 0;
    if (v <= 20) return 3;
    if (v <= 27) return 4;
    if (v <= 34) return 3;
    return 0;
}

}  // namespace

TEST(FunctionPatterns, LeaveExactlyTheDataModules) {
    for (int v = 1; v <= 40; ++v) {
        lay_out(v, LevelM);
        int n = g_encoder.size, free = 0;
        for (int x = 0; x < n; ++x)
            for (int y = 0; y < n; ++y) free += (at(x, y) & FunctionFlag) ? 0 : 1;
        EXPECT_EQ(free, VersionTable[v].totalCodewords * 8 + remainder_bits(v)) << "version " << v;
        for (int x = 0; x < kMaxModules; ++x)
            for (int y = n; y < kMaxModules; ++y) ASSERT_EQ(at(x, y), 0);
    }
}

TEST(FunctionPatterns, AlignmentPatterns) {
    lay_out(1, LevelM);
    EXPECT_EQ(at(16, 16) & FunctionFlag, 0);
    lay_out(2, LevelM);
    // One pattern centred at (18, 18): dark centre, light ring, dark border.
    EXPECT_EQ(at(18, 18), 0x30);
    EXPECT_EQ(at(17, 18), 0x20);
    EXPECT_EQ(at(16, 16), 0x30);
    EXPECT_EQ(at(20, 19), 0x30);
    EXPECT_EQ(at(15, 18) & FunctionFlag, 0);
    lay_out(7, LevelM);
    // Centres (22,22) (22,38) (38,22) (38,38) (6,22) (22,6); (6,38) and
    // (38,6) would overlap finders.
    int centres = 0;
    const int coords[3] = {6, 22, 38};
    for (int cx : coords)
        for (int cy : coords) {
            bool pattern = at(cx, cy) == 0x30 && at(cx + 1, cy) == 0x20 && at(cx - 1, cy - 1) == 0x20 &&
                           at(cx + 2, cy + 2) == 0x30;
            centres += pattern ? 1 : 0;
        }
    EXPECT_EQ(centres, 6);
    // The top-right finder stays as it is where (38, 6) would have been.
    EXPECT_EQ(at(38, 6), 0x30);
    EXPECT_EQ(at(39, 5), 0x20);
    EXPECT_EQ(at(40, 4), 0x30);
    EXPECT_EQ(at(37, 6), 0x20);
}

TEST(FunctionPatterns, TimingAndVersionInformation) {
    lay_out(7, LevelM);
    int n = g_encoder.size;
    for (int i = 8; i <= n - 9; ++i) {
        EXPECT_EQ(at(i, 6), i % 2 == 0 ? 0x30 : 0x20) << i;
        EXPECT_EQ(at(6, i), i % 2 == 0 ? 0x30 : 0x20) << i;
    }
    // 000111110010010100, bit 17 first.
    const int info = 0x07C94;
    for (int i = 0; i < 6; ++i)
        for (int j = 0; j < 3; ++j) {
            int bit = (info >> (3 * i + j)) & 1;
            EXPECT_EQ(at(i, n - 11 + j), bit ? 0x30 : 0x20);
            EXPECT_EQ(at(n - 11 + j, i), bit ? 0x30 : 0x20);
        }
    lay_out(6, LevelM);
    EXPECT_EQ(at(0, 4 * 6 + 17 - 11) & FunctionFlag, 0);   // no version area below 7
}

TEST(FormatInformation, MaskZeroForEachLevel) {
    const char* expected[4] = {"111011111000100", "101010000010010", "011010101011111", "001011010001001"};
    for (int level = 0; level < 4; ++level) {
        ASSERT_TRUE(encode_symbol(level, 0, false, 0, "MIVOKA", 0));
        EXPECT_EQ(g_encoder.mask, 0);
        int n = g_encoder.size;
        std::string first, second;
        for (int k = 14; k >= 0; --k) {
            int fx = k <= 5 ? 8 : k == 6 ? 8 : k == 7 ? 8 : k == 8 ? 7 : 14 - k;
            int fy = k <= 5 ? k : k == 6 ? 7 : 8;
            first += at(fx, fy) ? '1' : '0';
            second += (k <= 7 ? at(n - 1 - k, 8) : at(8, n - 15 + k)) ? '1' : '0';
        }
        EXPECT_EQ(first, expected[level]) << level;
        EXPECT_EQ(second, expected[level]) << level;
    }
}

TEST(DataPlacement, FirstCodewordFillsTheBottomRightCorner) {
    lay_out(1, LevelM);
    g_encoder.codewordCount = 26;
    for (int i = 0; i < 26; ++i) g_encoder.codewords[i] = 0;
    g_encoder.codewords[0] = 0xA5;   // 10100101
    place_data();
    // Bits go right, left, then one row up, from (20, 20).
    const int xs[8] = {20, 19, 20, 19, 20, 19, 20, 19};
    const int ys[8] = {20, 20, 19, 19, 18, 18, 17, 17};
    for (int b = 0; b < 8; ++b) EXPECT_EQ((at(xs[b], ys[b]) & DataBit) != 0, ((0xA5 >> (7 - b)) & 1) != 0) << b;
    int set = 0;
    for (int x = 0; x < 21; ++x)
        for (int y = 0; y < 21; ++y) set += (at(x, y) & DataBit) ? 1 : 0;
    EXPECT_EQ(set, 4);
}

TEST(FinishedSymbol, ModulesAreZeroOrOneWithTheDarkModule) {
    const char* texts[] = {"1", "HELLO", "\x93\xfa\x96\x7b\x8c\xea", "mixed 123 ABC \x82\xa0"};
    for (int level = 0; level < 4; ++level)
        for (const char* t : texts)
            for (int version : {0, 7, 27, 40}) {
                ASSERT_TRUE(encode_symbol(level, version, true, -1, t, 0));
                int n = g_encoder.size;
                EXPECT_EQ(at(8, n - 8), 1);
                for (int x = 0; x < kMaxModules; ++x)
                    for (int y = 0; y < kMaxModules; ++y) {
                        uint8_t m = at(x, y);
                        if (x < n && y < n) ASSERT_LE(m, 1);
                        else ASSERT_EQ(m, 0);
                    }
            }
}
