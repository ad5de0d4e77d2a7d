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

// ---- Data placement ----------------------------------------------------------
//
// The zigzag goes up and down column pairs; within a pair, rows where both
// columns are free take alternate bits, rows where one is free take single
// bits. The pair is cut into runs of rows of one kind, and each run takes
// its bits in words: no module is visited alone.

namespace {

// The codeword stream, first bit first; zeros past the last codeword.
struct BitReader {
    const uint8_t* bytes;
    int32_t position;
};

// The next count (1-32) bits, the first one highest.
uint32_t read_bits(BitReader& r, int32_t count) {
    const uint8_t* p = r.bytes + (r.position >> 3);
    uint64_t v = 0;
    for (int32_t i = 0; i < 8; ++i) v = (v << 8) | p[i];
    v <<= (r.position & 7);
    r.position += count;
    return static_cast<uint32_t>(v >> (64 - count));
}

// The bits at even positions of v, packed: bit 2i becomes bit i.
uint32_t even_bits(uint32_t v) {
    v &= 0x55555555u;
    v = (v | (v >> 1)) & 0x33333333u;
    v = (v | (v >> 2)) & 0x0F0F0F0Fu;
    v = (v | (v >> 4)) & 0x00FF00FFu;
    return (v | (v >> 8)) & 0x0000FFFFu;
}

// The low count bits of v in reverse order.
uint32_t reverse_bits(uint32_t v, int32_t count) {
    v = ((v >> 1) & 0x55555555u) | ((v & 0x55555555u) << 1);
    v = ((v >> 2) & 0x33333333u) | ((v & 0x33333333u) << 2);
    v = ((v >> 4) & 0x0F0F0F0Fu) | ((v & 0x0F0F0F0Fu) << 4);
    v = ((v >> 8) & 0x00FF00FFu) | ((v & 0x00FF00FFu) << 8);
    v = (v >> 16) | (v << 16);
    return v >> (32 - count);
}

// Sets bits y .. y + count - 1 of line from value (bit 0 at y).
void or_bits(Line& line, int32_t y, uint32_t value, int32_t count) {
    const uint64_t v = value;
    const int32_t shift = y & 63;
    line.w[y >> 6] |= v << shift;
    if (shift + count > 64) line.w[(y >> 6) + 1] |= v >> (64 - shift);
}

bool line_bit(const Line& line, int32_t y) { return (line.w[y >> 6] >> (y & 63)) & 1; }

struct Pair {
    Line* right;
    Line* left;
    bool upward;
};

// count rows from y (upward: the rows below y + count, top first) of one
// column, one bit each.
void place_single(BitReader& r, Line& column, int32_t from, int32_t count, bool upward) {
    while (count > 0) {
        const int32_t c = count < 32 ? count : 32;
        uint32_t v = read_bits(r, c);
        if (upward) {
            or_bits(column, from + count - c, v, c);
        } else {
            or_bits(column, from, reverse_bits(v, c), c);
            from += c;
        }
        count -= c;
    }
}

// count rows from y of both columns, right then left in each row.
void place_double(BitReader& r, const Pair& pair, int32_t from, int32_t count) {
    while (count > 0) {
        const int32_t c = count < 16 ? count : 16;
        uint32_t v = read_bits(r, 2 * c);
        uint32_t right = even_bits(v >> 1), left = even_bits(v);
        if (pair.upward) {
            or_bits(*pair.right, from + count - c, right, c);
            or_bits(*pair.left, from + count - c, left, c);
        } else {
            or_bits(*pair.right, from, reverse_bits(right, c), c);
            or_bits(*pair.left, from, reverse_bits(left, c), c);
            from += c;
        }
        count -= c;
    }
}

struct Run {
    int32_t from, count, kind;   // kind: bit 0 right free, bit 1 left free
};

// The first row from `from` on whose bit is set in line, or n.
int32_t next_set(const Line& line, int32_t from, int32_t n) {
    for (int32_t k = from >> 6; k * 64 < n; ++k) {
        uint64_t w = line.w[k];
        if (k == from >> 6) w &= ~0ull << (from & 63);
        if (w != 0) {
            int32_t y = k * 64 + __builtin_ctzll(w);
            return y < n ? y : n;
        }
    }
    return n;
}

// The pair's rows cut where the free/function kind changes, top down.
int32_t pair_runs(int32_t right, int32_t n, Run* runs) {
    const Line& fr = g_lines.functionCols[right];
    const Line& fl = g_lines.functionCols[right - 1];
    int32_t count = 0;
    for (int32_t y = 0; y < n;) {
        const bool rightFree = !line_bit(fr, y), leftFree = !line_bit(fl, y);
        Line change;   // rows of another kind than row y
        for (int32_t k = 0; k < kMaskWords; ++k) {
            change.w[k] = (rightFree ? fr.w[k] : ~fr.w[k]) | (leftFree ? fl.w[k] : ~fl.w[k]);
        }
        const int32_t end = next_set(change, y + 1, n);
        runs[count++] = Run{y, end - y, (rightFree ? 1 : 0) | (leftFree ? 2 : 0)};
        y = end;
    }
    return count;
}

void place_run(BitReader& r, const Pair& pair, const Run& run) {
    if (run.kind == 3) place_double(r, pair, run.from, run.count);
    if (run.kind == 1) place_single(r, *pair.right, run.from, run.count, pair.upward);
    if (run.kind == 2) place_single(r, *pair.left, run.from, run.count, pair.upward);
}

}  // namespace

void place_data() {
    EncoderState& e = g_encoder;
    const int32_t n = e.size;
    // Past the last codeword the stream reads zeros: the remainder bits.
    std::memset(e.codewords + e.codewordCount, 0, kCodewordSlack);
    for (int32_t x = 0; x < n; ++x) {
        const uint8_t* column = e.matrix + x * kMaxModules;
        gather_column(column, n, FunctionFlag, &g_lines.functionCols[x]);
        gather_column(column, n, FunctionDark, &g_lines.fixedCols[x]);
        g_lines.dataCols[x] = Line{};
    }
    BitReader reader{e.codewords, 0};
    Run runs[kMaxModules];
    for (int32_t right = n - 1; right >= 1; right -= 2) {
        if (right == 6) right = 5;   // skip the vertical timing pattern
        // n - 1 is a multiple of 4, so the pairs alternate with bit 1 of
        // right + 1, the first pair (right = n - 1) going upward.
        const Pair pair{&g_lines.dataCols[right], &g_lines.dataCols[right - 1], ((right + 1) & 2) == 0};
        const int32_t count = pair_runs(right, n, runs);
        for (int32_t i = 0; i < count; ++i) place_run(reader, pair, runs[pair.upward ? count - 1 - i : i]);
    }
    for (int32_t x = 0; x < n; ++x) or_into_column(e.matrix + x * kMaxModules, n, g_lines.dataCols[x], DataBit);
}

void apply_mask(int32_t mask) {
    const int32_t n = g_encoder.size;
    for (int32_t x = 0; x < n; ++x) {
        uint8_t* column = g_encoder.matrix + x * kMaxModules;
        const uint64_t* pattern = mask_patterns().cols[mask][x];
        for (int32_t y = 0; y < n; ++y) {
            uint8_t m = column[y];
            if (m & FunctionFlag) continue;
            uint8_t bit = static_cast<uint8_t>(((m & DataBit) >> 1) ^ ((pattern[y >> 6] >> (y & 63)) & 1));
            column[y] = static_cast<uint8_t>((m & ~MaskedBit) | bit);
        }
    }
}

static int32_t compute_format_bits(int32_t level, int32_t mask) {
    static const int32_t kIndicator[4] = {1, 0, 3, 2};   // L 01, M 00, Q 11, H 10
    int32_t data = kIndicator[level] * 8 + mask;
    return ((data << 10) | bch_remainder(data << 10, 0x537, 11)) ^ 0x5412;
}

int32_t format_bits(int32_t level, int32_t mask) {
    static const struct Table {
        int32_t bits[4][8];
        Table() {
            for (int32_t l = 0; l < 4; ++l)
                for (int32_t m = 0; m < 8; ++m) bits[l][m] = compute_format_bits(l, m);
        }
    } table;
    return table.bits[level][mask];
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
