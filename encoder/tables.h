// Static tables of the QR symbol encoder: version records, count-indicator
// widths, GF(256) arithmetic and generator polynomials. All are read-only.
#pragma once

#include <cstdint>

// Index of the level in every per-level array: L = 0, M = 1, Q = 2, H = 3.
enum EcLevel : int32_t { LevelL = 0, LevelM = 1, LevelQ = 2, LevelH = 3 };

// One Reed-Solomon block group: (blocks, codewords per block, data codewords
// per block). A level with a single kind of block has (0, 0, 0) as group 2.
struct BlockGroup {
    int32_t blocks;
    int32_t codewords;
    int32_t dataCodewords;
};

// One row of the version table: 37 signed 32-bit integers in this order.
struct VersionRecord {
    int32_t version;
    int32_t totalCodewords;
    int32_t dataCodewords[4];    // per level
    int32_t alignCount;          // centres listed, the coordinate 6 left out
    int32_t alignCoords[6];      // ascending, remaining slots 0
    BlockGroup group1[4];        // per level
    BlockGroup group2[4];        // per level; blocks one codeword longer
};
static_assert(sizeof(VersionRecord) == 37 * sizeof(int32_t), "37 integers");

// Indexed by version number 1 to 40; row 0 is all zeros.
extern const VersionRecord VersionTable[41];

// Character-count indicator widths by mode (numeric, alphanumeric, byte,
// kanji) and version group (1-9, 10-26, 27-40): ISO/IEC 18004 Table 3.
extern const int32_t CountBitWidths[4][3];

// GF(256) over 0x11D: GfExp[i] = 2^i (GfExp[255] = 1), GfLog[2^i] = i.
extern const uint8_t GfExp[256];
extern const uint8_t GfLog[256];

// Generator polynomial for e error-correction codewords, in log form, from the
// coefficient of x^(e-1) down to x^0 (the leading 1 left out); null where the
// table has no entry.
struct GeneratorEntry {
    const uint8_t* coefficients;
};
extern const GeneratorEntry GeneratorTable[69];

// Version group (0, 1 or 2) that shares count-indicator widths.
inline int32_t version_group(int32_t version) {
    return version >= 27 ? 2 : version >= 10 ? 1 : 0;
}
