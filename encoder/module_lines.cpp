// Module bytes to bit sets and back, eight modules a word, and the turn of
// column sets into row sets by 64 x 64 block transposes: the word-wide
// steps that placement and mask choice share.
#include <cstring>

#include "encoder/encoder_internal.h"
#include "encoder/matrix_internal.h"

SymbolLines g_lines;

namespace {

constexpr uint64_t kLowBits = 0x0101010101010101ull;
// Gathers bit 0 of each of eight bytes into one byte, byte i to bit i.
constexpr uint64_t kGather = 0x0102040810204080ull;

inline uint64_t load8(const uint8_t* p) {
    uint64_t v;
    std::memcpy(&v, p, 8);
    return v;
}

inline void store8(uint8_t* p, uint64_t v) { std::memcpy(p, &v, 8); }

inline int32_t flag_shift(uint8_t flag) {
    int32_t k = 0;
    while ((flag >> k) > 1) ++k;
    return k;
}

// Byte i of spread(b) is bit i of b.
struct SpreadTable {
    uint64_t v[256];
    SpreadTable() {
        for (int b = 0; b < 256; ++b) {
            v[b] = 0;
            for (int i = 0; i < 8; ++i) v[b] |= static_cast<uint64_t>((b >> i) & 1) << (8 * i);
        }
    }
};

const uint64_t* spread_table() {
    static const SpreadTable table;
    return table.v;
}

inline uint32_t byte_at(const Line& l, int32_t y) {
    return static_cast<uint32_t>(l.w[y >> 6] >> (y & 63)) & 0xFF;
}

// Transposes a Size x Size bit block (Size 32 or 64) in place: bit j of
// a[i] trades with bit i of a[j], for i and j below Size.
template <int Size>
void transpose_block(uint64_t* a) {
    uint64_t m = Size == 64 ? 0x00000000FFFFFFFFull : 0x0000FFFF0000FFFFull;
    for (int j = Size / 2; j != 0; j >>= 1, m ^= m << j) {
        for (int k = 0; k < Size; k = ((k | j) + 1) & ~j) {
            uint64_t t = ((a[k] >> j) ^ a[k | j]) & m;
            a[k] ^= t << j;
            a[k | j] ^= t;
        }
    }
}

}  // namespace

void gather_column(const uint8_t* column, int32_t n, uint8_t flag, Line* out) {
    const int32_t k = flag_shift(flag);
    std::memset(out, 0, sizeof *out);
    int32_t y = 0;
    for (; y + 8 <= n; y += 8) {
        uint64_t bits = (((load8(column + y) >> k) & kLowBits) * kGather) >> 56;
        out->w[y >> 6] |= bits << (y & 63);
    }
    for (; y < n; ++y) {
        if (column[y] & flag) out->w[y >> 6] |= 1ull << (y & 63);
    }
}

void or_into_column(uint8_t* column, int32_t n, const Line& bits, uint8_t flag) {
    const uint64_t* spread = spread_table();
    const int32_t k = flag_shift(flag);
    int32_t y = 0;
    for (; y + 8 <= n; y += 8) store8(column + y, load8(column + y) | (spread[byte_at(bits, y)] << k));
    for (; y < n; ++y) {
        if ((bits.w[y >> 6] >> (y & 63)) & 1) column[y] |= flag;
    }
}

void write_column(uint8_t* column, int32_t n, const Line& bits) {
    const uint64_t* spread = spread_table();
    int32_t y = 0;
    for (; y + 8 <= n; y += 8) store8(column + y, spread[byte_at(bits, y)]);
    for (; y < n; ++y) column[y] = static_cast<uint8_t>((bits.w[y >> 6] >> (y & 63)) & 1);
}

void transpose_lines(const Line* cols, Line* rows, int32_t n) {
    const int32_t blocks = (n + 63) / 64;
    uint64_t a[64];
    for (int32_t bx = 0; bx < blocks; ++bx) {
        for (int32_t by = 0; by < blocks; ++by) {
            for (int32_t i = 0; i < 64; ++i) {
                int32_t x = bx * 64 + i;
                a[i] = x < n ? cols[x].w[by] : 0;
            }
            if (n <= 32) {
                transpose_block<32>(a);   // the smallest symbols: half the work
            } else {
                transpose_block<64>(a);
            }
            for (int32_t i = 0; i < 64; ++i) {
                int32_t y = by * 64 + i;
                if (y < n) rows[y].w[bx] = a[i];
            }
        }
    }
    for (int32_t y = 0; y < n; ++y) {
        for (int32_t w = blocks; w < kMaskWords; ++w) rows[y].w[w] = 0;
    }
}
