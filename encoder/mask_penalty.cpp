// Mask evaluation: the penalty score of a matrix and the choice among the
// eight masks. Every row and column is kept as a bit set (1 = dark), so the
// four penalty rules become word-wide logic and population counts; the
// result is exactly the module-by-module score. No heap: the line sets are
// one static scratch record, used only inside an encoding.
#include <cstring>

#include "encoder/encoder_internal.h"
#include "encoder/matrix_internal.h"

namespace {

constexpr int kWords = kMaskWords;

// The dark modules of the symbol under the mask being scored.
struct MaskScratch {
    Line rows[kMaxModules], cols[kMaxModules];
};
MaskScratch g_scratch;

// ---- Word-wide line operations over W words ---------------------------------

template <int W>
struct Bits {
    uint64_t w[W];
};

template <int W>
inline Bits<W> load(const Line& l) {
    Bits<W> b;
    for (int i = 0; i < W; ++i) b.w[i] = l.w[i];
    return b;
}

// Population count without relying on the POPCNT instruction, which the
// baseline x86-64 target does not include.
inline int32_t count_bits(uint64_t v) {
    v = v - ((v >> 1) & 0x5555555555555555ull);
    v = (v & 0x3333333333333333ull) + ((v >> 2) & 0x3333333333333333ull);
    v = (v + (v >> 4)) & 0x0F0F0F0F0F0F0F0Full;
    return static_cast<int32_t>((v * 0x0101010101010101ull) >> 56);
}

// Bit s of the result is bit s + k of a (0 beyond the line).
template <int W>
inline Bits<W> shr(const Bits<W>& a, int k) {
    Bits<W> r;
    for (int i = 0; i < W; ++i) r.w[i] = (a.w[i] >> k) | (i + 1 < W ? a.w[i + 1] << (64 - k) : 0);
    return r;
}

// Bit s of the result is bit s - k of a (0 before the line).
template <int W>
inline Bits<W> shl(const Bits<W>& a, int k) {
    Bits<W> r;
    for (int i = 0; i < W; ++i) r.w[i] = (a.w[i] << k) | (i > 0 ? a.w[i - 1] >> (64 - k) : 0);
    return r;
}

#define MIVOKA_BITS_OP(op)                                                   \
    template <int W>                                                         \
    inline Bits<W> operator op(const Bits<W>& a, const Bits<W>& b) {         \
        Bits<W> r;                                                           \
        for (int i = 0; i < W; ++i) r.w[i] = a.w[i] op b.w[i];               \
        return r;                                                            \
    }
MIVOKA_BITS_OP(&)
MIVOKA_BITS_OP(|)
MIVOKA_BITS_OP(^)
#undef MIVOKA_BITS_OP

template <int W>
inline Bits<W> operator~(const Bits<W>& a) {
    Bits<W> r;
    for (int i = 0; i < W; ++i) r.w[i] = ~a.w[i];
    return r;
}

// Bits 0 to last set.
template <int W>
inline Bits<W> first_bits(int last) {
    Bits<W> r;
    for (int i = 0; i < W; ++i) {
        int from = i * 64;
        r.w[i] = last < from ? 0 : last >= from + 63 ? ~0ull : (2ull << (last - from)) - 1;
    }
    return r;
}

template <int W>
inline int32_t popcount(const Bits<W>& a) {
    int32_t c = 0;
    for (int i = 0; i < W; ++i) c += count_bits(a.w[i]);
    return c;
}

// ---- The four penalty rules --------------------------------------------------

// Runs of five or more same-coloured modules add their length minus 2:
// positions where five equal modules start, plus 2 for each run's first.
template <int W>
int32_t run_penalty(const Bits<W>& b, const Bits<W>& validRuns) {
    Bits<W> same = ~(b ^ shr(b, 1));
    Bits<W> five = same & shr(same, 1) & shr(same, 2) & shr(same, 3) & validRuns;
    Bits<W> starts = five & ~shl(same, 1);
    return popcount(five) + 2 * popcount(starts);
}

// 1:1:3:1:1 at one module per unit, light on both sides, with four light
// modules on at least one side; outside the symbol counts as light.
template <int W>
int32_t finder_count(const Bits<W>& b, const Bits<W>& validStarts) {
    Bits<W> light1 = ~shr(b, 1), light5 = ~shr(b, 5), light7 = ~shr(b, 7);
    Bits<W> core = b & light1 & shr(b, 2) & shr(b, 3) & shr(b, 4) & light5 & shr(b, 6);
    Bits<W> before = ~shl(b, 2) & ~shl(b, 3) & ~shl(b, 4);
    Bits<W> after = ~shr(b, 8) & ~shr(b, 9) & ~shr(b, 10);
    Bits<W> hit = core & light7 & ~shl(b, 1) & (before | after) & validStarts;
    return popcount(hit);
}

template <int W>
int32_t lines_penalty(const Line* rows, const Line* cols, int n) {
    const Bits<W> validRuns = first_bits<W>(n - 5);
    const Bits<W> validStarts = first_bits<W>(n - 7);
    const Bits<W> validBlocks = first_bits<W>(n - 2);
    int32_t runs = 0, finders = 0, blocks = 0, dark = 0;
    Bits<W> prev = load<W>(rows[0]);
    for (int i = 0; i < n; ++i) {
        Bits<W> r = load<W>(rows[i]);
        Bits<W> c = load<W>(cols[i]);
        runs += run_penalty(r, validRuns) + run_penalty(c, validRuns);
        finders += finder_count(r, validStarts) + finder_count(c, validStarts);
        dark += popcount(r);
        if (i > 0) {
            Bits<W> eq = ~(prev ^ r) & ~(prev ^ shr(prev, 1)) & ~(r ^ shr(r, 1)) & validBlocks;
            blocks += popcount(eq);
        }
        prev = r;
    }
    int32_t total = n * n;
    int32_t percent = (total - dark) * 100 / total;
    int32_t off = percent > 50 ? percent - 50 : 50 - percent;
    return runs + 3 * blocks + 40 * finders + 10 * (off / 5);
}

int32_t penalty_of(const Line* rows, const Line* cols, int n) {
    if (n <= 64) return lines_penalty<1>(rows, cols, n);
    if (n <= 128) return lines_penalty<2>(rows, cols, n);
    return lines_penalty<3>(rows, cols, n);
}

inline void set_bit(Line& l, int i) { l.w[i >> 6] |= 1ull << (i & 63); }

// Row and column sets of the modules whose byte has any of the given flags.
void collect(uint8_t flags, Line* rows, Line* cols, int n) {
    std::memset(rows, 0, sizeof(Line) * static_cast<size_t>(n));
    std::memset(cols, 0, sizeof(Line) * static_cast<size_t>(n));
    for (int x = 0; x < n; ++x) {
        const uint8_t* column = g_encoder.matrix + x * kMaxModules;
        for (int y = 0; y < n; ++y) {
            if (column[y] & flags) {
                set_bit(rows[y], x);
                set_bit(cols[x], y);
            }
        }
    }
}

// Dark modules under mask m: fixed function modules, masked data elsewhere,
// then this mask's format information and the dark module. The format area
// is reserved light, so only its dark bits need setting.
template <int W>
void masked_lines(int mask, int n) {
    MaskScratch& s = g_scratch;
    const SymbolLines& l = g_lines;
    // Bits beyond the symbol stay light: the finder rule reads them as the
    // light surroundings.
    const Bits<W> inside = first_bits<W>(n - 1);
    for (int i = 0; i < n; ++i) {
        const uint64_t* rowMask = mask_row(mask, i);
        const uint64_t* colMask = mask_column(mask, i);
        for (int k = 0; k < W; ++k) {
            uint64_t rowData = l.dataRows[i].w[k] ^ rowMask[k];
            uint64_t colData = l.dataCols[i].w[k] ^ colMask[k];
            s.rows[i].w[k] = (l.fixedRows[i].w[k] | (~l.functionRows[i].w[k] & rowData)) & inside.w[k];
            s.cols[i].w[k] = (l.fixedCols[i].w[k] | (~l.functionCols[i].w[k] & colData)) & inside.w[k];
        }
    }
    const int32_t bits = format_bits(g_encoder.level, mask);
    for (int k = 0; k < 15; ++k) {
        if (((bits >> k) & 1) == 0) continue;
        FormatPosition pos[2];
        format_positions(n, k, pos);
        for (const FormatPosition& f : pos) {
            set_bit(s.rows[f.y], f.x);
            set_bit(s.cols[f.x], f.y);
        }
    }
    set_bit(s.rows[n - 8], 8);
    set_bit(s.cols[8], n - 8);
}

// The mask with the lowest penalty, the lower number on a tie.
template <int W>
int32_t best_mask(int n) {
    int32_t best = 0, bestScore = 0;
    for (int m = 0; m < 8; ++m) {
        masked_lines<W>(m, n);
        int32_t score = lines_penalty<W>(g_scratch.rows, g_scratch.cols, n);
        if (m == 0 || score < bestScore) {
            best = m;
            bestScore = score;
        }
    }
    return best;
}

// Gives the same choice as applying each mask with its format information
// to the matrix and scoring it, on the sets place_data left.
template <int W>
int32_t choose_mask(int n) {
    SymbolLines& l = g_lines;
    transpose_lines(l.functionCols, l.functionRows, n);
    transpose_lines(l.fixedCols, l.fixedRows, n);
    transpose_lines(l.dataCols, l.dataRows, n);
    return best_mask<W>(n);
}

// The matrix under the mask, with its format information, as 1/0 bytes.
template <int W>
void write_masked(int mask, int n) {
    masked_lines<W>(mask, n);
    for (int x = 0; x < n; ++x) write_column(g_encoder.matrix + x * kMaxModules, n, g_scratch.cols[x]);
}

template <int W>
void finish(int n) {
    if (g_encoder.mask < 0) g_encoder.mask = choose_mask<W>(n);
    write_masked<W>(g_encoder.mask, n);
}

}  // namespace

int32_t mask_penalty() {
    const int n = g_encoder.size;
    collect(FunctionDark | MaskedBit, g_scratch.rows, g_scratch.cols, n);
    return penalty_of(g_scratch.rows, g_scratch.cols, n);
}

void finish_matrix() {
    const int n = g_encoder.size;
    if (n <= 64) {
        finish<1>(n);
    } else if (n <= 128) {
        finish<2>(n);
    } else {
        finish<3>(n);
    }
}
