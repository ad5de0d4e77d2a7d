// Helpers shared by the matrix builder and the mask evaluation; not part of
// the encoder's public manual.
#pragma once

#include <cstdint>

#include "encoder/encoder.h"

struct FormatPosition {
    int32_t x;
    int32_t y;
};

// Remainder of value divided by a generator of generatorBits bits (BCH).
int32_t bch_remainder(int32_t value, int32_t generator, int32_t generatorBits);
// The 15 format bits for a level and mask, bit 0 least significant.
int32_t format_bits(int32_t level, int32_t mask);
// The two modules that carry format bit k in a symbol of size n.
void format_positions(int32_t n, int32_t k, FormatPosition out[2]);
// Mask condition with i the row y and j the column x.
bool mask_condition(int32_t mask, int32_t i, int32_t j);

// Words of a line bit set: 192 bits hold 177 modules and the light padding
// the finder rule looks at beyond the edge.
constexpr int kMaskWords = 3;
// Mask patterns as bit sets: cols[m][x] has bit y set where the condition
// holds at (x, y); rows[m][y] has bit x set. Built once, on first use.
struct MaskPatterns {
    uint64_t rows[8][kMaxModules][kMaskWords];
    uint64_t cols[8][kMaxModules][kMaskWords];
};
const MaskPatterns& mask_patterns();

// --- Line bit sets ---------------------------------------------------------------

// One row or column of modules, bit i for module i (1 = flag set or dark).
struct Line {
    uint64_t w[kMaskWords];
};

// The unmasked symbol as bit sets, by column (bit y of cols[x]) and by row
// (bit x of rows[y]). place_data fills the function modules, the dark
// function modules and the dark data modules by column from the matrix it
// lays out; finish_matrix joins them into the unmasked symbol and its free
// (data and remainder) modules, turns those into rows and scores the masks:
// a masked line is symbol ^ (free & mask).
struct SymbolLines {
    Line functionCols[kMaxModules], fixedCols[kMaxModules], dataCols[kMaxModules];
    Line symbolCols[kMaxModules], freeCols[kMaxModules];
    Line symbolRows[kMaxModules], freeRows[kMaxModules];
};
extern SymbolLines g_lines;

// Bit y of out (y < n) set where byte y of column has flag; a word-wide
// gather, eight modules at a time.
void gather_column(const uint8_t* column, int32_t n, uint8_t flag, Line* out);
// Bytes 0 to n - 1 of column get flag or'ed in where bit y of bits is set.
void or_into_column(uint8_t* column, int32_t n, const Line& bits, uint8_t flag);
// Bytes 0 to n - 1 of column become 1 where bit y of bits is set, else 0.
void write_column(uint8_t* column, int32_t n, const Line& bits);
// rows[y] bit x = cols[x] bit y, for x and y below n; bits from n up are 0.
void transpose_lines(const Line* cols, Line* rows, int32_t n);
