// Helpers shared by the matrix builder and the mask evaluation; not part of
// the encoder's public manual.
#pragma once

#include <cstdint>

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
// Mask patterns as bit sets: mask_column(m, x) has bit y set where the
// condition holds at (x, y); mask_row(m, y) has bit x set.
const uint64_t* mask_column(int32_t mask, int32_t x);
const uint64_t* mask_row(int32_t mask, int32_t y);
