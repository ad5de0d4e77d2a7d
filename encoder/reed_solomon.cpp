// Reed-Solomon error correction over GF(256) and the interleaving of data
// and error-correction codewords into the final sequence (ISO/IEC 18004
// clauses 6.5 and 6.6). Works in the fixed buffers of g_encoder.
#include <cstring>

#include "encoder/encoder.h"

void rs_remainder(uint8_t* work, int32_t dataCount, int32_t eccCount) {
    // Division by the generator as a shift register of eccCount bytes: each
    // step is the long division's step on the leading term, without moving
    // the whole block.
    const uint8_t* gen = GeneratorTable[eccCount].coefficients;
    uint8_t reg[kMaxBlockBytes] = {0};
    for (int32_t i = 0; i < dataCount; ++i) {
        uint8_t lead = static_cast<uint8_t>(work[i] ^ reg[0]);
        if (lead == 0) {
            for (int32_t j = 0; j + 1 < eccCount; ++j) reg[j] = reg[j + 1];
            reg[eccCount - 1] = 0;
            continue;
        }
        int32_t e = GfLog[lead];
        for (int32_t j = 0; j < eccCount; ++j) {
            int32_t k = gen[j] + e;
            reg[j] = static_cast<uint8_t>((j + 1 < eccCount ? reg[j + 1] : 0) ^ GfExp[k >= 255 ? k - 255 : k]);
        }
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
