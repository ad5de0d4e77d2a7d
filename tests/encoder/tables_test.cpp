// Invariants of the static tables: block structure against codeword counts,
// alignment coordinates, GF(256) and the generator polynomials.
#include <gtest/gtest.h>

#include "encoder/encoder.h"

TEST(VersionTable, BlocksAddUpToCodewordCounts) {
    for (int v = 1; v <= 40; ++v) {
        const VersionRecord& r = VersionTable[v];
        EXPECT_EQ(r.version, v);
        for (int lv = 0; lv < 4; ++lv) {
            const BlockGroup& a = r.group1[lv];
            const BlockGroup& b = r.group2[lv];
            EXPECT_EQ(a.blocks * a.codewords + b.blocks * b.codewords, r.totalCodewords) << v << "/" << lv;
            EXPECT_EQ(a.blocks * a.dataCodewords + b.blocks * b.dataCodewords, r.dataCodewords[lv]) << v << "/" << lv;
            EXPECT_LE(a.codewords, kMaxBlockBytes);
            if (b.blocks == 0) {
                EXPECT_EQ(b.codewords, 0);
                EXPECT_EQ(b.dataCodewords, 0);
            } else {
                EXPECT_EQ(b.codewords, a.codewords + 1);
                EXPECT_EQ(b.dataCodewords, a.dataCodewords + 1);
            }
            // Every block size in the table has a generator polynomial.
            EXPECT_NE(GeneratorTable[a.codewords - a.dataCodewords].coefficients, nullptr);
        }
        EXPECT_GT(r.dataCodewords[0], r.dataCodewords[1]);
        EXPECT_GT(r.dataCodewords[1], r.dataCodewords[2]);
        EXPECT_GT(r.dataCodewords[2], r.dataCodewords[3]);
    }
}

TEST(VersionTable, CheckRows) {
    const VersionRecord& v1 = VersionTable[1];
    EXPECT_EQ(v1.totalCodewords, 26);
    EXPECT_EQ(v1.dataCodewords[0], 19);
    EXPECT_EQ(v1.dataCodewords[3], 9);
    EXPECT_EQ(v1.alignCount, 0);
    EXPECT_EQ(v1.group1[LevelQ].blocks, 1);
    EXPECT_EQ(v1.group1[LevelQ].codewords, 26);
    EXPECT_EQ(v1.group1[LevelQ].dataCodewords, 13);

    const VersionRecord& v5 = VersionTable[5];
    EXPECT_EQ(v5.totalCodewords, 134);
    EXPECT_EQ(v5.dataCodewords[1], 86);
    EXPECT_EQ(v5.alignCoords[0], 30);
    EXPECT_EQ(v5.group1[LevelQ].blocks, 2);
    EXPECT_EQ(v5.group1[LevelQ].codewords, 33);
    EXPECT_EQ(v5.group2[LevelQ].codewords, 34);
    EXPECT_EQ(v5.group2[LevelQ].dataCodewords, 16);

    const VersionRecord& v40 = VersionTable[40];
    EXPECT_EQ(v40.totalCodewords, 3706);
    const int32_t data[4] = {2956, 2334, 1666, 1276};
    for (int lv = 0; lv < 4; ++lv) EXPECT_EQ(v40.dataCodewords[lv], data[lv]);
    const int32_t coords[6] = {30, 58, 86, 114, 142, 170};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(v40.alignCoords[i], coords[i]);
    EXPECT_EQ(v40.group1[LevelQ].blocks, 34);
    EXPECT_EQ(v40.group2[LevelQ].blocks, 34);
    EXPECT_EQ(v40.group2[LevelQ].codewords, 55);
}

TEST(VersionTable, AlignmentCoordinates) {
    for (int v = 1; v <= 40; ++v) {
        const VersionRecord& r = VersionTable[v];
        int expected = v == 1 ? 0 : v / 7 + 1;   // the standard's count minus the 6
        EXPECT_EQ(r.alignCount, expected) << v;
        int n = 4 * v + 17;
        if (r.alignCount > 0) {
            EXPECT_EQ(r.alignCoords[r.alignCount - 1], n - 7) << v;
        }
        for (int i = 0; i < 6; ++i) {
            if (i >= r.alignCount) {
                EXPECT_EQ(r.alignCoords[i], 0);
                continue;
            }
            EXPECT_EQ(r.alignCoords[i] % 2, 0);
            if (i > 0) {
                EXPECT_GT(r.alignCoords[i], r.alignCoords[i - 1]);
            }
        }
    }
    for (int i = 0; i < 37; ++i) EXPECT_EQ((&VersionTable[0].version)[i], 0);
}

TEST(GaloisField, ExpAndLogAreInverse) {
    EXPECT_EQ(GfExp[0], 1);
    EXPECT_EQ(GfExp[255], 1);
    EXPECT_EQ(GfExp[8], 0x1D);   // x^8 reduced by 0x11D
    bool seen[256] = {};
    for (int i = 0; i < 255; ++i) {
        EXPECT_FALSE(seen[GfExp[i]]);
        seen[GfExp[i]] = true;
        EXPECT_EQ(GfLog[GfExp[i]], i);
    }
    EXPECT_FALSE(seen[0]);
}

TEST(GaloisField, GeneratorEntries) {
    for (int e = 0; e <= 68; ++e) {
        bool listed = e == 7 || e == 10 || e == 13 || e == 15 || e == 16 || e == 17 || e == 18 ||
                      e == 20 || e == 22 || e == 24 || e == 26 || e == 28 || e == 30 ||
                      (e >= 32 && e % 2 == 0);
        EXPECT_EQ(GeneratorTable[e].coefficients != nullptr, listed) << e;
    }
    // x^7 + a^87 x^6 + a^229 x^5 + a^146 x^4 + a^149 x^3 + a^238 x^2 + a^102 x + a^21
    const uint8_t g7[7] = {87, 229, 146, 149, 238, 102, 21};
    for (int i = 0; i < 7; ++i) EXPECT_EQ(GeneratorTable[7].coefficients[i], g7[i]);
    // Every generator has the roots a^0 .. a^(e-1).
    for (int e = 7; e <= 68; ++e) {
        const uint8_t* g = GeneratorTable[e].coefficients;
        if (g == nullptr) continue;
        for (int root = 0; root < e; ++root) {
            uint8_t acc = 1;   // leading coefficient
            for (int j = 0; j < e; ++j) {
                uint8_t mul = acc == 0 ? 0 : GfExp[(GfLog[acc] + root) % 255];
                acc = static_cast<uint8_t>(mul ^ GfExp[g[j]]);
            }
            EXPECT_EQ(acc, 0) << "e " << e << " root " << root;
        }
    }
}
