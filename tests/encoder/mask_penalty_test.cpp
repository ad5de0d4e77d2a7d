// The optimised mask evaluation against its literal twin: the penalty of
// arbitrary matrices and the mask chosen for real symbols.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>

#include "encoder/encoder_internal.h"
#include "tests/encoder/literal_penalty_support.h"

namespace {

// Byte values a matrix holds while masks are tried.
const uint8_t kStates[] = {0x00, 0x01, 0x02, 0x03, 0x20, 0x30};

void fill_random(std::mt19937& rng, int n, int darkPercent) {
    std::memset(g_encoder.matrix, 0, sizeof g_encoder.matrix);
    g_encoder.size = n;
    for (int x = 0; x < n; ++x)
        for (int y = 0; y < n; ++y) {
            bool dark = static_cast<int>(rng() % 100) < darkPercent;
            uint8_t base = kStates[rng() % 6];
            g_encoder.matrix[x * kMaxModules + y] = dark ? (base | 0x01) : (base & 0x22);
        }
}

// Draws the 1:1:3:1:1 pattern along a row or column, to exercise rule 3.
void draw_finder_line(int n, int line, int start, bool horizontal) {
    const bool pattern[7] = {true, false, true, true, true, false, true};
    for (int k = 0; k < 7 && start + k < n; ++k) {
        int x = horizontal ? start + k : line, y = horizontal ? line : start + k;
        g_encoder.matrix[x * kMaxModules + y] = pattern[k] ? 0x30 : 0x20;
    }
}

}  // namespace

// Both routes of the population counts: the instruction and the routine.
class MaskPenalty : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override { use_popcnt_instruction(GetParam()); }
    void TearDown() override { use_popcnt_instruction(true); }
};

INSTANTIATE_TEST_SUITE_P(Counts, MaskPenalty, ::testing::Bool());

TEST_P(MaskPenalty, MatchesTheLiteralRulesOnRandomMatrices) {
    std::mt19937 rng(2024);
    for (int trial = 0; trial < 400; ++trial) {
        int version = 1 + static_cast<int>(rng() % 40);
        int n = 4 * version + 17;
        int darkPercent = static_cast<int>(rng() % 101);
        fill_random(rng, n, darkPercent);
        // Sprinkle light-bounded finder patterns, also at the edges.
        for (int k = 0; k < 6; ++k) {
            int line = static_cast<int>(rng() % static_cast<unsigned>(n));
            int start = static_cast<int>(rng() % 3) == 0 ? (k % 2 ? 0 : n - 7)
                                                           : static_cast<int>(rng() % static_cast<unsigned>(n - 6));
            draw_finder_line(n, line, start, k % 2 == 0);
        }
        ASSERT_EQ(mask_penalty(), literal_penalty()) << "trial " << trial << " n " << n;
    }
}

TEST_P(MaskPenalty, UniformAndStripedMatrices) {
    for (int version : {1, 2, 11, 12, 27, 28, 40}) {
        int n = 4 * version + 17;
        g_encoder.size = n;
        for (int pattern = 0; pattern < 5; ++pattern) {
            std::memset(g_encoder.matrix, 0, sizeof g_encoder.matrix);
            for (int x = 0; x < n; ++x)
                for (int y = 0; y < n; ++y) {
                    bool dark = pattern == 1 || (pattern == 2 && x % 2 == 0) || (pattern == 3 && (x + y) % 2 == 0) ||
                                (pattern == 4 && (x / 5 + y / 3) % 2 == 0);
                    g_encoder.matrix[x * kMaxModules + y] = dark ? 0x10 : 0x02;
                }
            ASSERT_EQ(mask_penalty(), literal_penalty()) << "version " << version << " pattern " << pattern;
        }
    }
    // All light: runs of n in 2n lines, (n-1)^2 blocks, 100 % light.
    int n = 21;
    g_encoder.size = n;
    std::memset(g_encoder.matrix, 0, sizeof g_encoder.matrix);
    EXPECT_EQ(mask_penalty(), 2 * n * (n - 2) + 3 * (n - 1) * (n - 1) + 100);
}

TEST(MaskChoice, SameAsScoringEveryMaskLiterally) {
    std::mt19937 rng(99);
    int ties = 0;
    for (int trial = 0; trial < 120; ++trial) {
        int level = static_cast<int>(rng() % 4);
        int length = 1 + static_cast<int>(rng() % (trial < 100 ? 60 : 600));
        std::string text;
        for (int i = 0; i < length; ++i) text += static_cast<char>(1 + rng() % (trial % 3 == 0 ? 255 : 90));
        ASSERT_TRUE(encode_symbol(level, 0, false, -1, text.c_str(), 0));
        int chosen = g_encoder.mask;
        // Rebuild the unmasked symbol and score all eight masks literally.
        int32_t version = g_encoder.version;
        g_encoder.mask = -1;
        find_version(version, reinterpret_cast<const uint8_t*>(text.data()), length, 0);
        g_encoder.version = version;
        terminate_and_pad(VersionTable[version].dataCodewords[level]);
        build_codewords();
        place_function_patterns();
        place_data();
        int scores[8];
        for (int m = 0; m < 8; ++m) {
            apply_mask(m);
            place_format_info(m);
            scores[m] = literal_penalty();
        }
        int best = literal_mask_choice();
        ASSERT_EQ(chosen, best) << "trial " << trial;
        for (int m = 0; m < 8; ++m) ties += (m != best && scores[m] == scores[best]) ? 1 : 0;
    }
    // The lower mask wins a tie: make sure ties were met at all.
    EXPECT_GT(ties, 0);
}
