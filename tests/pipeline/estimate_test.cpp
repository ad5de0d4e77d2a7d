// The splitter's cost model: byte classes, running costs worked by hand,
// estimated cuts and versions, and the numeric capacities against the
// encoder's own version table.
#include <gtest/gtest.h>

#include <string>

#include "encoder/tables.h"
#include "pipeline/splitter.h"

namespace {

TEST(EstimateClass, EveryByteFallsInItsClass) {
    struct Case { int byte; int32_t expected; };
    const Case cases[] = {
        {'0', 1}, {'9', 1}, {'A', 2}, {'Z', 2}, {' ', 2}, {'$', 2}, {'%', 2}, {'*', 2}, {'+', 2},
        {'-', 2}, {'.', 2}, {'/', 2}, {':', 2}, {'a', 3}, {'#', 3}, {'\t', 3}, {'\r', 3}, {0x7E, 3},
        {0x00, 4}, {0x7F, 4}, {0x80, 4}, {0x9F, 4}, {0xA0, 4}, {0xA1, 3}, {0xDF, 3}, {0xE0, 4}, {0xFF, 4},
    };
    for (const Case& c : cases) EXPECT_EQ(estimate_class(static_cast<uint8_t>(c.byte)), c.expected) << c.byte;
}

TEST(EstimateCost, RunningCostsWorkedByHand) {
    struct Case { const char* text; double expected; };
    const Case cases[] = {
        {"123", 6.94},                       // numeric all the way
        {"a1", 8.74},                        // one byte mode beats the changes
        {"\x82\xA0\x82\xA0\x82\xA0", 15.64}, // pairs: one change, 3.9 each
        {"AB", 7.24},                        // alphanumeric
    };
    for (const Case& c : cases) EXPECT_NEAR(estimate_cost(c.text, 0, nullptr), c.expected, 1e-9) << c.text;
}

TEST(EstimateCost, CutIsTheLastByteOfTheFirstCharacterOverTheLimitMinusOne) {
    std::string digits(100, '1');
    int32_t cut = -7;
    estimate_cost(digits.c_str(), 20, &cut);
    // Digit i costs 3.94 + i + 1; the 17th (index 16) passes 20.
    EXPECT_EQ(cut, 15);
    std::string pairs;
    for (int i = 0; i < 20; ++i) pairs += "\x88\x9F";
    estimate_cost(pairs.c_str(), 20, &cut);
    // 3.94 + 3.9 k passes 20 at the fifth pair, bytes 8 and 9.
    EXPECT_EQ(cut, 8);
    estimate_cost("12", 1000, &cut);
    EXPECT_EQ(cut, 2);
}

TEST(EstimateVersion, SmallestVersionWhoseCapacityCoversTheCost) {
    EXPECT_EQ(estimate_version(std::string(34, '1').c_str(), LevelM), 1);
    EXPECT_EQ(estimate_version(std::string(35, '1').c_str(), LevelM), 2);
    EXPECT_EQ(estimate_version(std::string(2061, '1').c_str(), LevelL), 20);
    EXPECT_EQ(estimate_version(std::string(2100, '1').c_str(), LevelL), 0);
    EXPECT_EQ(estimate_version("1", 4), 0);
}

TEST(EstimateCut, RefusesVersionsAndLevelsOutOfRange) {
    EXPECT_EQ(estimate_cut("123", 0, LevelM), -1);
    EXPECT_EQ(estimate_cut("123", 21, LevelM), -1);
    EXPECT_EQ(estimate_cut("123", 1, -1), -1);
    EXPECT_EQ(estimate_cut("123", 1, 4), -1);
    EXPECT_EQ(estimate_cut("123", 1, LevelH), 3);
}

TEST(NumericCapacity, MatchesTheDigitsTheEncoderTableHolds) {
    for (int32_t v = 1; v <= kCapacityVersions; ++v) {
        for (int32_t level = 0; level < 4; ++level) {
            int32_t bits = VersionTable[v].dataCodewords[level] * 8 - 4 - CountBitWidths[0][version_group(v)];
            int32_t rest = bits % 10;
            int32_t digits = bits / 10 * 3 + (rest >= 7 ? 2 : rest >= 4 ? 1 : 0);
            EXPECT_EQ(NumericCapacity[v - 1][level], digits) << "version " << v << " level " << level;
        }
    }
}

}  // namespace
