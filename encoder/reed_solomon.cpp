// Reed-Solomon error correction over GF(256) and the interleaving of data
// and error-correction codewords into the final sequence (ISO/IEC 18004
// clauses 6.5 and 6.6). Works in the fixed buffers of g_encoder.
#include <cstring>

#include "encoder/encoder_internal.h"

// GfExp twice over, so a sum of two logs needs no reduction modulo 255.
static const uint8_t* exp_twice() {
    static const struct Table {
        uint8_t v[512];
        Table() {
            for (int i = 0; i < 512; ++i) v[i] = GfExp[i % 255];
        }
    } table;
    return table.v;
}

void rs_remainder(uint8_t* work, int32_t dataCount, int32_t eccCount) {
    // Division by the generator as a shift register of eccCount bytes: each
    // step is the long division's step on the leading term, without moving
    // the whole block. reg[eccCount] stays 0 and shifts in.
    const uint8_t* gen = GeneratorTable[eccCount].coefficients;
    const uint8_t* exp = exp_twice();
    uint8_t reg[kMaxBlockBytes + 1] = {0};
    for (int32_t i = 0; i < dataCount; ++i) {
        uint8_t lead = static_cast<uint8_t>(work[i] ^ reg[0]);
        if (lead == 0) {
            for (int32_t j = 0; j < eccCount; ++j) reg[j] = reg[j + 1];
            continue;
        }
        const uint8_t* row = exp + GfLog[lead];
        for (int32_t j = 0; j < eccCount; ++j) reg[j] = static_cast<uint8_t>(reg[j + 1] ^ row[gen[j]]);
    }
    std::memcpy(work, reg, static_cast<size_t>(eccCount));
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
    std::memset(s.codewords, 0, static_cast<size_t>(s.codewordCount));
    const uint8_t* data = s.bits;
    for (int32_t b = 0; b < t; ++b) {
        int32_t count = b < p ? k : k + 1;
        for (int32_t j = 0; j < k; ++j) s.codewords[j * t + b] = data[j];
        if (count > k) s.codewords[k * t + (b - p)] = data[k];
        std::memset(s.work, 0, sizeof s.work);
        std::memcpy(s.work, data, static_cast<size_t>(count));
        rs_remainder(s.work, count, ecc);
        for (int32_t j = 0; j < ecc; ++j) s.codewords[c + j * t + b] = s.work[j];
        data += count;
    }
}
