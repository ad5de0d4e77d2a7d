// Reed-Solomon error correction over GF(256) and the interleaving of data
// and error-correction codewords into the final sequence (ISO/IEC 18004
// clauses 6.5 and 6.6). Works in the fixed buffers of g_encoder.
#include <cstring>

#include "encoder/encoder_internal.h"

namespace {

constexpr int32_t kGenerators = 69;

int32_t words_of(int32_t eccCount) { return (eccCount + 7) / 8; }

// For every generator polynomial and every leading value, the products of
// the value with the generator's coefficients as one row of words: byte j
// of the row (bits 8 * (j % 8) of word j / 8) is lead * g_j, the bytes past
// the last coefficient 0. Built once, on first use; 162 words per lead
// cover the rows of all generators in GeneratorTable.
struct ProductTables {
    static constexpr int32_t kPoolWords = 256 * 162;
    uint64_t pool[kPoolWords];
    const uint64_t* rows[kGenerators];

    ProductTables() : pool(), rows() {
        int32_t used = 0;
        for (int32_t e = 0; e < kGenerators; ++e) {
            const uint8_t* gen = GeneratorTable[e].coefficients;
            if (gen == nullptr) continue;
            const int32_t w = words_of(e);
            if (used + 256 * w > kPoolWords) break;   // never: the pool is sized for the table
            uint64_t* row = pool + used;
            rows[e] = row;
            used += 256 * w;
            for (int32_t lead = 1; lead < 256; ++lead) fill_row(row + lead * w, lead, gen, e);
        }
    }

    static void fill_row(uint64_t* row, int32_t lead, const uint8_t* gen, int32_t e) {
        for (int32_t j = 0; j < e; ++j) {
            const uint64_t product = GfExp[(GfLog[lead] + gen[j]) % 255];
            row[j / 8] |= product << (8 * (j % 8));
        }
    }
};

const ProductTables& product_tables() {
    static const ProductTables tables;
    return tables;
}

// The shift register of the division as W words, byte j the coefficient
// of x^(e-1-j): each data codeword shifts it down one byte and adds the
// product row of the leading term. Bytes past e stay 0.
template <int W>
void divide(const uint8_t* data, int32_t dataCount, const uint64_t* rows, uint64_t* reg) {
    uint64_t r[W] = {};
    for (int32_t i = 0; i < dataCount; ++i) {
        const uint64_t* row = rows + W * static_cast<uint8_t>(data[i] ^ r[0]);
        for (int k = 0; k < W; ++k) r[k] = ((r[k] >> 8) | (k + 1 < W ? r[k + 1] << 56 : 0)) ^ row[k];
    }
    for (int k = 0; k < W; ++k) reg[k] = r[k];
}

}  // namespace

void rs_block(const uint8_t* data, int32_t dataCount, int32_t eccCount, uint8_t* ecc) {
    const uint64_t* rows = product_tables().rows[eccCount];
    uint64_t reg[9];
    switch (words_of(eccCount)) {
    case 1: divide<1>(data, dataCount, rows, reg); break;
    case 2: divide<2>(data, dataCount, rows, reg); break;
    case 3: divide<3>(data, dataCount, rows, reg); break;
    case 4: divide<4>(data, dataCount, rows, reg); break;
    case 5: divide<5>(data, dataCount, rows, reg); break;
    case 6: divide<6>(data, dataCount, rows, reg); break;
    case 7: divide<7>(data, dataCount, rows, reg); break;
    case 8: divide<8>(data, dataCount, rows, reg); break;
    default: divide<9>(data, dataCount, rows, reg); break;
    }
    for (int32_t j = 0; j < eccCount; ++j) ecc[j] = static_cast<uint8_t>(reg[j / 8] >> (8 * (j % 8)));
}

void rs_remainder(uint8_t* work, int32_t dataCount, int32_t eccCount) {
    uint8_t ecc[kMaxGeneratorDegree];
    rs_block(work, dataCount, eccCount, ecc);
    std::memcpy(work, ecc, static_cast<size_t>(eccCount));
}

void build_codewords() {
    EncoderState& s = g_encoder;
    const VersionRecord& r = VersionTable[s.version];
    const BlockGroup& g1 = r.group1[s.level];
    const BlockGroup& g2 = r.group2[s.level];
    const int32_t p = g1.blocks, k = g1.dataCodewords, t = g1.blocks + g2.blocks;
    const int32_t c = r.dataCodewords[s.level];
    const int32_t ecc = g1.codewords - g1.dataCodewords;
    s.codewordCount = r.totalCodewords;
    const uint8_t* data = s.bits;
    for (int32_t b = 0; b < t; ++b) {
        int32_t count = b < p ? k : k + 1;
        for (int32_t j = 0; j < k; ++j) s.codewords[j * t + b] = data[j];
        if (count > k) s.codewords[k * t + (b - p)] = data[k];
        // Each block is divided where it lies in the padded data.
        rs_block(data, count, ecc, s.work);
        for (int32_t j = 0; j < ecc; ++j) s.codewords[c + j * t + b] = s.work[j];
        data += count;
    }
}
