// The word-wide steps of placement and mask choice against module-by-module
// twins: the zigzag of the data bits for every version, and the gathers,
// writes and transposes of the line sets on random matrices of every size.
#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "encoder/encoder_internal.h"
#include "encoder/matrix_internal.h"

namespace {

uint8_t& module_at(int x, int y) { return g_encoder.matrix[x * kMaxModules + y]; }

bool line_bit(const Line& l, int i) { return (l.w[i >> 6] >> (i & 63)) & 1; }

// The zigzag as written: two columns at a time from the lower right, up
// and down in turn, one module after the other, skipping function modules
// and the timing column; bits past the codewords stay light.
void literal_placement(bool* dark) {
    const int n = g_encoder.size, totalBits = g_encoder.codewordCount * 8;
    int bit = 0;
    bool upward = true;
    for (int right = n - 1; right >= 1; right -= 2) {
        if (right == 6) right = 5;
        for (int step = 0; step < n; ++step) {
            int y = upward ? n - 1 - step : step;
            for (int dx = 0; dx < 2; ++dx) {
                int x = right - dx;
                if (module_at(x, y) & FunctionFlag) continue;
                dark[x * kMaxModules + y] = bit < totalBits && ((g_encoder.codewords[bit >> 3] >> (7 - (bit & 7))) & 1);
                ++bit;
            }
        }
        upward = !upward;
    }
}

int sizes[] = {21, 25, 29, 32, 33, 37, 61, 64, 65, 101, 125, 128, 129, 145, 173, 177};

}  // namespace

TEST(DataPlacement, EveryVersionAsTheLiteralZigzag) {
    std::mt19937 rng(40);
    static bool expected[kMatrixBytes];
    for (int version = 1; version <= kMaxVersion; ++version) {
        g_encoder.version = version;
        g_encoder.level = static_cast<int32_t>(rng() % 4);
        g_encoder.size = 4 * version + 17;
        g_encoder.codewordCount = VersionTable[version].totalCodewords;
        // Stale bytes past the codewords must not reach the remainder modules.
        for (int i = 0; i < kMaxCodewords + kCodewordSlack; ++i) g_encoder.codewords[i] = static_cast<uint8_t>(rng());
        place_function_patterns();
        std::memset(expected, 0, sizeof expected);
        literal_placement(expected);
        place_data();
        const int n = g_encoder.size;
        int darkCount = 0;
        for (int x = 0; x < n; ++x)
            for (int y = 0; y < n; ++y) {
                const bool dark = (module_at(x, y) & DataBit) != 0;
                ASSERT_EQ(dark, expected[x * kMaxModules + y]) << "version " << version << " at " << x << "," << y;
                ASSERT_EQ(line_bit(g_lines.dataCols[x], y), dark) << "version " << version;
                darkCount += dark ? 1 : 0;
            }
        EXPECT_GT(darkCount, g_encoder.codewordCount * 2) << version;   // random codewords: about half dark
    }
}

TEST(LineSets, GatherWriteAndTransposeModuleByModule) {
    std::mt19937 rng(64);
    static Line cols[kMaxModules], rows[kMaxModules], written;
    for (int n : sizes) {
        for (int trial = 0; trial < 4; ++trial) {
            std::memset(g_encoder.matrix, 0, sizeof g_encoder.matrix);
            for (int i = 0; i < kMatrixBytes; ++i) g_encoder.matrix[i] = static_cast<uint8_t>(rng() & 0x33);
            for (int x = 0; x < n; ++x) {
                uint8_t* column = g_encoder.matrix + x * kMaxModules;
                gather_column(column, n, FunctionDark, &cols[x]);
                for (int y = 0; y < kMaskWords * 64; ++y) {
                    ASSERT_EQ(line_bit(cols[x], y), y < n && (column[y] & FunctionDark) != 0) << n << " " << x << "," << y;
                }
                // A flag or'ed in where the set says, and nowhere else.
                uint8_t before[kMaxModules];
                std::memcpy(before, column, kMaxModules);
                or_into_column(column, n, cols[x], DataBit);
                for (int y = 0; y < kMaxModules; ++y) {
                    const uint8_t want = y < n && line_bit(cols[x], y) ? (before[y] | DataBit) : before[y];
                    ASSERT_EQ(column[y], want) << n << " " << x << "," << y;
                }
                written = cols[x];
                write_column(column, n, written);
                for (int y = 0; y < kMaxModules; ++y) {
                    ASSERT_EQ(column[y], y < n ? (line_bit(written, y) ? 1 : 0) : before[y]) << n << " " << x << "," << y;
                }
            }
            std::memset(rows, 0xFF, sizeof rows);
            transpose_lines(cols, rows, n);
            for (int y = 0; y < n; ++y)
                for (int x = 0; x < kMaskWords * 64; ++x) {
                    ASSERT_EQ(line_bit(rows[y], x), x < n && line_bit(cols[x], y)) << n << " " << x << "," << y;
                }
        }
    }
}
