// Reed-Solomon codewords and block interleaving.
#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "encoder/encoder_internal.h"

namespace {

// The long division as written: shift the whole block for each data codeword.
void literal_remainder(uint8_t* work, int dataCount, int eccCount) {
    const uint8_t* gen = GeneratorTable[eccCount].coefficients;
    for (int i = 0; i < dataCount; ++i) {
        uint8_t lead = work[0];
        if (lead == 0) {
            std::memmove(work, work + 1, static_cast<size_t>(dataCount + eccCount - 1));
            work[dataCount + eccCount - 1] = 0;
            continue;
        }
        int e = GfLog[lead];
        for (int j = 0; j < eccCount; ++j) work[j] = work[j + 1] ^ GfExp[(gen[j] + e) % 255];
        std::memmove(work + eccCount, work + eccCount + 1, static_cast<size_t>(dataCount - 1));
        work[dataCount + eccCount - 1] = 0;
    }
}

}  // namespace

TEST(ReedSolomon, VersionOneLevelMExample) {
    uint8_t work[kMaxBlockBytes] = {0x10, 0x20, 0x0C, 0x56, 0x61, 0x80, 0xEC, 0x11,
                                    0xEC, 0x11, 0xEC, 0x11, 0xEC, 0x11, 0xEC, 0x11};
    rs_remainder(work, 16, 10);
    const uint8_t expected[10] = {0xA5, 0x24, 0xD4, 0xC1, 0xED, 0x36, 0xC7, 0x87, 0x2C, 0x55};
    for (int i = 0; i < 10; ++i) EXPECT_EQ(work[i], expected[i]) << i;
}

TEST(ReedSolomon, ZeroBlockGivesZeroCodewords) {
    uint8_t work[kMaxBlockBytes] = {0};
    rs_remainder(work, 119, 30);
    for (int i = 0; i < 30; ++i) EXPECT_EQ(work[i], 0);
}

TEST(ReedSolomon, MatchesTheLiteralDivision) {
    std::mt19937 rng(7);
    for (int e = 7; e <= 68; ++e) {
        if (GeneratorTable[e].coefficients == nullptr) continue;
        for (int trial = 0; trial < 20; ++trial) {
            int dataCount = 1 + static_cast<int>(rng() % static_cast<unsigned>(kMaxBlockBytes - e));
            uint8_t a[kMaxBlockBytes] = {0}, b[kMaxBlockBytes] = {0};
            for (int i = 0; i < dataCount; ++i) a[i] = b[i] = static_cast<uint8_t>(rng());
            rs_remainder(a, dataCount, e);
            literal_remainder(b, dataCount, e);
            ASSERT_EQ(std::memcmp(a, b, static_cast<size_t>(e)), 0) << "e " << e << " data " << dataCount;
        }
    }
}

TEST(Interleaving, VersionFiveLevelQ) {
    g_encoder.version = 5;
    g_encoder.level = LevelQ;
    for (int i = 0; i < 62; ++i) g_encoder.bits[i] = static_cast<uint8_t>(i + 1);
    build_codewords();
    ASSERT_EQ(g_encoder.codewordCount, 134);
    // Blocks of 15, 15, 16, 16 data codewords starting at 1, 16, 31, 47.
    const int start[4] = {1, 16, 31, 47};
    for (int j = 0; j < 15; ++j)
        for (int b = 0; b < 4; ++b) EXPECT_EQ(g_encoder.codewords[j * 4 + b], start[b] + j) << j << "/" << b;
    EXPECT_EQ(g_encoder.codewords[60], 31 + 15);
    EXPECT_EQ(g_encoder.codewords[61], 47 + 15);
    uint8_t work[kMaxBlockBytes] = {0};
    for (int b = 0; b < 4; ++b) {
        std::memset(work, 0, sizeof work);
        int count = b < 2 ? 15 : 16;
        for (int j = 0; j < count; ++j) work[j] = static_cast<uint8_t>(start[b] + j);
        rs_remainder(work, count, 18);
        for (int j = 0; j < 18; ++j) EXPECT_EQ(g_encoder.codewords[62 + j * 4 + b], work[j]) << b << "/" << j;
    }
}
