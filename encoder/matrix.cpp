// Module matrix: function patterns, data placement, masks and format/version
// information (ISO/IEC 18004 clauses 6.3, 7.7 to 7.9). Column-major bytes
// with the stride 177; flags while building, 1/0 when finished.
#include <cstring>

#include "encoder/encoder_internal.h"
#include "encoder/matrix_internal.h"

static inline uint8_t& module_at(int32_t x, int32_t y) {
    return g_encoder.matrix[x * kMaxModules + y];
}

static inline void set_function(int32_t x, int32_t y, bool dark) {
    module_at(x, y) = dark ? (FunctionFlag | FunctionDark) : FunctionFlag;
}

static void place_finder(int32_t left, int32_t top) {
    for (int32_t dx = 0; dx < 7; ++dx) {
        for (int32_t dy = 0; dy < 7; ++dy) {
            int32_t ring = dx < dy ? dx : dy;
            int32_t far = (6 - dx) < (6 - dy) ? 6 - dx : 6 - dy;
            ring = ring < far ? ring : far;   // distance to the outer edge
            set_function(left + dx, top + dy, ring != 1);
        }
    }
}

static void place_alignment(int32_t cx, int32_t cy) {
    if (module_at(cx, cy) & FunctionFlag) return;
    for (int32_t dx = -2; dx <= 2; ++dx) {
        for (int32_t dy = -2; dy <= 2; ++dy) {
            int32_t ax = dx < 0 ? -dx : dx, ay = dy < 0 ? -dy : dy;
            set_function(cx + dx, cy + dy, (ax > ay ? ax : ay) != 1);
        }
    }
}

int32_t bch_remainder(int32_t value, int32_t generator, int32_t generatorBits) {
    for (int32_t bit = 31; bit >= generatorBits - 1; --bit) {
        if (value & (1 << bit)) value ^= generator << (bit - (generatorBits - 1));
    }
    return value;
}

static void place_version_info(int32_t n, int32_t version) {
    int32_t info = version * 4096 + bch_remainder(version * 4096, 0x1F25, 13);
    for (int32_t i = 0; i < 6; ++i) {
        for (int32_t j = 0; j < 3; ++j) {
            bool dark = (info >> (3 * i + j)) & 1;
            set_function(i, n - 11 + j, dark);
            set_function(n - 11 + j, i, dark);
        }
    }
}

void place_function_patterns() {
    const int32_t n = g_encoder.size;
    const VersionRecord& r = VersionTable[g_encoder.version];
    std::memset(g_encoder.matrix, 0, sizeof g_encoder.matrix);
    place_finder(0, 0);
    place_finder(n - 7, 0);
    place_finder(0, n - 7);
    for (int32_t i = 0; i <= 7; ++i) {
        set_function(7, i, false);
        set_function(i, 7, false);
        set_function(n - 8 + i, 7, false);
        set_function(n - 8, i, false);
        set_function(7, n - 8 + i, false);
        set_function(i, n - 8, false);
    }
    for (int32_t i = 0; i <= 8; ++i) {
        set_function(8, i, false);
        set_function(i, 8, false);
    }
    for (int32_t i = 0; i <= 7; ++i) {
        set_function(8, n - 8 + i, false);
        set_function(n - 8 + i, 8, false);
    }
    if (g_encoder.version >= 7) place_version_info(n, g_encoder.version);
    for (int32_t a = 0; a < r.alignCount; ++a) {
        int32_t c = r.alignCoords[a];
        place_alignment(c, 6);
        place_alignment(6, c);
        for (int32_t b = 0; b < r.alignCount; ++b) place_alignment(c, r.alignCoords[b]);
    }
    for (int32_t i = 8; i <= n - 9; ++i) {
        set_function(i, 6, i % 2 == 0);
        set_function(6, i, i % 2 == 0);
    }
}

void place_data() {
    const int32_t n = g_encoder.size;
    const int32_t totalBits = g_encoder.codewordCount * 8;
    int32_t bit = 0;
    for (int32_t right = n - 1; right >= 1; right -= 2) {
        if (right == 6) right = 5;   // skip the vertical timing pattern
        // n - 1 is a multiple of 4, so the pairs alternate with bit 1 of
        // right + 1, the first pair (right = n - 1) going upward.
        bool upward = ((right + 1) & 2) == 0;
        for (int32_t step = 0; step < n; ++step) {
            int32_t y = upward ? n - 1 - step : step;
            for (int32_t dx = 0; dx < 2; ++dx) {
                uint8_t& m = module_at(right - dx, y);
                if (m & FunctionFlag) continue;
                if (bit < totalBits && ((g_encoder.codewords[bit >> 3] >> (7 - (bit & 7))) & 1)) m |= DataBit;
                ++bit;
            }
        }
    }
}

void apply_mask(int32_t mask) {
    const int32_t n = g_encoder.size;
    for (int32_t x = 0; x < n; ++x) {
        uint8_t* column = g_encoder.matrix + x * kMaxModules;
        const uint64_t* pattern = mask_column(mask, x);
        for (int32_t y = 0; y < n; ++y) {
            uint8_t m = column[y];
            if (m & FunctionFlag) continue;
            uint8_t bit = static_cast<uint8_t>(((m & DataBit) >> 1) ^ ((pattern[y >> 6] >> (y & 63)) & 1));
            column[y] = static_cast<uint8_t>((m & ~MaskedBit) | bit);
        }
    }
}

int32_t format_bits(int32_t level, int32_t mask) {
    static const int32_t kIndicator[4] = {1, 0, 3, 2};   // L 01, M 00, Q 11, H 10
    int32_t data = kIndicator[level] * 8 + mask;
    return ((data << 10) | bch_remainder(data << 10, 0x537, 11)) ^ 0x5412;
}

void format_positions(int32_t n, int32_t k, FormatPosition out[2]) {
    // First copy around the top-left finder.
    if (k <= 5) out[0] = {8, k};
    else if (k == 6) out[0] = {8, 7};
    else if (k == 7) out[0] = {8, 8};
    else if (k == 8) out[0] = {7, 8};
    else out[0] = {14 - k, 8};
    // Second copy split between the other two finders.
    if (k <= 7) out[1] = {n - 1 - k, 8};
    else out[1] = {8, n - 15 + k};
}

void place_format_info(int32_t mask) {
    const int32_t n = g_encoder.size;
    const int32_t bits = format_bits(g_encoder.level, mask);
    for (int32_t k = 0; k < 15; ++k) {
        FormatPosition pos[2];
        format_positions(n, k, pos);
        bool dark = (bits >> k) & 1;
        set_function(pos[0].x, pos[0].y, dark);
        set_function(pos[1].x, pos[1].y, dark);
    }
    set_function(8, n - 8, true);
}
