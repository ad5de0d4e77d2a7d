// The eight data masks (ISO/IEC 18004 Table 10) as conditions and as bit
// sets per row and column, built once on first use.
#include <cstring>

#include "encoder/encoder_internal.h"
#include "encoder/matrix_internal.h"

bool mask_condition(int32_t mask, int32_t i, int32_t j) {
    switch (mask) {
    case 0: return (i + j) % 2 == 0;
    case 1: return i % 2 == 0;
    case 2: return j % 3 == 0;
    case 3: return (i + j) % 3 == 0;
    case 4: return (i / 2 + j / 3) % 2 == 0;
    case 5: return (i * j) % 2 + (i * j) % 3 == 0;
    case 6: return ((i * j) % 2 + (i * j) % 3) % 2 == 0;
    default: return ((i + j) % 2 + (i * j) % 3) % 2 == 0;
    }
}

namespace {

struct PatternTable : MaskPatterns {
    PatternTable() {
        std::memset(this, 0, sizeof *this);
        for (int m = 0; m < 8; ++m)
            for (int a = 0; a < kMaxModules; ++a)
                for (int b = 0; b < kMaxModules; ++b) {
                    if (mask_condition(m, a, b)) rows[m][a][b >> 6] |= 1ull << (b & 63);
                    if (mask_condition(m, b, a)) cols[m][a][b >> 6] |= 1ull << (b & 63);
                }
    }
};

}  // namespace

const MaskPatterns& mask_patterns() {
    static const PatternTable table;
    return table;
}
